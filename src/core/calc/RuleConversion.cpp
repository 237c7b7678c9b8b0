#include "core/calc/RuleConversion.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

namespace quiren {

RoofFinish RoofFinishForWeight(int weightType)
{
    return weightType == 1 ? RoofFinish::Tile : RoofFinish::Slate;
}

int WeightTypeForRoof(RoofFinish roof, const QString &roofLoad)
{
    switch (roof) {
    case RoofFinish::Tile: return 1;
    case RoofFinish::Slate:
    case RoofFinish::Metal: return 0;
    case RoofFinish::Typed: break;
    }
    // A typed load heavier than a slate roof's is taken as a heavy roof.
    return TextValue(roofLoad) > 740.0 ? 1 : 0;
}

QStringList OldRulesRefusals(const CalcSheet &sheet)
{
    QStringList reasons;
    if (sheet.ruleSetKind() != RuleSetKind::Rules2025)
        return reasons;
    for (int s = 0; s < WeightRuleStoreys; ++s) {
        for (const QuasiWallRow &row : sheet.quasiWalls[s]) {
            if (row.inUse()) {
                reasons << QStringLiteral("%1階に準耐力壁等があります（旧基準では存在壁量に数えません）。").arg(s + 1);
                break;
            }
        }
    }
    // Kinds only the 2025 rules know (a panel on each face): under the old
    // rules their storey could not be judged.
    CalcSheet old = sheet;
    old.SetRuleSet(RuleSetKind::Old);
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        for (const QString &kind : old.unresolvedKinds[s]) {
            if (!sheet.unresolvedKinds[s].contains(kind))
                reasons << QStringLiteral("%1階の軸組「%2」は旧基準の倍率の表にありません。").arg(s + 1).arg(kind);
        }
    }
    return reasons;
}

bool ConvertTo2025(CalcSheet &sheet, RoofFinish roof, QString *reason)
{
    const RoofFinish before = sheet.weightInputs.seismic.roof;
    sheet.weightInputs.seismic.roof = roof;
    if (sheet.SetRuleSet(RuleSetKind::Rules2025, reason))
        return true;
    sheet.weightInputs.seismic.roof = before;
    return false;
}

bool ConvertToOldRules(CalcSheet &sheet, int weightType, QString *reason)
{
    const QStringList refusals = OldRulesRefusals(sheet);
    if (!refusals.isEmpty()) {
        if (reason)
            *reason = refusals.join(QLatin1Char('\n'));
        return false;
    }
    if (!sheet.SetRuleSet(RuleSetKind::Old, reason))
        return false;
    sheet.SetWeightType(weightType);
    sheet.Recalculate();
    return true;
}

} // namespace quiren
