#include "isentropic_calc.h"

#include "isentropic.h"

#include <cmath>

namespace isentropic {

namespace {

const double Pi = 4.0 * std::atan(1.0);
const common::Message tooLarge { "The value is too large to be calculated" };

common::Result<Flow> flowFor(double gama, double M, common::Iteration iteration = {})
{
    Flow flow;
    flow.M = M;
    flow.iteration = iteration;
    flow.ToT = 1.0 + ((gama - 1.0) / 2.0 * M) * M;
    flow.PoP = std::pow(flow.ToT, gama / (gama - 1.0));
    flow.RoR = std::pow(flow.ToT, 1.0 / (gama - 1.0));
    if (M > 1.0) {
        flow.nu = gasdyn::isentropic::prandtlMeyer(gama, M);
        const double q = 1.0 / M;
        flow.mu = (std::atan(q / std::sqrt(1.0 - q * q)) * 180.0) / Pi;
    } else if (M == 1.0) {
        flow.nu = 0.0;
        flow.mu = 90.0;
    }
    const bool finite = std::isfinite(flow.M) && std::isfinite(flow.ToT) && std::isfinite(flow.PoP)
        && std::isfinite(flow.RoR) && std::isfinite(flow.nu.value_or(0.0)) && std::isfinite(flow.mu.value_or(0.0));
    if (!finite)
        return tooLarge;
    return flow;
}

} // namespace

double prandtlMeyerK(double gama)
{
    return std::sqrt((gama + 1.0) / (gama - 1.0));
}

double prandtlMeyer(double K, double M)
{
    const double s = std::sqrt(M * M - 1.0);
    return K * std::atan(s / K) - std::atan(s);
}

common::Result<Flow> fromM(double gama, double M)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M > 0.0))
        return common::Message { "M must be greater then 0" };
    return flowFor(gama, M);
}

common::Result<Flow> fromPoP(double gama, double PoP)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(PoP > 1.0))
        return common::Message { "Po/P must be equal or greater then 1" };
    // (Po/P)^((g-1)/g) - 1 by expm1 and log: the plain power loses every digit when gamma is near 1 and Po/P
    // near 1, and would give Mach 0 for a pressure ratio above 1.
    const double g = gama;
    return flowFor(gama, std::sqrt(std::expm1((g - 1.0) / g * std::log(PoP)) * 2.0 / (g - 1.0)));
}

common::Result<Flow> fromToT(double gama, double ToT)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(ToT > 1.0))
        return common::Message { "To/T must be equal or greater then 1" };
    return flowFor(gama, std::sqrt((ToT - 1.0) * 2.0 / (gama - 1.0)));
}

common::Result<Flow> fromNu(double gama, double nu)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(nu >= 0.0 && nu <= 90.0))
        return common::Message { "Nu must be between 0 and 90 degrees" };
    const double K = prandtlMeyerK(gama);
    const double largest = (K - 1.0) * 90.0;
    if (!(nu < largest))
        return common::Message { "Nu must be less than ", largest, " degrees for this gamma" };
    const double target = (Pi * nu) / 180.0;
    common::Iteration iteration = machFromNu(K, target);
    if (!iteration.converged) {
        const int documentedPasses = iteration.passes;
        iteration = machFromNuExact(gama, target);
        iteration.passes += documentedPasses;
    }
    return flowFor(gama, iteration.value, iteration);
}

common::Result<Flow> fromMu(double gama, double mu)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(mu >= 1.0 && mu <= 90.0))
        return common::Message { "Mu must be between 1 and 90 degrees" };
    return flowFor(gama, 1.0 / std::sin((Pi * mu) / 180.0));
}

common::Iteration machFromNu(double K, double target)
{
    common::Iteration it;
    double M = std::sqrt(2.5);
    for (int pass = 1; pass <= 100; ++pass) {
        it.passes = pass;
        if (!(M >= 1.0))
            break; // the square root below has no real value
        const double s = std::sqrt(M * M - 1.0);
        const double f = (K * std::atan(s / K) - std::atan(s)) - target;
        if (std::fabs(f) < 0.000001) {
            it.converged = true;
            break;
        }
        const double d = (s / M) / (1.0 + 0.2 * M * M);
        M = M - f / d;
    }
    it.value = M;
    return it;
}

common::Iteration machFromNuExact(double gama, double target)
{
    const double K = prandtlMeyerK(gama);
    const double c = (gama - 1.0) / 2.0;
    common::Iteration it;
    // Bracket the root: nu rises from 0 at Mach 1 towards its largest value as M grows.
    double lo = 1.0;
    double hi = 2.0;
    while (prandtlMeyer(K, hi) < target && hi < 1e150) {
        lo = hi;
        hi *= 2.0;
    }
    double M = 0.5 * (lo + hi);
    for (int pass = 1; pass <= 400; ++pass) {
        it.passes = pass;
        const double f = prandtlMeyer(K, M) - target;
        if (std::fabs(f) < 1e-9) {
            it.converged = true;
            break;
        }
        if (f < 0.0)
            lo = M;
        else
            hi = M;
        const double s = std::sqrt(M * M - 1.0);
        const double slope = s / (M * (1.0 + c * M * M));
        double next = M - f / slope;
        if (!(next > lo && next < hi)) // outside the bracket: bisect instead
            next = hi / lo > 4.0 ? std::sqrt(lo * hi) : 0.5 * (lo + hi);
        if (next == M)
            break;
        M = next;
    }
    it.value = M;
    return it;
}

} // namespace isentropic
