// The checks' verdicts per storey, as the judgement grid shows them.
#include "core/calc/CalcSheet.h"
#include "core/calc/CheckVerdicts.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

// Storey 1 with 2 m of braces in each direction; the side parts of each
// direction get 10 m² and the places given ("" for a direction not filled).
CalcSheet balanceSheet(const QString &counts0, const QString &counts1)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.floorArea[0] = QStringLiteral("50");
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = QStringLiteral("しない");
    row[ColLength0] = row[ColLength1] = QStringLiteral("0.91");
    row[ColPlaces0] = row[ColPlaces1] = QStringLiteral("4");
    const QString counts[2] = {counts0, counts1};
    for (int d = 0; d < 2; ++d) {
        if (counts[d].isEmpty())
            continue;
        const QStringList places = counts[d].split(QLatin1Char('/'));
        sheet.balance[0].counts(0)[d] = {places[0], places[1]};
        for (int p = 0; p < SidePartCount; ++p)
            sheet.balance[0].parts[d][p].floorArea = QStringLiteral("10");
    }
    sheet.Recalculate();
    return sheet;
}

TEST(CheckVerdicts, BalanceOfAStorey)
{
    const struct {
        const char *counts0, *counts1, *verdict;
    } cases[] = {
        {"", "", ""},
        {"2/2", "2/2", "OK"},
        {"2/2", "", ""},     // one direction still to fill in
        {"4/0", "", "NG"},   // a failing direction is not hidden by an empty one
        {"2/2", "4/0", "NG"},
    };
    for (const auto &c : cases) {
        const CalcSheet sheet = balanceSheet(QString::fromUtf8(c.counts0), QString::fromUtf8(c.counts1));
        EXPECT_EQ(BalanceStoreyVerdict(sheet, 0), QString::fromUtf8(c.verdict)) << c.counts0 << " " << c.counts1;
        const std::vector<StoreyCheckVerdict> all = StoreyCheckVerdicts(sheet, 0);
        ASSERT_EQ(all.size(), 3u);
        EXPECT_EQ(all[0].verdict, BalanceStoreyVerdict(sheet, 0));
        EXPECT_TRUE(all[1].verdict.isEmpty() && all[2].verdict.isEmpty());   // nothing typed for the columns
    }
}

} // namespace
