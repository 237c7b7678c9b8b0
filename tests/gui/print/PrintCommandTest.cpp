#include "PrintCommandSupport.h"
#include "TestSupport.h"

#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfTextLayer.h"
#include "core/print/SheetDrawing.h"
#include "core/print/SheetPdf.h"
#include "core/settings/AppData.h"
#include "gui/print/PrintCommands.h"
#include "gui/tools/ComDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

using namespace quiren;
using namespace quiren::test;

namespace {

const QString Printed = QStringLiteral("を印刷しました。");
const QString NoPrinter =
    QStringLiteral("ﾌﾟﾘﾝﾀに問題があるか、ﾄﾞﾗｲﾊﾞがｾｯﾄｱｯﾌﾟされていません｡");
const QString CannotPrint = QStringLiteral("印刷が出来ません。");
const QString OfferPdf = QStringLiteral("代わりにPDFﾌｧｲﾙとして保存しますか？");

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet = ExampleSheet(QStringLiteral("sankai-kyofu.qrn"));
        ASSERT_TRUE(sheet);
        folder = makeScratchDir(QStringLiteral("print"));
    }
    void TearDown() override
    {
        SetPrinterSource({});
        SetFileDialogResponder({});
    }

    // A printer that writes its pages into a PDF file instead of a queue.
    std::unique_ptr<QPrinter> filePrinter(const QString &name)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(folder + QLatin1Char('/') + name);
        return printer;
    }

    std::unique_ptr<CalcSheet> sheet;
    QString folder;
};

} // namespace

TEST_F(PrintCommands, PrintsAndConfirmsWithTheCaption)
{
    auto printer = filePrinter(QStringLiteral("page.pdf"));
    SetPrinterSource([&printer] { return printer.get(); });
    MessageRecorder messages;

    EXPECT_TRUE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("新規計算書1"),
                                  PaperChoice::AsItIs));
    ASSERT_EQ(messages.requests().size(), 1);
    const MessageRequest &done = messages.requests().first();
    EXPECT_EQ(done.text, QStringLiteral("新規計算書1\nを印刷しました。"));
    EXPECT_EQ(done.title, QStringLiteral("Quiren"));
    EXPECT_EQ(done.buttons, MsgButtons::Ok);
    EXPECT_EQ(done.icon, MsgIcon::None);
    // The pointer is back to normal once the message shows.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The page holds the sheet: the same text as the sheet's own PDF.
    ASSERT_TRUE(QFileInfo(printer->outputFileName()).size() > 0);
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; page text not compared";
    const QString own = folder + QStringLiteral("/own.pdf");
    ASSERT_TRUE(WriteSheetPdf(own, *sheet, ReadSheetSettings(AppData::instance())).ok);
    // (The printed page's text layer is the printer's: its radicals are
    // read as the ideographs the sheet's own PDF gives.)
    const QString printedText = IdeographsForRadicals(PdfText(printer->outputFileName()), QFont(SheetFontFamily()));
    EXPECT_TRUE(printedText.contains(QStringLiteral("ビル新築")));
    EXPECT_EQ(printedText, PdfText(own));
}

TEST_F(PrintCommands, TheToolBarSetsA4PortraitTheMenuKeepsThePaper)
{
    auto printer = filePrinter(QStringLiteral("paper.pdf"));
    printer->setPageSize(QPageSize(QPageSize::B5));
    printer->setPageOrientation(QPageLayout::Landscape);
    SetPrinterSource([&printer] { return printer.get(); });
    MessageRecorder messages;

    ASSERT_TRUE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("a"), PaperChoice::AsItIs));
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::B5);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);

    ASSERT_TRUE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("a"), PaperChoice::A4Portrait));
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    // The paper stays as the tool bar left it for the next menu print.
    ASSERT_TRUE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("a"), PaperChoice::AsItIs));
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
}

TEST_F(PrintCommands, NoPrinterIsAFailureWithThePdfOffer)
{
    SetPrinterSource([] { return nullptr; });
    const QString pdf = folder + QStringLiteral("/instead.pdf");
    QString proposed;
    QString title;
    QStringList filters;
    SetFileDialogResponder([&](const FileDialogRequest &request) {
        proposed = request.proposedName;
        title = request.title;
        filters = request.nameFilters;
        return request.action == ComDlgSaveAs ? pdf : QString();
    });

    {
        // Declined: nothing written, and never a word of success.
        MessageRecorder messages;
        EXPECT_FALSE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("新規計算書2"),
                                       PaperChoice::A4Portrait));
        ASSERT_EQ(messages.requests().size(), 1);
        EXPECT_TRUE(messages.requests().first().text.startsWith(NoPrinter));
        EXPECT_TRUE(messages.requests().first().text.endsWith(OfferPdf));
        EXPECT_EQ(messages.requests().first().buttons, MsgButtons::YesNo);
        EXPECT_FALSE(messages.anyContains(Printed));
        EXPECT_FALSE(QFile::exists(pdf));
        EXPECT_TRUE(proposed.isEmpty());
    }
    {
        // Accepted: the sheet goes into the PDF file the user names.
        MessageRecorder messages;
        messages.answer(MsgAnswer::Yes);
        EXPECT_FALSE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("新規計算書2"),
                                       PaperChoice::AsItIs));
        EXPECT_EQ(proposed, QStringLiteral("新規計算書2.pdf"));
        EXPECT_EQ(title, QStringLiteral("PDFﾌｧｲﾙとして保存"));
        EXPECT_EQ(filters, QStringList{QStringLiteral("PDFﾌｧｲﾙ (*.pdf)")});
        // The dialog object is left as the document commands had it.
        EXPECT_TRUE(CommonDialog().DialogTitle.isEmpty());
        EXPECT_GT(QFileInfo(pdf).size(), 0);
        ASSERT_EQ(messages.requests().size(), 2);
        EXPECT_EQ(messages.requests().at(1).text, pdf + QStringLiteral("\nをPDFﾌｧｲﾙとして保存しました。"));
        EXPECT_FALSE(messages.anyContains(Printed));
    }
}

