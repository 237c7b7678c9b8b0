#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace quiren {

// The room the window manager's frame (title bar, borders) takes around a
// window: as measured once the window is shown, a title bar's height and
// thin borders before.
QMargins FrameMarginsOf(const QWidget *window);

// `geometry` (a window's inside, without its frame) made no larger than
// what fits on `available` with `frame` around it, and moved onto it.
QRect FitOnScreen(QRect geometry, const QRect &available, const QMargins &frame);

} // namespace quiren
