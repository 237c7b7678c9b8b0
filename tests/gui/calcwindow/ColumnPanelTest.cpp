// The column check on a storey page: what is typed judges at once, beside the
// wall-quantity verdict; a timber whose Fc is unverified says so; a number
// the sheet cannot take is refused and kept in its box.
#include "CalcWindowFixture.h"

#include "gui/calcwindow/ColumnPanel.h"

#include <QComboBox>

namespace quiren::test {
namespace {

using ColumnPanelTest = CalcWindowFixture;

TEST_F(ColumnPanelTest, TypedColumnsAreJudgedAsTheUserTypes)
{
    CalcSheet &sheet = calc->sheet();
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdColumns(0)")), Qt::LeftButton);
    ColumnPanel *panel = calc->columnPanel(0);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisibleTo(calc));

    // Old rules, one storey, light roof: l/33, 2680 mm needs 81.3 mm.
    sheet.changed = false;
    enter(panel->lengthBox(0), QStringLiteral("2680"));
    enter(panel->depthBox(0), QStringLiteral("81.2"));
    EXPECT_TRUE(sheet.changed);
    EXPECT_EQ(sheet.columns[0].direction[0].depthMm, QStringLiteral("81.2"));
    EXPECT_TRUE(panel->verdictLabel()->text().contains(QStringLiteral("柱の小径 <span style=\"color:#ff0000\">NG")));
    EXPECT_TRUE(panel->stepsLabel()->text().contains(QStringLiteral("81.3")));
    enter(panel->depthBox(0), QStringLiteral("81.3"));
    EXPECT_FALSE(panel->verdictLabel()->text().contains(QStringLiteral("NG")));
    EXPECT_FALSE(panel->methodBox()->isEnabled());

    // Not a number: told by the box's name, the text kept to be corrected.
    messages.clear();
    enter(panel->lengthBox(1), QStringLiteral("x"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.endsWith(QStringLiteral("の横架材間距離 lには0以上の数値を入力してください")));
    EXPECT_EQ(panel->lengthBox(1)->text(), QStringLiteral("x"));
    EXPECT_TRUE(sheet.columns[0].direction[1].lengthMm.isEmpty());
}

TEST_F(ColumnPanelTest, Rules2025TakeTheMethodTimberAndWd)
{
    calc->startSheet(RuleSetKind::Rules2025);
    CalcSheet &sheet = calc->sheet();
    ColumnPanel *panel = calc->columnPanel(0);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdColumns(0)")), Qt::LeftButton);
    ASSERT_TRUE(panel->methodBox()->isEnabled());
    enter(panel->lengthBox(0), QStringLiteral("2680"));
    enter(panel->depthBox(0), QStringLiteral("105"));
    enter(control<QLineEdit>(QStringLiteral("txtColumnWd(0)")), QStringLiteral("4310"));
    // The ratio formula asks 108.6 mm of the 105 mm column.
    EXPECT_TRUE(panel->stepsLabel()->text().contains(QStringLiteral("108.6")));
    EXPECT_TRUE(panel->verdictLabel()->text().contains(QStringLiteral("NG")));

    // The area method with ひのき: 8.0 m² against 5 m², and the unverified Fc said.
    panel->methodBox()->setCurrentIndex(2);
    panel->timberBox()->setCurrentIndex(panel->timberBox()->findData(QStringLiteral("hinoki")));
    enter(control<QLineEdit>(QStringLiteral("txtColumnArea(0)")), QStringLiteral("5"));
    EXPECT_EQ(sheet.columns[0].method, ColumnMethod::Area);
    EXPECT_EQ(sheet.columns[0].timber, QStringLiteral("hinoki"));
    EXPECT_TRUE(panel->stepsLabel()->text().contains(QStringLiteral(">8.0<")));
    EXPECT_TRUE(control<QLabel>(QStringLiteral("ColumnLines(0)"))->text().contains(QStringLiteral("未確認")));
    EXPECT_FALSE(panel->verdictLabel()->text().contains(QStringLiteral("柱の小径 <span style=\"color:#ff0000\">")));
}

} // namespace
} // namespace quiren::test
