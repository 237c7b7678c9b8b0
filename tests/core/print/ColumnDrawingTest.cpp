// The column page after the sheet: only for a sheet with a column check, and
// every line of the longest storey blocks on the page.
#include "FakeSheetDevice.h"

#include "core/calc/ColumnCheck.h"
#include "core/print/SheetDrawing.h"

#include <gtest/gtest.h>

using namespace quiren;
using quiren::test::FakeSheetDevice;
using Op = FakeSheetDevice::Op;

namespace {

// The texts of the pages after the sheet's first page break; every one checked
// to lie inside the page.
QStringList LaterPageTexts(const CalcSheet &sheet, bool *pageBreak)
{
    FakeSheetDevice device;
    SheetPainter painter(device);
    DrawSheet(painter, sheet, SheetSettings{});
    QStringList texts;
    *pageBreak = false;
    for (const Op &op : device.ops) {
        if (op.kind == Op::NewPage)
            *pageBreak = true;
        if (op.kind != Op::Text || !*pageBreak)
            continue;
        texts << op.text;
        EXPECT_LE(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), device.printableWidth()) << qPrintable(op.text);
        EXPECT_LE(op.y1 + op.size * 20.0f, device.printableHeight()) << qPrintable(op.text);
    }
    return texts;
}

} // namespace

TEST(ColumnDrawing, APageOfItsOwnThatHoldsEveryStep)
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(2);
    bool pageBreak = true;
    LaterPageTexts(sheet, &pageBreak);
    EXPECT_FALSE(pageBreak) << "an old sheet without columns prints one page";

    // Three old-rule storeys, then two 2025 storeys with the longest blocks:
    // the area method, a timber of unverified Fc, Wd from the loads.
    for (int s = 0; s < 3; ++s)
        sheet.columns[s].direction[0] = {QStringLiteral("2680"), QStringLiteral("105"), QString()};
    QStringList texts = LaterPageTexts(sheet, &pageBreak);
    EXPECT_TRUE(texts.contains(QStringLiteral("旧基準の表 1/33").prepend(QStringLiteral("方法: "))));
    EXPECT_TRUE(texts.contains(QStringLiteral("三階")));

    sheet.SetStoreyIndex(1);
    ASSERT_TRUE(sheet.SetRuleSet(RuleSetKind::Rules2025));
    SeismicInputs &seismic = sheet.weightInputs.seismic;
    seismic.h1 = seismic.h2 = QStringLiteral("2.8");
    seismic.rise = QStringLiteral("1.5");
    seismic.overhang = QStringLiteral("0.6");
    seismic.pitch = QStringLiteral("5");
    sheet.SetFloorArea(0, QStringLiteral("100"));
    sheet.SetFloorArea(1, QStringLiteral("80"));
    for (int s = 0; s < 2; ++s) {
        StoreyColumnInputs &in = sheet.columns[s];
        in.method = ColumnMethod::Area;
        in.timber = QStringLiteral("hinoki");
        in.wdSource = WdSource::Loads;
        in.areaM2 = QStringLiteral("20");
        in.direction[1] = {QStringLiteral("2680"), QStringLiteral("120"), QStringLiteral("105")};
    }
    sheet.Recalculate();
    texts = LaterPageTexts(sheet, &pageBreak);
    EXPECT_TRUE(texts.contains(QStringLiteral("柱の小径")));
    EXPECT_TRUE(texts.contains(QStringLiteral("判定：NG")));
    EXPECT_TRUE(texts.contains(QStringLiteral("105×120")));
    EXPECT_EQ(texts.filter(QStringLiteral("未確認")).size(), 2);
    EXPECT_EQ(texts.filter(QStringLiteral("⑤")).size(), 1);
}
