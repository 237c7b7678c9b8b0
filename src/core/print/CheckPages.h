#pragma once

#include <vector>

// The printed pages of the checks beside the wall quantity (the quarter
// method, the column diameter, the column-end joints). They follow the
// sheet in the order of CheckPageList(), each only for a sheet that holds
// the check; the sheet's own pages never change for them. A new check adds
// one entry (see "Adding a check" in docs/architecture.md).
namespace quiren {

class CalcSheet;
class SheetPainter;

struct CheckPages {
    bool (*hasData)(const CalcSheet &sheet);
    // Draws the check's pages after what is drawn, each on a new page.
    void (*draw)(SheetPainter &painter, const CalcSheet &sheet);
};

const std::vector<CheckPages> &CheckPageList();

// The entries, each beside its drawing.
CheckPages BalancePages();   // BalanceDrawing.cpp
CheckPages ColumnPages();    // ColumnDrawing.cpp
CheckPages JointPages();     // JointDrawing.cpp

} // namespace quiren
