// The qrn tool, run as users run it: on the example files, on files it
// cannot read, and for its help.
#include "TestSupport.h"

#include "core/calc/QuasiBearingWall.h"
#include "core/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

namespace {

struct QrnRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs build/bin/qrn with the test's own settings folder (XDG_CONFIG_HOME is
// set by the test main and inherited).
QrnRun qrn(const QStringList &args)
{
    QProcess process;
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process.start(QStringLiteral(QUIREN_BIN_DIR "/qrn"), args);
    QrnRun run;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "qrn did not finish";
        process.kill();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString example(const char *name)
{
    return QStringLiteral(QUIREN_SOURCE_DIR "/examples/") + QLatin1String(name);
}

QStringList texts(const QJsonValue &pair)
{
    QStringList list;
    for (const QJsonValue &v : pair.toArray())
        list << v.toString();
    return list;
}

} // namespace

TEST(Qrn, ShowPrintsTheHeaderAreasFramingAndJudgementOfEveryStorey)
{
    const QrnRun run = qrn({QStringLiteral("show"), example("nikai.qrn"), example("hiraya.qrn")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QString &out = run.out;
    for (const char *expected : {"鈴木邸新築工事（瓦葺）", "二階建て", "重い屋根又は壁", "田中邸新築工事",
                                 "平屋建て", "21.8592", "桁に平行な壁面の見付面積：Ｄ", "土塗り壁+木材",
                                 "80.4%", "有効長さ(m)"}) {
        EXPECT_TRUE(out.contains(QString::fromUtf8(expected))) << expected;
    }
    // The judgement rows line up: each row of the judgement table is as wide
    // as its header, counted in terminal columns.
    const QStringList lines = out.split(QLatin1Char('\n'));
    const qsizetype head = lines.indexOf(QStringLiteral("判定  必要長さ  有効長さ  有効率  必要長さ  有効長さ  有効率"));
    ASSERT_GE(head, 0) << out.toStdString();
    EXPECT_TRUE(lines[head + 1].startsWith(QStringLiteral("一階   21.8592   29.1200      OK   22.6500   18.2000   80.4%")))
        << lines[head + 1].toStdString();
}

TEST(Qrn, JsonHoldsTheTextsTheWindowShows)
{
    const QrnRun run = qrn({QStringLiteral("show"), QStringLiteral("--json"), example("sankai-kyofu.qrn")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonObject root = doc.object();
    EXPECT_EQ(root.value(QStringLiteral("title")).toString(), QStringLiteral("高橋ビル新築工事, 3階建て住宅"));
    EXPECT_EQ(root.value(QStringLiteral("storeyCount")).toInt(), 3);
    EXPECT_EQ(root.value(QStringLiteral("weight")).toInt(), 0);
    EXPECT_TRUE(root.value(QStringLiteral("strongWind")).toBool());
    EXPECT_EQ(root.value(QStringLiteral("certifiedWall")).toInt(), 0);

    const QJsonArray storeys = root.value(QStringLiteral("storeys")).toArray();
    ASSERT_EQ(storeys.size(), 3);
    const QJsonObject third = storeys[2].toObject();
    EXPECT_EQ(third.value(QStringLiteral("floorArea")).toString(), QStringLiteral("41.4"));
    EXPECT_EQ(third.value(QStringLiteral("coefficient")).toString(), QStringLiteral("0.18"));
    EXPECT_EQ(third.value(QStringLiteral("floorRequirement")).toString(), QStringLiteral("7.4520"));
    EXPECT_EQ(texts(third.value(QStringLiteral("windFactor"))), (QStringList{"0.51", "0.51"}));
    EXPECT_EQ(texts(third.value(QStringLiteral("projectedRequirement"))), (QStringList{"8.4150", "9.7920"}));
    EXPECT_EQ(texts(third.value(QStringLiteral("necessary"))), (QStringList{"8.4150", "9.7920"}));
    EXPECT_EQ(texts(third.value(QStringLiteral("sum"))), (QStringList{"8.1900", "8.1900"}));
    EXPECT_EQ(texts(third.value(QStringLiteral("judgement"))), (QStringList{"97.3% ", "83.6% "}));

    const QJsonArray rows = third.value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 7);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("kind")).toString(), QStringLiteral("木材"));
    EXPECT_EQ(first.value(QStringLiteral("xBracing")).toString(), QStringLiteral("する"));
    EXPECT_EQ(texts(first.value(QStringLiteral("length"))), (QStringList{"  0.91", "  0.91"}));
    EXPECT_EQ(texts(first.value(QStringLiteral("multiplier"))), (QStringList{"3.0", "3.0"}));
    const QJsonObject empty = rows[6].toObject();
    EXPECT_EQ(empty.value(QStringLiteral("kind")).toString(), QString());
    EXPECT_EQ(texts(empty.value(QStringLiteral("effective"))), (QStringList{"", ""}));
    EXPECT_EQ(storeys[0].toObject().value(QStringLiteral("rows")).toArray().size(), 9);
}

TEST(Qrn, CheckExitsByTheWorstFile)
{
    QrnRun run = qrn({QStringLiteral("check"), example("hiraya.qrn")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("hiraya.qrn: OK")));

    run = qrn({QStringLiteral("check"), example("hiraya.qrn"), example("nikai.qrn"), example("sankai-kyofu.qrn")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("nikai.qrn: 一階 梁に平行な壁面")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("sankai-kyofu.qrn: 三階 桁に平行な壁面")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("sankai-kyofu.qrn: 三階 梁に平行な壁面")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("二階")));

    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-check"));
    const QString empty = dir + QStringLiteral("/empty.qrn");
    quiren::test::writeAll(empty, QByteArray());
    run = qrn({QStringLiteral("check"), example("nikai.qrn"), empty});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.contains(QStringLiteral("nikai.qrn: 一階")));   // the readable file is still checked

    // A passing file with a number the sheet cannot take is not OK, and the
    // cell is named.
    QByteArray bytes = quiren::test::readAll(example("hiraya.qrn"));
    bytes.replace("\"  0.91\",\"6\",\"  0.91\",\"6\"", "\"1e38\",\"6\",\"  0.91\",\"6\"");
    const QString huge = dir + QStringLiteral("/huge.qrn");
    quiren::test::writeAll(huge, bytes);
    run = qrn({QStringLiteral("check"), huge});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("huge.qrn: 一階 1行目 桁に平行な軸組長さ(m) \"1e38\"")))
        << qPrintable(run.out);
    EXPECT_FALSE(run.out.contains(QStringLiteral(": OK")));
}

