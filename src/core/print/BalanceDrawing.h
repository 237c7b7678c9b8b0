#pragma once

#include "core/calc/CalcSheet.h"
#include "core/print/PageColumns.h"
#include "core/print/SheetPainter.h"

// The quarter-method table (4分割法) printed on the page after the sheet:
// per storey and direction the two side parts with their floor areas,
// multipliers, necessary and existing lengths and fill ratios, then the
// wall ratio and the judgement. It is drawn with the sheet's primitives and
// on the sheet's rows, so paper, PDF and JW-CAD show the same table.
namespace quiren {

class BalanceDrawing {
public:
    BalanceDrawing(SheetPainter &painter, const CalcSheet &sheet);

    // Draws the table on the current page (the layout must be computed).
    void DrawPage();

    // Left edges of the table's columns and its right edge, in the
    // painter's units: storey, direction, side part, floor area,
    // multiplier, necessary, existing, fill ratio, judgement, end.
    static constexpr int ColumnCount = 10;
    float ColumnX(int column) const;
    // The sheet row of the table's heading and of the first storey block.
    static constexpr int HeadingRow = 1;
    static constexpr int FirstRow = 2;

private:
    void DrawRules(int lastRow);
    void DrawHeadings();
    void DrawStorey(int s, int top);
    void DrawRetrace(int row);
    void PutLeft(int column, int row, const QString &text);
    void PutRight(int column, int row, const QString &text);
    void PutCentred(int from, int to, int row, const QString &text);

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    int m_n = 0;
    PageColumns m_columns;
};

} // namespace quiren
