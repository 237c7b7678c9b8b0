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

// Every rule set, in the order menus and lists show them.
inline constexpr std::array<RuleSetKind, 2> AllRuleSets{RuleSetKind::Old, RuleSetKind::Rules2025};

// "旧基準" or "2025年基準", as the sheet shows them.
QString RuleSetName(RuleSetKind kind);
// "old" or "2025", as sheet files, settings and qrn's JSON keep them; the
// rule set of a key, none for a key no rule set has.
QString RuleSetKey(RuleSetKind kind);
std::optional<RuleSetKind> RuleSetFromKey(const QString &key);

class RuleSet {
public:
    virtual ~RuleSet() = default;

    virtual RuleSetKind kind() const = 0;
    QString name() const { return RuleSetName(kind()); }

    // Storeys a sheet may have under these rules (3 or 2).
    virtual int maxStoreys() const = 0;
    // Why a sheet of `storeys` (1..3) cannot be checked under these rules,
    // in Japanese; empty when it can.
    virtual QString storeyRefusal(int storeys) const = 0;

    // Brings the seismic side of storeys 0..n up to date: coefficient texts
    // (m/m²), floor-area requirements of the storeys whose floor area is
    // filled, and, through FloorLong_calc, every storey's judgement.
    virtual void showCoefficients(CalcSheet &sheet) const = 0;
    // The floor-area (seismic) requirements after the floor area of storey
    // s changed: storey s alone under the old rules; every storey under the
    // 2025 rules, where one storey's area weighs on the other's Lw.
    virtual void updateFloorRequirements(CalcSheet &sheet, int s) const = 0;

    // Multiplier of framing row `row` of storey s in direction d (its
    // length cell is filled), and its text in the multiplier cell. The
    // effective length is computed from that text.
    virtual double framingMultiplier(const CalcSheet &sheet, int s, int d,
                                     const FramingRow &row) const = 0;
    virtual QString multiplierText(double multiplier) const = 0;
    // The multiplier as the framing's kinds add up, before the cap (what
    // the 2025 quarter method checks beside the capped one).
    virtual double framingFullSum(const CalcSheet &sheet, int s, int d, const FramingRow &row) const = 0;
    // The judgement text of storey s, direction d from the existing and
    // necessary lengths (texts "0.0000"): "OK" or the percentage.
    virtual QString judgementText(const QString &sum, const QString &necessary, float ratio) const = 0;

    // After the bearing sums of storey s are written: whatever else counts
    // as existing length (the 2025 rules add quasi-bearing walls, up to
    // half the necessary length, to the sum columns). The old rules add
    // nothing.
    virtual void addExistingExtras(CalcSheet &sheet, int s) const = 0;
    // Whether storey s can be judged at all. The 2025 rules cannot judge a
    // storey whose Lw is unknown; its judgement cells are emptied rather
    // than left showing an earlier "OK".
    virtual bool prepareJudgement(CalcSheet &sheet, int s) const = 0;
    // Why storey s is not judged at all, shown in place of its judgement;
    // empty when it is judged.
    virtual QString judgementRefusal(const CalcSheet &sheet, int s) const = 0;
};

// The one instance of each rule set.
const RuleSet &RulesFor(RuleSetKind kind);

} // namespace quiren
