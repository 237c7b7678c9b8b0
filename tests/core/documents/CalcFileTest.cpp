// The calculation file: exact bytes, round trips, the reader's tolerance, the
// order of applying a file to a sheet, and saves that must not destroy the
// file they replace.
#include "ExampleSheets.h"
#include "TestSupport.h"

#include "core/documents/CalcFile.h"
#include "core/io/NativePath.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace quiren;
using test::readAll;
using test::writeAll;

namespace {

QByteArray cp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

// The 29 lines of a new, empty one-storey sheet.
QByteArray emptySheetBytes()
{
    QByteArray b = "\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n\"\",0,0,0,#FALSE#\r\n";
    for (int i = 0; i < 3; ++i)
        b += "\"\",\"\",\"\"\r\n";
    for (int i = 0; i < 23; ++i)
        b += "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    return b;
}

CalcFileData parse(const QByteArray &bytes)
{
    std::optional<CalcFileData> data = ParseCalcFile(bytes);
    EXPECT_TRUE(data.has_value());
    return data.value_or(CalcFileData{});
}

// A file with every kind of field set to something other than the default.
CalcFileData everyKindOfField()
{
    CalcFileData d;
    d.merge = {true, false, true};
    d.titleName = QStringLiteral("  山田邸, 増築工事 ㎡㎜～ ﾃｽﾄ  ");
    d.storeyIndex = 2;
    d.weightType = 1;
    d.certifiedChoice = -1;
    d.strongWind = true;
    d.floorArea = {QStringLiteral("120.5"), QStringLiteral("80"), QStringLiteral("0.25")};
    d.projectedArea = {QStringLiteral("30"), QStringLiteral("20.5"), QStringLiteral("10"),
                       QStringLiteral("35"), QStringLiteral("22"), QStringLiteral("12.75")};
    int n = 0;
    for (int s = 0; s < StoreyCount; ++s) {
        for (CalcFileData::RowInputs &row : d.rows[s]) {
            ++n;
            row = {n % 2 ? QStringLiteral("木材") : QStringLiteral("土塗り壁+鉄筋"),
                   n % 2 ? QStringLiteral("4.5×9") : QStringLiteral("-"),
                   n % 3 ? QStringLiteral("する") : QStringLiteral("しない"),
                   QStringLiteral("  %1.82").arg(n % 9),
                   QString::number(n),
                   n % 4 ? QStringLiteral(" 10.5") : QString(),
                   QString::number(n % 5)};
        }
    }
    return d;
}

// What the window shows of the existing storeys, for comparing two sheets.
// (Wind factors are compared by value: "0.5" and "0.50" are the same.)
void expectSameSheet(const CalcSheet &a, const CalcSheet &b)
{
    EXPECT_EQ(CalcFileDataOf(a), CalcFileDataOf(b));
    for (int w = 0; w < ProjectedAreaCount; ++w)
        EXPECT_EQ(a.windFactor[w].toDouble(), b.windFactor[w].toDouble());
    EXPECT_EQ(a.projectedRequirement, b.projectedRequirement);
    for (int s = 0; s <= a.storeyIndex; ++s) {
        EXPECT_EQ(a.coefficient[s], b.coefficient[s]);
        EXPECT_EQ(a.floorRequirement[s], b.floorRequirement[s]);
        EXPECT_EQ(a.judgement[s].cells, b.judgement[s].cells) << "storey " << s;
        for (int r = 0; r < FramingRowCount(s); ++r)
            EXPECT_EQ(a.framing[s][r].cells, b.framing[s][r].cells) << "storey " << s << " row " << r;
    }
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

// ---- writer ------------------------------------------------------------------

TEST(CalcFileWrite, NewSheetWritesTheTwentyNineLinesExactly)
{
    const QString dir = test::makeScratchDir(QStringLiteral("new-sheet"));
    const QString path = dir + QStringLiteral("/new.qrn");
    CalcSheet sheet;
    const WriteResult result = WriteCalcFile(path, sheet);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray bytes = readAll(path);
    EXPECT_EQ(bytes, emptySheetBytes());
    EXPECT_EQ(bytes.count("\r\n"), CalcFileLineCount);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("new.qrn")});   // no temporary left

