#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <random>
#include <string>

using namespace quiren;

TEST(NumberText, FixedFormatsRoundHalfAwayFromZeroOnTheExactDouble)
{
    EXPECT_EQ(FormatFixed4(0.0), "0.0000");
    EXPECT_EQ(FormatFixed4(12.0), "12.0000");
    EXPECT_EQ(FormatFixed4(7.28), "7.2800");
    // 1.00005 is stored slightly above its decimal value: rounds up.
    EXPECT_EQ(FormatFixed4(1.00005), "1.0001");
    // 0.00015 is stored slightly below: rounds down.
    EXPECT_EQ(FormatFixed4(0.00015), "0.0001");
    // An exact binary tie goes away from zero, not to even.
    EXPECT_EQ(FormatFixed4(0.03125), "0.0313");
    EXPECT_EQ(FormatFixed4(-0.03125), "-0.0313");
    EXPECT_EQ(FormatFixed4(9.99995), "10.0000");
    EXPECT_EQ(FormatFixed4(99999.99999), "100000.0000");
    // A value that rounds to zero carries no minus sign.
    EXPECT_EQ(FormatFixed4(-0.00001), "0.0000");

    EXPECT_EQ(FormatDecimal(2.25, 1, 1), "2.3");
    EXPECT_EQ(FormatDecimal(2.45f, 1, 1), "2.5");   // the single 2.45 lies above 2.45
    EXPECT_EQ(FormatDecimal(1.0, 1, 1), "1.0");
    EXPECT_EQ(FormatFixed2(0.51), "0.51");
    EXPECT_EQ(FormatFixed2(75 / 100.0), "0.75");
    EXPECT_EQ(FormatFixed2(0.5), "0.50");
    // A half decided far beyond the kept places, and the smallest double.
    EXPECT_EQ(FormatDecimal(0.25000000000000006, 1, 1), "0.3");
    EXPECT_EQ(FormatDecimal(0.24999999999999997, 1, 1), "0.2");
    EXPECT_EQ(FormatFixed4(4.9406564584124654e-324), "0.0000");
    // No decimals: no point, and a carry into a new place.
    EXPECT_EQ(FormatDecimal(9.5, 0, 0), "10");
    EXPECT_EQ(FormatDecimal(-0.4, 0, 0), "0");
    // The exact double 1e300 is, written out.
    const QString huge = FormatDecimal(1e300, 1, 1);
    EXPECT_TRUE(huge.startsWith(QStringLiteral("10000000000000000525047602552044202487")) && huge.endsWith(QStringLiteral("540160.0"))
                && huge.size() == 303) << huge.toStdString();
}

TEST(NumberText, LengthFormatKeepsOneToFourDecimals)
{
    EXPECT_EQ(FormatLength(2), "2.0");
    EXPECT_EQ(FormatLength(1.82), "1.82");
    EXPECT_EQ(FormatLength(1.365), "1.365");
    EXPECT_EQ(FormatLength(1.4325), "1.4325");
    EXPECT_EQ(FormatLength(1.43256), "1.4326");
    EXPECT_EQ(FormatLength(0.99999), "1.0");
    EXPECT_EQ(FormatLength(12.5), "12.5");
}

TEST(NumberText, PercentCarriesItsTrailingSpace)
{
    EXPECT_EQ(FormatPercent(87.5f), "87.5% ");
    EXPECT_EQ(FormatPercent(87.46f), "87.5% ");
    EXPECT_EQ(FormatPercent(99.94f), "99.9% ");
    EXPECT_EQ(FormatPercent(0.0f), "0.0% ");
    EXPECT_EQ(FormatPercent(5.0f), "5.0% ");
}

TEST(NumberText, SingleTextIsTheShortestSevenDigitText)
{
    EXPECT_EQ(SingleText(0.11f), "0.11");
    EXPECT_EQ(SingleText(0.5f), "0.5");
    EXPECT_EQ(SingleText(1.365f), "1.365");
    EXPECT_EQ(SingleText(3.0f), "3");
    EXPECT_EQ(SingleText(0.0f), "0");
    EXPECT_EQ(SingleText(1830.4f), "1830.4");
    EXPECT_EQ(SingleText(-2000.0f), "-2000");
    EXPECT_EQ(SingleText(19792.96f), "19792.96");
    EXPECT_EQ(SingleText(1234567.0f), "1234567");
    EXPECT_EQ(SingleText(0.1f + 0.2f), "0.3");
}

