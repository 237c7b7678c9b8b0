// The 2025 rules: Lw from the building's weight, Af, quasi-bearing walls,
// braces in tall storeys, the cap of 7, and a sheet switching rule sets.
// Expected figures are worked out by hand from the published method.
#include "core/calc/CalcSheet.h"
#include "core/calc/Framing.h"
#include "core/calc/QuasiBearingWall.h"
#include "core/calc/SeismicWeight.h"
#include "core/calc/Sheet2025.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

LwInput tileSiding(int storeys, double c0, double area1, double area2)
{
    LwInput in;
    in.storeys = storeys;
    in.loads = UnitLoads::Standard(RoofFinish::Tile, WallFinish::Siding, SolarPanels::None,
                                   BuildingUse::Dwelling);
    in.c0 = c0;
    in.h1 = 2.9;
    in.h2 = 2.8;
    in.rise = 1.5;
    in.overhang = 0.6;
    in.pitch = 4;
    in.area1 = area1;
    in.area2 = area2;
    return in;
}

} // namespace

TEST(SeismicWeight, PublishedFormulaAndRounding)
{
    // 4000 N/m² carried, C0 0.2: 40.82 cm/m², rounded up to 41.
    EXPECT_NEAR(LwFromWeight(1, 0.2, 4.0), 40.816, 0.001);
    EXPECT_EQ(RoundUpLw(LwFromWeight(1, 0.2, 4.0)), 41);
    EXPECT_EQ(RoundUpLw(43.05), 44);
    EXPECT_EQ(RoundUpLw(40.0 + 1e-12), 40);   // binary noise does not cost a cm/m²
    EXPECT_EQ(CeilTen(719.7), 720);
    EXPECT_EQ(CeilTen(720.0000000001), 720);
}

TEST(SeismicWeight, ToolMethodTwoStoreys)
{
    struct Case {
        const char *name;
        LwInput in;
        double walls1, lowerRoof, w1, w2, ai2;
        int lw1, lw2;
    };
    LwInput office = tileSiding(2, 0.3, 60, 40);
    office.loads = UnitLoads::Standard(RoofFinish::Metal, WallFinish::Mortar, SolarPanels::Standard,
                                       BuildingUse::Dwelling);
    const Case cases[] = {
        // Upper floor 50 of 60 m²: the lower roof ⑤ weighs on storey 1.
        {"smaller upper floor", tileSiding(2, 0.2, 60, 50), 1.067143, 0.245428, 3.881142, 1.660476, 1.282450, 40, 27},
        {"same floors", tileSiding(2, 0.2, 60, 60), 1.067143, 0.0, 4.256142, 1.992571, 1.254829, 44, 26},
        {"metal, mortar, panels, C0 0.3", office, 1.417143, 0.356835, 3.505743, 1.173670, 1.357485, 54, 37},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LwBreakdown b = ComputeLw(c.in);
        ASSERT_TRUE(b.valid);
        EXPECT_NEAR(b.roofFactor, 1.386435, 1e-6);
        // Siding at 2.9 m: 720 + 207.14 + 90 + 50 N/m².
        EXPECT_NEAR(b.walls1, c.walls1, 1e-6);
        EXPECT_NEAR(b.lowerRoof, c.lowerRoof, 1e-6);
        EXPECT_NEAR(b.w[0], c.w1, 1e-6);
        EXPECT_NEAR(b.w[1], c.w2, 1e-6);
        EXPECT_NEAR(b.t, 0.2085, 1e-9);
        EXPECT_NEAR(b.ai[1], c.ai2, 1e-6);
        EXPECT_EQ(b.lw[0], c.lw1);
        EXPECT_EQ(b.lw[1], c.lw2);
    }
}

