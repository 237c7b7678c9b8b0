// The sheet's contents: titles, headings, values, blocks and their order.
#include "FakeSheetDevice.h"

#include "core/calc/LawWalls.h"
#include "core/calc/Framing.h"
#include "core/print/SheetDrawing.h"
#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quiren;
using quiren::test::FakeSheetDevice;
using Op = FakeSheetDevice::Op;

namespace {

// A filled sheet of n + 1 storeys, recalculated as the window leaves it.
CalcSheet MakeSheet(int n)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.SetStoreyIndex(n);
    sheet.titleName = QStringLiteral("見本邸");
    for (int s = 0; s <= n; ++s) {
        sheet.SetFloorArea(s, QStringLiteral("50"));
        sheet.SetProjectedArea(s, QStringLiteral("20"));
        sheet.SetProjectedArea(s + 3, QStringLiteral("25"));
        FramingRow &row = sheet.row(s, 0);
        row[ColKind] = QStringLiteral("木材");
        row[ColSection] = QStringLiteral("4.5×9");
        row[ColXBracing] = framing::Crossed;
        row[ColLength0] = QStringLiteral("  1.82");
        row[ColPlaces0] = QStringLiteral("2");
        row[ColLength1] = QStringLiteral("  0.91");
        row[ColPlaces1] = QStringLiteral("3");
        FramingRow &second = sheet.row(s, 1);
        second[ColKind] = QStringLiteral("木材");
        second[ColSection] = QStringLiteral("3×9");
        second[ColXBracing] = framing::Single;
        second[ColLength0] = QStringLiteral("  0.91");
        second[ColPlaces0] = QStringLiteral("1");
        sheet.RecalcStorey(s);
    }
    return sheet;
}

SheetSettings Settings(bool pafKind = true, const QString &print = QStringLiteral("1"))
{
    SheetSettings settings;
    settings.pafKind = pafKind;
    settings.office[OfficeData::Type] = QStringLiteral("True");
    settings.office[OfficeData::Name] = QStringLiteral("設計太郎");
    settings.office[OfficeData::RegstNumber] = QStringLiteral("12345");
    settings.office[OfficeData::OfficeName] = QStringLiteral("見本設計室");
    settings.office[OfficeData::OfficeRegst] = QStringLiteral("678");
    settings.office[OfficeData::Address] = QStringLiteral("東京都");
    settings.office[OfficeData::Tel] = QStringLiteral("03-1");
    settings.office[OfficeData::Fax] = QStringLiteral("03-2");
    settings.office[OfficeData::Print] = print;
    return settings;
}

struct Drawn {
    FakeSheetDevice device;
    std::unique_ptr<SheetPainter> painter;
    std::vector<Op> texts;

    Drawn(const CalcSheet &sheet, const SheetSettings &settings)
    {
        painter = std::make_unique<SheetPainter>(device);
        DrawSheet(*painter, sheet, settings);
        texts = device.texts();
    }
    QStringList all() const
    {
        QStringList list;
        for (const Op &op : texts)
            list << op.text;
        return list;
    }
    bool has(const QString &text) const { return all().contains(text); }
    const Op *find(const QString &text) const
    {
        for (const Op &op : texts)
            if (op.text == text)
                return &op;
        return nullptr;
    }
    // The texts placed in one row, left to right, from column `from` on.
    QStringList row(int r, int from = 0) const
    {
        std::vector<Op> in;
        for (const Op &op : texts)
            if (op.y1 >= painter->RowY(r) && op.y1 < painter->RowY(r + 1) && op.x1 >= painter->ColX(from))
                in.push_back(op);
        std::stable_sort(in.begin(), in.end(), [](const Op &a, const Op &b) { return a.x1 < b.x1; });
        QStringList list;
        for (const Op &op : in)
            list << op.text;
        return list;
    }
};

