#include "core/print/CheckPages.h"

namespace quiren {

const std::vector<CheckPages> &CheckPageList()
{
    static const std::vector<CheckPages> pages{BalancePages(), ColumnPages(), JointPages()};
    return pages;
}

} // namespace quiren
