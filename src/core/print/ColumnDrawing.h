#pragma once

#include "core/calc/CalcSheet.h"
#include "core/print/PageColumns.h"
#include "core/print/SheetPainter.h"

// The column diameter check (柱の小径) printed on a page of its own after the
// wall quantity (and the balance table): per storey the method, the timber
// and Fc, Wd with where it came from, then a table with one column per
// direction: l, the section, λ, the method's figures and the judgement.
// Drawn with the sheet's primitives on the sheet's rows, like the balance
// table, so paper, PDF and JW-CAD show the same page.
namespace quiren {

class ColumnDrawing {
public:
    ColumnDrawing(SheetPainter &painter, const CalcSheet &sheet);

    // Draws the page on the current page (the layout must be computed).
    void DrawPage();

private:
    // Draws storey s from sheet row `top`; returns the first row after it.
    int DrawStorey(int s, int top);
    float X(int column) const;
    void PutLeft(int column, int row, const QString &text);
    void PutRight(int column, int row, const QString &text);

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    int m_n = 0;
    PageColumns m_columns;
};

} // namespace quiren
