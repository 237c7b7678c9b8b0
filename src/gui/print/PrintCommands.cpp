#include "gui/print/PrintCommands.h"

#include "core/print/SheetDrawing.h"
#include "core/print/SheetPdf.h"
#include "core/settings/AppData.h"
#include "core/text/StringTable.h"
#include "gui/print/PrinterDevice.h"
#include "gui/tools/ComDlg.h"
#include "gui/widgets/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace quiren {

namespace {

PrinterSource &printerSource()
{
    static PrinterSource source;
    return source;
}

QPrinter *&systemPrinterObject()
{
    static QPrinter *printer = nullptr;
    return printer;
}

void deleteSystemPrinter()
{
    delete systemPrinterObject();
    systemPrinterObject() = nullptr;
}

// The Save As dialog for a PDF file. The dialog object serves the document
// commands too, so what they set is given back afterwards.
QString AskPdfName(const QString &proposed)
{
    clsComDlg &dialog = CommonDialog();
    const QString filter = dialog.Filter;
    const quint32 flags = dialog.Flags;
    const QString title = dialog.DialogTitle;
    const QString fileName = dialog.FileName;
    dialog.Filter = Str(S::PdfFilter);
    dialog.Flags = flags | OFN_OVERWRITEPROMPT;
    dialog.DialogTitle = Str(S::PdfTitle);
    dialog.FileName = proposed;
    dialog.setAction(ComDlgSaveAs);
    const QString chosen = dialog.FileName;
    dialog.Filter = filter;
    dialog.Flags = flags;
    dialog.DialogTitle = title;
    dialog.FileName = fileName;
    return chosen;
}

SheetSettings CurrentSheetSettings()
{
    return ReadSheetSettings(AppData::instance());
}

// The printer failed or there is none: say so, and offer the PDF file.
void OfferPdfInstead(QWidget *parent, const CalcSheet &sheet, const QString &caption,
                     const QString &problem)
{
    const QString text = problem + QLatin1Char('\n') + QLatin1Char('\n') + Str(S::OfferPdf);
    if (ShowMessage(parent, text, MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes)
        SaveSheetPdfCommand(parent, sheet, caption);
}

} // namespace

QPrinter *SystemPrinter()
{
    if (QPrinterInfo::availablePrinters().isEmpty())
        return nullptr;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    QPrinter *&printer = systemPrinterObject();
    if (printer == nullptr) {
        printer = new QPrinter(info, QPrinter::HighResolution);
        // The printer object lives as long as the application object.
        qAddPostRoutine(deleteSystemPrinter);
    } else if (printer->printerName() != info.printerName()) {
        printer->setPrinterName(info.printerName());
    }
    return printer;
}

void SetPrinterSource(PrinterSource source)
{
    printerSource() = std::move(source);
}

QPrinter *CurrentPrinter()
{
    if (printerSource())
        return printerSource()();
    return SystemPrinter();
}

bool PrintSheetCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption,
                       PaperChoice paper)
{
    BusyCursor busy;
    QPrinter *printer = CurrentPrinter();
    if (printer == nullptr) {
        busy.release();
        OfferPdfInstead(parent, sheet, caption, Str(S::PrinterProblem));
        return false;
    }
    if (paper == PaperChoice::A4Portrait)
        SetSheetPaper(*printer);
    const WriteResult printed = PrintSheet(*printer, sheet, CurrentSheetSettings());
    busy.release();
    if (!printed) {
        OfferPdfInstead(parent, sheet, caption, printed.error);
        return false;
    }
    ShowMessage(parent, caption + QChar(10) + Str(S::Printed));
    return true;
}

QString ProposedPdfName(const QString &caption)
{
    const QString extension = Str(S::PdfExtension);
    const QFileInfo info(caption);
    if (info.isAbsolute() && !info.suffix().isEmpty())
        return QDir(info.path()).filePath(info.completeBaseName() + extension);
    return caption + extension;
}

bool SaveSheetPdfCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption)
{
    QString path = AskPdfName(ProposedPdfName(caption));
    if (path.isEmpty())
        return false;
    const QString extension = Str(S::PdfExtension);
    if (QFileInfo(path).suffix().isEmpty()) {
        path += extension;
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path)
            && ShowMessage(parent, QDir::toNativeSeparators(path) + QLatin1Char('\n') + Str(S::ReplaceFile),
                           MsgButtons::YesNo, MsgIcon::Exclamation)
                != MsgAnswer::Yes)
            return false;
    }

    BusyCursor busy;
    const WriteResult written = WriteSheetPdf(path, sheet, CurrentSheetSettings());
    busy.release();
    const QString shown = QDir::toNativeSeparators(path);
    if (!written) {
        ShowMessage(parent,
                    shown + QLatin1Char('\n') + Str(S::PdfNotSaved) + QLatin1Char('\n')
                        + written.error,
                    MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    ShowMessage(parent, shown + QLatin1Char('\n') + Str(S::PdfSaved), MsgButtons::Ok,
                MsgIcon::Information);
    return true;
}

void PreviewSheetCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption)
{
    // The preview shows the page of the printer the sheet would go to; with
    // no printer, the page of the PDF file.
    std::unique_ptr<QPrinter> pdfPage;
    QPrinter *printer = CurrentPrinter();
    if (printer == nullptr) {
        pdfPage = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdfPage->setOutputFormat(QPrinter::PdfFormat);
        pdfPage->setOutputFileName(ProposedPdfName(caption));
        SetSheetPaper(*pdfPage);
        printer = pdfPage.get();
    }
    const SheetSettings settings = CurrentSheetSettings();
    QPrintPreviewDialog preview(printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(Str(S::PreviewTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheet, &settings](QPrinter *target) {
                         BusyCursor busy;
                         PrintSheet(*target, sheet, settings);
                     });
    preview.resize(900, 1000);
    preview.exec();
}

} // namespace quiren
