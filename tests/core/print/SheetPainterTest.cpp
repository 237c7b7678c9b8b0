// The grid, the primitives and the JW-CAD command lines.
#include "FakeSheetDevice.h"

#include "core/print/JwExport.h"
#include "core/print/SheetPainter.h"

#include <gtest/gtest.h>

using namespace quiren;
using quiren::test::FakeSheetDevice;

namespace {

TEST(SheetGrid, PrintModeOnAPageOf11340Twips)
{
    FakeSheetDevice device;
    SheetPainter p(device);
    p.ComputeLayout();
    EXPECT_FLOAT_EQ(p.Scale(), 1.0f);
    EXPECT_FLOAT_EQ(p.ColX(0), 1040.0f);
    EXPECT_FLOAT_EQ(p.ColX(26), 11246.0f);
    EXPECT_FLOAT_EQ(p.ColX(8), 4686.0f);
    EXPECT_FLOAT_EQ(p.ColX(17), 7966.0f);
    // Character sizes of "あ": one em.
    EXPECT_FLOAT_EQ(p.CharHeight(11), 220.0f);
    EXPECT_FLOAT_EQ(p.CharWidth(8), 160.0f);
    EXPECT_FLOAT_EQ(p.CharWidth(12), 240.0f);
    // Rows: three 12-point lines down, then one 11-point line each.
    EXPECT_FLOAT_EQ(p.RowY(0), 720.0f);
    EXPECT_FLOAT_EQ(p.RowY(1), 940.0f);
    EXPECT_FLOAT_EQ(p.RowY(70), 720.0f + 70 * 220.0f);
    // Columns in the floor-area block and the two direction blocks.
    EXPECT_FLOAT_EQ(p.ColX(1), 1280.0f);
    EXPECT_FLOAT_EQ(p.ColX(2), 1520.0f);
    EXPECT_FLOAT_EQ(p.ColX(3), 1680.0f);
    EXPECT_FLOAT_EQ(p.ColX(4), 4686.0f - 12.5f * 160.0f);
    EXPECT_FLOAT_EQ(p.ColX(5), 4686.0f - 8.5f * 160.0f);
    EXPECT_FLOAT_EQ(p.ColX(10), 7966.0f - 14 * 160.0f);
    EXPECT_FLOAT_EQ(p.ColX(14), p.ColX(11) + 7 * 160.0f);
    EXPECT_FLOAT_EQ(p.ColX(16), 7966.0f - 160.0f);
    for (int c = 9; c <= 16; ++c)
        EXPECT_FLOAT_EQ(p.ColX(c + 9) - p.ColX(17), p.ColX(c) - p.ColX(8)) << c;
    // Columns grow from left to right.
    for (int c = 1; c <= 26; ++c)
        EXPECT_LT(p.ColX(c - 1), p.ColX(c)) << c;
}

TEST(SheetGrid, FileModeScalesBy176)
{
    FakeSheetDevice device;
    QStringList lines;
    JwOutput pOutput(device, lines);
    SheetPainter p(device, pOutput);
    p.ComputeLayout();
    EXPECT_FLOAT_EQ(p.Scale(), 1.76f);
    EXPECT_EQ(JwNumber(p.ColX(0)), QStringLiteral("1830.4"));
    EXPECT_EQ(JwNumber(p.ColX(26)), QStringLiteral("19792.96"));
    EXPECT_FLOAT_EQ(p.CharHeight(11), 220.0f * 1.76f);
    EXPECT_FLOAT_EQ(p.CharWidth(8), 160.0f * 1.76f);
    EXPECT_TRUE(lines.isEmpty());   // computing the grid writes nothing
}

TEST(JwFormat, Numbers)
{
    EXPECT_EQ(JwNumber(1830.4f), QStringLiteral("1830.4"));
    EXPECT_EQ(JwNumber(-2000.0f), QStringLiteral("-2000"));
    EXPECT_EQ(JwNumber(19792.96f), QStringLiteral("19792.96"));
    EXPECT_EQ(JwNumber(-0.0f), QStringLiteral("0"));
    EXPECT_EQ(JwNumber(-9011.2019f), QStringLiteral("-9011.202"));   // seven digits
}

TEST(JwFormat, FileModeTextWidths)
{
    FakeSheetDevice device;
    QStringList lines;
    JwOutput pOutput(device, lines);
    SheetPainter p(device, pOutput);
    p.ComputeLayout();
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("1.0"), 2), 395.0f);
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("必要軸組長さ"), 2), 1600.0f);
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("必要軸組長さ"), 3), 2050.0f);
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("m"), 2), 135.0f);
    // Half-width katakana are one byte in CP932.
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("ｲ"), 2), 135.0f);
    EXPECT_FLOAT_EQ(p.TextWidthOf(QString(), 2), 0.0f);
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral(" "), 3), 0.0f);
    // A character CP932 cannot hold is written, and measured, as "?".
    EXPECT_FLOAT_EQ(p.TextWidthOf(QStringLiteral("😀"), 2), 135.0f);
    EXPECT_EQ(JwBytes(QStringLiteral("a😀㎡")), QByteArray("a?\x87\x75"));
}

