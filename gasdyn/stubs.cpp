// Placeholders for the flows whose solvers are still being written; each refuses every question.
#include "flows.h"

namespace gasdyn::detail {

namespace {
Outcome notYet()
{
    return noSolution("this flow is not available yet");
}
} // namespace

Outcome solveIsentropic(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
Outcome solveNormalShock(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
Outcome solveRayleigh(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
Outcome solveFanno(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
Outcome solvePrandtlMeyer(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
} // namespace gasdyn::detail
