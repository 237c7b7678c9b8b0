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
#include <unistd.h>

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

QStringList nvalueArgs(const char *line)
{
    return QStringList{QStringLiteral("nvalue")}
           + QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
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
    for (const char *expected : {"使い方", "Usage", "qrn show", "qrn check", "qrn pdf", "qrn jw", "qrn convert",
                                 "qrn lw", ".qrn2", "~/.local/share/Quiren/WallListData", "終了コード", "Exit status"})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(expected))) << expected;
}

TEST(Qrn, RunFromCronOrSshItSaysNothingOfARuntimeFolder)
{
    // No $XDG_RUNTIME_DIR, as under cron or a plain ssh command.
    const QString out = quiren::test::makeScratchDir(QStringLiteral("no-runtime"));
    for (const QStringList &args : {QStringList{"pdf", example("nikai.qrn"), "-o", out + "/a.pdf"},
                                    QStringList{"jw", example("nikai.qrn"), "-o", out + "/a.txt"}}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUIREN_BIN_DIR "/qrn"), args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << args.first().toStdString();
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), QString()) << args.first().toStdString();
    }
}

TEST(Qrn, EveryCommandHasItsOwnHelpAndNamesAnUnknownOption)
{
    for (const char *command : {"check", "column", "convert", "jw", "lw", "nvalue", "pdf", "show"}) {
        const QString name = QString::fromLatin1(command);
        const QrnRun help = qrn({name, QStringLiteral("--help")});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("  qrn ") + name + QLatin1Char(' '))) << command;
        EXPECT_FALSE(help.out.contains(QStringLiteral("使い方: qrn コマンド"))) << command;   // not the whole tool's help
        EXPECT_EQ(qrn({QStringLiteral("help"), name}).out, help.out) << command;

        const QrnRun unknown = qrn({name, QStringLiteral("--frob"), QStringLiteral("x")});
        EXPECT_EQ(unknown.status, 2) << command;
        EXPECT_TRUE(unknown.err.contains(QStringLiteral("unknown option --frob"))) << command;
    }
    const QrnRun twice = qrn({QStringLiteral("pdf"), QStringLiteral("a.qrn"), QStringLiteral("-o"),
                              QStringLiteral("x.pdf"), QStringLiteral("-o"), QStringLiteral("y.pdf")});
    EXPECT_EQ(twice.status, 2);
    EXPECT_TRUE(twice.err.contains(QStringLiteral("-o given twice")));
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
    EXPECT_TRUE(table.out.contains(QStringLiteral("Lw1 (切上げ)")));
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

namespace {

// Runs a shell line with $q for qrn, in `dir`, with `env` added ("LANG=C").
QrnRun shellRun(const QString &dir, const QString &line, const QStringList &env = {})
{
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &pair : env)
        environment.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    environment.insert(QStringLiteral("q"), QStringLiteral(QUIREN_BIN_DIR "/qrn"));
    shell.setProcessEnvironment(environment);
    shell.setWorkingDirectory(dir);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line});
    QrnRun run;
    if (!shell.waitForFinished(60000)) {
        ADD_FAILURE() << "the shell did not finish: " << line.toStdString();
        shell.kill();
        return run;
    }
    run.status = shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1;
    run.out = QString::fromUtf8(shell.readAllStandardOutput());
    run.err = QString::fromUtf8(shell.readAllStandardError());
    return run;
}

bool hasJapaneseLocale()
{
    QProcess locales;
    locales.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    locales.waitForFinished(10000);
    const QString all = QString::fromLatin1(locales.readAllStandardOutput()).toLower();
    return all.contains(QStringLiteral("ja_jp.utf8")) || all.contains(QStringLiteral("ja_jp.utf-8"));
}

