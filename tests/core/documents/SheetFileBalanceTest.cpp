// The balance check in the sheet file: kept through a save and an open,
// and a count the check could not use refused with its place in the file.
#include "core/documents/SheetFile.h"

#include <gtest/gtest.h>

using namespace quiren;

TEST(SheetFileBalance, SidePartsAndCountsSurviveSaveAndOpen)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    sheet.row(0, 0)[ColKind] = QStringLiteral("9㎜鉄筋");
    sheet.row(0, 0)[ColLength0] = QStringLiteral("  1.82");
    sheet.row(0, 0)[ColPlaces0] = QStringLiteral("3");
    sheet.balance[0].counts(0)[0] = {QStringLiteral("1"), QStringLiteral("2")};
    // Counts alone on a row past the rows in use keep that row in the file.
    sheet.balance[1].counts(4)[1][1] = QStringLiteral("1");
    sheet.balance[0].parts[0][0] = {QStringLiteral("16.56"), QString(), true};
    sheet.balance[0].parts[0][1].floorArea = QStringLiteral("16.56");
    sheet.balance[1].parts[1][0].multiplier = QStringLiteral("35");
    sheet.RecalcStorey(0);

    const SheetFileParse parsed = ParseSheetFile(EncodeSheetFile(SheetFileDataOf(sheet)));
    ASSERT_EQ(parsed.status, SheetFileStatus::Ok) << qPrintable(parsed.detail);
    CalcSheet opened;
    ApplySheetFile(opened, parsed.data, 50);
    EXPECT_EQ(opened.balance[0].parts, sheet.balance[0].parts);
    EXPECT_EQ(opened.balance[1].parts, sheet.balance[1].parts);
    for (int s = 0; s < 2; ++s)
        for (size_t r = 0; r < opened.framing[s].size(); ++r)
            EXPECT_EQ(opened.balance[s].counts(int(r)), sheet.balance[s].counts(int(r))) << s << "," << r;
    EXPECT_EQ(CheckBalance(opened, 0, 0).judgementText(), CheckBalance(sheet, 0, 0).judgementText());

    QByteArray bad = EncodeSheetFile(SheetFileDataOf(sheet));
    bad.replace("[\"1\", \"2\"]", "[\"1\", \"1.5\"]");
    const SheetFileParse refused = ParseSheetFile(bad);
    EXPECT_EQ(refused.status, SheetFileStatus::BadValue);
    EXPECT_EQ(refused.detail, QStringLiteral("storeys[0].rows[0].sideCounts[0][1]"));
}
