// Texts the printed pages make of what the user typed.
#include "core/print/SheetTexts.h"

#include <gtest/gtest.h>

namespace quiren::test {
namespace {

TEST(SheetTexts, ProjectLineAddsKoujiOnlyWhereMissing)
{
    const struct {
        const char *name, *line;
    } cases[] = {
        {"鈴木邸新築", "（ 鈴木邸新築工事 ）"},
        {"鈴木邸新築工事", "（ 鈴木邸新築工事 ）"},
        {"鈴木邸新築工事 ", "（ 鈴木邸新築工事 ）"},
        {"鈴木邸新築工事（2025年基準）", "（ 鈴木邸新築工事（2025年基準） ）"},
        {"鈴木邸新築工事 (別棟)", "（ 鈴木邸新築工事 (別棟) ）"},
        {"鈴木邸（別棟）", "（ 鈴木邸（別棟）工事 ）"},
        {"（仮称）鈴木邸", "（ （仮称）鈴木邸工事 ）"},
        {"", "（ #N/A ）"},
        {"　 ", "（ #N/A ）"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProjectLineText(QString::fromUtf8(c.name)), QString::fromUtf8(c.line)) << c.name;
}

TEST(SheetTexts, RegistrationIsWrappedOnce)
{
    const struct {
        const char *typed, *printed;
    } cases[] = {
        {"12345", "第12345号"},
        {"第12345号", "第12345号"},
        {" 第 12345 号 ", "第 12345 号"},
        {"東京都知事 第1号", "東京都知事 第1号"},
        {"", "第号"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RegistrationText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.printed)) << c.typed;
}

} // namespace
} // namespace quiren::test
