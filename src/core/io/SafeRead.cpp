#include "core/io/SafeRead.h"

#include "core/io/NativePath.h"
#include "core/io/SystemError.h"
#include "core/text/StringTable.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
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

// Opens without waiting: O_NONBLOCK lets a FIFO with no writer open at once
// (it is refused below) and makes a file that would block on reading, such
// as a kernel log under /proc, fail instead.
int OpenForReading(const QString &path)
{
    constexpr int Flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(NativeBytes(path).constData(), Flags);
    if (fd < 0 && errno == ENOENT) {
        const int missing = errno;
        if (const QByteArray native = NativePathOf(path); !native.isEmpty())
            fd = ::open(native.constData(), Flags);
        if (fd < 0)
            errno = missing;
    }
    return fd;
}

} // namespace

ReadResult ReadFileSafely(const QString &path, qint64 maxSize)
{
    ReadResult result;
    const int fd = OpenForReading(path);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        result.error = systemError(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result.status = ReadStatus::Failed;
        result.error = systemError(errno);
    } else if (!S_ISREG(info.st_mode)) {
        result.status = ReadStatus::NotRegular;
    } else if (info.st_size > maxSize) {
        result.status = ReadStatus::TooLarge;
    } else {
        // Up to one byte more than the limit, to tell a file that grew
        // since fstat from a full one; files under /proc say 0 and hold more.
        const qint64 limit = maxSize + 1;
        QByteArray bytes;
        bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, std::max<qint64>(info.st_size + 1, 4096))));
        qsizetype got = 0;
        while (got < limit) {
            if (got == bytes.size())
                bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, 2 * static_cast<qint64>(got))));
            const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result.status = ReadStatus::Failed;
                result.error = systemError(errno);
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (result.status == ReadStatus::Ok && got > maxSize)
            result.status = ReadStatus::TooLarge;
        if (result.status == ReadStatus::Ok) {
            bytes.truncate(got);
            result.bytes = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

QString ReadProblemMessage(const QString &path, const ReadResult &result, qint64 maxSize)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.status) {
    case ReadStatus::Ok:
        return QString();
    case ReadStatus::NotRegular:
        return Str(S::NotRegularFileRead).arg(shown);
    case ReadStatus::TooLarge:
        return Str(S::FileTooLarge).arg(shown, QString::number(maxSize));
    case ReadStatus::Missing:
    case ReadStatus::Failed:
        break;
    }
    return shown + QStringLiteral(": ") + result.error;
}

} // namespace quiren
