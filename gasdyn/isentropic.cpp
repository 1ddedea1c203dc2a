// The isentropic flow: every quantity from M, and M from each of them.
#include "isentropic.h"

#include "numerics.h"

#include <algorithm>
#include <numbers>
#include <utility>

namespace gasdyn::isentropic {

namespace {

double halfGm1(double g)
{
    return 0.5 * (g - 1.0);
}

// ln((1 + c M^2) / (1 + c)) with c = (gamma - 1) / 2: zero at Mach 1 exactly.
double logSonicTemperature(double g, double M)
{
    const double c = halfGm1(g);
    return std::log1p(c * (M - 1.0) * (M + 1.0) / (1.0 + c));
}

// The Prandtl-Meyer angle in radians from s = sqrt(M^2 - 1), with K = sqrt((g+1)/(g-1)).
double nuOfS(double g, double s, double K)
{
    if (s < 0.25) {
        // K atan(s/K) - atan(s) = sum over n >= 1 of (-1)^(n+1) (1 - r^n) s^(2n+1) / (2n+1), r = 1/K^2.
        const double logR = std::log((g - 1.0) / (g + 1.0));
        return s * detail::alternatingSeries(s * s, 1, [&](int n) { return -std::expm1(n * logR) / (2 * n + 1); });
    }
    return K * std::atan(s / K) - std::atan(s);
}

double nuOfS(double g, double s)
{
    return s < 0.25 ? nuOfS(g, s, 0.0) : nuOfS(g, s, std::sqrt((g + 1.0) / (g - 1.0)));
}

} // namespace

double temperatureRatio(double g, double M)
{
    return 1.0 / (1.0 + halfGm1(g) * M * M);
}

double pressureRatio(double g, double M)
{
    return std::exp(-g / (g - 1.0) * std::log1p(halfGm1(g) * M * M));
}

double densityRatio(double g, double M)
{
    return std::exp(-std::log1p(halfGm1(g) * M * M) / (g - 1.0));
}

double logAreaRatio(double g, double M)
{
    const double u = (M - 1.0) * (M + 1.0);
    if (std::fabs(u) < 0.1) {
        // e log1p(r u) - log1p(u) / 2 with r = (g-1)/(g+1), e r = 1/2: the first order cancels.
        const double logR = std::log((g - 1.0) / (g + 1.0));
        return detail::alternatingSeries(u, 2, [&](int n) { return std::expm1((n - 1) * logR) / (2.0 * n); });
    }
    return (g + 1.0) / (2.0 * (g - 1.0)) * logSonicTemperature(g, M) - std::log(M);
}

double areaRatio(double g, double M)
{
    return std::exp(logAreaRatio(g, M));
}

double sonicPressureRatio(double g, double M)
{
    return std::exp(-g / (g - 1.0) * logSonicTemperature(g, M));
}

double sonicTemperatureRatio(double g, double M)
{
    const double c = halfGm1(g);
    return 1.0 / (1.0 + c * (M - 1.0) * (M + 1.0) / (1.0 + c));
}

double sonicDensityRatio(double g, double M)
{
    return std::exp(-logSonicTemperature(g, M) / (g - 1.0));
}

double characteristicMach(double g, double M)
{
    if (M > 1e150) // the limit sqrt((g+1)/(g-1)); M^2 would overflow
        return std::sqrt((g + 1.0) / (g - 1.0));
    return M * std::sqrt(sonicTemperatureRatio(g, M));
}

double prandtlMeyerRadians(double g, double M)
{
    return nuOfS(g, std::sqrt((M - 1.0) * (M + 1.0)));
}

double prandtlMeyer(double g, double M)
{
    return prandtlMeyerRadians(g, M) * detail::kDegrees;
}

double prandtlMeyerDeficit(double g, double M)
{
    const double s = std::sqrt((M - 1.0) * (M + 1.0));
    if (s < 1.0)
        return largestTurningAngle(g) - prandtlMeyer(g, M);
    // nu_max - nu = K atan(K/s) - atan(1/s), small and exact where M is large.
    const double K = std::sqrt((g + 1.0) / (g - 1.0));
    return (K * std::atan(K / s) - std::atan(1.0 / s)) * detail::kDegrees;
}

double largestTurningAngle(double g)
{
    return 90.0 * (std::sqrt((g + 1.0) / (g - 1.0)) - 1.0);
}

double machAngle(double M)
{
    // cot(mu) = s. Near 30 degrees the angle is 30 plus the small difference from it, atan((sqrt 3 - s) /
    // (1 + sqrt 3 s)), with sqrt 3 in two doubles: the radians-to-degrees rounding then falls on the small
    // part only (Mach 2 gives 30 exactly), and the error over this band drops from 2.1 to 1.6 ulps.
    const double s = std::sqrt((M - 1.0) * (M + 1.0));
    if (s <= 1.0)
        return 90.0 - std::atan(s) * detail::kDegrees;
    if (s < 3.0) {
        constexpr double root3 = 1.7320508075688772;
        constexpr double root3Low = 1.0035084221806903e-16;
        return 30.0 + std::atan2((root3 - s) + root3Low, std::fma(root3, s, 1.0)) * detail::kDegrees;
    }
    return std::atan2(1.0, s) * detail::kDegrees;
}

} // namespace gasdyn::isentropic

