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

// Af = legal floor area + loft stores (平12建告1351号); voids are never taken
// off. Hand-worked from the rule: a = h / 2.1 × A to 0.01 m², the 1/8 test once
// against the storey below the loft, a loft above storey 2 on both storeys,
// over 1.4 m high or of half the storey or more: a storey, nothing added.
TEST(FloorArea2025, LoftStoresAndVoids)
{
    struct Case {
        const char *what;
        const char *floor1, *floor2;
        int storey;   // the loft's storey (0 or 1)
        const char *area, *height, *highest;
        bool exemption;
        double af1, af2;
        bool exempted, isStorey;
    } cases[] = {
        {"published: 54.35 + 12×1.4/2.1", "54.35", "", 0, "12", "1.4", "1.4", true, 62.35, 0, false, false},
        {"issue: 8.2×1.2/2.1 = 4.69 on both", "66.24", "49.68", 1, "8.2", "1.2", "1.4", true, 70.93, 54.37, false, false},
        {"1/8 of storey 2 only: 6 > 5", "80", "40", 1, "6", "1.05", "", true, 83, 43, false, false},
        {"exactly 1/8 of storey 2: left out on both", "80", "40", 1, "5", "1.05", "", true, 80, 40, true, false},
        {"exemption off", "80", "40", 1, "5", "1.05", "", false, 82.5, 42.5, false, false},
        {"highest inner height 1.5 m: a storey", "80", "40", 1, "6", "1.05", "1.5", true, 80, 40, false, true},
        {"half the storey: a storey", "80", "40", 1, "20", "1.05", "1.2", true, 80, 40, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WeightRuleInputs inputs;
        inputs.loftExemption = c.exemption;
        inputs.floor[c.storey].loftArea = QString::fromUtf8(c.area);
        inputs.floor[c.storey].loftHeight = QString::fromUtf8(c.height);
        inputs.floor[c.storey].loftMaxHeight = QString::fromUtf8(c.highest);
        inputs.floor[0].voids = QStringLiteral("6");   // from an earlier file: never taken off
        const int storeys = *c.floor2 ? 2 : 1;
        QStringList warnings;
        const auto f = ComputeFloorAreas({QString::fromUtf8(c.floor1), QString::fromUtf8(c.floor2)}, inputs, storeys,
                                         &warnings);
        EXPECT_DOUBLE_EQ(f[0].af, c.af1);
        if (storeys == 2) {
            EXPECT_DOUBLE_EQ(f[1].af, c.af2);
        }
        EXPECT_EQ(f[c.storey].loftExempted, c.exempted);
        EXPECT_EQ(f[c.storey].loftIsStorey, c.isStorey);
        EXPECT_EQ(warnings.join(QString()).contains(QStringLiteral("階として算定")), c.isStorey);
    }
}

// The sheet: r from the typed floor areas (Lw as the official tool has it),
// the requirement from Af as printed, no judgement for a loft that is a
// storey or a building beyond 300 m², and cut percentages.
TEST(CalcSheet2025, FloorAreasRouteAndPercentages)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    SeismicInputs &s = sheet.weightInputs.seismic;
    s.h1 = QStringLiteral("2.9");
    s.h2 = QStringLiteral("2.8");
    s.rise = QStringLiteral("1.5");
    s.overhang = QStringLiteral("0.6");
    s.pitch = QStringLiteral("4");
    sheet.floorArea[0] = QStringLiteral("60");
    sheet.floorArea[1] = QStringLiteral("50");
    sheet.weightInputs.floor[1].loftArea = QStringLiteral("21");   // 1.05/2.1 × 21 = 10.5
    sheet.weightInputs.floor[1].loftHeight = QStringLiteral("1.05");
    sheet.Recalculate();
    EXPECT_NEAR(sheet.weightResults.breakdown.areaRatio, 50.0 / 60.0, 1e-12);   // not 60.5 / 70.5
    EXPECT_EQ(sheet.weightResults.lw, (std::array<int, 2>{40, 27}));
    EXPECT_EQ(sheet.floorRequirement[0], "28.2000");   // 40 × 70.5
    EXPECT_EQ(sheet.floorRequirement[1], "16.3350");   // 27 × 60.5

    // Typed Lw 30 × Af 54.37 = 16.3110, as the issue prints it.
    s.method = LwMethod::Typed;
    s.typedLw = {QStringLiteral("41"), QStringLiteral("30")};
    sheet.floorArea[0] = QStringLiteral("66.24");
    sheet.floorArea[1] = QStringLiteral("49.68");
    sheet.weightInputs.floor[1].loftArea = QStringLiteral("8.2");
    sheet.weightInputs.floor[1].loftHeight = QStringLiteral("1.2");
    sheet.Recalculate();
    EXPECT_EQ(sheet.floorRequirement[1], "16.3110");
    EXPECT_EQ(sheet.floorRequirement[0], "29.0813");   // 41 × 70.93

    // Framing: 4 places of a 4.5×9 brace pair, 1.82 m: 29.12 m both ways on storey 1.
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = QStringLiteral("する");
    row[ColLength0] = row[ColLength1] = QStringLiteral("1.82");
    row[ColPlaces0] = row[ColPlaces1] = QStringLiteral("4");
    sheet.Recalculate();
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], "OK");

    // A loft higher than 1.4 m is a storey: storey 2 is not judged.
    sheet.weightInputs.floor[1].loftMaxHeight = QStringLiteral("1.6");
    sheet.Recalculate();
    EXPECT_FALSE(sheet.judgement[1][JudgeResult0].isEmpty());
    EXPECT_NE(sheet.judgement[1][JudgeResult0], "OK");
    EXPECT_EQ(sheet.judgement[1][JudgeResult0], sheet.weightResults.refusal[1]);
    EXPECT_NE(sheet.judgement[0][JudgeResult0], "OK");   // the storeys below carry it too
    EXPECT_EQ(sheet.floorRequirement[0], "27.1584");   // 41 × 66.24: nothing added
    sheet.weightInputs.floor[1].loftMaxHeight.clear();

    // Beyond 300 m²: never OK, on both storeys; 300 itself is within the route.
    for (const auto &[second, beyond] : {std::pair{"233.76", false}, std::pair{"233.77", true}}) {
        sheet.floorArea[1] = QString::fromUtf8(second);
        sheet.Recalculate();
        SCOPED_TRACE(second);
        EXPECT_EQ(sheet.weightResults.beyondRoute, beyond);
        EXPECT_EQ(sheet.judgement[0][JudgeResult0] == BeyondRouteText(), beyond);
        EXPECT_EQ(sheet.judgement[1][JudgeResult1] == BeyondRouteText(), beyond);
    }

    // Percentages are cut on the printed figures: 9.9990 of 10.0000 is 99.9 %.
    const RuleSet &rules = sheet.rules();
    EXPECT_EQ(rules.judgementText("9.9990", "10.0000", 99.99f), "99.9% ");
    EXPECT_EQ(rules.judgementText("8.7460", "10.0000", 87.46f), "87.4% ");
    EXPECT_EQ(rules.judgementText("10.0000", "10.0000", 100.0f), "OK");
    // The old rules keep their rounding, but a short storey never reads 100.0 %.
    const RuleSet &old = RulesFor(RuleSetKind::Old);
    EXPECT_EQ(old.judgementText("8.7460", "10.0000", 87.46f), "87.5% ");
    EXPECT_EQ(old.judgementText("9.9990", "10.0000", 99.99f), "99.9% ");
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

