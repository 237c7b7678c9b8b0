#include "core/calc/LwReport.h"

#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

#include <algorithm>
#include <optional>

namespace quiren {

namespace {

QString fixed(double value, int places)
{
    return QString::number(value, 'f', places);
}

QString kiloNewton() { return Str(S::UnitKiloNewtonPerM2); }
QString newton() { return Str(S::UnitNewtonPerM2); }

// The unit load of a finish: the list's value, or the typed one.

} // namespace

std::vector<ReportLine> LwBreakdownLines(const CalcSheet &sheet)
{
    return LwReportLines(sheet.weightResults.breakdown);
}

QString AfEquation(const CalcSheet &sheet, int s)
{
    return Str(S::AfEquationHead) + AfTermsText(sheet, s) + Str(S::AfEquationEquals)
           + AfText(sheet.weightResults.floor[s].af) + Str(S::UnitM2);
}

QString FloorRequirementEquation(const CalcSheet &sheet, int s)
{
    const WeightRuleResults &r = sheet.weightResults;
    const QString lw = r.lwKnown[s] ? QString::number(r.lw[s]) : Str(S::LwNotYetKnown);
    return Str(S::FloorRequirementEquationText)
        .arg(lw, AfText(r.floor[s].af), sheet.floorRequirement[s]);
}

std::vector<ReportLine> LwReportLines(const LwBreakdown &b)
{
    if (!b.valid)
        return {};
    const bool two = b.storeys == 2;
    std::vector<ReportLine> lines;
    lines.push_back({Str(S::LwRoofFactor), fixed(b.roofFactor, 4), {}});
    if (two)
        lines.push_back({Str(S::AreaRatioLabel), fixed(b.areaRatio, 4), {}});
    lines.push_back({Str(S::LwRoofLoad), fixed(b.roofLoad, 4), kiloNewton()});
    if (two) {
        lines.push_back({Str(S::LwWalls2), fixed(b.walls2, 4), kiloNewton()});
        lines.push_back({Str(S::LwFloor2), fixed(b.floor2, 4), kiloNewton()});
    }
    lines.push_back({Str(S::LwWalls1), fixed(b.walls1, 4), kiloNewton()});
    if (two)
        lines.push_back({Str(S::LwLowerRoof), fixed(b.lowerRoof, 4), kiloNewton()});
    if (two) {
        lines.push_back({Str(S::LwW2), fixed(b.w[1], 4), kiloNewton()});
        lines.push_back({Str(S::LwW1TwoStoreys), fixed(b.w[0], 4), kiloNewton()});
        lines.push_back({Str(S::LwAlpha), fixed(b.alpha, 4), {}});
        lines.push_back({Str(S::LwHeight), fixed(b.height, 3), QStringLiteral("m")});
        lines.push_back({Str(S::LwPeriod), fixed(b.t, 4), QStringLiteral("s")});
        lines.push_back({QStringLiteral("A2"), fixed(b.ai[1], 4), {}});
    } else {
        lines.push_back({Str(S::LwW1OneStorey), fixed(b.w[0], 4), kiloNewton()});
    }
    lines.push_back({Str(S::LwRaw1), fixed(b.lwRaw[0], 2), Str(S::UnitCmPerM2)});
    if (two)
        lines.push_back({Str(S::LwRaw2), fixed(b.lwRaw[1], 2), Str(S::UnitCmPerM2)});
    for (int s = 0; s < b.storeys; ++s)
        lines.push_back({Str(S::LwRoundedUpLine).arg(s + 1), QString::number(b.lw[s]), Str(S::UnitCmPerM2)});
    return lines;
}

std::vector<ReportLine> LwInputLines(const CalcSheet &sheet)
{
    const SeismicInputs &in = sheet.weightInputs.seismic;
    const WeightRuleResults &r = sheet.weightResults;
    const int storeys = std::min(sheet.storeyIndex + 1, WeightRuleStoreys);
    // The loads exactly as the figure used them.
    const std::optional<LwInput> used =
        LwInputFromTexts(in, storeys, r.floor[0].af, r.floor[1].af, nullptr);
    const UnitLoads loads = used ? used->loads : UnitLoads::Standard(in.roof, in.wall, in.solar, in.use);
    const bool own = in.method == LwMethod::Loads;
    auto load = [](const QString &name, double value) {
        return (name.isEmpty() ? QString() : name + QStringLiteral(" ")) + fixed(value, 0) + newton();
    };
    std::vector<ReportLine> lines;
    lines.push_back({Str(S::LoadRoof), load(own ? QString() : ChoiceName(in.roof), loads.roof), {}});
    lines.push_back({Str(S::LoadSolar), load(own ? QString() : ChoiceName(in.solar), loads.solar), {}});
    lines.push_back({Str(S::LoadWallFinish), load(own ? QString() : ChoiceName(in.wall), loads.wallFinish), {}});
    if (own) {
        lines.push_back({Str(S::LoadCeiling), load({}, loads.ceiling), {}});
        lines.push_back({Str(S::LoadWallInsulation), load({}, loads.wallInsulation), {}});
        lines.push_back({Str(S::LoadWindow), load({}, loads.window), {}});
        lines.push_back({Str(S::LoadInteriorWall), load({}, loads.interiorWall), {}});
        lines.push_back({Str(S::LoadFloor), load({}, loads.floor), {}});
    }
    lines.push_back({Str(S::LoadLive), load(own ? QString() : ChoiceName(in.use), loads.live), {}});
    lines.push_back({QStringLiteral("C0"), in.c0.trimmed(), {}});
    lines.push_back({Str(S::InputOverhang), in.overhang.trimmed(), QStringLiteral("m")});
    lines.push_back({Str(S::InputPitch), in.pitch.trimmed(), Str(S::UnitSun)});
    lines.push_back({Str(S::InputRise), in.rise.trimmed(), QStringLiteral("m")});
    lines.push_back({Str(S::InputH1), in.h1.trimmed(), QStringLiteral("m")});
    if (storeys == 2)
        lines.push_back({Str(S::InputH2), in.h2.trimmed(), QStringLiteral("m")});
    return lines;
}

QString AfText(double af)
{
    return FormatDecimal(af, 6, 2);
}

QString AfTermsText(const CalcSheet &sheet, int s)
{
    const FloorAreaResult &f = sheet.weightResults.floor[s];
    QString text = Str(S::AfTermFloor) + AfText(f.floorArea);
    // The loft above this storey, then (storey 1) the one above storey 2.
    for (int owner : {s, s + 1}) {
        if (owner >= WeightRuleStoreys || owner > sheet.storeyIndex)
            continue;
        const FloorAreaInputs &loft = sheet.weightInputs.floor[owner];
        const FloorAreaResult &of = sheet.weightResults.floor[owner];
        if (!(TextValue(loft.loftArea) > 0))
            continue;
        const QString whose = Str(S::AfTermLoftOwner).arg(owner + 1);
        const QString area = loft.loftArea.trimmed() + Str(S::UnitM2);
        if (of.loftIsStorey) {
            if (owner == s)
                text += Str(S::AfTermLoftIsStorey) + area + Str(S::AfTermLoftIsStoreyTail);
            continue;
        }
        if (of.loftExempted) {
            if (owner == s)
                text += Str(S::AfTermLoftExempt) + area + Str(S::AfTermLoftExemptTail);
            continue;
        }
        if (!(of.ownLoft > 0))
            continue;
        text += Str(S::AfTermLoftAdded) + area + Str(S::AfTermTimes) + loft.loftHeight.trimmed()
                + Str(S::AfTermOver21) + FormatFixed2(of.ownLoft) + whose;
    }
    return text;
}

} // namespace quiren
