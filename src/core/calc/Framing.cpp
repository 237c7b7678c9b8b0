#include "core/calc/Framing.h"

#include "core/calc/LawWalls.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>
#include <optional>

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

namespace {

// The certified wall of that exact name: the last such entry up to
// lastPosition. A nameless placeholder never matches.
const CertifiedWall *findCertified(const QString &name, const CertifiedWallList &walls, int lastPosition)
{
    const CertifiedWall *found = nullptr;
    const int last = std::min<int>(lastPosition, static_cast<int>(walls.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        if (!walls[i].name.isEmpty() && walls[i].name == name)
            found = &walls[i];
    }
    return found;
}

// One wall by its name: the law's list, then the certified walls. An
// unverified law value gives way to one the user registered under its name.
std::optional<FramingWallPiece> wallPiece(const QString &name, const CertifiedWallList &walls,
                                          int lastPosition, const CertifiedWallList &kept)
{
    const CertifiedWall *keptWall = findCertified(name, kept, static_cast<int>(kept.size()) - 1);
    const CertifiedWall *office = findCertified(name, walls, lastPosition);
    if (const LawWall *law = FindLawWall(name)) {
        if (law->group == LawWallGroup::Brace || law->group == LawWallGroup::SteelBar)
            return std::nullopt;
        FramingWallPiece piece{law->name, law->multiplier, MultiplierSource::Law, law->provision,
                               law->unverified};
        if (law->unverified && (keptWall || office)) {
            piece.multiplier = keptWall ? keptWall->multiplier : office->multiplier;
            piece.source = keptWall ? MultiplierSource::KeptInFile : MultiplierSource::OfficeList;
            piece.unverified = false;
        }
        return piece;
    }
    if (keptWall)
        return FramingWallPiece{name, keptWall->multiplier, MultiplierSource::KeptInFile, CertifiedProvision()};
    if (office)
        return FramingWallPiece{name, office->multiplier, MultiplierSource::OfficeList, CertifiedProvision()};
    return std::nullopt;
}

// Two panels, one on each face: "A+B", both 大壁 or 床勝ち panels of the law.
bool twoFacePieces(const QString &base, std::vector<FramingWallPiece> &pieces)
{
    for (qsizetype at = base.indexOf(QLatin1Char('+')); at > 0; at = base.indexOf(QLatin1Char('+'), at + 1)) {
        const LawWall *first = FindLawWall(base.left(at));
        const LawWall *second = FindLawWall(base.mid(at + 1));
        if (first && second && first->facePanel && second->facePanel) {
            for (const LawWall *law : {first, second})
                pieces.push_back(FramingWallPiece{law->name, law->multiplier, MultiplierSource::Law,
                                                  law->provision, law->unverified});
            return true;
        }
    }
    return false;
}

} // namespace

FramingResolution ResolveFraming(const QString &kind, const QString &section, const QString &xBracing,
                                 const CertifiedWallList &walls, int lastPosition,
                                 const CertifiedWallList &kept, bool twoFaces)
{
    FramingResolution result;
    if (kind.trimmed().isEmpty())
        return result;

    // The brace a kind ends in.
    QString base = kind;
    if (kind.endsWith(WoodSuffix)) {
        result.woodBrace = true;
        base.chop(kind.endsWith(QStringLiteral("+") + WoodSuffix) ? WoodSuffix.size() + 1 : WoodSuffix.size());
    } else if (kind.endsWith(RebarSuffix)) {
        result.rebar = true;
        base.chop(RebarSuffix.size());
    }

    float wall = 0.0f;
    float bar = 0.0f;
    // The clay and lath walls and the rebar brace are known by their first
    // characters, as sheets have always read them.
    const QString head = base.left(3);
    if (head == QStringLiteral("土塗り") || head == QStringLiteral("木摺片") || head == QStringLiteral("木摺両")) {
        const LawWall *law = FindLawWall(head == QStringLiteral("土塗り") ? QStringLiteral("土塗り壁")
                                          : head == QStringLiteral("木摺片") ? QStringLiteral("木摺片面壁")
                                                                             : QStringLiteral("木摺両面壁"));
        result.walls.push_back(FramingWallPiece{law->name, law->multiplier, MultiplierSource::Law, law->provision});
    } else if (head == QStringLiteral("9㎜鉄")) {
        bar = 1.0f;
        result.rebar = true;
    } else if (!base.isEmpty()) {
        if (std::optional<FramingWallPiece> piece = wallPiece(base, walls, lastPosition, kept)) {
            result.walls.push_back(*piece);
        } else if (!(twoFaces && twoFacePieces(base, result.walls))) {
            result.resolved = false;
            result.missing = base;
        }
    } else if (!result.woodBrace) {
        // "+鉄筋" alone.
        result.resolved = false;
        result.missing = kind;
    }
    for (const FramingWallPiece &piece : result.walls)
        wall += piece.multiplier;

    float brace = 0.0f;
    if (result.woodBrace) {
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
    result.shares = FramingShares{wall, brace, bar};
    return result;
}

FramingShares FramingMultiplierShares(const QString &kind, const QString &section,
                                      const QString &xBracing, const CertifiedWallList &walls,
                                      int lastPosition)
{
    return ResolveFraming(kind, section, xBracing, walls, lastPosition).shares;
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