QJsonObject columnJson(const char *line)
{
    const QrnRun run = qrn(QStringList{QStringLiteral("column"), QStringLiteral("--json")}
                           + QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    EXPECT_EQ(run.status, 0) << line << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

} // namespace

// A ".qrn" number no typed cell could hold fails qrn check by name, also
// where the sheet passes without it (the projected area only adds to the
// requirement). It was once emptied unnamed, and the file passed.
TEST(Qrn, NumbersACalcFileCannotHoldFailTheCheckByName)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-refused"));
    const QByteArray original = quiren::test::readAll(example("hiraya.qrn"));
    ASSERT_TRUE(original.contains("\"82.81\",\"24.5\","));
    ASSERT_EQ(qrn({QStringLiteral("check"), example("hiraya.qrn")}).status, 0);
    const struct {
        const char *from;
        const char *to;
        const char *named;
    } cases[] = {
        {"\"24.5\",", "\"45,3\",", "一階 見付面積(A) \"45,3\""},
        {"\"24.5\",", "\"45.3m\",", "一階 見付面積(A) \"45.3m\""},
        {"\"24.5\",", "\"NaN\",", "一階 見付面積(A) \"NaN\""},
        {"\"24.5\",", "\"1e308\",", "一階 見付面積(A) \"1e308\""},
        {"\"24.5\",", "\"0x10\",", "一階 見付面積(A) \"0x10\""},
        {"\"  1.82\",\"2\",\"  0.91\",\"4\"", "\"  1.82\",\"-6\",\"  0.91\",\"4\"", "一階 3行目 桁に平行な箇所 \"-6\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.to);
        QByteArray bytes = original;
        ASSERT_TRUE(bytes.contains(c.from));
        bytes.replace(c.from, c.to);
        const QString file = dir + QStringLiteral("/f.qrn");
        quiren::test::writeAll(file, bytes);
        const QrnRun run = qrn({QStringLiteral("check"), file});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.contains(QStringLiteral("f.qrn: ") + QString::fromUtf8(c.named))) << qPrintable(run.out);
        EXPECT_FALSE(run.out.contains(QStringLiteral(": OK")));
        // Nor does the sheet read OK anywhere else.
        const QrnRun json = qrn({QStringLiteral("show"), QStringLiteral("--json"), file});
        EXPECT_FALSE(json.out.contains(QStringLiteral("\"OK\""))) << qPrintable(json.out);
    }
}

// An output that is the input (by its own name, another spelling of it, a
// default that lands on it, or a link to it) is refused before anything is
// written; the calculation file was once replaced by the PDF.
TEST(Qrn, AnOutputThatIsTheInputIsRefused)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-same"));
    quiren::test::writeAll(dir + QStringLiteral("/in.qrn"), quiren::test::readAll(example("nikai.qrn")));
    quiren::test::writeAll(dir + QStringLiteral("/in.pdf"), quiren::test::readAll(example("nikai.qrn")));
    quiren::test::writeAll(dir + QStringLiteral("/in.qrn2"), quiren::test::readAll(example("nikai-2025.qrn2")));
    ASSERT_EQ(::symlink("in.qrn", QFile::encodeName(dir + QStringLiteral("/link.qrn")).constData()), 0);
    ASSERT_EQ(::symlink("in.qrn2", QFile::encodeName(dir + QStringLiteral("/link.qrn2")).constData()), 0);
    const char *lines[] = {
        "$q pdf in.qrn -o in.qrn",
        "$q jw in.qrn -o in.qrn",
        "$q pdf in.qrn -o ./in.qrn",
        "$q pdf in.pdf",                         // the default output is in.pdf itself
        "$q pdf in.qrn -o link.qrn",
        "$q convert in.qrn2 -o link.qrn2",
        "$q convert link.qrn -o in.qrn",
    };
    for (const char *line : lines) {
        SCOPED_TRACE(line);
        const QrnRun run = shellRun(dir, QString::fromLatin1(line));
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("入力ファイルそのもの"))) << qPrintable(run.err);
        EXPECT_EQ(quiren::test::readAll(dir + QStringLiteral("/in.qrn")), quiren::test::readAll(example("nikai.qrn")));
        EXPECT_EQ(quiren::test::readAll(dir + QStringLiteral("/in.pdf")), quiren::test::readAll(example("nikai.qrn")));
        EXPECT_EQ(quiren::test::readAll(dir + QStringLiteral("/in.qrn2")),
                  quiren::test::readAll(example("nikai-2025.qrn2")));
    }
}

