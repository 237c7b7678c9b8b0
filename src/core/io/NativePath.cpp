#include "core/io/NativePath.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

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

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when there is none
// (a stray continuation byte, an overlong form, a surrogate, past U+10FFFF,
// or a sequence cut short).
int Utf8SequenceAt(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

bool IsEscapedByte(QChar c)
{
    return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF;
}

} // namespace

QString TextOfNativeBytes(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            text += QChar(0xDC00 + static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return text;
}

QByteArray NativeBytes(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plainFrom = 0;
    auto flushPlain = [&](qsizetype to) {
        if (to > plainFrom)
            bytes += QStringView(path).mid(plainFrom, to - plainFrom).toUtf8();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        // A low surrogate after a high one is half of a real character.
        const bool paired = i > 0 && path[i - 1].isHighSurrogate();
        if (IsEscapedByte(path[i]) && !paired) {
            flushPlain(i);
            bytes += static_cast<char>(path[i].unicode() - 0xDC00);
            plainFrom = i + 1;
        }
    }
    flushPlain(path.size());
    return bytes;
}

QByteArray NativeTargetOf(const QString &path)
{
    const QByteArray direct = NativeBytes(path);
    if (!path.contains(QChar(0xFFFD)))
        return direct;
    if (const QByteArray existing = NativePathOf(path); !existing.isEmpty())
        return existing;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return direct;
    struct stat info {};
    const QByteArray folderBytes = NativeBytes(path.left(slash));
    if (::stat(folderBytes.constData(), &info) == 0)
        return direct;
    const QByteArray folder = NativePathOf(path.left(slash));
    if (folder.isEmpty())
        return direct;
    return folder + '/' + NativeBytes(path.mid(slash + 1));
}

} // namespace quiren
