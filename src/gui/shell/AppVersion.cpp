#include "gui/shell/AppVersion.h"

#include "core/text/StringTable.h"

namespace quiren {

int VersionMajor() { return QUIREN_VERSION_MAJOR; }
int VersionMinor() { return QUIREN_VERSION_MINOR; }
int VersionRevision() { return QUIREN_VERSION_PATCH; }

QString ShortVersionText()
{
    return Str(S::VersionWord) + QString::number(VersionMajor()) + QLatin1Char('.')
        + QString::number(VersionMinor());
}

QString LongVersionText()
{
    return ShortVersionText() + QLatin1Char('.') + QString::number(VersionRevision()) + Str(S::VersionSuffix);
}

} // namespace quiren
