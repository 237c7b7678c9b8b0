// Without a screen the program explains itself and ends, instead of Qt's
// abort and a core dump.
#include "gui/shell/DisplayCheck.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

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
        {"xcb", ":987", nullptr, false},             // no such local server
        {"xcb", "otherhost:0", nullptr, true},       // cannot be checked: trusted
        {"wayland", nullptr, "wayland-test", true},
        {"wayland", nullptr, "wayland-none", false},
        {"xcb;offscreen", nullptr, nullptr, true},  // Qt falls back along the list
        {nullptr, nullptr, "wayland-test", true},
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

TEST(DisplayCheck, TheProgramSaysWhyAndEndsWithOne)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(QUIREN_BIN_DIR "/quiren"), {});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("画面"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("no display"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("qrn"))) << said.toStdString();
}

} // namespace
} // namespace quiren
