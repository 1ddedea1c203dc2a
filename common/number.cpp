#include "number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace common {

namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale whatever the process locale is (Qt sets the user's).
double parseC(const std::string& s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(s.c_str(), nullptr, cLocale);
}

} // namespace

double readNumber(std::string_view text, char localeDecimal)
{
    // Gather the significant characters first, so blanks inside the number do not end it.
    std::string chars;
    chars.reserve(text.size());
    for (char c : text) {
        if (!isSkipped(c))
            chars.push_back(c);
    }

    std::string number;
    number.reserve(chars.size());
    size_t i = 0;
    if (i < chars.size() && (chars[i] == '+' || chars[i] == '-'))
        number.push_back(chars[i++]);
    bool digits = false;
    while (i < chars.size() && isDigit(chars[i])) {
        number.push_back(chars[i++]);
        digits = true;
    }
    if (i < chars.size() && (chars[i] == '.' || chars[i] == localeDecimal)) {
        number.push_back('.');
        ++i;
        while (i < chars.size() && isDigit(chars[i])) {
            number.push_back(chars[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < chars.size() && (chars[i] == 'E' || chars[i] == 'e')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < chars.size() && (chars[j] == '+' || chars[j] == '-'))
            exponent.push_back(chars[j++]);
        bool expDigits = false;
        while (j < chars.size() && isDigit(chars[j])) {
            exponent.push_back(chars[j++]);
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    return parseC(number);
}

std::string writeNumber(double value, int decimals, char localeDecimal)
{
    if (!std::isfinite(value))
        return {};
    if (decimals >= 0) {
        const double scale = std::pow(10.0, decimals);
        const double scaled = value * scale;
        if (std::isfinite(scaled) && std::fabs(scaled) < 4503599627370496.0) // 2^52
            value = std::nearbyint(scaled) / scale; // the default rounding mode rounds halves to even
    }
    if (value == 0.0)
        return "0";

    // 15 significant digits; the exponent after that rounding decides the form.
    std::array<char, 64> buf {};
    const auto sciEnd
        = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14).ptr;
    std::string sci(buf.data(), sciEnd);
    const size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);

    auto trimZeros = [](std::string s) {
        if (s.find('.') != std::string::npos) {
            while (!s.empty() && s.back() == '0')
                s.pop_back();
            if (!s.empty() && s.back() == '.')
                s.pop_back();
        }
        return s;
    };

    std::string out;
    if (exponent >= -4 && exponent < 15) {
        std::array<char, 64> plain {};
        const auto plainEnd
            = std::to_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed, 14 - exponent)
                  .ptr;
        out = trimZeros(std::string(plain.data(), plainEnd));
    } else {
        std::string mantissa = trimZeros(sci.substr(0, ePos));
        std::array<char, 16> exp {};
        std::snprintf(exp.data(), exp.size(), "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out = mantissa + exp.data();
    }
    if (out == "-0")
        out = "0";
    for (char& c : out) {
        if (c == '.')
            c = localeDecimal;
    }
    return out;
}

std::string writeShortest(double value, char localeDecimal)
{
    if (value == 0.0)
        return "0";
    std::array<char, 32> buffer {};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    for (char& c : text) {
        if (c == '.')
            c = localeDecimal;
    }
    return text;
}

} // namespace common
