// Editing the framing grids with the mouse and the keyboard: lists, typed
// lengths and places, the number entry window, the X-bracing toggle, Delete,
// sorting and merging, and the judgement that follows every edit.
#include "CalcWindowFixture.h"

#include <QAction>
#include <QScrollBar>

namespace quiren::test {
namespace {

using FramingEditing = CalcWindowFixture;

TEST_F(FramingEditing, ARowTypedPickedAndToggledIsJudged)
{
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("12"));
    calc->sheet().changed = false;

    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    EXPECT_EQ(cell(0, 2, 0), QStringLiteral("木材"));
    EXPECT_EQ(cell(0, 2, 1), QStringLiteral("1.5×9"));
    EXPECT_EQ(cell(0, 2, 2), QStringLiteral("しない"));
    EXPECT_TRUE(calc->sheet().changed);

    typeAfterClick(0, 2, 3, QStringLiteral("1.82"));
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral("  1.82"));
    EXPECT_EQ(cell(0, 2, 5), QStringLiteral("1.0"));
    EXPECT_TRUE(cell(0, 2, 6).isEmpty());

    // Places through the number entry window: one step up from 1.
    usePlacesWindow(0, 2, 4, [](NumberEntryDialog *dialog) {
        auto *spinner = dialog->findChild<QSpinBox *>(QStringLiteral("udNum"));
        QTest::keyClick(spinner, Qt::Key_Up);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK(0)")), Qt::LeftButton);
    });
    EXPECT_EQ(cell(0, 2, 4), QStringLiteral("2"));
    EXPECT_EQ(cell(0, 2, 6), QStringLiteral("3.6400"));
    EXPECT_EQ(judgement(0, 2), QStringLiteral("3.6400"));
    EXPECT_EQ(judgement(0, 3), QStringLiteral("OK"));

    // The X-bracing toggle by click doubles the brace; it changes what the
    // sheet computes, so the document counts as changed.
    calc->sheet().changed = false;
    clickCell(0, 2, 2);
    EXPECT_TRUE(calc->sheet().changed);
    EXPECT_EQ(cell(0, 2, 2), QStringLiteral("する"));
    EXPECT_EQ(cell(0, 2, 5), QStringLiteral("2.0"));
    EXPECT_EQ(cell(0, 2, 6), QStringLiteral("7.2800"));
    EXPECT_EQ(judgement(0, 2), QStringLiteral("7.2800"));
    const JudgementBar *ok = calc->judgementGrid()->judgementModel()->bar(
        calc->judgementGrid()->model()->index(2, 3));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->shown);
    EXPECT_EQ(ok->blue, 255u);
    EXPECT_EQ(ok->red, 0u);

    // ... and Enter on it toggles back.
    pressKey(0, 2, 2, Qt::Key_Return);
    EXPECT_EQ(cell(0, 2, 2), QStringLiteral("しない"));
    EXPECT_EQ(cell(0, 2, 6), QStringLiteral("3.6400"));

    // The other direction falls short: 0.91 m once of a 1.0 wall.
    typeAfterClick(0, 2, 7, QStringLiteral(".91"));
    EXPECT_EQ(cell(0, 2, 7), QStringLiteral("  0.91"));
    typeIntoCurrent(0, 2, 8, QStringLiteral("1"));
    EXPECT_EQ(cell(0, 2, 10), QStringLiteral("0.9100"));
    EXPECT_EQ(judgement(0, 6), QStringLiteral("68.9% "));
    const JudgementBar *shortBar = calc->judgementGrid()->judgementModel()->bar(
        calc->judgementGrid()->model()->index(2, 6));
    ASSERT_NE(shortBar, nullptr);
    EXPECT_EQ(shortBar->red, 255u);
    EXPECT_NEAR(shortBar->percent, 68.94, 0.01);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FramingEditing, ListInputOffersTheModulesLengths)
{
    calc->setListInput(true);
    WriteModule(3);
    chooseFromList(0, 3, 0, QStringLiteral("土塗り壁"));
    chooseFromList(0, 3, 3, QStringLiteral("2.5"));
    EXPECT_EQ(cell(0, 3, 3), QStringLiteral("  2.5"));
    chooseFromList(0, 3, 3, QStringLiteral("ｸﾘﾔ"));
    EXPECT_TRUE(cell(0, 3, 3).isEmpty());
    WriteModule(0);
}

