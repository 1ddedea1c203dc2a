// The jump across a normal shock in a perfect gas: the upstream Mach number M1, the downstream Mach
// number M2 and the pitot ratio Po2/P1 (total pressure behind the shock over static pressure ahead of
// it) from any one of them, with the static pressure, temperature, density and total pressure ratios.
#pragma once

#include "result.h"

#include <optional>

namespace normal_shock {

// Everything one press shows.
struct Shock {
    double M1 = 0.0;
    double M2 = 0.0;
    double P2P1 = 0.0; // p2/p1
    double T2T1 = 0.0; // T2/T1
    double Ro2Ro1 = 0.0; // rho2/rho1
    double Po2Po1 = 0.0; // Po2/Po1
    double Po2P1 = 0.0; // Po2/P1, recomputed from M1 when it was the input
    common::Iteration iteration {}; // the fixed-point iteration, when M1 came from Po2/P1
    // "iterasyon 50 adımda yakınsamadı" when the iteration ran out of passes; the press goes on, and the
    // window shows it after greying the M1 and M2 boxes and before writing them.
    std::optional<common::Message> notice {};
};

// Refusals of every entry: gamma not above 1 ("Gamma must be greater than 1") first, then the entry's
// own bound checks in the order listed, then a result that is not a finite number, or an intermediate
// (g M^2, Po1/P1, Po2/P2) whose overflow would falsify one ("The value is too large to be calculated").

// M1 >= 1, else "M1 must be equal or greater than 1".
common::Result<Shock> fromM1(double gama, double M1);
// M2 <= 1, else "M2 must be equal or lower than 1"; M2 > 0.3779, else "M2 must be greater than 0.3779";
// g M2^2 - (g - 1)/2 > 0 (M2 above the smallest downstream Mach number for this gamma), else
// "M2 must be greater than <smallestM2> for this gamma".
common::Result<Shock> fromM2(double gama, double M2);
// Po2/P1 >= 1.8929, else "Po2/P1 must be greater then 1.8929"; Po2/P1 at least the pitot ratio of Mach 1
// for this gamma less one part in 10^4, else "Po2/P1 must be equal or greater than <lowestPo2P1> for
// this gamma". Running out of passes is no refusal: it sets `notice`.
common::Result<Shock> fromPo2P1(double gama, double Po2P1);

// The jump ratios for a known pair of Mach numbers, used as passed (M2 is not recomputed from M1).
struct Ratios {
    double T2T1 = 0.0;
    double P2P1 = 0.0;
    double Po2P1 = 0.0;
    double Po2Po1 = 0.0;
    double Ro2Ro1 = 0.0;
    double E1 = 0.0; // Po1/P1, the isentropic stagnation ratio ahead of the shock
    double E2 = 0.0; // Po2/P2, behind it
};
Ratios oranlar(double gama, double M1, double M2);

// The Mach number on the other side of the shock, sqrt((1 + (g-1)/2 M^2) / (g M^2 - (g-1)/2)); the
// relation is its own inverse. Defined for g M^2 > (g - 1)/2.
double otherMach(double gama, double M);

// The smallest downstream Mach number, sqrt((g - 1) / (2 g)), reached as M1 grows without bound.
double smallestM2(double gama);
// The pitot ratio of Mach 1, ((g + 1) / 2)^(g / (g - 1)).
double sonicPitotRatio(double gama);
// The lowest accepted Po2/P1 for this gamma: the pitot ratio of Mach 1 less one part in 10^4.
double lowestPo2P1(double gama);

// The most passes of the iteration below.
inline constexpr int passLimit = 50;

// M1 from Po2/P1 by fixed-point iteration on the normal-shock pressure relation: start 1, stop when M1
// changes by less than 1e-5 between passes, at most 50 passes. The value is the last new estimate of
// M1, also when the passes ran out. For Po2/P1 from lowestPo2P1(gama) upwards.
common::Iteration iter_for_M1_for_Given_Po2P1(double gama, double Po2P1);

} // namespace normal_shock
