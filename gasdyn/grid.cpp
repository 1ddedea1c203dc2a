#include "grid.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string>

namespace gasdyn {

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;
constexpr int kMaxDigits = 30; // so that a + i*s, i below 2^31, stays far inside 128 bits

struct Decimal {
    Int128 mantissa = 0;
    int exponent = 0;
    int digits = 0; // significant digits of the mantissa
};

std::optional<Decimal> readDecimal(std::string_view text, char mark)
{
    Decimal d;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool anyDigit = false;
    bool point = false;
    bool tooMany = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == mark || c == '.') && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        if (d.mantissa == 0 && c == '0') {
            if (point)
                --d.exponent;
            continue;
        }
        if (d.digits >= kMaxDigits) {
            tooMany = true;
            continue;
        }
        d.mantissa = d.mantissa * 10 + (c - '0');
        ++d.digits;
        if (point)
            --d.exponent;
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        int e = 0;
        const char* begin = text.data() + i;
        const char* end = text.data() + text.size();
        if (begin < end && *begin == '+')
            ++begin;
        const auto result = std::from_chars(begin, end, e);
        if (result.ec != std::errc() || result.ptr != end)
            return std::nullopt;
        if (e > 100000 || e < -100000)
            tooMany = true;
        else
            d.exponent += e;
    } else if (i != text.size()) {
        return std::nullopt;
    }
    if (tooMany)
        d.digits = kMaxDigits + 1;
    if (negative)
        d.mantissa = -d.mantissa;
    if (d.mantissa == 0)
        d.exponent = 0;
    return d;
}

// Scales `d` down to `exponent` (below its own), when its digits stay within kMaxDigits.
bool rescale(Decimal& d, int exponent)
{
    while (d.exponent > exponent) {
        if (d.mantissa != 0 && ++d.digits > kMaxDigits)
            return false;
        d.mantissa *= 10;
        --d.exponent;
    }
    return true;
}

double toDouble(Int128 n, int exponent)
{
    // Both exact in a double and one operation: the quotient or product is correctly rounded.
    static constexpr std::array<double, 23> powers { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12,
        1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    constexpr Int128 kExact = Int128(1) << 53;
    if (n > -kExact && n < kExact && exponent >= -22 && exponent <= 22) {
        const auto value = static_cast<double>(n);
        return exponent < 0 ? value / powers[static_cast<std::size_t>(-exponent)]
                            : value * powers[static_cast<std::size_t>(exponent)];
    }
    std::array<char, 64> buffer {};
    char* end = buffer.data() + buffer.size();
    char* p = end;
    const bool negative = n < 0;
    auto u = static_cast<UInt128>(negative ? -n : n);
    do {
        *--p = static_cast<char>('0' + static_cast<int>(u % 10));
        u /= 10;
    } while (u != 0);
    if (negative)
        *--p = '-';
    std::string text(p, end);
    text += 'e';
    text += std::to_string(exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Int128 join(std::int64_t high, std::uint64_t low)
{
    return static_cast<Int128>((static_cast<UInt128>(static_cast<std::uint64_t>(high)) << 64) | low);
}

} // namespace

DecimalGrid DecimalGrid::ofDoubles(double from, double step)
{
    DecimalGrid grid;
    grid.from_ = from;
    grid.step_ = step;
    return grid;
}

std::optional<DecimalGrid> DecimalGrid::make(std::string_view from, std::string_view step, char decimalMark)
{
    auto a = readDecimal(from, decimalMark);
    auto s = readDecimal(step, decimalMark);
    if (!a || !s)
        return std::nullopt;
    std::string fromText(from);
    std::string stepText(step);
    if (decimalMark != '.') {
        for (std::string* t : { &fromText, &stepText }) {
            for (char& c : *t) {
                if (c == decimalMark)
                    c = '.';
            }
        }
    }
    const auto readDouble = [](const std::string& t) {
        std::string_view v(t);
        if (!v.empty() && v[0] == '+')
            v.remove_prefix(1);
        double value = 0.0;
        std::from_chars(v.data(), v.data() + v.size(), value);
        return value;
    };
    DecimalGrid grid = ofDoubles(readDouble(fromText), readDouble(stepText));
    const int exponent = std::min(a->exponent, s->exponent);
    if (a->digits > kMaxDigits || s->digits > kMaxDigits || !rescale(*a, exponent) || !rescale(*s, exponent))
        return grid;
    const auto high = [](Int128 n) { return static_cast<std::int64_t>(n >> 64); };
    const auto low = [](Int128 n) { return static_cast<std::uint64_t>(n); };
    grid.aHigh_ = high(a->mantissa);
    grid.aLow_ = low(a->mantissa);
    grid.sHigh_ = high(s->mantissa);
    grid.sLow_ = low(s->mantissa);
    grid.exponent_ = exponent;
    grid.exact_ = true;
    return grid;
}

double DecimalGrid::at(std::int64_t i) const
{
    if (!exact_)
        return from_ + static_cast<double>(i) * step_;
    if (i == 0)
        return from_;
    return toDouble(join(aHigh_, aLow_) + static_cast<Int128>(i) * join(sHigh_, sLow_), exponent_);
}

} // namespace gasdyn