TEST_F(PrintCommands, APrinterThatCannotPrintIsAFailure)
{
    // The printer's output cannot be opened: the page never starts.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(folder + QStringLiteral("/missing/folder/page.pdf"));
    SetPrinterSource([&printer] { return printer.get(); });
    MessageRecorder messages;

    EXPECT_FALSE(PrintSheetCommand(nullptr, *sheet, QStringLiteral("x"), PaperChoice::AsItIs));
    ASSERT_EQ(messages.requests().size(), 1);
    EXPECT_TRUE(messages.requests().first().text.startsWith(CannotPrint));
    EXPECT_TRUE(messages.requests().first().text.endsWith(OfferPdf));
    EXPECT_FALSE(messages.anyContains(Printed));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintCommands, SaveAsPdf)
{
    EXPECT_EQ(ProposedPdfName(QStringLiteral("/home/a/b/ビル.qrn")),
              QStringLiteral("/home/a/b/ビル.pdf"));
    EXPECT_EQ(ProposedPdfName(QStringLiteral("新規計算書3")), QStringLiteral("新規計算書3.pdf"));

    MessageRecorder messages;
    // Cancelled: nothing happens at all.
    SetFileDialogResponder([](const FileDialogRequest &) { return QString(); });
    EXPECT_FALSE(SaveSheetPdfCommand(nullptr, *sheet, QStringLiteral("新規計算書3")));
    EXPECT_TRUE(messages.requests().isEmpty());

    // A name without extension gets ".pdf".
    SetFileDialogResponder([this](const FileDialogRequest &) { return folder + QStringLiteral("/sheet"); });
    EXPECT_TRUE(SaveSheetPdfCommand(nullptr, *sheet, QStringLiteral("新規計算書3")));
    const QString added = folder + QStringLiteral("/sheet.pdf");
    EXPECT_GT(QFileInfo(added).size(), 0);
    // The dialog only asked about "sheet": replacing the "sheet.pdf" it
    // leads to needs a Yes of its own, and No keeps the file.
    QFile::resize(added, 3);
    const qsizetype before = messages.requests().size();
    messages.answer(MsgAnswer::No);
    EXPECT_FALSE(SaveSheetPdfCommand(nullptr, *sheet, QStringLiteral("新規計算書3")));
    ASSERT_EQ(messages.requests().size(), before + 1);
    EXPECT_EQ(messages.requests().last().text,
              QDir::toNativeSeparators(added) + QStringLiteral("\nは既に存在します。置き換えますか？"));
    EXPECT_EQ(messages.requests().last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(QFileInfo(added).size(), 3);
    messages.answer(MsgAnswer::Yes);
    EXPECT_TRUE(SaveSheetPdfCommand(nullptr, *sheet, QStringLiteral("新規計算書3")));
    EXPECT_GT(QFileInfo(added).size(), 3);

    // A folder that does not exist: the reason, and no word of success.
    const QString lost = folder + QStringLiteral("/nowhere/sheet.pdf");
    SetFileDialogResponder([&lost](const FileDialogRequest &) { return lost; });
    EXPECT_FALSE(SaveSheetPdfCommand(nullptr, *sheet, QStringLiteral("新規計算書3")));
    const MessageRequest &failed = messages.requests().last();
    EXPECT_TRUE(failed.text.startsWith(lost + QStringLiteral("\nをPDFﾌｧｲﾙとして保存出来ませんでした。\n")));
    EXPECT_GT(failed.text.size(), (lost + QStringLiteral("\nをPDFﾌｧｲﾙとして保存出来ませんでした。\n")).size());
    EXPECT_EQ(failed.icon, MsgIcon::Critical);
    EXPECT_FALSE(QFile::exists(lost));
}

TEST_F(PrintCommands, PreviewShowsTheSheetPage)
{
    SetPrinterSource([] { return nullptr; });   // the PDF page then
    int pages = -1;
    QString title;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        title = preview->windowTitle();
        if (auto *widget = preview->findChild<QPrintPreviewWidget *>()) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        preview->reject();
    });
    PreviewSheetCommand(nullptr, *sheet, QStringLiteral("新規計算書1"));
    EXPECT_EQ(title, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    EXPECT_EQ(pages, 1);
}
