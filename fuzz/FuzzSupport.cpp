#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quiren::fuzz {

namespace {
FailureHandler g_handler = nullptr;
}

void SetFailureHandler(FailureHandler handler)
{
    g_handler = handler;
}

void CheckFailed(const char *file, int line, const char *expression)
{
    const std::string message =
        std::string(file) + ":" + std::to_string(line) + ": expectation failed: " + expression;
    if (g_handler)
        g_handler(message.c_str());
    std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
}

void InitQt()
{
    static int argc = 1;
    static char name[] = "quiren-fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    // The sheet drawing measures texts with fonts; the offscreen platform
    // needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

QString ScratchFolder()
{
    // Never destroyed, so the clean-up at exit can still read it.
    static const QString *folder = [] {
        auto *path = new QString(QDir::tempPath() + QStringLiteral("/quiren-fuzz-")
                                 + QString::number(QCoreApplication::applicationPid()));
        QDir().mkpath(*path);
        std::atexit([] { QDir(ScratchFolder()).removeRecursively(); });
        return path;
    }();
    return *folder;
}

} // namespace quiren::fuzz
