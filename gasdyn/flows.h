// Inside the engine: each flow's solver, called by solve() once the common checks have passed, and the
// helpers they share for refusals.
#pragma once

#include "gasdyn.h"

#include <array>
#include <string>

namespace gasdyn::detail {

// Called with gamma finite and above 1, both values finite and in the kind's order (first, second; the
// second is 0 for a single input), and the branch one of the kind's branches, or None (the kind has none, or
// it needs one and none was given: the flow answers at the meeting point of its branches, or refuses with
// missingBranch).
Outcome solveIsentropic(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveNormalShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveRayleigh(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveFanno(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveObliqueShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveConicalShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solvePrandtlMeyer(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);
Outcome solveNozzle(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch);

// A number inside a message: at most 6 significant digits ("22.9735", "0.489796", "1e+20").
std::string formatNumber(double value);
// "A/A* needs a branch: sub or sup".
Refusal missingBranch(Flow flow, const InputKind& kind);
Refusal noSolution(std::string message);
// "the result is too large to be represented" (a result left the double range).
Refusal overflow();

} // namespace gasdyn::detail
