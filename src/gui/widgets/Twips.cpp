#include "gui/widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quiren {

namespace {

const QScreen *screenOf(const QWidget *widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

double dpiX(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int TwipsToPixelsX(double twips, const QWidget *widget)
{
    return static_cast<int>(std::lround(twips * dpiX(widget) / TwipsPerInch));
}

int TwipsToPixelsY(double twips, const QWidget *widget)
{
    return static_cast<int>(std::lround(twips * dpiY(widget) / TwipsPerInch));
}

double PixelsToTwipsX(int pixels, const QWidget *widget)
{
    return pixels * TwipsPerInch / dpiX(widget);
}

double PixelsToTwipsY(int pixels, const QWidget *widget)
{
    return pixels * TwipsPerInch / dpiY(widget);
}

} // namespace quiren
