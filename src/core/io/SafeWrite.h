#pragma once

#include <QByteArray>
#include <QString>

namespace quiren {

// The outcome of writing a file: ok, or the reason it failed (the system's
// description where the system gave one), fit to be shown to the user.
struct WriteResult {
    bool ok = true;
    QString error;
    explicit operator bool() const { return ok; }
};

// Writes `bytes` to `path` without ever leaving a damaged file: the bytes go
// to a temporary file in the same folder, which is flushed to the disk and
// renamed over `path` only when every byte is written. On failure the old
// file is untouched, the temporary file is removed, and the result carries
// the system's description of the error. Only a regular file is replaced:
// a name that stands for a FIFO, a device or a folder is refused (a
// symbolic link to a regular file is followed).
WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes);

} // namespace quiren
