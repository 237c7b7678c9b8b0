#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WallListFile.h"

#include "SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

using namespace quiren;

namespace {

CertifiedWall wall(const QString &name, float multiplier)
{
    return {name, multiplier, WallDisplayLine(name, multiplier)};
}

QStringList names(const CertifiedWallList &walls)
{
    QStringList list;
    for (const CertifiedWall &w : walls)
        list.append(w.name);
    return list;
}

} // namespace

TEST(WallDisplayLine, NameThenShortestMultiplier)
{
    EXPECT_EQ(WallDisplayLine(QStringLiteral("A"), 2.5f), QStringLiteral("A：倍率2.5"));
    EXPECT_EQ(WallDisplayLine(QStringLiteral("A"), 3.0f), QStringLiteral("A：倍率3"));
    EXPECT_EQ(WallDisplayLine(QStringLiteral("B壁"), 1.5f), QStringLiteral("B壁：倍率1.5"));
    EXPECT_EQ(WallDisplayLine(QStringLiteral("C"), 0.5f), QStringLiteral("C：倍率0.5"));
    EXPECT_EQ(WallDisplayLine(QStringLiteral("D"), 1.365f), QStringLiteral("D：倍率1.365"));
}

TEST(WallListFile, ThreeWallsAreWrittenAndReadBackByteForByte)
{
    const QString dir = test::makeScratchDir(QStringLiteral("three-walls"));
    const QString path = WallListPath(dir);
    const CertifiedWallList walls{wall(QStringLiteral("A壁"), 2.5f), wall(QStringLiteral("B"), 3.0f),
                                  wall(QStringLiteral("耐力壁C"), 0.5f)};
    const WriteResult result = WriteWallListFile(path, walls);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.error.isEmpty());

    const QByteArray expected = QByteArray::fromHex("22" "4195c7" "22") + ",2.5\r\n"
        + "\"B\",3\r\n" + QByteArray::fromHex("22" "91cf97cd95c743" "22") + ",0.5\r\n";
    EXPECT_EQ(test::readAll(path), expected);

    const std::optional<CertifiedWallList> back = ReadWallList(path).walls;
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((*back)[i].name, walls[i].name);
        EXPECT_EQ((*back)[i].multiplier, walls[i].multiplier);
        EXPECT_EQ((*back)[i].displayLine, walls[i].displayLine);
    }
    EXPECT_EQ((*back)[1].displayLine, QStringLiteral("B：倍率3"));

    // Rewriting what was read gives the same bytes; an empty list an empty file.
    ASSERT_TRUE(WriteWallListFile(path, *back).ok);
    EXPECT_EQ(test::readAll(path), expected);
    ASSERT_TRUE(WriteWallListFile(path, {}).ok);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"WallListData"});
}

TEST(WallListFile, CodePageOnlyCharactersRoundTrip)
{
    const QString path = WallListPath(test::makeScratchDir(QStringLiteral("cp932-only")));
    const CertifiedWallList walls{wall(QStringLiteral("面材㎡壁"), 2.0f), wall(QStringLiteral("①号壁"), 1.0f),
                                  wall(QStringLiteral("髙ｱｲｳ"), 4.5f), wall(QStringLiteral("～壁"), 1.2f)};
    ASSERT_TRUE(WriteWallListFile(path, walls).ok);
    EXPECT_TRUE(test::readAll(path).startsWith(QByteArray::fromHex("22" "96ca8dde" "8775")));
    const std::optional<CertifiedWallList> back = ReadWallList(path).walls;
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(names(*back), names(walls));
    EXPECT_EQ((*back)[3].multiplier, 1.2f);
}