TEST_F(FramingEditing, TypedLengthsAndPlacesAreCheckedAndNormalised)
{
    chooseFromList(0, 2, 0, QStringLiteral("土塗り壁"));
    typeAfterClick(0, 2, 3, QStringLiteral("2"));
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral("  2.0"));

    // 10 m or more is asked about; No empties the cell without a change.
    calc->sheet().changed = false;
    answer = MsgAnswer::No;
    typeAfterClick(0, 2, 3, QStringLiteral("12.5"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("軸組長さの入力単位はﾒｰﾄﾙです。\nこのまま計算を続けますか？"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quiren入力数値が不正です。"));
    EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(cell(0, 2, 3).isEmpty());
    EXPECT_FALSE(calc->sheet().changed);
    answer = MsgAnswer::Yes;
    typeAfterClick(0, 2, 3, QStringLiteral("12.5"));
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral(" 12.5"));

    // What a cell cannot hold is refused with the column's name and what it
    // takes; the cell keeps its value and opens again with the typed text.
    answer = MsgAnswer::Ok;
    typeIntoCurrent(0, 2, 4, QStringLiteral("2.0"));
    EXPECT_EQ(cell(0, 2, 4), QStringLiteral("2"));
    struct Case { int column; const char *typed, *message, *kept; };
    for (const Case &c : {Case{4, "abc", "箇所には0から32767までの整数を入力してください", "2"},
                          Case{4, "40000", "箇所には0から32767までの整数を入力してください", "2"},
                          Case{4, "1.5", "箇所には0から32767までの整数を入力してください", "2"},
                          Case{8, "-1", "箇所には0から32767までの整数を入力してください", ""},
                          Case{3, "-", "軸組長さには0以上の数値を入力してください", " 12.5"}}) {
        messages.clear();
        typeIntoCurrent(0, 2, c.column, QString::fromUtf8(c.typed));
        ASSERT_EQ(messages.size(), 1u) << c.typed;
        EXPECT_EQ(messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(cell(0, 2, c.column), QLatin1String(c.kept));
        auto *reopened = qobject_cast<QLineEdit *>(editorOf(0, 2, c.column));
        ASSERT_NE(reopened, nullptr) << c.typed;
        EXPECT_EQ(reopened->text(), QLatin1String(c.typed));
        QTest::keyClick(reopened, Qt::Key_Escape);
        QApplication::processEvents();
    }
}

TEST_F(FramingEditing, ALeftListIsNoChange)
{
    clickCell(0, 2, 0);
    auto *combo = qobject_cast<QComboBox *>(editorOf(0, 2, 0));
    ASSERT_NE(combo, nullptr);
    combo->hidePopup();
    clickCell(0, 5, 3);
    EXPECT_EQ(editorOf(0, 2, 0), nullptr);
    EXPECT_TRUE(cell(0, 2, 0).isEmpty());
    EXPECT_FALSE(calc->sheet().changed);
}

TEST_F(FramingEditing, SectionCellOpensOnlyOnWoodRows)
{
    chooseFromList(0, 2, 0, QStringLiteral("土塗り壁"));
    EXPECT_EQ(cell(0, 2, 1), QStringLiteral("-"));
    clickCell(0, 2, 1);
    EXPECT_EQ(editorOf(0, 2, 1), nullptr);
    clickCell(0, 2, 2);
    EXPECT_EQ(cell(0, 2, 2), QStringLiteral("-"));

    chooseFromList(0, 3, 0, QStringLiteral("土塗り壁+木材"));
    chooseFromList(0, 3, 1, QStringLiteral("4.5×9"));
    EXPECT_EQ(cell(0, 3, 1), QStringLiteral("4.5×9"));
    // Delete on the section brings back the default.
    pressKey(0, 3, 1, Qt::Key_Delete);
    EXPECT_EQ(cell(0, 3, 1), QStringLiteral("1.5×9"));
}

TEST_F(FramingEditing, DeleteOnAKindTakesTheRowOutOfTheSums)
{
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    typeAfterClick(0, 2, 3, QStringLiteral("1"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("2"));
    chooseFromList(0, 3, 0, QStringLiteral("木摺両面壁"));
    typeAfterClick(0, 3, 3, QStringLiteral("1"));
    typeIntoCurrent(0, 3, 4, QStringLiteral("1"));
    EXPECT_EQ(judgement(0, 2), QStringLiteral("3.0000"));

    calc->sheet().changed = false;
    pressKey(0, 2, 0, Qt::Key_Delete);
    EXPECT_TRUE(cell(0, 2, 0).isEmpty());
    EXPECT_TRUE(cell(0, 2, 1).isEmpty());
    EXPECT_TRUE(cell(0, 2, 2).isEmpty());
    EXPECT_TRUE(cell(0, 2, 5).isEmpty());
    EXPECT_TRUE(cell(0, 2, 6).isEmpty());
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral("  1.0"));
    EXPECT_EQ(judgement(0, 2), QStringLiteral("1.0000"));
    EXPECT_TRUE(calc->sheet().changed);

    // Delete on a computed column does nothing.
    pressKey(0, 3, 6, Qt::Key_Delete);
    EXPECT_EQ(cell(0, 3, 6), QStringLiteral("1.0000"));
}

TEST_F(FramingEditing, NumberEntryWindowClearsAndCancels)
{
    chooseFromList(0, 2, 0, QStringLiteral("木摺片面壁"));
    typeAfterClick(0, 2, 3, QStringLiteral("2"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("4"));
    EXPECT_EQ(cell(0, 2, 6), QStringLiteral("4.0000"));

    calc->sheet().changed = false;
    usePlacesWindow(0, 2, 4, [](NumberEntryDialog *dialog) {
        EXPECT_EQ(dialog->shownNumber(), QStringLiteral("4"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK(1)")), Qt::LeftButton);
    });
    EXPECT_EQ(cell(0, 2, 4), QStringLiteral("4"));
    EXPECT_FALSE(calc->sheet().changed);

    usePlacesWindow(0, 2, 4, [](NumberEntryDialog *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK(2)")), Qt::LeftButton);
    });
    EXPECT_TRUE(cell(0, 2, 4).isEmpty());
    EXPECT_TRUE(cell(0, 2, 6).isEmpty());
    EXPECT_EQ(judgement(0, 2), QStringLiteral("0.0000"));
    EXPECT_TRUE(calc->sheet().changed);
}

TEST_F(FramingEditing, SortPutsKindsInTextOrderAndBlankRowsLast)
{
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    chooseFromList(0, 4, 0, QStringLiteral("土塗り壁"));
    calc->sheet().changed = false;
    calc->action(QStringLiteral("mnuViewSort"))->trigger();
    EXPECT_EQ(cell(0, 2, 0), QStringLiteral("土塗り壁"));
    EXPECT_EQ(cell(0, 3, 0), QStringLiteral("木材"));
    EXPECT_EQ(cell(0, 3, 1), QStringLiteral("1.5×9"));
    EXPECT_TRUE(cell(0, 4, 0).isEmpty());
    EXPECT_FALSE(calc->sheet().changed);
    EXPECT_EQ(main->focusWidget(), box(QStringLiteral("TitleName")));

    // The tool bar's Sort acts on the active window's page shown.
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    chooseFromList(1, 3, 0, QStringLiteral("9㎜鉄筋"));
    showPage(1);
    main->toolButton(QStringLiteral("Sort"))->trigger();
    EXPECT_EQ(cell(1, 2, 0), QStringLiteral("9㎜鉄筋"));
}

TEST_F(FramingEditing, MergeSwitchesAllThreeGrids)
{
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(2)")), Qt::LeftButton);
    for (int s = 0; s < 3; ++s) {
        chooseFromList(s, 2, 0, QStringLiteral("木材"));
        chooseFromList(s, 3, 0, QStringLiteral("木材"));
        chooseFromList(s, 4, 0, QStringLiteral("土塗り壁"));
    }
    QAction *mergeKinds = calc->action(QStringLiteral("T_Merge(0)"));
    EXPECT_FALSE(mergeKinds->isChecked());
    mergeKinds->trigger();
    EXPECT_TRUE(mergeKinds->isChecked());
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(grid(s)->rowSpan(2, 0), 2) << s;
        EXPECT_EQ(grid(s)->rowSpan(4, 0), 1) << s;
        // Blank rows stay apart.
        EXPECT_EQ(grid(s)->rowSpan(5, 0), 1) << s;
    }
    // Sections and X-bracing of the same rows merge only on their own choice.
    EXPECT_EQ(grid(0)->rowSpan(2, 1), 1);
    calc->action(QStringLiteral("T_Merge(1)"))->trigger();
    EXPECT_EQ(grid(0)->rowSpan(2, 1), 2);

    // The merge follows edits: a changed kind splits the cells.
    chooseFromList(0, 4, 0, QStringLiteral("木材"));
    EXPECT_EQ(grid(0)->rowSpan(2, 0), 3);
    pressKey(0, 3, 0, Qt::Key_Delete);
    EXPECT_EQ(grid(0)->rowSpan(2, 0), 1);

    mergeKinds->trigger();
    EXPECT_FALSE(mergeKinds->isChecked());
    for (int s = 1; s < 3; ++s)
        EXPECT_EQ(grid(s)->rowSpan(2, 0), 1) << s;
    // The cells keep their own texts throughout.
    EXPECT_EQ(cell(1, 3, 0), QStringLiteral("木材"));
}

TEST_F(FramingEditing, ListInputCheckMarkIsPerWindowAndStored)
{
    QAction *paf = calc->action(QStringLiteral("mnuPaf"));
    QAction *button = main->toolButton(QStringLiteral("List"));
    calc->setListInput(true);
    paf->trigger();
    EXPECT_FALSE(paf->isChecked());
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(ReadOnList());
    // A list cell is now typed into.
    typeAfterClick(0, 2, 3, QStringLiteral("1"));
    // The tool bar button switches the active window's check mark.
    button->trigger();
    EXPECT_TRUE(paf->isChecked());
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(ReadOnList());
    clickCell(0, 2, 7);
    EXPECT_NE(qobject_cast<QComboBox *>(editorOf(0, 2, 7)), nullptr);
}

// In list mode a typed length is what the cell holds: over the open list
// after a click, and when typing starts the edit of the current cell. The
// list once took "1.82" as a search and entered 1.365 without a word.
TEST_F(FramingEditing, ALengthTypedIntoAListCellIsKeptAsTyped)
{
    calc->setListInput(true);
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    const struct {
        const char *typed;
        bool overOpenList;
        const char *cell;
    } cases[] = {
        {"1.82", true, "  1.82"},
        {"2.73", false, "  2.73"},
        {"2", true, "  2.0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromUtf8(c.typed);
        QComboBox *combo = nullptr;
        if (c.overOpenList) {
            clickCell(0, 2, 3);
            combo = qobject_cast<QComboBox *>(editorOf(0, 2, 3));
            ASSERT_NE(combo, nullptr);
            ASSERT_TRUE(combo->view()->isVisible());
            QTest::keyClicks(combo->view(), typed.left(1));
        } else {
            FramingGrid *g = grid(0);
            g->setFocus();
            g->setCurrentIndex(g->model()->index(2, 3));
            QTest::keyClicks(g, typed.left(1));
            combo = qobject_cast<QComboBox *>(editorOf(0, 2, 3));
            ASSERT_NE(combo, nullptr);
        }
        ASSERT_NE(combo->lineEdit(), nullptr);
        QTest::keyClicks(combo->lineEdit(), typed.mid(1));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(cell(0, 2, 3), QString::fromUtf8(c.cell));
    }
    // A length picked from the list is still taken.
    chooseFromList(0, 2, 7, QStringLiteral("0.91"));
    EXPECT_EQ(cell(0, 2, 7), QStringLiteral("  0.91"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FramingEditing, OneEscapeLeavesAnOpenListAndFullWidthIsTyped)
{
    chooseFromList(0, 2, 0, QStringLiteral("木材"));
    clickCell(0, 2, 1);
    auto *combo = qobject_cast<QComboBox *>(editorOf(0, 2, 1));
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(editorOf(0, 2, 1), nullptr);
    EXPECT_EQ(cell(0, 2, 1), QStringLiteral("1.5×9"));

    clickCell(0, 2, 3);
    auto *edit = qobject_cast<QLineEdit *>(editorOf(0, 2, 3));
    ASSERT_NE(edit, nullptr);
    commitText(edit, QStringLiteral("１．８２"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral("  1.82"));
    EXPECT_TRUE(messages.empty());
}

// Windows tiled one above the other get less room than a sheet needs: the
// sheet scrolls inside its frame instead of squeezing its controls.
TEST_F(FramingEditing, TiledWindowsScrollTheirSheet)
{
    main->newCalcWindow();
    main->newCalcWindow();
    main->arrangeWindows(1);
    QApplication::processEvents();
    const auto windows = main->findChildren<CalcWindow *>();
    ASSERT_EQ(windows.size(), 3);
    for (CalcWindow *w : windows) {
        EXPECT_GE(w->height(), w->minimumHeight());
        for (int i = 0; i < 3; ++i) {
            auto *button = w->findChild<QRadioButton *>(QStringLiteral("F_num(%1)").arg(i));
            EXPECT_GE(button->height(), button->minimumSizeHint().height()) << i;
        }
        FramingGrid *g = w->framingGrid(0);
        EXPECT_EQ(g->height(), g->contentHeight());
        auto *scroller = w->findChild<QAbstractScrollArea *>(QStringLiteral("frmCalcScroller"));
        ASSERT_NE(scroller, nullptr);
        EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
    }
}

} // namespace
} // namespace quiren::test
