#include "gui/shell/StartupBenchmark.h"

#if QUIREN_BENCHMARK_HOOKS

#include "gui/shell/MainWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quiren {

namespace {

double milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class QuitWhenPainted : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] {
                MarkStartup("painted");
                std::_Exit(0);
            });
        return false;
    }
};

} // namespace

void MarkStartup(const char *step)
{
    static const bool enabled = [] {
        const char *value = std::getenv("QUIREN_TRACE_STARTUP");
        return value && value[0] == '1';
    }();
    if (!enabled)
        return;
    static const double wallStart = milliseconds(CLOCK_MONOTONIC);
    static const double cpuStart = milliseconds(CLOCK_PROCESS_CPUTIME_ID);
    std::fprintf(stderr, "startup %s %.2f %.2f\n", step, milliseconds(CLOCK_MONOTONIC) - wallStart,
                 milliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
}

void InstallBenchmarkHooks(MainWindow &main)
{
    for (int i = 1; i < qEnvironmentVariableIntValue("QUIREN_BENCH_WINDOWS"); ++i)
        main.newCalcWindow();
    if (qEnvironmentVariableIntValue("QUIREN_QUIT_WHEN_SHOWN") == 1)
        main.installEventFilter(new QuitWhenPainted(&main));
}

} // namespace quiren

#endif
