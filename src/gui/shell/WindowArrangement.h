#pragma once

class QMdiArea;

namespace quiren {

// The Window menu's arrangements of the calculation windows in `mdi`:
// 0 cascade, 1 tile one above the other, 2 side by side, 3 the icons of
// minimised windows in a row along the bottom.
void ArrangeSubWindows(QMdiArea &mdi, int arrangement);

} // namespace quiren
