// Without a screen the program explains itself and ends, instead of Qt's
// abort and a core dump.
#include "gui/shell/DisplayCheck.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace quiren {
namespace {

class Environment {
public:
    Environment(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~Environment()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had;
};

TEST(DisplayCheck, FollowsThePlatformQtWouldPick)
{
    const QString runtime = test::makeScratchDir(QStringLiteral("runtime"));
    test::writeAll(runtime + QStringLiteral("/wayland-test"), {});
    struct Case {
        const char *platform, *display, *wayland;
        bool available;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, false},
        {"", "", "", false},
        {"offscreen", nullptr, nullptr, true},
        {"xcb", nullptr, nullptr, false},
        {"xcb", ":987", nullptr, true},             // whether it answers, Qt finds out
        {"wayland", nullptr, "wayland-none", false},
        {"xcb;offscreen", nullptr, nullptr, true},  // Qt falls back along the list
    };
    Environment runtimeDir("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    for (const Case &c : cases) {
        Environment platform("QT_QPA_PLATFORM", c.platform ? QByteArray(c.platform) : QByteArray());
        Environment display("DISPLAY", c.display ? QByteArray(c.display) : QByteArray());
        Environment wayland("WAYLAND_DISPLAY", c.wayland ? QByteArray(c.wayland) : QByteArray());
        EXPECT_EQ(DisplayAvailable(), c.available)
            << (c.platform ? c.platform : "-") << " " << (c.display ? c.display : "-") << " "
            << (c.wayland ? c.wayland : "-");
    }
}

// An X server of the test's own that lets nobody in: it wants a key that
// nobody is given (one MIT-MAGIC-COOKIE-1 entry for any host and display).
class RefusingXServer {
public:
    RefusingXServer()
    {
        const QString folder = test::makeScratchDir(QStringLiteral("refusing-x"));
        const auto field = [](const QByteArray &bytes) {
            return QByteArray(1, char(bytes.size() >> 8)) + char(bytes.size() & 0xff) + bytes;
        };
        test::writeAll(folder + QStringLiteral("/keys"), QByteArray("\xff\xff") + field({}) + field({})
                                                             + field("MIT-MAGIC-COOKIE-1")
                                                             + field(QByteArray(16, 'k')));
        for (int number = 170; number < 200 && m_display.isEmpty(); ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            m_server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-auth"),
                                                   folder + QStringLiteral("/keys"), QStringLiteral("-nolisten"),
                                                   QStringLiteral("tcp")});
            if (!m_server.waitForStarted(5000))
                return;
            for (int wait = 0; wait < 100 && m_server.state() == QProcess::Running; ++wait) {
                if (QFileInfo::exists(socket)) {
                    m_display = QStringLiteral(":%1").arg(number);
                    break;
                }
                QThread::msleep(50);
            }
        }
    }
    ~RefusingXServer()
    {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

TEST(DisplayCheck, ADisplayThatCannotBeUsedIsToldLikeNone)
{
    // No display at all, an X server that is not there (a forwarded display
    // gone) or that refuses us, a Wayland socket without Qt's Wayland plugin
    // (or with it, a socket that serves nothing): the same two lines, exit 1,
    // nothing of Qt's or of libxcb's.
    const QString runtime = test::makeScratchDir(QStringLiteral("runtime-program"));
    test::writeAll(runtime + QStringLiteral("/wayland-0"), {});
    QList<QStringList> environments = {
        {},
        {"DISPLAY=:987"},
        {"DISPLAY=localhost:87"},
        {"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=wayland-0", "XDG_RUNTIME_DIR=" + runtime},
        {"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "XDG_RUNTIME_DIR=" + runtime},
    };
    const RefusingXServer refusing;
    if (!refusing.display().isEmpty())
        environments.append({"DISPLAY=" + refusing.display(), "XAUTHORITY=/dev/null"});
    else
        ADD_FAILURE() << "Xvfb could not be started for the refusing server";
    QString first;
    for (const QStringList &settings : environments) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "XAUTHORITY"})
            env.remove(QString::fromLatin1(name));
        for (const QString &setting : settings)
            env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QUIREN_BIN_DIR "/quiren"), {});
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << settings.join(' ').toStdString();
        EXPECT_EQ(program.exitCode(), 1) << settings.join(' ').toStdString();
        const QString said = QString::fromUtf8(program.readAllStandardError());
        if (first.isEmpty()) {
            first = said;
            EXPECT_TRUE(said.contains(QStringLiteral("画面"))) << said.toStdString();
            EXPECT_TRUE(said.contains(QStringLiteral("no display"))) << said.toStdString();
            EXPECT_EQ(said.count(QLatin1Char('\n')), 2) << said.toStdString();
        }
        EXPECT_EQ(said, first) << settings.join(' ').toStdString();
    }
}

TEST(DisplayCheck, HelpAndVersionNeedNoDisplay)
{
    for (const char *option : {"--help", "--version"}) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QUIREN_BIN_DIR "/quiren"), {QString::fromLatin1(option)});
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitCode(), 0) << option;
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(QStringLiteral("quiren ")) || out.contains(QStringLiteral("使い方: quiren")))
            << out.toStdString();
        EXPECT_TRUE(program.readAllStandardError().isEmpty()) << option;
    }
}

} // namespace
} // namespace quiren
