#include "core/calc/Balance.h"
#include "core/calc/CalcSheet.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

// A bearing wall of one direction and the places of it in each side part.
struct Wall {
    QString kind;
    QString section;
    QString length;
    QString places;
    QString inPart0;
    QString inPart1;
};

struct BalanceCase {
    const char *name;
    int storeyIndex;
    int weightType;
    int storey;
    QString area0, area1;
    bool oneStorey0;
    std::vector<Wall> walls;
    // expected
    QString multiplier0, multiplier1;
    QString necessary0, necessary1;
    QString existing0, existing1;
    QString judgement;
    bool passed;
};

CalcSheet sheetFor(const BalanceCase &c)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(c.storeyIndex);
    sheet.SetWeightType(c.weightType);
    const int s = c.storey;
    for (size_t r = 0; r < c.walls.size(); ++r) {
        FramingRow &row = sheet.row(s, static_cast<int>(r));
        row[ColKind] = c.walls[r].kind;
        row[ColSection] = c.walls[r].section;
        row[ColXBracing] = QStringLiteral("しない");
        row[ColLength0] = c.walls[r].length;
        row[ColPlaces0] = c.walls[r].places;
        sheet.balance[s].counts(static_cast<int>(r))[0] = {c.walls[r].inPart0, c.walls[r].inPart1};
    }
    sheet.RecalcStorey(s);
    sheet.balance[s].parts[0][0].floorArea = c.area0;
    sheet.balance[s].parts[0][1].floorArea = c.area1;
    sheet.balance[s].parts[0][0].oneStorey = c.oneStorey0;
    return sheet;
}

} // namespace

// Floor coefficients: light one storey 0.11, two storeys 0.29 / 0.15; heavy
// one storey 0.15, two storeys 0.33 / 0.21. Expected values worked by hand.
TEST(Balance, SidePartsJudgedByFillRatiosAndWallRatio)
{
    const std::vector<BalanceCase> cases = {
        // Fill ratios 0.625 and 1.25: the wall ratio is exactly 0.5 and passes.
        {"fill ratios 0.625 and 1.25", 0, 1, 0, "40", "40", false,
         {{"木材", "1.5×9", "1.875", "3", "2", ""}, {"木材", "4.5×9", "3.75", "1", "", "1"}},
         "0.15", "0.15", "6.0000", "6.0000", "3.7500", "7.5000", "壁率比 0.50 ≧ 0.5", true},
        // 0.499 must not pass as 0.50.
        {"wall ratio 0.499", 0, 1, 0, "40", "40", false,
         {{"9㎜鉄筋", "", "2.994", "1", "1", ""}, {"木材", "4.5×9", "3", "1", "", "1"}},
         "0.15", "0.15", "6.0000", "6.0000", "2.9940", "6.0000", "壁率比 0.49 ＜ 0.5", false},
        // Second storey of two, light: most walls at one end.
        {"one end short", 1, 0, 1, "20", "20", false,
         {{"木材", "1.5×9", "0.91", "4", "1", "3"}},
         "0.15", "0.15", "3.0000", "3.0000", "0.9100", "2.7300", "壁率比 0.33 ＜ 0.5", false},
        {"both above 1", 0, 0, 0, "10", "10", false,
         {{"木材", "9×9", "0.91", "2", "1", "1"}},
         "0.11", "0.11", "1.1000", "1.1000", "2.7300", "2.7300", "充足率がいずれも1を超える", true},
        // Ground storey of two, heavy; one side part without a storey above
        // takes the one-storey coefficient 0.15 instead of 0.33.
        {"平屋部分", 1, 1, 0, "20", "20", true,
         {{"木材", "4.5×9", "1.82", "3", "1", "2"}},
         "0.15", "0.33", "3.0000", "6.6000", "3.6400", "7.2800", "充足率がいずれも1を超える", true},
        // Places not in either side part do not count; walls without places
        // count nothing even when given a side part.
        {"walls between the side parts", 0, 0, 0, "10", "10", false,
         {{"木材", "3×9", "1.82", "4", "1", ""}, {"木材", "3×9", "1.82", "", "", ""}},
         "0.11", "0.11", "1.1000", "1.1000", "2.7300", "0.0000", "壁率比 0.00 ＜ 0.5", false},
        // A side part without floor area is not checked yet.
        {"area missing", 0, 0, 0, "10", "", false,
         {{"木材", "3×9", "1.82", "2", "1", "1"}},
         "0.11", "0.11", "1.1000", "0.0000", "2.7300", "2.7300", "", false},
        // Places reduced below the counts after they were typed: reported,
        // never counted as walls the row does not have.
        {"counts beyond the row's places", 0, 0, 0, "10", "10", false,
         {{"木材", "3×9", "1.82", "1", "1", "1"}},
         "0.11", "0.11", "1.1000", "1.1000", "0.0000", "0.0000",
         "側端部分の箇所数が軸組の箇所数を超えています", false},
    };
    for (const BalanceCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CalcSheet sheet = sheetFor(c);
        const BalanceResult result = CheckBalance(sheet, c.storey, 0);
        EXPECT_EQ(result.parts[0].multiplier.text, c.multiplier0);
        EXPECT_EQ(result.parts[1].multiplier.text, c.multiplier1);
        EXPECT_EQ(result.parts[0].necessary, c.necessary0);
        EXPECT_EQ(result.parts[1].necessary, c.necessary1);
        EXPECT_EQ(result.parts[0].existing, c.existing0);
        EXPECT_EQ(result.parts[1].existing, c.existing1);
        EXPECT_EQ(result.judgementText(), c.judgement);
        EXPECT_EQ(result.passed(), c.passed);
        // The other direction has no side parts: not checked.
        EXPECT_FALSE(CheckBalance(sheet, c.storey, 1).checked());
    }
}

