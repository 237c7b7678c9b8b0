#pragma once

#include <QString>

#include <optional>

// The text forms of the numbers on a sheet. A sheet keeps its numbers as the
// texts it shows, saves and prints, and every calculation parses them again,
// so these conversions decide the results: they have to round exactly as the
// sheet promises (half away from zero, on the exact value of the double).
namespace quiren {

// "0.0000": lengths, requirements and sums.
QString FormatFixed4(double value);
// "0.00": the strong-wind factor.
QString FormatFixed2(double value);
// "0.0###": typed framing lengths (one to four decimals).
QString FormatLength(double value);
// "0.0% " of a ratio in per cent: 87.46 gives "87.5% " (with its space).
QString FormatPercent(float ratioPercent);

// Fixed-point text of value with `decimals` decimals, rounded half away from
// zero on the exact binary value; at least `minDecimals` decimals are kept,
// trailing zeros beyond them are dropped.
QString FormatDecimal(double value, int decimals, int minDecimals);

// Shortest text of a single-precision value: at most seven significant
// digits, no trailing zeros, no decimal point for whole values
// (0.11, 0.5, 1.365, 3, -2000, 19792.96).
QString SingleText(float value);

// A typed number in half-width characters: full-width digits, point, minus
// and plus ("１．８２", "－５"), as an input method in full-width mode types
// them, become their ASCII forms; everything else is kept. Every numeric
// input runs its text through this before checking it.
QString HalfWidthNumber(const QString &text);

// What a typed number is, before any arithmetic sees it.
enum class NumberCheck {
    Number,      // a number in single-precision range
    NotANumber,  // not a number at all (letters, hex, currency, separators)
    OutOfRange,  // a number, but beyond single precision
};

// Checks a typed text: a plain decimal number ("12", "-1.5", ".5", "1e3"),
// blanks around it allowed.
NumberCheck CheckNumberText(const QString &text);

// True when the text is a number that single precision can hold.
bool IsSingleNumber(const QString &text);

// The numeric value a text denotes: 0 for an empty or non-numeric text;
// blanks around it are ignored. This is how cells are read for arithmetic.
double TextValue(const QString &text);
float TextSingle(const QString &text);

// The plain text of an area's single-precision value: "12.50" gives "12.5",
// "007" gives "7". Non-numbers come back unchanged.
QString PlainSingleText(const QString &text);

// Number of blanks that go in front of a typed length: 1 when the length,
// rounded to one decimal, has two digits before the point; otherwise 2.
int LeadingSpaces(double value);

// A places count typed by the user: its whole value, halves to the even
// neighbour (2.5 gives 2, 3.5 gives 4). Empty when it does not fit the
// 16-bit count the sheet keeps (beyond 32767 or below -32768).
std::optional<int> RoundPlaces(double value);

} // namespace quiren