// Write errors are reported in Japanese whatever the locale, exit 2, and
// leave the old file as it was: a missing folder, and a file-size limit,
// which once killed qrn with SIGXFSZ (exit 153) and no word.
TEST(Qrn, WriteErrorsAreToldInJapaneseAndKeepTheOldFile)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-write-errors"));
    quiren::test::writeAll(dir + QStringLiteral("/in.qrn"), quiren::test::readAll(example("nikai.qrn")));
    const QByteArray old = "old contents\n";
    const struct {
        const char *line;
        const char *output;
        const char *reason;
    } cases[] = {
        {"ulimit -f 1; $q pdf in.qrn -o out.pdf", "out.pdf", "ﾌｧｲﾙの大きさの上限を超えました"},
        {"ulimit -f 1; $q jw in.qrn -o out.txt", "out.txt", "ﾌｧｲﾙの大きさの上限を超えました"},
        {"ulimit -f 1; $q convert in.qrn -o out.qrn2", "out.qrn2", "ﾌｧｲﾙの大きさの上限を超えました"},
        {"$q pdf in.qrn -o missing/out.pdf", nullptr, "ﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        if (c.output)
            quiren::test::writeAll(dir + QLatin1Char('/') + QLatin1String(c.output), old);
        const QrnRun run = shellRun(dir, QString::fromLatin1(c.line), {QStringLiteral("LANG=C"), QStringLiteral("LC_ALL=C")});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.reason))) << qPrintable(run.err);
        EXPECT_FALSE(run.err.contains(QStringLiteral("File too large")) || run.err.contains(QStringLiteral("No such")));
        if (c.output) {
            EXPECT_EQ(quiren::test::readAll(dir + QLatin1Char('/') + QLatin1String(c.output)), old);
        }
    }
}

// The sheet is set in IPAex Mincho and its text layer reads as drawn under
// a Japanese locale too, where fontconfig names the font "IPAex明朝" and the
// sheet once came out in the Hong Kong forms of Noto Serif CJK.
TEST(Qrn, PdfIsSetInIpaexMinchoUnderEveryLocale)
{
    if (!hasJapaneseLocale())
        GTEST_SKIP() << "the locale ja_JP.UTF-8 is not installed (scripts/setup generates it)";
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-locale"));
    for (const char *lang : {"C.UTF-8", "ja_JP.UTF-8"}) {
        SCOPED_TRACE(lang);
        const QString env = QStringLiteral("LANG=") + QLatin1String(lang);
        const QrnRun run = shellRun(dir,
                                    QStringLiteral("$q pdf '%1' -o out.pdf >/dev/null && pdffonts out.pdf && pdftotext out.pdf -")
                                        .arg(example("nikai.qrn")),
                                    {env, QStringLiteral("LC_ALL=") + QLatin1String(lang), QStringLiteral("LANGUAGE=")});
        EXPECT_EQ(run.status, 0) << qPrintable(run.err);
        EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);   // no font warning
        EXPECT_TRUE(run.out.contains(QStringLiteral("IPAexMincho"))) << qPrintable(run.out.left(600));
        EXPECT_FALSE(run.out.contains(QStringLiteral("CJK")));
        EXPECT_TRUE(run.out.contains(QStringLiteral("建築基準法施行令第４６条第３項に基づく"))) << qPrintable(run.out);
    }
}

