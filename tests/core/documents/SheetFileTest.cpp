// The sheet file (.qrn2): its layout, the round trip with the calculation
// file, what the reader refuses, and the 2025 inputs from file to sheet.
#include "TestSupport.h"

#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using namespace quiren;
using test::readAll;
using test::writeAll;

namespace {

QString sourceFile(const char *relative)
{
    return QStringLiteral(QUIREN_SOURCE_DIR "/") + QLatin1String(relative);
}

// A sheet under the 2025 rules with every kind of input filled, texts as a
// user might type them.
SheetFileData sheet2025()
{
    SheetFileData data;
    data.rules = RuleSetKind::Rules2025;
    data.inputs.titleName = QStringLiteral("佐藤邸 \"新築\"\n工事");
    data.inputs.storeyIndex = 1;
    data.inputs.floorArea = {QStringLiteral("62.5"), QStringLiteral("45.0"), QString()};
    data.inputs.projectedArea = {QStringLiteral("30"), QStringLiteral("14"), QString(),
                                 QStringLiteral("28"), QStringLiteral("13"), QString()};
    data.inputs.rows[0][2] = {QStringLiteral("構造用合板"), QStringLiteral("-"), QStringLiteral("-"),
                              QStringLiteral("  3.64"), QStringLiteral("4"), QStringLiteral("  1.82"),
                              QStringLiteral("6")};
    SeismicInputs &seismic = data.weightInputs.seismic;
    seismic.method = LwMethod::Loads;
    seismic.typedLw = {QStringLiteral("41"), QStringLiteral("29")};
    seismic.lwSource = QStringLiteral("早見表 (2025年版)");
    seismic.roof = RoofFinish::Typed;
    seismic.roofLoad = QStringLiteral("1100");
    seismic.wall = WallFinish::Board;
    seismic.solar = SolarPanels::Standard;
    seismic.use = BuildingUse::Office;
    seismic.loads.live = QStringLiteral("800");
    seismic.loads.interiorWall = QStringLiteral("250");
    seismic.c0 = QStringLiteral("0.3");
    seismic.h1 = QStringLiteral("2.9");
    seismic.h2 = QStringLiteral("2.8");
    seismic.rise = QStringLiteral("1.5");
    seismic.overhang = QStringLiteral("0.9");   // beyond the tool's range: a warning, not a refusal
    seismic.pitch = QStringLiteral("4");
    data.weightInputs.floor[1] = {QStringLiteral("3.3"), QStringLiteral("12"), QStringLiteral("1.4"), QStringLiteral("1.4")};
    data.weightInputs.loftExemption = false;
    data.weightInputs.memberDistance[0] = QStringLiteral("3.5");
    QuasiWallRow &quasi = data.quasiWalls[0][1];
    quasi.kind = QStringLiteral("せっこうボード");
    quasi.panelHeight = QStringLiteral("240");
    quasi.clearHeight = QStringLiteral("284.4");
    quasi.length = {QStringLiteral("0.91"), QString()};
    quasi.places = {QStringLiteral("3"), QString()};
    return data;
}

} // namespace

TEST(SheetFile, ANewSheetIsWrittenAsDocumented)
{
    QByteArray expected = "{\n"
                          "  \"format\": \"quiren-sheet\",\n"
                          "  \"version\": 1,\n"
                          "  \"rules\": \"old\",\n"
                          "  \"title\": \"\",\n"
                          "  \"storeyCount\": 1,\n"
                          "  \"weight\": 0,\n"
                          "  \"certifiedWall\": 0,\n"
                          "  \"strongWind\": false,\n"
                          "  \"merge\": [false, false, false],\n"
                          "  \"storeys\": [\n";
    for (int s = 0; s < 3; ++s) {
        expected += "    {\n"
                    "      \"floorArea\": \"\",\n"
                    "      \"projectedArea\": [\"\", \"\"],\n"
                    "      \"rows\": []\n";
        expected += s < 2 ? "    },\n" : "    }\n";
    }
    expected += "  ]\n}\n";
    EXPECT_EQ(EncodeSheetFile(SheetFileData{}), expected);
}