TEST(SeismicWeight, OneStoreyAndRangeWarnings)
{
    LwInput in = tileSiding(1, 0.2, 100, 0);
    in.loads = UnitLoads::Standard(RoofFinish::Slate, WallFinish::Siding, SolarPanels::None,
                                   BuildingUse::Dwelling);
    in.rise = 1.2;
    in.overhang = 0.45;
    in.pitch = 3;
    LwBreakdown b = ComputeLw(in);
    ASSERT_TRUE(b.valid);
    EXPECT_NEAR(b.lwRaw[0], 16.025546, 1e-5);
    EXPECT_EQ(b.lw[0], 17);
    EXPECT_TRUE(b.warnings.isEmpty());

    // Outside the tool's range: warned, still computed.
    in.overhang = 0.9;
    in.pitch = 6;
    in.area1 = 60;
    b = ComputeLw(in);
    EXPECT_TRUE(b.valid);
    EXPECT_EQ(b.warnings.size(), 3);

    // Unusable inputs refuse, naming what is wrong.
    LwInput two = tileSiding(2, 0.2, 60, 0);
    b = ComputeLw(two);
    EXPECT_FALSE(b.valid);
    EXPECT_TRUE(b.warnings.join(QString()).contains(QStringLiteral("2階の床面積")));

    // Loads of nothing give no Lw rather than a meaningless one.
    LwInput empty = tileSiding(1, 0.2, 100, 0);
    empty.loads = UnitLoads{0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ComputeLw(empty).valid);
}

TEST(FloorArea2025, LoftsAndVoids)
{
    Sheet2025Inputs inputs;
    inputs.floor[0].loftArea = QStringLiteral("12");
    inputs.floor[0].loftHeight = QStringLiteral("1.4");
    // Published figure: 54.35 + 12 × 1.4 / 2.1 = 62.35.
    auto one = ComputeFloorAreas({QStringLiteral("54.35"), QString()}, inputs, 1, nullptr);
    EXPECT_NEAR(one[0].af, 62.35, 1e-9);

    // Two storeys: the loft above storey 2 counts for both; 1/8 of storey 2
    // (40 m²) is 5 m², so a 5 m² loft is left out there but not on storey 1
    // under the same rule (1/8 of 80 is 10: left out too), unless switched off.
    inputs.floor[0] = FloorAreaInputs{QStringLiteral("6"), {}, {}};
    inputs.floor[1] = FloorAreaInputs{{}, QStringLiteral("5"), QStringLiteral("1.05")};
    auto two = ComputeFloorAreas({QStringLiteral("80"), QStringLiteral("40")}, inputs, 2, nullptr);
    EXPECT_DOUBLE_EQ(two[0].af, 74);
    EXPECT_TRUE(two[0].loftExempted);
    EXPECT_DOUBLE_EQ(two[1].af, 40);
    inputs.loftExemption = false;
    two = ComputeFloorAreas({QStringLiteral("80"), QStringLiteral("40")}, inputs, 2, nullptr);
    EXPECT_DOUBLE_EQ(two[0].af, 76.5);
    EXPECT_DOUBLE_EQ(two[1].af, 42.5);
}

TEST(QuasiBearingWall, MultiplierTruncatedAndCapped)
{
    struct Case {
        double base;
        bool lath;
        double panel, clear;
        double expected;
    } cases[] = {
        {0.9, false, 240, 284.4, 0.45},  // published sample: 0.4557 truncated
        {0.9, false, 240, 273.0, 0.47},
        {0.9, false, 240, 240, 0.54},    // exact product, not 0.53
        {0, true, 200, 250, 0.40},       // lath: 0.5 × ratio
        {2.5, false, 300, 150, 1.5},     // capped
        {0.9, false, 300, 250, 0.54},    // a panel counts no higher than the clear height
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_DOUBLE_EQ(*QuasiMultiplier(c.base, c.lath, c.panel, c.clear), c.expected);
    }
    EXPECT_FALSE(QuasiMultiplier(0.9, false, 240, 0));
}

