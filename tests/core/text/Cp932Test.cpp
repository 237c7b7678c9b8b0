#include "core/text/Cp932.h"

#include <gtest/gtest.h>

using namespace quiren;

// Bytes written out by hand from the CP932 code table.
TEST(Cp932, HoldsTheWindowsExtensionsAndNamesWhatItCannotHold)
{
    EXPECT_EQ(ToCp932(u"①髙ｱ"), QByteArray("\x87\x40\xFB\xFC\xB1"));
    EXPECT_EQ(FromCp932("\x87\x40\xFB\xFC\xB1"), QStringLiteral("①髙ｱ"));
    // Single bytes are their own codes, as Windows reads them (Qt's codec
    // swaps three control codes), alone and beside Japanese; a text cut
    // after a lead byte leaves nothing for the next.
    QByteArray singleBytes;
    QString singleCodes;
    for (int b = 0; b < 0x80; ++b) {
        singleBytes += static_cast<char>(b);
        singleCodes += QChar(b);
    }
    EXPECT_EQ(FromCp932(singleBytes), singleCodes);
    EXPECT_EQ(FromCp932("\x82\xA0" + singleBytes), QStringLiteral("あ") + singleCodes);
    EXPECT_EQ(ToCp932(singleCodes), singleBytes);
    EXPECT_EQ(ToCp932(QStringLiteral("あ") + singleCodes), "\x82\xA0" + singleBytes);
    EXPECT_EQ(FromCp932Whole("\x82\xA0" + singleBytes), QStringLiteral("あ") + singleCodes);
    EXPECT_EQ(FromCp932Whole("\x82"), std::nullopt);
    EXPECT_EQ(FromCp932Whole("abc"), QStringLiteral("abc"));   // an error before is not kept
    EXPECT_EQ(FromCp932("\x82"), QString());
    EXPECT_EQ(FromCp932("\xA0" "abc").mid(1), QStringLiteral("abc"));
    EXPECT_EQ(FromCp932("\x82\xA0"), QStringLiteral("あ"));

    struct Case {
        QString text;
        QString firstNotHeld;
    };
    const Case cases[] = {
        {QStringLiteral("木造2階"), QString()},
        {QString(), QString()},
        {QStringLiteral("Café"), QStringLiteral("é")},
        {QStringLiteral("壁😀壁"), QStringLiteral("😀")},
        {QStringLiteral("壁") + QChar(0xD83D), QString(QChar(0xD83D))},   // half a pair
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Cp932CanHold(c.text), c.firstNotHeld.isEmpty()) << c.text.toStdString();
        EXPECT_EQ(FirstNotInCp932(c.text), c.firstNotHeld) << c.text.toStdString();
    }
}

TEST(Cp932, FieldTextTakesTheFormsCp932Holds)
{
    const struct {
        char16_t typed;
        char16_t stored;
    } cases[] = {
        {u'"', u'＂'}, {u'\r', u' '}, {u'\n', u' '}, {u'〜', u'～'}, {u'−', u'－'},
        {u'‖', u'∥'}, {u'—', u'―'}, {u'¢', u'￠'}, {u'£', u'￡'}, {u'¬', u'￢'},
    };
    for (const auto &c : cases) {
        const QString stored = Cp932FieldText(QStringLiteral("a") + QChar(c.typed) + QStringLiteral("b"));
        EXPECT_EQ(stored, QStringLiteral("a") + QChar(c.stored) + QStringLiteral("b")) << int(c.typed);
        EXPECT_TRUE(Cp932CanHold(stored)) << int(c.typed);
    }
    EXPECT_EQ(Cp932FieldText(QStringLiteral("壁量～")), QStringLiteral("壁量～"));
}
