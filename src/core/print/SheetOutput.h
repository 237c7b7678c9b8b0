#pragma once

#include "core/print/SheetDevice.h"

#include <QString>

#include <array>

// Where the strokes of the sheet go. SheetPainter lays the sheet out and
// hands each text, line and pen to one output: the page device (printer,
// preview, PDF), or a vector file such as the JW-CAD coordinate file
// (JwExport.h). A new file format is a new output beside these; the painter
// and the drawings stay as they are.
//
// Coordinates are in twips of the page times the output's scale, y growing
// downward from the top of the current page.
namespace quiren {

class SheetOutput {
public:
    virtual ~SheetOutput() = default;

    // The scale of the sheet's grid on this output (1 on paper).
    virtual float scale() const = 0;

    // Opens the first page; the next page. A file with no pages goes on one
    // page height further down.
    virtual void beginPage() = 0;
    virtual void newPage() = 0;

    // Font size in points and JW-CAD text type (2, 3 or 4). A file keeps
    // the type; the page the size.
    virtual void setFont(int points, int textType) = 0;
    // Pen 1 to 4.
    virtual void setPen(int pen) = 0;
    // The line type of what follows (the file's opening command).
    virtual void setLineType() = 0;

    // A text with its top-left corner at (x, y).
    virtual void text(float x, float y, const QString &text) = 0;
    // A line on its own.
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    // A chain of lines: its first segment, each further point (the line
    // from (fromX, fromY)), and its end.
    virtual void chainStart(float x1, float y1, float x2, float y2) = 0;
    virtual void chainTo(float fromX, float fromY, float x, float y) = 0;
    virtual void endChain() = 0;

    // The width of a text of `textType` in the current font, and the top at
    // which it sits centred in a row from `rowTop` of `rowHeight`.
    virtual float textWidth(const QString &text, int textType) const = 0;
    virtual float textTop(float rowTop, float rowHeight, int textType) const = 0;
    // Whether a text too long for its room may be set smaller; where the
    // text size follows the type, it can only be cut.
    virtual bool canShrinkText() const = 0;
};

// The page device as an output: texts and lines drawn on it, pens as line
// widths in its pixels.
class DeviceOutput : public SheetOutput {
public:
    explicit DeviceOutput(SheetDevice &device) : m_device(device) {}

    // Widths of pens 1 to 4 in device pixels.
    void setPenWidths(const std::array<int, 4> &pixels) { m_penWidth = pixels; }

    float scale() const override { return 1.0f; }
    void beginPage() override { m_device.beginPage(); }
    void newPage() override { m_device.newPage(); }
    void setFont(int points, int) override { m_device.setFontSize(points); }
    void setPen(int pen) override;
    void setLineType() override {}
    void text(float x, float y, const QString &text) override { m_device.drawText(x, y, text); }
    void line(float x1, float y1, float x2, float y2) override { m_device.drawLine(x1, y1, x2, y2); }
    void chainStart(float x1, float y1, float x2, float y2) override { m_device.drawLine(x1, y1, x2, y2); }
    void chainTo(float fromX, float fromY, float x, float y) override { m_device.drawLine(fromX, fromY, x, y); }
    void endChain() override {}
    float textWidth(const QString &text, int) const override { return m_device.textWidth(text); }
    float textTop(float rowTop, float rowHeight, int) const override;
    bool canShrinkText() const override { return true; }

private:
    SheetDevice &m_device;
    std::array<int, 4> m_penWidth{1, 3, 5, 7};
};

} // namespace quiren
