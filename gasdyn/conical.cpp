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
template <typename Real>
using StateOf = std::array<Real, 5>;

template <typename Real>
struct TaylorMaccoll {
    Real gamma;
    // The independent variable is phi = beta - theta, growing from the shock towards the cone.
    void operator()(const StateOf<Real>& x, StateOf<Real>& dxdphi, Real /*phi*/) const
    {
        const Real vr = x[0];
        const Real vt = x[1];
        const Real a2 = 1 + (gamma - 1) / 2 * x[2];
        const Real cot = x[4] / x[3];
        const Real dvt = (vt * vt * vr - a2 * (2 * vr + vt * cot)) / (a2 - vt * vt);
        dxdphi[0] = -vt;
        dxdphi[1] = -dvt;
        dxdphi[2] = 2 * vt * (vr + dvt);
        dxdphi[3] = -x[4];
        dxdphi[4] = x[3];
    }
};

constexpr int kMaxSteps = 100000;

// Whether a wave of angle beta is so close to the Mach wave (Mn1^2 - 1 below 1e-3) that its conical flow is
// integrated in extended precision.
bool nearMach(double M1, double beta)
{
    const double mn1 = M1 * std::sin(beta);
    return (mn1 - 1.0) * (mn1 + 1.0) < 1e-3;
}

// Integrates from the state just behind the shock to the surface, in the precision of Real.
template <typename Real>
Surface integrate(Real gamma, Real beta, StateOf<Real> x, Real relTol, Real firstStep)
{
    using State = StateOf<Real>;
    const TaylorMaccoll<Real> system { gamma };
    auto stepper = odeint::make_controlled(relTol * Real(1e-3), relTol, odeint::runge_kutta_dopri5<State, Real>());
    Real phi = 0;
    Real dphi = firstStep;
    Surface out;
    while (out.steps < kMaxSteps) {
        const State before = x;
        const Real phiBefore = phi;
        if (stepper.try_step(system, x, phi, dphi) != odeint::success)
            continue;
        ++out.steps;
        const Real a2 = 1 + (gamma - 1) / 2 * x[2];
        if (!std::isfinite(x[1]) || !(a2 > x[1] * x[1]) || !(phi < beta))
            return out;
        if (x[1] < 0) {
            dphi = std::min(dphi, (beta - phi) / 2);
            continue;
        }
        // The surface lies within the last step: find the step length from the state before it that ends on
        // V_theta = 0 by Newton's method, each trial one Dormand-Prince step whose end slope is the derivative.
        // (The derivative at the start is given: the stepper would otherwise reuse the last trial's end.)
        odeint::runge_kutta_dopri5<State, Real> single;
        State slope {};
        system(before, slope, phiBefore);
        State trial {};
        State trialSlope {};
        const Real span = phi - phiBefore;
        const Real fLo = before[1];
        const Real fHi = x[1];
        Real h = fHi > 0 ? span * fLo / (fLo - fHi) : span;
        const Real enough = std::max(4 * std::numeric_limits<Real>::epsilon(), relTol * Real(1e-3)) * span;
        int iterations = 0;
        while (iterations < 20) {
            single.do_step(system, before, slope, phiBefore, trial, trialSlope, h);
            ++iterations;
            const Real change = trial[1] / trialSlope[1];
            if (!(std::abs(change) > enough))
                break;
            h = std::clamp(h - change, Real(0), span);
        }
        out.steps += iterations;
        out.reached = true;
        out.thetaC = static_cast<double>(beta - (phiBefore + h));
        const Real tc = 1 + (gamma - 1) / 2 * trial[2];
        out.Tc = static_cast<double>(tc);
        out.Mc = static_cast<double>(trial[0] / std::sqrt(tc));
        return out;
    }
    return out;
}

} // namespace

