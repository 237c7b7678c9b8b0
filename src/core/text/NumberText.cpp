#include "core/text/NumberText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiren {

namespace {

// How many decimals the exact expansion of a finite double has: a value
// m × 2^-k (m odd) has k of them.
int decimalPlacesOf(double value)
{
    if (value == 0.0)
        return 0;
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);   // value = fraction × 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::fabs(fraction), 53));
    exponent -= 53 - std::countr_zero(mantissa);
    return exponent < 0 ? -exponent : 0;
}

// The exact decimal expansion of a double: "123.4560000000000030695...".
// std::to_chars writes every digit of the binary value when asked for
// enough, and, unlike printf, never follows the user's locale: Qt sets the
// C locale from the environment, and a "," decimal separator must not creep
// into a sheet's numbers.
//
// Only as many decimals as the value has are asked for (at least
// `minimum`): every finite double ends after at most 1074 of them, and
// writing 1100 for every number was slow.
std::string_view exactDigits(double magnitude, int minimum)
{
    // 1100 decimals cover the smallest subnormal; 310 integer digits the
    // largest double.
    static thread_local char buffer[1500];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::fixed, std::max(minimum, decimalPlacesOf(magnitude)));
    return std::string_view(buffer, result.ptr - buffer);
}

// The digits of `magnitude` up to `decimals` places and one more, which
// decides the rounding of the exact value: at least '5' when the exact
// value's rest reaches half a unit of the last kept place. Three more places
// correctly rounded tell that for nearly every value at the cost of a few
// digits; only a rest within a thousandth of the half is written out
// exactly. (A rest that rounds up into the kept places was above the half,
// and the kept places then already hold the value rounded up.)
std::string_view roundingDigits(double magnitude, int decimals)
{
    static thread_local char buffer[400];
    if (decimals <= 20 && magnitude < 1e300) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed,
                                          decimals + 3);
        if (result.ec == std::errc()) {
            char *rest = result.ptr - 3;
            const int thousandths = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
            if (thousandths <= 498 || thousandths >= 501) {
                rest[0] = thousandths >= 501 ? '9' : '0';
                return std::string_view(buffer, rest + 1 - buffer);
            }
        }
    }
    return exactDigits(magnitude, decimals + 1);
}

// True when `text` is a number in this program's notation: blanks, a sign,
// digits with at most one point (a digit on one side of it at least), an
// exponent, blanks. Only ASCII digits count: full-width ones are not this
// program's notation. A single line feed may end the text.
bool isNumberNotation(QStringView text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == QChar(0x3000); };
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skip = [&](auto accepts) {
        const qsizetype from = i;
        while (i < n && accepts(text[i]))
            ++i;
        return i - from;
    };
    skip(blank);
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = skip(digit);
    if (i < n && text[i] == u'.') {
        ++i;
        digits += skip(digit);
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (skip(digit) == 0)
            return false;
    }
    skip(blank);
    if (i < n && text[i] == u'\n')
        ++i;
    return i == n;
}

// The value of the characters [begin, end) of a decimal text.
// A plain decimal of at most 15 digits ("1.82", "-0.5", "40"), read without
// the general reader: its digits as a whole number and a power of ten are
// both exact doubles, so one division rounds exactly as reading the text
// does. Nothing for any other text.
std::optional<double> shortDecimalValue(const char *begin, const char *end)
{
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = begin != end && *begin == '-';
    if (negative)
        ++begin;
    std::int64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (const char *p = begin; p != end; ++p) {
        if (*p == '.' && !point) {
            point = true;
        } else if (*p >= '0' && *p <= '9' && count < 15) {
            digits = digits * 10 + (*p - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0)
        return std::nullopt;
    const double value = static_cast<double>(digits) / PowersOfTen[decimals];
    return negative ? -value : value;
}

double decimalValue(const char *begin, const char *end)
{
    if (begin != end && *begin == '+')
        ++begin;
    if (const std::optional<double> shortValue = shortDecimalValue(begin, end))
        return *shortValue;
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range)
        return begin != end && *begin == '-' ? -HUGE_VAL : HUGE_VAL;
    return value;
}

// The value of a plain decimal text ("1.5", "-.5", "1e3"), locale-free.
double parseDecimal(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    // A number's text is short: it is read from the stack, not the heap.
    char buffer[64];
    if (trimmed.size() > static_cast<qsizetype>(sizeof buffer)) {
        const QByteArray latin = trimmed.toLatin1();
        return decimalValue(latin.cbegin(), latin.cend());
    }
    char *end = buffer;
    for (QChar c : trimmed)
        *end++ = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
    return decimalValue(buffer, end);
}

} // namespace

