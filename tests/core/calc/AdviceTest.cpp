#include "core/calc/Advice.h"

#include "core/text/NumberText.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

JudgementRow rowOf(const QString &necessary0, const QString &sum0, const QString &result0,
                   const QString &necessary1 = QString(), const QString &sum1 = QString(),
                   const QString &result1 = QString())
{
    JudgementRow row;
    row[JudgeNecessary0] = necessary0;
    row[JudgeSum0] = sum0;
    row[JudgeResult0] = result0;
    row[JudgeNecessary1] = necessary1;
    row[JudgeSum1] = sum1;
    row[JudgeResult1] = result1;
    return row;
}

QString places(int n) { return QStringLiteral("が %1 箇所でOK!").arg(n); }

} // namespace

TEST(Advice, PlacesCoverTheShortfall)
{
    const JudgementRow short300 = rowOf("5.0000", "3.0000", "60.0% ");
    EXPECT_EQ(EvaluateAdvice(short300, 0, 0.91f).text, places(3));    // q ≈ 2.198
    EXPECT_EQ(EvaluateAdvice(short300, 0, 1.82f).text, places(2));    // q ≈ 1.099
    EXPECT_EQ(EvaluateAdvice(short300, 0, 1.365f).text, places(2));   // q ≈ 1.465
    EXPECT_TRUE(EvaluateAdvice(short300, 0, 0.91f).listEnabled);

    // 1.82 over 0.91 is 2 exactly in single precision: one more than the quotient.
    const JudgementRow short182 = rowOf("5.0000", "3.1800", "63.6% ");
    EXPECT_EQ(EvaluateAdvice(short182, 0, 0.91f).text, places(3));
    EXPECT_EQ(EvaluateAdvice(short182, 0, 1.82f).text, places(2));

    // Shown lengths equal while the judgement is not "OK": q = 0 counts as 1.
    const JudgementRow even = rowOf("5.0000", "5.0000", "100.0% ");
    EXPECT_EQ(EvaluateAdvice(even, 0, 0.91f).text, places(2));

    // The list text is the length the evaluation uses.
    const QStringList lengths = AdviceLengthTexts(0);
    EXPECT_EQ(EvaluateAdvice(short300, 0, TextSingle(lengths[0])).text, places(3));
}

TEST(Advice, DirectionsAreIndependent)
{
    const JudgementRow row = rowOf("4.0000", "5.2000", "OK", "6.0000", "1.0000", "16.7% ");
    EXPECT_EQ(EvaluateAdvice(row, 0, 0.91f).text, QStringLiteral("必要長さを満足しています。"));
    EXPECT_FALSE(EvaluateAdvice(row, 0, 0.91f).listEnabled);
    EXPECT_FALSE(EvaluateAdvice(row, 0, 1.82f).listEnabled);
    EXPECT_EQ(EvaluateAdvice(row, 1, 0.91f).text, places(6));   // 5 / 0.91 ≈ 5.49
    EXPECT_TRUE(EvaluateAdvice(row, 1, 0.91f).listEnabled);
}

TEST(Advice, NothingToCalculateFrom)
{
    const QString cannot = QStringLiteral("計算出来ません。");
    // No framing yet: the sum reads 0.
    const JudgementRow none = rowOf("5.0000", "0.0000", "0.0% ");
    EXPECT_EQ(EvaluateAdvice(none, 0, 0.91f).text, cannot);
    EXPECT_FALSE(EvaluateAdvice(none, 0, 0.91f).listEnabled);
    EXPECT_FALSE(AdviceCalculable(none, 0));
    // A requirement and a sum but no judgement (no floor area yet).
    EXPECT_EQ(EvaluateAdvice(rowOf("5.0000", "3.0000", ""), 0, 0.91f).text, cannot);
    // Empty necessary length, empty sum.
    EXPECT_EQ(EvaluateAdvice(rowOf("", "2.0000", ""), 0, 0.91f).text, cannot);
    EXPECT_EQ(EvaluateAdvice(rowOf("5.0000", "", ""), 0, 0.91f).text, cannot);
    // A storey whose judgement row is wholly empty (a fresh sheet's unused storey).
    EXPECT_EQ(EvaluateAdvice(JudgementRow{}, 1, 0.91f).text, cannot);
    // "OK" wins over everything else.
    EXPECT_EQ(EvaluateAdvice(rowOf("", "", "OK"), 0, 0.91f).text,
              QStringLiteral("必要長さを満足しています。"));
    // A zero length would divide by zero.
    EXPECT_EQ(EvaluateAdvice(none, 0, 0.0f).text, cannot);
    EXPECT_EQ(EvaluateAdvice(rowOf("5.0000", "3.0000", "60.0% "), 0, 0.0f).text, cannot);
}

TEST(Advice, LengthsOfEachModule)
{
    EXPECT_EQ(AdviceLengthTexts(0), (QStringList{"0.91", "1.365", "1.82"}));
    EXPECT_EQ(AdviceLengthTexts(1), (QStringList{"0.955", "1.4325", "1.91"}));
    EXPECT_EQ(AdviceLengthTexts(2), (QStringList{"0.985", "1.4775", "1.97"}));
    EXPECT_EQ(AdviceLengthTexts(3), (QStringList{"1.0", "1.5", "2.0"}));
    EXPECT_EQ(AdviceLengthTexts(7), AdviceLengthTexts(0));
    // Each text is the shortest text of the single-precision value it stands for.
    for (int module = 0; module <= 2; ++module)
        for (const QString &text : AdviceLengthTexts(module))
            EXPECT_EQ(SingleText(TextSingle(text)), text);
}

TEST(Advice, OverAWholeSheet)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.SetFloorArea(0, QStringLiteral("50"));
    // No framing yet on the first storey.
    EXPECT_EQ(EvaluateAdvice(sheet, 0, 0, 0.91f).text, QStringLiteral("計算出来ません。"));

    sheet.row(0, 0)[ColKind] = sheet.KindList().value(1);
    sheet.ApplyKindDefaults(0, 0);
    sheet.row(0, 0)[ColLength0] = QStringLiteral("0.91");
    sheet.row(0, 0)[ColPlaces0] = QStringLiteral("2");
    sheet.RecalcStorey(0);
    const JudgementRow &row = sheet.judgement[0];
    ASSERT_NE(row[JudgeResult0], QStringLiteral("OK"));
    const float shortfall =
        static_cast<float>(TextValue(row[JudgeNecessary0]) - TextValue(row[JudgeSum0]));
    const int expected = static_cast<int>(shortfall / 0.91f) + 1;
    EXPECT_EQ(EvaluateAdvice(sheet, 0, 0, 0.91f).text, places(expected));
    EXPECT_EQ(EvaluateAdvice(sheet, 0, 1, 0.91f).text, QStringLiteral("計算出来ません。"));
    EXPECT_EQ(AdviceHeading(StoreyName(0)), QStringLiteral("一階ｱﾄﾞﾊﾞｲｽ"));
}
