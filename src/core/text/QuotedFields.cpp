#include "core/text/QuotedFields.h"

namespace quiren {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDelimiter(char c) { return c == ',' || c == '\r' || c == '\n'; }

} // namespace

std::optional<QuotedField> QuotedFieldReader::next()
{
    while (m_pos < m_bytes.size() && isBlank(m_bytes[m_pos]))
        ++m_pos;
    if (m_pos >= m_bytes.size())
        return std::nullopt;

    QuotedField field;
    if (m_bytes[m_pos] == '"') {
        field.quoted = true;
        const qsizetype open = m_pos + 1;
        qsizetype close = m_bytes.indexOf('"', open);
        if (close < 0) {
            close = m_bytes.size();   // cut off: the text runs to the end
            field.closed = false;
        }
        field.text = m_bytes.mid(open, close - open);
        m_pos = close + 1;
        while (m_pos < m_bytes.size() && !isDelimiter(m_bytes[m_pos])) {
            if (!isBlank(m_bytes[m_pos]))
                field.clean = false;
            ++m_pos;
        }
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && !isDelimiter(m_bytes[m_pos]))
            ++m_pos;
        qsizetype end = m_pos;
        while (end > start && isBlank(m_bytes[end - 1]))
            --end;
        field.text = m_bytes.mid(start, end - start);
    }
    // The delimiter, CR LF as one.
    if (m_pos < m_bytes.size()) {
        const char c = m_bytes[m_pos++];
        field.delimiter = c;
        if (c == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
    }
    return field;
}

void QuotedLineWriter::separate()
{
    if (!m_first)
        m_bytes += ',';
    m_first = false;
}

void QuotedLineWriter::quoted(const QByteArray &text)
{
    separate();
    m_bytes += '"';
    m_bytes += text;
    m_bytes += '"';
}

void QuotedLineWriter::bare(const QByteArray &text)
{
    separate();
    m_bytes += text;
}

void QuotedLineWriter::endLine()
{
    m_bytes += "\r\n";
    m_first = true;
}

} // namespace quiren