TEST(JwFormat, CommandLines)
{
    FakeSheetDevice device;
    QStringList lines;
    JwOutput pOutput(device, lines);
    SheetPainter p(device, pOutput);
    p.ComputeLayout();

    p.PutText(1000.0f, 2500.0f, QStringLiteral("一階"));
    p.PutText(10.0f, 20.0f, QString());
    p.PutText(10.0f, 20.0f, QStringLiteral(" "));
    p.SetSheetFont(9, 3);
    p.SetPen(4);
    p.PutLineType();
    p.EndChain();
    p.DrawGridLine(0, 2, 26, 2, 0);
    const QString y2 = JwNumber(-p.RowY(2));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("ch 1000 -2500 1 0 \"一階"),
                                  QStringLiteral("ch 10 -20 1 0 \" "),
                                  QStringLiteral("cn3"),
                                  QStringLiteral("lc4"),
                                  QStringLiteral("lt1"),
                                  QString(),
                                  QStringLiteral(" 1830.4 ") + y2 + QStringLiteral(" 19792.96 ") + y2}));
    EXPECT_TRUE(device.ops.empty());   // file mode never draws
}

TEST(JwFormat, RowTextTopSitsOnTheBaseLine)
{
    FakeSheetDevice device;
    QStringList lines;
    JwOutput fileOutput(device, lines);
    SheetPainter file(device, fileOutput);
    file.ComputeLayout();
    const float h11 = file.CharHeight(11);
    EXPECT_FLOAT_EQ(file.RowTextTop(5, 2), file.RowY(5) + 250.0f + (h11 - 250.0f) / 2.0f);
    EXPECT_FLOAT_EQ(file.RowTextTop(5, 3), file.RowY(5) + 300.0f + (h11 - 300.0f) / 2.0f);

    FakeSheetDevice paper;
    SheetPainter print(paper);
    print.ComputeLayout();
    print.SetSheetFont(8, 2);
    EXPECT_FLOAT_EQ(print.RowTextTop(5, 2), print.RowY(5) + 30.0f);
    print.SetSheetFont(10, 4);
    EXPECT_FLOAT_EQ(print.RowTextTop(5, 4), print.RowY(5) + 10.0f);
}

TEST(SheetPrimitives, PrintModeTextsAndCentring)
{
    FakeSheetDevice device;
    SheetPainter p(device);
    p.ComputeLayout();
    p.SetSheetFont(9, 3);
    p.PutText(5.0f, 6.0f, QString());
    p.PutText(5.0f, 6.0f, QStringLiteral(" "));
    p.PutCentred(2, 8, 8, QStringLiteral("軸組の種類"), 3);

    const auto texts = device.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral(" "));
    EXPECT_EQ(texts[0].size, 9);
    const float span = p.ColX(8) - p.ColX(2);
    EXPECT_FLOAT_EQ(texts[1].x1, p.ColX(2) + (span - 900.0f) / 2.0f);
    EXPECT_FLOAT_EQ(texts[1].y1, p.RowY(8) + 20.0f);
}

