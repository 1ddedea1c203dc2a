// Rayleigh flow (heat addition in a constant-area duct): every quantity from M, and M from each of them.
#include "numerics.h"

namespace gasdyn::detail {

namespace {

// ln(1 + a (M^2 - 1)) without overflow of M^2.
double log1pSquare(double a, double M)
{
    if (M > 1e100)
        return std::log(a) + 2.0 * std::log(M);
    return std::log1p(a * (M - 1.0) * (M + 1.0));
}

struct Rayleigh {
    double g;

    double pressureRatio(double M) const { return (1.0 + g) / (1.0 + g * M * M); }
    double velocityRatio(double M) const
    {
        return M > 1.0 ? (1.0 + g) / (1.0 / (M * M) + g) : (1.0 + g) * M * M / (1.0 + g * M * M);
    }
    // T0/T0* = 1 - w^2 with w = (1 - M^2)/(1 + g M^2), exactly 1 at Mach 1; the product form where w^2 is
    // near 1.
    double stagnationTemperatureRatio(double M) const
    {
        const double x = M * M;
        const double w = (1.0 - M) * (1.0 + M) / (1.0 + g * x);
        if (std::fabs(w) < 0.5)
            return (1.0 - w) * (1.0 + w);
        if (M <= 1.0)
            return (1.0 + g) * x * (2.0 + (g - 1.0) * x) / ((1.0 + g * x) * (1.0 + g * x));
        const double y = 1.0 / x;
        return (1.0 + g) * (2.0 * y + (g - 1.0)) / ((y + g) * (y + g));
    }
    double logStagnationPressureRatio(double M) const
    {
        return g / (g - 1.0) * log1pSquare((g - 1.0) / (g + 1.0), M) - log1pSquare(g / (1.0 + g), M);
    }
    // (s*-s)/R = (g+1)/(g-1) ln(1 + q u) - g/(g-1) ln(1 + u), u = M^2 - 1, q = g/(g+1); it vanishes to second
    // order at Mach 1: a power series for |u| < 0.1.
    double entropy(double M) const
    {
        const double u = (M - 1.0) * (M + 1.0);
        const double q = g / (g + 1.0);
        if (std::fabs(u) < 0.1) {
            return alternatingSeries(
                u, 2, [&](int n) { return g * std::expm1((n - 1) * std::log(q)) / (n * (g - 1.0)); });
        }
        return ((g + 1.0) * log1pSquare(q, M) - 2.0 * g * std::log(M)) / (g - 1.0);
    }
};

} // namespace

Outcome solveRayleigh(double g, const InputKind& kind, std::array<double, 2> values, Branch branch)
{
    const Rayleigh flow { g };
    const double v = values[0];
    double M = 1.0;
    Method method = closedForm();
    Branch answered = Branch::None;
    const double gg = g * g;
    switch (kind.first) {
    case 0:
        if (!(v > 0.0))
            return noSolution("M must be above 0");
        M = v;
        break;
    case 1: {
        if (!(v > 0.0 && v <= 1.0))
            return noSolution("T0/T0* must be above 0 and at most 1");
        if (v == 1.0) {
            answered = branch;
            break;
        }
        if (branch == Branch::None)
            return missingBranch(Flow::Rayleigh, kind);
        answered = branch;
        const double w = std::sqrt(1.0 - v);
        if (branch == Branch::Sub) {
            M = std::sqrt(v / ((1.0 + w) * (1.0 + g * w)));
            break;
        }
        const double limit = (gg - 1.0) / gg;
        if (!(v > limit))
            return noSolution("T0/T0* must be above " + formatNumber(limit) + " and at most 1 for the sup branch");
        // 1 - g^2 w^2 = g^2 T0/T0* - (g^2 - 1), which vanishes as M grows: g^2 carried in two doubles.
        const double ggLow = std::fma(g, g, -gg);
        const double gap = std::fma(gg, v, -(gg - 1.0)) + ggLow * (v - 1.0);
        M = std::sqrt((1.0 + w) * (1.0 + g * w) / gap);
        break;
    }
    case 2: {
        const double peak = (1.0 + g) * (1.0 + g) / (4.0 * g);
        if (!(v > 0.0 && v <= peak))
            return noSolution("T/T* must be above 0 and at most " + formatNumber(peak));
        // g^2 tau x^2 + (2 g tau - (1+g)^2) x + tau = 0 in x = M^2; its roots multiply to 1/g^2. Its
        // discriminant over (1+g)^2, (g-1)^2 - 4g (tau - 1), is found without rounding from the two products
        // split into doubles (g - 1 and tau - 1 are exact near the peak), so that it vanishes only at the peak.
        const double d = g - 1.0;
        const double square = d * d;
        const double product = 4.0 * g * (v - 1.0);
        const double disc = (square - product) + (std::fma(d, d, -square) - std::fma(4.0 * g, v - 1.0, -product));
        if (v == 1.0 && branch == Branch::High) {
            answered = branch;
            break; // Mach 1
        }
        // A T/T* within two ulps of the peak is the peak: the nearest double to it is that far from the
        // exact value, and the Mach number moves with the square root of the distance.
        if (!(disc > 8.0 * g * (std::nextafter(v, 2.0 * v) - v)) || v == peak) {
            M = 1.0 / std::sqrt(g);
            answered = branch;
            break;
        }
        if (branch == Branch::None)
            return missingBranch(Flow::Rayleigh, kind);
        answered = branch;
        const double sum = (1.0 + g) * (1.0 + g) - 2.0 * g * v + (1.0 + g) * std::sqrt(disc);
        M = branch == Branch::Low ? std::sqrt(2.0 * v / sum) : std::sqrt(sum / (2.0 * gg * v));
        break;
    }
    case 3:
        if (!(v > 0.0 && v < 1.0 + g))
            return noSolution("p/p* must be above 0 and below " + formatNumber(1.0 + g));
        M = std::sqrt(1.0 + (1.0 + g) * (1.0 - v) / (g * v));
        break;
    case 4: {
        const double limit = g / (1.0 + g);
        if (!(v > limit))
            return noSolution("rho/rho* must be above " + formatNumber(limit));
        M = std::sqrt(1.0 / (1.0 + (1.0 + g) * (v - 1.0)));
        break;
    }
    case 5: {
        if (!(v >= 1.0))
            return noSolution("p0/p0* must be 1 or more");
        if (v == 1.0) {
            answered = branch;
            break;
        }
        if (branch == Branch::None)
            return missingBranch(Flow::Rayleigh, kind);
        answered = branch;
        const double lnV = std::log(v);
        auto f = [&](double m) { return flow.logStagnationPressureRatio(m) - lnV; };
        Root root { 1.0, 0 };
        if (branch == Branch::Sub) {
            const double atRest = std::exp(flow.logStagnationPressureRatio(0.0));
            if (!(v < atRest))
                return noSolution("p0/p0* must be 1 or more and below " + formatNumber(atRest) + " for the sub branch");
            root = toms748(f, 0.0, 1.0);
        } else {
            // (1+g)/g x^(1/(g-1)) >= p0/p0* >= ((g-1)/(g+1))^(g/(g-1)) x^(1/(g-1)) above Mach 1, x = M^2.
            const double lo = std::max(1.0, std::exp(0.5 * (g - 1.0) * (lnV + std::log(g / (1.0 + g)))));
            const double hi = std::exp(0.5 * ((g - 1.0) * lnV + g * std::log((g + 1.0) / (g - 1.0))));
            if (!(lo < 1e150))
                return overflow();
            root = toms748(f, lo, std::min(std::max(lo, hi), 1e150));
        }
        M = root.x;
        method = toms748Method(root.passes);
        break;
    }
    case 6: {
        const double limit = (1.0 + g) / g;
        if (!(v > 0.0 && v < limit))
            return noSolution("V/V* must be above 0 and below " + formatNumber(limit));
        M = std::sqrt(v / (1.0 + g * (1.0 - v)));
        break;
    }
    case 7: {
        if (!(v >= 0.0))
            return noSolution("(s*-s)/R must be 0 or more");
        if (v == 0.0) {
            answered = branch;
            break;
        }
        if (branch == Branch::None)
            return missingBranch(Flow::Rayleigh, kind);
        answered = branch;
        auto f = [&](double m) { return flow.entropy(m) - v; };
        // With k2 = 2g/(g-1): below Mach 1, -k2 ln M - (g+1)/(g-1) ln(1+g) <= S <= -k2 ln M; above it,
        // 2/(g-1) ln M + (g+1)/(g-1) ln(g/(g+1)) <= S <= 2/(g-1) ln M.
        Root root { 1.0, 0 };
        if (branch == Branch::Sub) {
            const double lo = std::exp(-(v + (g + 1.0) / (g - 1.0) * std::log(1.0 + g)) * (g - 1.0) / (2.0 * g));
            const double hi = std::min(1.0, std::exp(-v * (g - 1.0) / (2.0 * g)));
            if (!(lo > 0.0))
                return noSolution("(s*-s)/R " + formatNumber(v) + " needs a Mach number below the smallest double");
            root = toms748(f, lo, std::max(lo, hi));
        } else {
            const double lo = std::exp(0.5 * (g - 1.0) * v);
            const double hi = std::exp(0.5 * (g - 1.0) * (v - (g + 1.0) / (g - 1.0) * std::log(g / (g + 1.0))));
            if (!(lo < 1e150))
                return overflow();
            root = toms748(f, lo, std::min(std::max(lo, hi), 1e150));
        }
        M = root.x;
        method = toms748Method(root.passes);
        break;
    }
    default:
        break;
    }
    if (!std::isfinite(M))
        return overflow();
    const double p = flow.pressureRatio(M);
    const double V = flow.velocityRatio(M);
    const double T = (M * p) * (M * p);
    return finish({ M, flow.stagnationTemperatureRatio(M), T, p, 1.0 / V, std::exp(flow.logStagnationPressureRatio(M)),
                      V, flow.entropy(M) },
        answered, method);
}

} // namespace gasdyn::detail
