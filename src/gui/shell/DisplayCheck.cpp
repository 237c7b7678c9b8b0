#include "gui/shell/DisplayCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace quiren {

namespace {

// The connection that found the X server usable, held while QApplication
// makes its own.
xcb_connection_t *&probeConnection()
{
    static xcb_connection_t *connection = nullptr;
    return connection;
}

// Platforms that draw without a screen of the desktop's.
bool DrawsWithoutDesktop(const QByteArray &platform)
{
    for (const char *name : {"offscreen", "minimal", "vnc", "linuxfb", "eglfs", "vkkhrdisplay"})
        if (platform.startsWith(name))
            return true;
    return false;
}

// Connects to the X server the way Qt will, through libxcb with the same
// authorisation ($XAUTHORITY): a server that refuses us, or a display
// forwarded over ssh that is no longer there, fails here, where Qt would
// print its own lines and abort. libxcb writes a server's reason for a
// refusal to standard error itself; the user reads the program's lines
// instead, so standard error is closed off meanwhile (nothing else runs yet).
bool XDisplayReachable(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
    std::fflush(stderr);
    const int savedError = ::dup(STDERR_FILENO);
    if (const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC); null >= 0) {
        ::dup2(null, STDERR_FILENO);
        ::close(null);
    }
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool usable = connection && xcb_connection_has_error(connection) == 0;
    if (usable) {
        // Kept open until Qt has its own connection: an X server with no
        // other client (Xvfb as xvfb-run starts it) resets when its last
        // client leaves, and Qt, connecting during the reset, was refused
        // about one start in six.
        xcb_disconnect(std::exchange(probeConnection(), connection));
    } else if (connection) {
        xcb_disconnect(connection);
    }
    if (savedError >= 0) {
        ::dup2(savedError, STDERR_FILENO);
        ::close(savedError);
    }
    return usable;
}

// Qt's Wayland platform is a package of its own (qt6-wayland); without it a
// Wayland session can only be used through its X server, if it has one.
bool WaylandPluginInstalled()
{
    QStringList folders;
    for (const QString &path : qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << path;
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString &folder : folders)
        if (!QDir(folder + QStringLiteral("/platforms"))
                 .entryList({QStringLiteral("libqwayland*.so")}, QDir::Files)
                 .isEmpty())
            return true;
    return false;
}

bool WaylandReachable()
{
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty() || !WaylandPluginInstalled())
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
    // Qt prefers Wayland in a Wayland session (outside GNOME); without its
    // plugin the session's X server serves, when there is one.
    const bool x = XDisplayReachable(qgetenv("DISPLAY"));
    if (x && qgetenv("XDG_SESSION_TYPE") == "wayland" && !WaylandReachable())
        qputenv("QT_QPA_PLATFORM", "xcb");
    return x || WaylandReachable();
}

namespace {

// Qt's messages while it opens the display, kept back: when it cannot, the
// user reads the program's two lines alone.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> &heldMessages()
{
    static QList<HeldMessage> messages;
    return messages;
}
// The fonts are warmed up on another thread meanwhile.
QMutex &heldMessagesLock()
{
    static QMutex lock;
    return lock;
}
QtMessageHandler &previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void HoldMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Qt found no platform it could start: the display is there but
        // cannot be used.
        ExplainMissingDisplay(stderr);
        std::_Exit(1);
    }
    const QMutexLocker locked(&heldMessagesLock());
    heldMessages().append({type, QByteArray(context.category ? context.category : ""), text});
}

} // namespace

DisplayOpening::DisplayOpening()
{
    previousHandler() = qInstallMessageHandler(HoldMessage);
}

DisplayOpening::~DisplayOpening()
{
    // Qt is connected now (or has given up): the server may go back to
    // counting its clients.
    xcb_disconnect(std::exchange(probeConnection(), nullptr));
    qInstallMessageHandler(previousHandler());
    QList<HeldMessage> messages;
    {
        const QMutexLocker locked(&heldMessagesLock());
        messages.swap(heldMessages());
    }
    for (const HeldMessage &message : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (previousHandler())
            previousHandler()(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
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
