#pragma once

#include <QString>

// How a number typed into a framing cell or an area box is taken, and how
// the same text read from a calculation file is taken: both go through here,
// so a file can hold nothing the user could not have typed.
namespace quiren {

// The longest framing length taken, in metres. Nine rows of the most places
// a cell holds (32767) at the highest multiplier (5) must still add up in
// single precision; a longer length would give an effective length that
// the sum could not hold and would silently leave it out.
inline constexpr double MaxFramingLength = 1e32;

enum class CellVerdict {
    Empty,       // nothing in the cell
    Taken,       // `text` is what the cell holds from now on
    NotANumber,  // "単精度浮動小数点を入力して下さい。"
    Invalid,     // a number, but not one the cell may hold: "入力数値が不正です。"
};

struct CellReading {
    CellVerdict verdict = CellVerdict::Empty;
    QString text;   // the normalised text when Taken
    double value = 0.0;
};

// A framing length: not negative, at most MaxFramingLength, written with
// its leading blanks and up to four decimals ("  1.82", " 12.5"). Lengths
// of 10 m and more are taken here; the window asks about them first.
CellReading ReadLengthText(const QString &text);

// A places count: a whole number from 0 to 32767 ("2.0" gives "2"); a
// fraction ("2.5", "1.82") is refused as Invalid.
CellReading ReadPlacesText(const QString &text);

// A floor or projected area: a number single precision holds, not negative.
// The text is kept as it was given.
CellReading ReadAreaText(const QString &text);

// What a box or grid cell takes; the message that refuses a text says it.
enum class NumberRule {
    Any,          // any number single precision holds: "…には数値を入力してください"
    NotNegative,  // "…には0以上の数値を入力してください"
    Places,       // a whole count 0..32767: "…には0から32767までの整数を入力してください"
};

// A text typed into a field that takes `rule`, full-width digits allowed.
// An empty text is usable (the field is emptied); `text` is what the field
// holds from now on (half-width, blanks around it dropped).
struct TypedNumber {
    bool usable = true;
    QString text;
    QString message;   // when refused: names the field and what it takes
};
TypedNumber CheckTypedNumber(const QString &field, NumberRule rule, const QString &text);

// The message refusing a text typed into the field called `field`
// ("床面積には0以上の数値を入力してください"). A unit in brackets at the
// end of a caption is left out: "階高(m)" names the field "階高".
QString NumberRefusal(const QString &field, NumberRule rule);

} // namespace quiren
