// The converging-diverging nozzle of exit-to-throat area ratio Ae/At (1: a converging nozzle) fed from a
// reservoir at p0, T0 and discharging into the back pressure pb: the flow regime, the throat and exit
// states, the normal shock where one stands in the diverging part, and the three critical back pressures.
#include "isentropic.h"
#include "numerics.h"

#include <cmath>

namespace gasdyn::detail {

namespace {

using namespace gasdyn::isentropic;

enum Regime { Subsonic, ShockInNozzle, Overexpanded, Design, Underexpanded };

// mdot sqrt(R T0) / (p0 A) at Mach M in a section of area A: sqrt(g) M (1 + c M^2)^(-(g+1)/(2(g-1))).
double massFlowParameter(double g, double M)
{
    const double c = 0.5 * (g - 1.0);
    return std::sqrt(g) * M * std::exp(-(g + 1.0) / (2.0 * (g - 1.0)) * std::log1p(c * M * M));
}

// The Mach number whose static-to-stagnation pressure ratio is r (0 < r <= 1): 1 + c M^2 = r^(-(g-1)/g).
double machFromPressure(double g, double r)
{
    return std::sqrt(std::expm1(-(g - 1.0) / g * std::log(r)) / (0.5 * (g - 1.0)));
}

// The subsonic Mach number on area ratio A/A* = exp(lnA); exactly 1 where lnA <= 0.
double subsonicMach(double g, double lnA)
{
    return lnA > 0.0 ? machFromLogAreaRatio(g, lnA, Branch::Sub).x : 1.0;
}

} // namespace

Outcome solveNozzle(double g, const InputKind&, std::array<double, 2> values, Branch)
{
    const double area = values[0];
    const double r = values[1];
    if (!(area >= 1.0))
        return noSolution("Ae/At must be 1 or more");
    if (!(r > 0.0 && r <= 1.0))
        return noSolution("pb/p0 must be above 0 and at most 1");

    const double lnArea = std::log(area);
    // The exit Mach numbers of the two isentropic flows that choke the throat, and the critical back pressures:
    // the subsonic exit, the supersonic exit with a normal shock standing in the exit plane, the design.
    int passes = 0;
    double subExit = 1.0;
    double supExit = 1.0;
    if (area > 1.0) {
        const Root sub = machFromLogAreaRatio(g, lnArea, Branch::Sub);
        const Root sup = machFromLogAreaRatio(g, lnArea, Branch::Sup);
        subExit = sub.x;
        supExit = sup.x;
        passes += sub.passes + sup.passes;
    }
    if (!std::isfinite(supExit))
        return overflow();
    const double pSub = pressureRatio(g, subExit);
    const double pDesign = pressureRatio(g, supExit);
    const double pExitShock
        = area > 1.0 ? pDesign * (1.0 + 2.0 * g / (g + 1.0) * (supExit - 1.0) * (supExit + 1.0)) : pSub;

    Regime regime = Subsonic;
    double Mt = 1.0;
    double Me = 0.0;
    double pe = r;
    double p0e = 1.0;
    std::optional<double> shockArea;
    std::optional<double> Ms1;
    std::optional<double> Ms2;
    if (r >= pSub) {
        // Isentropic and subsonic throughout, the exit at the back pressure; sonic throat at the critical ratio.
        if (r == pSub) {
            Me = subExit;
        } else if (r < 1.0) {
            Me = machFromPressure(g, r);
            Mt = area > 1.0 ? subsonicMach(g, logAreaRatio(g, Me) - lnArea) : Me;
            passes += area > 1.0 ? 1 : 0;
        } else {
            Mt = 0.0; // no flow
        }
    } else if (r >= pExitShock) {
        regime = ShockInNozzle;
        if (r == pExitShock) {
            Ms1 = supExit;
            shockArea = area;
        }
        // Behind the shock the flow is subsonic and isentropic at the lower stagnation pressure p0e, with
        // p0e Ae* = p0 At (the mass flow, T0 unchanged): (pe/p0e)(Ae/Ae*) = (pb/p0)(Ae/At) = q, and
        // (p/p0)(A/A*) = k / (M sqrt(1 + c M^2)) with k = (2/(g+1))^((g+1)/(2(g-1))), so that
        // M^2 (1 + c M^2) = (k/q)^2: a quadratic in M^2.
        const double c = 0.5 * (g - 1.0);
        const double k = std::exp((g + 1.0) / (2.0 * (g - 1.0)) * std::log(2.0 / (g + 1.0)));
        const double s = k / (r * area);
        const double ss = s * s;
        Me = std::sqrt(2.0 * ss / (1.0 + std::sqrt(1.0 + 4.0 * c * ss)));
        p0e = r / pressureRatio(g, Me);
        if (!Ms1) {
            // The shock's entropy rise -ln(p0e/p0) gives its upstream Mach number (the normal shock's own
            // bracketed inversion), and the supersonic area ratio of that Mach number places it.
            const double entropy = -std::log(r) - g / (g - 1.0) * std::log1p(c * Me * Me);
            const std::array given { Given { 7, entropy > 0.0 ? entropy : 0.0 } };
            const Outcome shock = solve(Flow::NormalShock, g, given);
            if (const auto* found = std::get_if<Solution>(&shock)) {
                Ms1 = valueOf(*found, 0);
                passes += found->method.passes;
            } else {
                return std::get<Refusal>(shock);
            }
            shockArea = areaRatio(g, *Ms1);
        }
        const double y = 1.0 / (*Ms1 * *Ms1);
        Ms2 = std::sqrt((c + y) / (g - c * y));
    } else {
        Me = supExit;
        pe = pDesign;
        regime = std::fabs(r - pDesign) <= 1e-12 * pDesign ? Design : r > pDesign ? Overexpanded : Underexpanded;
    }
    const Method method = passes > 0 ? toms748Method(passes) : closedForm();
    return finish({ area, r, static_cast<double>(regime), Mt, Me, pe, temperatureRatio(g, Me), p0e, shockArea, Ms1, Ms2,
                      pSub, pExitShock, pDesign, massFlowParameter(g, Mt) },
        Branch::None, method);
}

} // namespace gasdyn::detail