// A calculation file the program wrote goes to .qrn2 and back unchanged:
// the examples, and files with the texts the format is touchy about.
TEST(SheetFile, CalcFilesGoThroughTheSheetFileAndBackByteForByte)
{
    QList<QByteArray> files;
    for (const char *name : {"examples/hiraya.qrn", "examples/nikai.qrn", "examples/sankai-kyofu.qrn",
                             "fuzz/seeds/calcfile/empty-new-sheet.qrn"})
        files << readAll(sourceFile(name));
    CalcFileData touchy;
    // A title whose CP932 bytes are valid UTF-8 too, commas, look-alikes.
    touchy.titleName = QStringLiteral(" 髢）山田邸, 増築＂A＂ ～2期 ");
    touchy.storeyIndex = 2;
    touchy.weightType = 1;
    touchy.certifiedChoice = -1;
    touchy.strongWind = true;
    touchy.merge = {true, false, true};
    touchy.floorArea[2] = QStringLiteral("12.25");
    touchy.rows[1][6] = {QStringLiteral("木材"), QStringLiteral("1.5×9"), QStringLiteral("する"),
                         QStringLiteral("  0.91"), QStringLiteral("2"), QString(), QString()};
    files << EncodeCalcFile(touchy).bytes;

    for (const QByteArray &original : files) {
        const std::optional<CalcFileData> old = ParseCalcFile(original);
        ASSERT_TRUE(old.has_value());
        int dropped = -1;
        const QByteArray sheetBytes = EncodeSheetFile(SheetFileDataOfCalcFile(*old, &dropped));
        EXPECT_EQ(dropped, 0);
        const SheetFileParse back = ParseSheetFile(sheetBytes);
        ASSERT_EQ(back.status, SheetFileStatus::Ok) << back.detail.toStdString();
        EXPECT_EQ(back.data.rules, RuleSetKind::Old);
        const CalcFileBytes again = EncodeCalcFile(back.data.inputs);
        ASSERT_TRUE(again.error.isEmpty());
        EXPECT_TRUE(again.bytes == original) << sheetBytes.toStdString();
    }
}

// The 2025 inputs are kept as typed, and a sheet switched back to the old
// rules keeps them in the file.
TEST(SheetFile, Rules2025InputsComeBackAsTyped)
{
    for (RuleSetKind rules : {RuleSetKind::Rules2025, RuleSetKind::Old}) {
        SheetFileData data = sheet2025();
        data.rules = rules;
        const QByteArray bytes = EncodeSheetFile(data);
        EXPECT_TRUE(bytes.contains("\"seismic\""));
        const SheetFileParse read = ParseSheetFile(bytes);
        ASSERT_EQ(read.status, SheetFileStatus::Ok) << read.detail.toStdString();
        EXPECT_EQ(read.data.rules, rules);
        EXPECT_EQ(read.data.inputs, data.inputs);
        EXPECT_EQ(read.data.weightInputs.seismic.roofLoad, QStringLiteral("1100"));
        EXPECT_EQ(read.data.weightInputs.seismic.lwSource, QStringLiteral("早見表 (2025年版)"));
        EXPECT_EQ(read.data.weightInputs.seismic.loads.interiorWall, QStringLiteral("250"));
        EXPECT_EQ(read.data.weightInputs.floor[1].loftHeight, QStringLiteral("1.4"));
        EXPECT_EQ(read.data.quasiWalls[0][1].clearHeight, QStringLiteral("284.4"));
        EXPECT_EQ(EncodeSheetFile(read.data), bytes);
    }
}

