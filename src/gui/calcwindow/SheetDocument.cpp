#include "gui/calcwindow/SheetDocument.h"

#include "core/settings/AppData.h"
#include "gui/settings/OfficeChanges.h"

namespace quiren {

SheetDocument::SheetDocument(RuleSetKind kind, QObject *parent)
    : QObject(parent)
    , m_sheet(&AppData::instance().walls)
{
    m_sheet.SetRuleSet(kind);
    m_sheet.changed = false;
    connect(&OfficeChanges::instance(), &OfficeChanges::applied, this, &SheetDocument::recalculate);
}

void SheetDocument::recalculate()
{
    m_sheet.Recalculate();
    emit recalculated();
}

bool SheetDocument::setRuleSet(RuleSetKind kind, QString *reason)
{
    return m_sheet.SetRuleSet(kind, reason);
}

void SheetDocument::markChanged()
{
    m_sheet.changed = true;
    emit edited();
}

} // namespace quiren
