// The calculation window as it opens, and its header inputs: areas,
// storey count, weight type, certified wall, strong wind, project name and
// the prompts in the status bar.
#include "CalcWindowFixture.h"

#include "core/text/NumberText.h"

#include "core/calc/CertifiedWall.h"

#include <QAction>
#include <QFocusEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace quiren::test {
namespace {

using HeaderInputs = CalcWindowFixture;

TEST_F(HeaderInputs, NewWindowShowsAnEmptyOneStoreySheet)
{
    EXPECT_EQ(calc->caption(), QStringLiteral("新規計算書1"));
    auto *tabs = control<QTabWidget>(QStringLiteral("TS"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(tabs->isTabEnabled(0));
    EXPECT_FALSE(tabs->isTabEnabled(1));
    EXPECT_FALSE(tabs->isTabEnabled(2));
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("F_num(0)"))->isChecked());
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("WeightType(0)"))->isChecked());
    EXPECT_EQ(control<QRadioButton>(QStringLiteral("F_num(1)"))->text(), QStringLiteral("二階建て(&T)"));

    EXPECT_EQ(labelText(QStringLiteral("Ftimes(0)")), QStringLiteral("0.11"));
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(1)")), QStringLiteral("0.0"));
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(2)")), QStringLiteral("0.0"));
    for (int w = 0; w < 6; ++w) {
        EXPECT_EQ(labelText(QStringLiteral("Wtimes(%1)").arg(w)), QStringLiteral("0.5"));
        EXPECT_EQ(labelText(QStringLiteral("WallNecessaryLong(%1)").arg(w)), QStringLiteral("0.0000"));
    }
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QStringLiteral("0.0000"));

    // Framing grids: headings, empty rows (9, 7, 7).
    EXPECT_EQ(grid(0)->model()->rowCount(), 11);
    EXPECT_EQ(grid(1)->model()->rowCount(), 9);
    EXPECT_EQ(cell(0, 0, 0), QStringLiteral("使用する軸組について記入"));
    EXPECT_EQ(cell(0, 0, 3), QStringLiteral("桁に平行な壁面について記入"));
    EXPECT_EQ(cell(0, 0, 7), QStringLiteral("梁に平行な壁面について記入"));
    EXPECT_EQ(cell(0, 1, 4), QStringLiteral("箇所"));
    EXPECT_EQ(grid(0)->columnSpan(0, 0), 3);
    EXPECT_EQ(grid(0)->columnSpan(0, 3), 4);
    EXPECT_EQ(grid(0)->columnSpan(0, 7), 4);
    for (int row = 2; row < 11; ++row)
        for (int column = 0; column < 11; ++column)
            EXPECT_TRUE(cell(0, row, column).isEmpty());

    // Judgement grid: headings, sums 0.0000, the rest empty; one storey shown.
    QAbstractItemModel *j = calc->judgementGrid()->model();
    EXPECT_EQ(j->index(0, 1).data().toString(), QStringLiteral("桁に平行な壁面"));
    EXPECT_EQ(j->index(1, 3).data().toString(), QStringLiteral("有効率"));
    EXPECT_EQ(calc->judgementGrid()->rowSpan(0, 0), 2);
    EXPECT_EQ(calc->judgementGrid()->columnSpan(0, 1), 3);
    EXPECT_EQ(judgement(0, 0), QStringLiteral("一階"));
    EXPECT_EQ(judgement(0, 2), QStringLiteral("0.0000"));
    EXPECT_EQ(judgement(0, 5), QStringLiteral("0.0000"));
    EXPECT_TRUE(judgement(0, 1).isEmpty());
    EXPECT_TRUE(judgement(0, 3).isEmpty());
    EXPECT_FALSE(calc->judgementGrid()->isRowHidden(2));
    EXPECT_TRUE(calc->judgementGrid()->isRowHidden(3));

    // No certified wall registered.
    auto *wall = control<QComboBox>(QStringLiteral("A_Wall"));
    EXPECT_EQ(wall->currentText(), QStringLiteral("未登録です"));
    EXPECT_FALSE(wall->isEnabled());
    EXPECT_FALSE(calc->sheet().changed);
    EXPECT_TRUE(calc->action(QStringLiteral("mnuFilePrint"))->isEnabled());
}

