#include "gui/shell/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace quiren {

void ArrangeSubWindows(QMdiArea &mdi, int arrangement)
{
    const QList<QMdiSubWindow *> subs = mdi.subWindowList(QMdiArea::CreationOrder);
    QList<QMdiSubWindow *> shown;
    QList<QMdiSubWindow *> minimised;
    for (QMdiSubWindow *sub : subs) {
        if (sub->isMinimized())
            minimised << sub;
        else
            shown << sub;
    }
    const QRect room = mdi.viewport()->rect();
    switch (arrangement) {
    case 0:
        mdi.cascadeSubWindows();
        break;
    case 1:
    case 2: {
        if (shown.isEmpty())
            break;
        const int n = static_cast<int>(shown.size());
        for (int i = 0; i < n; ++i) {
            shown[i]->showNormal();
            if (arrangement == 1) {
                const int h = room.height() / n;
                shown[i]->setGeometry(0, i * h, room.width(), h);
            } else {
                const int w = room.width() / n;
                shown[i]->setGeometry(i * w, 0, w, room.height());
            }
        }
        break;
    }
    case 3: {
        // Icons of minimised windows in a row along the bottom.
        int x = 0;
        for (QMdiSubWindow *sub : minimised) {
            const QSize size = sub->size();
            if (x + size.width() > room.width() && x > 0)
                x = 0;
            sub->move(x, room.height() - size.height());
            x += size.width();
        }
        break;
    }
    default:
        break;
    }
}

} // namespace quiren
