#include "gui/shell/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace quiren {

FontConfigWarmUp::FontConfigWarmUp()
{
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to be had: Qt loads the configuration itself when the
        // first font is needed.
    }
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace quiren
