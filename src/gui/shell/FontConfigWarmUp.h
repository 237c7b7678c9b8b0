#pragma once

#include <thread>

namespace quiren {

// Reading fontconfig's configuration and font caches takes a few
// milliseconds that the first text drawn would otherwise wait for. It needs
// nothing from Qt, so it runs on another core while QApplication connects to
// the display. Then, once the application object exists, Qt's list of
// fonts is made on that core too, while the start-up goes on with what
// needs no font (the hand-over to a running program, the splash picture);
// the first use of a font waits for the list under Qt's own lock.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // After QApplication is made.
    void listFonts();
    void wait();

private:
    std::thread m_thread;
};

} // namespace quiren