TEST(WallListFile, UnreadableLinesKeepTheirPositions)
{
    // Files name certified walls by position: a line that cannot be read
    // stands as a placeholder, so the walls after it stay where they were.
    // Multipliers are those the options window registers: above 0, at most
    // 5, two decimals at most.
    const QByteArray bytes = QByteArray("\"good1\",1.5\r\n")
        + "\"truncated\r\n"                 // line 2: no closing quote
        + "unquoted,2\r\n"
        + "\"letters\",abc\r\n"
        + "\"negative\",-1\r\n"
        + "\"too high\",99\r\n"
        + "\"zero\",0\r\n"
        + "\"three decimals\",2.125\r\n"
        + "\"nothing\",\r\n"
        + "\"\",1\r\n"                      // line 10: an empty name would match every kind
        + "\"thousands\",1,000\r\n"
        + "\"half\",.5\r\n"
        + "  \"blanks\" , 3.75 \r\n"
        + "\"LF only\",5\n"
        + "\r\n"                              // blank lines are no entries
        + QByteArray("\x81\x00\xff\xfe\"\x80", 6) + "\r\n"
        + "\"last, no line end\",4.5";
    const CertifiedWallList walls = ParseWallList(bytes);
    EXPECT_EQ(names(walls), (QStringList{"good1", "", "", "", "", "", "", "", "", "", "", "half",
                                         "blanks", "LF only", "", "last, no line end"}));
    EXPECT_EQ(UnreadWallLineNumbers(walls), (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16}));
    EXPECT_EQ(walls[12].multiplier, 3.75f);
    EXPECT_EQ(walls[5].displayLine, QStringLiteral("（6行目：読めません）"));
    EXPECT_EQ(walls[15].displayLine, QStringLiteral("last, no line end：倍率4.5"));
    const QString told = UnreadWallLinesMessage(walls);
    EXPECT_TRUE(told.contains(QStringLiteral("2行目、3行目"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("16行目"))) << told.toStdString();
    EXPECT_TRUE(UnreadWallLinesMessage(ParseWallList("\"A\",1\r\n")).isEmpty());

    // Written back, each unread line returns to its place unchanged.
    EXPECT_EQ(EncodeWallList(ParseWallList("\"A\",1\r\nbroken\r\n\"B\",2\r\n")).bytes,
              QByteArray("\"A\",1\r\nbroken\r\n\"B\",2\r\n"));

    // A multiplier too small for the single precision the list keeps is 0
    // once kept: refused like "0", never a wall the check would refuse.
    for (const QByteArray &tiny : {QByteArray("1e-50"), "0." + QByteArray(60, '0') + "1"})
        EXPECT_TRUE(ParseWallList("\"tiny\"," + tiny + "\r\n").value(0).isPlaceholder()) << tiny.constData();

    // Pure junk never crashes and yields nothing usable.
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 7919 + 13) % 256));
    EXPECT_LE(ParseWallList(junk).size(), MaxCertifiedWalls);
    EXPECT_TRUE(ParseWallList(QByteArray()).isEmpty());
}

TEST(WallListFile, ListEndsAtOneHundredAndOneWalls)
{
    QByteArray bytes;
    for (int i = 1; i <= 150; ++i)
        bytes += QStringLiteral("\"W%1\",1\r\n").arg(i).toLatin1();
    const CertifiedWallList walls = ParseWallList(bytes);
    ASSERT_EQ(walls.size(), MaxCertifiedWalls);
    EXPECT_EQ(walls.first().name, QStringLiteral("W1"));
    EXPECT_EQ(walls.last().name, QStringLiteral("W101"));
}

