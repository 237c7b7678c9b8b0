// What a box or cell takes when the user leaves it, and the message that
// names the field when it cannot.
#include "core/calc/CalcSheet.h"
#include "core/calc/CellInput.h"

#include <gtest/gtest.h>

namespace quiren {
namespace {

TEST(CellInput, TypedNumbersAreTakenOrRefusedByTheirFieldsName)
{
    const struct {
        NumberRule rule;
        const char *typed;
        const char *taken;   // nullptr: refused
    } cases[] = {
        {NumberRule::NotNegative, " 12.5 ", "12.5"},
        {NumberRule::NotNegative, "１２０", "120"},
        {NumberRule::NotNegative, "", ""},
        {NumberRule::NotNegative, "-5", nullptr},
        {NumberRule::NotNegative, "-", nullptr},
        {NumberRule::NotNegative, ".", nullptr},
        {NumberRule::NotNegative, "1e39", nullptr},
        {NumberRule::Any, "-0.5", "-0.5"},
        {NumberRule::Any, "abc", nullptr},
        {NumberRule::Places, "2.0", "2"},
        {NumberRule::Places, "1.5", nullptr},
        {NumberRule::Places, "40000", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const TypedNumber typed = CheckTypedNumber(QStringLiteral("床面積"), c.rule, QString::fromUtf8(c.typed));
        EXPECT_EQ(typed.usable, c.taken != nullptr);
        if (c.taken)
            EXPECT_EQ(typed.text, QString::fromUtf8(c.taken));
        else
            EXPECT_EQ(typed.message, NumberRefusal(QStringLiteral("床面積"), c.rule));
    }
    EXPECT_EQ(NumberRefusal(QStringLiteral("床面積"), NumberRule::NotNegative),
              QStringLiteral("床面積には0以上の数値を入力してください"));
    // A unit in brackets is no part of the name.
    EXPECT_EQ(NumberRefusal(QStringLiteral("階高(m)"), NumberRule::Any), QStringLiteral("階高には数値を入力してください"));
    EXPECT_EQ(NumberRefusal(QStringLiteral("箇所"), NumberRule::Places),
              QStringLiteral("箇所には0から32767までの整数を入力してください"));

    // The framing grid's cells, as the sheet judges them before they are stored.
    CalcSheet sheet;
    EXPECT_TRUE(sheet.CellRefusal(ColLength0, QStringLiteral("1.")).isEmpty());
    EXPECT_EQ(sheet.CellRefusal(ColLength1, QStringLiteral("-1")), QStringLiteral("軸組長さには0以上の数値を入力してください"));
    EXPECT_EQ(sheet.CellRefusal(ColPlaces0, QStringLiteral("x")), QStringLiteral("箇所には0から32767までの整数を入力してください"));
    EXPECT_TRUE(sheet.CellRefusal(ColKind, QStringLiteral("x")).isEmpty());
}

} // namespace
} // namespace quiren
