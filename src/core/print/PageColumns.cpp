#include "core/print/PageColumns.h"

#include <utility>

namespace quiren {

namespace {

// The sheet's printed width in twips, as the sheet's own table has it.
constexpr float SheetWidth = 10206.0f;

} // namespace

PageColumns::PageColumns(SheetPainter &painter, std::vector<float> widths)
    : m_p(painter), m_widths(std::move(widths))
{
}

float PageColumns::x(int column) const
{
    float x = m_p.ColX(0);
    if (column > static_cast<int>(m_widths.size()))
        return x + SheetWidth * m_p.Scale();
    for (int c = 0; c < column; ++c)
        x += m_widths[static_cast<size_t>(c)] * m_p.Scale();
    return x;
}

void PageColumns::putLeft(int column, int row, const QString &text) const
{
    const float margin = m_p.CharWidth(8) / 4.0f;
    m_p.PutText(x(column) + margin, m_p.RowTextTop(row, 2), text);
}

void PageColumns::putRight(int column, int row, const QString &text) const
{
    const float margin = m_p.CharWidth(8) / 4.0f;
    m_p.PutText(x(column + 1) - m_p.TextWidthOf(text, 2) - margin, m_p.RowTextTop(row, 2), text);
}

void PageColumns::putCentred(int from, int to, int row, const QString &text) const
{
    const float span = x(to) - x(from);
    m_p.PutText(x(from) + (span - m_p.TextWidthOf(text, 2)) / 2.0f, m_p.RowTextTop(row, 2), text);
}

} // namespace quiren
