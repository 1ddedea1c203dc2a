// Placeholders for the flows whose solvers are still being written; each refuses every question.
#include "flows.h"

namespace gasdyn::detail {

namespace {
Outcome notYet()
{
    return noSolution("this flow is not available yet");
}
} // namespace

Outcome solveObliqueShock(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}
Outcome solveConicalShock(double, const InputKind&, std::array<double, 2>, Branch)
{
    return notYet();
}

} // namespace gasdyn::detail

namespace gasdyn::oblique {

double deflection(double, double, double)
{
    return 0.0;
}
Detachment detachment(double, double)
{
    return {};
}
double sonicBeta(double, double)
{
    return 0.0;
}

} // namespace gasdyn::oblique
