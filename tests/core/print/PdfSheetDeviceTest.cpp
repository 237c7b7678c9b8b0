// The PDF the program writes itself: the same text as Qt's PDF writer gives
// for every example, and a font subset that draws the glyphs it was given.
#include "TestSupport.h"

#include "core/documents/SheetFile.h"
#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfSheetDevice.h"
#include "core/print/SheetPdf.h"
#include "core/print/TrueTypeFace.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace quiren;
using namespace quiren::test;

namespace {

// The words of a PDF as pdftotext finds them, each with where it starts on
// its page, in points.
struct PdfWord {
    double x = 0, y = 0;
    QString text;
};

std::vector<PdfWord> PdfWords(const QString &dir, const QString &name, const QByteArray &pdf)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (auto match = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        words.push_back({found.captured(1).toDouble(), found.captured(2).toDouble(), found.captured(3)});
    }
    return words;
}

// The first word that differs in its text or by more than a hundredth of a
// point in its place; empty when none does.
QString FirstDifference(const std::vector<PdfWord> &own, const std::vector<PdfWord> &qt)
{
    for (std::size_t i = 0; i < std::max(own.size(), qt.size()); ++i) {
        const PdfWord a = i < own.size() ? own[i] : PdfWord{};
        const PdfWord b = i < qt.size() ? qt[i] : PdfWord{};
        if (a.text != b.text || std::abs(a.x - b.x) > 0.01 || std::abs(a.y - b.y) > 0.01)
            return QStringLiteral("word %1: %2 at (%3, %4), Qt's %5 at (%6, %7)")
                .arg(i).arg(a.text).arg(a.x).arg(a.y).arg(b.text).arg(b.x).arg(b.y);
    }
    return {};
}

} // namespace

// Laid out by the same measures and drawn in the same font, the program's PDF
// reads exactly as Qt's: every word in its place, every character itself.
TEST(OwnPdf, ReadsAsQtsPdfForEveryExample)
{
    if (!SheetFontFace())
        GTEST_SKIP() << "the sheet's font is not a TrueType face the program can embed";
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString dir = makeScratchDir(QStringLiteral("own-pdf"));
    const QDir examples(QStringLiteral(QUIREN_SOURCE_DIR "/examples"));
    const QStringList files = examples.entryList({QStringLiteral("*.qrn"), QStringLiteral("*.qrn2")}, QDir::Files);
    ASSERT_GE(files.size(), 5);
    for (const QString &file : files) {
        const SheetFileRead read = ReadSheetFile(examples.filePath(file));
        ASSERT_EQ(read.status, SheetFileStatus::Ok) << qPrintable(file);
        CalcSheet sheet;
        ApplySheetFile(sheet, read.data);
        const std::optional<QByteArray> own = SheetPdfBytes(sheet, {});
        const std::optional<QByteArray> qt = SheetPdfBytesThroughQt(sheet, {});
        ASSERT_TRUE(own && qt) << qPrintable(file);
        EXPECT_TRUE(own->contains("/Producer (Quiren)")) << "written through Qt: " << qPrintable(file);
        const std::vector<PdfWord> ownWords = PdfWords(dir, QStringLiteral("own.pdf"), *own);
        EXPECT_GT(ownWords.size(), 100u) << qPrintable(file);
        EXPECT_EQ(FirstDifference(ownWords, PdfWords(dir, QStringLiteral("qt.pdf"), *qt)), QString())
            << qPrintable(file);
    }
}

// The subset's glyphs are the face's: the same outlines and advances, in the
// order given.
TEST(OwnPdf, FontSubsetDrawsTheGlyphsGiven)
{
    const TrueTypeFace *face = SheetFontFace();
    if (!face)
        GTEST_SKIP() << "the sheet's font is not a TrueType face the program can embed";
    const QString drawn = QStringLiteral("木造壁量ｶﾍﾞ㎡～ 0.5m（）");
    QList<quint16> glyphs{0};
    for (const QChar c : drawn)
        glyphs.append(face->glyphFor(c.unicode()));
    const QByteArray subsetBytes = SubsetTrueTypeFace(*face, glyphs);
    ASSERT_FALSE(subsetBytes.isEmpty());
    const QRawFont subset(subsetBytes, 100, QFont::PreferNoHinting);
    QFont font = SheetFont();
    font.setPixelSize(100);
    const QRawFont whole = QRawFont::fromFont(font);
    ASSERT_TRUE(subset.isValid() && whole.isValid());

    const QList<quint32> wholeGlyphs = whole.glyphIndexesForString(drawn);
    for (qsizetype i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(QString(drawn[i]).toStdString());
        EXPECT_EQ(glyphs[i + 1], wholeGlyphs[i]) << "the face's map and Qt's differ";
        const quint32 ownGlyph = quint32(i + 1);
        EXPECT_EQ(subset.advancesForGlyphIndexes({ownGlyph}), whole.advancesForGlyphIndexes({wholeGlyphs[i]}));
        EXPECT_EQ(subset.pathForGlyph(ownGlyph), whole.pathForGlyph(wholeGlyphs[i]));
    }
    // A character the face has no glyph for is not drawn by the program.
    EXPECT_EQ(face->glyphFor(u'\x0E01'), 0);   // Thai
}
