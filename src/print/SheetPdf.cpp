#include "print/SheetPdf.h"

#include "print/PaintSheetDevice.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace quiren {

WriteResult WriteSheetPdf(const QString &path, const CalcSheet &sheet,
                          const SheetSettings &settings)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};

    {
        QPdfWriter writer(&file);
        SetUpSheetPdf(writer, sheet.titleName);
        PaintSheetDevice device(&writer);
        SheetPainter painter(device);
        painter.SetPenWidths({1, 3, 5, 7});
        DrawSheet(painter, sheet, settings);
        if (!device.endPage()) {
            file.cancelWriting();
            return {false, file.errorString().isEmpty() || file.error() == QFileDevice::NoError
                               ? QStringLiteral("PDF")
                               : file.errorString()};
        }
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace quiren
