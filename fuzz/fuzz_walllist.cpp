// The "WallListData" reader, and the writer on what was read.
//
// Expectations: at most 101 entries, each either a wall with a name, a
// multiplier the options window accepts and its display line, or the
// placeholder of a line that could not be read (no name, the line kept); a
// list read and written again, with the lines beyond the 101st entry after
// it as the writer keeps them, reads back as the same entries in the same
// places (names as the file can hold them, multipliers to the seven digits
// the file keeps, unread lines unchanged) and leaves the same lines over.
#include "FuzzSupport.h"

#include "core/calc/CertifiedWall.h"
#include "core/settings/WallListFile.h"

#include <cmath>

using namespace quiren;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    quiren::fuzz::InitQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CertifiedWallList walls = ParseWallList(quiren::fuzz::Bytes(data, size));
    FUZZ_CHECK(walls.size() <= MaxCertifiedWalls);
    for (const CertifiedWall &wall : walls) {
        if (wall.isPlaceholder()) {
            FUZZ_CHECK(!wall.unreadLine.trimmed().isEmpty() && !wall.unreadLine.contains('\n'));
            FUZZ_CHECK(wall.fileLine > 0);
            continue;
        }
        FUZZ_CHECK(IsCertifiedMultiplier(wall.multiplier));
        FUZZ_CHECK(wall.displayLine == WallDisplayLine(wall.name, wall.multiplier));
    }

    const WallListBytes encoded = EncodeWallList(walls);
    if (!encoded.error.isEmpty())
        return 0;   // a name CP932 cannot hold: the options window refuses to store it
    const QList<QByteArray> unread = UnreadWallLines(quiren::fuzz::Bytes(data, size));
    QByteArray rewritten = encoded.bytes;
    for (const QByteArray &line : unread) {
        FUZZ_CHECK(!line.contains('\n') && !line.trimmed().isEmpty());
        rewritten += line + "\r\n";
    }
    FUZZ_CHECK(UnreadWallLines(rewritten) == unread);
    const CertifiedWallList again = ParseWallList(rewritten);
    FUZZ_CHECK(again.size() == walls.size());
    for (qsizetype i = 0; i < walls.size(); ++i) {
        FUZZ_CHECK(again[i].isPlaceholder() == walls[i].isPlaceholder());
        if (walls[i].isPlaceholder()) {
            FUZZ_CHECK(again[i].unreadLine == walls[i].unreadLine);
            continue;
        }
        FUZZ_CHECK(again[i].name == StorableWallName(walls[i].name));
        const float m = walls[i].multiplier;
        FUZZ_CHECK(std::fabs(again[i].multiplier - m) <= std::fabs(m) * 1e-6f);
    }
    return 0;
}
