#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"

#include "SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace quiren;

namespace {

void setSetting(const char *key, const QString &text)
{
    WriteQuiren(QStringLiteral("Settings"), QString::fromLatin1(key), text);
}

} // namespace

using SettingsStore = FreshSettings;

TEST_F(SettingsStore, FirstStartGivesTheDefaultsAndWritesNothing)
{
    EXPECT_EQ(ReadWallCoefficient(), 51);
    EXPECT_TRUE(ReadPafKind());
    EXPECT_EQ(ReadModule(), 0);
    EXPECT_TRUE(ReadOnList());
    const MainPlacement p = ReadMainPlacement();
    EXPECT_EQ(p.left, 1000.0f);
    EXPECT_EQ(p.top, 1000.0f);
    EXPECT_EQ(p.width, 11000.0f);
    EXPECT_EQ(p.height, 8000.0f);
    EXPECT_EQ(ReadAppPath(), QString());
    // Never the program's folder (/usr/bin once installed): the user's.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString users = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    EXPECT_EQ(ReadJwPath(QStringLiteral("/usr/bin")), users + QLatin1Char('/'));
    EXPECT_EQ(ReadQuiren("OpenFiles", "RecentFile1"), QString());
    EXPECT_TRUE(ReadSection(QStringLiteral("Quiren"), QStringLiteral("OpenFiles")).isEmpty());

    AppData data;
    data.programFolder = test::makeScratchDir(QStringLiteral("first-start-program"));
    LoadOptionData(data);
    EXPECT_TRUE(data.walls.isEmpty());
    EXPECT_EQ(data.office.type(), QStringLiteral("True"));
    EXPECT_TRUE(data.office.firstClass());
    EXPECT_EQ(data.office.print(), QStringLiteral("0"));
    EXPECT_FALSE(data.office.printed());
    for (int f = OfficeData::Name; f <= OfficeData::Fax; ++f)
        EXPECT_TRUE(data.office[f].isEmpty()) << f;

    EXPECT_FALSE(QFileInfo::exists(iniPath("Quiren")));
}

TEST_F(SettingsStore, ValuesOfTheWrongKindTakeTheKeysDefault)
{
    const struct {
        const char *text;
        int expected;
    } coefficients[] = {{"abc", 51}, {"200", 51}, {"50", 51}, {"76", 51}, {"60.5", 51},
                        {"", 51},    {"75", 75},  {"60", 60}, {" 52 ", 52}};
    for (const auto &c : coefficients) {
        setSetting("WallCoefficeient", QString::fromUtf8(c.text));
        EXPECT_EQ(ReadWallCoefficient(), c.expected) << c.text;
    }

    const struct {
        const char *text;
        int expected;
    } modules[] = {{"9", 0}, {"-1", 0}, {"x", 0}, {"1.5", 0}, {"3", 3}, {"2", 2}};
    for (const auto &m : modules) {
        setSetting("Mod", QString::fromUtf8(m.text));
        EXPECT_EQ(ReadModule(), m.expected) << m.text;
    }

    const struct {
        const char *text;
        bool expected;
    } booleans[] = {{"maybe", true}, {"", true},    {"True", true}, {"true", true}, {"-1", true},
                    {"1", true},     {"False", false}, {"FALSE", false}, {"0", false}};
    for (const auto &b : booleans) {
        setSetting("PafKind", QString::fromUtf8(b.text));
        EXPECT_EQ(ReadPafKind(), b.expected) << b.text;
        setSetting("OnList", QString::fromUtf8(b.text));
        EXPECT_EQ(ReadOnList(), b.expected) << b.text;
    }

    setSetting("MainLeft", "abc");
    setSetting("MainTop", "-500");
    setSetting("MainWidth", "0");
    setSetting("MainHeight", "1e40");
    const MainPlacement p = ReadMainPlacement();
    EXPECT_EQ(p.left, 1000.0f);
    EXPECT_EQ(p.top, -500.0f);
    EXPECT_EQ(p.width, 11000.0f);
    EXPECT_EQ(p.height, 8000.0f);

    setSetting("JW_Path", "");
    EXPECT_NE(ReadJwPath(QStringLiteral("/opt/q")), QStringLiteral("/opt/q/"));
    setSetting("JW_Path", "/home/u/jw/");
    EXPECT_EQ(ReadJwPath(QStringLiteral("/opt/q")), QStringLiteral("/home/u/jw/"));
}

