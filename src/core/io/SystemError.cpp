#include "core/io/SystemError.h"

#include "core/text/StringTable.h"

#include "core/io/NativePath.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace quiren {

QString SystemErrorText(int error)
{
    switch (error) {
    case ENOENT: return Str(S::ErrorNoEntry);
    case EACCES:
    case EPERM: return Str(S::ErrorPermission);
    case ENOSPC: return Str(S::ErrorDiskFull);
    case EDQUOT: return Str(S::ErrorQuota);
    case EROFS: return Str(S::ErrorReadOnly);
    case EFBIG: return Str(S::ErrorFileSizeLimit);
    case ENOMEM: return Str(S::ErrorNoMemory);
    case EISDIR: return Str(S::ErrorIsFolder);
    case ENOTDIR: return Str(S::ErrorNotFolder);
    case ENAMETOOLONG: return Str(S::ErrorNameTooLong);
    case EIO: return Str(S::ErrorIo);
    case ELOOP: return Str(S::ErrorLinkLoop);
    case EMFILE:
    case ENFILE: return Str(S::ErrorTooManyFiles);
    case EBUSY:
    case ETXTBSY: return Str(S::ErrorBusy);
    case EEXIST: return Str(S::ErrorExists);
    default: break;
    }
    return Str(S::ErrorOther).arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
}

int WriteBlocker(const QString &path)
{
    auto blocker = [](const QString &name) {
        return ::access(NativeBytes(name).constData(), W_OK) == 0 ? 0 : errno;
    };
    struct stat info {};
    if (::stat(NativeBytes(path).constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return EISDIR;
        if (const int error = blocker(path))
            return error;
    }
    // The nearest folder that exists decides whether anything below it can
    // be made.
    QString folder = QFileInfo(path).absolutePath();
    for (int depth = 0; depth < 256; ++depth) {
        if (::stat(NativeBytes(folder).constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return ENOTDIR;
            const int error = blocker(folder);
            return error ? error : EIO;
        }
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    return EIO;
}

} // namespace quiren