// A file name cannot forge a line of qrn check: its line feeds are shown
// escaped, as control characters of titles are.
TEST(Qrn, FileNamesCannotForgeLinesOfTheCheck)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-forged"));
    const QString name = dir + QStringLiteral("/short.qrn\nall.qrn: OK\nx.qrn");
    quiren::test::writeAll(name, quiren::test::readAll(example("nikai.qrn")));
    const QrnRun run = qrn({QStringLiteral("check"), name});
    EXPECT_EQ(run.status, 1);
    for (const QString &line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith(dir + QStringLiteral("/short.qrn\\x0aall.qrn: OK\\x0ax.qrn: "))) << qPrintable(line);
        EXPECT_FALSE(line.endsWith(QStringLiteral(": OK")));
    }
}

TEST(QrnColumn, JsonHoldsTheWorkedFigures)
{
    // A-1: 105 mm すぎ, l 2680 mm, W0 4.31 kN/m²: Aa 6.903 shown 6.9.
    QJsonObject o = columnJson("--l 2680 --d 105 --timber すぎ --wd 4310 --area 6.9");
    EXPECT_EQ(o.value(QStringLiteral("aa")).toDouble(), 6.9);
    EXPECT_EQ(o.value(QStringLiteral("lambda")).toDouble(), 88.4);
    EXPECT_EQ(o.value(QStringLiteral("eta")).toDouble(), 0.4158);
    EXPECT_EQ(o.value(QStringLiteral("na")).toDouble(), 29.75);
    EXPECT_EQ(o.value(QStringLiteral("bucklingD")).toDouble(), 97.6);
    EXPECT_EQ(o.value(QStringLiteral("method")).toString(), QStringLiteral("area"));
    EXPECT_TRUE(o.value(QStringLiteral("ok")).toBool());
    // A-2: 110.14 mm by the formula, rounded up; the 105 mm column is short.
    o = columnJson("--l 2680 --d 105 --wd 4500");
    EXPECT_EQ(o.value(QStringLiteral("ratioDp")).toDouble(), 110.2);
    EXPECT_EQ(o.value(QStringLiteral("method")).toString(), QStringLiteral("ratio"));
    EXPECT_FALSE(o.value(QStringLiteral("ok")).toBool());
    // A flat column and a typed Fc: E65-F225 typed as 16.7.
    o = columnJson("--l 2730 --d 120 --b 105 --fc 16.7 --wd 4310");
    EXPECT_EQ(o.value(QStringLiteral("lambda")).toDouble(), 78.8);
    EXPECT_EQ(o.value(QStringLiteral("method")).toString(), QStringLiteral("buckling"));
    EXPECT_TRUE(o.value(QStringLiteral("ok")).toBool());
}