TEST(Qrn, UnreadableFilesGetTheProgramsMessagesAndStatusTwo)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-bad"));
    const QString missing = dir + QStringLiteral("/missing.qrn");
    const QString binary = dir + QStringLiteral("/binary.qrn");
    QByteArray junk(2000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>(i * 131 % 256);
    quiren::test::writeAll(binary, junk);

    for (const QString &command : {QStringLiteral("show"), QStringLiteral("check")}) {
        QrnRun run = qrn({command, missing});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.trimmed(), missing + QStringLiteral("ﾌｧｲﾙを開けません。"));
        EXPECT_TRUE(run.out.isEmpty());

        run = qrn({command, binary});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("Quirenのデータファイルではありません。")));

        // A folder: show cannot open it; check takes the sheets inside.
        run = qrn({command, dir});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(command == QLatin1String("show") ? QStringLiteral("ﾌｧｲﾙを開けません。")
                                                                     : binary + QStringLiteral(": Quirenのデータファイルではありません。")))
            << run.err.toStdString();
    }
    EXPECT_EQ(qrn({QStringLiteral("show")}).status, 2);
    EXPECT_EQ(qrn({QStringLiteral("frobnicate")}).status, 2);
}

TEST(Qrn, HelpExplainsTheCommandsInJapaneseAndEnglish)
{
    const QrnRun run = qrn({QStringLiteral("--help")});
    EXPECT_EQ(run.status, 0);
    for (const char *expected : {"使い方", "Usage", "qrn show", "qrn check", "終了コード", "Exit status"})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(expected))) << expected;
}