TEST(SheetDrawing, TitleAndStoreyLabelsFollowTheStoreyCount)
{
    const QString suffixes[3] = {QStringLiteral("平屋建）"), QStringLiteral("２階建）"),
                                 QStringLiteral("３階建）")};
    for (int n = 0; n < 3; ++n) {
        const Drawn d(MakeSheet(n), Settings());
        const Op *title = d.find(Str(S::SheetTitle) + suffixes[n]);
        ASSERT_TRUE(title) << n;
        EXPECT_EQ(title->size, 10);
        EXPECT_FLOAT_EQ(title->x1, 1040.0f);
        EXPECT_FLOAT_EQ(title->y1, 240.0f);
        EXPECT_EQ(d.device.ops.front().kind, Op::Begin);
        // The vertical storey names, one character per row in column 0.
        QString column0;
        for (const Op &op : d.texts)
            if (op.x1 < d.painter->ColX(1) && op.y1 > d.painter->RowY(2) && op.y1 < d.painter->RowY(53))
                column0 += op.text;
        const QString expected[3] = {QStringLiteral("平屋建"),
                                     QStringLiteral("二階建の一階部分二階建のニ階部分"),
                                     QStringLiteral("三階建の一階部分三階建のニ階部分三階建の三階部分")};
        EXPECT_EQ(column0, expected[n]);
    }
    const Drawn two(MakeSheet(1), Settings());
    EXPECT_EQ(two.row(15).first(), QStringLiteral("分"));
    EXPECT_EQ(two.row(24).first(), QStringLiteral("二"));
}

TEST(SheetDrawing, HeadingsFollowTheNamingStyle)
{
    const Drawn paf(MakeSheet(2), Settings(true));
    EXPECT_TRUE(paf.has(QStringLiteral("梁に平行な壁面の見付面積(A)及び(C)")));
    EXPECT_TRUE(paf.has(QStringLiteral("桁に平行な壁面の見付面積(B)及び(D)")));
    EXPECT_EQ(paf.all().count(QStringLiteral("桁に平行な軸組の数値")), 3);
    EXPECT_EQ(paf.all().count(QStringLiteral("梁に平行な軸組の数値")), 3);

    const Drawn directions(MakeSheet(1), Settings(false));
    EXPECT_TRUE(directions.has(QStringLiteral("梁間方向壁面の見付面積(A)及び(C)")));
    EXPECT_TRUE(directions.has(QStringLiteral("桁行方向壁面の見付面積(B)及び(D)")));
    EXPECT_EQ(directions.all().count(QStringLiteral("桁行方向の軸組の数値")), 2);
    EXPECT_EQ(directions.all().count(QStringLiteral("梁間方向の軸組の数値")), 2);

    // Requirement headings of each storey, with the under-text ending where
    // the heading ends.
    EXPECT_TRUE(paf.has(QStringLiteral("一階床面積×係数＝(ｲ)床面積による")));
    EXPECT_TRUE(paf.has(QStringLiteral("(C)の見付面積×0.5＝(ﾎ)見付面積による")));
    EXPECT_TRUE(paf.has(QStringLiteral("(F)の見付面積×0.5＝(ﾘ)見付面積による")));
    EXPECT_TRUE(paf.has(QStringLiteral("(ﾄ)又は(ﾁ)")));
    const Op *heading = paf.find(QStringLiteral("(A)の見付面積×0.5＝(ﾛ)見付面積による"));
    ASSERT_TRUE(heading);
    const auto under = std::find_if(paf.texts.begin(), paf.texts.end(), [&](const Op &op) {
        return op.text == Str(S::SheetNecessaryLength) && op.x1 > paf.painter->ColX(8) && op.x1 < paf.painter->ColX(17)
               && op.y1 > paf.painter->RowY(4) && op.y1 < paf.painter->RowY(5);
    });
    ASSERT_NE(under, paf.texts.end());
    EXPECT_FLOAT_EQ(under->x1 + 6 * 160.0f, heading->x1 + FakeSheetDevice::widthAt(heading->text, heading->size));
}

