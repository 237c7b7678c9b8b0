// The column diameter check in the sheet file: kept through a save and an
// open, left out for storeys without it, and a bad value refused by its place.
#include "core/calc/ColumnCheck.h"
#include "core/documents/SheetFile.h"

#include <gtest/gtest.h>

using namespace quiren;

TEST(SheetFileColumns, InputsSurviveSaveAndOpen)
{
    CalcSheet sheet;
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    sheet.SetStoreyIndex(1);
    StoreyColumnInputs &in = sheet.columns[1];
    in.method = ColumnMethod::Area;
    in.direction[0] = {QStringLiteral("2680"), QStringLiteral("105"), QString()};
    in.direction[1] = {QStringLiteral("2680"), QStringLiteral("120"), QStringLiteral("105")};
    in.timber = QStringLiteral("hinoki-e90");
    in.typedFc = QStringLiteral("16.7");
    in.wdSource = WdSource::Loads;
    in.typedWd = QStringLiteral("4310");
    in.wdNote = QStringLiteral("表計算ツール \"2-3\"");
    in.areaM2 = QStringLiteral("6.5");

    const QByteArray bytes = EncodeSheetFile(SheetFileDataOf(sheet));
    EXPECT_EQ(bytes.count("\"columns\""), 1);   // storey 1 has none
    const SheetFileParse parsed = ParseSheetFile(bytes);
    ASSERT_EQ(parsed.status, SheetFileStatus::Ok) << qPrintable(parsed.detail);
    CalcSheet opened;
    ApplySheetFile(opened, parsed.data, 50);
    EXPECT_EQ(opened.columns, sheet.columns);
    EXPECT_FALSE(opened.changed);

    QByteArray bad = bytes;
    bad.replace("\"depth\": \"120\"", "\"depth\": \"12O\"");
    const SheetFileParse refused = ParseSheetFile(bad);
    EXPECT_EQ(refused.status, SheetFileStatus::BadValue);
    EXPECT_EQ(refused.detail, QStringLiteral("storeys[1].columns.directions[1].depth"));
    bad = bytes;
    bad.replace("\"method\": \"area\"", "\"method\": \"guess\"");
    EXPECT_EQ(ParseSheetFile(bad).detail, QStringLiteral("storeys[1].columns.method"));
}
