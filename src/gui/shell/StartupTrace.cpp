#include "gui/shell/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quiren {

namespace {

double Milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

} // namespace

void MarkStartup(const char *step)
{
    static const bool enabled = [] {
        const char *value = std::getenv("QUIREN_TRACE_STARTUP");
        return value && value[0] == '1';
    }();
    if (!enabled)
        return;
    static const double wallStart = Milliseconds(CLOCK_MONOTONIC);
    static const double cpuStart = Milliseconds(CLOCK_PROCESS_CPUTIME_ID);
    std::fprintf(stderr, "startup %s %.2f %.2f\n", step, Milliseconds(CLOCK_MONOTONIC) - wallStart,
                 Milliseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart);
}

} // namespace quiren