TEST(QrnColumn, BadOrMissingOptionsExitTwoNamingTheOption)
{
    const struct {
        const char *args;
        const char *named;
    } cases[] = {
        {"--d 105 --wd 4310", "--l"},
        {"--l 2680 --wd 4310", "--d"},
        {"--l 2680 --d 105", "--wd"},
        {"--l 2680 --d 0 --wd 4310", "--d"},
        {"--l 2680 --d 105 --b -1 --wd 4310", "--b"},
        {"--l 2680 --d 105 --wd 4310 --fc 17.7 --timber sugi", "--timber"},
        {"--l 2680 --d 105 --wd 4310 --timber oak", "--timber"},
        {"--l 2680 --d 105 --wd 4310 --area none", "--area"},
        {"--l 2680 --d 105 --wd 4310 --method area", "--area"},
        {"--l 2680 --d 105 --wd 4310 --l 2700", "--l"},
        {"--l 2680 --d 105 --wd", "--wd"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        const QrnRun run = qrn(QStringList{QStringLiteral("column")}
                               + QString::fromUtf8(c.args).split(QLatin1Char(' '), Qt::SkipEmptyParts));
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(QrnColumn, CheckFailsASheetWhoseGroundStoreyColumnsAreTooThin)
{
    // The example with 105 mm columns on both storeys, storey 1 by the ratio
    // formula for a typed Wd of 4500 N/m² (110.2 mm needed), storey 2 by the
    // allowable area with Wd from the sheet's loads.
    QJsonObject root = QJsonDocument::fromJson(quiren::test::readAll(example("nikai-2025.qrn2"))).object();
    QJsonArray storeys = root.value(QStringLiteral("storeys")).toArray();
    auto columns = [](const char *method, const char *depth, const char *wdSource, const char *wd) {
        const QJsonObject direction{{QStringLiteral("length"), QStringLiteral("2680")},
                                    {QStringLiteral("depth"), QString::fromUtf8(depth)}};
        return QJsonObject{{QStringLiteral("method"), QString::fromUtf8(method)},
                           {QStringLiteral("directions"), QJsonArray{direction, QJsonObject{}}},
                           {QStringLiteral("wdSource"), QString::fromUtf8(wdSource)},
                           {QStringLiteral("wd"), QString::fromUtf8(wd)},
                           {QStringLiteral("area"), QStringLiteral("5")}};
    };
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-column"));
    auto write = [&](const char *name, const QJsonObject &storey1) {
        QJsonObject s0 = storeys.at(0).toObject(), s1 = storeys.at(1).toObject();
        s0.insert(QStringLiteral("columns"), storey1);
        s1.insert(QStringLiteral("columns"), columns("area", "105", "loads", ""));
        QJsonObject file = root;
        file.insert(QStringLiteral("storeys"), QJsonArray{s0, s1});
        const QString path = dir + QLatin1Char('/') + QLatin1String(name);
        quiren::test::writeAll(path, QJsonDocument(file).toJson());
        return path;
    };
    const QString thin = write("thin.qrn2", columns("ratio", "105", "typed", "4500"));
    const QString thick = write("thick.qrn2", columns("ratio", "120", "typed", "4500"));

    QrnRun run = qrn({QStringLiteral("check"), thin});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("thin.qrn2: 一階  柱の小径 算定式  NG 張り間方向 d 105 < 110.2")))
        << qPrintable(run.out);
    EXPECT_FALSE(run.out.contains(QStringLiteral("二階")));
    run = qrn({QStringLiteral("check"), thick});
    EXPECT_EQ(run.status, 0) << qPrintable(run.out);

    run = qrn({QStringLiteral("show"), QStringLiteral("--json"), thin});
    ASSERT_EQ(run.status, 0);
    const QJsonArray shown = QJsonDocument::fromJson(run.out.toUtf8()).object().value(QStringLiteral("storeys")).toArray();
    const QJsonObject c1 = shown.at(0).toObject().value(QStringLiteral("columns")).toObject();
    EXPECT_EQ(c1.value(QStringLiteral("result")).toString(), QStringLiteral("NG"));
    EXPECT_EQ(c1.value(QStringLiteral("directions")).toArray().at(1).toObject().value(QStringLiteral("ratioDp")).toDouble(),
              110.2);
    const QJsonObject c2 = shown.at(1).toObject().value(QStringLiteral("columns")).toObject();
    EXPECT_EQ(c2.value(QStringLiteral("wdSource")).toString(), QStringLiteral("loads"));
    EXPECT_TRUE(c2.value(QStringLiteral("wdFormula")).toString().contains(QStringLiteral("÷ r")));
    EXPECT_EQ(c2.value(QStringLiteral("result")).toString(), QStringLiteral("OK"));
}

TEST(QrnNValue, JsonGivesNJointTensionAndHardware)
{
    const struct {
        const char *args;
        double n;
        const char *joint;
        double kn;
    } cases[] = {
        {"--position top --corner yes --a1 2.5", 1.6, "(ほ)", 8.5},
        {"--position ground --corner no --upper-corner yes --a1 3 --a2 2", 1.5, "(ほ)", 8.5},
        {"--position top --corner yes --a1 2.5 --h1 3.3", 2.04, "(と)", 15},
        {"--position top --corner yes --a1 8", 6.0, "5.6超", 31.8},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        const QrnRun run = qrn(nvalueArgs(c.args) << QStringLiteral("--json"));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        EXPECT_DOUBLE_EQ(o.value(QStringLiteral("n")).toDouble(), c.n);
        EXPECT_EQ(o.value(QStringLiteral("joint")).toString(), QString::fromUtf8(c.joint));
        EXPECT_DOUBLE_EQ(o.value(QStringLiteral("kn")).toDouble(), c.kn);
        EXPECT_FALSE(o.value(QStringLiteral("hardware")).toString().isEmpty());
    }
}

TEST(QrnNValue, BadOptionsExitTwoNamingTheOption)
{
    const struct {
        const char *args;
        const char *named;
    } cases[] = {
        {"--corner yes --a1 2", "--position"},
        {"--position middle --corner yes --a1 2", "--position"},
        {"--position top --corner maybe --a1 2", "--corner"},
        {"--position top --corner yes --a1 two", "--a1"},
        {"--position top --corner yes --a1 2 --h1 0", "--h1"},
        {"--position ground --corner yes --a1 2", "--upper-corner"},
        {"--position top --corner yes --a1 2 --a2 1", "--a2"},
        {"--position top --corner yes --a1 2 --storeys 2", "--storeys"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        const QrnRun run = qrn(nvalueArgs(c.args));
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named)));
        EXPECT_TRUE(run.out.isEmpty());
    }
}

