// The reading and writing rules: reading never fails, and what is written reads back to the same text.
#include "number.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (char mark : { '.', ',' }) {
        const double value = common::readNumber(text, mark);
        if (std::isnan(value))
            std::abort();
        if (!std::isfinite(value))
            continue;
        for (int decimals : { -1, 0, 3, 5 }) {
            const std::string shown = common::writeNumber(value, decimals, mark);
            // Only digits, a sign, the decimal mark and an exponent mark: never a word such as an infinity.
            if (shown.empty() || shown.find_first_not_of(std::string("0123456789+-E") + mark) != std::string::npos)
                std::abort();
            if (common::writeNumber(common::readNumber(shown, mark), decimals, mark) != shown)
                std::abort();
        }
    }
    return 0;
}
