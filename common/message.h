// A message the calculator shows in a message box: a text, optionally with a number in it.
#pragma once

#include <optional>
#include <string>

namespace common {

// A number inside a message is written unrounded with the user's decimal mark, so a message is kept
// as its parts and rendered by the window that shows it.
struct Message {
    std::string before;
    std::optional<double> number {};
    std::string after {};

    std::string render(char localeDecimal = '.') const;
    bool operator==(const Message&) const = default;
};

// Every calculation's first check: gamma must be a finite number greater than 1.
// Returns the refusal "Gamma must be greater than 1", or nothing when gamma is usable.
std::optional<Message> checkGamma(double gama);

} // namespace common
