// The printed sheet of the 2025 rules on the fake device: the title names
// the law as it stands, every figure is the sheet's own, nothing leaves the
// page or runs into its neighbour, and only overflowing rows take a second page.
#include "core/calc/LawWalls.h"
#include "FakeSheetDevice.h"

#include "core/print/Sheet2025Drawing.h"
#include "core/print/SheetDrawing.h"

#include <gtest/gtest.h>

namespace quiren::test {
namespace {

// A sheet with a typed Lw of 41 on every storey, 50 m² each, one brace row
// per storey (2.0 × 0.91 × 4 = 7.28 m) and `quasiRows` gypsum-board rows.
CalcSheet makeSheet(int storeys, int framingRows = 1, int quasiRows = 0)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.SetRuleSet(RuleSetKind::Rules2025);
    sheet.titleName = QStringLiteral("試験邸");
    sheet.weightInputs.seismic.method = LwMethod::Typed;
    sheet.weightInputs.seismic.typedLw = {QStringLiteral("41"), QStringLiteral("41")};
    sheet.weightInputs.seismic.lwSource = QStringLiteral("早見表");
    sheet.SetStoreyIndex(storeys - 1);
    for (int s = 0; s < storeys; ++s) {
        sheet.floorArea[s] = QStringLiteral("50");
        for (int r = 0; r < framingRows; ++r) {
            FramingRow &row = sheet.framing[s][r];
            row[ColKind] = QStringLiteral("木材");
            row[ColSection] = QStringLiteral("4.5×9");
            row[ColXBracing] = QStringLiteral("しない");
            row[ColLength0] = row[ColLength1] = QStringLiteral("0.91");
            row[ColPlaces0] = row[ColPlaces1] = QStringLiteral("4");
        }
        for (int r = 0; r < quasiRows; ++r) {
            QuasiWallRow &q = sheet.quasiWalls[s][r];
            q.kind = QStringLiteral("せっこうボード");
            q.panelHeight = q.clearHeight = QStringLiteral("240");
            q.length = {QStringLiteral("10"), QStringLiteral("0.91")};
            q.places = {QStringLiteral("3"), QStringLiteral("1")};
        }
    }
    sheet.Recalculate();
    return sheet;
}

struct Drawn {
    FakeSheetDevice device;
    std::vector<FakeSheetDevice::Op> texts;
    std::vector<int> pageOf;   // per text
    int newPages = 0;
    bool has(const QString &text) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const auto &op) { return op.text.contains(text); });
    }
};

Drawn draw(const CalcSheet &sheet)
{
    Drawn d;
    SheetSettings settings;
    SheetPainter painter(d.device);
    DrawSheet(painter, sheet, settings);
    for (const auto &op : d.device.ops) {
        d.newPages += op.kind == FakeSheetDevice::Op::NewPage;
        if (op.kind == FakeSheetDevice::Op::Text) {
            d.texts.push_back(op);
            d.pageOf.push_back(d.newPages);
        }
    }
    return d;
}

// Every text inside the page, and no two texts of one line overlapping.
void expectTidy(const Drawn &d)
{
    const float width = d.device.printableWidth();
    const float height = d.device.printableHeight();
    for (const auto &op : d.texts) {
        const float w = FakeSheetDevice::widthAt(op.text, op.size);
        EXPECT_GE(op.x1, 0.0f) << op.text.toStdString();
        EXPECT_LE(op.x1 + w, width) << op.text.toStdString();
        EXPECT_GE(op.y1, 0.0f) << op.text.toStdString();
        EXPECT_LE(op.y1 + op.size * 20.0f, height) << op.text.toStdString();
    }
    for (size_t i = 0; i < d.texts.size(); ++i) {
        for (size_t j = i + 1; j < d.texts.size(); ++j) {
            const auto &a = d.texts[i];
            const auto &b = d.texts[j];
            if (a.y1 != b.y1 || d.pageOf[i] != d.pageOf[j])
                continue;
            const float aEnd = a.x1 + FakeSheetDevice::widthAt(a.text, a.size);
            const float bEnd = b.x1 + FakeSheetDevice::widthAt(b.text, b.size);
            EXPECT_TRUE(aEnd <= b.x1 || bEnd <= a.x1)
                << a.text.toStdString() << " | " << b.text.toStdString();
        }
    }
}

