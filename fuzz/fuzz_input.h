// Turns a fuzzer's bytes into what a user does: an option number and the texts typed into the boxes.
#pragma once

#include "number.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

struct Press {
    int option = 0;
    std::vector<double> values; // gamma first, then the inputs, each read from its own text
};

// The first byte picks the option; the rest is split at the byte 0x01 into texts read by the program's rule.
inline Press press(const uint8_t* data, size_t size, int options, size_t values)
{
    Press p;
    if (size == 0)
        return p;
    p.option = data[0] % options;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (size_t i = 0; i < values; ++i) {
        const size_t end = rest.find('\x01');
        p.values.push_back(common::readNumber(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return p;
}

// Every shown quantity of an accepted press must be a finite number.
inline void requireFinite(std::initializer_list<double> shown)
{
    for (double v : shown) {
        if (!std::isfinite(v))
            std::abort();
    }
}

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace fuzz
