#include "core/calc/QuasiReport.h"

#include "core/text/NumberText.h"

#include <optional>

namespace quiren {

namespace {

bool isLath(const QuasiWallRow &row)
{
    const std::optional<QuasiPanel> panel = FindQuasiPanel(row.kind);
    return panel && panel->lath;
}

} // namespace

QString QuasiBaseText(const QuasiWallRow &row)
{
    if (row.kind != QuasiTypedBaseKind) {
        if (const std::optional<QuasiPanel> panel = FindQuasiPanel(row.kind))
            return panel->lath ? QStringLiteral("0.5") : FormatDecimal(panel->base, 2, 1);
    }
    return row.base.trimmed();
}

QString QuasiFormulaText(const QuasiWallRow &row)
{
    if (row.panelHeight.trimmed().isEmpty() || row.clearHeight.trimmed().isEmpty())
        return {};
    // A panel taller than the clear height counts as the clear height.
    const QString panel = TextValue(row.panelHeight) > TextValue(row.clearHeight) ? row.clearHeight.trimmed()
                                                                                : row.panelHeight.trimmed();
    const QString ratio = panel + QStringLiteral("/") + row.clearHeight.trimmed();
    if (isLath(row))
        return QStringLiteral("0.5×") + ratio;
    return QuasiBaseText(row) + QStringLiteral("×0.6×") + ratio;
}

} // namespace quiren