TEST(SheetDrawing, ValuesOfTheRequirementsFramingAndJudgement)
{
    CalcSheet sheet = MakeSheet(0);
    const Drawn d(sheet, Settings());
    EXPECT_EQ(d.row(6, 2), (QStringList{QStringLiteral("50㎡×0.11m/㎡＝5.5000m"),
                                     QStringLiteral("20㎡×0.5＝10.0000m"),
                                     QStringLiteral("25㎡×0.5＝12.5000m")}));
    // First framing row: kind, section with crossed bracing, then both directions.
    EXPECT_EQ(d.row(10, 2), (QStringList{QStringLiteral("木材"), QStringLiteral("4.5×9 タスキ"),
                                      QStringLiteral("  1.82"), QStringLiteral("2"),
                                      sheet.row(0, 0)[ColMultiplier0], sheet.row(0, 0)[ColEffective0],
                                      QStringLiteral("  0.91"), QStringLiteral("3"),
                                      sheet.row(0, 0)[ColMultiplier1], sheet.row(0, 0)[ColEffective1]}));
    EXPECT_EQ(d.row(11, 2).mid(0, 2), (QStringList{QStringLiteral("木材"), QStringLiteral("3×9")}));
    // Effective lengths end at the column line.
    const Op *effective = d.find(sheet.row(0, 0)[ColEffective0]);
    ASSERT_TRUE(effective);
    EXPECT_FLOAT_EQ(effective->x1 + FakeSheetDevice::widthAt(effective->text, effective->size), d.painter->ColX(16));
    // Judgement row: necessary length before the box, the sum inside it.
    const QStringList judge = d.row(19);
    EXPECT_TRUE(judge.contains(Str(S::SheetJudgement)));
    EXPECT_TRUE(judge.contains(sheet.judgement[0][JudgeNecessary0] + QStringLiteral("m≦")));
    EXPECT_TRUE(judge.contains(sheet.judgement[0][JudgeSum1]));
    EXPECT_EQ(judge.count(QStringLiteral("m")), 2);
    const Op *necessary = d.find(sheet.judgement[0][JudgeNecessary0] + QStringLiteral("m≦"));
    EXPECT_FLOAT_EQ(necessary->x1 + FakeSheetDevice::widthAt(necessary->text, necessary->size),
                    d.painter->ColX(14) - 120.0f);
}

TEST(SheetDrawing, JudgementRowPrintsTheRelationThatHolds)
{
    // MakeSheet: direction 0 passes (15.9250 m against 10.0000 m), direction 1
    // falls short (10.9200 m against 12.5000 m, 87.4 %).
    CalcSheet judged = MakeSheet(0);
    ASSERT_EQ(judged.judgement[0][JudgeResult0], QStringLiteral("OK"));
    ASSERT_EQ(judged.judgement[0][JudgeResult1], QStringLiteral("87.4% "));
    CalcSheet unjudged = MakeSheet(0);
    unjudged.judgement[0][JudgeResult0].clear();
    unjudged.judgement[0][JudgeResult1].clear();

    const struct {
        const CalcSheet *sheet;
        QStringList row19;   // from column 8 on, left to right
    } cases[] = {
        {&judged, {QStringLiteral("(ｲ)又は(ﾛ)"), QStringLiteral("10.0000m≦"), QStringLiteral("15.9250"),
                   QStringLiteral("m"), QStringLiteral("(ｲ)又は(ﾊ)"), QStringLiteral("87.4%"),
                   QStringLiteral("12.5000m＞"), QStringLiteral("10.9200"), QStringLiteral("m")}},
        {&unjudged, {QStringLiteral("(ｲ)又は(ﾛ)"), QStringLiteral("10.0000m"), QStringLiteral("15.9250"),
                     QStringLiteral("m"), QStringLiteral("(ｲ)又は(ﾊ)"), QStringLiteral("12.5000m"),
                     QStringLiteral("10.9200"), QStringLiteral("m")}},
    };
    for (const auto &c : cases) {
        const Drawn d(*c.sheet, Settings());
        EXPECT_EQ(d.row(19, 8), c.row19);
        // Nothing in the row overlaps what follows it.
        std::vector<Op> row;
        for (const Op &op : d.texts)
            if (op.y1 >= d.painter->RowY(19) && op.y1 < d.painter->RowY(20) && op.x1 >= d.painter->ColX(8))
                row.push_back(op);
        std::sort(row.begin(), row.end(), [](const Op &a, const Op &b) { return a.x1 < b.x1; });
        for (size_t i = 1; i < row.size(); ++i)
            EXPECT_LE(row[i - 1].x1 + FakeSheetDevice::widthAt(row[i - 1].text, row[i - 1].size), row[i].x1)
                << qPrintable(row[i].text);
    }
}

