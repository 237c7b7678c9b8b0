#pragma once

#include <cstdio>

namespace quiren {

// Whether Qt will find a screen to open its windows on. Without one, Qt
// aborts with a core dump before the program can say anything; this looks
// at the platform Qt would pick (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY
// and the local X server's socket) before QApplication is made.
bool DisplayAvailable();

// Tells, in one Japanese and one English line on `out`, that a desktop
// session is needed, how to run under Xvfb, and that qrn works without one.
void ExplainMissingDisplay(std::FILE *out);

} // namespace quiren
