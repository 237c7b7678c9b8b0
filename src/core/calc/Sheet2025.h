#pragma once

#include "core/calc/QuasiBearingWall.h"
#include "core/calc/SeismicWeight.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What a sheet under the 2025 rules holds beyond the old sheet: how its Lw
// is found, the floor areas the weight is spread over, the storey heights
// that weaken tall braces, and the quasi-bearing walls. Inputs are kept as
// typed (texts for numbers), like the rest of the sheet; the results are
// derived again on every recalculation.
//
// Storeys: index 0 and 1 only (a sheet under these rules has one or two).
namespace quiren {

// The storeys the weight-based rules allow (beyond them, a structural
// calculation is needed).
constexpr int WeightRuleStoreys = 2;

// Where the sheet's Lw comes from.
enum class LwMethod {
    Typed,  // read from the quick-reference table or the official tool
    Tool,   // worked out by the official tool's method from the finishes
    Loads,  // the same method with unit loads the user types
};
// "typed", "tool", "loads" (file keys).
QString ChoiceKey(LwMethod method);
std::optional<LwMethod> LwMethodFromKey(const QString &key);

// Unit loads typed by the user (method Loads), N/m², as typed. An empty
// text takes the tool's value for that part.
struct UnitLoadTexts {
    QString roof, solar, ceiling, wallFinish, wallInsulation, window, interiorWall, floor, live;
};

struct SeismicInputs {
    LwMethod method = LwMethod::Tool;
    std::array<QString, WeightRuleStoreys> typedLw;   // cm/m², method Typed
    QString lwSource;   // where a typed Lw came from (早見表, the official tool, …), shown and printed

    // Method Tool: the finishes; a Typed choice takes the load text beside it (N/m²).
    RoofFinish roof = RoofFinish::Tile;
    QString roofLoad;
    WallFinish wall = WallFinish::Siding;
    QString wallLoad;
    SolarPanels solar = SolarPanels::None;
    QString solarLoad;
    BuildingUse use = BuildingUse::Dwelling;
    // Method Loads.
    UnitLoadTexts loads;