TEST(SheetDrawing, EmptyValuesPrintAsNotAvailable)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.judgement[0][JudgeNecessary1].clear();
    const Drawn d(sheet, Settings());
    EXPECT_TRUE(d.has(QStringLiteral("（ #N/A ）")));
    const QStringList requirements = d.row(6, 2);
    ASSERT_EQ(requirements.size(), 3);
    EXPECT_TRUE(requirements[0].startsWith(QStringLiteral("#N/A㎡×0.11m/㎡＝")));
    EXPECT_TRUE(requirements[1].startsWith(QStringLiteral("#N/A㎡×0.5＝")));
    EXPECT_TRUE(d.has(QStringLiteral("#N/Am")));   // not judged: no relation
    // Empty framing rows print nothing in rows 10-18.
    for (int r = 10; r <= 18; ++r)
        EXPECT_TRUE(d.row(r, 2).isEmpty()) << r;
    // The project line ends where the table ends.
    const Op *project = d.find(QStringLiteral("（ #N/A ）"));
    EXPECT_FLOAT_EQ(project->x1 + FakeSheetDevice::widthAt(project->text, project->size), d.painter->ColX(26));
    EXPECT_FLOAT_EQ(project->y1, 440.0f);
}

TEST(SheetDrawing, WindFactorIsTheOneTheRequirementWasComputedWith)
{
    // The setting may have changed since the option was switched on; the
    // printed equation must still add up.
    const struct {
        int coefficient;
        bool strong;
        const char *factor;
        const char *requirement;
    } cases[] = {
        {51, true, "0.51", "10.2000"},
        {60, true, "0.6", "12.0000"},
        {75, false, "0.5", "10.0000"},
    };
    for (const auto &c : cases) {
        CalcSheet sheet = MakeSheet(0);
        if (c.strong)
            sheet.SwitchStrongWind(c.coefficient);
        const Drawn d(sheet, Settings());
        const QString factor = QString::fromLatin1(c.factor);
        EXPECT_TRUE(d.has(QStringLiteral("(A)の見付面積×") + factor + QStringLiteral("＝(ﾛ)見付面積による")))
            << c.coefficient;
        EXPECT_EQ(d.row(6, 2)[1], QStringLiteral("20㎡×") + factor + QStringLiteral("＝")
                                      + QString::fromLatin1(c.requirement) + QStringLiteral("m"));
    }
}

TEST(SheetDrawing, CoefficientBlockByStoreyCount)
{
    const Drawn one(MakeSheet(0), Settings());
    EXPECT_EQ(one.row(54).mid(0, 2),
              (QStringList{QStringLiteral("平屋建"), QStringLiteral("軽い壁又は屋根＝0.11")}));
    EXPECT_EQ(one.row(55).first(), QStringLiteral("重い壁又は屋根＝0.15"));
    EXPECT_FALSE(one.row(56).first().startsWith(QStringLiteral("軽い")));

    const Drawn three(MakeSheet(2), Settings());
    const char *expected[3][3] = {{"3階建の1階", "軽い壁又は屋根＝0.46", "重い壁又は屋根＝0.5"},
                                  {"3階建の2階", "軽い壁又は屋根＝0.34", "重い壁又は屋根＝0.39"},
                                  {"3階建の3階", "軽い壁又は屋根＝0.18", "重い壁又は屋根＝0.24"}};
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(three.row(54 + 2 * s).mid(0, 2),
                  (QStringList{QString::fromUtf8(expected[s][0]), QString::fromUtf8(expected[s][1])}));
        EXPECT_EQ(three.row(55 + 2 * s).first(), QString::fromUtf8(expected[s][2]));
    }

    // The legal table: texts and multipliers, a one-space string printed as
    // one space, multipliers ending a quarter character before the line.
    EXPECT_EQ(three.row(60), (QStringList{Str(S::LawTableLeftTexts + 6), Str(S::LawTableLeftMultipliers + 6), QStringLiteral(" "), Str(S::LawTableRightMultipliers + 6)}));
    const QStringList row55 = three.row(55);
    EXPECT_EQ(row55.mid(1), (QStringList{Str(S::LawTableLeftTexts + 1), Str(S::LawTableLeftMultipliers + 1), Str(S::LawTableRightTexts + 1), QStringLiteral(" ")}));
    const Op *times = three.find(QStringLiteral("各2倍"));
    ASSERT_TRUE(times);
    EXPECT_FLOAT_EQ(times->x1 + FakeSheetDevice::widthAt(times->text, times->size), three.painter->ColX(17) - 40.0f);
}