TEST(Qrn, ReadsTheProgramsSettings)
{
    // The strong-wind factor is read when the file's option is switched on,
    // the direction captions follow "PafKind".
    quiren::WriteWallCoefficient(60);
    quiren::WritePafKind(false);
    const QrnRun json = qrn({QStringLiteral("show"), QStringLiteral("--json"), example("sankai-kyofu.qrn")});
    const QrnRun text = qrn({QStringLiteral("show"), example("sankai-kyofu.qrn")});
    quiren::DeleteSetting(QStringLiteral("Quiren"), QStringLiteral("Settings"), QStringLiteral("WallCoefficeient"));
    quiren::DeleteSetting(QStringLiteral("Quiren"), QStringLiteral("Settings"), QStringLiteral("PafKind"));

    const QJsonObject first = QJsonDocument::fromJson(json.out.toUtf8())
                                  .object()
                                  .value(QStringLiteral("storeys"))
                                  .toArray()
                                  .at(0)
                                  .toObject();
    EXPECT_EQ(texts(first.value(QStringLiteral("windFactor"))), (QStringList{"0.60", "0.60"}));
    EXPECT_EQ(texts(first.value(QStringLiteral("projectedRequirement"))), (QStringList{"37.4400", "43.0800"}));
    EXPECT_TRUE(text.out.contains(QStringLiteral("梁間方向壁面の見付面積：Ａ")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("桁行方向壁面")));
}

TEST(Qrn, ConvertTakesACalcFileToASheetFileAndBack)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-convert"));
    const QString sheet = dir + QStringLiteral("/nikai.qrn2");
    const QString back = dir + QStringLiteral("/back.qrn");
    QrnRun run = qrn({QStringLiteral("convert"), example("nikai.qrn"), QStringLiteral("-o"), sheet});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), sheet);
    run = qrn({QStringLiteral("convert"), sheet, QStringLiteral("-o"), back});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(quiren::test::readAll(back), quiren::test::readAll(example("nikai.qrn")));

    // Every command reads the new file as it reads the old one.
    const QString shownOld = qrn({QStringLiteral("show"), example("nikai.qrn")}).out;
    const QString shownNew = qrn({QStringLiteral("show"), sheet}).out;
    EXPECT_EQ(shownNew.section(QLatin1Char('\n'), 1), shownOld.section(QLatin1Char('\n'), 1));
    EXPECT_TRUE(shownNew.contains(QStringLiteral("旧基準")));
    const QJsonObject json = QJsonDocument::fromJson(qrn({QStringLiteral("show"), QStringLiteral("--json"), sheet}).out.toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("rules")).toString(), QStringLiteral("old"));
    EXPECT_FALSE(json.contains(QStringLiteral("seismic")));
    EXPECT_EQ(qrn({QStringLiteral("check"), sheet}).status, 1);

    EXPECT_EQ(qrn({QStringLiteral("convert"), example("nikai.qrn"), QStringLiteral("-o"), dir + QStringLiteral("/x.txt")}).status, 2);
    EXPECT_EQ(qrn({QStringLiteral("convert"), sheet, QStringLiteral("-o"), sheet}).status, 2);

    // A hand-edited file with texts the window would drop converts into a
    // file that opens, and says what it left out.
    const QString edited = dir + QStringLiteral("/edited.qrn2");
    run = qrn({QStringLiteral("convert"), QStringLiteral(QUIREN_SOURCE_DIR "/fuzz/seeds/calcfile/unquoted-and-junk.qrn"),
               QStringLiteral("-o"), edited});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("空にしました")));
    EXPECT_EQ(qrn({QStringLiteral("show"), edited}).status, 0);
}

