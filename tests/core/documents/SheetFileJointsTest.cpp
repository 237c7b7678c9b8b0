// The column-end joints in the sheet file: kept through a save and an open;
// a value of the wrong kind refused with its place in the file.
#include "core/documents/SheetFile.h"

#include <gtest/gtest.h>

using namespace quiren;

TEST(SheetFileJoints, ColumnsSurviveSaveAndOpen)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    JointColumn column;
    column.name = QStringLiteral("X3-Y1");
    column.corner = true;
    column.upper = UpperPull::Typed;
    column.upperCorner = true;
    column.hardware = QStringLiteral("(と)");
    column.directions[0].sides[0] = {QStringLiteral("木材"), QStringLiteral("4.5×9"), false, {}, false};
    column.directions[0].sides[1].typed = QStringLiteral("2.5");
    column.directions[0].a2 = QStringLiteral("1.5");
    column.directions[1].correction = QStringLiteral("-0.5");
    sheet.joints[0].columns.push_back(column);
    sheet.joints[1].method = JointMethod::Table;

    const QByteArray bytes = EncodeSheetFile(SheetFileDataOf(sheet));
    const SheetFileParse parsed = ParseSheetFile(bytes);
    ASSERT_EQ(parsed.status, SheetFileStatus::Ok) << qPrintable(parsed.detail);
    CalcSheet opened;
    ApplySheetFile(opened, parsed.data, 50);
    EXPECT_EQ(opened.joints, sheet.joints);
    EXPECT_FALSE(opened.changed);

    // A sheet without columns writes no joint keys at all.
    EXPECT_FALSE(EncodeSheetFile(SheetFileDataOf(CalcSheet())).contains("joints"));

    QByteArray bad = bytes;
    bad.replace("\"brace\": \"foot\"", "\"brace\": \"middle\"");
    const SheetFileParse refused = ParseSheetFile(bad);
    EXPECT_EQ(refused.status, SheetFileStatus::BadValue);
    EXPECT_EQ(refused.detail, QStringLiteral("storeys[0].joints.columns[0].directions[0].sides[0].brace"));
}