// An old-rule sheet with the 告示's panel walls lists the kinds it uses in
// place of the fixed table; more than the block holds go on a page of their own.
TEST(SheetDrawing, PanelWallsListTheKindsUsed)
{
    CalcSheet sheet = MakeSheet(1);
    sheet.row(0, 1)[ColKind] = QStringLiteral("構造用合板 t7.5 (大壁)+木材");
    sheet.row(0, 2) = sheet.row(0, 0);
    sheet.row(0, 2)[ColKind] = QStringLiteral("シージングボード t12 (大壁)");
    sheet.Recalculate();
    const Drawn few(sheet, Settings());
    EXPECT_TRUE(few.has(QStringLiteral("（使用した軸組の種類と倍率）")));
    EXPECT_FALSE(few.has(Str(S::SheetMultiplierNote)));
    EXPECT_EQ(few.row(54, 7), (QStringList{QStringLiteral("木材 4.5×9 たすき"), QStringLiteral("4.0"),
                                           QStringLiteral("令46条4項表1(六)")}));
    EXPECT_EQ(few.row(55, 7), (QStringList{QStringLiteral("構造用合板 t7.5 (大壁)+木材 3×9 片"),
                                           QStringLiteral("2.5+1.5=4.0"), QStringLiteral("昭56建告1100号、令46条4項表1(三)")}));
    EXPECT_TRUE(few.has(QStringLiteral("1.0＊")));
    auto newPages = [](const Drawn &d) {
        return std::count_if(d.device.ops.begin(), d.device.ops.end(), [](const Op &op) { return op.kind == Op::NewPage; });
    };
    EXPECT_EQ(newPages(few), 0);

    for (int r = 3; r < 9; ++r) {
        sheet.row(0, r) = sheet.row(0, 0);
        sheet.row(0, r)[ColKind] = LawWalls()[8 + r].name;
    }
    sheet.Recalculate();
    const Drawn many(sheet, Settings());
    EXPECT_TRUE(many.has(QStringLiteral("ほか4種類（次ページ）")));
    EXPECT_EQ(newPages(many), 1);
}

TEST(SheetDrawing, OneStoreyLeavesTheMiddleBlank)
{
    const Drawn d(MakeSheet(0), Settings());
    const float top = d.painter->RowY(20), bottom = d.painter->RowY(53);
    for (const Op &op : d.texts)
        EXPECT_FALSE(op.y1 > top && op.y1 < bottom) << qPrintable(op.text);
    for (const Op &line : d.device.lines()) {
        EXPECT_FALSE(line.y1 > top && line.y1 < bottom);
        EXPECT_FALSE(line.y2 > top && line.y2 < bottom);
    }
}

