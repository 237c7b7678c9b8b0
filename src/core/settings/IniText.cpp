#include "core/settings/IniText.h"

#include "core/text/HexDigits.h"

#include <QIODevice>
#include <QMap>
#include <QStringDecoder>
#include <QStringList>

#include <utility>

namespace quiren {

namespace {

thread_local bool t_skippedLines = false;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// One line of the file as INI counts lines: a line break inside double
// quotes or after a backslash continues it; ";" outside quotes ends it, and
// a line starting with ";" is a comment.
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;   // the first "=" outside quotes, from the data's start
};

bool nextLine(QByteArrayView data, qsizetype &pos, Line &line)
{
    const qsizetype size = data.size();
    qsizetype start = pos;
    while (start < size && isBlank(data[start]))
        ++start;
    qsizetype equals = -1;
    bool quoted = false;
    qsizetype i = start;
    bool ended = false;
    while (i < size && !ended) {
        const char c = data[i++];
        switch (c) {
        case '=':
            if (!quoted && equals < 0)
                equals = i - 1;
            break;
        case '\n':
        case '\r':
            if (i == start + 1)
                ++start;
            else if (!quoted)
                ended = true;
            break;
        case '\\':
            if (i < size) {
                const char next = data[i++];
                if (i < size) {
                    const char after = data[i];
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n'))
                        ++i;
                }
            }
            break;
        case '"':
            quoted = !quoted;
            break;
        case ';':
            if (i == start + 1) {
                while (i < size && !isLineEnd(data[i]))
                    ++i;
                while (i < size && isBlank(data[i]))
                    ++i;
                start = i;
            } else if (!quoted) {
                ended = true;
            }
            break;
        default:
            break;
        }
    }
    if (ended)
        --i;
    pos = i;
    line = {start, i - start, equals};
    return line.length > 0;
}

// A key or section name: "\" stands for "/", "%XX" and "%UXXXX" for one
// character each.
QString keyText(QByteArrayView raw)
{
    const QString decoded = QString::fromUtf8(raw);
    const qsizetype size = decoded.size();
    QString key;
    key.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == size - 1) {
            key += c;
            ++i;
            continue;
        }
        const bool wide = decoded[i + 1] == u'U';
        const qsizetype first = wide ? i + 2 : i + 1;
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        ushort code = 0;
        if (first + digits <= size)
            code = QStringView(decoded).sliced(first, digits).toUShort(&ok, 16);
        if (!ok) {
            key += u'%';
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

// A value's text before its "@" forms are looked at: surrounding blanks
// dropped, quotes and backslash escapes undone; bare commas make a list.
struct RawValue {
    QString text;
    QStringList list;
    bool isList = false;
};

class ValueReader {
public:
    explicit ValueReader(QByteArrayView raw) : m_raw(raw) {}

    RawValue read()
    {
        skipBlanks();
        bool chopAtEnd = true;
        while (m_i < m_raw.size()) {
            const char c = m_raw[m_i];
            if (c == '\\') {
                if (!escape()) {
                    chopAtEnd = false;
                    break;
                }
            } else if (c == '"') {
                ++m_i;
                m_quotedItem = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipBlanks();
            } else if (c == ',' && !m_inQuotes) {
                if (!m_quotedItem)
                    chopBlanks();
                m_value.isList = true;
                m_value.list.append(m_value.text);
                m_value.text.clear();
                m_quotedItem = false;
                ++m_i;
                skipBlanks();
            } else {
                qsizetype j = m_i + 1;
                while (j < m_raw.size() && m_raw[j] != '\\' && m_raw[j] != '"' && m_raw[j] != ',')
                    ++j;
                m_value.text += m_utf8(m_raw.sliced(m_i, j - m_i));
                m_i = j;
            }
        }
        if (chopAtEnd && !m_quotedItem)
            chopBlanks();
        if (m_value.isList)
            m_value.list.append(m_value.text);
        return m_value;
    }

private:
    void skipBlanks()
    {
        while (m_i < m_raw.size() && (m_raw[m_i] == ' ' || m_raw[m_i] == '\t'))
            ++m_i;
        m_kept = m_value.text.size();
    }

    // Trailing blanks that came from the file as they are (not escaped, not
    // quoted) are dropped.
    void chopBlanks()
    {
        QString &t = m_value.text;
        while (t.size() > m_kept && (t.back() == u' ' || t.back() == u'\t'))
            t.chop(1);
    }

    // A number escape "\x..." or "\0..." running on while digits follow;
    // false when it runs to the end of the value.
    bool numberEscape(int base)
    {
        char16_t code = 0;
        while (m_i < m_raw.size()) {
            const int digit = HexDigitValue(m_raw[m_i]);
            if (digit < 0 || digit >= base)
                break;
            code = static_cast<char16_t>(code * base + digit);
            ++m_i;
        }
        m_value.text += QChar(code);
        return m_i < m_raw.size();
    }

    // The escape at the backslash under m_i; false when the value ends
    // within it.
    bool escape()
    {
        ++m_i;
        if (m_i >= m_raw.size())
            return false;
        const char c = m_raw[m_i++];
        static constexpr char named[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                            {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                            {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
        for (const auto &pair : named) {
            if (c == pair[0]) {
                m_value.text += QLatin1Char(pair[1]);
                m_kept = m_value.text.size();
                return true;
            }
        }
        if (c == 'x') {
            if (m_i >= m_raw.size())
                return false;
            if (HexDigitValue(m_raw[m_i]) >= 0 && !numberEscape(16))
                return false;
        } else if (c >= '0' && c <= '7') {
            --m_i;
            if (!numberEscape(8))
                return false;
        } else if (isLineEnd(c)) {
            // A continued line.
            if (m_i < m_raw.size() && isLineEnd(m_raw[m_i]) && m_raw[m_i] != c)
                ++m_i;
        }
        // Any other character after a backslash is dropped with it.
        m_kept = m_value.text.size();
        return true;
    }

    QByteArrayView m_raw;
    qsizetype m_i = 0;
    RawValue m_value;
    qsizetype m_kept = 0;
    bool m_inQuotes = false;
    bool m_quotedItem = false;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
};

// A value's text with its "@" form read as text only: "@@" for a text
// starting with "@", "@String(...)" for a text holding NUL characters,
// "@Invalid()" for no value. Every other "@" form stays as written.
QVariant textValue(const QString &text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.sliced(1);
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(u')'))
        return text.sliced(8).chopped(1);
    if (text == QLatin1String("@Invalid()"))
        return QVariant();
    return text;
}

QVariant valueOf(QByteArrayView raw)
{
    RawValue value = ValueReader(raw).read();
    if (!value.isList)
        return textValue(value.text);
    for (QString &item : value.list) {
        if (item.startsWith(QLatin1String("@@")))
            item.remove(0, 1);
    }
    return value.list;
}

// ---- Writing ---------------------------------------------------------------

// A key or section name: "/" as "\" (but as "%2F" last, where the "\"
// would take the "=" after it for part of the key), letters, digits and
// "_-." as they are, anything else as "%XX" or "%UXXXX".
void appendKey(QByteArray &out, QStringView key)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c == u'/' && i + 1 < key.size()) {
            out += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
                   || c == u'_' || c == u'-' || c == u'.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            AppendHexDigits(out, c, 2);
        } else {
            out += "%U";
            AppendHexDigits(out, c, 4);
        }
    }
}

// One text in INI form: escapes for backslashes, quotes and control
// characters, UTF-8 for the rest, in quotes when it holds ";", "," or "=" or
// starts or ends with a space.
void appendText(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeHexDigit = false;   // after a number escape, a digit would extend it
    qsizetype plainFrom = -1;      // the start of a run of characters written as UTF-8
    auto flushPlain = [&](qsizetype end) {
        if (plainFrom >= 0)
            out += QStringView(text).sliced(plainFrom, end - plainFrom).toUtf8();
        plainFrom = -1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (escapeHexDigit && c < 0x80 && HexDigitValue(static_cast<char>(c)) >= 0) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        const char *named = nullptr;
        switch (c) {
        case u'\a': named = "\\a"; break;
        case u'\b': named = "\\b"; break;
        case u'\f': named = "\\f"; break;
        case u'\n': named = "\\n"; break;
        case u'\r': named = "\\r"; break;
        case u'\t': named = "\\t"; break;
        case u'\v': named = "\\v"; break;
        case u'"': named = "\\\""; break;
        case u'\\': named = "\\\\"; break;
        default: break;
        }
        // A byte order mark would be dropped at the start of a value, and a
        // lone half of a surrogate pair has no UTF-8 form.
        const bool lone = QChar::isSurrogate(c)
                          && !(QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                          && !(QChar::isLowSurrogate(c) && i > 0 && text[i - 1].isHighSurrogate());
        if (named || c <= 0x1F || c == 0xFEFF || lone) {
            flushPlain(i);
            if (named) {
                out += named;
            } else {
                out += c == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(c, 16);
                escapeHexDigit = true;
            }
        } else if (plainFrom < 0) {
            plainFrom = i;
        }
    }
    flushPlain(text.size());
    if (needsQuotes || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A text as a value: "@@" before a leading "@" and "@String(...)" around a
// text holding NUL characters, so that it never reads as a typed value.
QString textForm(const QString &text)
{
    if (text.contains(QChar(0)))
        return QStringLiteral("@String(") + text + u')';
    if (text.startsWith(u'@'))
        return u'@' + text;
    return text;
}

void appendValue(QByteArray &out, const QVariant &value)
{
    if (!value.isValid()) {
        out += "@Invalid()";
        return;
    }
    if (value.typeId() == QMetaType::QStringList) {
        const QStringList items = value.toStringList();
        if (items.isEmpty()) {
            out += "@Invalid()";
            return;
        }
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                out += ", ";
            appendText(out, items[i].startsWith(u'@') ? u'@' + items[i] : items[i]);
        }
        return;
    }
    appendText(out, textForm(value.toString()));
}

} // namespace

bool ReadIniText(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray data = device.readAll();

    // First the sections: the lines between one section's name and the next
    // make its text; a section named twice continues. A UTF-8 byte order
    // mark is passed over when looking for names but stays in the text of
    // the keys before the first (as QSettings keeps it).
    QMap<QString, QByteArray> sections;
    QString section;
    qsizetype textStart = 0;
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    Line line;
    auto endSection = [&](qsizetype end) {
        QByteArray &text = sections[section];
        if (!text.isEmpty())
            text += '\n';
        text += QByteArrayView(data).sliced(textStart, end - textStart);
    };
    while (nextLine(data, pos, line)) {
        const QByteArrayView text = QByteArrayView(data).sliced(line.start, line.length);
        if (!text.startsWith('['))
            continue;
        endSection(line.start);
        qsizetype close = text.indexOf(']');
        if (close < 0) {
            t_skippedLines = true;
            close = text.size();
        }
        const QByteArrayView name = text.first(close).sliced(1).trimmed();
        if (name.compare("general", Qt::CaseInsensitive) == 0) {
            section.clear();
        } else {
            section = name.compare("%general", Qt::CaseInsensitive) == 0
                          ? QString::fromLatin1(name.sliced(1))
                          : keyText(name);
            section += u'/';
        }
        textStart = pos;
    }
    endSection(data.size());

    // Then the keys of each section, sections in the order of their names
    // (which decides between the same key given by two sections: "[a]" with
    // "b\c=" and "[a\b]" with "c=").
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        const QByteArray &text = it.value();
        qsizetype at = 0;
        while (nextLine(text, at, line)) {
            if (line.equals < 0) {
                t_skippedLines = true;   // not INI: skipped
                continue;
            }
            const QByteArrayView keyPart = QByteArrayView(text).sliced(line.start, line.equals - line.start);
            const QByteArrayView valuePart =
                QByteArrayView(text).sliced(line.equals + 1, line.start + line.length - line.equals - 1);
            map.insert(it.key() + keyText(keyPart.trimmed()), valueOf(valuePart));
        }
    }
    return true;
}

bool WriteIniText(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Keys without a section go under "[General]", first.
    QMap<QString, QList<QPair<QString, QVariant>>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0)
            sections[QString()].append({it.key(), it.value()});
        else
            sections[it.key().first(slash)].append({it.key().sliced(slash + 1), it.value()});
    }
    QByteArray out;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!out.isEmpty())
            out += '\n';
        if (it.key().isEmpty()) {
            out += "[General]";
        } else if (it.key().compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            out += "[%" + it.key().toLatin1() + ']';
        } else {
            out += '[';
            appendKey(out, it.key());
            out += ']';
        }
        out += '\n';
        for (const auto &[key, value] : it.value()) {
            appendKey(out, key);
            out += '=';
            appendValue(out, value);
            out += '\n';
        }
    }
    return device.write(out) == out.size();
}

bool TakeSkippedIniLines()
{
    return std::exchange(t_skippedLines, false);
}

QSettings::Format IniTextFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadIniText, WriteIniText);
    return format;
}

} // namespace quiren
