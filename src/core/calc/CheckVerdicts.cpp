#include "core/calc/CheckVerdicts.h"

#include "core/calc/Balance.h"
#include "core/calc/CalcSheet.h"
#include "core/calc/ColumnCheck.h"
#include "core/calc/ColumnJoint.h"
#include "core/text/StringTable.h"

namespace quiren {

QString BalanceStoreyVerdict(const CalcSheet &sheet, int s)
{
    if (!StoreyHasBalanceData(sheet, s))
        return {};
    // A direction that fails outweighs one not filled in yet.
    bool checked = true, failed = false;
    for (int d = 0; d < 2; ++d) {
        const bool done = CheckBalance(sheet, s, d).checked();
        checked = checked && done;
        failed = failed || (done && !BalancePassed(sheet, s, d));
    }
    return failed ? QStringLiteral("NG") : (checked ? QStringLiteral("OK") : QString());
}

QString ColumnStoreyVerdict(const CalcSheet &sheet, int s)
{
    return CheckStoreyColumns(sheet, s).verdictText();
}

QString JointStoreyVerdict(const CalcSheet &sheet, int s)
{
    return sheet.joints[s].isBlank() ? QString() : CheckColumnJoints(sheet, s).verdictText();
}

std::vector<StoreyCheckVerdict> StoreyCheckVerdicts(const CalcSheet &sheet, int s)
{
    return {{Str(S::BalanceButton), BalanceStoreyVerdict(sheet, s)},
            {Str(S::ColumnsButton), ColumnStoreyVerdict(sheet, s)},
            {Str(S::JointsButton), JointStoreyVerdict(sheet, s)}};
}

} // namespace quiren