// A sheet under the 2025 rules with a typed Lw: storey 1 has 50 m², Lw 41,
// so the seismic length is 41 × 50 / 100 = 20.5 m. A gypsum-board quasi
// wall (base 0.9, panel 240 cm, clear height 284.4 cm) has 0.9 × 0.6 ×
// 240 / 284.4 = 0.4557, truncated to 0.45; 0.91 m at 3 places gives 1.2285 m.
TEST(Qrn, SheetsUnderThe2025RulesShowTheirSeismicSideAndQuasiWalls)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-2025"));
    const QString file = dir + QStringLiteral("/new.qrn2");
    quiren::test::writeAll(file, QStringLiteral(R"({"format": "quiren-sheet", "version": 1, "rules": "2025",
        "title": "新基準の家", "storeyCount": 1,
        "seismic": {"method": "typed", "typedLw": ["41", ""]},
        "storeys": [{"floorArea": "50", "projectedArea": ["20", "20"],
          "rows": [{"kind": "構造用合板", "section": "-", "xBracing": "-", "length": ["3.64", "3.64"], "places": ["4", "4"]}],
          "quasiWalls": [{"kind": "%1", "base": "0.9", "panelHeight": "240", "clearHeight": "284.4",
                          "length": ["0.91", ""], "places": ["3", ""]}]}]})")
                                     .arg(quiren::QuasiTypedBaseKind)
                                     .toUtf8());

    const QrnRun json = qrn({QStringLiteral("show"), QStringLiteral("--json"), file});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root.value(QStringLiteral("rules")).toString(), QStringLiteral("2025"));
    EXPECT_EQ(root.value(QStringLiteral("seismic")).toObject().value(QStringLiteral("lw")).toArray().at(0).toInt(), 41);
    const QJsonObject first = root.value(QStringLiteral("storeys")).toArray().at(0).toObject();
    EXPECT_DOUBLE_EQ(first.value(QStringLiteral("seismicLength")).toDouble(), 20.5);
    const QJsonObject quasi = first.value(QStringLiteral("quasiWalls")).toArray().at(0).toObject();
    EXPECT_EQ(quasi.value(QStringLiteral("multiplier")).toString(), QStringLiteral("0.45"));
    EXPECT_EQ(texts(quasi.value(QStringLiteral("effective"))).at(0), QStringLiteral("1.2285"));
    EXPECT_TRUE(qrn({QStringLiteral("show"), file}).out.contains(QStringLiteral("2025年基準")));

    // The printed sheet of these rules comes out of both outputs; a .qrn cannot hold them.
    for (const QString &command : {QStringLiteral("pdf"), QStringLiteral("jw")}) {
        const QrnRun run = qrn({command, file, QStringLiteral("-o"), dir + QStringLiteral("/out.") + command});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    }
    EXPECT_EQ(qrn({QStringLiteral("convert"), file, QStringLiteral("-o"), dir + QStringLiteral("/old.qrn")}).status, 2);
}

