#pragma once

namespace quiren {

// With QUIREN_TRACE_STARTUP=1 in the environment, writes one line to
// standard error: "startup <step> <wall ms> <cpu ms>", both counted from the
// first call (made first thing in main()). bench/run reads these lines to
// show where the start-up time goes. Without the variable it does nothing.
void MarkStartup(const char *step);

} // namespace quiren
