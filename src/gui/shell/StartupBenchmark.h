#pragma once

// The hooks bench/run uses to time the start-up and to measure the memory
// of open windows. They are compiled in only with the CMake option
// QUIREN_BENCHMARK_HOOKS (bench/run builds its own copy of the program with
// it); in the program as shipped every hook is an empty inline function.
namespace quiren {

class MainWindow;

#if QUIREN_BENCHMARK_HOOKS

// With QUIREN_TRACE_STARTUP=1 in the environment, writes one line to
// standard error: "startup <step> <wall ms> <cpu ms>", both counted from the
// first call (made first thing in main()). bench/run reads these lines to
// show where the start-up time goes.
void MarkStartup(const char *step);

// QUIREN_BENCH_WINDOWS=N opens N untitled calculation windows in all, and
// QUIREN_QUIT_WHEN_SHOWN=1 ends the process as soon as the main window has
// been painted (at once, without tearing anything down, so that the time
// measured ends where the window is shown).
void InstallBenchmarkHooks(MainWindow &main);

#else

inline void MarkStartup(const char *) {}
inline void InstallBenchmarkHooks(MainWindow &) {}

#endif

} // namespace quiren
