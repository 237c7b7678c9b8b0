#pragma once

#include "core/print/SheetPainter.h"

#include <QString>

#include <vector>

namespace quiren {

// The columns of a table drawn across the sheet's width on the sheet's
// rows, as the checks' pages lay them out: `widths` in twips are the columns
// from the left edge; the column after them takes the rest of the width.
class PageColumns {
public:
    PageColumns(SheetPainter &painter, std::vector<float> widths);

    // Where column `column` starts; one past the last column is the sheet's
    // right edge.
    float x(int column) const;
    // Text in a cell, a quarter of a character in from its left or right
    // line, or centred between two lines.
    void putLeft(int column, int row, const QString &text) const;
    void putRight(int column, int row, const QString &text) const;
    void putCentred(int from, int to, int row, const QString &text) const;

private:
    SheetPainter &m_p;
    std::vector<float> m_widths;
};

} // namespace quiren
