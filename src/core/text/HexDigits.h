#pragma once

// Hexadecimal digits as the program's files write them (capitals) and read
// them (either case): the settings file's escapes, a PDF's character codes.
namespace quiren {

// The value of one hexadecimal digit, -1 for any other character.
inline int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The capital digit of the lowest four bits of `value`.
inline char HexDigit(unsigned value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

// `value` as `count` capital digits, the highest first, after `out`.
template <typename Bytes>
void AppendHexDigits(Bytes &out, unsigned value, int count)
{
    for (int shift = 4 * (count - 1); shift >= 0; shift -= 4)
        out += HexDigit(value >> shift);
}

} // namespace quiren
