#include "calc/CertifiedWall.h"

#include "calc/NumberText.h"
#include "shell/StringTable.h"

namespace quiren {

QString WallDisplayLine(const QString &name, float multiplier)
{
    return name + Str(6182) + SingleText(multiplier);
}

} // namespace quiren