TEST_F(SettingsStore, EveryValueIsKeptAsTheTextWritten)
{
    const QString texts[] = {QStringLiteral("True"),       QStringLiteral("1000"),
                             QStringLiteral("東京都, 千代田区"), QStringLiteral("  lead and trail  "),
                             QStringLiteral("@Variant(x)"), QStringLiteral("a;b=c\"d\\e"),
                             QStringLiteral("")};
    int i = 0;
    for (const QString &text : texts) {
        const QString key = QStringLiteral("K%1").arg(i++);
        WriteQuiren(QStringLiteral("OfficeData"), key, text);
        EXPECT_EQ(ReadQuiren(QStringLiteral("OfficeData"), key, QStringLiteral("default")), text);
    }

    WriteOnList(false);
    WritePafKind(true);
    WriteWallCoefficient(60);
    WriteModule(2);
    WriteMainPlacement({1000.5f, 200.0f, 11000.0f, 8000.25f});
    const QByteArray ini = test::readAll(iniPath("Quiren"));
    EXPECT_TRUE(ini.contains("OnList=False")) << ini.constData();
    EXPECT_TRUE(ini.contains("PafKind=True"));
    EXPECT_TRUE(ini.contains("WallCoefficeient=60"));
    EXPECT_TRUE(ini.contains("Mod=2"));
    EXPECT_TRUE(ini.contains("MainLeft=1000.5"));
    EXPECT_TRUE(ini.contains("MainTop=200\n"));
    EXPECT_EQ(ReadQuiren("Settings", "MainHeight"), QStringLiteral("8000.25"));
    EXPECT_FALSE(ReadOnList());
    EXPECT_EQ(ReadWallCoefficient(), 60);
    EXPECT_EQ(ReadModule(), 2);

    // A value someone typed into the file by hand with a bare comma.
    QFile file(iniPath("Quiren"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n[Hand]\nAddress=a, b\n");
    file.close();
    EXPECT_EQ(ReadQuiren("Hand", "Address"), QStringLiteral("a, b"));
}

TEST_F(SettingsStore, NewSheetsFollowTheRuleSetNamedOrTheOldBoolean)
{
    // An earlier version's file holds only the boolean.
    const struct {
        const char *rules;     // "NewSheetRules", nullptr: absent
        const char *boolean;   // "NewSheet2025"
        RuleSetKind expected;
    } cases[] = {
        {nullptr, "False", RuleSetKind::Old}, {nullptr, "True", RuleSetKind::Rules2025},
        {nullptr, "", RuleSetKind::Rules2025}, {"old", "True", RuleSetKind::Old},
        {"2025", "False", RuleSetKind::Rules2025}, {"2030", "False", RuleSetKind::Old},
    };
    for (const auto &c : cases) {
        setSetting("NewSheet2025", QString::fromUtf8(c.boolean));
        if (c.rules)
            setSetting("NewSheetRules", QString::fromUtf8(c.rules));
        else
            DeleteSetting("Quiren", "Settings", "NewSheetRules");
        EXPECT_EQ(ReadNewSheetRules(), c.expected) << (c.rules ? c.rules : "-") << " " << c.boolean;
    }
    WriteNewSheetRules(RuleSetKind::Old);
    EXPECT_TRUE(test::readAll(iniPath("Quiren")).contains("NewSheetRules=old"));
}

TEST_F(SettingsStore, AValueTheFileAlreadyHoldsDoesNotRewriteIt)
{
    // "AppPath" is written at every start; the file must not be replaced
    // (and flushed to disk) when nothing changes. A rewrite goes through a
    // temporary file renamed over the old one, so it changes the inode.
    auto inode = [this] {
        struct stat info {};
        return ::stat(QFile::encodeName(iniPath("Quiren")).constData(), &info) == 0 ? info.st_ino : 0;
    };
    WriteAppPath(QStringLiteral("/opt/quiren"));
    const auto first = inode();
    ASSERT_NE(first, 0u);
    WriteAppPath(QStringLiteral("/opt/quiren"));
    EXPECT_EQ(inode(), first);

    WriteAppPath(QStringLiteral("/opt/quiren2"));
    EXPECT_NE(inode(), first);
    EXPECT_EQ(ReadAppPath(), QStringLiteral("/opt/quiren2"));
}

TEST_F(SettingsStore, AFileThatIsNotIniIsCopiedBeforeItIsRewritten)
{
    const QString path = iniPath("Quiren");
    auto put = [&path](const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    const QByteArray json = "{\"Settings\": {\"Mod\": 2}}\n";
    put(json);
    // Read: the defaults, and nothing is touched by reading.
    EXPECT_EQ(ReadModule(), 0);
    EXPECT_EQ(test::readAll(path), json);

    // The first write copies the file aside, then writes as usual.
    WriteAppPath(QStringLiteral("/opt/quiren"));
    EXPECT_EQ(test::readAll(path + QStringLiteral(".unreadable")), json);
    EXPECT_EQ(ReadAppPath(), QStringLiteral("/opt/quiren"));
    WriteModule(3);
    EXPECT_EQ(ReadModule(), 3);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".unreadable2")));

    // A file that is mostly good: what can be read is used, and the start-up
    // check copies the whole file (under a new name: the first copy stays)
    // to tell the user where.
    const QByteArray mixed = "[Settings]\nMod=2\nWallCoefficeient=60\n[Office\nthis is not a key\n";
    put(mixed);
    const QString copy = KeepUnreadableSettings(QStringLiteral("Quiren"));
    EXPECT_EQ(copy, path + QStringLiteral(".unreadable2"));
    EXPECT_EQ(test::readAll(copy), mixed);
    EXPECT_EQ(test::readAll(path + QStringLiteral(".unreadable")), json);
    EXPECT_EQ(ReadModule(), 2);
    EXPECT_EQ(ReadWallCoefficient(), 60);
    // Copied once: later writes do not copy again.
    WriteModule(1);
    EXPECT_TRUE(KeepUnreadableSettings(QStringLiteral("Quiren")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".unreadable3")));
    EXPECT_EQ(ReadModule(), 1);
    EXPECT_EQ(ReadWallCoefficient(), 60);
}