TEST(SheetFile, TheReaderRefusesWhatIsNotASheetNewerVersionsAndBadValues)
{
    // The head of a valid file, to which each case adds its members.
    const QByteArray head = "{\"format\": \"quiren-sheet\", \"version\": 1";
    const struct {
        QByteArray bytes;
        SheetFileStatus status;
        const char *detail;
    } cases[] = {
        {"", SheetFileStatus::NotDataFile, ""},
        {"\"Quiren\"\r\n#FALSE#", SheetFileStatus::NotDataFile, ""},
        {"[1, 2]", SheetFileStatus::NotDataFile, ""},
        {"{\"format\": \"quiren-sheets\", \"version\": 1}", SheetFileStatus::NotDataFile, ""},
        {head + ", ", SheetFileStatus::NotDataFile, ""},
        {QByteArray(100000, '[') + QByteArray(100000, ']'), SheetFileStatus::NotDataFile, ""},
        {"{\"format\": \"quiren-sheet\", \"version\": 2, \"rules\": \"2030\"}", SheetFileStatus::NewerVersion, "2"},
        {"{\"format\": \"quiren-sheet\"}", SheetFileStatus::BadValue, "version"},
        {"{\"format\": \"quiren-sheet\", \"version\": 1.5}", SheetFileStatus::BadValue, "version"},
        {"{\"format\": \"quiren-sheet\", \"version\": \"1\"}", SheetFileStatus::BadValue, "version"},
        {head + ", \"rules\": \"2030\"}", SheetFileStatus::BadValue, "rules"},
        {head + ", \"storeyCount\": 4}", SheetFileStatus::BadValue, "storeyCount"},
        {head + ", \"storeyCount\": 3, \"rules\": \"2025\"}", SheetFileStatus::BadValue, "storeyCount"},
        {head + ", \"weight\": true}", SheetFileStatus::BadValue, "weight"},
        {head + ", \"certifiedWall\": 101}", SheetFileStatus::BadValue, "certifiedWall"},
        {head + ", \"certifiedWall\": -2}", SheetFileStatus::BadValue, "certifiedWall"},
        {head + ", \"merge\": [true, 0, false]}", SheetFileStatus::BadValue, "merge[1]"},
        {head + ", \"storeys\": [{}, {}, {}, {}]}", SheetFileStatus::BadValue, "storeys"},
        {head + ", \"storeys\": [{\"floorArea\": \"七十\"}]}", SheetFileStatus::BadValue, "storeys[0].floorArea"},
        {head + ", \"storeys\": [{}, {\"rows\": [{}, {\"length\": [\"1.82\", \"-0.91\"]}]}]}",
         SheetFileStatus::BadValue, "storeys[1].rows[1].length[1]"},
        {head + ", \"storeys\": [{}, {\"rows\": [{}, {}, {}, {}, {}, {}, {}, {}]}]}", SheetFileStatus::BadValue,
         "storeys[1].rows"},
        {head + ", \"seismic\": {\"roof\": \"straw\"}}", SheetFileStatus::BadValue, "seismic.roof"},
        {head + ", \"seismic\": {\"loads\": {\"live\": 600}}}", SheetFileStatus::BadValue, "seismic.loads.live"},
        {head + ", \"storeys\": [{\"quasiWalls\": [{\"places\": [\"1\", \"x\"]}]}]}", SheetFileStatus::BadValue,
         "storeys[0].quasiWalls[0].places[1]"},
        // Unknown keys are ignored and missing keys keep the new-sheet values.
        {head + ", \"balance\": {\"parts\": []}, \"storeys\": [{\"future\": 1}]}", SheetFileStatus::Ok, ""},
        {"\xEF\xBB\xBF" + head + "}", SheetFileStatus::Ok, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.left(120).toStdString());
        const SheetFileParse read = ParseSheetFile(c.bytes);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.detail, QString::fromUtf8(c.detail));
        if (read.status == SheetFileStatus::Ok) {
            EXPECT_EQ(EncodeSheetFile(read.data), EncodeSheetFile(SheetFileData{}));
        }
    }
    // Far too large to be a sheet, whatever it holds.
    QByteArray huge = head + ", \"title\": \"";
    huge += QByteArray(MaxSheetFileSize, 'a') + "\"}";
    EXPECT_EQ(ParseSheetFile(huge).status, SheetFileStatus::NotDataFile);
}

TEST(SheetFile, ReadingTellsTheKindsApartAndNamesTheProblem)
{
    const QString dir = test::makeScratchDir(QStringLiteral("sheetfile"));
    const QString old = dir + QStringLiteral("/old.qrn2");   // a .qrn under the other extension
    writeAll(old, readAll(sourceFile("examples/nikai.qrn")));
    const QString newer = dir + QStringLiteral("/newer.qrn2");
    writeAll(newer, "{\"format\": \"quiren-sheet\", \"version\": 3}");
    const QString bad = dir + QStringLiteral("/bad.qrn2");
    writeAll(bad, "{\"format\": \"quiren-sheet\", \"version\": 1, \"storeyCount\": 0}");

    const SheetFileRead fromOld = ReadSheetFile(old);
    EXPECT_EQ(fromOld.status, SheetFileStatus::Ok);
    EXPECT_EQ(fromOld.data.inputs, *ParseCalcFile(readAll(old)));
    EXPECT_EQ(ReadSheetFile(newer).message,
              newer + QStringLiteral(" は新しい版のQuirenで保存されたﾌｧｲﾙです (形式 3)。この版では開けません。"));
    EXPECT_EQ(ReadSheetFile(bad).message,
              bad + QStringLiteral(" の「storeyCount」の値が正しくありません。ﾌｧｲﾙを開けません。"));
    EXPECT_EQ(ReadSheetFile(dir).status, SheetFileStatus::CannotOpen);

    // Written through the safe writer: the file is complete, no temporary left.
    const QString written = dir + QStringLiteral("/written.qrn2");
    ASSERT_TRUE(WriteSheetFile(written, sheet2025()).ok);
    EXPECT_EQ(readAll(written), EncodeSheetFile(sheet2025()));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), 4);
}