// A sheet that lists its columns: check names the column whose hardware is
// too weak; show and show --json carry the N値 table.
TEST(QrnNValue, SheetColumnsInShowAndCheck)
{
    const QString dir = quiren::test::makeScratchDir(QStringLiteral("qrn-joints"));
    const QString file = dir + QStringLiteral("/columns.qrn2");
    // A one-storey house that passes the wall quantity; X1-Y1 a corner
    // column beside plywood-like 2.5: N 1.6 → (ほ), 8.5 kN.
    const QString sheet = QStringLiteral(R"({"format": "quiren-sheet", "version": 1, "title": "柱の家", "storeyCount": 1,
        "storeys": [{"floorArea": "20", "projectedArea": ["10", "10"],
          "rows": [{"kind": "木材", "section": "4.5×9", "xBracing": "する", "length": ["3.64", "3.64"], "places": ["4", "4"]}],
          "joints": {"method": "nvalue", "columns": [
            {"name": "X1-Y1", "corner": true, "hardware": "%1",
             "directions": [{"sides": [{"typed": "2.5"}, {}]}, {"sides": [{}, {}]}]}]}}]})");
    quiren::test::writeAll(file, sheet.arg(QStringLiteral("8")).toUtf8());
    QrnRun run = qrn({QStringLiteral("check"), file});
    EXPECT_EQ(run.status, 1) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("柱頭・柱脚の接合 X1-Y1: 金物の耐力 8.0kN が必要な 8.5kN (ほ) に足りません。")))
        << run.out.toStdString();

    quiren::test::writeAll(file, sheet.arg(QStringLiteral("(ほ)")).toUtf8());
    EXPECT_EQ(qrn({QStringLiteral("check"), file}).status, 0);
    const QrnRun json = qrn({QStringLiteral("show"), QStringLiteral("--json"), file});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject joints = QJsonDocument::fromJson(json.out.toUtf8())
                                   .object()
                                   .value(QStringLiteral("storeys"))
                                   .toArray()
                                   .at(0)
                                   .toObject()
                                   .value(QStringLiteral("joints"))
                                   .toObject();
    EXPECT_EQ(joints.value(QStringLiteral("result")).toString(), QStringLiteral("OK"));
    const QJsonObject column = joints.value(QStringLiteral("columns")).toArray().at(0).toObject();
    EXPECT_EQ(column.value(QStringLiteral("n")).toString(), QStringLiteral("1.60"));
    EXPECT_EQ(column.value(QStringLiteral("joint")).toString(), QStringLiteral("(ほ)"));
    EXPECT_TRUE(qrn({QStringLiteral("show"), file}).out.contains(QStringLiteral("柱頭・柱脚の接合 (N値計算法)")));
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
