// The sheet on a real page (PDF), the JW-CAD file on disk, and the qrn
// commands that write them.
#include "TestSupport.h"

#include "core/print/JwExport.h"
#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfTextLayer.h"
#include "core/print/SheetPdf.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QStringDecoder>

using namespace quiren;
using namespace quiren::test;

namespace {

CalcSheet ThreeStoreys(const QString &title)
{
    CalcSheet sheet;
    sheet.SetUpNewSheet();
    sheet.SetStoreyIndex(2);
    sheet.titleName = title;
    for (int s = 0; s < 3; ++s) {
        sheet.SetFloorArea(s, QStringLiteral("40"));
        FramingRow &row = sheet.row(s, 0);
        row[ColKind] = QStringLiteral("木摺両面壁");
        row[ColLength0] = QStringLiteral("  1.82");
        row[ColPlaces0] = QStringLiteral("4");
        sheet.RecalcStorey(s);
    }
    return sheet;
}

SheetSettings OfficeOn()
{
    SheetSettings settings;
    settings.office[OfficeData::OfficeName] = QStringLiteral("見本設計室");
    settings.office[OfficeData::Name] = QStringLiteral("設計花子");
    settings.office[OfficeData::Print] = QStringLiteral("1");
    return settings;
}

// The text of a PDF as pdftotext reads it, as it is.
QString RawPdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The same in compatibility form: the texts looked for are normalised alike,
// so that full-width and half-width forms are found either way.
QString PdfText(const QString &pdf)
{
    return RawPdfText(pdf).normalized(QString::NormalizationForm_KC);
}

// The characters of a text in the radical blocks (U+2E80-U+2FDF).
QString Radicals(const QString &text)
{
    QString found;
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF && !found.contains(c))
            found += c;
    return found;
}

bool Shows(const QString &pdfText, const QString &text)
{
    return pdfText.contains(text.normalized(QString::NormalizationForm_KC));
}

bool HavePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The sheet's page, measured on a PDF writer that writes into memory.
class SheetPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer.open(QIODevice::WriteOnly);
        SetUpSheetPdf(writer, QString());
    }
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    PaintSheetDevice device{&writer};
};

TEST_F(SheetPage, A4PortraitWith11340TwipsPrintable)
{
    EXPECT_FLOAT_EQ(device.printableWidth(), 11340.0f);

    SheetPainter painter(device);
    painter.ComputeLayout();
    EXPECT_FLOAT_EQ(painter.ColX(0), 1040.0f);
    EXPECT_FLOAT_EQ(painter.ColX(26), 11246.0f);
    // Text heights are em heights, so the office block (to row 68) fits A4.
    EXPECT_FLOAT_EQ(painter.CharHeight(11), 220.0f);
    EXPECT_LT(painter.RowY(68), device.printableHeight());
    // A full-width character of the sheet's font is one em wide.
    EXPECT_NEAR(painter.CharWidth(8), 160.0f, 0.5f);
    device.setFontSize(8);
    EXPECT_NEAR(device.textWidth(QStringLiteral("必要軸組長さ")), 960.0f, 1.0f);
    EXPECT_TRUE(buffer.data().isEmpty());   // measuring writes nothing
}

// Texts are measured by their characters' widths where no character is
// shaped with its neighbours: the result is what laying the whole text out
// gives, at every size, also for the texts measured whole (characters from
// another font, controls, marks, surrogates).
TEST_F(SheetPage, TextWidthsAreThoseOfTheWholeText)
{
    const QStringList texts = {
        QString(), QStringLiteral("0.0000"), QStringLiteral("Version 2.0 (c) fi ffl Wa AV"),
        QStringLiteral("床面積 52.17 ㎡×0.46＝23.9982m"), QStringLiteral("ﾌｧｲﾙ ｶﾞｲﾄﾞ"),
        QStringLiteral("97.3% 8.4150m＞ 8.1900m≦"), QStringLiteral("（木造３階建）※…①Ⅱ─■"), QStringLiteral("ΣLw αh ΩωΑ"),
        QStringLiteral("邸😀𠮷"), QStringLiteral("か\u3099き"), QStringLiteral("a\u0301b\u200bc\u202ed"),
        QStringLiteral("tab\tform\ffeed"), QStringLiteral("soft\u00adhyphen"),
    };
    for (int points = 6; points <= 12; ++points) {
        device.setFontSize(points);
        QFont font(SheetFontFamily());
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setKerning(false);
        font.setPixelSize(points * 20);
        const QFontMetricsF whole(font);
        for (const QString &text : texts) {
            EXPECT_EQ(device.textWidth(text), static_cast<float>(whole.horizontalAdvance(text)))
                << points << " pt: " << text.toStdString();
        }
    }
}

