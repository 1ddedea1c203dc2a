// The inputs of a table as the user wrote them: row i of a table from A in steps of S is the decimal A + i*S,
// added exactly in decimal and rounded once to the nearest double, so 0 in steps of 0.1 gives 0.3 at row 3, not
// 0.30000000000000004. Shared by the command line's table and the gas tables window.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gasdyn {

class DecimalGrid {
public:
    // From and Step as written: an optional sign, digits with an optional point (or `decimalMark`), an optional
    // exponent. A text that is no such number gives nullopt. When the digits of A and S at their common scale
    // need more than 30 significant digits, the grid falls back to A + i*S in doubles.
    static std::optional<DecimalGrid> make(std::string_view from, std::string_view step, char decimalMark = '.');
    // The grid of two doubles, A + i*S in doubles.
    static DecimalGrid ofDoubles(double from, double step);

    double at(std::int64_t i) const;
    double from() const { return from_; }
    double step() const { return step_; }
    bool exact() const { return exact_; }

private:
    double from_ = 0.0;
    double step_ = 1.0;
    bool exact_ = false;
    // A = a * 10^exponent, S = s * 10^exponent; kept as two 64-bit halves to stay within ISO C++.
    std::int64_t aHigh_ = 0;
    std::uint64_t aLow_ = 0;
    std::int64_t sHigh_ = 0;
    std::uint64_t sLow_ = 0;
    int exponent_ = 0;
};

} // namespace gasdyn
