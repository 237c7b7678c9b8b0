#pragma once

#include <QString>

#include <array>
#include <optional>

// The rules a sheet is checked under. The old rules (what the sheet has
// always computed) and the 2025 rules differ in a few decisions only: where
// the seismic requirement comes from, how far a framing's multiplier may
// go, whether quasi-bearing walls count and how many storeys a sheet may
// have. Those decisions live behind RuleSet; everything else in CalcSheet
// is shared.
namespace quiren {

class CalcSheet;
struct FramingRow;

enum class RuleSetKind {
    Old,        // "旧基準"
    Rules2025,  // "2025年基準"
};

// "旧基準" or "2025年基準", as the sheet shows and files keep them.
QString RuleSetName(RuleSetKind kind);
std::optional<RuleSetKind> RuleSetFromName(const QString &name);

class RuleSet {
public:
    virtual ~RuleSet() = default;

    virtual RuleSetKind kind() const = 0;
    QString name() const { return RuleSetName(kind()); }

    // Why a sheet of `storeys` (1..3) cannot be checked under these rules,
    // in Japanese; empty when it can.
    virtual QString storeyRefusal(int storeys) const = 0;

    // Brings the seismic side of the sheet up to date for storeys 0..n:
    // coefficient texts (m/m²) and whatever the rules keep beside them.
    virtual void showCoefficients(CalcSheet &sheet) const = 0;
    // The floor-area (seismic) requirement of storey s in metres, as the
    // "0.0000" text the sheet shows.
    virtual QString floorRequirement(const CalcSheet &sheet, int s) const = 0;

    // Multiplier of framing row `row` of storey s in direction d (its
    // length cell is filled), and its text in the multiplier cell. The
    // effective length is computed from that text.
    virtual double framingMultiplier(const CalcSheet &sheet, int s, int d,
                                     const FramingRow &row) const = 0;
    virtual QString multiplierText(double multiplier) const = 0;

    // Quasi-bearing walls: brings the quasi rows of storey s up to date
    // (multipliers, effective lengths) and returns their sum per direction,
    // m. The old rules have none.
    virtual std::array<double, 2> recalcQuasi(CalcSheet &sheet, int s) const = 0;
    // How much of a storey's quasi-bearing sum (m) counts against the
    // necessary length (m) of that storey and direction.
    virtual double countedQuasi(double quasiSum, double necessary) const = 0;
};

// The one instance of each rule set.
const RuleSet &RulesFor(RuleSetKind kind);

} // namespace quiren
