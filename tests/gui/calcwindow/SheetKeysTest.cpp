// The keys of a spreadsheet in the grids, undo and redo of a sheet's edits,
// the path Tab takes through a page, and the window keys.
#include "CalcWindowFixture.h"

#include "gui/calcwindow/QuasiWallGrid.h"

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace quiren::test {
namespace {

using SheetKeys = CalcWindowFixture;

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Tab leaves a grid, open cell or not (the path through the page is tested
// with the 2025 window).
TEST_F(SheetKeys, NoGridKeepsTab)
{
    calc->startSheet(RuleSetKind::Rules2025);
    // Tab in an open cell hands its text on and leaves the grid.
    FramingGrid *g = grid(0);
    const QModelIndex length = g->model()->index(2, ColLength0);
    g->setFocus();
    g->setCurrentIndex(length);
    QTest::keyClicks(g, QStringLiteral("2"));
    ASSERT_NE(g->indexWidget(length), nullptr);
    QTest::keyClick(g->indexWidget(length), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(cell(0, 2, ColLength0), QStringLiteral("  2.0"));
    EXPECT_EQ(focusName(), QStringLiteral("Q_FA(0)"));
}

// A block copied from a spreadsheet goes in from the current cell; what a
// cell cannot hold is named in one message and the rest is kept.
TEST_F(SheetKeys, PastedBlocksAreCheckedCellByCell)
{
    FramingGrid *g = grid(0);
    g->setFocus();
    g->setCurrentIndex(g->model()->index(2, ColLength0));
    QApplication::clipboard()->setText(QStringLiteral("1.82\t2\r\nabc\t3\r\n"));
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 2, ColLength0), QStringLiteral("  1.82"));
    EXPECT_EQ(cell(0, 2, ColPlaces0), QStringLiteral("2"));
    EXPECT_EQ(cell(0, 3, ColLength0), QString());
    EXPECT_EQ(cell(0, 3, ColPlaces0), QStringLiteral("3"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("2行4列「abc」：軸組長さには0以上の数値を入力してください")))
        << messages[0].text.toStdString();
    EXPECT_TRUE(calc->sheet().changed);

    // Copy gives the block back as a spreadsheet takes it; Delete empties it.
    g->selectionModel()->select(QItemSelection(g->model()->index(2, ColLength0), g->model()->index(3, ColPlaces0)),
                                QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1.82\t2\n\t3"));
    QTest::keyClick(g, Qt::Key_Delete);
    for (int row : {2, 3})
        for (int column : {ColLength0, ColPlaces0})
            EXPECT_TRUE(cell(0, row, column).isEmpty()) << row << "," << column;

    // Enter moves down.
    g->setCurrentIndex(g->model()->index(2, ColLength0));
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(g->currentIndex().row(), 3);
}

// Every edit can be undone and done again, a pasted block as one step;
// undoing back to the saved sheet leaves nothing to save.
TEST_F(SheetKeys, EditsAreUndoneAndRedone)
{
    QAction *undo = calc->action(QStringLiteral("mnuEditUndo"));
    QAction *redo = calc->action(QStringLiteral("mnuEditRedo"));
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    QLineEdit *wall = box(QStringLiteral("txtWallDimensions(0)"));
    enter(floor, QStringLiteral("10"));
    calc->document().markSaved();
    enter(wall, QStringLiteral("20"));
    enter(floor, QStringLiteral("11"));
    enter(floor, QStringLiteral("12"));
    typeIntoCurrent(0, 2, ColLength0, QStringLiteral("1.82"));
    EXPECT_TRUE(undo->isEnabled());

    struct Step { QAction *command; const char *floor, *wall, *length; bool changed; };
    for (const Step &step : {Step{undo, "12", "20", "", true}, Step{undo, "11", "20", "", true},
                             Step{undo, "10", "20", "", true}, Step{undo, "10", "", "", false},
                             Step{redo, "10", "20", "", true}, Step{redo, "11", "20", "", true},
                             Step{redo, "12", "20", "", true}, Step{redo, "12", "20", "  1.82", true}}) {
        step.command->trigger();
        EXPECT_EQ(floor->text(), QLatin1String(step.floor));
        EXPECT_EQ(calc->sheet().floorArea[0], QLatin1String(step.floor));
        EXPECT_EQ(wall->text(), QLatin1String(step.wall));
        EXPECT_EQ(cell(0, 2, ColLength0), QLatin1String(step.length));
        EXPECT_EQ(calc->sheet().changed, step.changed) << step.floor << " " << step.wall;
    }
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QStringLiteral("1.3200"));
}

// A menu command sees what is being typed as if the box had been left.
TEST_F(SheetKeys, CommandsTakeWhatIsBeingTyped)
{
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    floor->setFocus();
    QTest::keyClicks(floor, QStringLiteral("12"));
    EXPECT_TRUE(calc->sheet().floorArea[0].isEmpty());
    calc->action(QStringLiteral("T_Merge(0)"))->trigger();
    EXPECT_EQ(calc->sheet().floorArea[0], QStringLiteral("12"));
    // Closing too: the text typed makes the sheet changed, so the close question comes.
    calc->sheet().changed = false;
    QLineEdit *wall = box(QStringLiteral("txtWallDimensions(0)"));
    wall->setFocus();
    QTest::keyClicks(wall, QStringLiteral("5"));
    const int open = main->mdiArea()->subWindowList().size();
    answer = MsgAnswer::Cancel;
    QTest::keyClick(main->activeCalcWindow(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 1u);
    ASSERT_EQ(main->mdiArea()->subWindowList().size(), open);   // else the window is gone
    EXPECT_EQ(calc->sheet().projectedArea[0], QStringLiteral("5"));
}

TEST_F(SheetKeys, WindowKeysCloseAndSwitchSheets)
{
    CalcWindow *second = main->newCalcWindow();
    ASSERT_NE(second, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(main->activeCalcWindow(), second);
    QTest::keyClick(main->activeCalcWindow(), Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(main->activeCalcWindow(), calc);
    // Ctrl+F4 closes the active sheet, asking first about unsaved changes.
    const int open = main->mdiArea()->subWindowList().size();
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("10"));
    answer = MsgAnswer::Cancel;
    QTest::keyClick(main->activeCalcWindow(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), open);
    answer = MsgAnswer::No;
    QTest::keyClick(main->activeCalcWindow(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), open - 1);
}

} // namespace
} // namespace quiren::test
