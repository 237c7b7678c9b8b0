// A sheet moved between the rule sets, with the roof asked for.
#include "core/calc/CalcSheet.h"
#include "core/calc/RuleConversion.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

CalcSheet oldSheet(int weightType)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.SetWeightType(weightType);
    sheet.floorArea[0] = QStringLiteral("50");
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = QStringLiteral("しない");
    row[ColLength0] = QStringLiteral("0.91");
    row[ColPlaces0] = QStringLiteral("4");
    sheet.Recalculate();
    return sheet;
}

// There and back: the roof chosen is the one the 2025 loads take, the
// weight chosen the old coefficients; the framing is untouched.
TEST(RuleConversion, ThereAndBack)
{
    for (int weightType : {0, 1}) {
        CalcSheet sheet = oldSheet(0);
        ASSERT_TRUE(ConvertTo2025(sheet, RoofFinish::Metal));
        EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
        EXPECT_EQ(sheet.weightInputs.seismic.roof, RoofFinish::Metal);
        EXPECT_TRUE(OldRulesRefusals(sheet).isEmpty());
        ASSERT_TRUE(ConvertToOldRules(sheet, weightType));
        EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Old);
        EXPECT_EQ(sheet.weightType, weightType);
        EXPECT_EQ(sheet.row(0, 0)[ColLength0], QStringLiteral("0.91"));
        EXPECT_EQ(sheet.floorRequirement[0], oldSheet(weightType).floorRequirement[0]);
    }
}

// A panel on each face is a kind only the 2025 rules know: the way back is
// refused with its name, and the sheet stays as it was.
TEST(RuleConversion, BackRefusedForAKindOnlyThe2025RulesKnow)
{
    CalcSheet sheet = oldSheet(0);
    ASSERT_TRUE(ConvertTo2025(sheet, RoofFinish::Metal));
    sheet.row(0, 0)[ColKind] = QStringLiteral("構造用合板 t7.5 (大壁)+石膏ボード t12.5 (大壁)");
    sheet.Recalculate();
    ASSERT_TRUE(sheet.unresolvedKinds[0].isEmpty());
    QString reason;
    EXPECT_FALSE(ConvertToOldRules(sheet, 0, &reason));
    EXPECT_TRUE(reason.startsWith(QStringLiteral("1階の軸組「"))) << reason.toStdString();
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
}

} // namespace
