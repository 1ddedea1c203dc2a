// Fanno flow (friction in a constant-area duct): every quantity from M, and M from each of them.
#include "isentropic.h"
#include "numerics.h"

namespace gasdyn::detail {

namespace {

struct Fanno {
    double g;

    // 4fL*/D = (1 - M^2)/(g M^2) + (g+1)/(2g) ln((g+1) M^2 / (2 + (g-1) M^2)): zero at Mach 1 to second order
    // in u = M^2 - 1, a power series for |u| < 0.1.
    double friction(double M) const
    {
        const double u = (M - 1.0) * (M + 1.0);
        if (std::fabs(u) < 0.1) {
            const double logB = std::log((g - 1.0) / (g + 1.0));
            return alternatingSeries(
                u, 2, [&](int n) { return -(g + 1.0) * std::expm1(n * logB) / (2.0 * g * n) - 1.0 / g; });
        }
        const double y = 1.0 / (M * M);
        return (y - 1.0) / g + (g + 1.0) / (2.0 * g) * std::log((g + 1.0) / ((g - 1.0) + 2.0 * y));
    }
    double largestFriction() const { return (g + 1.0) / (2.0 * g) * std::log((g + 1.0) / (g - 1.0)) - 1.0 / g; }
};

} // namespace

Outcome solveFanno(double g, const InputKind& kind, std::array<double, 2> values, Branch branch)
{
    const Fanno flow { g };
    const double v = values[0];
    const double c = 0.5 * (g - 1.0);
    double M = 1.0;
    Method method = closedForm();
    Branch answered = Branch::None;
    // The inputs with two branches meet at Mach 1 when v is `meeting`.
    auto twoBranches = [&](double meeting) { return v == meeting ? 0 : branch == Branch::None ? 1 : 2; };
    switch (kind.first) {
    case 0:
        if (!(v > 0.0))
            return noSolution("M must be above 0");
        M = v;
        break;
    case 1: {
        if (!(v >= 0.0))
            return noSolution("4fL*/D must be 0 or more");
        const double largest = flow.largestFriction();
        if (branch == Branch::Sup && !(v < largest))
            return noSolution("4fL*/D must be below " + formatNumber(largest) + " on the sup branch");
        const int state = twoBranches(0.0);
        answered = branch;
        if (state == 0)
            break;
        if (state == 1)
            return missingBranch(Flow::Fanno, kind);
        auto f = [&](double m) { return flow.friction(m) - v; };
        Root root { 1.0, 0 };
        if (branch == Branch::Sub) {
            // Below Mach 1: (1/x - 1)/g - (g+1)/g (1/sqrt(x) - 1) <= 4fL*/D <= (1 - x)/(g x), x = M^2.
            const double s = 0.5 * ((g + 1.0) + std::sqrt((g - 1.0) * (g - 1.0) + 4.0 * g * v));
            root = toms748(f, 1.0 / s, std::sqrt(1.0 / (1.0 + g * v)));
        } else {
            // Above Mach 1, with w = 1/M^2: largest - 2w/(g(g-1)) <= 4fL*/D <= largest - w/g^2.
            const double gap = largest - v;
            const double lo = 1.0 / std::sqrt(std::min(1.0, g * g * gap));
            const double hi = std::sqrt(2.0 / (g * (g - 1.0) * gap));
            if (!(lo < 1e150))
                return overflow();
            root = toms748(f, lo, std::min(std::max(lo, hi), 1e150));
        }
        M = root.x;
        method = toms748Method(root.passes);
        break;
    }
    case 2:
        if (!(v > 0.0 && v < 1.0 + c))
            return noSolution("T/T* must be above 0 and below " + formatNumber(1.0 + c));
        M = std::sqrt(1.0 + (1.0 + c) * (1.0 - v) / (c * v));
        break;
    case 3: {
        if (!(v > 0.0))
            return noSolution("p/p* must be above 0");
        // (p/p*)^2 = (1+c)/(x (1 + c x)): c x^2 + x - (1+c)/(p/p*)^2 = 0 in x = M^2.
        const double iw = v * v / (1.0 + c);
        M = v == 1.0 ? 1.0 : std::sqrt(2.0 / (iw + std::sqrt(iw * iw + 4.0 * c * iw)));
        break;
    }
    case 4:
    case 6: {
        const double limit = std::sqrt((1.0 + c) / c);
        if (kind.first == 4 && !(v > 1.0 / limit))
            return noSolution("rho/rho* must be above " + formatNumber(1.0 / limit));
        if (kind.first == 6 && !(v > 0.0 && v < limit))
            return noSolution("V/V* must be above 0 and below " + formatNumber(limit));
        const double V = kind.first == 4 ? 1.0 / v : v;
        M = V / std::sqrt(1.0 + c * (1.0 - V) * (1.0 + V));
        break;
    }
    case 5:
    case 7: {
        const char* name = kind.first == 5 ? "p0/p0* must be 1 or more" : "(s*-s)/R must be 0 or more";
        const double lnA = kind.first == 5 ? std::log(v) : v;
        if (!(lnA >= 0.0) || (kind.first == 5 && !(v >= 1.0)))
            return noSolution(name);
        const int state = twoBranches(kind.first == 5 ? 1.0 : 0.0);
        answered = branch;
        if (state == 0)
            break;
        if (state == 1)
            return missingBranch(Flow::Fanno, kind);
        const Root root = machFromLogAreaRatio(g, lnA, branch);
        M = root.x;
        method = toms748Method(root.passes);
        break;
    }
    default:
        break;
    }
    if (!std::isfinite(M) || !(M > 0.0))
        return overflow();
    const double T = isentropic::sonicTemperatureRatio(g, M);
    const double V = isentropic::characteristicMach(g, M);
    const double lnA = isentropic::logAreaRatio(g, M);
    return finish({ M, flow.friction(M), T, std::sqrt(T) / M, 1.0 / V, std::exp(lnA), V, lnA }, answered, method);
}

} // namespace gasdyn::detail
