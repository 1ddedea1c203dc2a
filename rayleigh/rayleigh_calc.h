// Rayleigh flow: frictionless flow of a perfect gas with heat addition in a duct of constant area,
// every quantity referred to the sonic state (M = 1, the starred state).
#pragma once

#include "result.h"

#include <optional>

namespace rayleigh {

// Everything a press with input M shows.
struct Ratios {
    double M = 0.0;
    double ToToStar = 0.0; // To/To*
    double TTstar = 0.0; // T/T*
    double PPstar = 0.0; // p/p*
    double RoRoStar = 0.0; // rho/rho*
    double PoPoStar = 0.0; // Po/Po*
};

// Everything a press with input To/To* shows: the two Mach numbers of this total temperature ratio.
struct MachNumbers {
    double M = 0.0; // the subsonic root
    std::optional<double> Msup; // the supersonic root, absent when there is none or it cannot be calculated
    std::optional<common::Message> notice; // shown after M is written when Msup is absent
};

// Refusals of every entry, after gamma not above 1 ("Gamma must be greater than 1") and the entry's
// own checks: a result that is not a finite number ("The value is too large to be calculated").

// From the Mach number: M > 0, else " M must be greater then zero".
common::Result<Ratios> fromM(double gama, double M);

// From the total temperature ratio R = To/To*: R <= 1, else "To/To* must be equal 1 or lower then 1";
// then R >= 0, else "To/To* must not be negative".
// The total temperature relation solved for x = M^2 is the quadratic a x^2 - 2b x + c = 0; a
// discriminant below 1e-10 is taken as 0, so R = 1 gives the double root 1. A supersonic root exists
// only while a > 0, that is R above lowestToToStarForSupersonic(gama); below it Msup is absent and the
// notice "There is no supersonic solution for To/To* at or below <bound>" is given (R = 0 gives the
// subsonic root 0 this way). Msup is also absent, with the notice "The supersonic Mach number for this
// To/To* cannot be calculated accurately", when the rounding of a leaves it wrong beyond 5E-07.
common::Result<MachNumbers> fromToToStar(double gama, double ToToStar);

// The To/To* of Mach number infinity, (g - 1)(g + 1) / g^2: the supersonic root needs a larger To/To*.
double lowestToToStarForSupersonic(double gama);

} // namespace rayleigh
