// The main window: first start, placement, menus that follow the active
// window, the View toggles, the list-input button, the about window and
// Qt's own Japanese texts.
#include "core/settings/SettingsStore.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/shell/AboutWindow.h"
#include "gui/shell/AppVersion.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ScreenFit.h"
#include "gui/shell/SplashWindow.h"
#include "gui/shell/Startup.h"
#include "gui/widgets/Twips.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace quiren {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteNewSheet2025(false);   // these tests drive old-rule sheets
        for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "OnList"})
            DeleteSetting(QStringLiteral("Quiren"), QStringLiteral("Settings"), QLatin1String(key));
    }

    std::unique_ptr<MainWindow> start()
    {
        auto main = std::make_unique<MainWindow>(false);
        main->load();
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        return main;
    }

    static QStringList menuTitles(MainWindow &main)
    {
        QStringList titles;
        for (QAction *item : main.menuBar()->actions()) {
            if (item->isVisible())
                titles << item->text();
        }
        return titles;
    }
};

TEST_F(MainWindowTest, FirstStartOpensOneUntitledWindow)
{
    auto main = start();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quiren"));
    // At (1000, 1000) twips unless the grown window had to move to stay on
    // the screen, its frame included.
    const QRect screen = main->screen()->availableGeometry();
    const QMargins frame = FrameMarginsOf(main.get());
    EXPECT_TRUE(screen.contains(main->geometry().marginsAdded(frame)));
    if (main->geometry().right() + frame.right() < screen.right()) {
        EXPECT_EQ(main->pos().x(), TwipsToPixelsX(1000));
    }
    if (main->geometry().bottom() + frame.bottom() < screen.bottom()) {
        EXPECT_EQ(main->pos().y(), TwipsToPixelsY(1000));
    }
    // At least the default size, grown to show the whole first window.
    EXPECT_GE(main->width(), TwipsToPixelsX(11000));
    EXPECT_GE(main->height(), TwipsToPixelsY(8000));
    ASSERT_EQ(main->calcWindows().size(), 1);
    QMdiSubWindow *sub = main->mdiArea()->subWindowList().first();
    EXPECT_TRUE(main->mdiArea()->viewport()->rect().contains(sub->geometry()))
        << main->width() << "x" << main->height();
    EXPECT_EQ(main->activeCalcWindow()->caption(), QStringLiteral("新規計算書1"));
    EXPECT_TRUE(main->action(QStringLiteral("mnuPaf"))->isChecked());
    EXPECT_TRUE(main->toolButton(QStringLiteral("List"))->isChecked());
    EXPECT_TRUE(main->activeCalcWindow()->listInput());

    // Tool bar: nine places, with their tool-tips and images.
    const QList<QAction *> buttons = main->toolBar()->actions();
    ASSERT_EQ(buttons.size(), 9);
    EXPECT_TRUE(buttons[3]->isSeparator());
    EXPECT_TRUE(buttons[5]->isSeparator());
    EXPECT_EQ(buttons[0]->toolTip(), QStringLiteral("新規作成"));
    EXPECT_EQ(buttons[2]->toolTip(), QStringLiteral("上書き保存"));
    EXPECT_EQ(buttons[7]->toolTip(), QStringLiteral("軸組長さのﾘｽﾄ入力"));
    EXPECT_EQ(buttons[8]->toolTip(), QStringLiteral("必要軸組みのｱﾄﾞﾊﾞｲｽ"));
    for (int i : {0, 1, 2, 4, 6, 7, 8})
        EXPECT_FALSE(buttons[i]->icon().isNull()) << i;

    // The calculation window's menus are in the menu bar.
    EXPECT_EQ(menuTitles(*main), (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("書式(&O)"),
                                              QStringLiteral("表示(&V)"), QStringLiteral("ｳｲﾝﾄﾞｳ(&W)"),
                                              QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    CalcWindow *calc = main->activeCalcWindow();
    EXPECT_EQ(calc->action(QStringLiteral("mnuFileSave"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(calc->action(QStringLiteral("mnuJWcomp"))->text(), QStringLiteral("JW-CAD用座標ﾌｧｲﾙ変換"));
    EXPECT_EQ(calc->action(QStringLiteral("T_Merge(1)"))->text(), QStringLiteral("幅×厚さｾﾙの融合"));
    EXPECT_EQ(calc->action(QStringLiteral("mnuRecentFile(3)"))->text(), QStringLiteral("RecentFile3"));
    EXPECT_FALSE(calc->action(QStringLiteral("mnuRecentFile(3)"))->isVisible());
}

TEST_F(MainWindowTest, ListInputOffIsRemembered)
{
    WriteOnList(false);
    auto main = start();
    EXPECT_FALSE(main->action(QStringLiteral("mnuPaf"))->isChecked());
    EXPECT_FALSE(main->toolButton(QStringLiteral("List"))->isChecked());
    EXPECT_FALSE(main->activeCalcWindow()->listInput());
}

TEST_F(MainWindowTest, MenusFollowTheOpenWindows)
{
    auto main = start();
    CalcWindow *first = main->activeCalcWindow();
    CalcWindow *second = main->newCalcWindow();
    EXPECT_EQ(second->caption(), QStringLiteral("新規計算書2"));
    EXPECT_EQ(main->activeCalcWindow(), second);
    // The File menu lists a new sheet under each rule set.
    EXPECT_EQ(main->action(QStringLiteral("mnuFileNewRules(0)"))->text(), QStringLiteral("旧基準で新規作成(&B)"));
    QAction *new2025 = main->action(QStringLiteral("mnuFileNewRules(1)"));
    EXPECT_EQ(new2025->text(), QStringLiteral("2025年基準で新規作成(&B)"));
    new2025->trigger();
    ASSERT_EQ(main->calcWindows().size(), 3);
    EXPECT_EQ(main->activeCalcWindow()->sheet().ruleSetKind(), RuleSetKind::Rules2025);
    main->activeCalcWindow()->closeCommand();
    QTRY_COMPARE(main->calcWindows().size(), 2);
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));

    // One set of commands, acting on the active window and checked for it.
    EXPECT_EQ(first->action(QStringLiteral("mnuFileSave")), second->action(QStringLiteral("mnuFileSave")));
    QAction *merge = main->action(QStringLiteral("T_Merge(0)"));
    merge->trigger();
    EXPECT_TRUE(second->sheet().merge[0]);
    EXPECT_TRUE(merge->isChecked());
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    EXPECT_FALSE(first->sheet().merge[0]);
    EXPECT_FALSE(merge->isChecked());

    EXPECT_TRUE(main->toolButton(QStringLiteral("Save"))->isEnabled());
    // With every calculation window closed, the main window's own menus
    // and no document commands.
    main->mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(main->calcWindows().isEmpty());
    QTRY_COMPARE(menuTitles(*main), (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("表示(&V)"),
                                                 QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    for (const char *key : {"Save", "Print", "Sort", "List", "Info"})
        EXPECT_FALSE(main->toolButton(QLatin1String(key))->isEnabled()) << key;
    EXPECT_TRUE(main->toolButton(QStringLiteral("New"))->isEnabled());
    EXPECT_FALSE(main->action(QStringLiteral("mnuViewSort"))->isEnabled());
    EXPECT_EQ(main->statusText(), QStringLiteral("ｽﾃｰﾀｽ"));

    // New from the tool bar brings them back; numbers are handed out again.
    main->toolButton(QStringLiteral("New"))->trigger();
    ASSERT_EQ(main->calcWindows().size(), 1);
    EXPECT_EQ(main->activeCalcWindow()->caption(), QStringLiteral("新規計算書1"));
    EXPECT_TRUE(main->toolButton(QStringLiteral("Save"))->isEnabled());
    EXPECT_EQ(menuTitles(*main).size(), 6);
}

TEST_F(MainWindowTest, WindowsAreArrangedAndListed)
{
    auto main = start();
    main->resize(1000, 800);
    main->newCalcWindow();
    main->newCalcWindow();
    const QList<QMdiSubWindow *> subs = main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(subs.size(), 3);
    CalcWindow *calc = main->activeCalcWindow();

    calc->action(QStringLiteral("mnuWindowTileHorizontal"))->trigger();
    EXPECT_EQ(subs[0]->width(), subs[1]->width());
    EXPECT_LT(subs[0]->y(), subs[1]->y());
    EXPECT_LT(subs[1]->y(), subs[2]->y());
    calc->action(QStringLiteral("mnuWindowTileVertical"))->trigger();
    EXPECT_EQ(subs[0]->height(), subs[2]->height());
    EXPECT_LT(subs[0]->x(), subs[1]->x());
    EXPECT_LT(subs[1]->x(), subs[2]->x());
    calc->action(QStringLiteral("mnuWindowCascade"))->trigger();
    EXPECT_LT(subs[0]->pos().x(), subs[2]->pos().x());
    EXPECT_LT(subs[0]->pos().y(), subs[2]->pos().y());

    // Minimised windows' icons line up along the bottom.
    subs[0]->showMinimized();
    subs[1]->showMinimized();
    calc->action(QStringLiteral("mnuWindowArrangeIcons"))->trigger();
    EXPECT_EQ(subs[0]->geometry().bottom(), subs[1]->geometry().bottom());
    EXPECT_NE(subs[0]->x(), subs[1]->x());

    // The Window menu lists the open windows after its own items.
    QMenu *menu = calc->action(QStringLiteral("mnuWindow"))->menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction *item : menu->actions())
        if (!item->isSeparator())
            entries << item->text();
    EXPECT_EQ(entries.size(), 4 + 3);
    EXPECT_EQ(entries[0], QStringLiteral("重ねて表示(&C)"));
    EXPECT_TRUE(entries.last().endsWith(QStringLiteral("新規計算書3")));
}

TEST_F(MainWindowTest, ToolbarAndStatusBarToggles)
{
    auto main = start();
    CalcWindow *one = main->activeCalcWindow();
    CalcWindow *two = main->newCalcWindow();
    QAction *mainMark = main->action(QStringLiteral("mnuViewToolbar"));

    // One mark, whichever window is active: it follows the bar.
    EXPECT_EQ(one->action(QStringLiteral("mnuViewToolbar")), mainMark);
    mainMark->trigger();
    EXPECT_FALSE(main->toolBar()->isVisible());
    EXPECT_FALSE(mainMark->isChecked());
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(one->parentWidget()));
    EXPECT_FALSE(mainMark->isChecked());
    two->action(QStringLiteral("mnuViewToolbar"))->trigger();
    EXPECT_TRUE(main->toolBar()->isVisible());
    EXPECT_TRUE(mainMark->isChecked());

    // The status bar the same way, also from the main window's own menu.
    one->action(QStringLiteral("mnuViewStatusBar"))->trigger();
    EXPECT_FALSE(main->statusBar()->isVisible());
    EXPECT_FALSE(main->action(QStringLiteral("mnuViewStatusBar"))->isChecked());
    main->action(QStringLiteral("mnuViewStatusBar"))->trigger();
    EXPECT_TRUE(main->statusBar()->isVisible());
    EXPECT_TRUE(main->action(QStringLiteral("mnuViewStatusBar"))->isChecked());
}

TEST_F(MainWindowTest, PlacementIsStoredUnlessMinimised)
{
    {
        auto main = start();
        main->move(TwipsToPixelsX(1500), TwipsToPixelsY(1200));
        main->resize(TwipsToPixelsX(9000), TwipsToPixelsY(7000));
        EXPECT_TRUE(main->close());
    }
    const MainPlacement stored = ReadMainPlacement();
    EXPECT_NEAR(stored.left, 1500, 15);
    EXPECT_NEAR(stored.width, 9000, 15);
    EXPECT_NEAR(stored.height, 7000, 15);
    {
        auto main = start();
        EXPECT_EQ(main->size(), QSize(TwipsToPixelsX(9000), TwipsToPixelsY(7000)));
        main->showMinimized();
        QTRY_VERIFY(main->isMinimized());
        main->close();
    }
    EXPECT_NEAR(ReadMainPlacement().width, 9000, 15);
    {
        // The main window's own Exit stores nothing.
        auto main = start();
        main->mdiArea()->closeAllSubWindows();
        QTRY_VERIFY(main->calcWindows().isEmpty());
        main->resize(TwipsToPixelsX(6000), TwipsToPixelsY(5000));
        main->action(QStringLiteral("mnuFileExit"))->trigger();
        EXPECT_FALSE(main->isVisible());
    }
    EXPECT_NEAR(ReadMainPlacement().width, 9000, 15);
}

TEST_F(MainWindowTest, APlacementOffEveryScreenComesBack)
{
    MainPlacement far;
    far.left = 500000;
    far.top = -300000;
    WriteMainPlacement(far);
    auto main = start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(main->frameGeometry()));
    EXPECT_LE(main->width(), screen.width());
    EXPECT_LE(main->height(), screen.height());
}

// A frame kept small from an earlier run cuts its first window to its room
// (the window's contents scroll): the window's title bar and left edge,
// close button included, stay in sight.
TEST_F(MainWindowTest, TheFirstWindowKeepsInsideASmallFrame)
{
    MainPlacement small;
    small.left = 1000;
    small.top = 1000;
    small.width = 9000;
    small.height = 6000;
    WriteMainPlacement(small);
    auto main = start();
    QMdiArea *area = main->findChild<QMdiArea *>();
    ASSERT_EQ(area->subWindowList().size(), 1);
    const QRect window = area->subWindowList().first()->geometry();
    EXPECT_GE(window.left(), 0);
    EXPECT_GE(window.top(), 0);
    EXPECT_LE(window.right(), area->viewport()->width() + 2) << window.width() << " in " << area->viewport()->width();
    // The storey's page, below what the frame shows, comes once the window
    // has been painted, and leaves the window as it was.
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->findChild<QWidget *>(QStringLiteral("TSPage(0)")) != nullptr; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(area->subWindowList().first()->geometry(), window);
}

TEST_F(MainWindowTest, AboutAndSplashShowTheVersion)
{
    EXPECT_EQ(LongVersionText(), QStringLiteral("Version %1.%2.%3 - Tessaly")
                                     .arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()));
    EXPECT_EQ(ShortVersionText(), QStringLiteral("Version %1.%2").arg(VersionMajor()).arg(VersionMinor()));

    AboutWindow about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 Quiren"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Quiren for Linux"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), LongVersionText());
    auto *ok = about.findChild<QPushButton *>(QStringLiteral("cmdOK(0)"));
    EXPECT_TRUE(ok->isDefault());

    ShowSplashWindow();
    EXPECT_TRUE(SplashWindowShown());
    QWidget *splash = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmSplash") && w->isVisible())
            splash = w;
    ASSERT_NE(splash, nullptr);
    // What is shown is the window below as the build drew it.
    SplashWindow drawn;
    EXPECT_EQ(drawn.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), ShortVersionText());
    EXPECT_EQ(splash->size(), drawn.size());
    EXPECT_EQ(splash->grab().toImage().pixelColor(2, 2), drawn.grab().toImage().pixelColor(2, 2));
    // The first calculation window's load closes it.
    auto main = start();
    EXPECT_FALSE(SplashWindowShown());
}

TEST_F(MainWindowTest, StandardButtonsReadJapanese)
{
    InstallJapaneseTranslations(*qApp);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quiren"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')).left(2), QStringLiteral("はい"));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
}

} // namespace
} // namespace quiren
