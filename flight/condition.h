// Flight conditions (an altitude of the standard atmosphere and a Mach number or true airspeed), the pitot
// relations, and the dimensional state of a gas from its stagnation state. The flow ratios come from the
// engine (gasdyn::solve).
#pragma once

#include "atmosphere.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace flight {

struct Gas {
    std::string_view name; // "air", "N2", ..., "custom"
    double R; // J/(kg K)
    double gamma;
};

// air, N2, O2, He, Ar, CO2, H2 (custom is not in the list: any R and gamma typed).
std::span<const Gas> gases();
const Gas* gasNamed(std::string_view name);

// p0/p of the flow at M seen by a pitot tube: isentropic below Mach 1, behind a normal shock above (p02/p1).
std::variant<double, std::string> pitotRatio(double gamma, double M);
// The Mach number from p02/p (1 or more).
std::variant<double, std::string> machFromPitot(double gamma, double p02OverP);

struct FlightCondition {
    Atmosphere atm;
    double M;
    double V; // true airspeed, m/s
    double T0; // K
    double p0; // Pa, isentropic stagnation pressure
    double q; // Pa
    double ReL; // unit Reynolds number, 1/m
    double p02; // Pa, pitot pressure
    double cas; // calibrated airspeed, m/s (from p02 - p with the sea-level standard)
};

enum class Speed { Mach, TrueAirspeed };
std::variant<FlightCondition, std::string> flightCondition(const Atmosphere& atm, Speed kind, double value);
// From a measured pitot difference p02 - p (Pa).
std::variant<FlightCondition, std::string> fromPitotDifference(const Atmosphere& atm, double difference);
// Calibrated airspeed from qc = p02 - p.
std::variant<double, std::string> calibratedAirspeed(double difference);

struct GasState {
    double p, T, rho, a, V, massFlux; // Pa, K, kg/m3, m/s, m/s, kg/(s m2)
};
std::variant<GasState, std::string> stagnationState(const Gas& gas, double p0, double T0, double M);
// mdot = mdot_param p0 At / sqrt(R T0), kg/s.
double massFlow(const Gas& gas, double p0, double T0, double mdotParam, double throatArea);

} // namespace flight