TEST(Framing2025, CapOfSevenAndTallStoreyBraces)
{
    const CertifiedWallList walls{CertifiedWall{QStringLiteral("A壁"), 4.0f}};
    CalcSheet sheet(&walls);
    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    sheet.inputs2025.memberDistance[1] = QStringLiteral("3.5");
    const RuleSet &rules = sheet.rules();
    const RuleSet &old = RulesFor(RuleSetKind::Old);
    struct Case {
        const char *kind, *section, *crossed;
        int storey;
        const char *length;
        double old, rules2025;
    } cases[] = {
        // Crossed 9 cm square braces are not combined with a wall: 5.
        {"A壁+木材", "9×9", "する", 0, "1.82", 5.0, 5.0},
        {"木摺両面壁+木材", "9×9", "する", 0, "1.82", 5.0, 5.0},
        {"木材", "9×9", "する", 0, "1.82", 5.0, 5.0},          // crossed 9 cm square stays 5
        // H 3.5 m: αh = 3.5 × 0.91 / 3.5 = 0.91 on the brace share only.
        {"木材", "4.5×9", "しない", 1, "0.91", 2.0, 1.82},
        {"木摺両面壁+木材", "4.5×9", "しない", 1, "0.91", 3.0, 2.82},
        {"木摺両面壁+木材", "4.5×9", "しない", 1, "1.82", 3.0, 3.0},   // αh capped at 1
        {"9㎜鉄筋", "-", "-", 1, "0.91", 1.0, 0.91},
        {"A壁", "-", "-", 1, "0.91", 4.0, 4.0},                   // a wall is not reduced
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.length);
        FramingRow row;
        row[ColKind] = QString::fromUtf8(c.kind);
        row[ColSection] = QString::fromUtf8(c.section);
        row[ColXBracing] = QString::fromUtf8(c.crossed);
        row[ColLength0] = QString::fromUtf8(c.length);
        EXPECT_DOUBLE_EQ(old.framingMultiplier(sheet, c.storey, 0, row), c.old);
        EXPECT_NEAR(rules.framingMultiplier(sheet, c.storey, 0, row), c.rules2025, 1e-6);
    }
    EXPECT_EQ(rules.multiplierText(1.82), "1.82");
}

namespace {

// Two storeys of 60 and 50 m², tile roof and siding: Lw 40 and 27.
void setUp2025(CalcSheet &sheet)
{
    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    SeismicInputs &s = sheet.inputs2025.seismic;
    s.h1 = QStringLiteral("2.9");
    s.h2 = QStringLiteral("2.8");
    s.rise = QStringLiteral("1.5");
    s.overhang = QStringLiteral("0.6");
    s.pitch = QStringLiteral("4");
    sheet.floorArea[0] = QStringLiteral("60");
    sheet.floorArea[1] = QStringLiteral("50");
    // Storey 2: a single 4.5×9 brace, 1.82 m, 2 places, both directions.
    FramingRow &row = sheet.row(1, 0);
    row[ColKind] = QStringLiteral("木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = QStringLiteral("しない");
    row[ColLength0] = row[ColLength1] = QStringLiteral("1.82");
    row[ColPlaces0] = row[ColPlaces1] = QStringLiteral("2");
    // Gypsum board hanging walls: 0.45 × 0.91 m.
    QuasiWallRow &quasi = sheet.quasiWalls[1][0];
    quasi.kind = QStringLiteral("せっこうボード");
    quasi.panelHeight = QStringLiteral("240");
    quasi.clearHeight = QStringLiteral("284.4");
    quasi.length = {QStringLiteral("0.91"), QStringLiteral("0.91")};
    quasi.places = {QStringLiteral("10"), QStringLiteral("20")};
    // A 30 cm strip above a door is too low to count at all.
    QuasiWallRow &strip = sheet.quasiWalls[1][1];
    strip = quasi;
    strip.panelHeight = QStringLiteral("30");
    sheet.Recalculate();
}

} // namespace

TEST(CalcSheet2025, RequirementQuasiWallsAndJudgement)
{
    CalcSheet sheet;
    setUp2025(sheet);
    EXPECT_EQ(sheet.coefficient[0], "0.40");
    EXPECT_EQ(sheet.coefficient[1], "0.27");
    EXPECT_EQ(sheet.floorRequirement[0], "24.0000");
    EXPECT_EQ(sheet.floorRequirement[1], "13.5000");
    EXPECT_EQ(sheet.row(1, 0)[ColMultiplier0], "2.00");
    EXPECT_EQ(sheet.quasiWalls[1][0].multiplier, "0.45");
    EXPECT_EQ(sheet.quasiWalls[1][0].effective[0], "4.0950");

    const JudgementRow &j = sheet.judgement[1];
    // Direction 0: 4.095 m of quasi walls, under half of 13.5: all counted.
    EXPECT_EQ(j[JudgeNecessary0], "13.5000");
    EXPECT_EQ(j[JudgeSum0], "11.3750");
    EXPECT_EQ(j[JudgeResult0], "84.3% ");
    // Direction 1: 8.19 m, half of 13.5 = 6.75 counted: 7.28 + 6.75.
    EXPECT_EQ(j[JudgeSum1], "14.0300");
    EXPECT_EQ(j[JudgeResult1], "OK");
    EXPECT_DOUBLE_EQ(sheet.results2025.quasiCounted[1][1], 6.75);
    EXPECT_NEAR(sheet.results2025.quasiSum[1][1], 8.19, 1e-9);
    EXPECT_EQ(sheet.results2025.quasiWarnings[1].size(), 1);
    EXPECT_TRUE(sheet.quasiWalls[1][1].effective[0].isEmpty());

    // Wind governs when larger; the quasi cap follows the governing length.
    sheet.SetProjectedArea(1, QStringLiteral("40"));   // 20 m
    EXPECT_EQ(j[JudgeNecessary0], "20.0000");
    EXPECT_EQ(j[JudgeSum0], "11.3750");
    EXPECT_EQ(j[JudgeResult0], "56.9% ");
}

TEST(CalcSheet2025, SwitchingRuleSets)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    sheet.SetFloorArea(0, QStringLiteral("70"));
    sheet.SetFloorArea(1, QStringLiteral("40"));
    sheet.SetWeightType(1);
    EXPECT_EQ(sheet.floorRequirement[0], "23.1000");   // published: 70 × 0.33
    EXPECT_EQ(sheet.floorRequirement[1], "8.4000");    // 40 × 0.21