TEST(Balance, RatiosShownRoundedDown)
{
    EXPECT_EQ(FormatRatioDown(0.625), "0.62");
    EXPECT_EQ(FormatRatioDown(0.4999), "0.49");
    EXPECT_EQ(FormatRatioDown(5.8 / 10.0), "0.58");   // held as 0.57999...
    EXPECT_EQ(FormatRatioDown(1.0 / 0.0), "0.00");
}

TEST(Balance, SideCountsNeverExceedTheRowsPlaces)
{
    CalcSheet sheet;
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("9㎜鉄筋");
    row[ColLength0] = QStringLiteral("  0.91");
    row[ColPlaces0] = QStringLiteral("3");
    sheet.RecalcStorey(0);
    sheet.changed = false;

    struct Typed { int part; QString text; SideCountCheck check; QString kept; };
    const Typed steps[] = {
        {0, "2", SideCountCheck::Accepted, "2"},
        {1, "2", SideCountCheck::TooMany, ""},   // 2 + 2 > 3
        {1, "1.0", SideCountCheck::Accepted, "1"},
        {0, "x", SideCountCheck::NotANumber, "2"},   // refused: the stored count stays
        {0, "-1", SideCountCheck::Invalid, "2"},
        {0, "3", SideCountCheck::TooMany, "2"},    // 3 + 1 > 3
        {0, " ", SideCountCheck::Accepted, ""},
        {0, "1.82", SideCountCheck::Invalid, ""},   // a count is whole, never rounded
    };
    for (const Typed &step : steps) {
        SCOPED_TRACE(step.text.toStdString());
        EXPECT_EQ(sheet.SetSideCount(0, 0, 0, step.part, step.text), step.check);
        EXPECT_EQ(sheet.balance[0].counts(0)[0][step.part], step.kept);
    }
    EXPECT_TRUE(sheet.changed);
    // The other direction of the row has no length: no places to give.
    EXPECT_EQ(sheet.SetSideCount(0, 0, 1, 0, QStringLiteral("1")), SideCountCheck::TooMany);
}

// Counts a file holds are compared as they are: two counts near the int
// limit once wrapped round to a negative sum, and the side parts were
// credited with billions of metres of wall.
TEST(Balance, CountsFromAFileBeyondThePlacesAreRefusedWithoutOverflow)
{
    const QString counts[][2] = {
        {"2147483647", "2147483647"},
        {"2147483647", "1"},
        {"4294967296", ""},
        {"1e30", ""},
        {"4", ""},
    };
    for (const auto &pair : counts) {
        SCOPED_TRACE(pair[0].toStdString());
        CalcSheet sheet;
        FramingRow &row = sheet.row(0, 0);
        row[ColKind] = QStringLiteral("9㎜鉄筋");
        row[ColLength0] = QStringLiteral("  0.91");
        row[ColPlaces0] = QStringLiteral("3");
        sheet.balance[0].counts(0)[0] = {pair[0], pair[1]};
        sheet.balance[0].parts[0][0].floorArea = QStringLiteral("10");
        sheet.balance[0].parts[0][1].floorArea = QStringLiteral("10");
        sheet.RecalcStorey(0);
        const BalanceResult result = CheckBalance(sheet, 0, 0);
        EXPECT_EQ(result.verdict, BalanceVerdict::CountsTooMany);
        EXPECT_FALSE(result.passed());
    }
}

TEST(Balance, CountsTravelWithTheirRowWhenSorted)
{
    CalcSheet sheet;
    sheet.row(0, 0)[ColKind] = QStringLiteral("木材");
    sheet.balance[0].counts(0)[0][0] = QStringLiteral("1");
    sheet.row(0, 1)[ColKind] = QStringLiteral("9㎜鉄筋");
    sheet.balance[0].counts(1)[1][1] = QStringLiteral("2");
    sheet.SortFramingRows(0);
    EXPECT_EQ(sheet.row(0, 0)[ColKind], "9㎜鉄筋");
    EXPECT_EQ(sheet.balance[0].counts(0)[1][1], "2");
    EXPECT_EQ(sheet.row(0, 1)[ColKind], "木材");
    EXPECT_EQ(sheet.balance[0].counts(1)[0][0], "1");
    EXPECT_TRUE(HasBalanceData(sheet));
}

