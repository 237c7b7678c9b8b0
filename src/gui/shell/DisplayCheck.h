#pragma once

#include <cstdio>

namespace quiren {

// Whether Qt will find a screen to open its windows on. Without one, Qt
// aborts with a core dump before the program can say anything; this looks
// at the platform Qt would pick (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY)
// before QApplication is made: X needs a display named, Wayland needs Qt's
// Wayland plugin and the session's socket. In a Wayland session without the
// plugin, the session's X server is chosen when it has one. It asks no
// server: an X server that is not there or refuses us is learnt when Qt
// connects (DisplayOpening), and asking first would make every start wait
// for the server twice.
bool DisplayAvailable();

// Lives while QApplication is made. Should Qt fail to open the display,
// the program says what it says without one and ends with 1 instead of
// Qt's abort, and nothing else (neither Qt's lines nor libxcb's); otherwise
// what Qt and the libraries said meanwhile is passed on when it ends.
class DisplayOpening {
public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening &) = delete;
    DisplayOpening &operator=(const DisplayOpening &) = delete;
};

// Tells, in one Japanese and one English line on `out`, that a desktop
// session is needed, how to run under Xvfb, and that qrn works without one.
void ExplainMissingDisplay(std::FILE *out);

} // namespace quiren
