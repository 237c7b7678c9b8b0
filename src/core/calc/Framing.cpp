#include "core/calc/Framing.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace quiren {

namespace {

const QString WoodSuffix = QStringLiteral("木材");
const QString RebarSuffix = QStringLiteral("+鉄筋");

float SectionBrace(const QString &section)
{
    if (section == QStringLiteral("1.5×9"))
        return 1.0f;
    if (section == QStringLiteral("3×9"))
        return 1.5f;
    if (section == QStringLiteral("4.5×9"))
        return 2.0f;
    if (section == QStringLiteral("9×9"))
        return 3.0f;
    return 0.0f;
}

} // namespace

bool HasWoodBrace(const QString &kind)
{
    return kind.endsWith(WoodSuffix);
}

FramingShares FramingMultiplierShares(const QString &kind, const QString &section,
                                      const QString &xBracing, const CertifiedWallList &walls,
                                      int lastPosition)
{
    // Wall part: a certified wall the kind starts with; a later entry wins.
    float wall = 0.0f;
    const int last = std::min<int>(lastPosition, static_cast<int>(walls.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const CertifiedWall &w = walls[i];
        // A nameless entry would match every kind; it can only come from a
        // damaged wall list, so it is passed over.
        if (!w.name.isEmpty() && kind.startsWith(w.name))
            wall = w.multiplier;
    }
    float bar = 0.0f;
    const QString head = kind.left(3);
    if (head == QStringLiteral("土塗り") || head == QStringLiteral("木摺片")) {
        wall = 0.5f;
    } else if (head == QStringLiteral("木摺両")) {
        wall = 1.0f;
    } else if (head == QStringLiteral("9㎜鉄")) {
        wall = 0.0f;
        bar = 1.0f;
    }

    // Brace part.
    float brace = 0.0f;
    if (kind.endsWith(WoodSuffix)) {
        brace = SectionBrace(section);
        if (xBracing == framing::Crossed) {
            if (section == QStringLiteral("9×9")) {
                // The law's table combines a wall only with braces up to
                // 9×9 single and 4.5×9 crossed: crossed 9 cm braces count
                // 5 with any wall beside them, never 5 plus the wall.
                brace = 5.0f;
                wall = 0.0f;
            } else {
                brace *= 2.0f;
            }
        }
    }
    if (kind.endsWith(RebarSuffix))
        brace = 1.0f;

    return FramingShares{wall, brace, bar};
}

float FramingMultiplier(const QString &kind, const QString &section, const QString &xBracing,
                        const CertifiedWallList &walls, int lastPosition)
{
    const float sum = FramingMultiplierShares(kind, section, xBracing, walls, lastPosition).sum();
    return sum > 5.0f ? 5.0f : sum;
}

QString MultiplierText(float multiplier)
{
    return FormatDecimal(multiplier, 2, 1);
}

QStringList SectionList()
{
    return StrItems(S::TimberSizes);
}

QStringList StandardLengthList(int mod)
{
    if (mod < 0 || mod > 3)
        mod = 0;
    return StrItems(S::StandardLengthLists + mod);
}

QStringList KindList(const QString &certifiedName)
{
    QStringList items = StrItems(S::FramingKinds);
    const bool certified = !certifiedName.isEmpty();
    if (certified)
        items << certifiedName;
    items << StrItems(S::FramingKindsWithTimber);
    if (certified)
        items << certifiedName + QStringLiteral("+木材");
    items << StrItems(S::FramingKindsWithBars);
    if (certified)
        items << certifiedName + RebarSuffix;
    return items;
}

} // namespace quiren
