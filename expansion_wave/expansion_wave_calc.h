// Prandtl-Meyer expansion of a perfect gas: a supersonic stream at M1 turns through Teta (degrees) and
// leaves at M2. Of M1, Teta and M2 one is found from the other two, together with the Prandtl-Meyer
// angles Nu1 and Nu2 (degrees) and the static pressure and temperature ratios across the wave.
#pragma once

#include "result.h"

#include <optional>

namespace expansion_wave {

// Everything one press shows.
struct Wave {
    double M1 = 0.0;
    double Teta = 0.0; // turning angle, degrees
    double M2 = 0.0;
    double Nu1 = 0.0; // Prandtl-Meyer angle before the wave, degrees
    double Nu2 = 0.0; // Prandtl-Meyer angle after the wave, degrees
    double p2p1 = 0.0;
    double T2T1 = 0.0;
    // When a Mach number was sought: the Newton iteration `M_için_hesap`, and the bracketed root search
    // `M_için_kök`, run only when the Newton iteration did not meet its tolerance.
    std::optional<common::Iteration> iteration {};
    std::optional<common::Iteration> fallback {};
};

// The constants of one press, from gamma > 1.
struct Constants {
    double gama = 0.0;
    double Kpm = 0.0; // sqrt((g + 1) / (g - 1))
    double Gm1b2 = 0.0; // (g - 1) / 2
    double GbGm1 = 0.0; // g / (g - 1)
};
Constants constantsFor(double gama);

// The largest Prandtl-Meyer angle of the gas, (Kpm - 1) x 90 degrees: the angle of an infinite Mach number.
double largestNu(double Kpm);

// The Prandtl-Meyer angle in degrees of a Mach number M >= 1, from the engine's relation.
double Nu_için_hesap(const Constants& c, double M);

// What `M_için_hesap` leaves: its iteration and ErrorCode (1 when an iterate fell below Mach 1).
struct MachSearch {
    common::Iteration iteration {};
    int ErrorCode = 0;
};

// The Mach number of a Prandtl-Meyer angle Nu (degrees) by Newton iteration on the angle in radians: start
// sqrt(2.5); at the head of each pass an iterate below Mach 1 ends it with ErrorCode 1; it stops when the
// residual is below 1e-5 radians; the slope uses the fixed coefficient 0.2 whatever the gas; at most 50
// passes. An iterate that is no longer a finite number ends it unconverged with ErrorCode 0. Unconverged,
// the value is the last iterate.
MachSearch M_için_hesap(double Kpm, double Nu);

// The root of the Prandtl-Meyer relation nu(M) = Nu for 0 <= Nu < largestNu (degrees), bracketed from
// Mach 1 upwards and closed in on by Newton steps with the exact slope for the gas (Gm1b2), falling back
// to bisection whenever a step leaves the bracket; it stops when the residual is below 1e-9 radians (or,
// for angles so large that 1e-9 is finer than their rounding, below 16 roundings of the angle plus pi/2),
// at most 400 passes.
common::Iteration M_için_kök(const Constants& c, double Nu);

// Refusals of every entry, checked in this order: gamma not above 1 ("Gamma must be greater than 1"),
// then the entry's own checks, then a result that is not a finite number ("The value is too large to be
// calculated"). Teta has no bounds where it is an input.

// M1 from M2 and Teta. Refusals: M2 <= 1 ("M2 must be greater than 1"); Nu1 = Nu2 - Teta at or above the
// largest Prandtl-Meyer angle ("Nu1 must be less than <largest> degrees for this gamma"); no Mach number
// for Nu1 ("There is no solution for given M2").
common::Result<Wave> findM1(double gama, double M2, double Teta);

// Teta from M1 and M2. Refusal: M1 <= 1 or M2 <= 1 ("M1 and M2 must be greater than 1").
common::Result<Wave> findTeta(double gama, double M1, double M2);

// M2 from M1 and Teta. Refusals: M1 <= 1 ("M1 must be greater than 1"); Nu2 = Nu1 + Teta at or above the
// largest Prandtl-Meyer angle ("Nu2 must be less than <largest> degrees for this gamma"); no Mach number
// for Nu2 ("There is no solution for given M2").
common::Result<Wave> findM2(double gama, double M1, double Teta);

} // namespace expansion_wave
