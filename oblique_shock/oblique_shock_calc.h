// Oblique shock in a perfect gas: the theta-beta-M relation solved for the wave angle Beta (weak or
// strong shock), the deflection angle Teta or the upstream Mach number M1, and the flow behind the
// shock. Angles are entered and returned in degrees; the trigonometry works in radians.
#pragma once

#include "result.h"

namespace oblique_shock {

// Which of the two shocks that turn the stream through the same deflection is sought.
enum class Solution { Weak, Strong };

// The flow behind the shock: the normal-shock relations applied to the velocity component normal to
// the wave.
struct Downstream {
    double Mn1 = 0.0; // normal Mach number ahead of the wave
    double Mn2 = 0.0; // normal Mach number behind the wave
    double M2 = 0.0; // Mach number behind the wave
    double p2p1 = 0.0; // static pressure ratio p2/p1
    double Ro2Ro1 = 0.0; // density ratio rho2/rho1 (never shown)
    double T2T1 = 0.0; // static temperature ratio T2/T1
};

// Everything one press shows.
struct Shock {
    double M1 = 0.0;
    double TetaD = 0.0; // deflection in degrees (its size, when a negative one was given for output Beta)
    double BetaD = 0.0; // wave angle in degrees
    Downstream behind {};
    common::Iteration iteration {}; // the Newton iteration on the wave angle (output Beta only)
};

// Why the Newton iteration on the wave angle stopped.
enum class Stop {
    Converged, // the step or the residual met its test on a wave angle from the Mach angle to 90 degrees
    PassesUsedUp, // 20 passes without meeting the test
    ZeroSlope, // the slope of the residual vanished: no step can be taken
    OutsideRange, // the test was met on a wave angle more than 1e-6 degrees outside the Mach angle to 90 degrees
    NotFinite, // the residual, its slope or the step overflowed
};

struct WaveAngleIteration {
    common::Iteration iteration {}; // value: the wave angle Beta in radians (the last iterate when not converged)
    Stop stop = Stop::PassesUsedUp;
};

// Refusals of every entry: first gamma not above 1 ("Gamma must be greater than 1"), then the entry's
// own checks in the order listed, then a result that is not a finite number ("The value is too large
// to be calculated"). Nothing is returned with a refusal.

// The wave angle for M1 and a deflection TetaD (degrees) by Newton_Raphson.
// M1 > 1, else "M1 must be greater then 1"; |TetaD| < 90, else "Teta must be less then 90 degrees";
// then no converged wave angle in the physical range (above the largest deflection for M1, a vanishing
// slope, an iterate outside the Mach angle to 90 degrees), else " iterasyon 20 adımda yakınsamadı".
// A negative deflection is the mirror image of the positive one: the same shock as for |TetaD|.
common::Result<Shock> findBeta(double gama, double M1, double TetaD, Solution solution);

// The deflection for M1 and a wave angle BetaD (degrees).
// M1 > 1, else "M1 must be greater then 1"; BetaD <= 90, else "Beta must be less then 90 degrees";
// BetaD >= 0 and sin(Beta) >= 1 / M1 (Beta not below the Mach angle), else "For this Mach number no solution
// for given Beta".
common::Result<Shock> findTeta(double gama, double M1, double BetaD);

// The upstream Mach number for a deflection TetaD and a wave angle BetaD (degrees).
// TetaD >= 0, else "Teta must be equal or greater then 0 degree"; TetaD < 90, else "Teta must be less
// then 90 degrees"; BetaD <= 90, else "Beta must be equal or less then 90 degrees"; BetaD >= 0, else
// "Beta must be equal or greater then 0 degree"; then TetaD below the limiting deflection for BetaD,
// else "no solution for M1. Teta must be equal or less then <limit> degrees" (the limit unrounded); below
// the limit with a vanishing denominator the Mach number is beyond the double range and refused as too large.
common::Result<Shock> findM1(double gama, double TetaD, double BetaD);

// Newton iteration on the wave angle in radians for M1 > 1 and a deflection TetaD in degrees: start at
// the Mach angle (weak) or at 90 degrees (strong); residual f = tan of the deflection for the iterate
// minus tan(TetaD), slope in closed form; after each step it stops when the step was below 0.001 degree
// or the residual of that pass below 1e-5; at most 20 passes. A vanishing slope or an overflow stops it
// unconverged, and a wave angle outside the physical range does not count as converged. When the deflection does
// not exceed the largest one for M1, the iterate is kept on its own side of the wave angle of the largest
// deflection (weak: from the Mach angle up to it; strong: from it up to 90 degrees), within the part known to
// hold the shock from the signs of the residuals so far: a step that would leave that part goes to its
// midpoint instead (back to the iterate, when its residual met the test) and does not count for the step test.
// A test met at a wave angle not above the deflection (angles far below 0.001 degree, for a huge M1) does not
// stop it.
WaveAngleIteration Newton_Raphson(double gama, double M1, double TetaD, Solution solution);

// The flow behind the shock for M1, the wave angle Beta and the deflection Teta (radians).
Downstream Şok_Gerisi_Akım_Özellikleri(double gama, double M1, double Beta, double Teta);

// The deflection (degrees) that the relation approaches for the wave angle BetaD as M1 grows without bound.
double limitingDeflection(double gama, double BetaD);

} // namespace oblique_shock