// An area is taken when the box is left or Enter is pressed, never on a
// keystroke: "1" on the way to "12" changes nothing and says nothing.
TEST_F(HeaderInputs, AnAreaIsTakenOnEnterOrLeavingNotOnEveryKeystroke)
{
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    floor->setFocus();
    QTest::keyClicks(floor, QStringLiteral("12"));
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QStringLiteral("0.0000"));
    EXPECT_FALSE(calc->sheet().changed);
    QTest::keyClick(floor, Qt::Key_Return);
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QStringLiteral("1.3200"));
    EXPECT_EQ(judgement(0, 1), QStringLiteral("1.3200"));
    EXPECT_TRUE(calc->sheet().changed);

    // Taken half-width and plain, on Enter or on leaving the box.
    struct Case { const char *typed, *shown, *needed; bool leave; };
    for (const Case &c : {Case{"１２０", "120", "13.2000", false}, Case{"12.50", "12.5", "1.3750", true},
                          Case{"007", "7", "0.7700", true}, Case{"", "", "0.0000", false}}) {
        if (c.leave) {
            floor->setFocus();
            floor->selectAll();
            commitText(floor, QString::fromUtf8(c.typed));
            box(QStringLiteral("txtWallDimensions(0)"))->setFocus();
        } else {
            enter(floor, QString::fromUtf8(c.typed));
        }
        EXPECT_EQ(floor->text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QLatin1String(c.needed)) << c.typed;
    }
    EXPECT_TRUE(messages.empty());
}

// What an area cannot be is refused with one message that names the box and
// what it takes; the box keeps the text and the focus, the sheet its area.
TEST_F(HeaderInputs, ARefusedAreaIsNamedAndKeptToBeCorrected)
{
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    enter(floor, QStringLiteral("10"));
    for (const char *typed : {"abc", "-5", "－５", "1e39", "-", "."}) {
        messages.clear();
        enter(floor, QString::fromUtf8(typed));
        ASSERT_EQ(messages.size(), 1u) << typed;
        EXPECT_EQ(messages[0].text, QStringLiteral("床面積には0以上の数値を入力してください"));
        EXPECT_EQ(messages[0].title, QStringLiteral("Quiren"));
        EXPECT_EQ(floor->text(), HalfWidthNumber(QString::fromUtf8(typed)));
        EXPECT_TRUE(floor->hasFocus());
        EXPECT_EQ(calc->sheet().floorArea[0], QStringLiteral("10")) << typed;
        EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(0)")), QStringLiteral("1.1000"));
    }
    // Escape brings back what the sheet holds.
    QTest::keyClick(floor, Qt::Key_Escape);
    EXPECT_EQ(floor->text(), QStringLiteral("10"));
    messages.clear();
    enter(box(QStringLiteral("txtWallDimensions(0)")), QStringLiteral("x"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("梁に平行な壁面の見付面積には0以上の数値を入力してください"));
    QTest::keyClick(box(QStringLiteral("txtWallDimensions(0)")), Qt::Key_Escape);
    EXPECT_TRUE(box(QStringLiteral("txtWallDimensions(0)"))->text().isEmpty());
}

TEST_F(HeaderInputs, ProjectedAreaTakesTheLargerRequirement)
{
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("10"));
    enter(box(QStringLiteral("txtWallDimensions(3)")), QStringLiteral("30"));
    EXPECT_EQ(labelText(QStringLiteral("WallNecessaryLong(3)")), QStringLiteral("15.0000"));
    EXPECT_EQ(judgement(0, 1), QStringLiteral("1.1000"));
    EXPECT_EQ(judgement(0, 4), QStringLiteral("15.0000"));
}

