#include "gui/calcwindow/CheckViews.h"

#include "core/calc/CheckVerdicts.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/BalancePanel.h"
#include "gui/calcwindow/ColumnPanel.h"
#include "gui/calcwindow/JointPanel.h"
#include "gui/calcwindow/SheetDocument.h"

namespace quiren {

namespace {

QWidget *makeBalance(SheetDocument &document, int storey, QWidget *parent)
{
    auto *panel = new BalancePanel(document.sheet(), storey, parent);
    QObject::connect(panel, &BalancePanel::sheetEdited, &document, &SheetDocument::markChanged);
    QObject::connect(&document, &SheetDocument::recalculated, panel, &BalancePanel::refreshResults);
    QObject::connect(&document, &SheetDocument::replaced, panel, &BalancePanel::refresh);
    panel->refresh();
    return panel;
}

QWidget *makeColumns(SheetDocument &document, int storey, QWidget *parent)
{
    auto *panel = new ColumnPanel(document.sheet(), storey, parent);
    QObject::connect(panel, &ColumnPanel::sheetEdited, &document, &SheetDocument::markChanged);
    QObject::connect(&document, &SheetDocument::recalculated, panel, &ColumnPanel::refreshResults);
    QObject::connect(&document, &SheetDocument::replaced, panel, &ColumnPanel::refresh);
    panel->refresh();
    return panel;
}

QWidget *makeJoints(SheetDocument &document, int storey, QWidget *parent)
{
    auto *panel = new JointPanel(document.sheet(), storey, parent);
    // Stored at each keystroke: the panel shows its own results, and only
    // what depends on them is told (the page verdicts, the storey below).
    QObject::connect(panel, &JointPanel::sheetEdited, &document, [&document, storey] {
        document.markChanged();
        document.tellCheckEdited(storey);
    });
    QObject::connect(&document, &SheetDocument::recalculated, panel, &JointPanel::refresh);
    // A storey-2 column's A is the pull on the column under it.
    if (storey == 0) {
        QObject::connect(&document, &SheetDocument::checkEdited, panel, [panel](int edited) {
            if (edited == 1)
                panel->refresh();
        });
    }
    return panel;
}

// Only a storey that lists columns has a joint verdict to show.
QString jointVerdict(const CalcSheet &sheet, int storey)
{
    return sheet.joints[storey].isBlank() ? QString() : JointVerdictText(JointStoreyVerdict(sheet, storey));
}

} // namespace

const std::vector<CheckViewKind> &CheckViewKinds()
{
    static const std::vector<CheckViewKind> kinds = {
        {"cmdBalance", Str(S::BalanceButton), Str(S::BalanceTitle), false, makeBalance, nullptr},
        {"cmdColumns", Str(S::ColumnsButton), QStringLiteral("柱の小径 (横架材間距離と柱の寸法)"), false,
         makeColumns, nullptr},
        // The column table is wide: while it is shown the views take the
        // room the page has, and give it back to the framing grid's size after.
        {"cmdJoints", Str(S::JointsButton), QStringLiteral("柱頭・柱脚の接合 (N値計算法)"), true, makeJoints,
         jointVerdict},
    };
    return kinds;
}

} // namespace quiren
