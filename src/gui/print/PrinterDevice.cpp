#include "gui/print/PrinterDevice.h"

#include "core/print/PaintSheetDevice.h"
#include "core/text/StringTable.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace quiren {

void SetSheetPaper(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

WriteResult PrintSheet(QPrinter &printer, const CalcSheet &sheet, const SheetSettings &settings)
{
    if (!printer.isValid())
        return {false, Str(S::PrinterProblem)};
    PaintSheetDevice device(&printer);
    SheetPainter painter(device);
    painter.SetPenWidths({1, 3, 5, 7});
    DrawSheet(painter, sheet, settings);
    if (!device.endPage() || printer.printerState() == QPrinter::Error)
        return {false, Str(S::CannotPrint)};
    return {};
}

} // namespace quiren
