// Adiabatic flow with wall friction in a duct of constant area (Fanno flow), referred to the choking
// state M = 1: the friction parameter 4fL*/D and the ratios T/T*, p/p*, rho/rho*, Po/Po* of a Mach
// number, and the subsonic and supersonic Mach numbers that need a given 4fL*/D to choke.
#pragma once

#include "result.h"

#include <optional>

namespace fanno {

// The constants of the gas. `gama` must be greater than 1.
struct Constants {
    double gama = 0.0;
    double Gm1 = 0.0; // g - 1
    double Gp1 = 0.0; // g + 1
    double Gp1b2Gm1 = 0.0; // ((g + 1) / 2) / (g - 1)
    double Gp1b2G = 0.0; // ((g + 1) / 2) / g
};
Constants Sabitler(double gama);

// 4fL*/D = (1 - M^2) / (g M^2) + ((g + 1) / (2 g)) ln((g + 1) M^2 / (2 + (g - 1) M^2)), for M > 0.
// It is 0 at M = 1, falls with M below Mach 1 and rises with M above it.
double FLD4_for_M(const Constants& c, double M);

// The largest 4fL*/D of a supersonic flow, approached as M grows without bound:
// ((g + 1) / (2 g)) ln((g + 1) / (g - 1)) - 1 / g.
double largestSupersonicFLD4(const Constants& c);

// The ratios to the choking state, for M > 0.
struct Ratios {
    double TTstar = 0.0; // T/T*
    double PPstar = 0.0; // p/p*
    double RoRoStar = 0.0; // rho/rho*
    double PoPoStar = 0.0; // Po/Po*
};
Ratios oranlar(const Constants& c, double M);

// How the stepping search ended.
enum class Stop {
    WithinTolerance, // |4fL*/D(M) - target| < 1e-4: the value is the result
    AboveMach5, // not reversing and already above Mach 5: the search gives up
    AtMachZero, // the next step would reach Mach 0 or below, where nothing is defined
    PassesUsed, // 50 passes without meeting the tolerance
};

struct Stepping {
    common::Iteration iteration {}; // the last Mach number reached (where the search stopped)
    Stop stop = Stop::PassesUsed;
};

// The stepping search for the Mach number of a given 4fL*/D. It starts at 1 + yon * delM and moves by
// delM; whenever the target has been passed (yon * (4fL*/D(M) - target) > 0) the step is halved and
// reversed and yon flipped; otherwise above Mach 5 it gives up. At most 50 passes, tolerance 1e-4 in
// 4fL*/D. The subsonic search starts with delM = 0.5, yon = -1, the supersonic one with delM = 1,
// yon = +1. The result is the first iterate within the tolerance, not the exact root. Never evaluates
// at Mach 0 or below: it stops with Stop::AtMachZero instead.
Stepping iter_for_M_for_Given_FLD4(const Constants& c, double delM, int yon, double FLD4given);

// The subsonic root in (0, 1] of 4fL*/D(M) = target for a finite target >= 0, by bisection to 1e-9 in
// M. Not converged when the target is too large for 4fL*/D to be evaluated near the root.
common::Iteration subsonicRoot(const Constants& c, double FLD4given);
// The supersonic root in [1, inf) of 4fL*/D(M) = target for 0 <= target < largestSupersonicFLD4, by
// bisection to 1e-9 in M. Not converged when the root lies beyond Mach 1e150.
common::Iteration supersonicRoot(const Constants& c, double FLD4given);

// One Mach number found for a given 4fL*/D: the stepping search, and the bracketed root used in its
// place when the stepping did not meet its tolerance.
struct MachSolution {
    double M = 0.0;
    Stepping stepping {};
    std::optional<common::Iteration> bracketed {};
};

// Everything a press with an entered Mach number shows.
struct FromM {
    double M = 0.0;
    double FLD4 = 0.0;
    Ratios ratios {};
};

// Everything a press with an entered 4fL*/D shows. Without a supersonic solution `Msup` is empty and
// `notice` holds the message shown after the subsonic Mach number has been written.
struct FromFLD4 {
    double FLD4given = 0.0;
    MachSolution Msub {};
    std::optional<MachSolution> Msup {};
    std::optional<common::Message> notice {};
};

// Refusals of both entries, in order: gamma not above 1 ("Gamma must be greater than 1"); then the
// entry's own check; then a result that is not a finite number ("The value is too large to be
// calculated").

// M > 0, else " M must be greater then zero".
common::Result<FromM> fromM(double gama, double M);

// 4fL*/D >= 0, else "4fL*/D must be zero or greater". The stepping searches are tried first; a
// search that gives up (or would step to Mach 0) is replaced by the bracketed root. At or above the
// largest supersonic 4fL*/D there is no supersonic solution: notice "bu 4L*f/D için süpersonik çözüm
// yok". A supersonic root beyond Mach 1e150: notice "The value is too large to be calculated".
common::Result<FromFLD4> fromFLD4(double gama, double FLD4given);

} // namespace fanno