namespace gasdyn::detail {

using namespace gasdyn::isentropic;

Root machFromPrandtlMeyerDeficit(double g, double deficit)
{
    // nu_max - nu = K atan(K tan mu) - mu rises from 0 at mu = 0 to nu_max at mu = 90 degrees, concave, with
    // slope (K^2 - 1) / (1 + K^2 tan^2 mu): solve for the Mach angle, which keeps full precision in
    // M = 1/sin(mu) far above Mach 1. Newton from deficit / (K^2 - 1), below the root by the concavity.
    const double K = std::sqrt((g + 1.0) / (g - 1.0));
    const double KK = K * K;
    const double target = deficit / kDegrees;
    const auto f = [&](double mu) { return K * std::atan(K * std::tan(mu)) - mu - target; };
    const auto fx = [&](double mu) {
        const double t = std::tan(mu);
        return std::pair(K * std::atan(K * t) - mu - target, (KK - 1.0) / (1.0 + KK * t * t));
    };
    const double hi = std::numbers::pi / 2.0;
    const Root root = newton(fx, f, std::min(target / (KK - 1.0), hi), 0.0, hi);
    return { 1.0 / std::sin(root.x), root.passes };
}

Root machFromPrandtlMeyer(double g, double nu)
{
    if (nu == 0.0)
        return { 1.0, 0 };
    const double largest = largestTurningAngle(g);
    if (nu > 0.5 * largest)
        return machFromPrandtlMeyerDeficit(g, largest - nu);
    // In s = sqrt(M^2 - 1), with r = 1/K^2: d nu / ds = (1 - r) s^2 / ((1 + r s^2)(1 + s^2)) <= (1 - r) s^2, so
    // s is at least cbrt(3 nu / (1 - r)), exact as nu vanishes; and the concave deficit puts the Mach angle
    // above (nu_max - nu) / (K^2 - 1), s below its cotangent.
    const double K = std::sqrt((g + 1.0) / (g - 1.0));
    const double r = 1.0 / (K * K);
    const double target = nu / kDegrees;
    const double lo = std::cbrt(3.0 * target / (1.0 - r));
    const double hi = std::max(lo, 1.0 / std::tan((largest - nu) / kDegrees / (K * K - 1.0)));
    const auto f = [&](double s) { return nuOfS(g, s) - target; };
    const auto fx = [&](double s) {
        const double ss = s * s;
        return std::pair(nuOfS(g, s) - target, (1.0 - r) * ss / ((1.0 + r * ss) * (1.0 + ss)));
    };
    const Root root = newton(fx, f, lo, lo, hi);
    return { std::sqrt(1.0 + root.x * root.x), root.passes };
}

namespace {

// The Mach number whose temperature ratio to a reference state has the logarithm lnTau: 1 + c M^2 =
// (1 + c M_ref^2) / tau. Reference at rest (sonic false): M^2 = expm1(-lnTau) / c; sonic reference:
// M^2 = 1 + (1 + c) / c expm1(-lnTau), exactly 1 at tau = 1.
double machFromLogTemperature(double g, double lnTau, bool sonic)
{
    const double c = 0.5 * (g - 1.0);
    const double e = std::expm1(-lnTau);
    if (!sonic)
        return std::sqrt(e / c);
    return std::sqrt(1.0 + (1.0 + c) / c * e);
}

} // namespace

Root machFromLogAreaRatio(double g, double lnA, Branch branch)
{
    const double c = 0.5 * (g - 1.0);
    const double e = (g + 1.0) / (2.0 * (g - 1.0));
    auto f = [&](double M) { return logAreaRatio(g, M) - lnA; };
    if (branch == Branch::Sub) {
        // (1+c)^-e / M <= A/A* <= 1/M below Mach 1.
        return toms748(f, std::exp(-e * std::log1p(c) - lnA), std::min(1.0, std::exp(-lnA)));
    }
    // M^(2/(g-1)) (c/(1+c))^e <= A/A* <= M^(2/(g-1)) above Mach 1.
    const double lo = std::max(1.0, std::exp(c * lnA));
    const double hi = std::exp(c * (lnA + e * std::log((1.0 + c) / c)));
    if (!std::isfinite(hi))
        return { hi, 0 };
    return toms748(f, lo, std::max(lo, hi));
}

namespace {

std::string bound(double value)
{
    return formatNumber(value);
}

} // namespace

namespace {

// Every quantity from M, each logarithm and power found once: with L = ln(1 + c M^2) and its sonic value
// L1 = ln(1 + c), rho/rho0 = exp(-L/(g-1)) and p/p0 = T/T0 rho/rho0; the starred ratios alike from L - L1
// (exactly 0 at Mach 1, where every starred ratio is exactly 1), V/a* = M sqrt(T/T*) and
// A/A* = 1 / (V/a* rho/rho*).
Outcome allFromMach(double g, double M, Branch answered, Method method)
{
    // The constants of the gas, kept for the last gamma of this thread (a table or a sweep keeps it).
    struct Gas {
        double g = 0.0, c = 0.0, b = 0.0, L1 = 0.0, K = 0.0;
    };
    thread_local Gas gas;
    if (gas.g != g)
        gas = { g, 0.5 * (g - 1.0), 1.0 / (g - 1.0), std::log1p(0.5 * (g - 1.0)), std::sqrt((g + 1.0) / (g - 1.0)) };
    const double c = gas.c;
    const double b = gas.b;
    const double x = M * M;
    const double L = std::log1p(c * x);
    const double T0 = 1.0 / (1.0 + c * x);
    const double rho0 = std::exp(-b * L);
    const double Ts = 1.0 / (1.0 + c * (M - 1.0) * (M + 1.0) / (1.0 + c));
    const double rhoS = std::exp(-b * (L - gas.L1));
    const double V = M > 1e150 ? gas.K : M * std::sqrt(Ts);
    // Where rho/rho* leaves the normal range the product would lose digits: the logarithm then.
    const double area = rhoS > 1e-290 && rhoS < 1e290 ? 1.0 / (V * rhoS) : areaRatio(g, M);
    std::optional<double> nu;
    std::optional<double> mu;
    if (M >= 1.0) {
        nu = nuOfS(g, std::sqrt((M - 1.0) * (M + 1.0)), gas.K) * kDegrees; // as prandtlMeyer(g, M)
        mu = machAngle(M);
    }
    return finish({ M, T0 * rho0, T0, rho0, area, Ts * rhoS, Ts, rhoS, V, nu, mu }, answered, method);
}

} // namespace

Outcome solveIsentropic(double g, const InputKind& kind, std::array<double, 2> values, Branch branch)
{
    const double v = values[0];
    const double c = 0.5 * (g - 1.0);
    const double numax = largestTurningAngle(g);
    double M = 0.0;
    Method method = closedForm();
    Branch answered = Branch::None;
    switch (kind.first) {
    case 0:
        if (!(v > 0.0))
            return noSolution("M must be above 0");
        M = v;
        break;
    case 1:
    case 2:
    case 3: {
        static constexpr const char* names[] = { "", "p/p0", "T/T0", "rho/rho0" };
        if (!(v > 0.0 && v < 1.0))
            return noSolution(std::string(names[kind.first]) + " must be above 0 and below 1");
        const double a = kind.first == 1 ? (g - 1.0) / g : kind.first == 2 ? 1.0 : g - 1.0;
        M = machFromLogTemperature(g, a * std::log(v), false);
        break;
    }
    case 4:
        if (!(v >= 1.0))
            return noSolution("A/A* must be 1 or more");
        if (v == 1.0) {
            M = 1.0;
            answered = branch;
            break;
        }
        if (branch == Branch::None)
            return missingBranch(Flow::Isentropic, kind);
        {
            const Root root = machFromLogAreaRatio(g, std::log(v), branch);
            M = root.x;
            method = toms748Method(root.passes);
            answered = branch;
        }
        break;
    case 5:
    case 6:
    case 7: {
        static constexpr const char* names[] = { "p/p*", "T/T*", "rho/rho*" };
        const double a = kind.first == 5 ? (g - 1.0) / g : kind.first == 6 ? 1.0 : g - 1.0;
        // The ratio at rest: ((g+1)/2)^(1/a).
        const double atRest = std::exp(std::log1p(c) / a);
        if (!(v > 0.0 && v < atRest))
            return noSolution(std::string(names[kind.first - 5]) + " must be above 0 and below " + bound(atRest));
        M = machFromLogTemperature(g, a * std::log(v), true);
        break;
    }
    case 8: {
        const double limit = std::sqrt((g + 1.0) / (g - 1.0));
        if (!(v > 0.0 && v < limit))
            return noSolution("V/a* must be above 0 and below " + bound(limit));
        M = v / std::sqrt(1.0 + c * (1.0 - v) * (1.0 + v));
        break;
    }
    case 9:
        if (!(v >= 0.0 && v < numax))
            return noSolution("nu must be 0 or more and below the largest turning angle " + bound(numax) + " degrees");
        if (v > 0.0) {
            const Root root = machFromPrandtlMeyer(g, v);
            M = root.x;
            method = newtonMethod(root.passes);
        } else {
            M = 1.0;
        }
        break;
    case 10:
        if (!(v > 0.0 && v <= 90.0))
            return noSolution("mu must be above 0 and at most 90 degrees");
        M = v == 90.0 ? 1.0 : 1.0 / std::sin(v / kDegrees);
        break;
    default:
        break;
    }
    if (!std::isfinite(M))
        return overflow();
    return allFromMach(g, M, answered, method);
}

} // namespace gasdyn::detail