// A character outside the BMP (𠮷, which only a .qrn2 can hold) takes two
// columns like its BMP look-alike: the columns after it stay in line.
TEST(Qrn, CharactersBeyondTheBmpKeepTheColumnsInLine)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-astral"));
    QFile source(example("nikai-2025.qrn2"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString sheet = QString::fromUtf8(source.readAll());
    const auto showWithKind = [&](const QString &kind) {
        const QString file = dir + QStringLiteral("/sheet.qrn2");
        QString text = sheet;
        text.replace(QStringLiteral("\"kind\": \"木材\""), QStringLiteral("\"kind\": \"%1\"").arg(kind));
        quiren::test::writeAll(file, text.toUtf8());
        const QrnRun run = qrn({QStringLiteral("show"), file});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.out;
    };
    const QString bmp = showWithKind(QStringLiteral("吉材"));
    QString astral = showWithKind(QStringLiteral("𠮷材"));
    ASSERT_TRUE(astral.contains(QStringLiteral("𠮷材")));
    EXPECT_EQ(astral.replace(QStringLiteral("𠮷"), QStringLiteral("吉")).toStdString(), bmp.toStdString());
}

TEST(Qrn, UsageErrorsWriteNothing)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-usage"));
    const QString copy = dir + QStringLiteral("/sheet.qrn");
    QFile::copy(example("nikai.qrn"), copy);
    const QString a = dir + QStringLiteral("/a.out");
    const QString b = dir + QStringLiteral("/b.out");
    const QStringList cases[] = {
        {"pdf", copy, "-o", ""},     // would have replaced sheet.pdf beside the file
        {"jw", copy, "-o", ""},
        {"pdf", copy, "-o"},
        {"pdf", copy, "-o", a, "-o", b},
        {"jw", "-o", a, copy, "-o", b},
        {"show", "--json", "--json", copy},
    };
    for (const QStringList &args : cases) {
        const QrnRun run = qrn(args);
        EXPECT_EQ(run.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("sheet.qrn")});
}

TEST(Qrn, FifosAreRefusedAtOnce)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-fifo"));
    const QString in = dir + QStringLiteral("/in.qrn");
    const QString out = dir + QStringLiteral("/out.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(in).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(out).constData(), 0600), 0);

    QrnRun run = qrn({QStringLiteral("show"), in});   // a hang fails after qrn()'s time limit
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("ﾌｧｲﾙを開けません。")));
    run = qrn({QStringLiteral("jw"), example("nikai.qrn"), QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("通常のﾌｧｲﾙではない"))) << run.err.toStdString();
    EXPECT_EQ(QFileInfo(out).size(), 0);
    struct stat info {};
    EXPECT_TRUE(::lstat(QFile::encodeName(out).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
}

TEST(Qrn, OutputThatCannotBeWrittenIsAFailure)
{
    for (const QString &command : {QStringLiteral("show"), QStringLiteral("check")}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(QUIREN_BIN_DIR "/qrn"), {command, example("hiraya.qrn")});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 2) << command.toStdString();
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("標準出力")));
    }
}

TEST(Qrn, ControlCharactersAreShownNotSent)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-control"));
    const QString file = dir + QStringLiteral("/title.qrn");
    quiren::test::writeAll(file, "\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n"
                                 "\"\x1b]0;owned\x07\x1b[2J\x9b" "31m\",0,0,0,#FALSE#\r\n");
    const QString jw = dir + QStringLiteral("/jw.txt");
    for (const QStringList &args : {QStringList{"show", file}, QStringList{"check", file},
                                    QStringList{"jw", file, "-o", jw}}) {
        const QrnRun run = qrn(args);
        for (QChar c : run.out + run.err)
            EXPECT_FALSE(c.unicode() < 0x20 && c != QLatin1Char('\n')) << args.first().toStdString();
    }
    EXPECT_TRUE(qrn({QStringLiteral("show"), file}).out.contains(QStringLiteral("\\x1b]0;owned\\x07")));
    for (char c : quiren::test::readAll(jw))
        EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n');
}

