// Quiren's entry point; the start-up sequence lives in shell/Startup.cpp.
#include "gui/shell/DisplayCheck.h"
#include "gui/shell/FontConfigWarmUp.h"
#include "gui/shell/Startup.h"
#include "gui/shell/StartupBenchmark.h"

#include <QApplication>

#include <csignal>

int main(int argc, char **argv)
{
    // Without a screen Qt would abort with a core dump: say why instead.
    if (!quiren::DisplayAvailable()) {
        quiren::ExplainMissingDisplay(stderr);
        return 1;
    }
    // A save beyond a file-size limit (ulimit -f) fails and is reported,
    // with the old file intact, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    quiren::MarkStartup("main");
    quiren::FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    quiren::MarkStartup("application");
    fonts.wait();
    return quiren::RunProgram(app);
}
