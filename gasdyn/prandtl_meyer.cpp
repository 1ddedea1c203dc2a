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
            return noSolution(
                "M2 " + formatNumber(M2) + " is below M1 " + formatNumber(M1) + " (a smaller M2 is a compression)");
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
            // Far above Mach 1 the turn is found from the deficits, which keep the digits nu2 rounds away.
            const Root root = M1 > 2.0 ? machFromPrandtlMeyerDeficit(g, prandtlMeyerDeficit(g, M1) - theta)
                                       : machFromPrandtlMeyer(g, nu2);
            M2 = root.x;
            method = newtonMethod(root.passes);
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
        if (nu1 < 0.0 && nu1 >= -0x1p-50 * nu2) // theta is nu2 to rounding: M1 is 1
            nu1 = 0.0;
        if (!(nu1 >= 0.0))
            return noSolution("theta must be at most " + formatNumber(nu2) + " degrees for M2 " + formatNumber(M2)
                + " (M1 would be below 1)");
        if (theta == 0.0) {
            M1 = M2;
        } else {
            const Root root = M2 > 2.0 ? machFromPrandtlMeyerDeficit(g, prandtlMeyerDeficit(g, M2) + theta)
                                       : machFromPrandtlMeyer(g, nu1);
            M1 = std::max(1.0, root.x);
            method = newtonMethod(root.passes);
        }
    }
    if (!std::isfinite(M1) || !std::isfinite(M2))
        return overflow();
    // Across the wave the stagnation state holds: ratios of 1 + c M^2.
    const double c = 0.5 * (g - 1.0);
    const double lnT = log1p(c * M1 * M1) - log1p(c * M2 * M2);
    // The turn between two given Mach numbers: a difference of the deficits where both are supersonic
    // enough for nu to be near its largest value.
    const double theta = kind.first == 0 && kind.second == 1
        ? (M1 > 2.0 ? prandtlMeyerDeficit(g, M1) - prandtlMeyerDeficit(g, M2) : nu2 - nu1)
        : values[1];
    return finish({ M1, M2, theta, nu1, nu2, machAngle(M1), machAngle(M2), std::exp(g / (g - 1.0) * lnT),
                      (1.0 + c * M1 * M1) / (1.0 + c * M2 * M2), std::exp(lnT / (g - 1.0)) },
        Branch::None, method);
}

} // namespace gasdyn::detail
