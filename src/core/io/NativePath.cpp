#include "core/io/NativePath.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiren {

namespace {

bool Exists(const QByteArray &native)
{
    struct stat info {};
    return ::lstat(native.constData(), &info) == 0;
}

// The one entry of the folder `folder` (bytes) whose name reads as `name`.
QByteArray EntryReadAs(const QByteArray &folder, const QString &name)
{
    DIR *listing = ::opendir(folder.isEmpty() ? "/" : folder.constData());
    if (!listing)
        return {};
    QByteArray found;
    int matches = 0;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray bytes(entry->d_name);
        if (QFile::decodeName(bytes) == name) {
            found = bytes;
            ++matches;
        }
    }
    ::closedir(listing);
    return matches == 1 ? found : QByteArray();
}

} // namespace

QByteArray NativePathOf(const QString &path)
{
    constexpr QChar Replacement(0xFFFD);
    if (!path.contains(Replacement) || !path.startsWith(QLatin1Char('/')))
        return {};
    if (Exists(QFile::encodeName(path)))
        return {};
    QByteArray native;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QByteArray next = native + '/' + QFile::encodeName(part);
        if (part.contains(Replacement) || !Exists(next)) {
            const QByteArray entry = EntryReadAs(native, part);
            if (entry.isEmpty())
                return {};
            next = native + '/' + entry;
        }
        native = next;
    }
    return native;
}

bool OpenNativeForReading(QFile &file, const QString &path)
{
    const QByteArray native = NativePathOf(path);
    if (native.isEmpty())
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace quiren
