#include "core/calc/QuasiBearingWall.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

constexpr double QuasiShare = 0.6;   // of the panel's bearing-wall multiplier
constexpr double LathShare = 0.5;
constexpr double QuasiCap = 1.5;

} // namespace

const QString QuasiTypedBaseKind = QStringLiteral("その他(倍率入力)");

const std::vector<QuasiPanel> &QuasiPanelList()
{
    // Bearing-wall multipliers of panels nailed over the whole face (大壁).
    static const std::vector<QuasiPanel> panels{
        {QStringLiteral("構造用合板"), 2.5, false},
        {QStringLiteral("構造用パーティクルボード"), 2.5, false},
        {QStringLiteral("構造用パネル"), 2.5, false},
        {QStringLiteral("硬質木片セメント板"), 2.0, false},
        {QStringLiteral("せっこうボード"), 0.9, false},
        {QStringLiteral("木ずり"), 0, true},
        {QuasiTypedBaseKind, 0, false},
    };
    return panels;
}

std::optional<QuasiPanel> FindQuasiPanel(const QString &name)
{
    for (const QuasiPanel &panel : QuasiPanelList()) {
        if (panel.name == name)
            return panel;
    }
    return std::nullopt;
}

QStringList QuasiPanelNames()
{
    QStringList names;
    for (const QuasiPanel &panel : QuasiPanelList())
        names << panel.name;
    return names;
}

double TruncateHundredths(double value)
{
    return std::floor(value * 100.0 + 1e-9) / 100.0;
}

std::optional<double> QuasiMultiplier(double base, bool lath, double panelHeightCm, double clearHeightCm)
{
    if (!(panelHeightCm > 0) || !(clearHeightCm > 0) || !std::isfinite(panelHeightCm)
        || !std::isfinite(clearHeightCm) || !std::isfinite(base) || base < 0)
        return std::nullopt;
    const double ratio = std::min(1.0, panelHeightCm / clearHeightCm);
    const double raw = lath ? LathShare * ratio : base * QuasiShare * ratio;
    return std::min(QuasiCap, TruncateHundredths(raw));
}

} // namespace quiren
