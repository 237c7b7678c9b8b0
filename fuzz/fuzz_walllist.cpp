// The "WallListData" reader, and the writer on what was read.
//
// Expectations: at most 101 walls, each with a name, a finite non-negative
// multiplier and its display line; a list read and written again, with the
// lines never read after it as the writer keeps them, reads back as the same
// walls (names as the file can hold them, multipliers to the seven digits the
// file keeps) and leaves the same lines unread.
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
        FUZZ_CHECK(!wall.name.isEmpty());
        FUZZ_CHECK(std::isfinite(wall.multiplier) && wall.multiplier >= 0.0f);
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
        FUZZ_CHECK(again[i].name == StorableWallName(walls[i].name));
        const float m = walls[i].multiplier;
        FUZZ_CHECK(std::fabs(again[i].multiplier - m) <= std::fabs(m) * 1e-6f);
    }
    return 0;
}
