// The Prandtl-Meyer expansion: a supersonic stream turned by theta degrees away from itself, from two of
// M1, M2 and theta.
#include "isentropic.h"
#include "numerics.h"

namespace gasdyn::detail {

Outcome solvePrandtlMeyer(double g, const InputKind& kind, std::array<double, 2> values, Branch)
{
    using namespace gasdyn::isentropic;
    const double largest = largestTurningAngle(g);
    double M1 = 0.0;
    double M2 = 0.0;
    double nu1 = 0.0;
    double nu2 = 0.0;
    Method method = closedForm();
    auto mach = [](const char* name, double M) -> std::optional<Refusal> {
        if (!(M >= 1.0))
            return noSolution(std::string(name) + " must be 1 or more");
        return std::nullopt;
    };
    auto turning = [](double theta) -> std::optional<Refusal> {
        if (!(theta >= 0.0))
            return noSolution("theta must be 0 or more (an expansion)");
        return std::nullopt;
    };
    if (kind.first == 0 && kind.second == 1) {
        M1 = values[0];
        M2 = values[1];
        if (auto refusal = mach("M1", M1))
            return *refusal;
        if (auto refusal = mach("M2", M2))
            return *refusal;
        if (M2 < M1)
            return noSolution("M2 must be M1 " + formatNumber(M1) + " or more (a smaller M2 is a compression)");
        nu1 = prandtlMeyer(g, M1);
        nu2 = prandtlMeyer(g, M2);
    } else if (kind.first == 0) {
        M1 = values[0];
        const double theta = values[1];
        if (auto refusal = mach("M1", M1))
            return *refusal;
        if (auto refusal = turning(theta))
            return *refusal;
        nu1 = prandtlMeyer(g, M1);
        nu2 = nu1 + theta;
        if (!(nu2 < largest))
            return noSolution("theta must be below " + formatNumber(largest - nu1) + " degrees for M1 "
                + formatNumber(M1) + " (the largest turning angle is " + formatNumber(largest) + " degrees)");
        if (theta == 0.0) {
            M2 = M1;
        } else {
            const Root root = machFromPrandtlMeyer(g, nu2);
            M2 = root.x;
            method = toms748Method(root.passes);
        }
    } else {
        M2 = values[0];
        const double theta = values[1];
        if (auto refusal = mach("M2", M2))
            return *refusal;
        if (auto refusal = turning(theta))
            return *refusal;
        nu2 = prandtlMeyer(g, M2);
        nu1 = nu2 - theta;
        if (!(nu1 >= 0.0))
            return noSolution("theta must be at most " + formatNumber(nu2) + " degrees for M2 " + formatNumber(M2)
                + " (M1 would be below 1)");
        if (theta == 0.0) {
            M1 = M2;
        } else {
            const Root root = machFromPrandtlMeyer(g, nu1);
            M1 = root.x;
            method = toms748Method(root.passes);
        }
    }
    if (!std::isfinite(M1) || !std::isfinite(M2))
        return overflow();
    // Across the wave the stagnation state holds: ratios of 1 + c M^2.
    const double c = 0.5 * (g - 1.0);
    const double lnT = log1p(c * M1 * M1) - log1p(c * M2 * M2);
    const double theta = kind.first == 0 && kind.second == 1 ? nu2 - nu1 : values[1];
    return finish({ M1, M2, theta, nu1, nu2, machAngle(M1), machAngle(M2), std::exp(g / (g - 1.0) * lnT),
                      (1.0 + c * M1 * M1) / (1.0 + c * M2 * M2), std::exp(lnT / (g - 1.0)) },
        Branch::None, method);
}

} // namespace gasdyn::detail
