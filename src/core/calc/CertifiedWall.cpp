#include "core/calc/CertifiedWall.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace quiren {

QString WallDisplayLine(const QString &name, float multiplier)
{
    return name + Str(S::MultiplierSeparator) + SingleText(multiplier);
}

} // namespace quiren