TEST(SheetPdf, OnePageWithTheSheetsTexts)
{
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the PDF's text cannot be read back";
    const QString dir = makeScratchDir(QStringLiteral("pdf"));
    const QString path = dir + QStringLiteral("/sheet.pdf");
    ASSERT_TRUE(WriteSheetPdf(path, ThreeStoreys(QString()), OfficeOn()).ok);

    const QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
              1);
    const QString text = PdfText(path);
    EXPECT_TRUE(Shows(text, Str(S::SheetTitle) + QStringLiteral("３階建）"))) << qPrintable(text);
    EXPECT_TRUE(Shows(text, QStringLiteral("（ #N/A ）")));
    EXPECT_TRUE(Shows(text, QStringLiteral("3階建の3階")));
    EXPECT_TRUE(Shows(text, QStringLiteral("重い壁又は屋根＝0.24")));
    EXPECT_TRUE(Shows(text, QStringLiteral("(E)の見付面積×0.5＝(ﾁ)見付面積による")));
    EXPECT_TRUE(Shows(text, QStringLiteral("木摺両面壁")));
    EXPECT_TRUE(Shows(text, QStringLiteral("：見本設計室")));
    EXPECT_TRUE(Shows(text, QStringLiteral("：設計花子")));
    EXPECT_TRUE(Shows(text, QStringLiteral("それぞれの数値の和")));

    // Copied out of the PDF, the kanji are kanji: 木造, not the Kangxi
    // radical ⽊ that the font draws with the same glyph.
    const QString raw = RawPdfText(path);
    EXPECT_TRUE(raw.contains(QStringLiteral("（木造３階建）"))) << qPrintable(raw);
    EXPECT_TRUE(raw.contains(QStringLiteral("必要軸組長さ")));
    EXPECT_TRUE(raw.contains(QStringLiteral("一階床面積")));
    EXPECT_EQ(Radicals(raw), QString());
    // ... and blanks, ideographic spaces and "～" are themselves, not the
    // tab, the em space and the wave dash drawn with the same glyphs.
    EXPECT_TRUE(raw.contains(QStringLiteral("(2)～(4)"))) << qPrintable(raw);
    EXPECT_TRUE(raw.contains(QStringLiteral("（ #N/A ）")));
    for (const QChar lookAlike : {QChar(0x09), QChar(0x2003), QChar(0x301C)})
        EXPECT_FALSE(raw.contains(lookAlike)) << int(lookAlike.unicode());
}

// A character beyond the 16-bit range in the title (a name in 𠮷) leaves the
// text layer of everything after it as it should be.
TEST(SheetPdf, TextLayerKeepsTheSheetsCharactersAfterASurrogatePair)
{
    const QString path = makeScratchDir(QStringLiteral("pdf-pair")) + QStringLiteral("/sheet.pdf");
    ASSERT_TRUE(WriteSheetPdf(path, ThreeStoreys(QStringLiteral("𠮷田邸")), OfficeOn()).ok);
    const QString raw = RawPdfText(path);
    EXPECT_TRUE(raw.contains(QStringLiteral("(2)～(4)"))) << qPrintable(raw);
    EXPECT_FALSE(raw.contains(QChar(0x301C)));
}

TEST(SheetPdf, TextLayerMendedInPlace)
{
    const QFont font(SheetFontFamily());
    if (QRawFont::fromFont(font).glyphIndexesForString(QStringLiteral("⽊")).value(0) == 0)
        GTEST_SKIP() << "the sheet's font has no glyph for the radical ⽊";
    // A ToUnicode map as Qt writes it (one array, a one-glyph range), another
    // compressed one, and the same numbers outside any map.
    const QByteArray before = "1 0 obj\n<< /Type /Font\n/BaseFont /X\n/ToUnicode 2 0 R>>\nendobj\n"
                              "2 0 obj\n<< /Length 99 >>\nstream\n2 beginbfrange\n"
                              "<0000> <0000> <2F4A>\n<0001> <0004> [<2F00> <0041> <2ED1> <6728>]\n"
                              "<0005> <0006> <2F00>\nendbfrange\nendstream\nendobj\n"
                              "3 0 obj\n<< /ToUnicode 4 0 R >>\nendobj\n"
                              "4 0 obj\n<< /Length 9 /Filter /FlateDecode >>\nstream\n[<2F4A>]\nendstream\nendobj\n"
                              "5 0 obj\n[<2F4A>]\nendobj\n";
    QByteArray pdf = before;
    MendPdfTextLayer(pdf, font, QStringLiteral("一木長"));
    ASSERT_EQ(pdf.size(), before.size());
    EXPECT_TRUE(pdf.contains("<0000> <0000> <6728>\n<0001> <0004> [<4E00> <0041> <9577> <6728>]\n"))
        << pdf.constData();
    // A run of glyphs mapped to a run of code points stays as Qt wrote it.
    EXPECT_TRUE(pdf.contains("<0005> <0006> <2F00>\n"));
    EXPECT_TRUE(pdf.contains("stream\n[<2F4A>]\nendstream"));
    EXPECT_TRUE(pdf.endsWith("5 0 obj\n[<2F4A>]\nendobj\n"));
}

