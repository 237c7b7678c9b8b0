#pragma once

#include "core/print/SheetDevice.h"
#include "core/print/SheetTextMeasure.h"

#include <QPainter>
#include <QPageLayout>

#include <bitset>

class QPagedPaintDevice;
class QPdfWriter;

namespace quiren {

// The sheet's typeface: IPAex Mincho. When it is not installed another
// Japanese font is taken (preferring a Mincho or serif face) and a warning
// goes to standard error once.
QString SheetFontFamily();
// That family as the sheet sets it: no hinting, no kerning. Sized by
// SheetTextMeasure.
QFont SheetFont();

// A4 portrait with side margins that leave a printable width of exactly
// 11340 twips (567 pt); top and bottom margins as wide as the side ones.
QPageLayout SheetPageLayout();

// The PDF writer's resolution: that of a common office laser printer, so the
// pens (1, 3, 5 and 7 pixels) come out as they would on paper.
inline constexpr int SheetPdfResolution = 600;

// Prepares a PDF writer for one sheet: the page above, the resolution, and
// the creator and title of the document.
void SetUpSheetPdf(QPdfWriter &writer, const QString &title);

// The sheet on a paged device (a PDF writer or a printer), drawn with
// QPainter. The painter works in twips; fonts are sized in twips too, so a
// text measures exactly as it is drawn whatever the device's resolution.
class PaintSheetDevice : public MeasuredSheetDevice {
public:
    // The device is not owned and must outlive this object.
    explicit PaintSheetDevice(QPagedPaintDevice *device);
    ~PaintSheetDevice() override;

    float printableWidth() const override;
    float printableHeight() const override;
    void setFontSize(int points) override;
    void beginPage() override;
    void newPage() override;
    void drawText(float x, float y, const QString &text) override;
    void drawLine(float x1, float y1, float x2, float y2) override;
    void setLineWidth(int pixels) override;

    // Ends the page and the document. False when the device could not be
    // painted on, or when it failed while writing.
    bool endPage();
    // Whether the painter could be started on the device.
    bool pageOpen() const { return m_painter.isActive(); }
    // Every character drawn so far, once each, in code point order.
    QString drawnCharacters() const;

private:
    QPagedPaintDevice *m_device;
    QPainter m_painter;
    bool m_failed = false;
    float m_lineWidth = 0.0f;  // twips
    std::bitset<0x10000> m_drawn;
};

} // namespace quiren
