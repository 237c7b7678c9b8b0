#include "core/calc/Sheet2025.h"

#include "core/text/StringTable.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

constexpr double LoftHeightDivisor = 2.1;
constexpr double LoftHeightLimit = 1.4;        // m; higher, it is a storey
constexpr double TallStoreyLimit = 3.2;        // m between horizontal members
constexpr double BraceReductionFactor = 3.5;

const char *const MethodKeys[] = {"typed", "tool", "loads"};

// A typed number, or nothing (with a warning naming the input) when the
// text is empty or not a number.
std::optional<double> required(const QString &text, const QString &what, QStringList *warnings)
{
    if (text.trimmed().isEmpty()) {
        if (warnings)
            *warnings << Str(S::InputMissing2025).arg(what);
        return std::nullopt;
    }
    if (CheckNumberText(text) != NumberCheck::Number) {
        if (warnings)
            *warnings << Str(S::InputNotNumber2025).arg(what);
        return std::nullopt;
    }
    return TextValue(text);
}

// A typed unit load, or the tool's value when the text is empty.
std::optional<double> loadOr(const QString &text, double standard, const QString &what,
                             QStringList *warnings)
{
    return text.trimmed().isEmpty() ? std::optional<double>(standard) : required(text, what, warnings);
}

} // namespace

QString ChoiceKey(LwMethod method)
{
    return QString::fromLatin1(MethodKeys[static_cast<int>(method)]);
}

std::optional<LwMethod> LwMethodFromKey(const QString &key)
{
    for (int i = 0; i < 3; ++i) {
        if (key == QLatin1String(MethodKeys[i]))
            return static_cast<LwMethod>(i);
    }
    return std::nullopt;
}

double LoftAddition(double loftArea, double loftHeight)
{
    // To the hundredth that is printed, so the printed sum holds.
    return TextValue(FormatFixed2(loftHeight / LoftHeightDivisor * loftArea));
}

QString BeyondRouteText() { return Str(S::Over300NeedsStructuralCalc); }

QString VoidsNotDeductedNote()
{
    return QStringLiteral("吹抜けは床面積から差し引きません（床面積は建築基準法上の床面積で、吹抜けを含みません）。"
                          "ﾌｧｲﾙの吹抜けの値は保存されますが、計算には使いません。");
}

bool HoldsVoids(const WeightRuleInputs &inputs)
{
    return std::any_of(inputs.floor.begin(), inputs.floor.end(),
                       [](const FloorAreaInputs &f) { return !f.voids.trimmed().isEmpty(); });
}

std::array<FloorAreaResult, WeightRuleStoreys> ComputeFloorAreas(
    const std::array<QString, WeightRuleStoreys> &floorArea, const WeightRuleInputs &inputs, int storeys,
    QStringList *warnings)
{
    std::array<FloorAreaResult, WeightRuleStoreys> result{};
    storeys = std::clamp(storeys, 1, WeightRuleStoreys);
    for (int s = 0; s < storeys; ++s) {
        result[s].floorArea = TextValue(floorArea[s]);
        result[s].voids = TextValue(inputs.floor[s].voids);
    }
    // Each loft against the storey it belongs to (the one below it), once.
    for (int s = 0; s < storeys; ++s) {
        FloorAreaResult &r = result[s];
        const FloorAreaInputs &loft = inputs.floor[s];
        const double area = TextValue(loft.loftArea);
        const double height = TextValue(loft.loftHeight);
        const double highest = TextValue(loft.loftMaxHeight);
        if (!(area > 0))
            continue;
        // Areas in millionths of a square metre, so that a loft of exactly
        // 1/8 or 1/2 is judged as typed, not by the binary noise: whole
        // numbers held as doubles (exact far beyond any building), so that a
        // file's absurd area is compared rather than overflowing an integer.
        const double area6 = std::floor(area * 1e6 + 0.5);
        const double floor6 = std::floor(r.floorArea * 1e6 + 0.5);
        const bool tooHigh = highest > LoftHeightLimit + 1e-9 || height > LoftHeightLimit + 1e-9;
        const bool tooLarge = 2 * area6 >= floor6;
        if (tooHigh || tooLarge) {
            r.loftIsStorey = true;
            if (warnings)
                *warnings << Str(S::LoftCountsAsStorey)
                                 .arg(s + 1)
                                 .arg(tooHigh ? Str(S::LoftTooHigh)
                                              : Str(S::LoftTooLarge).arg(s + 1));
            continue;
        }
        if (inputs.loftExemption && 8 * area6 <= floor6) {
            r.loftExempted = true;
            continue;
        }
        if (!(height > 0)) {
            if (warnings)
                *warnings << Str(S::LoftHeightMissing).arg(s + 1);
            continue;
        }
        const double addition = LoftAddition(area, height);
        r.ownLoft = addition;
        // Storey 1 carries the loft above storey 2 as well.
        if (s == 1)
            result[0].loftFromAbove = addition;
    }
    for (int s = 0; s < storeys; ++s) {
        FloorAreaResult &r = result[s];
        r.loftAddition = r.ownLoft + r.loftFromAbove;
        // The additions are whole hundredths; the sum keeps the typed area's digits.
        r.af = TextValue(FormatDecimal(r.floorArea + r.loftAddition, 6, 0));
    }
    return result;
}