Surface surface(double gamma, double M1, double beta, double relTol)
{
    // A first step that grows with the tolerance: a loose integration would otherwise spend its first steps growing.
    const double firstStep = beta * 1e-3 * std::max(1.0, std::pow(relTol * 1e12, 0.2));
    double s = 0.0;
    double c = 0.0;
    ::sincos(beta, &s, &c);
    if (!nearMach(M1, beta)) {
        const oblique::Jump jump = oblique::jump(gamma, M1, s, c);
        return integrate<double>(gamma, beta, { M1 * c / std::sqrt(jump.T), -jump.Mn2, 0.0, s, c }, relTol, firstStep);
    }
    // Near the Mach wave the flow departs from the free stream by about Mn1^2 - 1, which doubles would carry to
    // only 1e-16 of its size: the jump and the integration in extended precision, the Mach number of the
    // normal component by its excess over 1.
    // The integration's error grows like 1e-4 of the tolerance over Mn1^2 - 1: the tolerance shrinks with it.
    using Real = long double;
    const Real g = gamma;
    const Real sl = std::sin(static_cast<Real>(beta));
    const Real cl = std::cos(static_cast<Real>(beta));
    const Real m = M1;
    const Real excess = (m * sl - 1) * (m * sl + 1); // Mn1^2 - 1
    if (!(excess > 0))
        return {};
    const Real tol = std::max(Real(relTol) * std::min(Real(1), excess * Real(1e4)), Real(1e-18));
    const Real mn1sq = 1 + excess;
    const Real mn2sq = (1 + (g - 1) / 2 * mn1sq) / (g * mn1sq - (g - 1) / 2);
    const Real p = 1 + 2 * g / (g + 1) * excess;
    const Real rho = (g + 1) * mn1sq / ((g - 1) * mn1sq + 2);
    const Real t = p / rho;
    return integrate<Real>(g, beta, { m * cl / std::sqrt(t), -std::sqrt(mn2sq), 0, sl, cl }, tol, firstStep);
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
    // The cones of waves near the Mach wave, integrated in extended precision, are far below the peak: taken as 0.
    const auto cone = [&](double t, double relTol) {
        if (nearMach(M1, mu + t * span))
            return 0.0;
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

// The smallest distance of a wave angle from the Mach angle that is computed to 1e-8: the cone angle rises like
// the square root of the distance, so a wave angle rounded to a double moves it by a quarter of beta's last digit
// over the distance, which is kept below 3e-9; and the jump, whose strength Mn1^2 - 1 is about
// 2 cot(mu) (beta - mu), keeps a strength of at least 1e-9 for the extended-precision integration.
double smallestDistance(double mu)
{
    const double ulp = std::nextafter(mu, 2.0) - mu;
    return std::max(1e8 * ulp, 1e-9 / (2.0 / std::tan(mu)));
}

Outcome inaccurate(double m1, const std::string& what)
{
    return noSolution("the conical flow for M1 " + fmt(m1) + " and " + what + " could not be computed accurately");
}

} // namespace

Outcome solveConicalShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch)
{
    const double m1 = values[0];
    if (!(m1 > 1.0))
        return noSolution("M1 must be above 1");
    const conical::Largest top = conical::largest(gamma, m1);
    const double mu = oblique::machAngle(m1);
    const double closest = smallestDistance(mu);

    if (kind.second == Beta) {
        const double betaDeg = values[1];
        const double beta = betaDeg * kRadians;
        if (!(beta >= mu && beta <= top.beta))
            return noSolution("beta " + fmt(betaDeg) + " is not between the Mach angle " + fmt(mu * kDegrees)
                + " degrees and the wave angle of the largest cone angle " + fmt(top.beta * kDegrees)
                + " degrees for M1 " + fmt(m1));
        if (beta == mu)
            return machCone(gamma, m1, top);
        if (beta - mu < closest)
            return noSolution("beta " + fmt(betaDeg) + " is " + fmt(betaDeg - mu * kDegrees)
                + " degrees above the Mach angle " + fmt(mu * kDegrees) + " degrees for M1 " + fmt(m1)
                + ", too close to be computed accurately (at least " + fmt(closest * kDegrees) + " degrees)");
        const conical::Surface cone = conical::surface(gamma, m1, beta);
        if (!cone.reached)
            return noSolution(
                "the conical flow for M1 " + fmt(m1) + " and beta " + fmt(betaDeg) + " does not reach a cone surface");
        if (!(cone.Mc > 0.0) || !(cone.thetaC > 0.0))
            return inaccurate(m1, "beta " + fmt(betaDeg));
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
    // The search runs on u = sqrt(beta - mu), on which theta_c rises about linearly from the Mach cone, and asks u
    // to 2^-30 from integrations good to 1e-8 (of the shock's strength near the Mach wave); one Newton step from
    // an integration at the full tolerance takes it to the digits of the full tolerance. The step's slope is a
    // central difference of two more trials 1e-4 of the distance to the nearer end of the bracket apart; the same
    // trials give the slopes of the surface state, which carry the full integration's surface along a step below
    // 1e-7 of that distance (their own error of about 1e-4 and the curvature are then lost); a longer step ends on
    // one more integration.
    const auto trial = [&](double beta) {
        const conical::Surface cone = conical::surface(gamma, m1, beta, 1e-8);
        steps += cone.steps;
        return cone;
    };
    const auto waveAngle = [&](double u) { return mu + u * u; };
    const auto f = [&](double u) { return trial(waveAngle(u)).thetaC - thetaC; };
    double beta = top.beta;
    if (thetaCDeg < thetaCMax) {
        std::uintmax_t iterations = 100;
        const auto [a, b] = boost::math::tools::toms748_solve(f, 0.0, std::sqrt(top.beta - mu), -thetaC,
            top.thetaC - thetaC, boost::math::tools::eps_tolerance<double>(30), iterations);
        beta = waveAngle(a + (b - a) / 2.0);
        if (beta - mu < 2.0 * closest) {
            const conical::Surface least = conical::surface(gamma, m1, mu + closest);
            steps += least.steps;
            if (!least.reached || thetaC < least.thetaC)
                return noSolution("theta_c " + fmt(thetaCDeg) + " is too small to be computed accurately for M1 "
                    + fmt(m1) + " (at least " + fmt(least.thetaC * kDegrees) + " degrees)");
            beta = std::max(beta, mu + closest);
        }
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
                if (!(cone.Mc > 0.0))
                    return inaccurate(m1, "theta_c " + fmt(thetaCDeg));
                return fill(gamma, m1, next, thetaCDeg, cone, top, { "Dormand-Prince", steps });
            }
            beta = std::clamp(next, mu, top.beta);
        }
    }
    const conical::Surface cone = conical::surface(gamma, m1, beta);
    steps += cone.steps;
    // The wave angle found must give the cone back: a flow that misses the surface, or a cone angle off by more
    // than 1e-8 of itself, is refused rather than shown.
    if (!cone.reached || !(cone.Mc > 0.0) || !(std::abs(cone.thetaC - thetaC) <= 1e-8 * thetaC))
        return inaccurate(m1, "theta_c " + fmt(thetaCDeg));
    return fill(gamma, m1, beta, thetaCDeg, cone, top, { "Dormand-Prince", steps });
}

} // namespace gasdyn::detail
