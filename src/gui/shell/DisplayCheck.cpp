#include "gui/shell/DisplayCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QList>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

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
    const bool xNamed = !qgetenv("DISPLAY").isEmpty();
    const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (!platforms.isEmpty()) {
        // Qt tries the platforms of the list in turn.
        for (const QByteArray &platform : platforms.split(';')) {
            if (DrawsWithoutDesktop(platform))
                return true;
            if (platform.startsWith("xcb") && xNamed)
                return true;
            if (platform.startsWith("wayland") && WaylandReachable())
                return true;
        }
        return false;
    }
    // Qt prefers Wayland in a Wayland session (outside GNOME); without its
    // plugin the session's X server serves, when there is one.
    if (xNamed && qgetenv("XDG_SESSION_TYPE") == "wayland" && !WaylandReachable())
        qputenv("QT_QPA_PLATFORM", "xcb");
    return xNamed || WaylandReachable();
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

// What else is written to standard error meanwhile: libxcb writes an X
// server's reason for refusing us there itself, past Qt's message handler.
// It goes to an anonymous file, passed on once Qt is connected.
class HeldErrorOutput {
public:
    void start()
    {
        std::fflush(stderr);
        m_held = ::memfd_create("quiren-held-stderr", MFD_CLOEXEC);
        if (m_held < 0)
            return;
        m_error = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (m_error < 0 || ::dup2(m_held, STDERR_FILENO) < 0)
            stop();
    }
    // Standard error is the real one again; what was held is dropped.
    void stop()
    {
        std::fflush(stderr);
        if (m_error >= 0) {
            ::dup2(m_error, STDERR_FILENO);
            ::close(m_error);
            m_error = -1;
        }
        if (m_held >= 0) {
            ::close(m_held);
            m_held = -1;
        }
    }
    void passOn()
    {
        std::fflush(stderr);
        if (m_held >= 0 && m_error >= 0) {
            char buffer[4096];
            ssize_t read = 0;
            for (off_t at = 0; (read = ::pread(m_held, buffer, sizeof buffer, at)) > 0; at += read)
                if (!writeAll(m_error, buffer, std::size_t(read)))
                    break;
        }
        stop();
    }

private:
    static bool writeAll(int fd, const char *data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= std::size_t(written);
        }
        return true;
    }

    int m_held = -1;
    int m_error = -1;
};
HeldErrorOutput &heldErrorOutput()
{
    static HeldErrorOutput output;
    return output;
}

void HoldMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Qt found no platform it could start: the display named is not
        // there, refuses us, or cannot be used.
        heldErrorOutput().stop();
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
    heldErrorOutput().start();
}

DisplayOpening::~DisplayOpening()
{
    heldErrorOutput().passOn();
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
