#pragma once

#include "core/calc/CalcSheet.h"
#include "core/print/SheetPainter.h"

// The N値 table of the column-end joints, printed after the other pages:
// one block of two rows per column (its two directions), the storeys one
// after the other, continued over as many pages as it needs with the title
// and the heading repeated on each. Drawn with the sheet's primitives and on
// the sheet's rows, so paper, PDF and JW-CAD show the same table.
namespace quiren {

class JointDrawing {
public:
    JointDrawing(SheetPainter &painter, const CalcSheet &sheet);

    // Opens a new page for the table and draws it, with further pages as
    // needed. Nothing when no storey lists a column.
    void DrawPages();
    // How many pages the table takes.
    int PageCount() const;

    static constexpr int ColumnCount = 14;   // 13 columns and the right edge
    static constexpr int HeadingRow = 2;
    static constexpr int FirstRow = 4;
    static constexpr int LastRow = 66;       // the last row a block may end on
    float ColumnX(int column) const;

private:
    // One storey's label (column -1) or a column's block.
    struct Item {
        int storey;
        int column;
        int rows() const { return column < 0 ? 1 : 2; }
    };
    std::vector<Item> items() const;
    void BeginTablePage(int page, int pages);
    void CloseTable(int lastRow);
    void DrawHeadings();
    void PutLeft(int column, int row, const QString &text);
    void PutRight(int column, int row, const QString &text);
    void PutCentred(int from, int to, int row, const QString &text);

    SheetPainter &m_p;
    const CalcSheet &m_sheet;
    std::vector<int> m_labelRows;   // rows of storey labels on the current page
};

} // namespace quiren
