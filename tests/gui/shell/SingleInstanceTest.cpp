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

#include <atomic>
#include <thread>

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

TEST(SingleInstance, TheCommandLineIsOneAbsolutePath)
{
    EXPECT_TRUE(CommandLineFile({QStringLiteral("quiren")}).isEmpty());
    EXPECT_EQ(CommandLineFile({QStringLiteral("quiren"), QStringLiteral("/a/b c.qrn")}), QStringLiteral("/a/b c.qrn"));
    EXPECT_EQ(CommandLineFile({QStringLiteral("quiren"), QStringLiteral("/a/b"), QStringLiteral("c.qrn")}),
              QStringLiteral("/a/b c.qrn"));
    EXPECT_TRUE(CommandLineFile({QStringLiteral("quiren"), QStringLiteral("x.qrn")}).startsWith(QLatin1Char('/')));
}

} // namespace
} // namespace quiren