TEST(SheetPdf, FailureKeepsTheEarlierFile)
{
    const QString dir = makeScratchDir(QStringLiteral("pdf-fail"));
    const WriteResult missing =
        WriteSheetPdf(dir + QStringLiteral("/no/such/folder/x.pdf"), ThreeStoreys(QString()), OfficeOn());
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    // A folder in the way of the file.
    QDir(dir).mkdir(QStringLiteral("taken.pdf"));
    EXPECT_FALSE(WriteSheetPdf(dir + QStringLiteral("/taken.pdf"), ThreeStoreys(QString()), OfficeOn()).ok);
}

class JwFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer.open(QIODevice::WriteOnly);
        SetUpSheetPdf(writer, QString());
    }
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    PaintSheetDevice measure{&writer};
};

TEST_F(JwFile, Cp932LinesEndedByCrLf)
{
    const QString path = makeScratchDir(QStringLiteral("jw")) + QLatin1Char('/') + QLatin1String(JwFileName);
    ASSERT_TRUE(WriteJwFile(path, ThreeStoreys(QStringLiteral("一号邸")), OfficeOn(), measure).ok);
    const QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("lt1\r\nlc4\r\n "));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    QStringDecoder decode("windows-31j");
    const QString text = decode.decode(bytes);
    EXPECT_FALSE(decode.hasError());
    EXPECT_TRUE(text.contains(QStringLiteral("\"（ 一号邸工事 ）\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"(E)の見付面積×0.5＝(ﾁ)見付面積による\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(" 1 0 \" \r\n")));   // one-space texts of the law table
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n 1830.4 -")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"：設計花子\r\n")));
    EXPECT_FALSE(text.contains(QLatin1Char(',')));

    // A second export replaces the first one completely.
    ASSERT_TRUE(WriteJwFile(path, ThreeStoreys(QStringLiteral("二号邸")), SheetSettings(), measure).ok);
    const QString again = QStringDecoder("windows-31j").decode(readAll(path));
    EXPECT_TRUE(again.startsWith(QStringLiteral("lt1\r\n")));
    EXPECT_FALSE(again.contains(QStringLiteral("一号邸")));
    EXPECT_FALSE(again.contains(QStringLiteral("設計花子")));
    EXPECT_TRUE(again.contains(QStringLiteral("二号邸")));
}

TEST_F(JwFile, FailureLeavesTheEarlierFileWhole)
{
    const QString dir = makeScratchDir(QStringLiteral("jw-fail"));
    const QString path = dir + QStringLiteral("/Qrn_JW.txt");
    writeAll(path, "earlier\r\n");
    const WriteResult missing = WriteJwFile(dir + QStringLiteral("/gone/Qrn_JW.txt"),
                                            ThreeStoreys(QString()), SheetSettings(), measure);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    // A folder in the way of the temporary file's rename.
    QDir(dir).mkdir(QStringLiteral("Qrn_JW2.txt"));
    EXPECT_FALSE(WriteJwFile(dir + QStringLiteral("/Qrn_JW2.txt"), ThreeStoreys(QString()),
                             SheetSettings(), measure).ok);
    EXPECT_EQ(readAll(path), QByteArray("earlier\r\n"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("Qrn_JW.txt")});
}

TEST_F(JwFile, UnencodableTextBecomesAQuestionMark)
{
    const QStringList lines = JwSheetLines(ThreeStoreys(QStringLiteral("邸😀")), SheetSettings(), measure);
    const QByteArray bytes = JwFileBytes(lines);
    const QByteArray expected = QStringEncoder("windows-31j").encode(QStringLiteral("\"（ 邸?工事 ）\r\n"));
    EXPECT_TRUE(bytes.contains(expected));
}