    // Read back, it is the new sheet again (the wind factors read "0.50":
    // opening switches the option through its toggle).
    CalcSheet opened;
    ApplyCalcFile(opened, parse(bytes), WallCoefficientDefault);
    EXPECT_EQ(CalcFileDataOf(opened), CalcFileDataOf(sheet));
    // Opening runs Long_calc, which fills the necessary lengths.
    const JudgementRow &j = opened.judgement[0];
    EXPECT_EQ(j[JudgeNecessary0], QStringLiteral("0.0000"));
    EXPECT_EQ(j[JudgeSum0], QStringLiteral("0.0000"));
    EXPECT_EQ(j[JudgeSum1], QStringLiteral("0.0000"));
    EXPECT_TRUE(j[JudgeResult0].isEmpty());
    EXPECT_EQ(opened.windFactor[0], QStringLiteral("0.50"));
    EXPECT_FALSE(opened.changed);
}

TEST(CalcFileWrite, EveryKindOfFieldReadsBackTheSame)
{
    const CalcFileData data = everyKindOfField();
    const CalcFileBytes encoded = EncodeCalcFile(data);
    ASSERT_TRUE(encoded.error.isEmpty()) << encoded.error.toStdString();
    EXPECT_EQ(encoded.bytes.count("\r\n"), CalcFileLineCount);
    EXPECT_TRUE(encoded.bytes.contains(cp932(QStringLiteral("\"  山田邸, 増築工事 ㎡㎜～ ﾃｽﾄ  \",2,1,-1,#TRUE#\r\n"))));
    EXPECT_TRUE(encoded.bytes.startsWith("\"Quiren\"\r\n#TRUE#,#FALSE#,#TRUE#\r\n"));
    EXPECT_EQ(parse(encoded.bytes), data);
}

TEST(CalcFileWrite, QuotesAndLineBreaksNeverShiftTheFields)
{
    CalcFileData data = everyKindOfField();
    data.titleName = QStringLiteral("\"A\"邸\r\n新築");
    data.rows[1][2][0] = QStringLiteral("木材 \"特\"");
    data.floorArea[2] = QStringLiteral("\"");
    const CalcFileBytes encoded = EncodeCalcFile(data);
    ASSERT_TRUE(encoded.error.isEmpty());
    EXPECT_EQ(encoded.bytes.count("\r\n"), CalcFileLineCount);

    CalcFileData expected = data;
    expected.titleName = QStringLiteral("＂A＂邸  新築");
    expected.rows[1][2][0] = QStringLiteral("木材 ＂特＂");
    expected.floorArea[2] = QStringLiteral("＂");
    EXPECT_EQ(parse(encoded.bytes), expected);
}

TEST(CalcFileWrite, ControlCodesKeepTheirBytes)
{
    // Bytes below 0x80 are the same codes, as Windows reads them and as a
    // UTF-8 file is read: 0x1A and 0x7F stay themselves alone, beside
    // Japanese and in a file read as UTF-8.
    CalcFileData data;
    data.titleName = QStringLiteral("A") + QChar(0x7F) + QChar(0x1A) + QChar(0x1C);
    data.rows[0][0][0] = QStringLiteral("壁") + QChar(0x7F) + QChar(0x1A) + QChar(0x1C);
    const CalcFileBytes encoded = EncodeCalcFile(data);
    ASSERT_TRUE(encoded.error.isEmpty());
    EXPECT_TRUE(encoded.bytes.contains("\"A\x7F\x1A\x1C\""));
    EXPECT_TRUE(encoded.bytes.contains(cp932(QStringLiteral("壁")) + "\x7F\x1A\x1C\""));
    EXPECT_EQ(parse(encoded.bytes), data);

    QByteArray utf8 = encoded.bytes;
    utf8.replace(cp932(QStringLiteral("壁")), QStringLiteral("壁").toUtf8());
    EXPECT_EQ(parse(utf8), data);
    EXPECT_EQ(EncodeCalcFile(parse(utf8)).bytes, encoded.bytes);
}