TEST(WallListFile, LinesNeverReadSurviveWritingTheList)
{
    // A list of 10,000 walls with a few lines that are not walls among them:
    // the program shows the first 101 walls; storing an edited list must not
    // take the other lines with it.
    const QString path = WallListPath(test::makeScratchDir(QStringLiteral("ten-thousand")));
    QByteArray bytes = "not a wall\r\n\r\n";
    for (int i = 1; i <= 10000; ++i)
        bytes += QStringLiteral("\"W%1\",1\r\n").arg(i).toLatin1();
    bytes += QByteArray("\"\x82\xa0\",\x82", 6) + "\n\"W10001\",2";   // a broken character, then no line end
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    CertifiedWallList walls = *ReadWallList(path).walls;
    ASSERT_EQ(walls.size(), MaxCertifiedWalls);
    EXPECT_TRUE(walls.first().isPlaceholder());
    EXPECT_EQ(walls.last().name, QStringLiteral("W100"));
    walls.removeAt(1);
    walls.append(wall(QStringLiteral("新しい壁"), 2.5f));
    ASSERT_TRUE(WriteWallListFile(path, walls).ok);

    const QByteArray written = test::readAll(path);
    const QList<QByteArray> lines = written.split('\n');
    EXPECT_EQ(lines.first(), "not a wall\r");
    EXPECT_EQ(lines[1], "\"W2\",1\r");
    EXPECT_EQ(lines[100], QByteArray("\"\x90\x56\x82\xb5\x82\xa2\x95\xc7\",2.5\r"));
    EXPECT_EQ(lines[101], "\"W101\",1\r");
    EXPECT_TRUE(written.endsWith(QByteArray("\"W10000\",1\r\n\"\x82\xa0\",\x82\r\n\"W10001\",2\r\n")));
    EXPECT_EQ(written.count('\n'), 101 + 9900 + 2);

    // What is read next time: the edited list; one wall less lets the next
    // one of the file in.
    EXPECT_EQ(names(*ReadWallList(path).walls), names(walls));
    walls.removeLast();
    ASSERT_TRUE(WriteWallListFile(path, walls).ok);
    EXPECT_EQ(ReadWallList(path).walls->last().name, QStringLiteral("W101"));
}

TEST(WallListFile, NamesThatCannotBeStoredAsTheyAre)
{
    const QString dir = test::makeScratchDir(QStringLiteral("awkward-names"));
    const QString path = WallListPath(dir);

    // A double quote becomes the full-width quote and the caller is told.
    QStringList renamed;
    ASSERT_TRUE(WriteWallListFile(path, {wall(QStringLiteral("A\"B"), 2.0f), wall("C", 1.0f)}, &renamed).ok);
    EXPECT_EQ(renamed, QStringList{"A\"B"});
    std::optional<CertifiedWallList> back = ReadWallList(path).walls;
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(names(*back), (QStringList{"A＂B", "C"}));

    // The wave dash of input methods is stored as CP932's tilde.
    EXPECT_EQ(StorableWallName(QStringLiteral("壁〜1")), QStringLiteral("壁～1"));

    // A character CP932 lacks is an error naming the wall; the old file stays.
    const QByteArray before = test::readAll(path);
    for (const QString &name : {QStringLiteral("Café wall"), QStringLiteral("壁😀")}) {
        const WriteResult result = WriteWallListFile(path, {wall("ok", 1.0f), wall(name, 2.0f)});
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(name)) << result.error.toStdString();
        EXPECT_EQ(test::readAll(path), before);
    }
    const WriteResult negative = WriteWallListFile(path, {wall("minus", -1.0f)});
    EXPECT_FALSE(negative.ok);
    EXPECT_TRUE(negative.error.contains("minus"));
    EXPECT_EQ(test::readAll(path), before);
}

TEST(WallListFile, AFolderThatCannotBeWrittenIsReportedWithTheReason)
{
    // A path below a regular file fails for every user, root included.
    const QString dir = test::makeScratchDir(QStringLiteral("not-a-folder"));
    test::writeAll(dir + "/plain", "x");
    const WriteResult below = WriteWallListFile(WallListPath(dir + "/plain"), {wall("A", 1.0f)});
    EXPECT_FALSE(below.ok);
    EXPECT_TRUE(below.error.contains(dir + "/plain")) << below.error.toStdString();
    EXPECT_GT(below.error.size(), (dir + "/plain: ").size());
}

TEST(WallListFile, AReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: a read-only folder does not stop root from writing";
    const QString dir = test::makeScratchDir(QStringLiteral("read-only"));
    const QString path = WallListPath(dir);
    ASSERT_TRUE(WriteWallListFile(path, {wall("old", 1.0f)}).ok);
    const QByteArray before = test::readAll(path);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const WriteResult result = WriteWallListFile(path, {wall("new", 2.0f)});
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(test::readAll(path), before);
}

using OptionData = FreshSettings;