TEST_F(SettingsStore, SectionsReadWholeInKeyOrder)
{
    WriteQuiren("OpenFiles", "RecentFile2", "/b.qrn");
    WriteQuiren("OpenFiles", "RecentFile1", "/a.qrn");
    WriteQuiren("OpenFiles", "RecentFile3", "/c, d.qrn");
    WriteQuiren("Settings", "Mod", "1");
    const SettingPairs pairs = ReadSection("Quiren", "OpenFiles");
    ASSERT_EQ(pairs.size(), 3);
    EXPECT_EQ(pairs[0], qMakePair(QStringLiteral("RecentFile1"), QStringLiteral("/a.qrn")));
    EXPECT_EQ(pairs[1], qMakePair(QStringLiteral("RecentFile2"), QStringLiteral("/b.qrn")));
    EXPECT_EQ(pairs[2], qMakePair(QStringLiteral("RecentFile3"), QStringLiteral("/c, d.qrn")));

    DeleteSetting("Quiren", "OpenFiles", "RecentFile2");
    EXPECT_EQ(ReadSection("Quiren", "OpenFiles").size(), 2);
    EXPECT_TRUE(ReadSection("Quiren", "Nothing").isEmpty());
}

TEST_F(SettingsStore, TheMacrosSettingsAreReadButNeverWritten)
{
    // Absent: reads give empty texts and create nothing.
    EXPECT_EQ(ReadTsly(QStringLiteral("OfficeName")), QString());
    EXPECT_TRUE(ReadSection("Tsly", "suji").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(iniPath("Tsly")));

    WriteSetting("Tsly", "suji", "OfficeName", "x");
    DeleteSetting("Tsly", "suji", "OfficeName");
    EXPECT_FALSE(QFileInfo::exists(iniPath("Tsly")));

    // Present: read as they are; no call of ours changes the file.
    QDir().mkpath(configDir + "/Tsly");
    const QByteArray original = QStringLiteral("[suji]\nOfficeName=設計室\nType=2\nprint=Yes\n").toUtf8();
    test::writeAll(iniPath("Tsly"), original);
    EXPECT_EQ(ReadTsly(QStringLiteral("OfficeName")), QStringLiteral("設計室"));
    EXPECT_EQ(ReadTsly(QStringLiteral("Type")), QStringLiteral("2"));
    EXPECT_EQ(ReadTsly(QStringLiteral("Fax"), QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(ReadSection("Tsly", "suji").size(), 3);
    WriteSetting("Tsly", "suji", "OfficeName", "overwritten");
    WriteSetting("tsly", "suji", "print", "no");
    DeleteSetting("Tsly", "suji", "Type");
    EXPECT_EQ(test::readAll(iniPath("Tsly")), original);
}

TEST_F(SettingsStore, OfficeDataRoundTripsThroughItsNineKeys)
{
    OfficeData office;
    office[OfficeData::Type] = QStringLiteral("False");
    office[OfficeData::Name] = QStringLiteral("山田 太郎");
    office[OfficeData::RegstNumber] = QStringLiteral("123456");
    office[OfficeData::OfficeName] = QStringLiteral("山田設計事務所");
    office[OfficeData::OfficeRegst] = QStringLiteral("東京都知事 第1234号");
    office[OfficeData::Address] = QStringLiteral("東京都千代田区1-2-3, 4F");
    office[OfficeData::Tel] = QStringLiteral("03-1234-5678");
    office[OfficeData::Fax] = QString();
    office[OfficeData::Print] = QStringLiteral("1");
    SaveOfficeData(office);

    EXPECT_EQ(ReadQuiren("OfficeData", "Type"), QStringLiteral("False"));
    EXPECT_EQ(ReadQuiren("OfficeData", "OfficeRegst"), office.officeRegst());

    AppData data;
    data.programFolder = test::makeScratchDir(QStringLiteral("office-program"));
    LoadOptionData(data);
    EXPECT_EQ(data.office, office);
    EXPECT_FALSE(data.office.firstClass());
    EXPECT_TRUE(data.office.printed());
    EXPECT_EQ(OfficeData::key(OfficeData::RegstNumber), QStringLiteral("RegstNumber"));
    EXPECT_EQ(OfficeData::key(9), QString());
}

TEST_F(SettingsStore, AFileChangedByAnotherProgramIsReadAgain)
{
    // The file is parsed once and kept; a change on disk must still be seen.
    // (QSettings itself takes a file of the same size and time as unchanged.)
    const QString path = iniPath("Quiren");
    QDir().mkpath(QFileInfo(path).absolutePath());
    test::writeAll(path, "[Settings]\nMod=1\n");
    EXPECT_EQ(ReadModule(), 1);
    test::writeAll(path, "[Settings]\nMod=2\nOnList=False\n");
    EXPECT_EQ(ReadModule(), 2);
    EXPECT_FALSE(ReadOnList());
}

TEST_F(SettingsStore, AFileThatIsNotARegularFileOrFarTooLargeIsNeitherReadNorReplaced)
{
    const QString path = iniPath("Quiren");
    QDir().mkpath(QFileInfo(path).absolutePath());
    for (const char *kind : {"fifo", "large"}) {
        QFile::remove(path);
        if (QByteArray(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile large(path);
            ASSERT_TRUE(large.open(QIODevice::WriteOnly));
            large.write("[Settings]\nMod=3\n");
            large.resize(MaxSettingsFileSize + 1);
        }
        // A FIFO read from would wait for ever: the test would hang here.
        EXPECT_EQ(ReadModule(), 0) << kind;
        EXPECT_TRUE(SettingsFileProblem(QStringLiteral("Quiren")).contains(QDir::toNativeSeparators(path)))
            << kind;
        WriteModule(2);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(S_ISFIFO(info.st_mode), QByteArray(kind) == "fifo");
        EXPECT_EQ(info.st_size > MaxSettingsFileSize, QByteArray(kind) == "large");
    }
    QFile::remove(path);
    EXPECT_TRUE(SettingsFileProblem(QStringLiteral("Quiren")).isEmpty());
}

// A write that does not reach its file is reported with its reason: a home
// folder that cannot be written once lost the office data without a word,
// and the wall list said "no such file". A folder below a regular file
// fails for every user, root included.
TEST_F(SettingsStore, WritesThatFailAreReportedWithTheirReason)
{
    test::writeAll(configDir + QStringLiteral("/plain"), "x");
    const QString blocked = configDir + QStringLiteral("/plain/home");
    const QString notAFolder = QStringLiteral("ﾌｫﾙﾀﾞではありません");

    (void)TakeSettingsWriteProblem();
    SetSettingsFolder(blocked);
    OfficeData office;
    office.values[OfficeData::Name] = QStringLiteral("山田");
    SaveOfficeData(office);
    const QString settings = TakeSettingsWriteProblem();
    EXPECT_TRUE(settings.startsWith(QStringLiteral("設定を保存できません："))) << qPrintable(settings);
    EXPECT_TRUE(settings.contains(notAFolder)) << qPrintable(settings);
    EXPECT_TRUE(TakeSettingsWriteProblem().isEmpty());   // told once
    SetSettingsFolder(configDir);
    WriteModule(2);
    EXPECT_TRUE(TakeSettingsWriteProblem().isEmpty());

    // An installed program's wall list in a data folder that cannot be made.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
    AppData data;
    data.programFolder = QStringLiteral("/usr/lib/quiren-not-installed");
    data.walls = {CertifiedWall(QStringLiteral("壁"), 2.0f)};
    const WriteResult walls = SaveWallList(data);
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_FALSE(walls.ok);
    EXPECT_TRUE(walls.error.contains(notAFolder)) << qPrintable(walls.error);
}

TEST_F(SettingsStore, FilesWrittenBeforeReadAsTheyAlwaysDid)
{
    // Lines as earlier versions wrote them (Japanese as UTF-8, or as "\x"
    // escapes before that) and as people edit them by hand.
    const struct {
        const char *line;
        const char *expected;   // nullptr: the key's default
    } cases[] = {
        {"Name=山田建築設計事務所", "山田建築設計事務所"},
        {"Name=\\x5c71\\x7530\\x5efa\\x7bc9", "山田建築"},
        {"Address=\"東京都, 千代田区\"", "東京都, 千代田区"},
        {"Address=東京都,千代田区", "東京都, 千代田区"},
        {"Tel=\" 03-1234 \"", " 03-1234 "},
        {"Tel=  03-1234\t ; a comment", "03-1234"},
        {"Note=\"a;b=c\\\"d\\\\e\\n2行目\"", "a;b=c\"d\\e\n2行目"},
        {"Note=first \\\r\nsecond", "first second"},
        {"At=@@home", "@home"},
        {"Ctl=\\x1\\x61\\x62", "\x01" "ab"},
        {"Empty=", ""},
        {"Gone=@Invalid()", nullptr},
        {"%U4E8B%U52D9%U6240=\\t1\\t", "\t1\t"},
    };
    QDir().mkpath(QFileInfo(iniPath("Quiren")).absolutePath());
    for (const auto &c : cases) {
        QByteArray file = "[General]\nMod=3\r\n\n[OfficeData]\n";
        file += c.line;
        file += "\r\n";
        test::writeAll(iniPath("Quiren"), file);
        const QByteArray line(c.line);
        const QString key = line.startsWith('%') ? QStringLiteral("事務所") : QString::fromLatin1(line.left(line.indexOf('=')));
        EXPECT_EQ(ReadQuiren("OfficeData", key, "default"),
                  c.expected ? QString::fromUtf8(c.expected) : QStringLiteral("default"))
            << c.line;
        EXPECT_EQ(ReadSetting("Quiren", "", "Mod"), QStringLiteral("3"));
        EXPECT_TRUE(KeepUnreadableSettings("Quiren").isEmpty()) << c.line;
    }
}

TEST_F(SettingsStore, ATypedValueInTheFileStaysItsText)
{
    // A value claiming a serialized byte array of 2 GB: QSettings' INI
    // format would decode it (and other claims allocate gigabytes).
    QDir().mkpath(QFileInfo(iniPath("Quiren")).absolutePath());
    const QByteArray hostile = "@Variant(\\0\\0\\0\\f\\0\\x7f\\xff\\xff\\xf0)";
    test::writeAll(iniPath("Quiren"),
                   "[Settings]\nMod=" + hostile + "\nAppPath=@Rect(0 0 10 10)\n[OfficeData]\nTel="
                       + hostile + "\n");
    EXPECT_EQ(ReadModule(), 0);
    EXPECT_EQ(ReadAppPath(), QStringLiteral("@Rect(0 0 10 10)"));
    const QString text = ReadQuiren("OfficeData", "Tel");
    EXPECT_TRUE(text.startsWith(QStringLiteral("@Variant(\0\0\0\f\0\x7f\u00ff"))) << text.toStdString();

    // Written again as the text it read as, which QSettings reads the same.
    WriteModule(2);
    const QString copy = configDir + QStringLiteral("/copy.ini");
    ASSERT_TRUE(QFile::copy(iniPath("Quiren"), copy));
    QSettings plain(copy, QSettings::IniFormat);
    EXPECT_EQ(plain.value("OfficeData/Tel").toString(), text);
    EXPECT_EQ(plain.value("Settings/AppPath").toString(), QStringLiteral("@Rect(0 0 10 10)"));
    EXPECT_EQ(ReadQuiren("OfficeData", "Tel"), text);
}
