#pragma once

#include <thread>

namespace quiren {

// Reading fontconfig's configuration and font caches takes a few
// milliseconds that the first text drawn would otherwise wait for. It needs
// nothing from Qt, so it runs on another core while QApplication connects to
// the display. wait() (or the destructor) before the first font is used.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    void wait();

private:
    std::thread m_thread;
};

} // namespace quiren
