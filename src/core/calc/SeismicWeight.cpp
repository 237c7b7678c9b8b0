#include "core/calc/SeismicWeight.h"

#include "core/text/StringTable.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace quiren {

namespace {

// The reference plan of the official tool: 16.5 m × 6.0 m, windows on 9 %
// of the wall area.
constexpr double PlanLong = 16.5;
constexpr double PlanShort = 6.0;
constexpr double PlanArea = PlanLong * PlanShort;
constexpr double WindowShare = 0.09;
// Interior walls are given for a storey height of 2.8 m.
constexpr double InteriorReferenceHeight = 2.8;
// Shear a multiplier-1 wall carries, kN per cm of wall.
constexpr double ShearPerCm = 0.0196;
// Products like 43.000000000000007 must not round up to 44.
constexpr double RoundingSlack = 1e-9;

// Wall area per m² of plan for a storey height h.
double wallShare(double h)
{
    return (2 * PlanShort * h + 2 * PlanLong * h) / PlanArea;
}

// The walls of one storey, kN per m² of its floor.
double storeyWalls(const UnitLoads &loads, double h)
{
    const double solid = wallShare(h) * (1 - WindowShare);
    const double finish = CeilTen(loads.wallFinish * solid);
    const double insulation = CeilTen(loads.wallInsulation * solid);
    const double windows = CeilTen(loads.window * wallShare(h) * WindowShare);
    const double interior = loads.interiorWall * h / InteriorReferenceHeight;
    return (finish + interior + insulation + windows) / 1000.0;
}

// Loads of nothing, or figures beyond any building, cannot give an Lw: the
// arithmetic would turn them into a meaningless (or undefined) whole number.
bool plausible(LwBreakdown &out)
{
    for (int s = 0; s < out.storeys; ++s) {
        if (!(out.w[s] > 0) || !std::isfinite(out.lwRaw[s]) || !(out.lwRaw[s] > 0)
            || out.lwRaw[s] > MaxLw) {
            out.warnings << Str(S::LwNotComputable);
            return false;
        }
    }
    return true;
}

struct Keyed {
    const char *key;
    const char *name;
};

template <typename Enum, std::size_t N>
std::optional<Enum> fromKey(const Keyed (&table)[N], const QString &key)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (key == QLatin1String(table[i].key))
            return static_cast<Enum>(i);
    }
    return std::nullopt;
}

template <typename Enum, std::size_t N>
QString keyOf(const Keyed (&table)[N], Enum value)
{
    const auto i = static_cast<std::size_t>(value);
    return i < N ? QString::fromLatin1(table[i].key) : QString();
}

template <typename Enum, std::size_t N>
QString nameOf(const Keyed (&table)[N], Enum value, const char *typed)
{
    const auto i = static_cast<std::size_t>(value);
    return QString::fromUtf8(i < N ? table[i].name : typed);
}

// In enum order; the Typed entries have no key and come after these.
const Keyed roofTable[] = {
    {"tile", "瓦屋根(葺き土なし)"}, {"slate", "スレート屋根"}, {"metal", "金属板葺"}};
const Keyed wallTable[] = {{"earthen", "土塗り壁"},
                           {"mortar", "モルタル"},
                           {"siding", "窯業系サイディング"},
                           {"metal", "金属板張"},
                           {"board", "木質系下見板張"}};
const Keyed solarTable[] = {{"none", "なし"}, {"standard", "標準"}};
const Keyed useTable[] = {{"dwelling", "住宅"}, {"office", "事務所"}};

constexpr double roofLoads[] = {990, 740, 500};
constexpr double wallLoads[] = {1000, 890, 600, 500, 350};
constexpr double solarLoads[] = {0, 200};
constexpr double liveLoads[] = {600, 800};

const char *const TypedName = "任意";

} // namespace

QString ChoiceKey(RoofFinish roof) { return keyOf(roofTable, roof); }
QString ChoiceKey(WallFinish wall) { return keyOf(wallTable, wall); }
QString ChoiceKey(SolarPanels pv) { return keyOf(solarTable, pv); }
QString ChoiceKey(BuildingUse use) { return keyOf(useTable, use); }
std::optional<RoofFinish> RoofFinishFromKey(const QString &key) { return fromKey<RoofFinish>(roofTable, key); }
std::optional<WallFinish> WallFinishFromKey(const QString &key) { return fromKey<WallFinish>(wallTable, key); }
std::optional<SolarPanels> SolarPanelsFromKey(const QString &key) { return fromKey<SolarPanels>(solarTable, key); }
std::optional<BuildingUse> BuildingUseFromKey(const QString &key) { return fromKey<BuildingUse>(useTable, key); }
QString ChoiceName(RoofFinish roof) { return nameOf(roofTable, roof, TypedName); }
QString ChoiceName(WallFinish wall) { return nameOf(wallTable, wall, TypedName); }
QString ChoiceName(SolarPanels pv) { return nameOf(solarTable, pv, TypedName); }
QString ChoiceName(BuildingUse use) { return nameOf(useTable, use, TypedName); }

UnitLoads UnitLoads::Standard(RoofFinish roof, WallFinish wall, SolarPanels pv, BuildingUse use,
                              double roofTyped, double wallTyped, double solarTyped)
{
    UnitLoads loads;
    loads.roof = roof == RoofFinish::Typed ? roofTyped : roofLoads[static_cast<int>(roof)];
    loads.wallFinish = wall == WallFinish::Typed ? wallTyped : wallLoads[static_cast<int>(wall)];
    loads.solar = pv == SolarPanels::Typed ? solarTyped : solarLoads[static_cast<int>(pv)];
    loads.live = liveLoads[static_cast<int>(use)];
    return loads;
}

