#pragma once

#include "core/calc/RuleSet.h"
#include "core/calc/SeismicWeight.h"

#include <QString>
#include <QStringList>

// Moving a sheet from one rule set to the other. The old rules take the
// building's weight as light or heavy (the roof coefficients); the 2025
// rules take the roof's finish and its load. Converting asks the user
// which, offering what the sheet already says.
namespace quiren {

class CalcSheet;

// The roof finish the 2025 rules start from for the old weight choice
// (0 light, 1 heavy), and the old choice a finish stands for.
RoofFinish RoofFinishForWeight(int weightType);
int WeightTypeForRoof(RoofFinish roof, const QString &roofLoad);

// Why the sheet cannot go back to the old rules, one plain Japanese line
// per reason: what it holds that the old rules would drop or judge
// otherwise without saying so. Empty when it can.
QStringList OldRulesRefusals(const CalcSheet &sheet);

// Converts the sheet to `kind`, with the roof given as a 2025 finish or as
// the old weight choice. False (and the reason) when the sheet cannot be
// converted; it is then left as it was.
bool ConvertTo2025(CalcSheet &sheet, RoofFinish roof, QString *reason = nullptr);
bool ConvertToOldRules(CalcSheet &sheet, int weightType, QString *reason = nullptr);

} // namespace quiren