// Under the 2025 rules a side part takes the storey's Lw (cm/m²), or the one
// the user types for it. The reference figure: side parts of 20 m² at Lw 30
// need 600 cm each; 375 cm and 750 cm give fill ratios 0.625 and 1.25 and a
// wall ratio of exactly 0.5, which is satisfied.
TEST(Balance, Rules2025TakeTheStoreysLwOrATypedOne)
{
    CalcSheet sheet;
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    sheet.weightInputs.seismic.method = LwMethod::Typed;
    sheet.weightInputs.seismic.typedLw[0] = QStringLiteral("30");
    sheet.SetFloorArea(0, QStringLiteral("80"));
    const Wall walls[] = {{"木材", "1.5×9", "1.875", "2", "2", ""}, {"木材", "4.5×9", "3.75", "1", "", "1"}};
    for (int r = 0; r < 2; ++r) {
        FramingRow &row = sheet.row(0, r);
        row[ColKind] = walls[r].kind;
        row[ColSection] = walls[r].section;
        row[ColXBracing] = QStringLiteral("しない");
        row[ColLength0] = walls[r].length;
        row[ColPlaces0] = walls[r].places;
        sheet.balance[0].counts(r)[0] = {walls[r].inPart0, walls[r].inPart1};
    }
    sheet.balance[0].parts[0][0].floorArea = QStringLiteral("20");
    sheet.balance[0].parts[0][1].floorArea = QStringLiteral("20");
    sheet.Recalculate();

    BalanceResult result = CheckBalance(sheet, 0, 0);
    EXPECT_EQ(result.parts[0].multiplier.text, "30");
    EXPECT_EQ(result.parts[0].necessary, "6.0000");
    EXPECT_EQ(result.parts[0].existing, "3.7500");
    EXPECT_EQ(result.parts[1].existing, "7.5000");
    EXPECT_EQ(FormatRatioDown(result.parts[0].fillRatio), "0.62");
    EXPECT_EQ(FormatRatioDown(result.parts[1].fillRatio), "1.25");
    EXPECT_EQ(result.judgementText(), "壁率比 0.50 ≧ 0.5");
    EXPECT_TRUE(result.passed());

    // A heavier Lw typed for one side part tips the balance.
    sheet.balance[0].parts[0][0].multiplier = QStringLiteral("40");
    result = CheckBalance(sheet, 0, 0);
    EXPECT_EQ(result.parts[0].necessary, "8.0000");
    EXPECT_EQ(result.judgementText(), "壁率比 0.37 ＜ 0.5");
    EXPECT_FALSE(result.passed());
}

// A framing beyond 7 counts 7 in the wall quantity; the quarter method must
// hold with 7 and with the full sum. Side parts of 100 m² at 30 cm/m² need
// 30 m each: 1.0 m of 8.0 (4 + crossed 4.5×9) against 0.91 m of 4.0 passes
// with 7 (3.64 / 7 = 0.52) and fails with 8 (3.64 / 8 = 0.455).
TEST(Balance, Rules2025CheckTheFullSumAboveSeven)
{
    const CertifiedWallList walls{CertifiedWall{QStringLiteral("A壁"), 4.0f}};
    CalcSheet sheet(&walls);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    const struct {
        const char *kind, *length, *part;
    } rows[] = {{"A壁+木材", "1.0", "1"}, {"木材", "0.91", ""}};
    for (int r = 0; r < 2; ++r) {
        FramingRow &row = sheet.row(0, r);
        row[ColKind] = QString::fromUtf8(rows[r].kind);
        row[ColSection] = QStringLiteral("4.5×9");
        row[ColXBracing] = QStringLiteral("する");
        row[ColLength0] = QString::fromUtf8(rows[r].length);
        row[ColPlaces0] = QStringLiteral("1");
        sheet.balance[0].counts(r)[0] = r == 0 ? SideCounts::value_type{QStringLiteral("1"), QString()}
                                                  : SideCounts::value_type{QString(), QStringLiteral("1")};
    }
    sheet.RecalcStorey(0);
    for (int p = 0; p < 2; ++p) {
        sheet.balance[0].parts[0][p].floorArea = QStringLiteral("100");
        sheet.balance[0].parts[0][p].multiplier = QStringLiteral("30");
    }
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], "7.00");
    const BalanceResult capped = CheckBalance(sheet, 0, 0);
    EXPECT_EQ(capped.parts[0].existing, "7.0000");
    EXPECT_TRUE(capped.passed());
    EXPECT_TRUE(capped.parts[0].multiplier.typed);
    ASSERT_TRUE(BalanceNeedsFullSums(sheet, 0));
    const BalanceResult full = CheckBalance(sheet, 0, 0, true);
    EXPECT_EQ(full.parts[0].existing, "8.0000");
    EXPECT_FALSE(full.passed());
    EXPECT_FALSE(BalancePassed(sheet, 0, 0));
    // Each side part lists its rows as length × places × multiplier.
    const std::vector<SidePartRowLine> lines = SidePartRows(sheet, 0, 0, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].length + lines[0].multiplier + lines[0].effective, "0.914.003.6400");
}