QString FormatDecimal(double value, int decimals, int minDecimals)
{
    if (std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    const bool negative = std::signbit(value);
    const std::string_view exact = roundingDigits(std::fabs(value), decimals);
    const std::size_t point = exact.find('.');
    const bool roundUp = exact[point + 1 + decimals] >= '5';

    // The kept digits, after a sign and a place for a carry out of the
    // integer part: "-0123.45".
    static thread_local char text[1600];
    char *const first = text + 2;
    const std::size_t kept = point + 1 + decimals;
    exact.copy(first, kept);
    char *end = first + kept;
    char *begin = first;
    if (roundUp) {
        // Add one unit in the last kept place, carrying leftwards.
        char *digit = end - 1;
        for (;; --digit) {
            if (digit < first) {
                *digit = '1';
                begin = digit;
                break;
            }
            if (*digit == '.')
                continue;
            if (*digit == '9') {
                *digit = '0';
            } else {
                ++*digit;
                break;
            }
        }
    }
    // Trailing zeros beyond the decimals always shown, and a point with
    // nothing after it.
    char *const pointAt = first + point;
    while (end - pointAt - 1 > minDecimals && end[-1] == '0')
        --end;
    if (end == pointAt + 1)
        end = pointAt;

    const bool allZero = std::all_of(begin, end, [](char c) { return c == '0' || c == '.'; });
    if (negative && !allZero)
        *--begin = '-';
    return QString::fromLatin1(begin, end - begin);
}

QString FormatFixed4(double value) { return FormatDecimal(value, 4, 4); }
QString FormatFixed2(double value) { return FormatDecimal(value, 2, 2); }
QString FormatLength(double value) { return FormatDecimal(value, 4, 1); }

QString FormatPercent(float ratioPercent)
{
    const float fraction = ratioPercent / 100.0f;
    return FormatDecimal(static_cast<double>(fraction) * 100.0, 1, 1) + QStringLiteral("% ");
}

QString SingleText(float value)
{
    if (std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    if (value == 0.0f)
        return QStringLiteral("0");
    char buffer[64];
    // Seven significant digits; the general form drops trailing zeros and the
    // point of whole values.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 7);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer)).toUpper();
}

QString HalfWidthNumber(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)        // ０..９
            c = QChar(char16_t(u'0' + (u - 0xFF10)));
        else if (u == 0xFF0E)                   // ．
            c = QLatin1Char('.');
        else if (u == 0xFF0D || u == 0x2212)    // － and the minus sign −
            c = QLatin1Char('-');
        else if (u == 0xFF0B)                   // ＋
            c = QLatin1Char('+');
    }
    return result;
}

namespace {

// The check of a text and, when it is a number, its value (0 otherwise).
NumberCheck checkedValue(const QString &text, double &value)
{
    value = 0.0;
    if (!isNumberNotation(text))
        return NumberCheck::NotANumber;
    const double parsed = parseDecimal(text);
    if (!std::isfinite(parsed) || std::fabs(parsed) > static_cast<double>(FLT_MAX))
        return NumberCheck::OutOfRange;
    value = parsed;
    return NumberCheck::Number;
}

} // namespace

NumberCheck CheckNumberText(const QString &text)
{
    double value = 0.0;
    return checkedValue(text, value);
}

bool IsSingleNumber(const QString &text)
{
    return CheckNumberText(text) == NumberCheck::Number;
}

double TextValue(const QString &text)
{
    double value = 0.0;
    if (!text.isEmpty())
        checkedValue(text, value);
    return value;
}

float TextSingle(const QString &text)
{
    return static_cast<float>(TextValue(text));
}

QString PlainSingleText(const QString &text)
{
    if (!IsSingleNumber(text))
        return text;
    return SingleText(TextSingle(text));
}

int LeadingSpaces(double value)
{
    const float rounded = TextSingle(FormatDecimal(value, 1, 1));
    const QString plain = SingleText(rounded);
    return plain.indexOf(QLatin1Char('.')) == 2 ? 1 : 2;
}

std::optional<int> RoundPlaces(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::nearbyint(value); // the default mode: halves to even
    if (whole > 32767.0 || whole < -32768.0)
        return std::nullopt;
    return static_cast<int>(whole);
}

} // namespace quiren
