// The balance check on a storey page: counts typed into the side-part grid
// and side-part areas update the verdict at once; a count beyond the row's
// places is refused with a message.
#include "CalcWindowFixture.h"

#include "gui/calcwindow/BalancePanel.h"

namespace quiren::test {
namespace {

using BalancePanelTest = CalcWindowFixture;

TEST_F(BalancePanelTest, TypedCountsJudgeTheSidePartsAndTooManyIsRefused)
{
    // One storey, light (0.11 m/m²): a 9 mm rebar row, 1.82 m, 3 places.
    enter(box(QStringLiteral("txtFloorDimensions(0)")), QStringLiteral("20"));
    CalcSheet &sheet = calc->sheet();
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("9㎜鉄筋");
    row[ColLength0] = QStringLiteral("  1.82");
    row[ColPlaces0] = QStringLiteral("3");
    sheet.RecalcStorey(0);

    BalancePanel *panel = calc->balancePanel(0);
    ASSERT_NE(panel, nullptr);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdBalance(0)")), Qt::LeftButton);
    enter(panel->areaBox(0, 0), QStringLiteral("10"));
    enter(panel->areaBox(0, 1), QStringLiteral("10"));
    sheet.changed = false;

    SideCountGrid *counts = panel->countGrid();
    auto typeCount = [&](int column, const QString &text) {
        const QModelIndex index = counts->model()->index(SideCountModel::HeadingRows, column);
        counts->setFocus();
        counts->setCurrentIndex(index);
        QTest::keyClicks(counts, text.left(1));
        auto *edit = qobject_cast<QLineEdit *>(counts->indexWidget(index));
        ASSERT_NE(edit, nullptr) << "typing did not start an edit";
        QTest::keyClicks(edit, text.mid(1));
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    };

    // 2 places at the upper end only: 3.6400 against 1.1000, nothing below.
    typeCount(SideCountModel::Count00, QStringLiteral("2"));
    EXPECT_TRUE(sheet.changed);
    EXPECT_EQ(panel->judgementLabel(0)->text(), QStringLiteral("壁率比 0.00 ＜ 0.5"));
    EXPECT_TRUE(panel->verdictLabel(0)->text().contains(QStringLiteral("NG")));
    // The judgement grid, always in view, says so too.
    EXPECT_EQ(judgement(0, JudgementColumnCount), QStringLiteral("NG"));

    // One more place below: both parts above 1.
    typeCount(SideCountModel::Count01, QStringLiteral("1"));
    EXPECT_EQ(panel->fillRatioLabel(0, 0)->text(), QStringLiteral("3.30"));
    EXPECT_EQ(panel->fillRatioLabel(0, 1)->text(), QStringLiteral("1.65"));
    EXPECT_EQ(panel->judgementLabel(0)->text(), QStringLiteral("充足率がいずれも1を超える"));
    EXPECT_EQ(judgement(0, JudgementColumnCount), QString());   // the other direction is not filled in

    // 2 + 2 would be more than the row's 3 places, and a letter is no
    // count: refused, the count kept, the typed text open to be corrected.
    for (const char *typed : {"2", "x"}) {
        messages.clear();
        typeCount(SideCountModel::Count01, QString::fromUtf8(typed));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, *typed == '2' ? QStringLiteral("側端部分の箇所数の合計が、軸組の箇所数を超えています。")
                                                   : QStringLiteral("下側の箇所数には0から32767までの整数を入力してください"));
        EXPECT_EQ(sheet.balance[0].counts(0)[0][1], QStringLiteral("1"));
        const QModelIndex cell = counts->model()->index(SideCountModel::HeadingRows, SideCountModel::Count01);
        auto *reopened = qobject_cast<QLineEdit *>(counts->indexWidget(cell));
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(reopened->text(), QLatin1String(typed));
        QTest::keyClick(reopened, Qt::Key_Escape);
    }
    EXPECT_EQ(panel->judgementLabel(0)->text(), QStringLiteral("充足率がいずれも1を超える"));
}

} // namespace
} // namespace quiren::test
