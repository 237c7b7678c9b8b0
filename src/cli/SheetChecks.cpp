#include "cli/SheetChecks.h"

namespace quiren::cli {

const std::vector<CliCheck> &CliChecks()
{
    static const std::vector<CliCheck> checks{BalanceCliCheck(), ColumnCliCheck(), JointCliCheck()};
    return checks;
}

} // namespace quiren::cli
