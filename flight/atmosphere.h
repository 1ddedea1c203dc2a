// The U.S. Standard Atmosphere 1976 (the ISA below 32 km) from -5 km to 86 km geometric altitude. Above
// 80 km the temperature given is the molecular-scale temperature T_M (the standard's kinetic temperature
// differs from it by at most 0.03 % there); p, rho and a are exact with it, mu and nu use it too.
#pragma once

#include <string>
#include <variant>

namespace flight {

inline constexpr double kEarthRadius = 6356766.0; // m, the effective radius for geopotential height
inline constexpr double kG0 = 9.80665; // m/s2
inline constexpr double kAirR = 8.31432e3 / 28.9644; // J/(kg K), the standard's gas constant of air
inline constexpr double kAirGamma = 1.4;
inline constexpr double kMinGeometric = -5000.0; // m
inline constexpr double kMaxGeometric = 86000.0; // m

double geopotentialOf(double geometric);
double geometricOf(double geopotential);

struct Atmosphere {
    double z; // geometric altitude, m
    double H; // geopotential altitude, m
    double T; // K
    double p; // Pa
    double rho; // kg/m3
    double a; // m/s
    double mu; // Pa s (Sutherland)
    double nu; // m2/s
};

enum class AltitudeKind { Geometric, Geopotential };

// The state at this altitude, or the refusal ("altitude must be from -5000 to 86000 m").
std::variant<Atmosphere, std::string> atmosphere(double altitude, AltitudeKind kind = AltitudeKind::Geometric);

// Sutherland's law for air.
double sutherland(double T);

} // namespace flight
