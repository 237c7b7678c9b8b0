#include "core/text/JsonWriter.h"

namespace quiren {

QString JsonString(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            // U+FEFF as an escape: Qt's reader drops it from the start of a
            // string written as it is.
            if (c.unicode() < 0x20 || c.unicode() == 0xFEFF)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

void JsonWriter::newLine(int depth)
{
    m_out += QLatin1Char('\n');
    m_out += QString(2 * depth, QLatin1Char(' '));
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level &level = m_levels.back();
    if (level.members > 0)
        m_out += QLatin1Char(',');
    if (level.layout == Block)
        newLine(static_cast<int>(m_levels.size()));
    else if (level.members > 0)
        m_out += QLatin1Char(' ');
    ++level.members;
}

void JsonWriter::open(char bracket, Layout layout)
{
    beforeValue();
    m_out += QLatin1Char(bracket);
    // Nothing inside a one-line value is laid out on lines of its own.
    const bool inlineParent = !m_levels.empty() && m_levels.back().layout == Inline;
    m_levels.push_back({inlineParent ? Inline : layout});
}

void JsonWriter::close(char bracket)
{
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.layout == Block && level.members > 0)
        newLine(static_cast<int>(m_levels.size()));
    m_out += QLatin1Char(bracket);
}

void JsonWriter::key(QStringView name)
{
    beforeValue();
    m_out += JsonString(name);
    m_out += QLatin1String(": ");
    m_afterKey = true;
}

void JsonWriter::string(QStringView value)
{
    beforeValue();
    m_out += JsonString(value);
}

void JsonWriter::integer(qint64 value)
{
    beforeValue();
    m_out += QString::number(value);
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    m_out += value ? QLatin1String("true") : QLatin1String("false");
}

QByteArray JsonWriter::bytes() const
{
    return (m_out + QLatin1Char('\n')).toUtf8();
}

} // namespace quiren
