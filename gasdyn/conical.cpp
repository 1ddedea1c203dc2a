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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

namespace gasdyn::conical {

namespace {

namespace odeint = boost::numeric::odeint;

// (V_r, V_theta, d, sin theta, cos theta): the velocity components along and normal to the rays, in units of the
// speed of sound just behind the shock, and d = M2^2 - V^2, whose integral gives the speed of sound
// a^2 = 1 + (gamma-1)/2 d without the cancellation of 1 - V^2/Vmax^2 at high Mach numbers. The sine and cosine
// of the ray angle are integrated with them (a rotation, integrated as accurately as the flow), which spares a
// trigonometric call in each of the stepper's evaluations.
using State = std::array<double, 5>;

struct TaylorMaccoll {
    double gamma;
    // The independent variable is phi = beta - theta, growing from the shock towards the cone.
    void operator()(const State& x, State& dxdphi, double /*phi*/) const
    {
        const double vr = x[0];
        const double vt = x[1];
        const double a2 = 1.0 + (gamma - 1.0) / 2.0 * x[2];
        const double cot = x[4] / x[3];
        const double dvt = (vt * vt * vr - a2 * (2.0 * vr + vt * cot)) / (a2 - vt * vt);
        dxdphi[0] = -vt;
        dxdphi[1] = -dvt;
        dxdphi[2] = 2.0 * vt * (vr + dvt);
        dxdphi[3] = -x[4];
        dxdphi[4] = x[3];
    }
};

constexpr int kMaxSteps = 100000;

} // namespace

Surface surface(double gamma, double M1, double beta, double relTol)
{
    double s = 0.0;
    double c = 0.0;
    ::sincos(beta, &s, &c);
    const oblique::Jump jump = oblique::jump(gamma, M1, s, c);
    const TaylorMaccoll system { gamma };
    State x { M1 * c / std::sqrt(jump.T), -jump.Mn2, 0.0, s, c };
    auto stepper = odeint::make_controlled(relTol * 1e-3, relTol, odeint::runge_kutta_dopri5<State>());
    double phi = 0.0;
    // A first step that grows with the tolerance: a loose integration would otherwise spend its first steps growing.
    double dphi = beta * 1e-3 * std::max(1.0, std::pow(relTol * 1e12, 0.2));
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
        // V_theta = 0 by Newton's method, each trial one Dormand-Prince step whose end slope is the derivative.
        // (The derivative at the start is given: the stepper would otherwise reuse the last trial's end.)
        odeint::runge_kutta_dopri5<State> single;
        State slope {};
        system(before, slope, phiBefore);
        State trial {};
        State trialSlope {};
        const double span = phi - phiBefore;
        const double fLo = before[1];
        const double fHi = x[1];
        double h = fHi > 0.0 ? span * fLo / (fLo - fHi) : span;
        const double enough = std::max(4.0 * std::numeric_limits<double>::epsilon(), relTol * 1e-3) * span;
        int iterations = 0;
        while (iterations < 20) {
            single.do_step(system, before, slope, phiBefore, trial, trialSlope, h);
            ++iterations;
            const double change = trial[1] / trialSlope[1];
            if (!(std::abs(change) > enough))
                break;
            h = std::clamp(h - change, 0.0, span);
        }
        out.steps += iterations;
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

    // theta_c(beta) is flat at its peak: a search on integrations good to 1e-6 places the peak to about 1e-3 of
    // the span from the Mach angle to the normal shock, a parabola through integrations good to 1e-8 (4e-3 apart)
    // to about 1e-5, and one through integrations good to 1e-9 (1e-4 apart) to 1e-7, giving the largest cone
    // angle to second order.
    int steps = 0;
    const double mu = oblique::machAngle(M1);
    const double span = std::numbers::pi / 2.0 - mu;
    const auto cone = [&](double t, double relTol) {
        const Surface found = surface(gamma, M1, mu + t * span, relTol);
        steps += found.steps;
        return found.reached ? found.thetaC : 0.0;
    };
    std::uintmax_t iterations = 100;
    // Brent's method starts at the upper end of its interval: there the Mach wave, which costs one step, rather than
    // the normal shock, whose integration runs long to find no cone.
    const double t0 = 1.0
        - boost::math::tools::brent_find_minima(
            [&](double r) { return -cone(1.0 - r, 1e-6); }, 0.0, 1.0, 10, iterations)
              .first;
    // The vertex of the parabola through (t - d, t, t + d), and its height.
    const auto vertex = [](double t, double d, double fm, double f0, double fp) {
        const double curvature = fp - 2.0 * f0 + fm;
        const double shift = curvature < 0.0 ? std::clamp(d * (fm - fp) / (2.0 * curvature), -d, d) : 0.0;
        return std::pair { t + shift, f0 + shift * (fp - fm) / (2.0 * d) + shift * shift * curvature / (2.0 * d * d) };
    };
    double d = std::min({ 4e-3, t0 / 2.0, (1.0 - t0) / 2.0 });
    auto [t1, top1] = vertex(t0, d, cone(t0 - d, 1e-8), cone(t0, 1e-8), cone(t0 + d, 1e-8));
    d = std::min({ 1e-4, t1 / 2.0, (1.0 - t1) / 2.0 });
    const auto [t2, top2] = vertex(t1, d, cone(t1 - d, 1e-9), cone(t1, 1e-9), cone(t1 + d, 1e-9));
    last = { top2, mu + t2 * span, steps };
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
    double s = 0.0;
    double c = 0.0;
    ::sincos(beta, &s, &c);
    const oblique::Jump jump = oblique::jump(gamma, m1, s, c);
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
    // The search asks the wave angle to 2^-30 from integrations good to 1e-8; one Newton step from an
    // integration at the full tolerance takes it to the digits of the full tolerance. The step's slope is a central
    // difference of two more trials 1e-4 of the distance to the nearer end of the bracket apart (theta_c rises like
    // a square root from the Mach cone); the same trials give the slopes of the surface state, which carry the full
    // integration's surface along a step below 1e-7 of that distance (their own error of about 1e-4 and the
    // curvature are then lost); a longer step ends on one more integration.
    const auto trial = [&](double beta) {
        const conical::Surface cone = conical::surface(gamma, m1, beta, 1e-8);
        steps += cone.steps;
        return cone;
    };
    const auto f = [&](double beta) { return trial(beta).thetaC - thetaC; };
    double beta = top.beta;
    if (thetaCDeg < thetaCMax) {
        std::uintmax_t iterations = 100;
        const auto [a, b] = boost::math::tools::toms748_solve(
            f, mu, top.beta, -thetaC, top.thetaC - thetaC, boost::math::tools::eps_tolerance<double>(30), iterations);
        beta = a + (b - a) / 2.0;
        const conical::Surface near = conical::surface(gamma, m1, beta);
        steps += near.steps;
        const double h = 1e-4 * std::min(beta - mu, top.beta - beta);
        const conical::Surface plus = trial(beta + h);
        const conical::Surface minus = trial(beta - h);
        const double slope = (plus.thetaC - minus.thetaC) / (2.0 * h);
        if (near.reached && plus.reached && minus.reached && slope > 0.0 && std::isfinite(slope)) {
            const double step = -(near.thetaC - thetaC) / slope;
            const double next = beta + step;
            if (std::abs(step) < 1e-3 * h) {
                conical::Surface cone = near;
                cone.thetaC = thetaC;
                cone.Mc += step * (plus.Mc - minus.Mc) / (2.0 * h);
                cone.Tc += step * (plus.Tc - minus.Tc) / (2.0 * h);
                return fill(gamma, m1, next, thetaCDeg, cone, top, { "Dormand-Prince", steps });
            }
            beta = std::clamp(next, mu, top.beta);
        }
    }
    const conical::Surface cone = conical::surface(gamma, m1, beta);
    steps += cone.steps;
    return fill(gamma, m1, beta, thetaCDeg, cone, top, { "Dormand-Prince", steps });
}

} // namespace gasdyn::detail
