// Typed values with units ("14.7 psi", "-40 degC", "250 kn"), read with UDUNITS-2, and the unit systems
// the results are written in. A value without a unit is in the system's unit of its quantity.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace flight {

enum class Quantity { Pressure, Temperature, Speed, Density, Length, Viscosity, KinematicViscosity, MassFlux };
enum class System { SI, US };

// "pressure", "temperature", ...
std::string_view quantityName(Quantity quantity);
// The unit results of this quantity are written in: Pa, K, m/s, kg/m3, m, Pa*s, m2/s, kg/(s*m2) for SI;
// lbf/ft2, degR, ft/s, slug/ft3, ft, lbf*s/ft2, ft2/s, slug/(s*ft2) for US.
std::string_view unitOf(Quantity quantity, System system);

// The value in SI, or the refusal ("3 kg is not a pressure: give a unit such as kPa, bar or psi").
std::variant<double, std::string> readQuantity(std::string_view text, Quantity quantity, System system = System::SI);
// An SI value in the system's unit.
double toSystem(double si, Quantity quantity, System system);
// An SI value in a named unit (which must fit the quantity), or the refusal.
std::variant<double, std::string> toUnit(double si, Quantity quantity, std::string_view unit);

} // namespace flight