TEST(SheetDrawing, OfficeBlockOnlyWhenEnabled)
{
    const Drawn on(MakeSheet(0), Settings());
    const float y62 = on.painter->RowY(62);
    QStringList office;
    for (const Op &op : on.texts)
        if (op.y1 >= y62)
            office << op.text;
    EXPECT_EQ(office, (QStringList{Str(S::SheetOfficeName), QStringLiteral("：見本設計室"), Str(S::SheetAddress),
                                   QStringLiteral("：東京都"), Str(S::SheetFirstClassOffice), QStringLiteral("：第678号"),
                                   QStringLiteral("Tel：03-1"), QStringLiteral("fax：03-2"), Str(S::SheetManagerName),
                                   QStringLiteral("：設計太郎"), Str(S::SheetFirstClassArchitect), QStringLiteral("：第12345号")}));
    const Op *name = on.find(QStringLiteral("：設計太郎"));
    EXPECT_FLOAT_EQ(name->y1, on.painter->RowY(66));
    EXPECT_FLOAT_EQ(name->x1, on.painter->ColX(5));
    EXPECT_EQ(name->size, 9);

    SheetSettings second = Settings();
    second.office[OfficeData::Type] = QStringLiteral("False");
    const Drawn secondClass(MakeSheet(0), second);
    EXPECT_TRUE(secondClass.has(Str(S::SheetSecondClassOffice)));
    EXPECT_TRUE(secondClass.has(Str(S::SheetSecondClassArchitect)));
    EXPECT_FALSE(secondClass.has(Str(S::SheetFirstClassOffice)));

    for (const QString &print : {QStringLiteral("0"), QStringLiteral("True"), QString()}) {
        const Drawn off(MakeSheet(0), Settings(true, print));
        for (const Op &op : off.texts)
            EXPECT_LT(op.y1, off.painter->RowY(62)) << qPrintable(op.text);
    }
}

TEST(SheetDrawing, FrameLinesOfEachStorey)
{
    // Outline, storey separators and the judgement boxes all appear; the
    // frame of n storeys ends at row 20, 36 or 52.
    const int bottoms[3] = {20, 36, 52};
    for (int n = 0; n < 3; ++n) {
        const Drawn d(MakeSheet(n), Settings());
        const auto lines = d.device.lines();
        float lowest = 0.0f;
        int thick = 0;
        for (const Op &line : lines) {
            if (line.y1 < d.painter->RowY(53) && line.y2 < d.painter->RowY(53))
                lowest = std::max({lowest, line.y1, line.y2});
            if (line.lineWidth == 7)
                ++thick;
        }
        EXPECT_FLOAT_EQ(lowest, d.painter->RowY(bottoms[n])) << n;
        // 4 outline sides, 8 per storey for the two boxes, 4 for the lower block.
        EXPECT_EQ(thick, 4 + 8 * (n + 1) + 4) << n;
    }
}

TEST(SheetDrawing, FileModeWritesTheSameTextsInTheSameOrder)
{
    for (int n = 0; n < 3; ++n) {
        const CalcSheet sheet = MakeSheet(n);
        const Drawn printed(sheet, Settings());

        FakeSheetDevice measure;
        QStringList jw;
        JwOutput fileOutput(measure, jw);
        SheetPainter file(measure, fileOutput);
        DrawSheet(file, sheet, Settings());

        EXPECT_EQ(jw.first(), QStringLiteral("lt1"));
        EXPECT_EQ(jw.at(1), QStringLiteral("lc4"));
        QStringList texts;
        for (const QString &line : jw) {
            if (line.startsWith(QLatin1String("ch "))) {
                const qsizetype quote = line.indexOf(QLatin1Char('"'));
                texts << line.mid(quote + 1);
            }
        }
        EXPECT_EQ(texts, printed.all()) << n;
        // Font and pen changes are there wherever the drawing makes them.
        EXPECT_GE(jw.count(QStringLiteral("cn2")), 10);
        EXPECT_EQ(jw.count(QStringLiteral("cn4")), 1);
        EXPECT_EQ(jw.count(QString()), 2 * (n + 1) + 1);
        EXPECT_TRUE(measure.ops.empty());
    }
}