TEST(NumberText, IsSingleNumberAcceptsPlainDecimalsOnly)
{
    for (const char *ok : {"12", "12.5", " 12.5 ", "-1.5", "+3", ".5", "5.", "1e3", "1.5E-2", "0", "1e+3\t",
                           "\u3000 7", "12 \n"})
        EXPECT_TRUE(IsSingleNumber(QString::fromUtf8(ok))) << ok;
    for (const char *bad : {"", " ", "abc", "12a", "&H10", "0x10", "$5", "¥5", "1,000", "1.2.3",
                            "inf", "nan", "--1", "1e", "e3", "１２", "1 2", ".", "+", "1e+", "1 e3", "\n12", "12\n\n", "٣"})
        EXPECT_FALSE(IsSingleNumber(QString::fromUtf8(bad))) << bad;

    EXPECT_EQ(CheckNumberText(QStringLiteral("1e39")), NumberCheck::OutOfRange);
    EXPECT_EQ(CheckNumberText(QStringLiteral("-4e38")), NumberCheck::OutOfRange);
    EXPECT_EQ(CheckNumberText(QStringLiteral("3e38")), NumberCheck::Number);
    EXPECT_EQ(CheckNumberText(QStringLiteral("1e999")), NumberCheck::OutOfRange);
    EXPECT_EQ(CheckNumberText(QStringLiteral("x")), NumberCheck::NotANumber);
}

TEST(NumberText, FullWidthNumbersBecomeHalfWidth)
{
    const struct {
        const char *typed;
        const char *half;
    } cases[] = {
        {"１．８２", "1.82"}, {"－５", "-5"}, {"−５", "-5"}, {"＋３", "+3"}, {"１２ｍ", "12ｍ"},
        {"　１．５　", "　1.5　"}, {"1.82", "1.82"}, {"", ""}, {"木材", "木材"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HalfWidthNumber(QString::fromUtf8(c.typed)), QString::fromUtf8(c.half)) << c.typed;
    EXPECT_TRUE(IsSingleNumber(HalfWidthNumber(QStringLiteral("１．８２"))));
}

TEST(NumberText, CellValuesAndAreaNormalisation)
{
    EXPECT_EQ(TextValue(QString()), 0.0);
    EXPECT_EQ(TextValue(QStringLiteral("  1.82")), 1.82);
    EXPECT_EQ(TextValue(QStringLiteral("OK")), 0.0);
    EXPECT_EQ(TextValue(QStringLiteral("87.5% ")), 0.0);

    EXPECT_EQ(PlainSingleText(QStringLiteral("12.50")), "12.5");
    EXPECT_EQ(PlainSingleText(QStringLiteral("007")), "7");
    EXPECT_EQ(PlainSingleText(QStringLiteral("120")), "120");
    EXPECT_EQ(PlainSingleText(QStringLiteral("33.333333333")), "33.33333");
}

// Short decimals are read by a quicker way than long ones: both must give the
// very double the general reader gives, to the last bit.
TEST(NumberText, ShortDecimalsReadToTheSameDoubleAsTheGeneralReader)
{
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + int(random() % 17);
        std::string text = random() % 4 == 0 ? "-" : "";
        const int point = int(random() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0)
                text += '.';
            text += char('0' + random() % 10);
        }
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const double value = TextValue(QString::fromStdString(text));
        ASSERT_EQ(std::signbit(value), std::signbit(expected)) << text;
        ASSERT_EQ(value, expected) << text;
    }
}

TEST(NumberText, LeadingSpacesAndPlaces)
{
    EXPECT_EQ(LeadingSpaces(1.82), 2);
    EXPECT_EQ(LeadingSpaces(2), 2);
    EXPECT_EQ(LeadingSpaces(12.5), 1);
    EXPECT_EQ(LeadingSpaces(12), 2);
    EXPECT_EQ(LeadingSpaces(12.04), 2);
    EXPECT_EQ(LeadingSpaces(99.96), 2);   // rounds to 100

    EXPECT_EQ(RoundPlaces(2.5), 2);
    EXPECT_EQ(RoundPlaces(3.5), 4);
    EXPECT_EQ(RoundPlaces(-0.4), 0);
    EXPECT_EQ(RoundPlaces(32767.0), 32767);
    EXPECT_FALSE(RoundPlaces(32768.0).has_value());
    EXPECT_FALSE(RoundPlaces(1e10).has_value());
}
