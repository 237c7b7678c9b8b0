// Where the main window stands and how much room its calculation windows
// have: the stored placement brought back onto a screen, the frame grown
// for the first window on a first start, windows kept in sight.
#include "gui/shell/MainWindow.h"

#include "core/settings/SettingsStore.h"
#include "gui/shell/ScreenFit.h"
#include "gui/widgets/Twips.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace quiren {

QSize MainWindow::windowRoom(int &frame, int &chrome) const
{
    frame = 2 * m_mdi->frameWidth() + 4;
    chrome = frame;
    for (QWidget *bar : {static_cast<QWidget *>(menuBar()), static_cast<QWidget *>(m_toolBar),
                         static_cast<QWidget *>(statusBar())})
        chrome += bar->sizeHint().height();
    return size() - QSize(frame, chrome);
}

QSize MainWindow::windowRoom() const
{
    int frame = 0, chrome = 0;
    return windowRoom(frame, chrome).expandedTo(QSize(1, 1));
}

void MainWindow::keepInSight(QMdiSubWindow *sub) const
{
    const QSize room = windowRoom();
    QPoint at = sub->pos();
    at.setX(std::clamp(at.x(), 0, std::max(0, room.width() - sub->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, room.height() - sub->height())));
    if (at != sub->pos())
        sub->move(at);
}

void MainWindow::fitFirstCalcWindow()
{
    // The default size was chosen for smaller fonts than today's; on a first
    // start the frame grows until the first calculation window fits in it
    // (as far as the screen allows).
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    if (subs.isEmpty())
        return;
    int frame = 0, chrome = 0;
    windowRoom(frame, chrome);
    // What the window asks for, not the size it was given: a window that
    // did not fit the default frame has been cut to it already.
    QMdiSubWindow *first = subs.first();
    const QSize wanted = first->sizeHint().expandedTo(first->size());
    const QSize needed(wanted.width() + frame, wanted.height() + chrome);
    QRect area = geometry();
    area.setSize(area.size().expandedTo(needed));
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        // With the title bar and borders, and above the task bar.
        area = FitOnScreen(area, screen->availableGeometry(), FrameMarginsOf(this));
    }
    move(area.topLeft());
    resize(area.size());
    // On a small screen the window stays within the frame and scrolls.
    first->resize(wanted.boundedTo(area.size() - QSize(frame, chrome)));
}

void MainWindow::applyPlacement()
{
    const MainPlacement placement = ReadMainPlacement();
    QRect frame(TwipsToPixelsX(placement.left, this), TwipsToPixelsY(placement.top, this),
                TwipsToPixelsX(placement.width, this), TwipsToPixelsY(placement.height, this));
    frame.setWidth(std::max(frame.width(), 200));
    frame.setHeight(std::max(frame.height(), 150));

    // A placement that would leave the window off every screen (a screen
    // since removed, a changed resolution) is brought back onto the screen.
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(frame);
        if (overlap.width() >= 100 && overlap.height() >= 50)
            visible = true;
    }
    if (!visible) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            frame.setSize(frame.size().boundedTo(area.size()));
            frame.moveTopLeft(area.topLeft()
                              + QPoint(std::min(TwipsToPixelsX(1000, this), area.width() - frame.width()),
                                       std::min(TwipsToPixelsY(1000, this), area.height() - frame.height())));
        }
    }
    // Wholly on the screen it is mostly on, title bar included.
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        frame = FitOnScreen(frame, screen->availableGeometry(), FrameMarginsOf(this));
    move(frame.topLeft());
    resize(frame.size());
}

void MainWindow::storePlacement()
{
    MainPlacement placement;
    const QPoint at = pos();
    placement.left = static_cast<float>(PixelsToTwipsX(at.x(), this));
    placement.top = static_cast<float>(PixelsToTwipsY(at.y(), this));
    placement.width = static_cast<float>(PixelsToTwipsX(width(), this));
    placement.height = static_cast<float>(PixelsToTwipsY(height(), this));
    WriteMainPlacement(placement);
}

} // namespace quiren
