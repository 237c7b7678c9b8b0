#include "core/text/StringTable.h"

#include <QHash>
#include <QMutex>
#include <QSet>

#include <cstddef>
#include <cstdio>

// The bytes of StringTable.txt, compiled in by the build.
extern const unsigned char quirenStringTableText[];
extern const std::size_t quirenStringTableTextSize;

namespace quiren {

namespace {

// The name column between number and text ("4020<TAB>SavedUnder<TAB>..."):
// a capital letter, then letters and digits. It only feeds the generated
// constants, so it is dropped here.
bool isStringName(QStringView field)
{
    if (field.isEmpty() || field.front() < QLatin1Char('A') || field.front() > QLatin1Char('Z'))
        return false;
    for (QChar c : field) {
        if (!(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
              || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))))
            return false;
    }
    return true;
}

// Parses "number<TAB>text" and "number<TAB>Name<TAB>text" lines; "#" lines
// and blank lines are skipped. The text is taken verbatim up to the line end
// (a CR before the LF is dropped), so blanks at either end survive.
QHash<int, QString> parseTable()
{
    QHash<int, QString> table;
    const QString all = QString::fromUtf8(reinterpret_cast<const char *>(quirenStringTableText),
                                          static_cast<qsizetype>(quirenStringTableTextSize));
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int number = line.left(tab).toInt(&ok);
        if (!ok)
            continue;
        qsizetype textStart = tab + 1;
        const qsizetype nameEnd = line.indexOf(QLatin1Char('\t'), textStart);
        if (nameEnd > textStart && isStringName(QStringView(line).mid(textStart, nameEnd - textStart)))
            textStart = nameEnd + 1;
        table.insert(number, line.mid(textStart));
    }
    return table;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> theTable = parseTable();
    return theTable;
}

void warnMissing(int number)
{
    static QMutex mutex;
    static QSet<int> warned;
    QMutexLocker lock(&mutex);
    if (warned.contains(number))
        return;
    warned.insert(number);
    std::fprintf(stderr, "quiren: string %d is missing from the string table\n", number);
}

} // namespace

QString Str(int number)
{
    const auto &strings = table();
    const auto it = strings.constFind(number);
    if (it == strings.constEnd()) {
        warnMissing(number);
        return QString();
    }
    return it.value();
}

bool HasStr(int number)
{
    return table().contains(number);
}

QString PlainCaption(const QString &caption)
{
    QString text = caption;
    const qsizetype amp = text.indexOf(QLatin1String("(&"));
    if (amp >= 0)
        text.truncate(amp);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

QStringList StrItems(int number)
{
    const QString text = Str(number);
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('|'));
}

} // namespace quiren
