#include "core/io/SafeWrite.h"

#include "core/io/NativePath.h"
#include "core/io/SystemError.h"
#include "core/text/StringTable.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiren {

namespace {

QString systemError(int error)
{
    return SystemErrorText(error);
}

// Writes every byte to `fd` and flushes it to the disk; the system's
// description of the error, or an empty text. The bytes go through write(2)
// directly: QFileDevice takes a short write (a full disk or a file-size
// limit cuts the data short) as success.
QString WriteAllAndFlush(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0)
        return systemError(errno);
    return QString();
}

// The same steps as QSaveFile, on a path given as bytes (a name that is not
// UTF-8, which QSaveFile cannot reach): a temporary file beside it with the
// old file's permissions (a new file gets the usual ones), renamed over it
// once complete. A symbolic link is followed, as QSaveFile follows it.
WriteResult WriteNativeFileSafely(QByteArray native, const QByteArray &bytes)
{
    struct stat link {};
    if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char *resolved = ::realpath(native.constData(), nullptr)) {
            native = resolved;
            std::free(resolved);
        }
    }
    QByteArray temporary = native + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return WriteResult{false, systemError(errno)};
    struct stat old {};
    if (::stat(native.constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    QString error = WriteAllAndFlush(fd, bytes);
    if (::close(fd) != 0 && error.isEmpty())
        error = systemError(errno);
    if (error.isEmpty() && ::rename(temporary.constData(), native.constData()) != 0)
        error = systemError(errno);
    if (!error.isEmpty()) {
        ::unlink(temporary.constData());
        return WriteResult{false, error};
    }
    return WriteResult{};
}

} // namespace

WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = NativeTargetOf(path);
    // Only a regular file is ever replaced: renaming over a FIFO or a device
    // would put a file of ours where something that is not ours was.
    struct stat info {};
    if (::stat(target.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return WriteResult{false, S_ISDIR(info.st_mode) ? systemError(EISDIR) : Str(S::NotRegularFileWrite)};

    // Written by the bytes of the name, through the same steps QSaveFile
    // takes: a name Qt cannot give back as it is stays reachable, and a
    // failure keeps its errno, so the user reads its reason in Japanese.
    return WriteNativeFileSafely(target, bytes);
}

} // namespace quiren
