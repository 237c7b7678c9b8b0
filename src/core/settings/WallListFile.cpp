#include "core/settings/WallListFile.h"

#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"

#include "core/text/Cp932.h"
#include "core/text/NumberText.h"
#include "core/text/QuotedFields.h"
#include "core/text/StringTable.h"

#include <QDir>
#include <QLocale>

#include <cfloat>
#include <cmath>

namespace quiren {

namespace {

// The file's code page.

// The multiplier field: a plain decimal with "." ("2.5", ".5", "3"), bare
// or quoted; blanks around it are allowed. Empty when it is not a
// multiplier the options window would register (IsCertifiedMultiplier).
std::optional<float> parseMultiplier(const QuotedField &field)
{
    if (field.quoted && (!field.closed || !field.clean))
        return std::nullopt;
    const QString text = QString::fromLatin1(field.text).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // The list keeps single precision: the value checked is the one kept (a
    // tiny positive text such as "1e-50" is 0 as a float, which no window
    // would register).
    const float single = static_cast<float>(value);
    if (!IsCertifiedMultiplier(single))
        return std::nullopt;
    return single;
}

// One line `"name",multiplier` (its bytes, without the line end); empty when
// the line is not of that form.
std::optional<CertifiedWall> parseLine(const QByteArray &line)
{
    QuotedFieldReader fields(line);
    const std::optional<QuotedField> name = fields.next();
    const std::optional<QuotedField> multiplierField = fields.next();
    // An empty name would be a prefix of every framing kind.
    if (!name || !name->quoted || !name->closed || !name->clean || name->text.isEmpty() || name->delimiter != ','
        || !multiplierField || multiplierField->delimiter != 0)
        return std::nullopt;
    const std::optional<float> multiplier = parseMultiplier(*multiplierField);
    if (!multiplier)
        return std::nullopt;
    // A name that is not CP932 throughout (a byte cut off, a lead byte
    // before the quote) is kept as the line it is, never stored altered.
    const std::optional<QString> decoded = FromCp932Whole(name->text);
    if (!decoded || decoded->isEmpty())
        return std::nullopt;
    CertifiedWall wall;
    wall.name = *decoded;
    wall.multiplier = *multiplier;
    wall.displayLine = WallDisplayLine(wall.name, wall.multiplier);
    return wall;
}

} // namespace

QString WallListPath(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + QLatin1String(WallListFileName);
    return folder + QLatin1Char('/') + QLatin1String(WallListFileName);
}

namespace {

// Walks the lines of a wall list as the reader keeps them: `kept` (when
// given) gets an entry for each line that is not blank, a placeholder where
// the line cannot be read; `beyond` (when given) the lines after the MaxCertifiedWalls-th
// entry. A line feed is never part of a CP932 character, so the bytes split
// there, and a broken character at the end of one line does not reach the
// next.
void WalkWallLines(const QByteArray &bytes, CertifiedWallList *kept, QList<QByteArray> *beyond)
{
    qsizetype start = 0;
    int lineNumber = 0;
    qsizetype entries = 0;   // walls and unread lines, each takes a place
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line(bytes.constData() + start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (entries >= MaxCertifiedWalls) {
            if (!beyond)
                return;
            beyond->append(line.toByteArray());
            continue;
        }
        ++entries;
        if (!kept)
            continue;   // only the lines beyond the list are asked for
        if (std::optional<CertifiedWall> wall = parseLine(line.toByteArray()))
            kept->append(*wall);
        else
            kept->append(UnreadWallPlaceholder(line.toByteArray(), lineNumber));
    }
}

} // namespace

CertifiedWallList ParseWallList(const QByteArray &bytes)
{
    CertifiedWallList walls;
    WalkWallLines(bytes, &walls, nullptr);
    return walls;
}

QList<QByteArray> UnreadWallLines(const QByteArray &bytes)
{
    QList<QByteArray> beyond;
    WalkWallLines(bytes, nullptr, &beyond);
    return beyond;
}

QList<int> UnreadWallLineNumbers(const CertifiedWallList &walls)
{
    QList<int> numbers;
    for (const CertifiedWall &wall : walls)
        if (wall.isPlaceholder() && wall.fileLine > 0)
            numbers.append(wall.fileLine);
    return numbers;
}

QString UnreadWallLinesMessage(const CertifiedWallList &walls)
{
    const QList<int> numbers = UnreadWallLineNumbers(walls);
    if (numbers.isEmpty())
        return {};
    QStringList lines;
    for (int number : numbers)
        lines.append(Str(S::WallLineNumber).arg(number));
    return Str(S::WallLinesUnread) + lines.join(QStringLiteral("、")) + QLatin1Char('\n') + Str(S::WallLinesKept);
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

QString StorableWallName(const QString &name)
{
    return Cp932FieldText(name);
}

WallListBytes EncodeWallList(const CertifiedWallList &walls)
{
    WallListBytes result;
    for (const CertifiedWall &wall : walls) {
        if (wall.isPlaceholder()) {
            // An unread line goes back where it was, as it was.
            if (!wall.unreadLine.isEmpty())
                result.bytes += wall.unreadLine + "\r\n";
            continue;
        }
        const QString name = StorableWallName(wall.name);
        if (name != wall.name)
            result.renamedWalls.append(wall.name);
        // The name whole first: each check opens a converter.
        if (!Cp932CanHold(name)) {
            // 耐力壁名「name」には保存できない文字「c」があります。
            result.error = Str(S::WallNameUnsavable).arg(wall.name, FirstNotInCp932(name));
            result.bytes.clear();
            return result;
        }
        if (!std::isfinite(wall.multiplier) || wall.multiplier < 0.0f) {
            result.error = Str(S::WallMultiplierInvalid).arg(wall.name);
            result.bytes.clear();
            return result;
        }
        QuotedLineWriter line;
        line.quoted(ToCp932(name));
        line.bare(SingleText(wall.multiplier).toLatin1());
        line.endLine();
        result.bytes += line.bytes();
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
