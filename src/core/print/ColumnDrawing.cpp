#include "core/print/ColumnDrawing.h"
#include "core/calc/ColumnCheck.h"
#include "core/print/CheckPages.h"

#include "core/calc/ColumnCheck.h"

#include <algorithm>

namespace quiren {

namespace {

// Column widths in twips: the caption, one per direction, and the storey's
// judgement taking the rest of the sheet's width (10206 twips).
constexpr float Widths[] = {3900, 1800, 1800};
constexpr int ColumnCount = 5;   // four columns and the right edge
constexpr int FirstRow = 2;

} // namespace

ColumnDrawing::ColumnDrawing(SheetPainter &painter, const CalcSheet &sheet)
    : m_p(painter), m_sheet(sheet), m_n(std::clamp(sheet.storeyIndex, 0, StoreyCount - 1)),
      m_columns(painter, std::vector<float>(std::begin(Widths), std::end(Widths)))
{
}

float ColumnDrawing::X(int column) const
{
    return m_columns.x(column);
}

void ColumnDrawing::PutLeft(int column, int row, const QString &text)
{
    m_columns.putLeft(column, row, text);
}

void ColumnDrawing::PutRight(int column, int row, const QString &text)
{
    m_columns.putRight(column, row, text);
}

void ColumnDrawing::DrawPage()
{
    m_p.SetSheetFont(10, 4);
    m_p.PutText(m_p.ColX(0), m_p.CharHeight(12), QStringLiteral("柱の小径"));
    m_p.SetSheetFont(9, 3);
    m_p.PutProjectLine(m_sheet.titleName);

    int row = FirstRow;
    for (int s = 0; s <= m_n && row < SheetPainter::RowCount - 1; ++s)
        row = DrawStorey(s, row) + 1;
}

int ColumnDrawing::DrawStorey(int s, int top)
{
    const StoreyColumnResult r = CheckStoreyColumns(m_sheet, s);
    const std::vector<ColumnTableRow> rows = ColumnTableRows(r);
    QStringList lines = ColumnHeaderLines(r);
    if (!r.missing.isEmpty())
        lines << QStringLiteral("未入力: ") + r.missing.join(QStringLiteral("、"));
    // Never past the page's last row.
    const int needed = 1 + static_cast<int>(lines.size()) + 1 + static_cast<int>(rows.size());
    if (top + needed >= SheetPainter::RowCount)
        return top + needed;

    m_p.SetSheetFont(9, 3);
    m_p.PutText(X(0), m_p.RowTextTop(top, 3), StoreyName(s));
    m_p.SetSheetFont(8, 2);
    int row = top + 1;
    for (const QString &line : lines)
        PutLeft(0, row++, line);

    // The table: a heading row, then one row per step.
    const int head = row;
    const int last = head + 1 + static_cast<int>(rows.size());
    const float left = X(0), right = X(ColumnCount - 1);
    m_p.SetPen(4);
    m_p.DrawLine(left, m_p.RowY(head), right, m_p.RowY(head));
    m_p.DrawLine(right, m_p.RowY(head), right, m_p.RowY(last));
    m_p.DrawLine(right, m_p.RowY(last), left, m_p.RowY(last));
    m_p.DrawLine(left, m_p.RowY(last), left, m_p.RowY(head));
    m_p.SetPen(2);
    m_p.DrawLine(left, m_p.RowY(head + 1), right, m_p.RowY(head + 1));
    m_p.SetPen(1);
    for (int c = 1; c < ColumnCount - 1; ++c)
        m_p.DrawLine(X(c), m_p.RowY(head), X(c), m_p.RowY(last));
    for (int i = head + 2; i < last; ++i)
        m_p.DrawLine(left, m_p.RowY(i), X(3), m_p.RowY(i));

    PutRight(1, head, ColumnDirectionName(0));
    PutRight(2, head, ColumnDirectionName(1));
    PutLeft(3, head, QStringLiteral("判定"));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int at = head + 1 + static_cast<int>(i);
        PutLeft(0, at, rows[i].caption);
        PutRight(1, at, rows[i].values[0]);
        PutRight(2, at, rows[i].values[1]);
    }
    const QString verdict = r.verdictText();
    PutLeft(3, head + 1, verdict.isEmpty() ? QStringLiteral("-") : QStringLiteral("判定：") + verdict);
    return last;
}

CheckPages ColumnPages()
{
    return {HasColumnData, [](SheetPainter &painter, const CalcSheet &sheet) {
                painter.NewPage();
                ColumnDrawing(painter, sheet).DrawPage();
            }};
}

} // namespace quiren
