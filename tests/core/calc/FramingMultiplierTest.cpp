#include "core/calc/CoefficientTable.h"
#include "core/calc/Framing.h"
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

using namespace quiren;

namespace {

QString multiplierText(const QString &kind, const QString &section, const QString &x,
                       const CertifiedWallList &walls = {})
{
    return MultiplierText(FramingMultiplier(kind, section, x, walls, static_cast<int>(walls.size()) - 1));
}

CertifiedWallList wallsOf(std::initializer_list<std::pair<const char *, float>> entries)
{
    CertifiedWallList list;
    for (const auto &[name, m] : entries)
        list.append(CertifiedWall{QString::fromUtf8(name), m, {}});
    return list;
}

} // namespace

TEST(FramingMultiplier, BuiltInKindsBySectionAndBracing)
{
    const QStringList sections{"1.5×9", "3×9", "4.5×9", "9×9"};
    const QStringList single{"1.0", "1.5", "2.0", "3.0"};
    const QStringList crossed{"2.0", "3.0", "4.0", "5.0"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(multiplierText("木材", sections[i], "しない"), single[i]) << i;
        EXPECT_EQ(multiplierText("木材", sections[i], "する"), crossed[i]) << i;
    }
    EXPECT_EQ(multiplierText("土塗り壁", "-", "-"), "0.5");
    EXPECT_EQ(multiplierText("木摺片面壁", "-", "-"), "0.5");
    EXPECT_EQ(multiplierText("木摺両面壁", "-", "-"), "1.0");
    EXPECT_EQ(multiplierText("9㎜鉄筋", "-", "-"), "1.0");
    // The rebar brace ignores whatever its section cells hold.
    EXPECT_EQ(multiplierText("9㎜鉄筋", "9×9", "する"), "1.0");
    EXPECT_EQ(multiplierText("土塗り壁+鉄筋", "-", "-"), "1.5");
    EXPECT_EQ(multiplierText("木摺片面壁+鉄筋", "-", "-"), "1.5");
    EXPECT_EQ(multiplierText("木摺両面壁+鉄筋", "-", "-"), "2.0");
    EXPECT_EQ(multiplierText("土塗り壁+木材", "4.5×9", "する"), "4.5");
    EXPECT_EQ(multiplierText("木摺片面壁+木材", "3×9", "しない"), "2.0");
    // Crossed 9×9 alone is 5.0, not 6.0; with a wall the sum is capped at 5.
    EXPECT_EQ(multiplierText("木摺両面壁+木材", "9×9", "する"), "5.0");
    EXPECT_EQ(multiplierText("木摺両面壁+木材", "4.5×9", "しない"), "3.0");
    // A wood kind without a known section has no brace part.
    EXPECT_EQ(multiplierText("木材", "", "する"), "0.0");
}

TEST(FramingMultiplier, CertifiedWallsMatchByNameAndYieldToBuiltIns)
{
    const CertifiedWallList walls = wallsOf({{"A壁", 2.5f}});
    EXPECT_EQ(multiplierText("A壁", "-", "-", walls), "2.5");
    EXPECT_EQ(multiplierText("A壁+鉄筋", "-", "-", walls), "3.5");
    EXPECT_EQ(multiplierText("A壁+木材", "3×9", "する", walls), "5.0");
    EXPECT_EQ(multiplierText("A壁+木材", "1.5×9", "しない", walls), "3.5");

    // A certified name starting like a built-in lath wall takes the built-in value.
    const CertifiedWallList lath = wallsOf({{"木摺両面特殊", 4.0f}});
    EXPECT_EQ(multiplierText("木摺両面特殊", "-", "-", lath), "1.0");

    // A name matches itself only, never a longer kind it begins; of two
    // entries of the same name the later one counts.
    const CertifiedWallList two = wallsOf({{"B", 1.5f}, {"B2", 2.0f}, {"B2", 2.2f}});
    EXPECT_EQ(multiplierText("B2", "-", "-", two), "2.2");
    EXPECT_EQ(multiplierText("B", "-", "-", two), "1.5");
    EXPECT_EQ(multiplierText("B1", "-", "-", two), "0.0");
    // Only positions up to lastPosition are consulted.
    EXPECT_EQ(FramingMultiplier("B2", "-", "-", two, 1), 2.0f);
    EXPECT_EQ(FramingMultiplier("B2", "-", "-", two, 0), 0.0f);
    EXPECT_EQ(FramingMultiplier("B2", "-", "-", two, -1), 0.0f);

    // Certified multipliers keep the decimals they were registered with.
    const CertifiedWallList fine = wallsOf({{"C", 2.45f}, {"D", 4.8f}, {"E", 3.75f}, {"F", 1.15f}});
    EXPECT_EQ(multiplierText("C", "-", "-", fine), "2.45");
    EXPECT_EQ(multiplierText("E", "-", "-", fine), "3.75");
    EXPECT_EQ(multiplierText("F+鉄筋", "-", "-", fine), "2.15");
    EXPECT_EQ(multiplierText("D+鉄筋", "-", "-", fine), "5.0");

    // A nameless entry from a damaged list must not claim every kind.
    const CertifiedWallList nameless = wallsOf({{"", 3.0f}});
    EXPECT_EQ(multiplierText("木材", "1.5×9", "しない", nameless), "1.0");
}

TEST(FramingLists, KindsSectionsAndStandardLengths)
{
    const QStringList plain = KindList(QString());
    ASSERT_EQ(plain.size(), 12);
    EXPECT_EQ(plain.first(), "ｸﾘﾔ");
    EXPECT_EQ(plain[1], "木材");
    EXPECT_EQ(plain[5], "9㎜鉄筋");
    EXPECT_EQ(plain[6], "土塗り壁+木材");
    EXPECT_EQ(plain.last(), "木摺両面壁+鉄筋");

    const QStringList withWall = KindList(QStringLiteral("A壁"));
    ASSERT_EQ(withWall.size(), 15);
    EXPECT_EQ(withWall[6], "A壁");
    EXPECT_EQ(withWall[10], "A壁+木材");
    EXPECT_EQ(withWall[14], "A壁+鉄筋");

    EXPECT_EQ(SectionList(), (QStringList{"1.5×9", "3×9", "4.5×9", "9×9"}));
    EXPECT_EQ(StandardLengthList(0), (QStringList{"ｸﾘﾔ", "0.91", "1.365", "1.82"}));
    EXPECT_EQ(StandardLengthList(2), (QStringList{"ｸﾘﾔ", "0.985", "1.4775", "1.970"}));
    EXPECT_EQ(StandardLengthList(3), (QStringList{"ｸﾘﾔ", "1.0", "1.5", "2.0", "2.5"}));
    EXPECT_EQ(StandardLengthList(9), StandardLengthList(0));
}

TEST(CoefficientTable, ValuesAndUnusedSlots)
{
    EXPECT_EQ(SingleText(CoefficientTable::value(0, 0, 0)), "0.11");
    EXPECT_EQ(SingleText(CoefficientTable::value(1, 0, 2)), "0.5");
    EXPECT_EQ(SingleText(CoefficientTable::value(0, 1, 1)), "0.15");
    EXPECT_EQ(SingleText(CoefficientTable::value(1, 2, 2)), "0.24");
    for (int index : {3, 6, 7, 12, 15, 16})
        EXPECT_EQ(CoefficientTable::values()[index], 0.0f) << index;
}
