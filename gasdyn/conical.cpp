// The conical shock: the Taylor-Maccoll equation integrated with a controlled Dormand-Prince stepper from the
// oblique-shock jump at the wave angle inward to the cone surface, the largest cone angle by Brent's method and
// the wave angle of a given cone by TOMS 748 between the Mach angle and the wave angle of the largest cone.
#include "conical.h"

#include "flows.h"
#include "isentropic.h"
#include "oblique.h"

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/roots.hpp>
#include <boost/numeric/odeint.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace gasdyn::conical {

namespace {

namespace odeint = boost::numeric::odeint;

// (V_r, V_theta, d): the velocity components along and normal to the rays, in units of the speed of sound just
// behind the shock, and d = M2^2 - V^2, whose integral gives the speed of sound a^2 = 1 + (gamma-1)/2 d
// without the cancellation of 1 - V^2/Vmax^2 at high Mach numbers.
using State = std::array<double, 3>;

struct TaylorMaccoll {
    double gamma;
    double beta;
    // The independent variable is phi = beta - theta, growing from the shock towards the cone.
    void operator()(const State& x, State& dxdphi, double phi) const
    {
        const double theta = beta - phi;
        const double vr = x[0];
        const double vt = x[1];
        const double a2 = 1.0 + (gamma - 1.0) / 2.0 * x[2];
        const double cot = std::cos(theta) / std::sin(theta);
        const double dvt = (vt * vt * vr - a2 * (2.0 * vr + vt * cot)) / (a2 - vt * vt);
        dxdphi[0] = -vt;
        dxdphi[1] = -dvt;
        dxdphi[2] = 2.0 * vt * (vr + dvt);
    }
};

constexpr int kMaxSteps = 100000;

} // namespace

Surface surface(double gamma, double M1, double beta, double relTol)
{
    const double s = std::sin(beta);
    const double c = std::cos(beta);
    const oblique::Jump jump = oblique::jump(gamma, M1, s, c);
    const TaylorMaccoll system { gamma, beta };
    State x { M1 * c / std::sqrt(jump.T), -jump.Mn2, 0.0 };
    auto stepper = odeint::make_controlled(relTol * 1e-3, relTol, odeint::runge_kutta_dopri5<State>());
    double phi = 0.0;
    double dphi = beta * 1e-3;
    Surface out;
    while (out.steps < kMaxSteps) {
        const State before = x;
        const double phiBefore = phi;
        if (stepper.try_step(system, x, phi, dphi) != odeint::success)
            continue;
        ++out.steps;
        const double a2 = 1.0 + (gamma - 1.0) / 2.0 * x[2];
        if (!std::isfinite(x[1]) || !(a2 > x[1] * x[1]) || !(phi < beta))
            return out;
        if (x[1] < 0.0) {
            dphi = std::min(dphi, (beta - phi) / 2.0);
            continue;
        }
        // The surface lies within the last step: find the step length from the state before it that ends on
        // V_theta = 0, each trial one Dormand-Prince step.
        // (The derivative at the start is given: the stepper would otherwise reuse the last trial's end.)
        odeint::runge_kutta_dopri5<State> single;
        State slope {};
        system(before, slope, phiBefore);
        State trial {};
        State trialSlope {};
        const auto vtAfter = [&](double h) {
            single.do_step(system, before, slope, phiBefore, trial, trialSlope, h);
            return trial[1];
        };
        std::uintmax_t iterations = 100;
        const double fHi = x[1];
        const double fLo = before[1];
        double h = phi - phiBefore;
        if (fHi > 0.0) {
            const auto [a, b] = boost::math::tools::toms748_solve(vtAfter, 0.0, h, fLo, fHi,
                boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits - 3), iterations);
            h = a + (b - a) / 2.0;
        }
        vtAfter(h);
        out.steps += static_cast<int>(iterations);
        out.reached = true;
        out.thetaC = beta - (phiBefore + h);
        out.Tc = 1.0 + (gamma - 1.0) / 2.0 * trial[2];
        out.Mc = trial[0] / std::sqrt(out.Tc);
        return out;
    }
    return out;
}

Largest largest(double gamma, double M1)
{
    // A table of cone angles keeps M1 fixed: remember the last answer of this thread.
    thread_local double lastGamma = 0.0;
    thread_local double lastM1 = 0.0;
    thread_local Largest last {};
    if (gamma == lastGamma && M1 == lastM1)
        return { last.thetaC, last.beta, 0 };

    int steps = 0;
    const auto negativeCone = [&](double beta) {
        const Surface found = surface(gamma, M1, beta, 1e-10);
        steps += found.steps;
        return found.reached ? -found.thetaC : 0.0;
    };
    std::uintmax_t iterations = 200;
    const auto [beta, value] = boost::math::tools::brent_find_minima(negativeCone, oblique::machAngle(M1),
        std::numbers::pi / 2.0, std::numeric_limits<double>::digits / 2, iterations);
    // The cone angle itself from one integration at the full tolerance.
    const Surface top = surface(gamma, M1, beta);
    last = { top.reached ? top.thetaC : -value, beta, steps + top.steps };
    lastGamma = gamma;
    lastM1 = M1;
    return last;
}

} // namespace gasdyn::conical

