#pragma once

#include <cstdio>

namespace quiren {

// Whether Qt will find a screen to open its windows on. Without one, Qt
// aborts with a core dump before the program can say anything; this looks
// at the platform Qt would pick (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY)
// before QApplication is made: an X server must accept a connection (so a
// refused authorisation or a forwarded display that is gone count as none),
// and Wayland needs Qt's Wayland plugin. In a Wayland session without the
// plugin, the session's X server is chosen when it has one.
bool DisplayAvailable();

// Lives while QApplication is made. Should Qt still fail to open the
// display, the program says what it says without one and ends with 1
// instead of Qt's abort; otherwise Qt's messages of the time are passed on
// when it ends.
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
