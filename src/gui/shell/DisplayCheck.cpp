#include "gui/shell/DisplayCheck.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

namespace quiren {

namespace {

// Platforms that draw without a screen of the desktop's.
bool DrawsWithoutDesktop(const QByteArray &platform)
{
    for (const char *name : {"offscreen", "minimal", "vnc", "linuxfb", "eglfs", "vkkhrdisplay"})
        if (platform.startsWith(name))
            return true;
    return false;
}

// ":0", ":1.0" and "unix:0" are served by a socket in /tmp/.X11-unix; a
// display on another host cannot be checked here and is trusted.
bool XDisplayReachable(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0)
        return false;
    const QByteArray host = display.left(colon);
    if (!host.isEmpty() && host != "unix" && host != "localhost")
        return true;
    QByteArray number = display.mid(colon + 1);
    if (const qsizetype dot = number.indexOf('.'); dot >= 0)
        number.truncate(dot);
    bool ok = false;
    number.toInt(&ok);
    if (!ok)
        return false;
    if (host == "localhost")
        return true;   // over TCP
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number));
}

bool WaylandReachable()
{
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty())
        return false;
    if (name.startsWith('/'))
        return QFileInfo::exists(QString::fromLocal8Bit(name));
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return !runtime.isEmpty()
           && QFileInfo::exists(QString::fromLocal8Bit(runtime) + QLatin1Char('/') + QString::fromLocal8Bit(name));
}

} // namespace

bool DisplayAvailable()
{
    const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (!platforms.isEmpty()) {
        // Qt tries the platforms of the list in turn.
        for (const QByteArray &platform : platforms.split(';')) {
            if (DrawsWithoutDesktop(platform))
                return true;
            if (platform.startsWith("xcb") && XDisplayReachable(qgetenv("DISPLAY")))
                return true;
            if (platform.startsWith("wayland") && WaylandReachable())
                return true;
        }
        return false;
    }
    return XDisplayReachable(qgetenv("DISPLAY")) || WaylandReachable();
}

void ExplainMissingDisplay(std::FILE *out)
{
    std::fputs("quiren: 画面 (デスクトップ環境) がないため起動できません。"
               "画面なしで計算書を確認・印刷するには qrn を使ってください (qrn --help)。"
               "画面のない機械では xvfb-run -a quiren で起動できます。\n",
               out);
    std::fputs("quiren: no display found: Quiren needs a desktop session "
               "(or run it under Xvfb: xvfb-run -a quiren). "
               "Use qrn to check and print calculation files without a display (qrn --help).\n",
               out);
    std::fflush(out);
}

} // namespace quiren
