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

TEST(RuleConversion, RoofAndWeightStandForEachOther)
{
    const struct {
        RoofFinish roof;
        const char *load;
        int weightType;
    } cases[] = {
        {RoofFinish::Tile, "", 1},   {RoofFinish::Slate, "", 0},     {RoofFinish::Metal, "", 0},
        {RoofFinish::Typed, "900", 1}, {RoofFinish::Typed, "600", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WeightTypeForRoof(c.roof, QString::fromUtf8(c.load)), c.weightType) << c.load;
    for (int weightType : {0, 1})
        EXPECT_EQ(WeightTypeForRoof(RoofFinishForWeight(weightType), {}), weightType);
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

// What only the 2025 rules count is named, and the sheet stays as it was.
TEST(RuleConversion, BackRefusedWhileTheSheetHoldsQuasiBearingWalls)
{
    CalcSheet sheet = oldSheet(1);
    ASSERT_TRUE(ConvertTo2025(sheet, RoofFinish::Tile));
    sheet.quasiWalls[0][0].kind = QStringLiteral("せっこうボード");
    sheet.Recalculate();
    QString reason;
    EXPECT_FALSE(ConvertToOldRules(sheet, 1, &reason));
    EXPECT_EQ(reason, QStringLiteral("1階に準耐力壁等があります（旧基準では存在壁量に数えません）。"));
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
}

} // namespace