// A 2025-rule file opens into a sheet under those rules with its inputs, and
// what a save of that sheet writes is the file again.
TEST(SheetFile, ApplyingPutsTheRulesAndInputsOnTheSheet)
{
    const SheetFileData data = sheet2025();
    CalcSheet sheet;
    sheet.changed = true;
    ApplySheetFile(sheet, data, WallCoefficientDefault);
    EXPECT_FALSE(sheet.changed);
    EXPECT_EQ(sheet.ruleSetKind(), RuleSetKind::Rules2025);
    EXPECT_EQ(sheet.storeyIndex, 1);
    EXPECT_EQ(sheet.quasiWalls[0][1].kind, QStringLiteral("せっこうボード"));
    EXPECT_EQ(EncodeSheetFile(SheetFileDataOf(sheet)), EncodeSheetFile(data));

    // The examples are what a save of the sheets they hold writes.
    for (const char *name : {"examples/nikai-2025.qrn2", "examples/nikai-2025-4bunkatsu.qrn2"}) {
        SCOPED_TRACE(name);
        const QString example = sourceFile(name);
        const SheetFileRead read = ReadSheetFile(example);
        ASSERT_EQ(read.status, SheetFileStatus::Ok) << read.message.toStdString();
        CalcSheet opened;
        ApplySheetFile(opened, read.data, WallCoefficientDefault);
        EXPECT_EQ(opened.judgement[1][JudgeResult0], QStringLiteral("OK"));
        EXPECT_EQ(EncodeSheetFile(SheetFileDataOf(opened)), readAll(example));
    }
}

// Rows and voids of an earlier file: a quasi-bearing row without a kind is a
// 準耐力壁 where its heights meet that kind's condition; the voids are kept,
// written back, and not taken off.
TEST(SheetFile, EarlierQuasiRowsAndVoids)
{
    const QByteArray bytes = R"({"format": "quiren-sheet", "version": 1, "rules": "2025", "storeys": [
        {"floorArea": "60", "voids": "4", "quasiWalls": [
          {"kind": "せっこうボード", "panelHeight": "240", "clearHeight": "273", "length": ["0.91", ""], "places": ["2", ""]},
          {"kind": "せっこうボード", "panelHeight": "60", "clearHeight": "273", "length": ["1.82", ""], "places": ["1", ""]}]}]})";
    const SheetFileParse parse = ParseSheetFile(bytes);
    ASSERT_EQ(parse.status, SheetFileStatus::Ok) << parse.detail.toStdString();
    EXPECT_EQ(parse.data.quasiWalls[0][0].wallKind, QuasiKind::Panel);
    EXPECT_EQ(parse.data.quasiWalls[0][1].wallKind, QuasiKind::HangingSill);
    CalcSheet sheet;
    ApplySheetFile(sheet, parse.data, WallCoefficientDefault);
    EXPECT_DOUBLE_EQ(sheet.weightResults.floor[0].af, 60);
    EXPECT_TRUE(sheet.weightResults.warnings.contains(VoidsNotDeductedNote()));
    // Not confirmed on both sides: the hanging wall does not count, and says why.
    EXPECT_FALSE(sheet.quasiWalls[0][1].refusal.isEmpty());
    EXPECT_TRUE(sheet.quasiWalls[0][1].effective[0].isEmpty());
    const SheetFileParse again = ParseSheetFile(EncodeSheetFile(SheetFileDataOf(sheet)));
    EXPECT_EQ(again.data.weightInputs.floor[0].voids, QStringLiteral("4"));
    EXPECT_EQ(again.data.quasiWalls[0][1].wallKind, QuasiKind::HangingSill);
}

