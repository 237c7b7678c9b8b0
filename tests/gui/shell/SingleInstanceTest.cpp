// One running program per user: a later start hands its command line to the
// first and ends.
#include "gui/shell/SingleInstance.h"
#include "gui/shell/Startup.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <QFile>

#include <atomic>
#include <cstring>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quiren {
namespace {

QString uniqueName()
{
    return test::makeScratchDir(QStringLiteral("socket")) + QStringLiteral("/q-")
        + QUuid::createUuid().toString(QUuid::Id128).left(8);
}

// A later start runs in its own thread, as it would in its own process,
// while this one keeps its event loop turning.
bool laterStart(const QString &name, const QString &commandLine)
{
    std::atomic<bool> done{false};
    bool handedOver = false;
    std::thread other([&] {
        SingleInstance later(name);
        handedOver = later.handOverToRunning(commandLine);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    other.join();
    return handedOver;
}

TEST(SingleInstance, ALaterStartHandsOverItsFile)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    QSignalSpy received(&first, &SingleInstance::commandLineReceived);
    EXPECT_FALSE(first.handOverToRunning(QString()));
    EXPECT_TRUE(first.listening());

    EXPECT_TRUE(laterStart(name, QStringLiteral("/home/u/計算書 1.qrn")));
    ASSERT_TRUE(received.wait(2000) || received.count() == 1);
    EXPECT_EQ(received.at(0).at(0).toString(), QStringLiteral("/home/u/計算書 1.qrn"));

    EXPECT_TRUE(laterStart(name, QString()));
    QTRY_COMPARE(received.count(), 2);
    EXPECT_TRUE(received.at(1).at(0).toString().isEmpty());
}

// A running program that hangs takes the connection and the message (the
// system does) but never answers: the later start opens the file itself
// and listens in its place. It once ended after two seconds, the file
// opened nowhere.
TEST(SingleInstance, ALaterStartOpensTheFileItselfWhenTheFirstHangs)
{
    const QString name = uniqueName();
    const int hung = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(hung, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(name);
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(hung, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(hung, 8), 0);   // never accepted, never read

    SingleInstance later(name);
    EXPECT_FALSE(later.handOverToRunning(QStringLiteral("/home/u/a.qrn")));
    EXPECT_TRUE(later.listening());
    ::close(hung);

    // Later starts reach the new one.
    QSignalSpy received(&later, &SingleInstance::commandLineReceived);
    EXPECT_TRUE(laterStart(name, QStringLiteral("/home/u/b.qrn")));
    QTRY_COMPARE(received.count(), 1);
}

TEST(SingleInstance, ASocketLeftBehindIsTakenOver)
{
    const QString name = uniqueName();
    {
        // A program that ended without removing its socket.
        test::writeAll(name, QByteArray());
    }
    SingleInstance first(name);
    EXPECT_FALSE(first.handOverToRunning(QString()));
    EXPECT_TRUE(first.listening());
}

TEST(SingleInstance, TheCommandLineNamesAbsoluteFiles)
{
    EXPECT_TRUE(CommandLineFiles({QStringLiteral("quiren")}).isEmpty());
    EXPECT_EQ(CommandLineFiles({QStringLiteral("quiren"), QStringLiteral("/a/b c.qrn")}), QStringList{"/a/b c.qrn"});
    // Several files open in several windows; a name with blanks a caller
    // split is joined again when only the whole names a file.
    const QString dir = test::makeScratchDir(QStringLiteral("command-line"));
    for (const char *name : {"/a.qrn", "/b.qrn2", "/c d.qrn"})
        test::writeAll(dir + QLatin1String(name), "x");
    EXPECT_EQ(CommandLineFiles({"quiren", dir + "/a.qrn", dir + "/b.qrn2"}),
              (QStringList{dir + "/a.qrn", dir + "/b.qrn2"}));
    EXPECT_EQ(CommandLineFiles({"quiren", dir + "/c", "d.qrn"}), QStringList{dir + "/c d.qrn"});
    EXPECT_EQ(CommandLineFiles({"quiren", dir + "/a.qrn", dir + "/none.qrn"}),
              (QStringList{dir + "/a.qrn", dir + "/none.qrn"}));
    EXPECT_TRUE(CommandLineFiles({QStringLiteral("quiren"), QStringLiteral("x.qrn")}).first().startsWith(QLatin1Char('/')));
}

} // namespace
} // namespace quiren
