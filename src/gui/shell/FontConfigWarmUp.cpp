#include "gui/shell/FontConfigWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

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

void FontConfigWarmUp::listFonts()
{
    wait();
    try {
        // Qt's font database may be asked from any thread.
        m_thread = std::thread([] { (void)QFontDatabase::families(); });
    } catch (const std::system_error &) {
        // The first font listed on the main thread lists them all.
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