namespace gasdyn::detail {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kRadians = std::numbers::pi / 180.0;

enum Q { M1, ThetaC, Beta, Mc, M2, Pc, Tc, Rhoc, P0, ThetaCMax };

std::string fmt(double value)
{
    return formatNumber(value);
}

Outcome fill(double gamma, double m1, double beta, double thetaCDeg, const conical::Surface& cone,
    const conical::Largest& top, Method method, std::optional<double> betaDeg = std::nullopt)
{
    const oblique::Jump jump = oblique::jump(gamma, m1, std::sin(beta), std::cos(beta));
    Solution out;
    out.values[M1] = m1;
    out.values[ThetaC] = thetaCDeg;
    out.values[Beta] = betaDeg ? *betaDeg : beta * kDegrees;
    out.values[Mc] = cone.Mc;
    out.values[M2] = jump.M2;
    out.values[Pc] = jump.p * std::pow(cone.Tc, gamma / (gamma - 1.0));
    out.values[Tc] = jump.T * cone.Tc;
    out.values[Rhoc] = jump.rho * std::pow(cone.Tc, 1.0 / (gamma - 1.0));
    out.values[P0] = jump.p0;
    out.values[ThetaCMax] = top.thetaC * kDegrees;
    for (const auto& value : out.values) {
        if (value && !std::isfinite(*value))
            return overflow();
    }
    out.method = method;
    return out;
}

// The cone of a Mach wave: zero half-angle, the free stream everywhere.
Outcome machCone(double gamma, double m1, const conical::Largest& top)
{
    conical::Surface cone;
    cone.reached = true;
    cone.Mc = m1;
    return fill(gamma, m1, oblique::machAngle(m1), 0.0, cone, top, { "closed form", 0 }, isentropic::machAngle(m1));
}

} // namespace

Outcome solveConicalShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch)
{
    const double m1 = values[0];
    if (!(m1 > 1.0))
        return noSolution("M1 must be above 1");
    const conical::Largest top = conical::largest(gamma, m1);
    const double mu = oblique::machAngle(m1);

    if (kind.second == Beta) {
        const double betaDeg = values[1];
        const double beta = betaDeg * kRadians;
        if (!(beta >= mu && beta <= top.beta))
            return noSolution("beta " + fmt(betaDeg) + " is not between the Mach angle " + fmt(mu * kDegrees)
                + " degrees and the wave angle of the largest cone angle " + fmt(top.beta * kDegrees)
                + " degrees for M1 " + fmt(m1));
        if (beta == mu)
            return machCone(gamma, m1, top);
        const conical::Surface cone = conical::surface(gamma, m1, beta);
        if (!cone.reached)
            return noSolution(
                "the conical flow for M1 " + fmt(m1) + " and beta " + fmt(betaDeg) + " does not reach a cone surface");
        return fill(gamma, m1, beta, cone.thetaC * kDegrees, cone, top, { "Dormand-Prince", cone.steps });
    }

    const double thetaCDeg = values[1];
    if (thetaCDeg < 0.0)
        return noSolution("theta_c must be 0 or more");
    const double thetaCMax = top.thetaC * kDegrees;
    if (thetaCDeg > thetaCMax)
        return noSolution("theta_c " + fmt(thetaCDeg) + " is above the largest cone angle " + fmt(thetaCMax)
            + " degrees for M1 " + fmt(m1) + " (detached shock)");
    if (thetaCDeg == 0.0)
        return machCone(gamma, m1, top);
    const double thetaC = thetaCDeg * kRadians;
    int steps = top.steps;
    // The search asks the wave angle to 2^-40 (the cone's results to 1e-10 and better) from integrations good to
    // 1e-11; the answer comes from one integration at the full tolerance.
    const auto f = [&](double beta) {
        const conical::Surface cone = conical::surface(gamma, m1, beta, 1e-11);
        steps += cone.steps;
        return cone.thetaC - thetaC;
    };
    double beta = top.beta;
    if (thetaCDeg < thetaCMax) {
        std::uintmax_t iterations = 100;
        const auto [a, b] = boost::math::tools::toms748_solve(
            f, mu, top.beta, -thetaC, top.thetaC - thetaC, boost::math::tools::eps_tolerance<double>(40), iterations);
        beta = a + (b - a) / 2.0;
    }
    const conical::Surface cone = conical::surface(gamma, m1, beta);
    steps += cone.steps;
    return fill(gamma, m1, beta, thetaCDeg, cone, top, { "Dormand-Prince", steps });
}

} // namespace gasdyn::detail
