#include "cli/TextTable.h"

#include "cli/Command.h"

#include <algorithm>

namespace quiren::cli {

namespace {

bool wide(char32_t c)
{
    if (c >= 0xFF61 && c <= 0xFF9F)   // half-width katakana
        return false;
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
           || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
           || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
           || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
           || (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

int DisplayWidth(const QString &text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x300) {   // most of a table: Latin letters, digits, signs
            ++width;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (c < 0x20 || (c >= 0x300 && c <= 0x36F))   // controls, combining marks
            continue;
        width += wide(c) ? 2 : 1;
    }
    return width;
}

QString PadRight(const QString &text, int width)
{
    return text + QString(std::max(0, width - DisplayWidth(text)), QLatin1Char(' '));
}

namespace {

void appendBlanks(QString &line, int count)
{
    if (count > 0)
        line.resize(line.size() + count, QLatin1Char(' '));
}

} // namespace

void TextTable::addRow(const QStringList &cells)
{
    QStringList &shown = m_rows.emplace_back();
    shown.reserve(cells.size());
    for (const QString &cell : cells)
        shown.append(Visible(cell));
}

void TextTable::addGroup(int first, const QString &caption)
{
    m_groups.push_back({first, Visible(caption)});
}

QString TextTable::render(int indent) const
{
    const int gap = 2;
    std::size_t columns = m_right.size();
    for (const QStringList &row : m_rows)
        columns = std::max(columns, static_cast<std::size_t>(row.size()));
    // Each cell's width is measured once.
    std::vector<std::vector<int>> cellWidths;
    cellWidths.reserve(m_rows.size());
    std::vector<int> widths(columns, 0);
    for (const QStringList &row : m_rows) {
        std::vector<int> &measured = cellWidths.emplace_back(row.size());
        for (int c = 0; c < row.size(); ++c) {
            measured[c] = DisplayWidth(row[c]);
            widths[c] = std::max(widths[c], measured[c]);
        }
    }
    std::vector<int> starts(columns, 0);
    for (std::size_t c = 1; c < columns; ++c)
        starts[c] = starts[c - 1] + widths[c - 1] + gap;

    const QString margin(indent, QLatin1Char(' '));
    QString out;
    if (!m_groups.empty()) {
        QString line;
        for (const auto &[first, caption] : m_groups) {
            const int at = first < static_cast<int>(columns) ? starts[first] : 0;
            line = PadRight(line, at) + caption;
        }
        out += margin + line + QLatin1Char('\n');
    }
    QString line;
    line.reserve(starts.empty() ? 0 : starts.back() + widths.back() + 1);
    out.reserve(out.size() + static_cast<qsizetype>(m_rows.size()) * (line.capacity() + indent + 1));
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const QStringList &row = m_rows[r];
        line.resize(0);   // keeps the room reserved
        for (int c = 0; c < row.size(); ++c) {
            const bool right = c < static_cast<int>(m_right.size()) && m_right[c];
            const int blanks = widths[c] - cellWidths[r][c];
            if (c > 0)
                appendBlanks(line, gap);
            if (right)
                appendBlanks(line, blanks);
            line += row[c];
            if (!right)
                appendBlanks(line, blanks);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += margin;
        out += line;
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace quiren::cli
