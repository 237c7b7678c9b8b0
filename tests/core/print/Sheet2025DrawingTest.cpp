// The printed sheet of the 2025 rules on the fake device: the title names
// the law as it stands, every figure is the sheet's own, nothing leaves the
// page or runs into its neighbour, and only overflowing rows take a second page.
#include "core/calc/LawWalls.h"
#include "core/calc/SheetWalls.h"
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

Drawn draw(const CalcSheet &sheet, const SheetSettings &settings = {})
{
    Drawn d;
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

// No text runs over a column line of a table (a line that crosses the
// text's height on its page).
void expectWithinColumns(const FakeSheetDevice &device)
{
    int page = 0;
    std::vector<std::pair<int, FakeSheetDevice::Op>> columns;
    for (const auto &op : device.ops) {
        page += op.kind == FakeSheetDevice::Op::NewPage;
        if (op.kind == FakeSheetDevice::Op::Line && op.x1 == op.x2)
            columns.emplace_back(page, op);
    }
    page = 0;
    for (const auto &op : device.ops) {
        page += op.kind == FakeSheetDevice::Op::NewPage;
        if (op.kind != FakeSheetDevice::Op::Text)
            continue;
        const float end = op.x1 + FakeSheetDevice::widthAt(op.text, op.size);
        const float middle = op.y1 + op.size * 10.0f;
        for (const auto &[linePage, line] : columns) {
            const bool across = linePage == page && std::min(line.y1, line.y2) < middle
                                && std::max(line.y1, line.y2) > middle && line.x1 > op.x1 + 1.0f
                                && line.x1 < end - 1.0f;
            EXPECT_FALSE(across) << op.text.toStdString() << " at x " << line.x1;
        }
    }
}

// A long source of a typed Lw, the quasi-bearing rows' second lines and the
// capped quasi-bearing sum each stay between their lines.
TEST(Sheet2025Drawing, TextsStayInTheirColumns)
{
    CalcSheet sheet = makeSheet(2, 1, 2);
    sheet.weightInputs.seismic.lwSource =
        QStringLiteral("「木造住宅の壁量等の基準（令和7年施行）」早見表 2階建 重い屋根・太陽光なし 階高2.9m 一般地域 "
                       "（設計者が表を読み取って入力、2025年4月版の表による）");
    sheet.Recalculate();
    const Drawn d = draw(sheet);
    EXPECT_TRUE(d.has(QStringLiteral("※10.2500m")));
    EXPECT_TRUE(d.has(QStringLiteral("2025年4月版の表による）")));
    expectTidy(d);
    expectWithinColumns(d.device);
}

// Whatever the rows, the office's block never stands alone on a page.
TEST(Sheet2025Drawing, OfficeBlockKeepsCompany)
{
    SheetSettings settings;
    settings.office[OfficeData::OfficeName] = QStringLiteral("試験設計事務所");
    settings.office[OfficeData::RegstNumber] = QStringLiteral("第12345号");
    settings.office[OfficeData::Print] = QStringLiteral("1");
    for (int framing = 1; framing <= 7; ++framing) {
        for (int quasi = 0; quasi <= QuasiRowCount; ++quasi) {
            SCOPED_TRACE(testing::Message() << framing << " framing, " << quasi << " quasi rows");
            const Drawn d = draw(makeSheet(2, framing, quasi), settings);
            int officePage = -1;
            float officeTop = 0;
            for (size_t i = 0; i < d.texts.size(); ++i) {
                if (d.texts[i].text == QStringLiteral("事務所名")) {
                    officePage = d.pageOf[i];
                    officeTop = d.texts[i].y1;
                }
            }
            ASSERT_GE(officePage, 0);
            EXPECT_EQ(officePage, d.newPages);
            // Above the block, more than the continued page's title.
            int above = 0;
            for (size_t i = 0; i < d.texts.size(); ++i)
                above += d.pageOf[i] == officePage && d.texts[i].y1 < officeTop;
            EXPECT_GT(above, 1);
            EXPECT_TRUE(d.has(QStringLiteral("：第12345号")));
            EXPECT_FALSE(d.has(QStringLiteral("第第")));
        }
    }
}

// A certified wall is the minister's of today on the 2025 sheet.
TEST(Sheet2025Drawing, CertifiedWallNamesTheMinistry)
{
    const CertifiedWallList walls{{QStringLiteral("認定壁"), 3.0f, {}}};
    for (const RuleSetKind kind : {RuleSetKind::Old, RuleSetKind::Rules2025}) {
        CalcSheet sheet(&walls);
        sheet.SetUpNewSheet();
        sheet.SetRuleSet(kind);
        sheet.floorArea[0] = QStringLiteral("50");
        sheet.framing[0][0][ColKind] = QStringLiteral("認定壁");
        sheet.framing[0][0][ColLength0] = QStringLiteral("0.91");
        sheet.framing[0][0][ColPlaces0] = QStringLiteral("1");
        sheet.Recalculate();
        const std::vector<KindLegendLine> legend = KindLegend(sheet);
        ASSERT_EQ(legend.size(), 1u);
        EXPECT_EQ(legend[0].provision, kind == RuleSetKind::Old ? QStringLiteral("大臣認定")
                                                                : QStringLiteral("国土交通大臣認定"));
    }
}

} // namespace
} // namespace quiren::test
