#include "condition.h"

#include "gasdyn.h"

#include <array>
#include <cmath>

namespace flight {

namespace {

constexpr double kMolarR = 8.314462618; // J/(mol K), CODATA 2018

// R from the molar mass (kg/kmol).
constexpr double fromMolar(double molarMass)
{
    return kMolarR * 1000.0 / molarMass;
}

const std::array<Gas, 7> kGases { { { "air", 287.05, 1.4 }, { "N2", fromMolar(28.0134), 1.4 },
    { "O2", fromMolar(31.9988), 1.395 }, { "He", fromMolar(4.002602), 5.0 / 3.0 },
    { "Ar", fromMolar(39.948), 5.0 / 3.0 }, { "CO2", fromMolar(44.0095), 1.289 },
    { "H2", fromMolar(2.01588), 1.405 } } };

// One quantity of a flow solved from one input.
std::variant<double, std::string> ratio(gasdyn::Flow flow, double gamma, std::string_view from, double value,
    std::string_view to, gasdyn::Branch branch = gasdyn::Branch::None)
{
    const gasdyn::Given given { *gasdyn::quantityIndex(flow, from), value };
    const gasdyn::Outcome outcome = gasdyn::solve(flow, gamma, std::span(&given, 1), branch);
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        return refusal->message;
    const auto result = gasdyn::valueOf(std::get<gasdyn::Solution>(outcome), *gasdyn::quantityIndex(flow, to));
    if (!result)
        return std::string(to) + " is not defined here";
    return *result;
}

} // namespace

std::span<const Gas> gases()
{
    return kGases;
}

const Gas* gasNamed(std::string_view name)
{
    for (const Gas& gas : kGases)
        if (gas.name == name)
            return &gas;
    return nullptr;
}

std::variant<double, std::string> pitotRatio(double gamma, double M)
{
    if (M == 0.0)
        return 1.0; // at rest (the engine's flows start above Mach 0)
    if (M <= 1.0) {
        auto pp0 = ratio(gasdyn::Flow::Isentropic, gamma, "M", M, "p/p0");
        if (const auto* value = std::get_if<double>(&pp0))
            return 1.0 / *value;
        return pp0;
    }
    return ratio(gasdyn::Flow::NormalShock, gamma, "M1", M, "p02/p1");
}

std::variant<double, std::string> machFromPitot(double gamma, double p02OverP)
{
    if (!std::isfinite(p02OverP) || p02OverP < 1.0)
        return std::string("p02/p must be 1 or more");
    if (p02OverP == 1.0)
        return 0.0; // at rest
    const double sonic = std::pow((gamma + 1.0) / 2.0, gamma / (gamma - 1.0));
    if (p02OverP <= sonic)
        return ratio(gasdyn::Flow::Isentropic, gamma, "p/p0", 1.0 / p02OverP, "M");
    return ratio(gasdyn::Flow::NormalShock, gamma, "p02/p1", p02OverP, "M1");
}

std::variant<double, std::string> calibratedAirspeed(double difference)
{
    const Atmosphere sea = std::get<Atmosphere>(atmosphere(0.0));
    auto M = machFromPitot(kAirGamma, difference / sea.p + 1.0);
    if (const auto* value = std::get_if<double>(&M))
        return *value * sea.a;
    return M;
}

std::variant<FlightCondition, std::string> flightCondition(const Atmosphere& atm, Speed kind, double value)
{
    if (!std::isfinite(value) || value < 0.0)
        return std::string(kind == Speed::Mach ? "M must be 0 or more" : "V must be 0 or more");
    FlightCondition c {};
    c.atm = atm;
    c.M = kind == Speed::Mach ? value : value / atm.a;
    c.V = kind == Speed::Mach ? value * atm.a : value;
    const double g = kAirGamma;
    c.T0 = atm.T * (1.0 + 0.5 * (g - 1.0) * c.M * c.M);
    c.p0 = atm.p * std::pow(c.T0 / atm.T, g / (g - 1.0));
    c.q = 0.5 * atm.rho * c.V * c.V;
    c.ReL = atm.rho * c.V / atm.mu;
    const auto pitot = pitotRatio(g, c.M);
    if (const auto* message = std::get_if<std::string>(&pitot))
        return *message;
    c.p02 = atm.p * std::get<double>(pitot);
    const auto cas = calibratedAirspeed(c.p02 - atm.p);
    if (const auto* message = std::get_if<std::string>(&cas))
        return *message;
    c.cas = std::get<double>(cas);
    if (!std::isfinite(c.T0) || !std::isfinite(c.p0) || !std::isfinite(c.q) || !std::isfinite(c.p02))
        return std::string("the speed is too large");
    return c;
}

std::variant<FlightCondition, std::string> fromPitotDifference(const Atmosphere& atm, double difference)
{
    if (!std::isfinite(difference) || difference < 0.0)
        return std::string("p02 - p must be 0 or more");
    const auto M = machFromPitot(kAirGamma, difference / atm.p + 1.0);
    if (const auto* message = std::get_if<std::string>(&M))
        return *message;
    return flightCondition(atm, Speed::Mach, std::get<double>(M));
}

std::variant<GasState, std::string> stagnationState(const Gas& gas, double p0, double T0, double M)
{
    if (!std::isfinite(gas.R) || gas.R <= 0.0)
        return std::string("R must be above 0");
    if (!std::isfinite(p0) || p0 <= 0.0)
        return std::string("p0 must be above 0");
    if (!std::isfinite(T0) || T0 <= 0.0)
        return std::string("T0 must be above 0 K");
    const auto pp0 = ratio(gasdyn::Flow::Isentropic, gas.gamma, "M", M, "p/p0");
    if (const auto* message = std::get_if<std::string>(&pp0))
        return *message;
    const auto TT0 = ratio(gasdyn::Flow::Isentropic, gas.gamma, "M", M, "T/T0");
    GasState s {};
    s.p = p0 * std::get<double>(pp0);
    s.T = T0 * std::get<double>(TT0);
    s.rho = s.p / (gas.R * s.T);
    s.a = std::sqrt(gas.gamma * gas.R * s.T);
    s.V = M * s.a;
    s.massFlux = s.rho * s.V;
    return s;
}

double massFlow(const Gas& gas, double p0, double T0, double mdotParam, double throatArea)
{
    return mdotParam * p0 * throatArea / std::sqrt(gas.R * T0);
}

} // namespace flight
