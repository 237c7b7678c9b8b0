#include "gui/settings/OfficeChanges.h"

namespace quiren {

OfficeChanges &OfficeChanges::instance()
{
    static OfficeChanges changes;
    return changes;
}

} // namespace quiren
