#pragma once

#include <QString>

#include <vector>

namespace quiren {

class CalcSheet;

// The verdict of each check beside the wall quantity for one storey, as the
// judgement grid, the storey page and the printed sheet show it: "OK",
// "NG", or empty while the check is not filled in far enough to judge.

// The quarter method: "NG" as soon as a direction that can be judged fails
// (with the full sums too where the framing adds up beyond the cap), "OK"
// when both directions pass.
QString BalanceStoreyVerdict(const CalcSheet &sheet, int s);
QString ColumnStoreyVerdict(const CalcSheet &sheet, int s);
QString JointStoreyVerdict(const CalcSheet &sheet, int s);

struct StoreyCheckVerdict {
    QString caption;   // "4分割法", "柱の小径", "柱頭柱脚"
    QString verdict;
};
// Every check, in the order of the storey page's buttons.
std::vector<StoreyCheckVerdict> StoreyCheckVerdicts(const CalcSheet &sheet, int s);

} // namespace quiren
