// The N値 table after the sheet: continued over pages with the heading
// repeated, every text on the paper.
#include "FakeSheetDevice.h"

#include "core/print/JointDrawing.h"
#include "core/print/SheetDrawing.h"

#include <gtest/gtest.h>

using namespace quiren;
using quiren::test::FakeSheetDevice;
using Op = FakeSheetDevice::Op;

TEST(JointDrawing, TableContinuedWithHeadingOnEachPage)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    for (int i = 0; i < 40; ++i) {
        JointColumn column;
        column.name = QStringLiteral("X%1-Y1").arg(i + 1);
        column.directions[0].sides[0] = {QStringLiteral("木材"), QStringLiteral("9×9"), false, {}, true};
        sheet.joints[0].columns.push_back(column);
    }
    sheet.joints[1].columns.push_back(sheet.joints[0].columns[0]);

    FakeSheetDevice plainDevice;
    SheetPainter plainPainter(plainDevice);
    DrawSheet(plainPainter, CalcSheet(), SheetSettings{});
    int sheetPages = 1;
    for (const Op &op : plainDevice.ops)
        sheetPages += op.kind == Op::NewPage;

    FakeSheetDevice device;
    SheetPainter painter(device);
    DrawSheet(painter, sheet, SheetSettings{});
    // One label and 40 two-row blocks, then a label and one block: 84 rows
    // at 62 a page.
    EXPECT_EQ(JointDrawing(painter, sheet).PageCount(), 2);
    std::vector<QStringList> pages(1);
    for (const Op &op : device.ops) {
        if (op.kind == Op::NewPage)
            pages.emplace_back();
        else if (op.kind == Op::Text) {
            pages.back() << op.text;
            EXPECT_LE(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), device.printableWidth() + 0.5f)
                << qPrintable(op.text);
        }
    }
    ASSERT_EQ(static_cast<int>(pages.size()), sheetPages + 2);
    int shown = 0;
    for (int p = sheetPages; p < sheetPages + 2; ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("他方の側の軸組")));
        EXPECT_TRUE(pages[p].contains(QStringLiteral("柱頭・柱脚の接合 (N値計算)  %1/2").arg(p - sheetPages + 1)));
        for (int i = 0; i < 40; ++i)
            shown += pages[p].contains(QStringLiteral("X%1-Y1").arg(i + 1));
    }
    EXPECT_GE(shown, 40);
    // 9×9 at the head: 3.0 + 2.0 = 5.0; 5.0 × 0.5 − 0.6 = 1.90 → (と).
    EXPECT_TRUE(pages[sheetPages].contains(QStringLiteral("1.90")));
    EXPECT_TRUE(pages[sheetPages].contains(QStringLiteral("(と)")));
}
