#pragma once

#include "core/calc/CertifiedWall.h"

#include <QString>
#include <QStringList>

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
FramingShares FramingMultiplierShares(const QString &kind, const QString &section,
                                      const QString &xBracing, const CertifiedWallList &walls,
                                      int lastPosition);

// Multiplier of a framing row, 0 to 5 (the shares' sum, capped at 5). lastPosition is the highest position
// of the certified-wall list to consult (-1: none).
float FramingMultiplier(const QString &kind, const QString &section, const QString &xBracing,
                        const CertifiedWallList &walls, int lastPosition);

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
