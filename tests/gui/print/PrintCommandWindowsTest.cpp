// The commands as the windows reach them: the calculation window's File menu
// (print, preview, PDF, JW-CAD), the main window's Print and Info buttons.
#include "PrintCommandSupport.h"
#include "TestSupport.h"

#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/print/PrintCommands.h"
#include "gui/shell/MainWindow.h"
#include "gui/tools/Hint.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <memory>

using namespace quiren;
using namespace quiren::test;

namespace {

class WindowCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteNewSheet2025(false);   // these tests drive old-rule sheets
        folder = makeScratchDir(QStringLiteral("windows"));
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(folder + QStringLiteral("/page.pdf"));
        printer->setPageSize(QPageSize(QPageSize::Letter));
        printer->setPageOrientation(QPageLayout::Landscape);
        SetPrinterSource([this] { return printer.get(); });
        main = std::make_unique<MainWindow>(false);
        main->load();
    }
    void TearDown() override
    {
        main.reset();
        SetPrinterSource({});
    }

    QAction *item(const QString &name) { return main->activeCalcWindow()->action(name); }

    QString folder;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<MainWindow> main;
};

} // namespace

TEST_F(WindowCommands, FileMenuHoldsPreviewAndPdfAfterPrint)
{
    CalcWindow *calc = main->activeCalcWindow();
    ASSERT_NE(calc, nullptr);
    QAction *print = calc->action(QStringLiteral("mnuFilePrint"));
    QMenu *file = nullptr;
    for (QMenu *menu : main->menus())
        if (menu->actions().contains(print))
            file = menu;
    ASSERT_NE(file, nullptr);
    const QList<QAction *> items = file->actions();
    const qsizetype at = items.indexOf(print);
    ASSERT_GE(at, 0);
    ASSERT_LT(at + 3, items.size());
    EXPECT_EQ(items[at + 1]->objectName(), QStringLiteral("mnuFilePreview"));
    EXPECT_EQ(items[at + 1]->text(), QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"));
    EXPECT_EQ(items[at + 2]->objectName(), QStringLiteral("mnuFilePdf"));
    EXPECT_EQ(items[at + 2]->text(), QStringLiteral("PDFﾌｧｲﾙとして保存(&D)..."));
    EXPECT_EQ(items[at + 3]->objectName(), QStringLiteral("mnuJWcomp"));

    // A second window has the same items: the menus are made once.
    main->newCalcWindow();
    ASSERT_EQ(main->calcWindows().size(), 2);
    EXPECT_EQ(main->calcWindows().last()->action(QStringLiteral("mnuFilePreview")), items[at + 1]);
}

TEST_F(WindowCommands, MenuPrintKeepsThePaperToolBarPrintSetsA4)
{
    MessageRecorder messages;
    item(QStringLiteral("mnuFilePrint"))->trigger();
    ASSERT_EQ(messages.requests().size(), 1);
    EXPECT_EQ(messages.requests()[0].text, QStringLiteral("新規計算書1\nを印刷しました。"));
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);

    main->toolButton(QStringLiteral("Print"))->trigger();
    ASSERT_EQ(messages.requests().size(), 2);
    EXPECT_EQ(messages.requests()[1].text, QStringLiteral("新規計算書1\nを印刷しました。"));
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);

    // Printing changes nothing in the document.
    EXPECT_FALSE(main->activeCalcWindow()->sheet().changed);
}

TEST_F(WindowCommands, NoPrinterFromTheToolBar)
{
    SetPrinterSource([] { return nullptr; });
    MessageRecorder messages;
    main->toolButton(QStringLiteral("Print"))->trigger();
    ASSERT_EQ(messages.requests().size(), 1);
    EXPECT_TRUE(messages.requests()[0].text.startsWith(
        QStringLiteral("ﾌﾟﾘﾝﾀに問題があるか、ﾄﾞﾗｲﾊﾞがｾｯﾄｱｯﾌﾟされていません｡")));
    EXPECT_FALSE(messages.anyContains(QStringLiteral("を印刷しました。")));
}

TEST_F(WindowCommands, JwCommandWritesIntoTheFolderInEffect)
{
    AppData &data = AppData::instance();
    const QString kept = data.jwFolder;
    data.jwFolder = folder + QLatin1Char('/');
    MessageRecorder messages;
    item(QStringLiteral("mnuJWcomp"))->trigger();
    data.jwFolder = kept;
    ASSERT_EQ(messages.requests().size(), 1);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("変換完了"));
    EXPECT_EQ(messages.requests()[0].text,
              folder + QStringLiteral("/にQrn_JW.txtの名前で保存しました。"));
    EXPECT_TRUE(readAll(folder + QStringLiteral("/Qrn_JW.txt")).startsWith("lt1\r\n"));
}

TEST_F(WindowCommands, AdviceForTheStoreyShown)
{
    WriteModule(0);
    CalcWindow *calc = main->activeCalcWindow();
    std::unique_ptr<CalcSheet> example = ExampleSheet(QStringLiteral("nikai.qrn"));
    ASSERT_TRUE(example);
    calc->sheet() = *example;
    calc->showSheet();
    calc->showStorey(1);

    const HintInput input = calc->hintInput();
    EXPECT_EQ(input.pageCaption, QStringLiteral("二階"));
    EXPECT_EQ(input.directionCaptions[0], QStringLiteral("桁に平行な壁面"));
    EXPECT_EQ(input.directionCaptions[1], QStringLiteral("梁に平行な壁面"));
    EXPECT_EQ(input.row[JudgeNecessary0], example->judgement[1][JudgeNecessary0]);

    // The Info button opens it modal over the main window.
    QString heading;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto *hint = qobject_cast<frmHint *>(QApplication::activeModalWidget())) {
            heading = hint->Label1->text();
            owner = hint->parentWidget();
            hint->Cmd1->click();
        }
    });
    main->toolButton(QStringLiteral("Info"))->trigger();
    EXPECT_EQ(heading, QStringLiteral("二階ｱﾄﾞﾊﾞｲｽ"));
    EXPECT_EQ(owner, main.get());

    // Without a calculation window nothing opens.
    calc->sheet().changed = false;
    ASSERT_TRUE(main->closeAllCalcWindows());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto *hint = qobject_cast<frmHint *>(QApplication::activeModalWidget())) {
            opened = true;
            hint->Cmd1->click();
        }
    });
    main->showHint();
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}
