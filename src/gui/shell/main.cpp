// Quiren's entry point; the start-up sequence lives in shell/Startup.cpp.
#include "gui/shell/DisplayCheck.h"
#include "gui/shell/FontConfigWarmUp.h"
#include "gui/shell/Startup.h"
#include "gui/shell/StartupBenchmark.h"

#include <QApplication>

#include <csignal>
#include <optional>

int main(int argc, char **argv)
{
    // --help and --version need no display.
    if (const std::optional<int> answered = quiren::AnswerHelpOrVersion(argc, argv))
        return *answered;
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
    std::optional<quiren::DisplayOpening> opening(std::in_place);
    QApplication app(argc, argv);
    opening.reset();
    quiren::MarkStartup("application");
    fonts.listFonts();
    const int status = quiren::RunProgram(app);
    // The list of fonts is made on another thread, which must be done
    // before the application object goes (also when this start only
    // handed its files over to a running program).
    fonts.wait();
    return status;
}
