#pragma once

#include "core/calc/CertifiedWall.h"
#include "core/io/SafeWrite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The file "WallListData" beside the program: the certified-wall list, one
// line per wall, `"name",multiplier` in CP932 with CR LF.
namespace quiren {

inline constexpr char WallListFileName[] = "WallListData";

// "<folder>/WallListData".
QString WallListPath(const QString &folder);

// Parses the bytes of a wall list: one entry per line that is not blank, at
// most MaxCertifiedWalls. A line that is not `"name",multiplier` with a
// multiplier the options window accepts becomes a placeholder in its
// position (CertifiedWall::isPlaceholder), so the walls after it keep their
// positions. displayLine is filled.
CertifiedWallList ParseWallList(const QByteArray &bytes);

// Line numbers of the placeholders in a list read from a file.
QList<int> UnreadWallLineNumbers(const CertifiedWallList &walls);
// What the user is told about them ("...3行目、7行目..."); empty when every
// line was read.
QString UnreadWallLinesMessage(const CertifiedWallList &walls);

// A list of 101 walls is a few kilobytes; a file larger than this is not
// read at all.
inline constexpr qint64 MaxWallListFileSize = 1024 * 1024;

// Reading a wall-list file: the walls, or no list and, when the file exists
// but is not read (a FIFO or device, too large, no permission), the message
// that says why.
struct WallListRead {
    std::optional<CertifiedWallList> walls;
    QString problem;
};
WallListRead ReadWallList(const QString &path);

// A name as it can be stored: a double quote becomes the full-width "＂"
// (a quote would end the quoted field), a line break a blank, and the few
// characters that CP932 holds only in a look-alike form (the wave dash "〜"
// typed by input methods here, for one) become that form ("～").
QString StorableWallName(const QString &name);

// The bytes of the file for a list. Names are stored as StorableWallName()
// gives them; a placeholder writes back the line it stands for. Fails, with an error that names the wall, when a name holds a
// character CP932 cannot encode or a multiplier is negative or not finite;
// nothing is then to be written.
struct WallListBytes {
    QByteArray bytes;
    QString error;            // empty when all went well
    QStringList renamedWalls; // names stored in another form (quotes replaced...)
};
WallListBytes EncodeWallList(const CertifiedWallList &walls);

// The lines of a wall list that ParseWallList does not keep: those after
// the MaxCertifiedWalls-th entry, as the file holds them (without their line
// ends; blank lines are left out).
QList<QByteArray> UnreadWallLines(const QByteArray &bytes);

// Writes the list to `path` through a temporary file in the same folder,
// replacing the old file only when the new one is complete. The lines of the
// old file that were never read into a list (UnreadWallLines) follow the
// list unchanged, so that nothing the program could not show is lost. On
// failure the old file is untouched and the result holds the reason.
// `renamedWalls`, when given, receives the names that were stored in another
// form. An old file that exists but cannot be read (see ReadWallList) is
// not replaced, since its unread lines would be lost.
WriteResult WriteWallListFile(const QString &path, const CertifiedWallList &walls,
                              QStringList *renamedWalls = nullptr);

} // namespace quiren
