// Reading and writing numbers the way every box of the calculator does.
#pragma once

#include <string>
#include <string_view>

namespace common {

// The value of a text is its longest leading decimal number. Blanks, tabs, carriage returns and line
// feeds are skipped wherever they stand ("1 000" reads 1000); then an optional sign, digits with an
// optional decimal mark (the point, or `localeDecimal`), and an exponent only when E or e is followed
// by digits with an optional sign ("1e" reads 1). Reading stops at the first character that cannot
// continue the number. A text without a leading number reads 0; a number beyond the double range
// reads as an infinite value. Never fails.
double readNumber(std::string_view text, char localeDecimal = '.');

// Rounds `value` to `decimals` places, halves to the even digit, by scaling with 10^decimals (a value
// whose scaled form reaches 2^52 is left as it is), then writes it with at most 15 significant
// digits, no trailing zeros and no decimal mark for a whole number; plain digits from 1E-4 up to below
// 1E+15, otherwise "1.5E-05" / "1E+15". A negative zero is written "0". `decimals` < 0 writes the value
// unrounded. `value` must be finite.
std::string writeNumber(double value, int decimals, char localeDecimal = '.');

// The value written unrounded, as numbers inside messages are.
inline std::string writeUnrounded(double value, char localeDecimal = '.')
{
    return writeNumber(value, -1, localeDecimal);
}

// The shortest text that reads back to the same double ("0.5773502691896258", "2e-05", "1e+300"), with
// `localeDecimal` as the decimal mark: the full precision behind a rounded box. `value` must be finite;
// a negative zero is written "0".
std::string writeShortest(double value, char localeDecimal = '.');

} // namespace common