TEST(SheetPrimitives, ChainsContinueFromThePreviousLine)
{
    // Print mode: four sides, the last one back to the top-left corner, and
    // never a line from (0, 0) to (0, 0).
    FakeSheetDevice device;
    SheetPainter p(device);
    p.ComputeLayout();
    p.SetPen(4);
    p.DrawGridLine(0, 0, 26, 0, 1);
    p.DrawGridLine(26, 20, 0, 0, 0);
    p.DrawGridLine(0, 20, 0, 0, 0);
    p.DrawGridLine(0, 0, 0, 0, 0);
    p.EndChain();
    const auto lines = device.lines();
    ASSERT_EQ(lines.size(), 4u);
    const float left = p.ColX(0), right = p.ColX(26), top = p.RowY(0), bottom = p.RowY(20);
    EXPECT_EQ(lines[1].x1, right);
    EXPECT_EQ(lines[1].y1, top);
    EXPECT_EQ(lines[1].y2, bottom);
    EXPECT_EQ(lines[3].x1, left);
    EXPECT_EQ(lines[3].y1, bottom);
    EXPECT_EQ(lines[3].x2, left);
    EXPECT_EQ(lines[3].y2, top);
    for (const auto &line : lines)
        EXPECT_EQ(line.lineWidth, 7);

    // File mode: a chain is its points, and its end an empty line.
    FakeSheetDevice measure;
    QStringList jw;
    JwOutput fOutput(measure, jw);
    SheetPainter f(measure, fOutput);
    f.ComputeLayout();
    f.DrawGridLine(0, 0, 26, 0, 1);
    f.DrawGridLine(26, 20, 0, 0, 0);
    f.DrawGridLine(0, 20, 0, 0, 0);
    f.DrawGridLine(0, 0, 0, 0, 0);
    f.EndChain();
    const QString t = JwNumber(-f.RowY(0)), b = JwNumber(-f.RowY(20));
    EXPECT_EQ(jw, (QStringList{QStringLiteral(" 1830.4 ") + t, QStringLiteral(" 19792.96 ") + t,
                               QStringLiteral(" 19792.96 ") + b, QStringLiteral(" 1830.4 ") + b,
                               QStringLiteral(" 1830.4 ") + t, QString()}));
}

TEST(SheetPrimitives, PensFollowThePenWidths)
{
    FakeSheetDevice device;
    SheetPainter p(device);
    p.ComputeLayout();
    p.SetPenWidths({2, 4, 6, 8});
    for (int pen = 1; pen <= 4; ++pen) {
        p.SetPen(pen);
        p.DrawGridLine(1, pen, 26, pen, 0);
    }
    const auto lines = device.lines();
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[static_cast<size_t>(i)].lineWidth, 2 * (i + 1));
}

} // namespace

namespace {

// A text broken into lines: each within the room, nothing lost, a blank
// near the end of a line taken as the place to break, a surrogate pair whole.
TEST(SheetGrid, WrapTextKeepsEveryCharacterWithinTheRoom)
{
    FakeSheetDevice device;
    SheetPainter p(device);
    p.ComputeLayout();
    p.SetSheetFont(8, 2);
    const float em = p.TextWidthOf(QStringLiteral("あ"), 2);
    const struct {
        QString text;
        float ems;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("早見表"), 10, {QStringLiteral("早見表")}},
        {QStringLiteral("あいうえおかきくけこさしすせそ"), 5,
         {QStringLiteral("あいうえお"), QStringLiteral("かきくけこ"), QStringLiteral("さしすせそ")}},
        {QStringLiteral("あいうえ おかき"), 5, {QStringLiteral("あいうえ"), QStringLiteral("おかき")}},
        {QString(), 5, {QString()}},
    };
    for (const auto &c : cases) {
        const QStringList lines = p.WrapText(c.text, c.ems * em + 1.0f, 2);
        EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        for (const QString &line : lines)
            EXPECT_LE(p.TextWidthOf(line, 2), c.ems * em + 1.0f) << line.toStdString();
    }
    for (const QString &line : p.WrapText(QStringLiteral("𠀋𠀋𠀋𠀋𠀋𠀋𠀋"), em, 2))
        EXPECT_FALSE(line.front().isLowSurrogate());
}

} // namespace
