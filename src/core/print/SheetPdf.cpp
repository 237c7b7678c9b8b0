#include "core/print/SheetPdf.h"

#include "core/io/SafeWrite.h"
#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfTextLayer.h"

#include <QBuffer>
#include <QPdfWriter>

namespace quiren {

std::optional<QByteArray> SheetPdfBytes(const CalcSheet &sheet, const SheetSettings &settings)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString drawn;
    {
        QPdfWriter writer(&buffer);
        SetUpSheetPdf(writer, sheet.titleName);
        PaintSheetDevice device(&writer);
        SheetPainter painter(device);
        painter.SetPenWidths({1, 3, 5, 7});
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