TEST(Sheet2025Drawing, OneAndTwoStoreysOnOnePage)
{
    for (int storeys : {1, 2}) {
        SCOPED_TRACE(storeys);
        const CalcSheet sheet = makeSheet(storeys, 3, 1);
        const Drawn d = draw(sheet);
        EXPECT_EQ(d.newPages, 0);
        EXPECT_TRUE(d.has(QStringLiteral("建築基準法施行令第４６条第４項に基づく壁量計算表（木造")
                          + (storeys == 1 ? QStringLiteral("平屋建）") : QStringLiteral("２階建）"))));
        EXPECT_TRUE(d.has(QStringLiteral("試験邸工事")));
        // 41 × 50 / 100 = 20.5 m; three rows of 7.28 m = 21.84 m, plus the
        // quasi wall capped at 10.25 m = 32.09 m: enough.
        EXPECT_TRUE(d.has(QStringLiteral("必要壁量＝Lw 41cm/㎡ × Af 50.00㎡ ＝ 20.5000m")));
        // The quasi-bearing row names its kind and base, and its formula.
        EXPECT_TRUE(d.has(QStringLiteral("　準耐力壁（基準倍率0.9）　倍率＝0.9×0.6×240/240")));
        EXPECT_TRUE(d.has(QStringLiteral("早見表")));
        EXPECT_TRUE(d.has(QStringLiteral("※10.2500")));
        EXPECT_TRUE(d.has(QStringLiteral("32.0900")));
        EXPECT_TRUE(d.has(QStringLiteral("必要≦存在 OK")));
        EXPECT_EQ(d.has(QStringLiteral("2階")), storeys == 2);
        expectTidy(d);
    }
}

// Page 1 carries the quarter method's verdict and the page it is on; a
// storey without balance data reads "未入力" on both pages.
TEST(Sheet2025Drawing, OneBalanceVerdictAcrossThePages)
{
    CalcSheet sheet = makeSheet(2, 3, 1);
    EXPECT_TRUE(draw(sheet).has(QStringLiteral("４分割法：未入力")));
    // Storey 1: side parts with no walls in them: wall ratio 0, NG.
    for (int p = 0; p < SidePartCount; ++p)
        sheet.balance[0].parts[0][p].floorArea = QStringLiteral("10");
    const Drawn d = draw(sheet);
    EXPECT_EQ(d.newPages, 1);
    EXPECT_TRUE(d.has(QStringLiteral("４分割法：NG（２ページ）")));
    EXPECT_TRUE(d.has(QStringLiteral("４分割法：未入力")));   // storey 2
    EXPECT_TRUE(d.has(QStringLiteral("判定：NG")));
}

TEST(Sheet2025Drawing, OverflowingRowsGoOnASecondPage)
{
    // Fourteen panel kinds with braces: the legend lists each one.
    CalcSheet sheet = makeSheet(2, 7, QuasiRowCount);
    size_t k = 8;   // the first panel wall of the law's list
    for (int s = 0; s < 2; ++s) {
        for (int r = 0; r < 7; ++r)
            sheet.framing[s][r][ColKind] = LawWalls()[k++].name + QStringLiteral("+木材");
    }
    sheet.Recalculate();
    const Drawn d = draw(sheet);
    EXPECT_EQ(d.newPages, 1);
    EXPECT_TRUE(d.has(QStringLiteral("（つづき）")));
    EXPECT_TRUE(d.has(QStringLiteral("構造用合板 t7.5 (大壁)+木材 4.5×9 片")));
    EXPECT_TRUE(d.has(QStringLiteral("2.5+2.0=4.5")));
    EXPECT_TRUE(d.has(QStringLiteral("昭56建告1100号、令46条4項表1(四)")));
    EXPECT_TRUE(d.has(QStringLiteral("4.3+2.0=6.3")));
    EXPECT_TRUE(d.has(QStringLiteral("＊")));   // 炭酸マグネシウム板: not confirmed
    expectTidy(d);
}

} // namespace
} // namespace quiren::test
