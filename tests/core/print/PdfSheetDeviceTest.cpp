// The PDF the program writes itself: the same text as Qt's PDF writer gives
// for every example, and a font subset that draws the glyphs it was given.
#include "TestSupport.h"
#include "../documents/ExampleSheets.h"

#include "core/print/PaintSheetDevice.h"
#include "core/print/PdfSheetDevice.h"
#include "core/print/SheetPdf.h"
#include "core/print/TrueTypeFace.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>

using namespace quiren;
using namespace quiren::test;

namespace {

QString PdfText(const QString &dir, const QString &name, const QByteArray &pdf)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return QStringLiteral("(not written)");
    file.close();
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext failed)");
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// Laid out by the same measures and drawn in the same font, the program's PDF
// reads exactly as Qt's: every text in its place, every character itself.
TEST(OwnPdf, ReadsAsQtsPdfForEveryExample)
{
    if (!SheetFontFace())
        GTEST_SKIP() << "the sheet's font is not a TrueType face the program can embed";
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString dir = makeScratchDir(QStringLiteral("own-pdf"));
    for (const ExampleSheet &example : ExampleSheets()) {
        const std::optional<QByteArray> own = SheetPdfBytes(*example.sheet, {});
        const std::optional<QByteArray> qt = SheetPdfBytesThroughQt(*example.sheet, {});
        ASSERT_TRUE(own && qt) << qPrintable(example.fileName);
        EXPECT_TRUE(own->contains("/Producer (Quiren)")) << "written through Qt: " << qPrintable(example.fileName);
        EXPECT_EQ(PdfText(dir, QStringLiteral("own.pdf"), *own), PdfText(dir, QStringLiteral("qt.pdf"), *qt))
            << qPrintable(example.fileName);
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