// A ".qrn" number the sheet cannot take is named, whatever it is, and the
// storey it belongs to is not judged "OK" without it, until it is typed
// again. (They were once emptied on reading, before anything could name
// them, and the sheet passed on the rest.)
TEST(SheetFile, RefusedNumbersOfACalcFileAreNamedAndKeepTheStoreyFromOk)
{
    const QString dir = test::makeScratchDir(QStringLiteral("refused-qrn"));
    const struct {
        int field;          // 0 projected area (A), else the row's places of direction 0
        const char *text;
        const char *named;
    } cases[] = {
        {0, "45,3", "一階 見付面積(A) \"45,3\""},
        {0, "45.3m", "一階 見付面積(A) \"45.3m\""},
        {0, "NaN", "一階 見付面積(A) \"NaN\""},
        {0, "1e308", "一階 見付面積(A) \"1e308\""},
        {0, "0x10", "一階 見付面積(A) \"0x10\""},
        {1, "-6", "一階 2行目 桁に平行な箇所 \"-6\""},
    };
    for (const auto &c : cases) {
        // 30 m² passes on 8 places of 1.82 m brace in each direction; the
        // second row alone would pass too.
        CalcFileData d;
        d.floorArea[0] = QStringLiteral("30");
        d.rows[0][0] = {QStringLiteral("木材"), QStringLiteral("4.5×9"), QStringLiteral("しない"),
                        QStringLiteral("  1.82"), QStringLiteral("8"), QStringLiteral("  1.82"), QStringLiteral("8")};
        d.rows[0][1] = d.rows[0][0];
        if (c.field == 0)
            d.projectedArea[0] = QString::fromUtf8(c.text);
        else
            d.rows[0][1][4] = QString::fromUtf8(c.text);
        const QString path = dir + QStringLiteral("/f.qrn");
        ASSERT_TRUE(WriteCalcFile(path, d).ok);

        const SheetFileRead read = ReadSheetFile(path);
        ASSERT_EQ(read.status, SheetFileStatus::Ok) << c.text;
        CalcSheet sheet;
        const std::vector<RefusedCell> refused = ApplySheetFile(sheet, read.data, WallCoefficientDefault);
        ASSERT_EQ(refused.size(), 1u) << c.text;
        EXPECT_EQ(RefusedCellText(refused[0]), QString::fromUtf8(c.named));
        EXPECT_NE(sheet.judgement[0][JudgeResult0], QStringLiteral("OK")) << c.text;
        EXPECT_EQ(sheet.judgement[0].bars[0].blue, 0u) << c.text;

        // Typed again, the cell is the user's: the storey is judged on it.
        if (c.field == 0)
            sheet.SetProjectedArea(0, QStringLiteral("20"));
        else
            sheet.row(0, 1)[ColPlaces0] = QStringLiteral("8");
        struct : EditPrompter {
            void notANumber() override {}
            void invalidNumber() override {}
            bool confirmLongLength() override { return true; }
        } prompter;
        if (c.field != 0)
            sheet.AfterEdit(0, 1, ColPlaces0, prompter);
        sheet.RecalcStorey(0);
        EXPECT_EQ(sheet.judgement[0][JudgeResult0], QStringLiteral("OK")) << c.text;
    }
}

// A file the program wrote must open again: a text too long for the reader
// stops the save instead (here through qrn convert's path, the inputs of a
// sheet file written as a ".qrn").
TEST(SheetFile, NeitherKindIsWrittenLargerThanItsReaderTakes)
{
    const QString dir = test::makeScratchDir(QStringLiteral("too-large"));
    CalcFileData d;
    d.titleName = QString(MaxCalcFileSize, QLatin1Char('x'));
    const QString qrn = dir + QStringLiteral("/big.qrn");
    const WriteResult calc = WriteCalcFile(qrn, d);
    EXPECT_FALSE(calc.ok);
    EXPECT_TRUE(calc.error.contains(QString::number(MaxCalcFileSize))) << qPrintable(calc.error);
    EXPECT_FALSE(QFileInfo::exists(qrn));

    SheetFileData sheetData;
    sheetData.inputs.titleName = QString(MaxSheetFileSize, QLatin1Char('x'));
    const QString qrn2 = dir + QStringLiteral("/big.qrn2");
    EXPECT_FALSE(WriteSheetFile(qrn2, sheetData).ok);
    EXPECT_FALSE(QFileInfo::exists(qrn2));

    // Just inside the limit both open again.
    d.titleName = QString(MaxCalcFileSize - 4096, QLatin1Char('x'));
    ASSERT_TRUE(WriteCalcFile(qrn, d).ok);
    EXPECT_EQ(ReadSheetFile(qrn).status, SheetFileStatus::Ok);
}
