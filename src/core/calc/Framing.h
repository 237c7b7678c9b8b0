#pragma once

#include "core/calc/CertifiedWall.h"

#include <QString>
#include <QStringList>

// Framing kinds, timber sections, crossed bracing and the wall multiplier
// the law gives each combination.
namespace quiren {

// Multiplier of a framing row, 0 to 5. lastPosition is the highest position
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