// The two kinds and their conditions (heights in cm, widths in m).
TEST(QuasiBearingWall, KindsAndTheirConditions)
{
    struct Case {
        QuasiKind kind;
        double panel, clear;
        bool bothSides;
        double width;
        bool counts;
    } cases[] = {
        {QuasiKind::Panel, 240, 284.4, false, 0.91, true},
        {QuasiKind::Panel, 227.52, 284.4, false, 0.91, true},    // exactly 80 %
        {QuasiKind::Panel, 227.5, 284.4, false, 0.91, false},    // just under
        {QuasiKind::Panel, 240, 284.4, false, 0.89, false},      // narrower than 90 cm
        {QuasiKind::HangingSill, 36, 273, true, 2.0, true},
        {QuasiKind::HangingSill, 35.9, 273, true, 1.82, false},  // under 36 cm
        {QuasiKind::HangingSill, 60, 273, false, 1.82, false},   // sides not confirmed
        {QuasiKind::HangingSill, 60, 273, true, 2.01, false},    // wider than 2 m
        {QuasiKind::HangingSill, 60, 273, true, 0.9, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.panel) + " " + std::to_string(c.width));
        const QString reason = QuasiRefusal(c.kind, c.panel, c.clear, c.bothSides)
                               + QuasiWidthRefusal(c.kind, c.width);
        EXPECT_EQ(reason.isEmpty(), c.counts) << reason.toStdString();
    }
    // Rows of earlier files: 準耐力壁 where they meet its condition.
    EXPECT_EQ(QuasiKindOfEarlierRow(240, 273), QuasiKind::Panel);
    EXPECT_EQ(QuasiKindOfEarlierRow(60, 273), QuasiKind::HangingSill);
    EXPECT_EQ(QuasiKindOfEarlierRow(0, 0), QuasiKind::Panel);
}