TEST(Qrn, NamesThatAreNotUtf8KeepTheirBytes)
{
    // Through the shell, which passes the bytes as they are.
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-bytes"));
    QProcess shell;
    shell.setWorkingDirectory(dir);
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("q='" QUIREN_BIN_DIR "/qrn'; mkdir \"$(printf '\\213\\214')\" && cd \"$(printf '\\213\\214')\" "
                                "&& cp '%1' \"$(printf 'a\\377\\376b.qrn')\" && cp '%1' \"$(printf 'a\\376\\377b.qrn')\" "
                                "&& \"$q\" check \"$(printf 'a\\377\\376b.qrn')\" >/dev/null; echo $?; "
                                "\"$q\" pdf \"$(printf 'a\\377\\376b.qrn')\" && \"$q\" pdf \"$(printf 'a\\376\\377b.qrn')\" "
                                "&& \"$q\" jw \"$(printf 'a\\377\\376b.qrn')\" -o j.txt")
                     .arg(example("nikai.qrn"))});
    ASSERT_TRUE(shell.waitForFinished(60000));
    const QString out = QString::fromUtf8(shell.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith(QStringLiteral("1\n"))) << out.toStdString() << shell.readAllStandardError().constData();
    EXPECT_TRUE(out.contains(QStringLiteral("a\\xff\\xfeb.pdf\n")));
    for (const char *name : {"a\xff\xfe" "b.pdf", "a\xfe\xff" "b.pdf", "j.txt"}) {
        struct stat info {};
        EXPECT_EQ(::stat((QFile::encodeName(dir) + "/\x8b\x8c/" + name).constData(), &info), 0) << name;
    }
    // Qt cannot remove what it cannot name.
    QProcess::execute(QStringLiteral("/bin/rm"), {QStringLiteral("-rf"), dir});
}

namespace {

QStringList lwArgs(const char *line)
{
    return QStringList{QStringLiteral("lw")} + QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

TEST(QrnLw, JsonHoldsEveryStepOfTheToolMethod)
{
    // Two storeys of 60 and 50 m² with a tile roof and siding, worked out by
    // hand: Lw 40 and 27 (39.60 and 26.08 before rounding up).
    const QrnRun run = qrn(lwArgs("--json --storeys 2 --roof tile --wall siding --h1 2.9 --h2 2.8 "
                                  "--rise 1.5 --overhang 0.6 --pitch 4 --area1 60 --area2 50"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("lw")).toArray(), (QJsonArray{40, 27}));
    EXPECT_NEAR(o.value(QStringLiteral("lwRaw")).toArray().at(1).toDouble(), 26.0752, 1e-4);
    EXPECT_NEAR(o.value(QStringLiteral("w")).toArray().at(0).toDouble(), 3.881142, 1e-6);
    EXPECT_NEAR(o.value(QStringLiteral("ai")).toArray().at(1).toDouble(), 1.282450, 1e-6);
    EXPECT_NEAR(o.value(QStringLiteral("alpha")).toDouble(), 0.427832, 1e-6);
    EXPECT_NEAR(o.value(QStringLiteral("t")).toDouble(), 0.2085, 1e-9);
    EXPECT_NEAR(o.value(QStringLiteral("roofFactor")).toDouble(), 1.386435, 1e-6);
    // 60 m² is below the tool's assumed building area: warned, not refused.
    EXPECT_EQ(o.value(QStringLiteral("warnings")).toArray().size(), 1);

    const QrnRun table = qrn(lwArgs("--storeys 1 --roof 900 --wall board --pv standard --use office "
                                    "--c0 0.3 --h1 3 --rise 1 --overhang 0.9 --pitch 3"));
    EXPECT_EQ(table.status, 0);
    EXPECT_TRUE(table.out.contains(QStringLiteral("Lw (cm/m²)")));
    EXPECT_TRUE(table.out.contains(QStringLiteral("警告: 軒の出")));
}

TEST(QrnLw, BadOrMissingOptionsExitTwoNamingTheOption)
{
    const struct {
        const char *args;
        const char *named;
    } cases[] = {
        {"--roof tile", "--storeys"},
        {"--storeys 3 --roof tile", "--storeys"},
        {"--storeys 1 --roof straw --wall siding", "--roof"},
        {"--storeys 1 --roof tile --wall siding --h1 0 --rise 1 --overhang 0.6 --pitch 4", "--h1"},
        {"--storeys 1 --roof tile --wall siding --h1 3 --rise 1 --overhang 0.6 --pitch four", "--pitch"},
        {"--storeys 2 --roof tile --wall siding --h1 3 --h2 3 --rise 1 --overhang 0.6 --pitch 4 --area1 60",
         "--area2"},
        {"--storeys 1 --roof tile --wall siding --c0 0.25", "--c0"},
        {"--storeys 1 --storeys 1", "--storeys"},
        {"--colour red", "--colour"},
        {"--storeys \x1b[2J", "--storeys"},   // echoed, but not as a control sequence
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        const QrnRun run = qrn(lwArgs(c.args));
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named)));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.contains(QChar(0x1b)));
    }
}