TEST(JwFilePath, TheFileGoesIntoTheFolderWithOrWithoutItsSeparator)
{
    EXPECT_EQ(JwFilePath(QStringLiteral("/tmp/jw/")), QStringLiteral("/tmp/jw/Qrn_JW.txt"));
    EXPECT_EQ(JwFilePath(QStringLiteral("/tmp/jw")), QStringLiteral("/tmp/jw/Qrn_JW.txt"));
}

// ---- qrn pdf and qrn jw --------------------------------------------------

struct QrnRun {
    int status = -1;
    QString out, err;
};

QrnRun Qrn(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QUIREN_BIN_DIR "/qrn"), args);
    QrnRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A calculation file of two storeys, written as the program writes one.
QString WriteCalcFile(const QString &dir)
{
    const QString path = dir + QStringLiteral("/二階建.qrn");
    QByteArray text = "\"Quiren\"\r\n#FALSE#,#FALSE#,#FALSE#\r\n";
    QStringEncoder encode("windows-31j");
    text += encode.encode(QStringLiteral("\"田中邸\",1,0,0,#FALSE#\r\n"));
    text += "\"60\",\"20\",\"25\"\r\n\"40\",\"10\",\"12\"\r\n\"\",\"\",\"\"\r\n";
    for (int r = 0; r < 23; ++r) {
        if (r == 0)
            text += encode.encode(QStringLiteral("\"木材\",\"4.5×9\",\"する\",\"  1.82\",\"3\",\"  1.82\",\"2\"\r\n"));
        else
            text += "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    }
    writeAll(path, text);
    return path;
}

TEST(QrnCommands, PdfBesideTheFileOrWhereAsked)
{
    const QString dir = makeScratchDir(QStringLiteral("qrn-pdf"));
    const QString file = WriteCalcFile(dir);
    const QrnRun run = Qrn({QStringLiteral("pdf"), file});
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const QString pdf = dir + QStringLiteral("/二階建.pdf");
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF"));
    if (HavePdfToText()) {
        const QString text = PdfText(pdf);
        EXPECT_TRUE(Shows(text, QStringLiteral("（ 田中邸工事 ）")));
        EXPECT_TRUE(Shows(text, QStringLiteral("4.5×9 タスキ")));
        EXPECT_TRUE(Shows(text, QStringLiteral("2階建の2階")));
    }

    const QString other = dir + QStringLiteral("/other.pdf");
    EXPECT_EQ(Qrn({QStringLiteral("pdf"), file, QStringLiteral("-o"), other}).status, 0);
    EXPECT_TRUE(QFile::exists(other));

    const QrnRun refused =
        Qrn({QStringLiteral("pdf"), file, QStringLiteral("-o"), dir + QStringLiteral("/none/x.pdf")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("書き込めません"))) << qPrintable(refused.err);

    EXPECT_EQ(Qrn({QStringLiteral("pdf")}).status, 2);
    EXPECT_EQ(Qrn({QStringLiteral("pdf"), file, QStringLiteral("-o")}).status, 2);
    EXPECT_EQ(Qrn({QStringLiteral("pdf"), dir + QStringLiteral("/missing.qrn")}).status, 2);
}

TEST(QrnCommands, JwIntoTheJwFolder)
{
    const QString dir = makeScratchDir(QStringLiteral("qrn-jw"));
    const QString file = WriteCalcFile(dir);
    const QString jwFolder = makeScratchDir(QStringLiteral("qrn-jw-folder")) + QLatin1Char('/');
    WriteJwPath(jwFolder);

    const QrnRun run = Qrn({QStringLiteral("jw"), file});
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const QByteArray bytes = readAll(jwFolder + QStringLiteral("Qrn_JW.txt"));
    EXPECT_TRUE(bytes.startsWith("lt1\r\n"));
    const QString text = QStringDecoder("windows-31j").decode(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("\"4.5×9 タスキ\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"2階建の2階\r\n")));

    const QString out = dir + QStringLiteral("/named.txt");
    EXPECT_EQ(Qrn({QStringLiteral("jw"), file, QStringLiteral("-o"), out}).status, 0);
    EXPECT_EQ(readAll(out), bytes);

    const QrnRun refused =
        Qrn({QStringLiteral("jw"), file, QStringLiteral("-o"), dir + QStringLiteral("/none/x.txt")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("書き込めません"))) << qPrintable(refused.err);
}

} // namespace
