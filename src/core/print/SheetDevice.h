#pragma once

#include <QString>

// The surface the calculation sheet is measured on and drawn on: a printed
// page (a printer or a PDF file), or a stand-in for tests.
//
// Every length is in twips (1440 per inch). The origin is the top-left corner
// of the printable area and y grows downward.
namespace quiren {

class SheetDevice {
public:
    virtual ~SheetDevice() = default;

    // Size of the printable area of the page.
    virtual float printableWidth() const = 0;
    virtual float printableHeight() const = 0;

    // The current font size in points; texts are measured and drawn in it.
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    virtual float textWidth(const QString &text) const = 0;
    // The height of a line of text: the em height of the current font.
    virtual float textHeight(const QString &text) const = 0;

    // Opens the page for drawing, in black. Measuring needs no open page.
    virtual void beginPage() = 0;
    // Ends the page drawn so far and opens the next one, in black.
    virtual void newPage() = 0;
    // A text whose top-left corner is at (x, y).
    virtual void drawText(float x, float y, const QString &text) = 0;
    virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
    // Width of the lines drawn from now on, in pixels of the device.
    virtual void setLineWidth(int pixels) = 0;
};

} // namespace quiren