// Many sheets in one call: files and folders, each output beside its input
// or in the -o folder; an output that would replace an input, or an output
// of the same call, is refused and the others are still written.
TEST(Qrn, PdfAndJwOfManySheetsWriteEachOutputBesideItsInputOrIntoTheFolder)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-batch"));
    const QString folder = dir + QStringLiteral("/folder");
    const QString out = dir + QStringLiteral("/out");
    QDir().mkpath(folder);
    QFile::copy(example("nikai.qrn"), dir + QStringLiteral("/a.qrn"));
    QFile::copy(example("nikai-2025.qrn2"), dir + QStringLiteral("/b.qrn2"));
    QFile::copy(example("hiraya.qrn"), folder + QStringLiteral("/c.qrn"));
    QFile::copy(example("sankai-kyofu.qrn"), folder + QStringLiteral("/d.qrn"));
    quiren::test::writeAll(folder + QStringLiteral("/notes.txt"), "not a sheet");

    QrnRun run = qrn({QStringLiteral("pdf"), dir + QStringLiteral("/a.qrn"), dir + QStringLiteral("/b.qrn2"), folder});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral(".pdf\n")), 4) << run.out.toStdString();
    for (const char *written : {"/a.pdf", "/b.pdf", "/folder/c.pdf", "/folder/d.pdf"})
        EXPECT_TRUE(quiren::test::readAll(dir + QLatin1String(written)).startsWith("%PDF")) << written;

    run = qrn({QStringLiteral("jw"), folder, dir + QStringLiteral("/a.qrn"), QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"a.txt", "c.txt", "d.txt"}));
    // Each file as `qrn jw` writes it alone.
    const QString single = dir + QStringLiteral("/single.txt");
    ASSERT_EQ(qrn({QStringLiteral("jw"), folder + QStringLiteral("/d.qrn"), QStringLiteral("-o"), single}).status, 0);
    EXPECT_EQ(quiren::test::readAll(out + QStringLiteral("/d.txt")), quiren::test::readAll(single));

    // x.pdf would become its own output; a.qrn2 would replace a.qrn's PDF.
    QFile::copy(example("hiraya.qrn"), dir + QStringLiteral("/x.pdf"));
    QFile::copy(example("nikai-2025.qrn2"), dir + QStringLiteral("/a.qrn2"));
    const QByteArray input = quiren::test::readAll(dir + QStringLiteral("/x.pdf"));
    run = qrn({QStringLiteral("pdf"), dir + QStringLiteral("/x.pdf"), dir + QStringLiteral("/a.qrn"),
               dir + QStringLiteral("/a.qrn2"), QStringLiteral("-o"), dir});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, dir + QStringLiteral("/a.pdf\n"));
    EXPECT_EQ(run.err.count(QStringLiteral("not written")), 2) << run.err.toStdString();
    EXPECT_EQ(quiren::test::readAll(dir + QStringLiteral("/x.pdf")), input);

    // check takes folders too; a folder without sheets cannot be checked.
    EXPECT_EQ(qrn({QStringLiteral("check"), folder}).status, 1);
    EXPECT_EQ(qrn({QStringLiteral("check"), out}).status, 2);
}
