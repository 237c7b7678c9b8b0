// Quiren's entry point; the start-up sequence lives in shell/Startup.cpp.
#include "gui/shell/FontConfigWarmUp.h"
#include "gui/shell/Startup.h"
#include "gui/shell/StartupBenchmark.h"

#include <QApplication>

int main(int argc, char **argv)
{
    quiren::MarkStartup("main");
    quiren::FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    quiren::MarkStartup("application");
    fonts.wait();
    return quiren::RunProgram(app);
}
