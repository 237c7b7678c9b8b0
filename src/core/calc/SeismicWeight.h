#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The seismic wall quantity of the 2025 rules, from the building's weight:
//
//     Lw_i = Ai · C0 · Σw_i / (0.0196 · Af_i)        [cm/m²]
//
// worked out the way the official spreadsheet tool does it: every load is
// turned into kN per m² of ground-storey floor area over a reference plan of
// 16.5 m × 6.0 m with windows on 9 % of the walls, and Lw is rounded up to a
// whole cm/m². Every intermediate value is kept so that a reviewer can follow
// the figure on screen and on paper.
//
// Units: unit loads in N/m² (of roof area, wall area or floor area as noted),
// lengths and heights in metres, pitch in 寸 (rise per 10 of run), areas in
// m², weights per floor area (w, the load lines) in kN/m², Lw in cm/m².
namespace quiren {

// Roof finish G1 (N/m² of roof area).
enum class RoofFinish {
    Tile,    // 瓦屋根 (葺き土なし) 990
    Slate,   // スレート屋根 740
    Metal,   // 金属板葺 500
    Typed,   // a load the user types
};

// Exterior wall finish G2 (N/m² of wall area).
enum class WallFinish {
    Earthen,  // 土塗り壁 1000
    Mortar,   // モルタル 890
    Siding,   // 窯業系サイディング 600
    Metal,    // 金属板張 500
    Board,    // 木質系下見板張 350
    Typed,
};

// Solar panels on the roof (N/m² of roof area).
enum class SolarPanels {
    None,      // 0
    Standard,  // 200
    Typed,
};

// Use of the building, for the seismic live load (N/m² of floor).
enum class BuildingUse {
    Dwelling,  // 600
    Office,    // 800
};

// The keys these choices have on the qrn command line and in sheet files
// ("tile", "slate", "metal"; "earthen", "mortar", "siding", "metal",
// "board"; "none", "standard"; "dwelling", "office"). Typed has no key.
QString ChoiceKey(RoofFinish roof);
QString ChoiceKey(WallFinish wall);
QString ChoiceKey(SolarPanels pv);
QString ChoiceKey(BuildingUse use);
std::optional<RoofFinish> RoofFinishFromKey(const QString &key);
std::optional<WallFinish> WallFinishFromKey(const QString &key);
std::optional<SolarPanels> SolarPanelsFromKey(const QString &key);
std::optional<BuildingUse> BuildingUseFromKey(const QString &key);

// The Japanese names of the choices, as lists and tables show them.
QString ChoiceName(RoofFinish roof);
QString ChoiceName(WallFinish wall);
QString ChoiceName(SolarPanels pv);
QString ChoiceName(BuildingUse use);

// The unit loads the weight is built from, N/m². The tool's own values are
// what Standard() gives for the chosen finishes; a user outside the tool's
// range types all of them.
struct UnitLoads {
    double roof = 990;            // G1, per m² of roof area
    double solar = 0;             // PV, per m² of roof area
    double ceiling = 100;         // D1 ceiling insulation, per m² of floor
    double wallFinish = 890;      // G2, per m² of wall area
    double wallInsulation = 70;   // D3, per m² of wall area
    double window = 400;          // per m² of window area
    double interiorWall = 200;    // per m² of floor at a storey height of 2.8 m
    double floor = 610;           // G4, per m² of floor
    double live = 600;            // seismic live load, per m² of floor

    // The tool's loads for the given choices; the Typed choices take
    // roofTyped, wallTyped and solarTyped.
    static UnitLoads Standard(RoofFinish roof, WallFinish wall, SolarPanels pv, BuildingUse use,
                              double roofTyped = 0, double wallTyped = 0, double solarTyped = 0);
};

// The building as the tool sees it.
struct LwInput {
    int storeys = 2;         // 1 or 2
    UnitLoads loads;
    double c0 = 0.2;         // standard shear coefficient, 0.2 or 0.3
    double h1 = 2.9;         // storey heights, m
    double h2 = 2.8;         // unused for one storey
    double rise = 1.5;       // highest point − eaves height, m
    double overhang = 0.6;   // eaves overhang, m
    double pitch = 4;        // 寸
    double area1 = 0;        // floor area Af of storey 1, m²; 0 when unknown
    double area2 = 0;        // floor area Af of storey 2, m² (two storeys only)
};

// Every intermediate value of the tool's method. Indices [0] storey 1,
// [1] storey 2; the storey-2 values are 0 for a one-storey building.
struct LwBreakdown {
    bool valid = false;         // false: an input could not be used (see warnings)
    int storeys = 0;
    double roofFactor = 0;      // Z, roof area per m² of plan, from overhang and pitch
    double areaRatio = 1;       // r = Af2 / Af1 (1 for one storey)
    // The load lines, kN/m² of ground-storey floor:
    double roofLoad = 0;        // ① roof (the whole roof of a one-storey building)
    double walls2 = 0;          // ② walls of storey 2
    double floor2 = 0;          // ③ floor of storey 2 with its live load
    double walls1 = 0;          // ④ walls of storey 1
    double lowerRoof = 0;       // ⑤ the lower roof where storey 2 is smaller (r < 1)
    std::array<double, 2> w{};  // weight per floor area carried by each storey, kN/m²
                                // (w[1] per m² of storey-1 floor, as the tool keeps it)
    double alpha = 1;           // α = w2 / w1
    double height = 0;          // building height h = rise/2 + h2 + h1 + 0.5 (m)
    double t = 0;               // T = 0.03 h, s
    std::array<double, 2> ai{1, 1};   // Ai of each storey (storey 1 always 1)
    std::array<double, 2> lwRaw{};    // Lw before rounding, cm/m²
    std::array<int, 2> lw{};          // Lw rounded up to a whole cm/m²
    // Inputs outside the tool's range, in Japanese; the figure is still
    // computed.
    QStringList warnings;
};

// The tool's method. Inputs that make no sense at all (a negative height, a
// missing upper floor area of a two-storey building, a storey count other
// than 1 or 2) give valid = false with a warning naming them.
LwBreakdown ComputeLw(const LwInput &input);

// Lw in cm/m² before rounding, from Ai, C0 and the weight per m² of floor
// (kN/m²): Ai · C0 · w / 0.0196.
double LwFromWeight(double ai, double c0, double weightPerArea);

// The largest Lw the sheet takes, cm/m²; beyond it an input is wrong.
constexpr int MaxLw = 9999;

// Lw rounded up to a whole cm/m², with a guard against the last bit of
// binary noise (40.0000000001 stays 40); 0 for a value not above 0, MaxLw
// at most.
int RoundUpLw(double lwRaw);

// A load rounded up to a multiple of 10 N/m², with the same guard.
double CeilTen(double load);

// Roof area per m² of the reference plan for an overhang (m) and pitch (寸).
double RoofAreaFactor(double overhang, double pitch);

} // namespace quiren
