#include "core/calc/CertifiedWall.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace quiren {

QString WallDisplayLine(const QString &name, float multiplier)
{
    return name + Str(S::MultiplierSeparator) + SingleText(multiplier);
}

bool IsCertifiedMultiplier(double multiplier)
{
    if (!(multiplier > 0.0) || multiplier > 5.0)
        return false;
    // Two decimals at most: the value is its own two-decimal text.
    const float single = static_cast<float>(multiplier);
    return TextSingle(FormatDecimal(single, 2, 0)) == single;
}

CertifiedWall UnreadWallPlaceholder(const QByteArray &line, int fileLine)
{
    CertifiedWall wall;
    wall.unreadLine = line;
    wall.fileLine = fileLine;
    wall.displayLine = Str(S::WallLinePlaceholder).arg(fileLine);
    return wall;
}

} // namespace quiren