double CeilTen(double load)
{
    return std::ceil(load / 10.0 - RoundingSlack) * 10.0;
}

int RoundUpLw(double lwRaw)
{
    if (!(lwRaw > 0))
        return 0;
    return static_cast<int>(std::ceil(std::min(lwRaw, static_cast<double>(MaxLw)) - RoundingSlack));
}

double LwFromWeight(double ai, double c0, double weightPerArea)
{
    return ai * c0 * weightPerArea / ShearPerCm;
}

double RoofAreaFactor(double overhang, double pitch)
{
    return (PlanLong + 2 * overhang) * (PlanShort + 2 * overhang) * std::sqrt(pitch * pitch + 100.0)
           / PlanArea / 10.0;
}

LwBreakdown ComputeLw(const LwInput &in)
{
    LwBreakdown out;
    out.storeys = in.storeys;
    const bool two = in.storeys == 2;

    // Inputs the method cannot work with at all.
    auto refuse = [&out](bool bad, const char *message) {
        if (bad)
            out.warnings << QString::fromUtf8(message);
        return bad;
    };
    auto unusable = [](double v) { return !std::isfinite(v) || v < 0; };
    bool bad = refuse(in.storeys != 1 && in.storeys != 2, "階数は1か2にして下さい。");
    bad |= refuse(!(in.c0 > 0) || !std::isfinite(in.c0), "標準せん断力係数C0が正しくありません。");
    bad |= refuse(!(in.h1 > 0) || !std::isfinite(in.h1), "1階の階高が正しくありません。");
    bad |= refuse(two && (!(in.h2 > 0) || !std::isfinite(in.h2)), "2階の階高が正しくありません。");
    bad |= refuse(unusable(in.rise), "屋根の高さ(最高高さ－軒高)が正しくありません。");
    bad |= refuse(unusable(in.overhang), "軒の出が正しくありません。");
    bad |= refuse(unusable(in.pitch), "屋根勾配が正しくありません。");
    bad |= refuse(two && (!(in.area1 > 0) || !std::isfinite(in.area1)),
                  "2階建ては1階の床面積が必要です。");
    bad |= refuse(two && (!(in.area2 > 0) || !std::isfinite(in.area2)),
                  "2階建ては2階の床面積が必要です。");
    const UnitLoads &l = in.loads;
    bad |= refuse(unusable(l.roof) || unusable(l.solar) || unusable(l.ceiling) || unusable(l.wallFinish)
                      || unusable(l.wallInsulation) || unusable(l.window) || unusable(l.interiorWall)
                      || unusable(l.floor) || unusable(l.live),
                  "荷重に負の値か数値でないものがあります。");
    if (bad)
        return out;

    // Outside the tool's range: computed all the same, with a warning.
    if (in.c0 != 0.2 && in.c0 != 0.3)
        out.warnings << Str(S::LwC0Unusual);
    if (in.overhang > 0.6)
        out.warnings << Str(S::LwOverhangBeyondTool);
    if (in.pitch > 5)
        out.warnings << Str(S::LwPitchBeyondTool);
    if (l.interiorWall > 200)
        out.warnings << Str(S::LwInteriorWallBeyondTool);
    if (in.area1 > 0 && in.area1 < 100)
        out.warnings << Str(S::LwAreaBelowTool);
    if (two && in.area2 > in.area1)
        out.warnings << Str(S::LwUpperLargerThanTool);

    out.roofFactor = RoofAreaFactor(in.overhang, in.pitch);
    const double roofUnit = ((l.roof + l.solar) * out.roofFactor + l.ceiling) / 1000.0;
    out.walls1 = storeyWalls(l, in.h1);

    if (!two) {
        out.roofLoad = roofUnit;
        out.w[0] = roofUnit + out.walls1 / 2;
        out.height = in.rise / 2 + in.h1 + 0.5;
        out.t = 0.03 * out.height;
        out.lwRaw[0] = LwFromWeight(1, in.c0, out.w[0]);
        out.lw[0] = RoundUpLw(out.lwRaw[0]);
        out.valid = plausible(out);
        return out;
    }

    const double r = in.area2 / in.area1;
    out.areaRatio = r;
    out.roofLoad = roofUnit * r;
    out.walls2 = storeyWalls(l, in.h2) * r;
    out.floor2 = (l.floor + l.live) * r / 1000.0;
    out.lowerRoof = r < 1 ? (1 - r) * roofUnit : 0;
    out.w[1] = out.roofLoad + out.walls2 / 2;
    out.w[0] = out.roofLoad + out.walls2 + out.floor2 + out.walls1 / 2 + out.lowerRoof;
    out.alpha = out.w[1] / out.w[0];
    out.height = in.rise / 2 + in.h2 + in.h1 + 0.5;
    out.t = 0.03 * out.height;
    out.ai[1] = 1 + (1 / std::sqrt(out.alpha) - out.alpha) * 2 * out.t / (1 + 3 * out.t);
    out.lwRaw[0] = LwFromWeight(1, in.c0, out.w[0]);
    // w2 is kept per m² of storey-1 floor; storey 2 spreads it over its own.
    out.lwRaw[1] = LwFromWeight(out.ai[1], in.c0, out.w[1]) / r;
    out.lw[0] = RoundUpLw(out.lwRaw[0]);
    out.lw[1] = RoundUpLw(out.lwRaw[1]);
    out.valid = plausible(out);
    return out;
}

} // namespace quiren
