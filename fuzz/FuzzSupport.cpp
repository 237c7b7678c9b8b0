#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

namespace quiren::fuzz {

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
    static const QString folder = [] {
        const QString path = QDir::tempPath() + QStringLiteral("/quiren-fuzz-")
                             + QString::number(QCoreApplication::applicationPid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

} // namespace quiren::fuzz