TEST(CalcFileWrite, CharactersCp932CannotHoldStopTheSaveAndNameTheField)
{
    const QString dir = test::makeScratchDir(QStringLiteral("unencodable"));
    const QString path = dir + QStringLiteral("/a.qrn");
    writeAll(path, "old contents");

    CalcSheet sheet;
    sheet.titleName = QStringLiteral("佐藤邸😀");
    WriteResult result = WriteCalcFile(path, sheet);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("工事名"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QStringLiteral("😀")));
    EXPECT_TRUE(result.error.contains(QStringLiteral("1F600")));
    EXPECT_EQ(readAll(path), QByteArray("old contents"));

    sheet.titleName.clear();
    sheet.row(1, 3)[ColKind] = QStringLiteral("𠮷野家壁");
    result = WriteCalcFile(path, sheet);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("二階 4行目 軸組の種類"))) << result.error.toStdString();
    sheet.row(1, 3)[ColKind].clear();
    sheet.row(2, 0)[ColPlaces1] = QStringLiteral("é");
    result = WriteCalcFile(path, sheet);
    EXPECT_TRUE(result.error.contains(QStringLiteral("三階 1行目 梁に平行な壁面 箇所"))) << result.error.toStdString();
    // Half a surrogate pair at the end of a text is not dropped without a word.
    sheet.row(2, 0)[ColPlaces1].clear();
    sheet.titleName = QStringLiteral("佐藤邸") + QChar(0xD83D);
    result = WriteCalcFile(path, sheet);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("D83D"))) << result.error.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("old contents"));
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("a.qrn")});

    // The JIS forms of signs CP932 keeps elsewhere are stored as their look-alikes.
    sheet.row(2, 0)[ColPlaces1].clear();
    sheet.titleName = QStringLiteral("1〜2期−A");
    result = WriteCalcFile(path, sheet);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(parse(readAll(path)).titleName, QStringLiteral("1～2期－A"));
}

TEST(CalcFileWrite, FilesTheProgramWroteSaveAgainByteForByte)
{
    const QString dir = test::makeScratchDir(QStringLiteral("resave"));
    for (const test::ExampleSheet &example : test::ExampleSheets()) {
        SCOPED_TRACE(example.fileName.toStdString());
        const QString original = dir + QLatin1Char('/') + example.fileName;
        ASSERT_TRUE(WriteCalcFile(original, *example.sheet).ok);

        const CalcFileRead read = ReadCalcFile(original);
        ASSERT_EQ(read.status, CalcFileStatus::Ok);
        CalcSheet opened;
        ApplyCalcFile(opened, read.data, WallCoefficientDefault);
        expectSameSheet(opened, *example.sheet);

        const QString again = dir + QStringLiteral("/again.qrn");
        ASSERT_TRUE(WriteCalcFile(again, opened).ok);
        EXPECT_EQ(readAll(again), readAll(original));
    }
}

// ---- a save that fails -----------------------------------------------------------

TEST(CalcFileWrite, AFailedSaveLeavesTheOldFileAndReportsWhy)
{
    const QString dir = test::makeScratchDir(QStringLiteral("save-failure"));
    CalcSheet sheet;
    sheet.titleName = QStringLiteral("新しい内容");

    // A folder that is really a file.
    const QString notAFolder = dir + QStringLiteral("/plain");
    writeAll(notAFolder, "x");
    WriteResult result = WriteCalcFile(notAFolder + QStringLiteral("/a.qrn"), sheet);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());

    // A target that is a folder.
    QDir().mkpath(dir + QStringLiteral("/folder.qrn"));
    result = WriteCalcFile(dir + QStringLiteral("/folder.qrn"), sheet);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("/folder.qrn")).isDir());

    // The disk refuses the data half-way (a file-size limit stands in for a
    // full disk, and holds for root too): the old file stays as it was.
    const QString target = dir + QStringLiteral("/keep.qrn");
    const QByteArray old = emptySheetBytes();
    writeAll(target, old);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    result = WriteCalcFile(target, sheet);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(readAll(target), old);
    QStringList left = folderEntries(dir);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("folder.qrn"), QStringLiteral("keep.qrn"), QStringLiteral("plain")}));

    // And a folder without write permission, where permissions count.
    if (geteuid() != 0) {
        const QString locked = test::makeScratchDir(QStringLiteral("locked"));
        writeAll(locked + QStringLiteral("/a.qrn"), old);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        result = WriteCalcFile(locked + QStringLiteral("/a.qrn"), sheet);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(readAll(locked + QStringLiteral("/a.qrn")), old);
    }
}

// ---- reader ------------------------------------------------------------------------

