#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// A file's name is bytes. Qt reads them as UTF-8 and cannot give back bytes
// that are not UTF-8 - names in Shift-JIS from old Windows disks and
// archives among them: each such byte becomes U+FFFD, and the path Qt then
// hands out (from a folder listing, a file dialog or the command line) names
// no file at all.
namespace quiren {

// The bytes of the existing file that `path` stands for when `path` itself
// names none: folder by folder, the one entry whose name Qt reads as the
// text given. Empty when `path` names a file as it is, holds no U+FFFD, or
// when no entry - or more than one - reads so.
QByteArray NativePathOf(const QString &path);

// Opens `file` for reading on the file NativePathOf(path) names; false when
// there is none, it is a folder, or it cannot be opened.
bool OpenNativeForReading(QFile &file, const QString &path);

} // namespace quiren
