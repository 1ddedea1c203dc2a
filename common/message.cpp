#include "message.h"

#include "number.h"

#include <cmath>

namespace common {

std::string Message::render(char localeDecimal) const
{
    if (!number)
        return before + after;
    return before + writeUnrounded(*number, localeDecimal) + after;
}

std::optional<Message> checkGamma(double gama)
{
    if (!(std::isfinite(gama) && gama > 1.0))
        return Message { "Gamma must be greater than 1" };
    return std::nullopt;
}

} // namespace common