// A huge area that is accepted leaves the window's layout as it was.
TEST_F(HeaderInputs, AHugeAreaLeavesTheLayoutAsItWas)
{
    QLineEdit *floor = box(QStringLiteral("txtFloorDimensions(0)"));
    auto *needed = control<QLabel>(QStringLiteral("FloorNecessaryLong(0)"));
    const int width = needed->width();
    const QSize window = calc->sizeHint();
    enter(floor, QStringLiteral("3e38"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(needed->width(), width);
    EXPECT_EQ(calc->sizeHint(), window);
    EXPECT_TRUE(needed->text().endsWith(QChar(0x2026)));
    EXPECT_EQ(needed->toolTip(), calc->sheet().floorRequirement[0]);
}

TEST_F(HeaderInputs, StoreyCountEnablesPagesAndKeepsUpperStoreys)
{
    auto *tabs = control<QTabWidget>(QStringLiteral("TS"));
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(2)")), Qt::LeftButton);
    EXPECT_TRUE(tabs->isTabEnabled(1));
    EXPECT_TRUE(tabs->isTabEnabled(2));
    EXPECT_FALSE(calc->judgementGrid()->isRowHidden(4));
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(2)")), QStringLiteral("0.18"));

    // Second storey: 40 m², and a framing row.
    showPage(1);
    enter(box(QStringLiteral("txtFloorDimensions(1)")), QStringLiteral("40"));
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(1)")), QStringLiteral("13.6000"));
    chooseFromList(1, 2, 0, QStringLiteral("木摺両面壁"));
    typeAfterClick(1, 2, 3, QStringLiteral("2"));
    typeIntoCurrent(1, 2, 4, QStringLiteral("3"));
    EXPECT_EQ(judgement(1, 2), QStringLiteral("6.0000"));

    // One storey: only the first page, the pages' data stay in the sheet.
    tabs->setCurrentIndex(2);
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(0)")), Qt::LeftButton);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_FALSE(tabs->isTabEnabled(1));
    EXPECT_FALSE(tabs->isTabEnabled(2));
    EXPECT_TRUE(calc->judgementGrid()->isRowHidden(3));
    EXPECT_EQ(box(QStringLiteral("txtFloorDimensions(1)"))->text(), QStringLiteral("40"));
    EXPECT_EQ(cell(1, 2, 0), QStringLiteral("木摺両面壁"));

    // Two storeys: the second storey counts again, with its own coefficient.
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    EXPECT_TRUE(tabs->isTabEnabled(1));
    EXPECT_FALSE(tabs->isTabEnabled(2));
    EXPECT_FALSE(calc->judgementGrid()->isRowHidden(3));
    EXPECT_TRUE(calc->judgementGrid()->isRowHidden(4));
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(1)")), QStringLiteral("0.15"));
    EXPECT_EQ(labelText(QStringLiteral("FloorNecessaryLong(1)")), QStringLiteral("6.0000"));
    EXPECT_EQ(judgement(1, 3), QStringLiteral("OK"));
}

TEST_F(HeaderInputs, ChoicesSavedWithTheSheetMarkItChanged)
{
    // Clicking the choice already made changes nothing.
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(0)")), Qt::LeftButton);
    EXPECT_FALSE(calc->sheet().changed);
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("F_num(1)")), Qt::LeftButton);
    EXPECT_TRUE(calc->sheet().changed);
    calc->sheet().changed = false;
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("WeightType(1)")), Qt::LeftButton);
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(0)")), QStringLiteral("0.33"));
    EXPECT_EQ(labelText(QStringLiteral("Ftimes(1)")), QStringLiteral("0.21"));
    EXPECT_TRUE(calc->sheet().changed);
}

TEST_F(HeaderInputs, CertifiedWallChoiceFollowsTheList)
{
    AppData::instance().walls = {{QStringLiteral("ﾊﾟﾈﾙA"), 2.5f, WallDisplayLine(QStringLiteral("ﾊﾟﾈﾙA"), 2.5f)},
                                 {QStringLiteral("ﾊﾟﾈﾙB"), 3.0f, WallDisplayLine(QStringLiteral("ﾊﾟﾈﾙB"), 3.0f)}};
    calc->refillCertifiedWalls();
    auto *wall = control<QComboBox>(QStringLiteral("A_Wall"));
    EXPECT_TRUE(wall->isEnabled());
    EXPECT_EQ(wall->count(), 2);
    EXPECT_EQ(wall->itemText(1), QStringLiteral("ﾊﾟﾈﾙB：倍率3"));
    EXPECT_EQ(calc->sheet().certifiedChoice, 0);

    // A row naming the first wall keeps its multiplier when B is chosen.
    chooseFromList(0, 2, 0, QStringLiteral("ﾊﾟﾈﾙA"));
    typeAfterClick(0, 2, 3, QStringLiteral("1"));
    typeIntoCurrent(0, 2, 4, QStringLiteral("1"));
    EXPECT_EQ(cell(0, 2, 5), QStringLiteral("2.5"));
    calc->sheet().changed = false;
    wall->setCurrentIndex(1);
    EXPECT_EQ(calc->sheet().certifiedChoice, 1);
    EXPECT_EQ(cell(0, 2, 5), QStringLiteral("2.5"));
    EXPECT_TRUE(calc->sheet().changed);
    EXPECT_TRUE(calc->sheet().KindList().contains(QStringLiteral("ﾊﾟﾈﾙB")));

    // A file that stored "no wall" shows no entry chosen and offers no wall kinds.
    calc->sheet().certifiedChoice = -1;
    calc->showSheet();
    EXPECT_EQ(wall->currentIndex(), -1);
    EXPECT_EQ(calc->sheet().certifiedChoice, -1);
    EXPECT_EQ(calc->sheet().KindList().size(), 12);
    AppData::instance().walls.clear();
}

TEST_F(HeaderInputs, StrongWindReadsTheSettingWhenSwitched)
{
    enter(box(QStringLiteral("txtWallDimensions(0)")), QStringLiteral("20"));
    calc->sheet().changed = false;
    WriteWallCoefficient(60);
    QAction *wind = calc->action(QStringLiteral("pafoWind"));
    wind->trigger();
    EXPECT_TRUE(wind->isChecked());
    EXPECT_EQ(labelText(QStringLiteral("Wtimes(0)")), QStringLiteral("0.60"));
    EXPECT_EQ(labelText(QStringLiteral("WallNecessaryLong(0)")), QStringLiteral("12.0000"));
    EXPECT_TRUE(calc->sheet().changed);
    wind->trigger();
    EXPECT_FALSE(wind->isChecked());
    EXPECT_EQ(labelText(QStringLiteral("Wtimes(0)")), QStringLiteral("0.50"));
    EXPECT_EQ(labelText(QStringLiteral("WallNecessaryLong(0)")), QStringLiteral("10.0000"));
}