    setUp2025(sheet);
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Old));
    sheet.floorArea[0] = QStringLiteral("70");
    sheet.floorArea[1] = QStringLiteral("40");
    sheet.Recalculate();
    EXPECT_EQ(sheet.floorRequirement[0], "23.1000");
    EXPECT_EQ(sheet.coefficient[1], "0.21");
    EXPECT_EQ(sheet.row(1, 0)[ColMultiplier0], "2.0");
    EXPECT_EQ(sheet.judgement[1][JudgeSum0], "7.2800");   // no quasi walls under the old rules

    // Three storeys: a structural calculation is needed; nothing changes.
    sheet.SetStoreyIndex(2);
    QString reason;
    EXPECT_FALSE(sheet.SetRuleSet(RuleSetKind::Rules2025, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("構造計算")));
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Old);
    // Under the 2025 rules the storey count stays at two at most.
    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    sheet.SetStoreyIndex(2);
    EXPECT_EQ(sheet.storeyIndex, 1);
}

TEST(CalcSheet2025, TypedLwAndTypedLoads)
{
    CalcSheet sheet;
    setUp2025(sheet);
    SeismicInputs &seismic = sheet.inputs2025.seismic;
    const auto warned = [&sheet](const char *text) {
        return sheet.results2025.warnings.join(QLatin1Char('|')).contains(QString::fromUtf8(text));
    };

    // Typed: storey 2 left empty has no Lw, and says so.
    seismic.method = LwMethod::Typed;
    seismic.typedLw = {QStringLiteral("40.2"), QString()};   // a whole cm/m², rounded up
    sheet.Recalculate();
    EXPECT_EQ(sheet.coefficient[0], "0.41");
    EXPECT_EQ(sheet.floorRequirement[0], "24.6000");
    EXPECT_FALSE(sheet.results2025.lwKnown[1]);
    EXPECT_EQ(sheet.floorRequirement[1], "0.0000");
    EXPECT_TRUE(warned("2階のLwを入力"));
    EXPECT_TRUE(warned("1階のLwを整数に切り上げました(41)"));

    // The user's own loads: heavier interior walls (300 N/m²) raise Lw from
    // 40/27 to 41/27 (40.98 and 26.79), with a warning that the tool stops at 200.
    seismic.method = LwMethod::Loads;
    seismic.loads.interiorWall = QStringLiteral("300");
    sheet.Recalculate();
    EXPECT_EQ(sheet.results2025.lw, (std::array<int, 2>{41, 27}));
    EXPECT_NEAR(sheet.results2025.breakdown.lwRaw[0], 40.982258, 1e-5);
    EXPECT_TRUE(warned("間仕切壁の荷重が200"));

    // A load that is not a number: no Lw, the input named.
    seismic.loads.interiorWall = QStringLiteral("abc");
    sheet.Recalculate();
    EXPECT_FALSE(sheet.results2025.lwKnown[0]);
    EXPECT_TRUE(sheet.judgement[1][JudgeResult1].isEmpty());   // no stale "OK"
    EXPECT_TRUE(warned("間仕切壁の荷重が数値ではありません"));
}
