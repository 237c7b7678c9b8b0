#pragma once

#include "core/print/SheetDevice.h"
#include "core/print/SheetOutput.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// The drawing primitives of the calculation sheet and the sheet's grid.
//
// One SheetPainter lays out one sheet on the page of a device and hands what
// it draws to an output (SheetOutput.h): the device itself, or a vector file
// that keeps the device for its measurements only.
namespace quiren {

class SheetPainter {
public:
    static constexpr int ColumnCount = 27;   // ColX(0..26)
    static constexpr int RowCount = 71;      // RowY(0..70)

    // Drawn on `device`.
    explicit SheetPainter(SheetDevice &device);
    // Laid out on `device` (which measures) and drawn into `output`.
    SheetPainter(SheetDevice &device, SheetOutput &output);

    SheetDevice &Device() const { return m_device; }

    // Pen widths of pens 1 to 4 in device pixels, when drawn on the device.
    void SetPenWidths(const std::array<int, 4> &pixels);

    // Fills the scale, the character sizes and the grid. Called once at the
    // start of each drawing.
    void ComputeLayout();

    // Opens the first page of the output.
    void BeginPage();
    // The next page: a new sheet of paper on the device; in a file the
    // drawing goes on one page height further down, below what is drawn.
    void NewPage();

    // A text with its top-left corner at (x, y). An empty text does nothing;
    // a single space is a text like any other.
    void PutText(float x, float y, const QString &text);
    // A text that must stay within `room` (its width at most): placed at
    // (x, y) unchanged when it fits. When it does not, the font is made
    // smaller, down to MinFittedFontSize, and if that is not enough the
    // text is cut and ends in "…" (in a file, where the size follows the
    // text type, it is only cut). A text anchored at its end keeps its end
    // where it was; with `row` >= 0 a smaller text is centred in that row
    // again. The font is what it was afterwards.
    enum class Anchor { Start, End };
    void PutFitted(float x, float y, const QString &text, float room, int textType,
                   Anchor anchor = Anchor::Start, int row = -1);
    static constexpr int MinFittedFontSize = 6;
    // The project line of a page's top right, "（ 名称工事 ）" (ProjectLineText),
    // right-aligned with the table and never beginning left of it, in the
    // font set.
    void PutProjectLine(const QString &name);
    // A text broken into lines no wider than `room`, at a blank where the
    // line has one late enough, else between any two characters (never
    // inside a surrogate pair). At least one line.
    QStringList WrapText(const QString &text, float room, int textType) const;
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
    // The end of a chain of lines.
    void EndChain();
    // The line type the drawing opens with (a command of the file; nothing
    // on paper).
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
    SheetDevice &m_device;
    std::unique_ptr<DeviceOutput> m_deviceOutput;   // when drawn on the device
    SheetOutput *m_out = nullptr;
    float m_k = 1.0f;
    std::array<std::array<float, 2>, 13> m_charSize{};
    std::array<float, ColumnCount> m_colX{};
    std::array<float, RowCount> m_rowY{};
    float m_lastX = 0.0f;   // end of the previous line
    float m_lastY = 0.0f;
};

} // namespace quiren
