#include "print/PrintCommands.h"

#include "print/PrinterDevice.h"
#include "print/SheetDrawing.h"
#include "print/SheetPdf.h"
#include "settings/AppData.h"
#include "shell/MessageBox.h"
#include "shell/StringTable.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace quiren {

namespace {

constexpr int TextPrinted = 4003;          // "を印刷しました。"
constexpr int TextOfferPdf = 6060;         // save as PDF instead?
constexpr int TextPdfFilter = 6061;        // "PDFﾌｧｲﾙ (*.pdf)|*.pdf"
constexpr int TextPdfExtension = 6062;     // ".pdf"
constexpr int TextPdfSaved = 6063;         // path & LF & this
constexpr int TextPdfNotSaved = 6064;      // path & LF & this & LF & reason
constexpr int TextPreviewTitle = 6066;     // "印刷ﾌﾟﾚﾋﾞｭｰ"
constexpr int TextPdfTitle = 6068;         // "PDFﾌｧｲﾙとして保存"

PrinterSource &printerSource()
{
    static PrinterSource source;
    return source;
}

PdfNameQuestion &pdfNameQuestion()
{
    static PdfNameQuestion question;
    return question;
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

// "説明|*.pdf" as a file dialog filter: "説明".
QString DialogFilter(const QString &barText)
{
    const QStringList parts = barText.split(QLatin1Char('|'));
    return parts.value(0);
}

QString AskPdfName(QWidget *parent, const QString &proposed)
{
    if (pdfNameQuestion())
        return pdfNameQuestion()(parent, proposed);
    return QFileDialog::getSaveFileName(parent, Str(TextPdfTitle), proposed,
                                        DialogFilter(Str(TextPdfFilter)));
}

SheetSettings CurrentSheetSettings()
{
    return ReadSheetSettings(AppData::instance());
}

// The printer failed or there is none: say so, and offer the PDF file.
void OfferPdfInstead(QWidget *parent, const CalcSheet &sheet, const QString &caption,
                     const QString &problem)
{
    const QString text = problem + QLatin1Char('\n') + QLatin1Char('\n') + Str(TextOfferPdf);
    if (ShowMessage(parent, text, MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes)
        SaveSheetPdfCommand(parent, sheet, caption);
}

} // namespace

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    release();
}

void BusyCursor::release()
{
    if (m_active) {
        QApplication::restoreOverrideCursor();
        m_active = false;
    }
}

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

void SetPdfNameQuestion(PdfNameQuestion question)
{
    pdfNameQuestion() = std::move(question);
}

bool PrintSheetCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption,
                       PaperChoice paper)
{
    BusyCursor busy;
    QPrinter *printer = CurrentPrinter();
    if (printer == nullptr) {
        busy.release();
        OfferPdfInstead(parent, sheet, caption, Str(50161));
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
    ShowMessage(parent, caption + QChar(10) + Str(TextPrinted));
    return true;
}

QString ProposedPdfName(const QString &caption)
{
    const QString extension = Str(TextPdfExtension);
    const QFileInfo info(caption);
    if (info.isAbsolute() && !info.suffix().isEmpty())
        return QDir(info.path()).filePath(info.completeBaseName() + extension);
    return caption + extension;
}

bool SaveSheetPdfCommand(QWidget *parent, const CalcSheet &sheet, const QString &caption)
{
    QString path = AskPdfName(parent, ProposedPdfName(caption));
    if (path.isEmpty())
        return false;
    const QString extension = Str(TextPdfExtension);
    if (QFileInfo(path).suffix().isEmpty())
        path += extension;

    BusyCursor busy;
    const WriteResult written = WriteSheetPdf(path, sheet, CurrentSheetSettings());
    busy.release();
    const QString shown = QDir::toNativeSeparators(path);
    if (!written) {
        ShowMessage(parent,
                    shown + QLatin1Char('\n') + Str(TextPdfNotSaved) + QLatin1Char('\n')
                        + written.error,
                    MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    ShowMessage(parent, shown + QLatin1Char('\n') + Str(TextPdfSaved), MsgButtons::Ok,
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
    preview.setWindowTitle(Str(TextPreviewTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheet, &settings](QPrinter *target) {
                         BusyCursor busy;
                         PrintSheet(*target, sheet, settings);
                     });
    preview.resize(900, 1000);
    preview.exec();
}

} // namespace quiren
