#pragma once

#include "core/calc/BalanceInputs.h"

#include <QString>

#include <array>
#include <vector>

// The balance of the wall layout, checked by the quarter method (4分割法).
//
// For each storey and direction the plan is cut into quarters across the
// direction of the walls checked; the two outer quarters are the side parts
// (側端部分). Each side part needs walls in proportion to its floor area, like
// a small building of its own: necessary length = floor area × the multiplier
// the storey takes, existing length = length × places × wall multiplier of
// the bearing walls lying in it. The fill ratio (充足率) of a side part is
// existing ÷ necessary. Both fill ratios above 1 satisfy the check; otherwise
// the smaller divided by the larger (the wall ratio, 壁率比) must reach 0.5.
namespace quiren {

class CalcSheet;

// What the multiplier of a side part is, as the sheet's rules give it.
struct SidePartMultiplier {
    double metresPerSquareMetre = 0.0;   // what the floor area is multiplied by
    QString text;                        // as shown and printed ("0.29", "30")
    QString unit;                        // "m/㎡" or "cm/㎡"
    bool typed = false;                  // typed for the side part, not the storey's
};

// One framing row's part of a side part's existing length, as printed:
// length × places × multiplier.
struct SidePartRowLine {
    QString kind;
    QString length;       // as typed, trimmed
    int places = 0;
    QString multiplier;   // the row's multiplier text (or its full sum)
    QString effective;    // "0.0000" m
};

// One side part worked out.
struct SidePartResult {
    SidePartMultiplier multiplier;
    QString necessary;    // "0.0000" m
    QString existing;     // "0.0000" m
    double fillRatio = 0.0;
    bool hasArea = false; // a floor area above 0 was given
};

enum class BalanceVerdict {
    NotChecked,      // a side part has no floor area yet
    CountsTooMany,   // a row puts more places into its side parts than it has
    BothFilled,      // both fill ratios above 1: "充足率がいずれも1を超える"
    RatioMet,        // wall ratio ≧ 0.5
    RatioShort,      // wall ratio < 0.5 (NG)
};

struct BalanceResult {
    std::array<SidePartResult, SidePartCount> parts;
    double wallRatio = 0.0;
    BalanceVerdict verdict = BalanceVerdict::NotChecked;

    bool checked() const { return verdict != BalanceVerdict::NotChecked; }
    bool passed() const
    {
        return verdict == BalanceVerdict::BothFilled || verdict == BalanceVerdict::RatioMet;
    }
    // The judgement as written on the sheet: "充足率がいずれも1を超える",
    // "壁率比 0.50 ≧ 0.5", "壁率比 0.43 ＜ 0.5"; empty when not checked.
    QString judgementText() const;
    // "OK", "NG", or empty when not checked.
    QString verdictText() const;
};

// A ratio with two decimals, rounded down: a ratio shown as 0.50 never hides
// 0.499. Values a hair below a whole hundredth because of binary arithmetic
// (0.58 held as 0.57999...) still show as that hundredth.
QString FormatRatioDown(double ratio);

// The multiplier side part p of storey s, direction d takes under the
// sheet's rules.
SidePartMultiplier SidePartMultiplierOf(const CalcSheet &sheet, int s, int d, int p);

// The check of storey s, direction d. With fullSums, every framing takes its
// multiplier as it adds up, beyond the cap of the wall quantity (the 2025
// rules ask the check to hold both ways).
BalanceResult CheckBalance(const CalcSheet &sheet, int s, int d, bool fullSums = false);
// Whether a framing of storey s adds up beyond the cap, so the check is made
// with the full sums too.
bool BalanceNeedsFullSums(const CalcSheet &sheet, int s);
// Whether storey s, direction d is balanced: the check, and where needed
// the check with the full sums, both passed.
bool BalancePassed(const CalcSheet &sheet, int s, int d);
// The rows counted in side part p of storey s, direction d.
std::vector<SidePartRowLine> SidePartRows(const CalcSheet &sheet, int s, int d, int p, bool fullSums = false);
// Whether storey s has any balance input (a side-part area or count).
bool StoreyHasBalanceData(const CalcSheet &sheet, int s);

// Whether the sheet holds anything of the balance check (a side-part input
// or a side-part count of an existing storey's row).
bool HasBalanceData(const CalcSheet &sheet);

// A typed side-part count, checked against the row it belongs to.
enum class SideCountCheck {
    Accepted,     // stored (normalised to a whole number, or emptied)
    NotANumber,   // not a number: the count stays as it was
    Invalid,      // negative, not whole or past the 16-bit places count: kept as it was
    TooMany,      // with the other side part more than the row's places: kept as it was
};

} // namespace quiren