TEST(Framing2025, CapOfSevenAndTallStoreyBraces)
{
    const CertifiedWallList walls{CertifiedWall{QStringLiteral("A壁"), 4.0f}};
    CalcSheet sheet(&walls);
    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    sheet.weightInputs.memberDistance[1] = QStringLiteral("3.5");
    const RuleSet &rules = sheet.rules();
    const RuleSet &old = RulesFor(RuleSetKind::Old);
    struct Case {
        const char *kind, *section, *crossed;
        int storey;
        const char *length;
        double old, rules2025;
    } cases[] = {
        {"A壁+木材", "4.5×9", "する", 0, "1.82", 5.0, 7.0},    // 4 + 4, capped at 7
        // Crossed 9 cm braces are never combined with a wall: 5, not 6.
        {"A壁+木材", "9×9", "する", 0, "1.82", 5.0, 5.0},
        {"木摺両面壁+木材", "9×9", "する", 0, "1.82", 5.0, 5.0},
        {"土塗り壁+木材", "9×9", "する", 0, "1.82", 5.0, 5.0},
        {"土塗り壁+木材", "9×9", "しない", 0, "1.82", 3.5, 3.5},
        {"木材", "9×9", "する", 0, "1.82", 5.0, 5.0},          // crossed 9 cm square stays 5
        // H 3.5 m: αh = 3.5 × 0.91 / 3.5 = 0.91 on the brace share only.
        {"木材", "4.5×9", "しない", 1, "0.91", 2.0, 1.82},
        // H 3.5 m, 0.9 m: αh = 0.9 cut to four decimals; 4.0 × 0.9 = 3.6.
        {"木材", "4.5×9", "する", 1, "0.9", 4.0, 3.6},
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
    SeismicInputs &s = sheet.weightInputs.seismic;
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
    EXPECT_EQ(j[JudgeResult0], "84.2% ");   // 84.259 cut, not rounded
    // Direction 1: 8.19 m, half of 13.5 = 6.75 counted: 7.28 + 6.75.
    EXPECT_EQ(j[JudgeSum1], "14.0300");
    EXPECT_EQ(j[JudgeResult1], "OK");
    EXPECT_DOUBLE_EQ(sheet.weightResults.quasiCounted[1][1], 6.75);
    EXPECT_NEAR(sheet.weightResults.quasiSum[1][1], 8.19, 1e-9);
    EXPECT_EQ(sheet.weightResults.quasiWarnings[1].size(), 1);
    EXPECT_TRUE(sheet.quasiWalls[1][1].effective[0].isEmpty());

    // Wind governs when larger; the quasi cap follows the governing length.
    sheet.SetProjectedArea(1, QStringLiteral("40"));   // 20 m
    EXPECT_EQ(j[JudgeNecessary0], "20.0000");
    EXPECT_EQ(j[JudgeSum0], "11.3750");
    EXPECT_EQ(j[JudgeResult0], "56.8% ");   // 56.875 cut
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
    SeismicInputs &seismic = sheet.weightInputs.seismic;
    const auto warned = [&sheet](const char *text) {
        return sheet.weightResults.warnings.join(QLatin1Char('|')).contains(QString::fromUtf8(text));
    };

    // Typed: storey 2 left empty has no Lw, and says so.
    seismic.method = LwMethod::Typed;
    seismic.typedLw = {QStringLiteral("40.2"), QString()};   // a whole cm/m², rounded up
    sheet.Recalculate();
    EXPECT_EQ(sheet.coefficient[0], "0.41");
    EXPECT_EQ(sheet.floorRequirement[0], "24.6000");
    EXPECT_FALSE(sheet.weightResults.lwKnown[1]);
    EXPECT_EQ(sheet.floorRequirement[1], "0.0000");
    EXPECT_TRUE(warned("2階のLwを入力"));
    EXPECT_TRUE(warned("1階のLwを整数に切り上げました(41)"));

    // The user's own loads: heavier interior walls (300 N/m²) raise Lw from
    // 40/27 to 41/27 (40.98 and 26.79), with a warning that the tool stops at 200.
    seismic.method = LwMethod::Loads;
    seismic.loads.interiorWall = QStringLiteral("300");
    sheet.Recalculate();
    EXPECT_EQ(sheet.weightResults.lw, (std::array<int, 2>{41, 27}));
    EXPECT_NEAR(sheet.weightResults.breakdown.lwRaw[0], 40.982258, 1e-5);
    EXPECT_TRUE(warned("間仕切壁の荷重が200"));

    // A load that is not a number: no Lw, the input named.
    seismic.loads.interiorWall = QStringLiteral("abc");
    sheet.Recalculate();
    EXPECT_FALSE(sheet.weightResults.lwKnown[0]);
    EXPECT_TRUE(sheet.judgement[1][JudgeResult1].isEmpty());   // no stale "OK"
    EXPECT_TRUE(warned("間仕切壁の荷重が数値ではありません"));
}
