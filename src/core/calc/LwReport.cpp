#include "core/calc/LwReport.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <optional>

namespace quiren {

namespace {

QString fixed(double value, int places)
{
    return QString::number(value, 'f', places);
}

const QString KiloNewton = QStringLiteral("kN/㎡");
const QString Newton = QStringLiteral("N/㎡");

// The unit load of a finish: the list's value, or the typed one.

} // namespace

std::vector<ReportLine> LwBreakdownLines(const CalcSheet &sheet)
{
    const LwBreakdown &b = sheet.results2025.breakdown;
    if (!b.valid)
        return {};
    const bool two = b.storeys == 2;
    std::vector<ReportLine> lines;
    lines.push_back({QStringLiteral("屋根面積係数 Z"), fixed(b.roofFactor, 4), {}});
    if (two)
        lines.push_back({AreaRatioLabel, fixed(b.areaRatio, 4), {}});
    lines.push_back({QStringLiteral("① 屋根"), fixed(b.roofLoad, 4), KiloNewton});
    if (two) {
        lines.push_back({QStringLiteral("② 2階の壁"), fixed(b.walls2, 4), KiloNewton});
        lines.push_back({QStringLiteral("③ 2階の床"), fixed(b.floor2, 4), KiloNewton});
    }
    lines.push_back({QStringLiteral("④ 1階の壁"), fixed(b.walls1, 4), KiloNewton});
    if (two)
        lines.push_back({QStringLiteral("⑤ 下屋"), fixed(b.lowerRoof, 4), KiloNewton});
    if (two) {
        lines.push_back({QStringLiteral("w2＝①＋½②"), fixed(b.w[1], 4), KiloNewton});
        lines.push_back({QStringLiteral("w1＝①＋②＋③＋½④＋⑤"), fixed(b.w[0], 4), KiloNewton});
        lines.push_back({QStringLiteral("α＝w2/w1"), fixed(b.alpha, 4), {}});
        lines.push_back({QStringLiteral("h＝屋根の高さ/2＋h2＋h1＋0.5"), fixed(b.height, 3), QStringLiteral("m")});
        lines.push_back({QStringLiteral("T＝0.03h"), fixed(b.t, 4), QStringLiteral("s")});
        lines.push_back({QStringLiteral("A2"), fixed(b.ai[1], 4), {}});
    } else {
        lines.push_back({QStringLiteral("w1＝①＋½④"), fixed(b.w[0], 4), KiloNewton});
    }
    lines.push_back({QStringLiteral("Lw1＝C0・w1/0.0196"), fixed(b.lwRaw[0], 2), QStringLiteral("cm/㎡")});
    if (two)
        lines.push_back({QStringLiteral("Lw2＝A2・C0・w2/0.0196/r"), fixed(b.lwRaw[1], 2), QStringLiteral("cm/㎡")});
    for (int s = 0; s < b.storeys; ++s)
        lines.push_back({QStringLiteral("Lw%1 (切上げ)").arg(s + 1), QString::number(b.lw[s]), QStringLiteral("cm/㎡")});
    return lines;
}

std::vector<ReportLine> LwInputLines(const CalcSheet &sheet)
{
    const SeismicInputs &in = sheet.inputs2025.seismic;
    const Sheet2025Results &r = sheet.results2025;
    const int storeys = std::min(sheet.storeyIndex + 1, Storeys2025);
    // The loads exactly as the figure used them.
    const std::optional<LwInput> used =
        LwInputFromTexts(in, storeys, r.floor[0].af, r.floor[1].af, nullptr);
    const UnitLoads loads = used ? used->loads : UnitLoads::Standard(in.roof, in.wall, in.solar, in.use);
    const bool own = in.method == LwMethod::Loads;
    auto load = [](const QString &name, double value) {
        return (name.isEmpty() ? QString() : name + QStringLiteral(" ")) + fixed(value, 0) + Newton;
    };
    std::vector<ReportLine> lines;
    lines.push_back({QStringLiteral("屋根"), load(own ? QString() : ChoiceName(in.roof), loads.roof), {}});
    lines.push_back({QStringLiteral("太陽光発電"), load(own ? QString() : ChoiceName(in.solar), loads.solar), {}});
    lines.push_back({QStringLiteral("外壁"), load(own ? QString() : ChoiceName(in.wall), loads.wallFinish), {}});
    if (own) {
        lines.push_back({QStringLiteral("天井断熱"), load({}, loads.ceiling), {}});
        lines.push_back({QStringLiteral("壁断熱"), load({}, loads.wallInsulation), {}});
        lines.push_back({QStringLiteral("窓"), load({}, loads.window), {}});
        lines.push_back({QStringLiteral("間仕切壁"), load({}, loads.interiorWall), {}});
        lines.push_back({QStringLiteral("床"), load({}, loads.floor), {}});
    }
    lines.push_back({QStringLiteral("積載荷重"), load(own ? QString() : ChoiceName(in.use), loads.live), {}});
    lines.push_back({QStringLiteral("C0"), in.c0.trimmed(), {}});
    lines.push_back({QStringLiteral("軒の出"), in.overhang.trimmed(), QStringLiteral("m")});
    lines.push_back({QStringLiteral("屋根勾配"), in.pitch.trimmed(), QStringLiteral("寸")});
    lines.push_back({QStringLiteral("屋根の高さ"), in.rise.trimmed(), QStringLiteral("m")});
    lines.push_back({QStringLiteral("1階の階高 h1"), in.h1.trimmed(), QStringLiteral("m")});
    if (storeys == 2)
        lines.push_back({QStringLiteral("2階の階高 h2"), in.h2.trimmed(), QStringLiteral("m")});
    return lines;
}

const QString AreaRatioLabel = QStringLiteral("r＝床面積2/床面積1");

QString AfText(double af)
{
    return FormatDecimal(af, 6, 2);
}

QString AfTermsText(const CalcSheet &sheet, int s)
{
    const FloorAreaResult &f = sheet.results2025.floor[s];
    QString text = QStringLiteral("床面積 ") + AfText(f.floorArea);
    // The loft above this storey, then (storey 1) the one above storey 2.
    for (int owner : {s, s + 1}) {
        if (owner >= Storeys2025 || owner > sheet.storeyIndex)
            continue;
        const FloorAreaInputs &loft = sheet.inputs2025.floor[owner];
        const FloorAreaResult &of = sheet.results2025.floor[owner];
        if (!(TextValue(loft.loftArea) > 0))
            continue;
        const QString whose = QStringLiteral("（%1階の小屋裏物置）").arg(owner + 1);
        const QString area = loft.loftArea.trimmed() + QStringLiteral("㎡");
        if (of.loftIsStorey) {
            if (owner == s)
                text += QStringLiteral("　小屋裏 ") + area + QStringLiteral("は階として算定が必要（算入せず）");
            continue;
        }
        if (of.loftExempted) {
            if (owner == s)
                text += QStringLiteral("　小屋裏物置 ") + area + QStringLiteral("は床面積の1/8以下のため算入せず");
            continue;
        }
        if (!(of.ownLoft > 0))
            continue;
        text += QStringLiteral(" ＋ 小屋裏物置 ") + area + QStringLiteral("×") + loft.loftHeight.trimmed()
                + QStringLiteral("/2.1 ＝ ") + FormatFixed2(of.ownLoft) + whose;
    }
    return text;
}

} // namespace quiren
