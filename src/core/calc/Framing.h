#pragma once

#include "core/calc/CertifiedWall.h"

#include <QString>
#include <QStringList>

#include <vector>

// Framing kinds, timber sections, crossed bracing and the wall multiplier
// the law gives each combination.
namespace quiren {

// The shares a framing's multiplier is the sum of, before any cap. Braces
// (wood, and rebar whether alone or beside a wall) are kept apart from the
// walls because rules may weaken a brace in a tall storey but not a wall.
struct FramingShares {
    float wall = 0.0f;    // certified wall, clay or lath wall
    float brace = 0.0f;   // wood brace (crossed 9 cm square: 5) or the rebar beside a wall
    float bar = 0.0f;     // the 9 mm rebar brace alone ("9㎜鉄筋"), which replaces any wall share
    float sum() const { return wall + bar + brace; }
    float braces() const { return brace + bar; }
};

// Where a wall piece of a framing takes its multiplier from.
enum class MultiplierSource {
    Law,          // the law's list (令46条, 告示1100号)
    OfficeList,   // the office's list of certified walls
    KeptInFile,   // the multiplier the sheet's file was saved with
};

// One wall of a framing (a framing may have two panels, one on each face).
struct FramingWallPiece {
    QString name;
    float multiplier = 0.0f;
    MultiplierSource source = MultiplierSource::Law;
    QString provision;
    bool unverified = false;
};

// A framing kind taken apart: its walls and braces and their shares.
struct FramingResolution {
    bool resolved = true;   // false: `missing` has no multiplier anywhere
    QString missing;
    std::vector<FramingWallPiece> walls;
    bool woodBrace = false;
    bool rebar = false;     // beside a wall ("+鉄筋") or alone ("9㎜鉄筋")
    FramingShares shares;
};

// Resolves a kind. Law walls are found by their exact name; a certified
// wall by its exact name, first among `kept` (what the sheet's file was
// saved with), then in the office list up to lastPosition (a later entry of
// the same name wins). A kind may be a wall followed by "+木材" or "+鉄筋",
// and, where `twoFaces` (2025 rules), two panels on the two faces of the wall
// joined by "+". Crossed 9 cm square braces count 5 whatever else the kind
// holds. A kind that names nothing known is not resolved.
FramingResolution ResolveFraming(const QString &kind, const QString &section, const QString &xBracing,
                                 const CertifiedWallList &walls, int lastPosition,
                                 const CertifiedWallList &kept = {}, bool twoFaces = false);

FramingShares FramingMultiplierShares(const QString &kind, const QString &section,
                                      const QString &xBracing, const CertifiedWallList &walls,
                                      int lastPosition);

// Multiplier of a framing row, 0 to 5 (the shares' sum, capped at 5). lastPosition is the highest position
// of the certified-wall list to consult (-1: none).
float FramingMultiplier(const QString &kind, const QString &section, const QString &xBracing,
                        const CertifiedWallList &walls, int lastPosition);

// The text of a multiplier in the grid and on the sheet: one decimal, or
// two when a certified wall has them ("2.0", "4.5", "3.75"). Certified
// multipliers carry at most two decimals, so nothing is rounded away.
QString MultiplierText(float multiplier);

// Section list of the section cell: "1.5×9", "3×9", "4.5×9", "9×9".
QStringList SectionList();

// Standard lengths offered for module `mod` (0..3), "ｸﾘﾔ" first.
QStringList StandardLengthList(int mod);

// Kind list; `certifiedName` empty when the sheet has no certified wall.
QStringList KindList(const QString &certifiedName);

// True for kinds that contain a wood brace (ending in "木材").
bool HasWoodBrace(const QString &kind);

// The texts of the cells this module compares against.
namespace framing {
inline const QString Clear = QStringLiteral("ｸﾘﾔ");
inline const QString Crossed = QStringLiteral("する");
inline const QString Single = QStringLiteral("しない");
inline const QString NoBrace = QStringLiteral("-");
inline const QString DefaultSection = QStringLiteral("1.5×9");
} // namespace framing

} // namespace quiren
