// A window placed on the screen with its title bar and borders, above the
// task bar.
#include "gui/shell/ScreenFit.h"

#include <gtest/gtest.h>

namespace quiren::test {
namespace {

TEST(ScreenFit, WindowWithItsFrameStaysOnTheScreen)
{
    // 1366×768 with a 40-pixel task bar below; a frame of 4 pixels and a 24-pixel title bar.
    const QRect available(0, 0, 1366, 728);
    const QMargins frame(4, 28, 4, 4);
    const struct {
        QRect wanted, placed;
    } cases[] = {
        {{100, 100, 800, 500}, {100, 100, 800, 500}},    // fits as it is
        {{0, 0, 1400, 900}, {4, 28, 1358, 696}},         // too large: cut to the room
        {{900, 500, 800, 400}, {562, 324, 800, 400}},    // over the right and bottom edges
        {{-300, -50, 800, 400}, {4, 28, 800, 400}},      // over the left and top edges
    };
    for (const auto &c : cases)
        EXPECT_EQ(FitOnScreen(c.wanted, available, frame), c.placed) << c.wanted.x() << "," << c.wanted.y();
}

} // namespace
} // namespace quiren::test
