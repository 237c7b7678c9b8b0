#include "documents/SafeWrite.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quiren {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteResult{false, file.errorString()};

    // The bytes go through write(2) directly: QFileDevice takes a short
    // write (a full disk or a file-size limit cuts the data short) as
    // success and would then rename the cut file over the old one.
    const int fd = file.handle();
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            const QString reason = systemError(errno);
            file.cancelWriting();
            return WriteResult{false, reason};
        }
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0) {
        const QString reason = systemError(errno);
        file.cancelWriting();
        return WriteResult{false, reason};
    }
    if (!file.commit())
        return WriteResult{false, file.errorString()};
    return WriteResult{};
}

} // namespace quiren
