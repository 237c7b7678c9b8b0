#include "core/io/SafeWrite.h"

#include "core/io/NativePath.h"

#include <QSaveFile>

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
    return QString::fromLocal8Bit(std::strerror(error));
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
// old file's permissions, renamed over it once complete.
WriteResult WriteNativeFileSafely(const QByteArray &native, const QByteArray &bytes)
{
    QByteArray temporary = native + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return WriteResult{false, systemError(errno)};
    struct stat old {};
    if (::stat(native.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
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
    // An existing file whose name Qt cannot give back is written by its bytes.
    if (const QByteArray native = NativePathOf(path); !native.isEmpty())
        return WriteNativeFileSafely(native, bytes);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteResult{false, file.errorString()};
    const QString error = WriteAllAndFlush(file.handle(), bytes);
    if (!error.isEmpty()) {
        file.cancelWriting();
        return WriteResult{false, error};
    }
    if (!file.commit())
        return WriteResult{false, file.errorString()};
    return WriteResult{};
}

} // namespace quiren