    // Both computed methods.
    QString c0 = QStringLiteral("0.2");   // 0.2, or 0.3 where the authority designates it
    QString h1, h2;                       // storey heights, m
    QString rise;                         // highest point − eaves height, m
    QString overhang;                     // eaves overhang, m
    QString pitch;                        // roof pitch, 寸
};

// Per storey: what the floor area Af is made of besides the legal floor area
// typed in the sheet's floor-area box.
struct FloorAreaInputs {
    // 吹抜け, m², from files of earlier versions: kept and written back, never
    // taken off (a void has no floor, so the legal floor area holds none).
    QString voids;
    QString loftArea;        // loft store (小屋裏物置) above this storey, m²
    QString loftHeight;      // its average clear height h, m
    QString loftMaxHeight;   // its highest inner height, m (a loft store up to 1.4)
};

struct WeightRuleInputs {
    SeismicInputs seismic;
    std::array<FloorAreaInputs, WeightRuleStoreys> floor;
    // A loft store of at most 1/8 of the floor area it is added to may be
    // left out; the user can switch this off to count every loft.
    bool loftExemption = true;
    // Distance between the tops of the horizontal members per storey, m.
    // Empty: not above 3.2 m, braces count in full.
    std::array<QString, WeightRuleStoreys> memberDistance;
};

// Af of one storey and how it was made.
struct FloorAreaResult {
    double floorArea = 0;     // legal floor area typed, m²
    double voids = 0;         // m², typed in an earlier version's file; not taken off
    double ownLoft = 0;       // h / 2.1 × A of the loft above this storey, to 0.01 m²
    double loftFromAbove = 0; // that of the loft above storey 2, carried by storey 1, to 0.01 m²
    double loftAddition = 0;  // ownLoft + loftFromAbove, m²
    bool loftExempted = false;   // the loft above this storey was left out under the 1/8 rule
    // The "loft" above this storey is higher than 1.4 m or takes half its floor
    // area or more: a storey of its own, which this sheet cannot stand for.
    bool loftIsStorey = false;
    double af = 0;            // floorArea + loftAddition, to 0.01 m² (as printed)
};

struct WeightRuleResults {
    // The tool's breakdown (methods Tool and Loads; valid = false for Typed).
    LwBreakdown breakdown;
    std::array<FloorAreaResult, WeightRuleStoreys> floor;
    std::array<int, WeightRuleStoreys> lw{};           // cm/m², whatever the method
    std::array<bool, WeightRuleStoreys> lwKnown{};     // false: no Lw could be found
    std::array<double, WeightRuleStoreys> seismicLength{};   // Lw × Af / 100, m
    // Brace reduction αh per storey is per row (it depends on the brace's
    // width); the storeys where it applies:
    std::array<bool, WeightRuleStoreys> tallStorey{};
    // Per storey [s] and direction [d], metres:
    std::array<std::array<double, 2>, WeightRuleStoreys> bearingSum{};   // framing rows
    std::array<std::array<double, 2>, WeightRuleStoreys> quasiSum{};     // quasi rows, all of them
    std::array<std::array<double, 2>, WeightRuleStoreys> quasiCounted{}; // min(quasiSum, ½ necessary)
    std::array<std::array<double, 2>, WeightRuleStoreys> necessary{};    // max(seismic, wind)
    // Inputs outside the tool's range and inputs that could not be used, in Japanese.
    QStringList warnings;
    // Quasi-bearing rows of each storey that were doubtful or left out, in Japanese.
    std::array<QStringList, WeightRuleStoreys> quasiWarnings;
    // Sum of the storeys' legal floor areas (延べ面積), m², and whether it is
    // beyond the prescriptive route (more than 300 m²).
    double totalFloorArea = 0;
    bool beyondRoute = false;
    // Per storey: why it cannot be judged at all (a loft that is a storey,
    // a building beyond the route); empty when it can. Shown in place of the
    // judgement.
    std::array<QString, WeightRuleStoreys> refusal;
};

// The judgement text of a building beyond the prescriptive route.
QString BeyondRouteText();
// The prescriptive route's limit on the total floor area, m².
constexpr double RouteAreaLimit = 300.0;
// The note an earlier file's voids get: they are no longer taken off.
QString VoidsNotDeductedNote();
// Whether any storey holds a voids value (from an earlier version's file).
bool HoldsVoids(const WeightRuleInputs &inputs);

// ---- the arithmetic of the 2025 rules that needs no sheet ---------------

// The floor area a loft store adds: its average clear height h (m) / 2.1 ×
// its area (m²), rounded to 0.01 m² as it is printed.
double LoftAddition(double loftArea, double loftHeight);

// Af of storeys 0..storeys-1 from the legal floor areas typed in the sheet
// (texts, m²) and the loft stores (平12建告1351号). The 1/8 test is made once,
// against the storey the loft belongs to; a loft above storey 2 that counts
// adds to storeys 2 and 1. A loft higher than 1.4 m or of half its storey's
// area or more is a storey: it adds nothing, loftIsStorey is set and a
// warning says so.
std::array<FloorAreaResult, WeightRuleStoreys> ComputeFloorAreas(
    const std::array<QString, WeightRuleStoreys> &floorArea, const WeightRuleInputs &inputs, int storeys,
    QStringList *warnings);

// The tool's input from the sheet's texts and the storeys' floor areas
// (m²; the legal ones, as typed into the official tool); nothing,
// with a warning naming the input, when a text it needs is empty or not a
// number. Method Loads starts from the tool's loads for the chosen finishes
// and takes every unit load the user typed instead.
std::optional<LwInput> LwInputFromTexts(const SeismicInputs &seismic, int storeys, double af1,
                                        double af2, QStringList *warnings);

// Brace reduction αh = min(1, 3.5 · Lb / H) for a brace of width Lb (m,
// the framing's length) in a storey whose horizontal members are H apart
// (m); 1 where H does not exceed 3.2 m. Cut to four decimals, the figure
// the sheet prints, so the reduced multiplier can be retraced from it.
double BraceReduction(double braceWidth, double memberDistance);

// What part of a storey's quasi-bearing length (m) counts: at most half
// the necessary length (m) of that storey and direction.
double CountedQuasiLength(double quasiSum, double necessary);

} // namespace quiren
