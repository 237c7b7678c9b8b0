#pragma once

#include "core/print/SheetDevice.h"

#include <QString>
#include <QStringList>

#include <array>

// The drawing primitives of the calculation sheet and the sheet's grid.
//
// One SheetPainter draws one sheet, in one of two modes:
//   print mode - texts and lines go to the sheet device;
//   file mode  - they become JW-CAD command lines instead, the grid is scaled
//                by 1.76 and text widths follow from the JW-CAD character
//                sizes. The device is still used for its measurements.
namespace quiren {

// The text of a coordinate in a JW-CAD file: the single-precision value with
// at most seven significant digits, no trailing zeros (1830.4, -2000).
QString JwNumber(float value);

// The bytes of a text in the Windows Japanese code page (CP932), in which
// the JW-CAD file is written. A character the code page cannot hold becomes
// "?", as Windows itself writes it; a control character becomes a blank.
QByteArray JwBytes(const QString &text);

class SheetPainter {
public:
    static constexpr int ColumnCount = 27;   // ColX(0..26)
    static constexpr int RowCount = 71;      // RowY(0..70)
    static constexpr float FileScale = 1.76f;

    // Print mode on `device`.
    explicit SheetPainter(SheetDevice &device);
    // File mode: command lines are appended to `jwLines`; `device` measures.
    SheetPainter(SheetDevice &device, QStringList &jwLines);

    bool FileMode() const { return m_jwLines != nullptr; }
    SheetDevice &Device() const { return m_device; }

    // Pen widths of pens 1 to 4 in device pixels (print mode only).
    void SetPenWidths(const std::array<int, 4> &pixels) { m_penWidth = pixels; }

    // Fills the scale, the character sizes and the grid. Called once at the
    // start of each drawing.
    void ComputeLayout();

    // Opens the page of the device (print mode); nothing in file mode.
    void BeginPage();
    // The next page: a new sheet of paper in print mode; in file mode the
    // drawing goes on one page height further down, below what is drawn.
    void NewPage();

    // A text with its top-left corner at (x, y). An empty text does nothing;
    // a single space is a text like any other.
    void PutText(float x, float y, const QString &text);
    // A text centred between two column lines, vertically centred in the row.
    // With text type 0 the device's own width of the text is used.
    void PutCentred(int colFrom, int colTo, int row, const QString &text, int textType);
    // Font size in points and JW-CAD text type (2, 3 or 4).
    void SetSheetFont(int size, int textType);
    // Pen 1 to 4.
    void SetPen(int n);
    // A line between grid points (c1, r1) and (c2, r2). With c2 and r2 both
    // 0 the line continues from the end of the previous line to (c1, r1).
    // chainStart is 1 for the first segment of a chain.
    void DrawGridLine(int c1, int r1, int c2, int r2, int chainStart);
    // A line between two points of the page, outside the sheet's grid.
    void DrawLine(float x1, float y1, float x2, float y2);
    // The end of a chain of lines (an empty line in the file; nothing on paper).
    void EndChain();
    // The line-type command that opens the JW-CAD file (nothing on paper).
    void PutLineType();

    // The y at which a text must be placed to sit vertically centred in the row.
    float RowTextTop(int row, int textType) const;
    // Width of a text; 0 for an empty text or a single space.
    float TextWidthOf(const QString &text, int textType) const;

    // ---- the layout computed by ComputeLayout -----------------------------
    float Scale() const { return m_k; }
    float ColX(int c) const { return m_colX[static_cast<size_t>(c)]; }
    float RowY(int r) const { return m_rowY[static_cast<size_t>(r)]; }
    // Height and width of "あ" at 8 to 12 points, times the scale.
    float CharHeight(int size) const { return m_charSize[static_cast<size_t>(size)][0]; }
    float CharWidth(int size) const { return m_charSize[static_cast<size_t>(size)][1]; }

private:
    void AddLine(const QString &line);
    void AddPoint(float x, float y);

    SheetDevice &m_device;
    QStringList *m_jwLines = nullptr;
    std::array<int, 4> m_penWidth{1, 3, 5, 7};
    float m_k = 1.0f;
    std::array<std::array<float, 2>, 13> m_charSize{};
    std::array<float, ColumnCount> m_colX{};
    std::array<float, RowCount> m_rowY{};
    float m_pageTop = 0.0f;  // file mode: where the current page starts
    float m_lastX = 0.0f;   // end of the previous line
    float m_lastY = 0.0f;
};

} // namespace quiren
