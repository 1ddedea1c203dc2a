// The last answer of a calculation, as a window tells the rest of the program about it (the charts mark it).
#pragma once

#include <optional>
#include <string>

namespace common {

struct Answer {
    double gamma = 1.4;
    // The flow, spelled as the command line spells it: "isentropic", "normal-shock", "rayleigh", "fanno",
    // "oblique-shock", "conical-shock", "prandtl-meyer".
    std::string flow;
    // The Mach number of the state: the upstream Mach number for the shocks and the expansion.
    double mach = 0.0;
    // "sub", "sup", "low", "high", "weak", "strong", or empty where the answer has no branch.
    std::string branch {};
    // A second Mach number the same press found (the supersonic root of Rayleigh or Fanno flow).
    std::optional<double> otherMach {};
    // Deflection and wave angle in degrees (oblique and conical shock; theta also for the expansion).
    std::optional<double> theta {};
    std::optional<double> beta {};
};

} // namespace common
