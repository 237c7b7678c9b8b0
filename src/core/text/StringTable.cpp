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
bool isStringName(QByteArrayView field)
{
    if (field.isEmpty() || field.front() < 'A' || field.front() > 'Z')
        return false;
    for (const char c : field) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// Parses "number<TAB>text" and "number<TAB>Name<TAB>text" lines; "#" lines
// and blank lines are skipped. The text is taken verbatim up to the line end
// (a CR before the LF is dropped), so blanks at either end survive. The
// table is read as bytes and only each text is decoded: the whole table is
// read at every start.
QHash<int, QString> parseTable()
{
    QHash<int, QString> table;
    table.reserve(1024);
    QByteArrayView rest(reinterpret_cast<const char *>(quirenStringTableText),
                        static_cast<qsizetype>(quirenStringTableTextSize));
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.front() == '#')
            continue;
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int number = line.first(tab).toInt(&ok);
        if (!ok)
            continue;
        qsizetype textStart = tab + 1;
        const qsizetype nameEnd = line.indexOf('\t', textStart);
        if (nameEnd > textStart && isStringName(line.sliced(textStart, nameEnd - textStart)))
            textStart = nameEnd + 1;
        table.insert(number, QString::fromUtf8(line.sliced(textStart)));
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
