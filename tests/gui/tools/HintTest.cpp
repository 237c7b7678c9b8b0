#include "gui/tools/Hint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace quiren;

namespace {

HintInput shortStorey()
{
    HintInput input;
    input.pageCaption = QStringLiteral("二階");
    input.directionCaptions = {QStringLiteral("桁に平行な壁面"), QStringLiteral("梁に平行な壁面")};
    input.row[JudgeNecessary0] = QStringLiteral("5.0000");
    input.row[JudgeSum0] = QStringLiteral("3.0000");
    input.row[JudgeResult0] = QStringLiteral("60.0% ");
    input.row[JudgeNecessary1] = QStringLiteral("5.0000");
    input.row[JudgeSum1] = QStringLiteral("0.0000");
    input.row[JudgeResult1] = QStringLiteral("0.0% ");
    return input;
}

} // namespace

TEST(HintWindow, ShowsTheStoreyAndEvaluatesEachChoice)
{
    frmHint window(shortStorey());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("軸組長さのアドバイス"));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("二階ｱﾄﾞﾊﾞｲｽ"));
    EXPECT_EQ(window.Lab2[0]->text(), QStringLiteral("桁に平行な壁面"));
    EXPECT_EQ(window.Lab2[1]->text(), QStringLiteral("梁に平行な壁面"));
    EXPECT_EQ(window.Lab->text(), QStringLiteral("注）壁倍率が1の場合です。"));
    EXPECT_EQ(window.Cmd1->text(), QStringLiteral("閉じる"));

    QComboBox *list0 = window.cmbLong[0];
    ASSERT_EQ(list0->count(), 3);
    EXPECT_EQ(list0->currentText(), QStringLiteral("0.91"));
    EXPECT_EQ(window.Lab2[2]->text(), QStringLiteral("が 3 箇所でOK!"));
    EXPECT_TRUE(list0->isEnabled());
    list0->setCurrentIndex(2);   // 1.82
    EXPECT_EQ(window.Lab2[2]->text(), QStringLiteral("が 2 箇所でOK!"));

    // Direction 1 has no framing yet: nothing to choose from.
    EXPECT_EQ(window.Lab2[3]->text(), QStringLiteral("計算出来ません。"));
    EXPECT_FALSE(window.cmbLong[1]->isEnabled());
}

TEST(HintWindow, SatisfiedDirectionAndOtherModules)
{
    HintInput input = shortStorey();
    input.row[JudgeSum1] = QStringLiteral("6.0000");
    input.row[JudgeResult1] = QStringLiteral("OK");
    input.module = 3;
    frmHint window(input);
    EXPECT_EQ(window.cmbLong[0]->itemText(0), QStringLiteral("1.0"));
    EXPECT_EQ(window.cmbLong[0]->itemText(2), QStringLiteral("2.0"));
    EXPECT_EQ(window.Lab2[2]->text(), QStringLiteral("が 3 箇所でOK!"));   // 2 / 1.0 = 2
    EXPECT_EQ(window.Lab2[3]->text(), QStringLiteral("必要長さを満足しています。"));
    EXPECT_FALSE(window.cmbLong[1]->isEnabled());
}

TEST(HintWindow, OpensModalOnlyWithAnActiveWindow)
{
    // No active calculation window: nothing opens (exec would block otherwise).
    ShowHint(nullptr, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // With one, the window is modal and the close button ends it.
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto *window = qobject_cast<frmHint *>(QApplication::activeModalWidget());
        seen = window != nullptr && window->isModal();
        if (window)
            window->Cmd1->click();
    });
    const HintInput input = shortStorey();
    ShowHint(nullptr, &input);
    EXPECT_TRUE(seen);
}
