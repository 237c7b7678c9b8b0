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
    sheet.row(0, 0).sideCounts[0] = {QStringLiteral("1"), QStringLiteral("2")};
    // Counts alone on a row past the rows in use keep that row in the file.
    sheet.row(1, 4).sideCounts[1][1] = QStringLiteral("1");
    sheet.sideParts[0][0][0] = {QStringLiteral("16.56"), QString(), true};
    sheet.sideParts[0][0][1].floorArea = QStringLiteral("16.56");
    sheet.sideParts[1][1][0].multiplier = QStringLiteral("35");
    sheet.RecalcStorey(0);

    const SheetFileParse parsed = ParseSheetFile(EncodeSheetFile(SheetFileDataOf(sheet)));
    ASSERT_EQ(parsed.status, SheetFileStatus::Ok) << qPrintable(parsed.detail);
    CalcSheet opened;
    ApplySheetFile(opened, parsed.data, 50);
    EXPECT_EQ(opened.sideParts, sheet.sideParts);
    for (int s = 0; s < 2; ++s)
        for (size_t r = 0; r < opened.framing[s].size(); ++r)
            EXPECT_EQ(opened.framing[s][r].sideCounts, sheet.framing[s][r].sideCounts) << s << "," << r;
    EXPECT_EQ(CheckBalance(opened, 0, 0).judgementText(), CheckBalance(sheet, 0, 0).judgementText());

    QByteArray bad = EncodeSheetFile(SheetFileDataOf(sheet));
    bad.replace("[\"1\", \"2\"]", "[\"1\", \"1.5\"]");
    const SheetFileParse refused = ParseSheetFile(bad);
    EXPECT_EQ(refused.status, SheetFileStatus::BadValue);
    EXPECT_EQ(refused.detail, QStringLiteral("storeys[0].rows[0].sideCounts[0][1]"));
}
