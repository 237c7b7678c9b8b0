// The qrn tool, run as users run it: on the example files, on files it
// cannot read, and for its help.
#include "TestSupport.h"

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

        run = qrn({command, dir});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("ﾌｧｲﾙを開けません。")));
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
