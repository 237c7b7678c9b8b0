#include "gui/shell/ScreenFit.h"

#include <QStyle>
#include <QWidget>

namespace quiren {

QMargins FrameMarginsOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                outer.bottom() - inner.bottom()};
    const int title = std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight), window->fontMetrics().height() + 10);
    return {4, title + 4, 4, 4};
}

QRect FitOnScreen(QRect geometry, const QRect &available, const QMargins &frame)
{
    const QRect room = available.marginsRemoved(frame);
    geometry.setSize(geometry.size().boundedTo(room.size()));
    if (geometry.right() > room.right())
        geometry.moveRight(room.right());
    if (geometry.bottom() > room.bottom())
        geometry.moveBottom(room.bottom());
    if (geometry.left() < room.left())
        geometry.moveLeft(room.left());
    if (geometry.top() < room.top())
        geometry.moveTop(room.top());
    return geometry;
}

} // namespace quiren
