// The quarter-method table on the page after the sheet: only for a sheet
// with a balance check, the sheet's own page untouched, the same table on
// paper and in the JW-CAD file.
#include "FakeSheetDevice.h"

#include "core/calc/Framing.h"
#include "core/print/SheetDrawing.h"
#include "core/text/StringTable.h"

#include <gtest/gtest.h>

using namespace quiren;
using quiren::test::FakeSheetDevice;
using Op = FakeSheetDevice::Op;

namespace {

// Two storeys, light; the ground storey has one crossed 4.5×9 brace row
// (multiplier 4.0): 1.82 m × 2 along the girders, 0.91 m × 3 along the beams.
CalcSheet TwoStoreySheet()
{
    CalcSheet sheet;
    sheet.SetStoreyIndex(1);
    sheet.titleName = QStringLiteral("見本邸");
    sheet.SetFloorArea(0, QStringLiteral("50"));
    sheet.SetFloorArea(1, QStringLiteral("30"));
    FramingRow &row = sheet.row(0, 0);
    row[ColKind] = QStringLiteral("木材");
    row[ColSection] = QStringLiteral("4.5×9");
    row[ColXBracing] = framing::Crossed;
    row[ColLength0] = QStringLiteral("  1.82");
    row[ColPlaces0] = QStringLiteral("2");
    row[ColLength1] = QStringLiteral("  0.91");
    row[ColPlaces1] = QStringLiteral("3");
    sheet.RecalcStorey(0);
    return sheet;
}

// Girders: 12.5 m² × 0.29 = 3.6250 m each side, 7.2800 m in each: both
// above 1. Beams: 10 m² × 0.29 = 2.9000 m each side, all three places at
// one end: fill ratios 3.76 and 0, wall ratio 0.
void AddBalance(CalcSheet &sheet)
{
    for (int p = 0; p < 2; ++p) {
        sheet.balance[0].parts[0][p].floorArea = QStringLiteral("12.5");
        sheet.balance[0].parts[1][p].floorArea = QStringLiteral("10");
    }
    sheet.balance[0].counts(0) = {{{QStringLiteral("1"), QStringLiteral("1")}, {QStringLiteral("3"), QString()}}};
}

std::vector<Op> Draw(const CalcSheet &sheet, FakeSheetDevice &device)
{
    SheetPainter painter(device);
    DrawSheet(painter, sheet, SheetSettings{});
    return device.ops;
}

QStringList Jw(const CalcSheet &sheet)
{
    FakeSheetDevice measure;
    QStringList lines;
    JwOutput painterOutput(measure, lines);
    SheetPainter painter(measure, painterOutput);
    DrawSheet(painter, sheet, SheetSettings{});
    return lines;
}

bool SameOp(const Op &a, const Op &b)
{
    return a.kind == b.kind && a.text == b.text && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2
           && a.y2 == b.y2 && a.size == b.size && a.lineWidth == b.lineWidth;
}

} // namespace

TEST(BalanceDrawing, SecondPageAfterAnUnchangedSheet)
{
    CalcSheet plain = TwoStoreySheet();
    FakeSheetDevice plainDevice;
    const std::vector<Op> sheetOnly = Draw(plain, plainDevice);
    for (const Op &op : sheetOnly)
        ASSERT_NE(op.kind, Op::NewPage) << "no second page without a balance check";

    CalcSheet balanced = TwoStoreySheet();
    AddBalance(balanced);
    FakeSheetDevice device;
    const std::vector<Op> both = Draw(balanced, device);
    ASSERT_GT(both.size(), sheetOnly.size() + 1);
    for (size_t i = 0; i < sheetOnly.size(); ++i)
        ASSERT_TRUE(SameOp(both[i], sheetOnly[i])) << "first page differs at " << i;
    ASSERT_EQ(both[sheetOnly.size()].kind, Op::NewPage);

    QStringList page2;
    for (size_t i = sheetOnly.size() + 1; i < both.size(); ++i) {
        const Op &op = both[i];
        if (op.kind != Op::Text)
            continue;
        page2 << op.text;
        EXPECT_GE(op.x1, 0.0f) << qPrintable(op.text);
        EXPECT_LE(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), device.printableWidth()) << qPrintable(op.text);
        EXPECT_LE(op.y1 + op.size * 20.0f, device.printableHeight()) << qPrintable(op.text);
    }
    for (const QString &expected :
         {Str(S::BalanceTitle), QStringLiteral("一階"), QStringLiteral("二階"), QStringLiteral("12.5"), QStringLiteral("0.29m/㎡"),
          QStringLiteral("3.6250"), QStringLiteral("7.2800"), QStringLiteral("2.00"), QStringLiteral("充足率がいずれも1を超える"),
          QStringLiteral("2.9000"), QStringLiteral("10.9200"), QStringLiteral("3.76"), QStringLiteral("0.00"),
          QStringLiteral("壁率比 0.00 ＜ 0.5"), QStringLiteral("判定：OK"), QStringLiteral("判定：NG")})
        EXPECT_TRUE(page2.contains(expected)) << qPrintable(expected);

    // The JW-CAD file: the sheet's lines as before, then the table below the
    // sheet's page.
    const QStringList plainJw = Jw(plain);
    const QStringList balancedJw = Jw(balanced);
    ASSERT_GT(balancedJw.size(), plainJw.size());
    EXPECT_EQ(balancedJw.mid(0, plainJw.size()), plainJw);
    const float pageBottom = -plainDevice.printableHeight() * JwOutput::Scale;
    for (const QString &line : balancedJw.mid(plainJw.size())) {
        if (line.startsWith(QLatin1String("ch "))) {
            EXPECT_LT(line.section(QLatin1Char(' '), 2, 2).toFloat(), pageBottom) << qPrintable(line);
        }
    }
}
