#include "atmosphere.h"

#include <array>
#include <cmath>

namespace flight {

namespace {

struct Layer {
    double H; // base geopotential height, m
    double L; // lapse rate, K/m
    double T; // base temperature, K (the standard's, which its lapse rates reach exactly)
};
constexpr std::array<Layer, 7> kLayers { { { 0.0, -0.0065, 288.15 }, { 11000.0, 0.0, 216.65 },
    { 20000.0, 0.001, 216.65 }, { 32000.0, 0.0028, 228.65 }, { 47000.0, 0.0, 270.65 }, { 51000.0, -0.0028, 270.65 },
    { 71000.0, -0.002, 214.65 } } };

struct Base {
    double T;
    double p;
};

// Temperature and pressure at H within the layer starting at `base`.
Base within(const Layer& layer, const Base& base, double H)
{
    const double dH = H - layer.H;
    if (layer.L == 0.0)
        return { base.T, base.p * std::exp(-kG0 * dH / (kAirR * base.T)) };
    const double T = base.T + layer.L * dH;
    return { T, base.p * std::pow(base.T / T, kG0 / (kAirR * layer.L)) };
}

// The base temperatures and pressures, each from the layer below.
std::array<Base, 7> makeBases()
{
    std::array<Base, 7> bases {};
    bases[0] = { 288.15, 101325.0 };
    for (std::size_t i = 1; i < bases.size(); ++i)
        bases[i] = { kLayers[i].T, within(kLayers[i - 1], bases[i - 1], kLayers[i].H).p };
    return bases;
}

const std::array<Base, 7>& bases()
{
    static const std::array<Base, 7> table = makeBases();
    return table;
}

} // namespace

double geopotentialOf(double geometric)
{
    return kEarthRadius * geometric / (kEarthRadius + geometric);
}

double geometricOf(double geopotential)
{
    return kEarthRadius * geopotential / (kEarthRadius - geopotential);
}

double sutherland(double T)
{
    return 1.458e-6 * std::pow(T, 1.5) / (T + 110.4);
}

std::variant<Atmosphere, std::string> atmosphere(double altitude, AltitudeKind kind)
{
    const double lowH = geopotentialOf(kMinGeometric);
    const double highH = geopotentialOf(kMaxGeometric);
    if (kind == AltitudeKind::Geometric) {
        if (!std::isfinite(altitude) || altitude < kMinGeometric || altitude > kMaxGeometric)
            return std::string("altitude must be from -5000 to 86000 m");
    } else if (!std::isfinite(altitude) || altitude < lowH || altitude > highH) {
        return std::string("geopotential altitude must be from -5003.936 to 84852.046 m");
    }
    Atmosphere s {};
    s.z = kind == AltitudeKind::Geometric ? altitude : geometricOf(altitude);
    s.H = kind == AltitudeKind::Geometric ? geopotentialOf(altitude) : altitude;
    std::size_t i = kLayers.size() - 1;
    while (i > 0 && s.H < kLayers[i].H)
        --i;
    const Base b = within(kLayers[i], bases()[i], s.H);
    s.T = b.T;
    s.p = b.p;
    s.rho = s.p / (kAirR * s.T);
    s.a = std::sqrt(kAirGamma * kAirR * s.T);
    s.mu = sutherland(s.T);
    s.nu = s.mu / s.rho;
    return s;
}

} // namespace flight