TEST_F(HeaderInputs, ProjectNameKeepsNoDoubleQuote)
{
    QLineEdit *title = box(QStringLiteral("TitleName"));
    QTest::keyClicks(title, QStringLiteral("A\"B"));
    EXPECT_EQ(title->text(), QStringLiteral("A＂B"));
    EXPECT_EQ(calc->sheet().titleName, QStringLiteral("A＂B"));
    EXPECT_TRUE(calc->sheet().changed);
}

TEST_F(HeaderInputs, PromptsFollowTheFocus)
{
    box(QStringLiteral("TitleName"))->setFocus();
    EXPECT_EQ(main->statusText(), QStringLiteral("工事名称の入力"));
    control<QRadioButton>(QStringLiteral("WeightType(0)"))->setFocus();
    EXPECT_EQ(main->statusText(), QStringLiteral("屋根係数選択"));
    control<QRadioButton>(QStringLiteral("F_num(1)"))->click();
    control<QRadioButton>(QStringLiteral("F_num(1)"))->setFocus();
    EXPECT_EQ(main->statusText(), QStringLiteral("階数選択"));

    showPage(1);
    EXPECT_EQ(main->statusText(), QStringLiteral("2階の計算"));
    box(QStringLiteral("txtFloorDimensions(1)"))->setFocus();
    EXPECT_EQ(main->statusText(), QStringLiteral("2階の床面積入力"));
    box(QStringLiteral("txtWallDimensions(4)"))->setFocus();
    EXPECT_EQ(main->statusText(), QStringLiteral("2階の各方向見付面積入力"));

    // A framing cell becoming current shows its column's prompt.
    grid(1)->setCurrentIndex(grid(1)->model()->index(3, 7));
    EXPECT_EQ(main->statusText(), QStringLiteral("軸組長さ入力"));
    grid(1)->setCurrentIndex(grid(1)->model()->index(3, 2));
    EXPECT_EQ(main->statusText(), QStringLiteral("木材使用時のタスキ掛けの有無"));
    // ... and so does a click on the cell that is already current.
    main->setStatusText(QString());
    clickCell(1, 3, 2);
    EXPECT_EQ(main->statusText(), QStringLiteral("木材使用時のタスキ掛けの有無"));
}

TEST_F(HeaderInputs, DirectionCaptionsInBothStyles)
{
    calc->setDirectionCaptions(false);
    EXPECT_EQ(labelText(QStringLiteral("HMLabel(1)")), QStringLiteral("梁間方向壁面の見付面積：Ｃ"));
    EXPECT_EQ(labelText(QStringLiteral("KMLabel(1)")), QStringLiteral("桁行方向壁面の見付面積：Ｄ"));
    EXPECT_EQ(calc->judgementGrid()->model()->index(0, 4).data().toString(), QStringLiteral("梁間方向壁面"));
    EXPECT_EQ(cell(2, 0, 3), QStringLiteral("桁行方向壁面について記入"));
    calc->setDirectionCaptions(true);
    EXPECT_EQ(labelText(QStringLiteral("HMLabel(0)")), QStringLiteral("梁に平行な壁面の見付面積：Ａ"));
    EXPECT_EQ(labelText(QStringLiteral("KMLabel(2)")), QStringLiteral("桁に平行な壁面の見付面積：Ｆ"));
    EXPECT_EQ(cell(0, 0, 10), QStringLiteral("梁に平行な壁面について記入"));
}

// A new window is as large as its contents, whatever its rules: nothing
// hides behind a sideways scroll bar (the pages' sizes were read before
// their layouts had seen the parts of the rules shown).
TEST_F(HeaderInputs, NewWindowsShowTheirContentsWithoutScrollingSideways)
{
    for (const RuleSetKind kind : {RuleSetKind::Old, RuleSetKind::Rules2025}) {
        CalcWindow *window = main->newCalcWindow(kind);
        QApplication::processEvents();
        for (const QString &name : {QStringLiteral("frmCalcScroller"), QStringLiteral("TSScroll(0)")}) {
            auto *scroller = window->findChild<QScrollArea *>(name);
            ASSERT_NE(scroller, nullptr) << name.toStdString();
            EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible())
                << name.toStdString() << " under " << RuleSetName(kind).toStdString();
        }
    }
}

} // namespace
} // namespace quiren::test