TEST_F(OptionData, LoadReadsBesideTheRunningProgramAndAMissingFileKeepsTheList)
{
    // "AppPath" still names the folder of an earlier run (the program was
    // moved, or the settings could not be written): the list beside the
    // running program is the one qrn reads too.
    const QString oldFolder = test::makeScratchDir(QStringLiteral("program-old"));
    const QString newFolder = test::makeScratchDir(QStringLiteral("program-new"));
    ASSERT_TRUE(WriteWallListFile(WallListPath(oldFolder), {wall("Old", 5.0f)}).ok);
    ASSERT_TRUE(WriteWallListFile(WallListPath(newFolder), {wall("New", 2.5f), wall("Two", 3.0f)}).ok);

    AppData data;
    data.programFolder = newFolder;
    WriteAppPath(oldFolder);
    LoadOptionData(data);
    EXPECT_EQ(names(data.walls), (QStringList{"New", "Two"}));
    EXPECT_EQ(data.wallDisplayLines(), (QStringList{"New：倍率2.5", "Two：倍率3"}));

    data.programFolder = test::makeScratchDir(QStringLiteral("program-empty"));
    LoadOptionData(data);
    EXPECT_EQ(names(data.walls), (QStringList{"New", "Two"}));
}

TEST_F(OptionData, SaveWritesBesideTheProgramAndShowsWhatWasStored)
{
    AppData data;
    data.programFolder = test::makeScratchDir(QStringLiteral("program-save"));
    data.walls = {wall("Q\"wall", 2.0f), wall("Plain", 1.5f)};
    QStringList renamed;
    const WriteResult result = SaveWallList(data, &renamed);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(renamed, QStringList{"Q\"wall"});
    EXPECT_EQ(data.walls[0].name, QStringLiteral("Q＂wall"));
    EXPECT_EQ(data.walls[0].displayLine, QStringLiteral("Q＂wall：倍率2"));

    AppData again;
    again.programFolder = data.programFolder;
    LoadOptionData(again);
    EXPECT_EQ(again.wallDisplayLines(), data.wallDisplayLines());
}

TEST_F(OptionData, AnInstalledProgramKeepsTheListInTheUsersDataFolder)
{
    // Run from a folder of the user's (the build folder): beside the program.
    const QString own = test::makeScratchDir(QStringLiteral("program-own"));
    EXPECT_EQ(WallListStorePath(own), WallListPath(own));

    // Installed under /usr: the user's data folder, for reading and writing.
    AppData data;
    data.programFolder = QStringLiteral("/usr/lib/quiren-not-installed");
    const QString users = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/Quiren/WallListData");
    EXPECT_EQ(WallListStorePath(data.programFolder), users);
    EXPECT_EQ(WallListSourcePath(data.programFolder), WallListPath(data.programFolder));
    data.walls = {wall("Mine", 2.5f)};
    ASSERT_TRUE(SaveWallList(data).ok);
    EXPECT_EQ(WallListSourcePath(data.programFolder), users);
    AppData again;
    again.programFolder = data.programFolder;
    LoadOptionData(again);
    EXPECT_EQ(names(again.walls), QStringList{"Mine"});
}

TEST(WallListFile, AFileThatCannotBeReadIsNamedAndNeverReplaced)
{
    const QString dir = test::makeScratchDir(QStringLiteral("walls-refused"));
    const QString fifo = dir + "/fifo/WallListData";
    const QString large = dir + "/large/WallListData";
    QDir().mkpath(dir + "/fifo");
    QDir().mkpath(dir + "/large");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray big = "\"A\",1\r\n" + QByteArray(MaxWallListFileSize, '#');
    test::writeAll(large, big);

    for (const QString &path : {fifo, large}) {
        // A FIFO read from would wait for ever: the test would hang here.
        const WallListRead read = ReadWallList(path);
        EXPECT_FALSE(read.walls.has_value());
        EXPECT_TRUE(read.problem.contains(path)) << read.problem.toStdString();
        EXPECT_FALSE(WriteWallListFile(path, {wall("B", 2.0f)}).ok);
    }
    EXPECT_EQ(test::readAll(large), big);
    struct stat info {};
    EXPECT_TRUE(::stat(QFile::encodeName(fifo).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(ReadWallList(dir + "/missing").problem.isEmpty());
}
