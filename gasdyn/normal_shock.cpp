// The normal shock: every quantity from the upstream Mach number M1 >= 1, and M1 from each of them.
#include "numerics.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace gasdyn::detail {

namespace {

struct NormalShock {
    double g;

    // (s2 - s1)/R = [ln(p2/p1) - g ln(rho2/rho1)] / (g - 1), which vanishes to third order in u = M1^2 - 1:
    // a power series below u = 0.3.
    double entropy(double M) const
    {
        const double u = (M - 1.0) * (M + 1.0);
        const double a = 2.0 * g / (g + 1.0);
        const double b = (g - 1.0) / (g + 1.0);
        if (u < 0.3) {
            return alternatingSeries(
                u, 3, [&](int n) { return (std::pow(a, n) - g + g * std::pow(b, n)) / (n * (g - 1.0)); });
        }
        return (std::log1p(a * u) - g * std::log(densityRatio(M))) / (g - 1.0);
    }
    double pressureRatio(double M) const { return 1.0 + 2.0 * g / (g + 1.0) * (M - 1.0) * (M + 1.0); }
    double densityRatio(double M) const { return (g + 1.0) / ((g - 1.0) + 2.0 / (M * M)); }
    double downstreamMach(double M) const
    {
        const double c = 0.5 * (g - 1.0);
        const double y = 1.0 / (M * M);
        return std::sqrt((c + y) / (g - c * y));
    }
    // ln(p02/p1) = g/(g-1) ln(1 + c M1^2) - (s2-s1)/R.
    double logPitot(double M) const { return g / (g - 1.0) * std::log1p(0.5 * (g - 1.0) * M * M) - entropy(M); }
};

} // namespace

Outcome solveNormalShock(double g, const InputKind& kind, std::array<double, 2> values, Branch)
{
    const NormalShock shock { g };
    const double v = values[0];
    const double d = g - 1.0;
    double M = 1.0;
    Method method = closedForm();
    // The entropy rise s (>= 0) to find M1 by, for the inputs that give only it.
    auto fromEntropy = [&](double s) {
        // p02/p01 = (rho2/rho1)^(g/(g-1)) (p2/p1)^(-1/(g-1)) with 1 <= rho2/rho1 < (g+1)/(g-1) brackets
        // ln(p2/p1) between (g-1) s and g ln((g+1)/(g-1)) + (g-1) s.
        const double a = 2.0 * g / (g + 1.0);
        const double lo = std::sqrt(1.0 + std::expm1(d * s) / a);
        const double hi = std::sqrt(1.0 + std::expm1(g * std::log((g + 1.0) / d) + d * s) / a);
        if (!(lo < 1e150))
            return false;
        // Newton from the nearer of two starts exact at either end: s = k3 u^3 + ... near Mach 1 (u = M1^2 - 1)
        // and the upper bound, reached as M1 grows. ds/dM1 = 4g/(g-1) (M1/((g+1) p2/p1) - 1/(M1 (2 + (g-1)M1^2))).
        const double b = d / (g + 1.0);
        const double k3 = (a * a * a - g + g * b * b * b) / (3.0 * d);
        const double top = std::min(hi, 1e150);
        const double guess = std::clamp(std::sqrt(1.0 + std::cbrt(s / k3)), lo, top);
        const auto f = [&](double m) { return shock.entropy(m) - s; };
        const auto fx = [&](double m) {
            const double slope
                = 4.0 * g / d * (m / ((g + 1.0) * shock.pressureRatio(m)) - 1.0 / (m * (2.0 + d * m * m)));
            return std::pair(shock.entropy(m) - s, slope);
        };
        const Root root = newton(fx, f, guess, lo, top);
        M = root.x;
        method = newtonMethod(root.passes);
        return true;
    };
    switch (kind.first) {
    case 0:
        if (!(v >= 1.0))
            return noSolution("M1 must be 1 or more");
        M = v;
        break;
    case 1: {
        const double lowest = std::sqrt(0.5 * d / g);
        if (!(v > lowest && v <= 1.0))
            return noSolution("M2 must be above " + formatNumber(lowest) + " and at most 1");
        M = shock.downstreamMach(v); // the relation is its own inverse
        break;
    }
    case 2:
        if (!(v >= 1.0))
            return noSolution("p2/p1 must be 1 or more");
        M = std::sqrt(1.0 + (g + 1.0) / (2.0 * g) * (v - 1.0));
        break;
    case 3: {
        const double limit = (g + 1.0) / d;
        const double gap = 2.0 - d * (v - 1.0); // vanishes at the limit
        if (!(v >= 1.0 && gap > 0.0))
            return noSolution("rho2/rho1 must be 1 or more and below " + formatNumber(limit));
        M = std::sqrt(2.0 * v / gap);
        break;
    }
    case 4: {
        if (!(v >= 1.0))
            return noSolution("T2/T1 must be 1 or more");
        // 2g(g-1) x^2 + b x - 2(g-1) = 0 in x = M1^2, b = -2(g-1)^2 - (T2/T1 - 1)(g+1)^2 < 0.
        const double b = -2.0 * d * d - (v - 1.0) * (g + 1.0) * (g + 1.0);
        M = v == 1.0 ? 1.0 : std::sqrt((std::hypot(b, 4.0 * d * std::sqrt(g)) - b) / (4.0 * g * d));
        break;
    }
    case 5:
        if (!(v > 0.0 && v <= 1.0))
            return noSolution("p02/p01 must be above 0 and at most 1");
        if (v < 1.0 && !fromEntropy(-std::log(v)))
            return overflow();
        break;
    case 6: {
        const double sonic = std::exp(g / d * std::log1p(0.5 * d));
        // The sonic value is rounded: a value a few ulps below it is Mach 1.
        if (!(v >= sonic * (1.0 - 0x1p-50)))
            return noSolution("p02/p1 must be " + formatNumber(sonic) + " or more");
        if (v > sonic) {
            // sonic (2g/(g+1))^(-1/(g-1)) M1^2 <= p02/p1 <= sonic M1^2.
            const double lnV = std::log(v / sonic);
            const double lo = std::exp(0.5 * lnV);
            const double hi = std::exp(0.5 * (lnV + std::log(2.0 * g / (g + 1.0)) / d));
            if (!(lo < 1e150))
                return overflow();
            const double target = std::log(v);
            const Root root = toms748([&](double m) { return shock.logPitot(m) - target; }, lo, std::min(hi, 1e150));
            M = root.x;
            method = toms748Method(root.passes);
        }
        break;
    }
    case 7:
        if (!(v >= 0.0))
            return noSolution("(s2-s1)/R must be 0 or more");
        if (v > 0.0 && !fromEntropy(v))
            return overflow();
        break;
    default:
        break;
    }
    if (!std::isfinite(M))
        return overflow();
    const double s = shock.entropy(M);
    const double p = shock.pressureRatio(M);
    const double r = shock.densityRatio(M);
    return finish({ M, shock.downstreamMach(M), p, r, p / r, std::exp(-s), std::exp(shock.logPitot(M)), s },
        Branch::None, method);
}

} // namespace gasdyn::detail
