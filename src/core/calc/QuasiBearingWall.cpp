#include "core/calc/QuasiBearingWall.h"

#include "core/calc/LawWalls.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

// A height or width as the user would have typed it ("240", "0.6").
QString FormatNumber(double value)
{
    return QString::number(value, 'g', 8);
}

constexpr double QuasiShare = 0.6;   // of the panel's bearing-wall multiplier
constexpr double LathShare = 0.5;
constexpr double QuasiCap = 1.5;
constexpr double MinimumWidth = 0.9;        // m
constexpr double HangingSillMaximumWidth = 2.0;   // m
constexpr double WidthTolerance = 1e-9;

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

QString QuasiKindName(QuasiKind kind)
{
    return kind == QuasiKind::HangingSill ? QStringLiteral("垂れ壁・腰壁") : QStringLiteral("準耐力壁");
}

QString QuasiKindKey(QuasiKind kind)
{
    return kind == QuasiKind::HangingSill ? QStringLiteral("hangingSill") : QStringLiteral("panel");
}

std::optional<QuasiKind> QuasiKindFromKey(const QString &key)
{
    if (key == QLatin1String("panel"))
        return QuasiKind::Panel;
    if (key == QLatin1String("hangingSill"))
        return QuasiKind::HangingSill;
    return std::nullopt;
}

namespace {

// Whether the panel covers at least 80 % of the clear height; compared in
// whole hundredths of a centimetre so that exactly 80 % passes (kept as
// doubles: a height of 1e30 has no 64-bit integer form).
bool coversPanelShare(double panelHeightCm, double clearHeightCm)
{
    return std::round(panelHeightCm * 100.0) * 10.0 >= std::round(clearHeightCm * 100.0) * 8.0;
}

} // namespace

QuasiKind QuasiKindOfEarlierRow(double panelHeightCm, double clearHeightCm)
{
    if (!(panelHeightCm > 0) || !(clearHeightCm > 0))
        return QuasiKind::Panel;
    return coversPanelShare(panelHeightCm, clearHeightCm) ? QuasiKind::Panel : QuasiKind::HangingSill;
}

QString QuasiRefusal(QuasiKind kind, double panelHeightCm, double clearHeightCm, bool bothSides)
{
    if (kind == QuasiKind::Panel) {
        if (!coversPanelShare(panelHeightCm, clearHeightCm))
            return QStringLiteral("準耐力壁は材の高さが横架材間の内法高さの80%以上必要です（%1／%2cm）")
                .arg(FormatNumber(panelHeightCm), FormatNumber(clearHeightCm));
        return {};
    }
    if (panelHeightCm < QuasiMinimumPanelHeight - 1e-9)
        return QStringLiteral("垂れ壁・腰壁は材の高さ（垂れ壁＋腰壁）が36cm以上必要です（%1cm）").arg(FormatNumber(panelHeightCm));
    if (!bothSides)
        return QStringLiteral("垂れ壁・腰壁は両側に耐力壁または準耐力壁が必要です（未確認）");
    return {};
}

QString QuasiWidthRefusal(QuasiKind kind, double widthM)
{
    if (widthM < MinimumWidth - WidthTolerance)
        return QStringLiteral("%1は幅90cm以上が必要です（%2m）").arg(QuasiKindName(kind), FormatNumber(widthM));
    if (kind == QuasiKind::HangingSill && widthM > HangingSillMaximumWidth + WidthTolerance)
        return QStringLiteral("垂れ壁・腰壁は幅2m以下です（%1m）").arg(FormatNumber(widthM));
    return {};
}

} // namespace quiren
