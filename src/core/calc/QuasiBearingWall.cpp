#include "core/calc/QuasiBearingWall.h"

#include "core/calc/LawWalls.h"

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
    // Bearing-wall multipliers of panels nailed over the whole face (大壁),
    // as the law's list of bearing walls gives them.
    // (The list keeps single precision; 0.9 is taken as the decimal 0.9.)
    auto base = [](const char *lawName) {
        return std::round(static_cast<double>(LawWallMultiplier(QString::fromUtf8(lawName))) * 100.0) / 100.0;
    };
    static const std::vector<QuasiPanel> panels{
        {QStringLiteral("構造用合板"), base("構造用合板 t7.5 (大壁)"), false},
        {QStringLiteral("構造用パーティクルボード"), base("構造用パーティクルボード (大壁)"), false},
        {QStringLiteral("構造用パネル"), base("構造用パネル(OSB) (大壁)"), false},
        {QStringLiteral("硬質木片セメント板"), base("木片セメント板 t12 (大壁)"), false},
        {QStringLiteral("せっこうボード"), base("石膏ボード t12.5 (大壁)"), false},
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
