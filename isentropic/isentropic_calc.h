// Isentropic flow of a perfect gas: the Mach number from one of five quantities, and the stagnation
// ratios, Prandtl-Meyer angle and Mach angle for it. Angles are in degrees.
#pragma once

#include "result.h"

#include <optional>

namespace isentropic {

// Everything one press shows.
struct Flow {
    double M = 0.0;
    double PoP = 0.0; // Po/P
    double ToT = 0.0; // To/T
    double RoR = 0.0; // rho_o/rho
    std::optional<double> nu; // Prandtl-Meyer angle, present when M >= 1
    std::optional<double> mu; // Mach angle, present when M >= 1
    common::Iteration iteration {}; // the Newton iteration, when the Mach number came from nu
};

// Refusals of every entry, after its own bound checks: gamma not above 1 ("Gamma must be greater than
// 1"), then a result that is not a finite number ("The value is too large to be calculated").

// M > 0, else "M must be greater then 0".
common::Result<Flow> fromM(double gama, double M);
// Po/P > 1, else "Po/P must be equal or greater then 1".
common::Result<Flow> fromPoP(double gama, double PoP);
// To/T > 1, else "To/T must be equal or greater then 1".
common::Result<Flow> fromToT(double gama, double ToT);
// 0 <= nu <= 90 degrees, else "Nu must be between 0 and 90 degrees"; then nu below the largest turning
// angle (K - 1) x 90 degrees, else "Nu must be less than <largest> degrees for this gamma".
common::Result<Flow> fromNu(double gama, double nu);
// 1 <= mu <= 90 degrees, else "Mu must be between 1 and 90 degrees".
common::Result<Flow> fromMu(double gama, double mu);

// The Prandtl-Meyer constant K = sqrt((g + 1) / (g - 1)).
double prandtlMeyerK(double gama);
// The Prandtl-Meyer angle in radians for M >= 1.
double prandtlMeyer(double K, double M);

// The Newton iteration for M from a Prandtl-Meyer angle in radians: start sqrt(2.5), stop when the
// residual is below 1e-6 radians, slope with the fixed coefficient 0.2, at most 100 passes. An iterate
// below Mach 1 ends it unconverged. Unconverged, the value is the last iterate.
common::Iteration machFromNu(double K, double target);

// The root of prandtlMeyer(K, M) = target for 0 <= target < (K - 1) pi / 2, by Newton's method with the
// exact slope safeguarded by bisection, to a residual below 1e-9 radians.
common::Iteration machFromNuExact(double gama, double target);

} // namespace isentropic