TEST(CalcFileRead, LineBreaksBlanksAndQuotesFollowTheFieldRules)
{
    const CalcFileData data = everyKindOfField();
    const QByteArray bytes = EncodeCalcFile(data).bytes;

    // Line 3 split after the storey-count index; LF-only and CR-only ends.
    QByteArray split = bytes;
    split.replace(",2,1,-1,", ",2\r\n1,-1,");
    EXPECT_EQ(parse(split), data);
    EXPECT_EQ(parse(QByteArray(bytes).replace("\r\n", "\n")), data);
    EXPECT_EQ(parse(QByteArray(bytes).replace("\r\n", "\r")), data);

    // Blanks before a field are skipped, junk after a closing quote too, and
    // an unquoted text loses its trailing blanks.
    const QByteArray loose = cp932(QStringLiteral(
        "  \"Quiren\"  junk\r\n #TRUE# , #FALSE#,#TRUE#\r\n\"題, 名\"x, 1 ,0,0,#FALSE#\r\n"
        "  12.5  ,\"3\",4\r\n"));
    const CalcFileData read = parse(loose);
    EXPECT_EQ(read.merge, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(read.titleName, QStringLiteral("題, 名"));
    EXPECT_EQ(read.storeyIndex, 1);
    EXPECT_EQ(read.floorArea[0], QStringLiteral("12.5"));
    EXPECT_EQ(read.projectedArea[0], QStringLiteral("3"));
    EXPECT_EQ(read.projectedArea[3], QStringLiteral("4"));
}

TEST(CalcFileRead, UnreadableFieldsKeepTheNewSheetValues)
{
    // Only the first line: an empty one-storey sheet.
    EXPECT_EQ(parse("\"Quiren\"\r\n"), CalcFileData{});
    EXPECT_EQ(parse("\"Quiren\""), CalcFileData{});

    // Fields of the wrong kind are skipped one by one, the rest still count.
    CalcFileData d = parse("\"Quiren\"\r\n1,\"#TRUE#\",#TRUE#\r\n\"T\",#TRUE#,x,12345678901234,#TRUE#\r\n\"5\"\r\n");
    EXPECT_EQ(d.merge, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(d.titleName, QStringLiteral("T"));
    EXPECT_EQ(d.storeyIndex, 0);
    EXPECT_EQ(d.weightType, 0);
    EXPECT_EQ(d.certifiedChoice, 0);
    EXPECT_TRUE(d.strongWind);
    EXPECT_EQ(d.floorArea[0], QStringLiteral("5"));

    // Storey-count index and weight type outside their ranges read as 0.
    for (const char *line3 : {"\"\",3,2,0,#FALSE#", "\"\",-1,-1,0,#FALSE#", "\"\",99,7,0,#FALSE#"}) {
        d = parse(QByteArray("\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n") + line3 + "\r\n");
        EXPECT_EQ(d.storeyIndex, 0) << line3;
        EXPECT_EQ(d.weightType, 0) << line3;
    }

    // A file cut off anywhere reads what is there and nothing else.
    const QByteArray full = EncodeCalcFile(everyKindOfField()).bytes;
    for (qsizetype cut = 10; cut < full.size(); cut += 37) {
        const std::optional<CalcFileData> part = ParseCalcFile(full.left(cut));
        ASSERT_TRUE(part.has_value()) << cut;
    }
    const CalcFileData half = parse(full.left(full.indexOf("\r\n", full.indexOf(cp932(QStringLiteral("木材")))) + 2));
    EXPECT_EQ(half.storeyIndex, 2);
    EXPECT_EQ(half.rows[0][0][0], QStringLiteral("木材"));
    EXPECT_TRUE(half.rows[0][1][0].isEmpty());
    EXPECT_TRUE(half.rows[2][6][0].isEmpty());
}

TEST(CalcFileRead, OnlyTheApplicationTitleOpensAFile)
{
    EXPECT_FALSE(ParseCalcFile(QByteArray()).has_value());
    EXPECT_FALSE(ParseCalcFile("\"quiren\"\r\n").has_value());
    EXPECT_FALSE(ParseCalcFile("\"QUIREN\"\r\n").has_value());
    EXPECT_FALSE(ParseCalcFile("\"Quiren \"\r\n").has_value());
    EXPECT_FALSE(ParseCalcFile("\r\n\"Quiren\"\r\n").has_value());
    EXPECT_TRUE(ParseCalcFile("Quiren,#TRUE#").has_value());

    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    EXPECT_FALSE(ParseCalcFile(binary).has_value());
    // Binary after a good first field is junk text, not a crash.
    EXPECT_TRUE(ParseCalcFile("\"Quiren\"\r\n" + binary).has_value());
}

TEST(CalcFileRead, Utf8TextIsReadAsUtf8)
{
    QByteArray bytes = EncodeCalcFile(everyKindOfField()).bytes;
    QByteArray utf8 = bytes;
    utf8.replace(cp932(QStringLiteral("山田邸")), QStringLiteral("山田邸").toUtf8());
    utf8.replace(cp932(QStringLiteral("増築工事 ㎡㎜～ ﾃｽﾄ")), QStringLiteral("増築工事 ㎡㎜～ ﾃｽﾄ").toUtf8());
    utf8.replace(cp932(QStringLiteral("木材")), QStringLiteral("木材").toUtf8());
    utf8.replace(cp932(QStringLiteral("土塗り壁+鉄筋")), QStringLiteral("土塗り壁+鉄筋").toUtf8());
    utf8.replace(cp932(QStringLiteral("4.5×9")), QStringLiteral("4.5×9").toUtf8());
    utf8.replace(cp932(QStringLiteral("しない")), QStringLiteral("しない").toUtf8());
    utf8.replace(cp932(QStringLiteral("する")), QStringLiteral("する").toUtf8());
    ASSERT_NE(utf8, bytes);
    EXPECT_EQ(parse(utf8), everyKindOfField());
    EXPECT_EQ(parse("\xEF\xBB\xBF" + utf8), everyKindOfField());
}

TEST(CalcFileRead, FilesThatCannotBeReadGetTheProgramsMessages)
{
    const QString dir = test::makeScratchDir(QStringLiteral("read"));

    const QString missing = dir + QStringLiteral("/missing.qrn");
    CalcFileRead read = ReadCalcFile(missing);
    EXPECT_EQ(read.status, CalcFileStatus::CannotOpen);
    EXPECT_EQ(read.message, missing + QStringLiteral("ﾌｧｲﾙを開けません。"));

    read = ReadCalcFile(dir);
    EXPECT_EQ(read.status, CalcFileStatus::CannotOpen);
    EXPECT_EQ(read.message, dir + QStringLiteral("ﾌｧｲﾙを開けません。"));

    const QString empty = dir + QStringLiteral("/empty.qrn");
    writeAll(empty, QByteArray());
    read = ReadCalcFile(empty);
    EXPECT_EQ(read.status, CalcFileStatus::NotDataFile);
    EXPECT_EQ(read.message, QStringLiteral("Quirenのデータファイルではありません。"));

    // 10 MB that begin like a calculation file are still not one.
    const QString huge = dir + QStringLiteral("/huge.qrn");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(emptySheetBytes());
        const QByteArray block(1024 * 1024, ' ');
        for (int i = 0; i < 10; ++i)
            f.write(block);
    }
    EXPECT_EQ(ReadCalcFile(huge).status, CalcFileStatus::NotDataFile);

    // Just under the limit is read.
    const QString padded = dir + QStringLiteral("/padded.qrn");
    writeAll(padded, emptySheetBytes() + QByteArray(MaxCalcFileSize - emptySheetBytes().size(), '\n'));
    EXPECT_EQ(ReadCalcFile(padded).status, CalcFileStatus::Ok);

    if (geteuid() != 0) {
        const QString locked = dir + QStringLiteral("/locked.qrn");
        writeAll(locked, emptySheetBytes());
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        EXPECT_EQ(ReadCalcFile(locked).status, CalcFileStatus::CannotOpen);
    }
}

TEST(CalcFileRead, NamesThatAreNotUtf8OpenAndSaveInPlace)
{
    // A folder and a file named in Shift-JIS, as copied from an old Windows
    // disk: Qt shows their names with U+FFFD and cannot use that path.
    const QByteArray dir = QFile::encodeName(test::makeScratchDir(QStringLiteral("sjis")));
    const QByteArray folder = dir + '/' + QStringEncoder("windows-31j").encode(QStringLiteral("旧図面"));
    const QByteArray file = folder + '/' + QStringEncoder("windows-31j").encode(QStringLiteral("木造.qrn"));
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    CalcSheet sheet;
    sheet.titleName = QStringLiteral("鈴木邸");
    ASSERT_TRUE(WriteCalcFile(dir + QStringLiteral("/plain.qrn"), sheet).ok);
    ASSERT_EQ(::rename((dir + "/plain.qrn").constData(), file.constData()), 0);
    ASSERT_EQ(::chmod(file.constData(), 0640), 0);

    const QString shown = QFile::decodeName(file);
    ASSERT_TRUE(shown.contains(QChar(0xFFFD)));
    ASSERT_FALSE(QFile::exists(shown));
    EXPECT_EQ(NativePathOf(shown), file);
    const CalcFileRead read = ReadCalcFile(shown);
    ASSERT_EQ(read.status, CalcFileStatus::Ok) << qPrintable(read.message);
    EXPECT_EQ(read.data.titleName, QStringLiteral("鈴木邸"));

    // Saving under the name shown replaces that file, keeps its permissions
    // and leaves no other file behind.
    sheet.titleName = QStringLiteral("鈴木邸 改");
    ASSERT_TRUE(WriteCalcFile(shown, sheet).ok);
    EXPECT_EQ(ReadCalcFile(shown).data.titleName, QStringLiteral("鈴木邸 改"));
    auto entries = [&folder] {
        QList<QByteArray> names;
        if (DIR *listing = ::opendir(folder.constData())) {
            while (const dirent *entry = ::readdir(listing))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names << QByteArray(entry->d_name);
            ::closedir(listing);
        }
        return names;
    };
    EXPECT_EQ(entries(), QList<QByteArray>{file.mid(folder.size() + 1)});
    struct stat info {};
    ASSERT_EQ(::stat(file.constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // Two names Qt shows alike (木造 and another last byte): neither is
    // guessed at.
    const QByteArray twin = folder + '/' + "\x96\xd8\x91\xa3.qrn";
    ASSERT_EQ(QFile::decodeName(twin), shown);
    ASSERT_EQ(::link(file.constData(), twin.constData()), 0);
    EXPECT_TRUE(NativePathOf(shown).isEmpty());
    EXPECT_EQ(ReadCalcFile(shown).status, CalcFileStatus::CannotOpen);
    // A path that names a file as it is needs nothing more.
    EXPECT_TRUE(NativePathOf(dir + QStringLiteral("/missing\uFFFD.qrn")).isEmpty());
}

// ---- applying a file to a sheet -------------------------------------------------------

TEST(CalcFileApply, TheSheetIsWhatTheWindowShowsAfterOpening)
{
    CalcFileData d;
    d.storeyIndex = 1;
    d.weightType = 0;
    d.floorArea = {QStringLiteral("100"), QStringLiteral("40"), QStringLiteral("50")};
    d.projectedArea = {QStringLiteral("30"), QString(), QStringLiteral("9"), QString(), QString(), QString()};
    d.rows[0][0] = {QStringLiteral("木材"), QStringLiteral("4.5×9"), QStringLiteral("しない"),
                    QStringLiteral("  1.82"), QStringLiteral("2"), QString(), QString()};
    d.rows[2][0] = d.rows[0][0];
    d.strongWind = true;

    CalcSheet sheet;
    sheet.titleName = QStringLiteral("前の内容");   // opening starts from a new sheet
    ApplyCalcFile(sheet, d, 60);

    EXPECT_EQ(sheet.storeyIndex, 1);
    EXPECT_TRUE(sheet.titleName.isEmpty());
    EXPECT_EQ(sheet.coefficient[0], QStringLiteral("0.29"));
    EXPECT_EQ(sheet.coefficient[1], QStringLiteral("0.15"));
    EXPECT_EQ(sheet.floorRequirement[1], QStringLiteral("6.0000"));
    EXPECT_TRUE(sheet.strongWind);
    for (const QString &factor : sheet.windFactor)
        EXPECT_EQ(factor, QStringLiteral("0.60"));
    EXPECT_EQ(sheet.projectedRequirement[0], QStringLiteral("18.0000"));
    EXPECT_EQ(sheet.judgement[0][JudgeNecessary0], QStringLiteral("29.0000"));
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], QStringLiteral("2.0"));
    EXPECT_EQ(sheet.row(0, 0)[ColEffective0], QStringLiteral("7.2800"));
    EXPECT_EQ(sheet.judgement[0][JudgeResult0], QStringLiteral("25.1% "));
    // The third storey does not exist: its rows are loaded, not evaluated,
    // but its requirements are (Long_calc runs for all three storeys).
    EXPECT_EQ(sheet.row(2, 0)[ColKind], QStringLiteral("木材"));
    EXPECT_TRUE(sheet.row(2, 0)[ColMultiplier0].isEmpty());
    EXPECT_EQ(sheet.judgement[2][JudgeNecessary0], QStringLiteral("5.4000"));
    EXPECT_FALSE(sheet.changed);

    // Off: the factors follow the toggle to "0.50".
    d.strongWind = false;
    ApplyCalcFile(sheet, d, 60);
    EXPECT_FALSE(sheet.strongWind);
    EXPECT_EQ(sheet.windFactor[5], QStringLiteral("0.50"));
    EXPECT_EQ(sheet.projectedRequirement[0], QStringLiteral("15.0000"));
}

TEST(CalcFileApply, RefusedNumbersAreSavedAsTheFileHeldThem)
{
    // The sheet leaves a refused number empty and its storey short of "OK";
    // a save keeps the number as the file held it, so the sheet reopens
    // the same way rather than judged without it.
    CalcFileData d;
    d.floorArea[0] = QStringLiteral("x50");
    d.projectedArea[3] = QStringLiteral("-5");
    d.rows[0][0] = {QStringLiteral("木材"), QStringLiteral("1.5×9"), QStringLiteral("しない"),
                    QStringLiteral("3.×9"), QStringLiteral("2"), QString(), QString()};
    d.rows[0][1] = {QStringLiteral("土塗壁"), QString(), QString(), QStringLiteral("1.82"),
                    QStringLiteral("2") + QChar(0x1F600), QString(), QString()};
    CalcSheet sheet;
    ASSERT_EQ(ApplyCalcFile(sheet, d, WallCoefficientDefault).size(), 4u);
    const CalcFileData saved = CalcFileDataOf(sheet);
    EXPECT_EQ(saved.floorArea[0], QStringLiteral("x50"));
    EXPECT_EQ(saved.projectedArea[3], QStringLiteral("-5"));
    EXPECT_EQ(saved.rows[0][0][3], QStringLiteral("3.×9"));
    EXPECT_EQ(saved.rows[0][1][4], QStringLiteral("?"));   // CP932 cannot hold it as it was
    ASSERT_TRUE(EncodeCalcFile(saved).error.isEmpty());

    CalcSheet reopened;
    EXPECT_EQ(ApplyCalcFile(reopened, parse(EncodeCalcFile(saved).bytes), WallCoefficientDefault).size(), 4u);
    for (int s = 0; s < StoreyCount; ++s)
        EXPECT_EQ(reopened.judgement[s].cells, sheet.judgement[s].cells);

    // Sorted (土 before 木), the number moves with its row; typed again, it
    // is the user's.
    sheet.SortFramingRows(0);
    EXPECT_EQ(CalcFileDataOf(sheet).rows[0][0][4], QStringLiteral("?"));
    EXPECT_EQ(CalcFileDataOf(sheet).rows[0][1][3], QStringLiteral("3.×9"));
    struct Quiet : EditPrompter {
        void notANumber() override {}
        void invalidNumber() override {}
        bool confirmLongLength() override { return true; }
    } quiet;
    sheet.row(0, 1)[ColLength0] = QStringLiteral("1.82");
    sheet.AfterEdit(0, 1, ColLength0, quiet);
    EXPECT_EQ(CalcFileDataOf(sheet).rows[0][1][3], QStringLiteral("  1.82"));
}

TEST(CalcFileApply, CertifiedWallPositionOutsideTheListChoosesTheFirst)
{
    const CertifiedWallList walls{{QStringLiteral("A壁"), 2.5f, QStringLiteral("A壁：倍率2.5")},
                                  {QStringLiteral("B壁"), 3.0f, QStringLiteral("B壁：倍率3")}};
    CalcSheet sheet(&walls);
    CalcFileData d;
    const std::pair<int, int> cases[] = {{1, 1}, {-1, -1}, {2, 0}, {100, 0}, {-2, 0}, {0, 0}};
    for (const auto &[stored, chosen] : cases) {
        d.certifiedChoice = stored;
        ApplyCalcFile(sheet, d, WallCoefficientDefault);
        EXPECT_EQ(sheet.certifiedChoice, chosen) << stored;
    }

    // No wall registered: the placeholder is position 0.
    CalcSheet bare;
    d.certifiedChoice = 1;
    ApplyCalcFile(bare, d, WallCoefficientDefault);
    EXPECT_EQ(bare.certifiedChoice, 0);
    EXPECT_EQ(bare.chosenWall(), nullptr);

    // The certified kind of a row is evaluated with the list's multiplier.
    d.certifiedChoice = 0;
    d.rows[0][0] = {QStringLiteral("A壁+鉄筋"), QStringLiteral("-"), QStringLiteral("-"),
                    QStringLiteral("  1.0"), QStringLiteral("1"), QString(), QString()};
    ApplyCalcFile(sheet, d, WallCoefficientDefault);
    EXPECT_EQ(sheet.row(0, 0)[ColMultiplier0], QStringLiteral("3.5"));
}

TEST(CalcFileApply, NumbersThatAreNotNumbersAreLeftEmpty)
{
    CalcFileData d;
    d.floorArea[0] = QStringLiteral("１２０");
    d.projectedArea[0] = QStringLiteral("abc");
    d.projectedArea[3] = QStringLiteral(" 30 ");
    d.rows[0][0] = {QStringLiteral("木材"), QStringLiteral("3×9"), QStringLiteral("しない"),
                    QStringLiteral("x1.82"), QStringLiteral("2"), QStringLiteral("-1.82"), QStringLiteral("-2")};
    CalcSheet sheet;
    ApplyCalcFile(sheet, d, WallCoefficientDefault);
    EXPECT_TRUE(sheet.floorArea[0].isEmpty());
    EXPECT_TRUE(sheet.projectedArea[0].isEmpty());
    EXPECT_EQ(sheet.projectedArea[3], QStringLiteral(" 30 "));
    EXPECT_EQ(sheet.projectedRequirement[3], QStringLiteral("15.0000"));
    EXPECT_TRUE(sheet.row(0, 0)[ColLength0].isEmpty());
    EXPECT_EQ(sheet.row(0, 0)[ColPlaces0], QStringLiteral("2"));
    EXPECT_TRUE(sheet.row(0, 0)[ColLength1].isEmpty());
    EXPECT_TRUE(sheet.row(0, 0)[ColPlaces1].isEmpty());
    EXPECT_EQ(sheet.judgement[0][JudgeSum0], QStringLiteral("0.0000"));
}

TEST(CalcFileApply, NumbersGoThroughTheChecksOfTypedEntries)
{
    // What each cell of a file becomes: what typing the same text would
    // leave, a refused one empty and reported.
    const struct {
        const char *text;
        int column;          // ColLength0 or ColPlaces0
        const char *cell;    // what the sheet holds
        bool refused;
    } cases[] = {
        {"1.82", ColLength0, "  1.82", false},
        {"12.5000", ColLength0, " 12.5", false},
        {"1.823456", ColLength0, "  1.8235", false},
        {"1e38", ColLength0, "", true},      // its effective length would not add up
        {"-1", ColLength0, "", true},
        {"2.0", ColPlaces0, "2", false},
        {"2.5", ColPlaces0, "", true},       // places are counted, never rounded
        {"1.82", ColPlaces0, "", true},
        {"40000", ColPlaces0, "", true},
        {"x", ColPlaces0, "", true},
    };
    for (const auto &c : cases) {
        CalcFileData d;
        d.floorArea[0] = QStringLiteral("50");
        d.rows[0][0] = {QStringLiteral("木材"), QStringLiteral("1.5×9"), QStringLiteral("しない"),
                        QStringLiteral("  1.82"), QStringLiteral("2"), QString(), QString()};
        d.rows[0][0][c.column == ColLength0 ? 3 : 4] = QString::fromUtf8(c.text);
        CalcSheet sheet;
        const std::vector<RefusedCell> refused = ApplyCalcFile(sheet, d, WallCoefficientDefault);
        EXPECT_EQ(sheet.row(0, 0)[c.column], QString::fromUtf8(c.cell)) << c.text;
        ASSERT_EQ(refused.size(), c.refused ? 1u : 0u) << c.text;
        if (c.refused) {
            EXPECT_EQ(RefusedCellText(refused[0]),
                      QStringLiteral("一階 1行目 桁に平行な") + Str(S::FramingColumnHeaders + c.column)
                          + QStringLiteral(" \"") + QString::fromUtf8(c.text) + QLatin1Char('"'));
        }
    }

    // Areas: a negative one is refused like a negative length.
    CalcFileData d;
    d.projectedArea[4] = QStringLiteral("-5");
    CalcSheet sheet;
    const std::vector<RefusedCell> refused = ApplyCalcFile(sheet, d, WallCoefficientDefault);
    EXPECT_TRUE(sheet.projectedArea[4].isEmpty());
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(RefusedCellText(refused[0]), QStringLiteral("二階 見付面積(D) \"-5\""));
    EXPECT_TRUE(RefusedCellsMessage(refused).endsWith(QStringLiteral("\n二階 見付面積(D) \"-5\"")));
}
