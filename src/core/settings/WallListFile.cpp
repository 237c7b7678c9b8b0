#include "core/settings/WallListFile.h"

#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <QDir>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cfloat>
#include <cmath>

namespace quiren {

namespace {

// The file's code page.
constexpr char kCodePage[] = "windows-31j";

// The multiplier field: a plain decimal with "." ("2.5", ".5", "3"); blanks
// around it are allowed. Empty when it is not a non-negative number that
// single precision can hold.
std::optional<float> parseMultiplier(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(value);
}

// One line `"name",multiplier`; empty when the line is not of that form.
std::optional<CertifiedWall> parseLine(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
        ++i;
    if (i >= line.size() || line[i] != QLatin1Char('"'))
        return std::nullopt;
    const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
    if (close < 0)
        return std::nullopt;
    const QString name = line.mid(i + 1, close - i - 1);
    // An empty name would be a prefix of every framing kind.
    if (name.isEmpty())
        return std::nullopt;
    qsizetype j = close + 1;
    while (j < line.size() && (line[j] == QLatin1Char(' ') || line[j] == QLatin1Char('\t')))
        ++j;
    if (j >= line.size() || line[j] != QLatin1Char(','))
        return std::nullopt;
    const std::optional<float> multiplier = parseMultiplier(line.mid(j + 1));
    if (!multiplier)
        return std::nullopt;
    CertifiedWall wall;
    wall.name = name;
    wall.multiplier = *multiplier;
    wall.displayLine = WallDisplayLine(wall.name, wall.multiplier);
    return wall;
}

// True when CP932 can hold the character (or surrogate pair) `piece`.
bool encodable(const QString &piece)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(piece);
    return !encoder.hasError() && !bytes.isEmpty();
}

} // namespace

QString WallListPath(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + QLatin1String(WallListFileName);
    return folder + QLatin1Char('/') + QLatin1String(WallListFileName);
}

namespace {

// Walks the lines of a wall list as the reader keeps them: `kept` gets each
// entry read, `unread` (when given) each other line that is not blank.
// A line feed is never part of a CP932 character, so the bytes split there,
// and a broken character at the end of one line does not reach the next.
void WalkWallLines(const QByteArray &bytes, CertifiedWallList &kept, QList<QByteArray> *unread)
{
    QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (kept.size() < MaxCertifiedWalls) {
            if (std::optional<CertifiedWall> wall = parseLine(decoder.decode(line))) {
                kept.append(*wall);
                continue;
            }
        } else if (!unread) {
            return;
        }
        if (unread && !line.trimmed().isEmpty())
            unread->append(line.toByteArray());
    }
}

} // namespace

CertifiedWallList ParseWallList(const QByteArray &bytes)
{
    CertifiedWallList walls;
    WalkWallLines(bytes, walls, nullptr);
    return walls;
}

QList<QByteArray> UnreadWallLines(const QByteArray &bytes)
{
    CertifiedWallList walls;
    QList<QByteArray> unread;
    WalkWallLines(bytes, walls, &unread);
    return unread;
}

WallListRead ReadWallList(const QString &path)
{
    const ReadResult read = ReadFileSafely(path, MaxWallListFileSize);
    if (read.status == ReadStatus::Missing)
        return {};
    if (!read)
        return {std::nullopt, ReadProblemMessage(path, read, MaxWallListFileSize)};
    return {ParseWallList(read.bytes), QString()};
}

std::optional<CertifiedWallList> ReadWallListFile(const QString &path)
{
    return ReadWallList(path).walls;
}

QString StorableWallName(const QString &name)
{
    QString stored = name;
    // A double quote would end the quoted field early.
    stored.replace(QLatin1Char('"'), QChar(0xFF02));
    // A line break would split the entry into two lines.
    stored.replace(QLatin1Char('\r'), QLatin1Char(' '));
    stored.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Characters that look alike but that CP932 holds only in its own form
    // (what Japanese input methods here commonly type): wave dash, double
    // vertical line, minus sign, cent, pound, not sign, em dash.
    static const struct { char16_t from, to; } alike[] = {
        {0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x00A2, 0xFFE0},
        {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015},
    };
    for (const auto &pair : alike)
        stored.replace(QChar(pair.from), QChar(pair.to));
    return stored;
}

WallListBytes EncodeWallList(const CertifiedWallList &walls)
{
    WallListBytes result;
    QStringEncoder encoder(kCodePage);
    for (const CertifiedWall &wall : walls) {
        const QString name = StorableWallName(wall.name);
        if (name != wall.name)
            result.renamedWalls.append(wall.name);
        for (qsizetype i = 0; i < name.size(); ++i) {
            const qsizetype length = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            const QString piece = name.mid(i, length);
            i += length - 1;
            if (!encodable(piece)) {
                // 耐力壁名「name」には保存できない文字「c」があります。
                result.error = Str(S::WallNameUnsavable).arg(wall.name, piece);
                result.bytes.clear();
                return result;
            }
        }
        if (!std::isfinite(wall.multiplier) || wall.multiplier < 0.0f) {
            result.error = Str(S::WallMultiplierInvalid).arg(wall.name);
            result.bytes.clear();
            return result;
        }
        const QString line = QLatin1Char('"') + name + QStringLiteral("\",")
            + SingleText(wall.multiplier) + QStringLiteral("\r\n");
        result.bytes += encoder.encode(line);
    }
    return result;
}

WriteResult WriteWallListFile(const QString &path, const CertifiedWallList &walls,
                              QStringList *renamedWalls)
{
    const WallListBytes encoded = EncodeWallList(walls);
    if (renamedWalls)
        *renamedWalls = encoded.renamedWalls;
    if (!encoded.error.isEmpty())
        return {false, encoded.error};

    QByteArray bytes = encoded.bytes;
    const ReadResult old = ReadFileSafely(path, MaxWallListFileSize);
    if (old) {
        for (const QByteArray &line : UnreadWallLines(old.bytes))
            bytes += line + "\r\n";
    } else if (old.status != ReadStatus::Missing) {
        return {false, ReadProblemMessage(path, old, MaxWallListFileSize)};
    }
    const WriteResult written = WriteFileSafely(path, bytes);
    if (!written)
        return {false, QDir::toNativeSeparators(path) + QStringLiteral(": ") + written.error};
    return {};
}

} // namespace quiren