std::optional<LwInput> LwInputFromTexts(const SeismicInputs &seismic, int storeys, double af1,
                                        double af2, QStringList *warnings)
{
    LwInput in;
    in.storeys = storeys;
    in.area1 = af1;
    in.area2 = storeys == 2 ? af2 : 0;
    bool ok = true;
    auto take = [&ok](std::optional<double> value, double &into) {
        if (value)
            into = *value;
        else
            ok = false;
    };

    double roofTyped = 0, wallTyped = 0, solarTyped = 0;
    if (seismic.roof == RoofFinish::Typed)
        take(required(seismic.roofLoad, Str(S::InputRoofLoad), warnings), roofTyped);
    if (seismic.wall == WallFinish::Typed)
        take(required(seismic.wallLoad, Str(S::InputWallLoad), warnings), wallTyped);
    if (seismic.solar == SolarPanels::Typed)
        take(required(seismic.solarLoad, Str(S::InputSolarLoad), warnings), solarTyped);
    in.loads = UnitLoads::Standard(seismic.roof, seismic.wall, seismic.solar, seismic.use, roofTyped,
                                   wallTyped, solarTyped);

    if (seismic.method == LwMethod::Loads) {
        const UnitLoadTexts &t = seismic.loads;
        UnitLoads &l = in.loads;
        take(loadOr(t.roof, l.roof, Str(S::InputRoofLoad), warnings), l.roof);
        take(loadOr(t.solar, l.solar, Str(S::InputSolarLoad), warnings), l.solar);
        take(loadOr(t.ceiling, l.ceiling, Str(S::InputCeilingLoad), warnings), l.ceiling);
        take(loadOr(t.wallFinish, l.wallFinish, Str(S::InputWallLoad), warnings), l.wallFinish);
        take(loadOr(t.wallInsulation, l.wallInsulation, Str(S::InputWallInsulationLoad), warnings),
             l.wallInsulation);
        take(loadOr(t.window, l.window, Str(S::InputWindowLoad), warnings), l.window);
        take(loadOr(t.interiorWall, l.interiorWall, Str(S::InputInteriorWallLoad), warnings),
             l.interiorWall);
        take(loadOr(t.floor, l.floor, Str(S::InputFloorLoad), warnings), l.floor);
        take(loadOr(t.live, l.live, Str(S::InputLiveLoad), warnings), l.live);
    }

    take(required(seismic.c0, QStringLiteral("C0"), warnings), in.c0);
    take(required(seismic.h1, Str(S::InputStoreyHeight1), warnings), in.h1);
    if (storeys == 2)
        take(required(seismic.h2, Str(S::InputStoreyHeight2), warnings), in.h2);
    take(required(seismic.rise, Str(S::InputRoofRise), warnings), in.rise);
    take(required(seismic.overhang, Str(S::InputOverhangName), warnings), in.overhang);
    take(required(seismic.pitch, Str(S::InputPitchName), warnings), in.pitch);
    if (!ok)
        return std::nullopt;
    return in;
}

double BraceReduction(double braceWidth, double memberDistance)
{
    if (!(memberDistance > TallStoreyLimit))
        return 1.0;
    const double alpha = std::clamp(BraceReductionFactor * braceWidth / memberDistance, 0.0, 1.0);
    return std::floor(alpha * 10000.0 + 1e-9) / 10000.0;
}

double CountedQuasiLength(double quasiSum, double necessary)
{
    return std::clamp(quasiSum, 0.0, std::max(0.0, necessary / 2));
}

} // namespace quiren
