#include "core/print/SheetPdf.h"

#include "core/io/SafeWrite.h"
#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfSheetDevice.h"
#include "core/print/PdfTextLayer.h"

#include <QBuffer>
#include <QPdfWriter>

namespace quiren {

namespace {

// The pens of the sheet in pixels of the PDF's resolution.
constexpr std::array<int, 4> PdfPenWidths{1, 3, 5, 7};

} // namespace

std::optional<QByteArray> SheetPdfBytes(const CalcSheet &sheet, const SheetSettings &settings)
{
    // Written by the program itself where it can embed the sheet's font:
    // Qt's PDF writer spends most of a sheet's time mapping every character
    // of the font back from its glyph.
    if (const TrueTypeFace *face = SheetFontFace()) {
        PdfSheetDevice device(*face, SheetPageLayout(), sheet.titleName);
        SheetPainter painter(device);
        painter.SetPenWidths(PdfPenWidths);
        DrawSheet(painter, sheet, settings);
        if (std::optional<QByteArray> pdf = device.finish())
            return pdf;
    }
    return SheetPdfBytesThroughQt(sheet, settings);
}

std::optional<QByteArray> SheetPdfBytesThroughQt(const CalcSheet &sheet, const SheetSettings &settings)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString drawn;
    {
        QPdfWriter writer(&buffer);
        SetUpSheetPdf(writer, sheet.titleName);
        PaintSheetDevice device(&writer);
        SheetPainter painter(device);
        painter.SetPenWidths(PdfPenWidths);
        DrawSheet(painter, sheet, settings);
        if (!device.endPage())
            return std::nullopt;
        drawn = device.drawnCharacters();
    }
    QByteArray pdf = buffer.data();
    MendPdfTextLayer(pdf, QFont(SheetFontFamily()), drawn);
    return pdf;
}

WriteResult WriteSheetPdf(const QString &path, const CalcSheet &sheet,
                          const SheetSettings &settings)
{
    // The page is drawn in memory first and then written in one safe step,
    // so a failed write never leaves a cut PDF over an earlier one.
    const std::optional<QByteArray> pdf = SheetPdfBytes(sheet, settings);
    if (!pdf)
        return {false, QStringLiteral("PDF")};
    return WriteFileSafely(path, *pdf);
}

} // namespace quiren