TEST(SheetDrawing, LongTextsAreFittedToTheirCells)
{
    // A text too long for its cell gets a smaller font (down to 6 points),
    // then is cut with "…"; it never reaches into the next cell or off the
    // table. (Texts that fit keep their places: the tests above.)
    const QString longKind = QStringLiteral("認定耐力壁構造用合板張り壁");   // 13 full-width
    const QString longName = QString(62, QChar(0x5DE5));                     // 62 × "工"
    struct Case {
        const char *what;
        QString title, kind, tel;
        QString startsWith;
        int size;        // the font the text ends up in
        bool cut;
        int from, to;    // the columns it must stay between
        int row;         // -1: the project line
    };
    const Case cases[] = {
        {"name", longName, {}, {}, QStringLiteral("（ 工工"), 7, false, 0, 26, -1},
        {"very long name", QString(400, QChar(0x5DE5)), {}, {}, QStringLiteral("（ 工工"), 6, true, 0, 26, -1},
        {"kind", {}, longKind, {}, longKind.left(3), 6, false, 3, 5, 10},
        {"very long kind", {}, longKind + longKind + longKind, {}, longKind.left(3), 6, true, 3, 5, 10},
        {"telephone", {}, {}, QStringLiteral("03-1234-5678（代表）内線 9876543210"), QStringLiteral("Tel："), 6,
         true, 0, 5, 65},
    };
    for (const Case &c : cases) {
        CalcSheet sheet = MakeSheet(0);
        if (!c.title.isEmpty())
            sheet.titleName = c.title;
        if (!c.kind.isEmpty())
            sheet.row(0, 0)[ColKind] = c.kind;
        SheetSettings settings = Settings();
        if (!c.tel.isEmpty())
            settings.office[OfficeData::Tel] = c.tel;
        const Drawn d(sheet, settings);
        const auto found = std::find_if(d.texts.begin(), d.texts.end(),
                                        [&](const Op &op) { return op.text.startsWith(c.startsWith); });
        ASSERT_NE(found, d.texts.end()) << c.what;
        const Op &op = *found;
        EXPECT_EQ(op.size, c.size) << c.what;
        EXPECT_EQ(op.text.endsWith(QStringLiteral("…")), c.cut) << c.what;
        EXPECT_GE(op.x1, d.painter->ColX(c.from)) << c.what;
        EXPECT_LE(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), d.painter->ColX(c.to)) << c.what;
        if (c.row == 65) {   // the office block keeps its top on the row line
            EXPECT_FLOAT_EQ(op.y1, d.painter->RowY(c.row));
        } else if (c.row >= 0) {   // still centred in its row
            EXPECT_FLOAT_EQ(op.y1 + op.size * 10.0f,
                            (d.painter->RowY(c.row) + d.painter->RowY(c.row + 1)) / 2.0f) << c.what;
        } else {            // the project line still ends with the table
            EXPECT_FLOAT_EQ(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), d.painter->ColX(26));
        }
        // The font is what it was for whatever follows.
        const auto next = found + 1;
        if (next != d.texts.end() && c.row == 10) {
            EXPECT_EQ(next->size, 8) << c.what;
        }
    }

    // In the JW-CAD file the text size follows the text type: only cutting.
    CalcSheet sheet = MakeSheet(0);
    sheet.row(0, 0)[ColKind] = longKind + longKind + longKind;
    FakeSheetDevice measure;
    QStringList jw;
    JwOutput fileOutput(measure, jw);
    SheetPainter file(measure, fileOutput);
    DrawSheet(file, sheet, Settings());
    const auto kind = std::find_if(jw.begin(), jw.end(), [&](const QString &line) {
        return line.contains(QStringLiteral("\"") + longKind.left(3));
    });
    ASSERT_NE(kind, jw.end());
    EXPECT_TRUE(kind->endsWith(QStringLiteral("…")));
}

TEST(SheetDrawing, EverythingStaysOnThePage)
{
    const Drawn d(MakeSheet(2), Settings());
    for (const Op &op : d.texts) {
        EXPECT_GE(op.x1, 0.0f) << qPrintable(op.text);
        EXPECT_LE(op.x1 + FakeSheetDevice::widthAt(op.text, op.size), d.device.printableWidth())
            << qPrintable(op.text);
        EXPECT_LE(op.y1 + op.size * 20.0f, d.device.printableHeight()) << qPrintable(op.text);
    }
}

} // namespace
