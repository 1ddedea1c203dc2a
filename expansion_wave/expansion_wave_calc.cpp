#include "expansion_wave_calc.h"

#include "isentropic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace expansion_wave {

namespace {

const double Pi = 4.0 * std::atan(1.0);
const double DegToRad = Pi / 180.0;

const common::Message tooLarge { "The value is too large to be calculated" };
const common::Message noSolution { "There is no solution for given M2" };

// The Prandtl-Meyer angle in radians of M >= 1.
double nuRadians(double Kpm, double M)
{
    const double s = std::sqrt(M * M - 1.0);
    return Kpm * std::atan(s / Kpm) - std::atan(s);
}

// A Mach number so large that its square overflows makes every ratio across the wave infinite.
bool squareOverflows(double M)
{
    return !std::isfinite(M * M);
}

// Sets the Mach number `mach` of the wave whose Prandtl-Meyer angle is Nu (degrees), with the iterations
// that found it, or gives the reason there is none. `which` names the angle in the refusal of a target
// beyond the largest angle.
std::optional<common::Message> solveMach(
    const Constants& c, double Nu, const char* which, Wave& wave, double Wave::*mach)
{
    const double largest = largestNu(c.Kpm);
    // Beyond the largest angle the iteration would grow without bound.
    if (!(Nu < largest))
        return common::Message { std::string(which) + " must be less than ", largest, " degrees for this gamma" };
    const MachSearch search = M_için_hesap(c.Kpm, Nu);
    wave.iteration = search.iteration;
    if (search.iteration.converged) {
        wave.*mach = search.iteration.value;
        return std::nullopt;
    }
    // The Newton iteration fell below Mach 1 or ran out of passes: its slope is exact only for gamma 1.4.
    // Below zero no Mach number has the angle; from zero up the root is found by a bracketed search.
    if (Nu < 0.0)
        return noSolution;
    const common::Iteration root = M_için_kök(c, Nu);
    if (!root.converged)
        return noSolution;
    wave.fallback = root;
    wave.*mach = root.value;
    return std::nullopt;
}

// The ratios across the wave for M1 and M2, or the overflow refusal.
common::Result<Wave> finish(const Constants& c, Wave wave)
{
    wave.T2T1 = (1.0 + c.Gm1b2 * (wave.M1 * wave.M1)) / (1.0 + c.Gm1b2 * (wave.M2 * wave.M2));
    wave.p2p1 = std::pow(wave.T2T1, c.GbGm1);
    for (double v : { wave.M1, wave.Teta, wave.M2, wave.Nu1, wave.Nu2, wave.p2p1, wave.T2T1 })
        if (!std::isfinite(v))
            return tooLarge;
    return wave;
}

} // namespace

Constants constantsFor(double gama)
{
    Constants c;
    c.gama = gama;
    c.Kpm = std::sqrt((gama + 1.0) / (gama - 1.0));
    c.Gm1b2 = (gama - 1.0) / 2.0;
    c.GbGm1 = gama / (gama - 1.0);
    return c;
}

double largestNu(double Kpm)
{
    return (Kpm - 1.0) * 90.0;
}

double Nu_için_hesap(const Constants& c, double M)
{
    return gasdyn::isentropic::prandtlMeyer(c.gama, M);
}

MachSearch M_için_hesap(double Kpm, double Nu)
{
    MachSearch search;
    const double t = Nu * DegToRad;
    double M = std::sqrt(2.5);
    for (int pass = 1; pass <= 50; ++pass) {
        search.iteration.passes = pass;
        if (M < 1.0) {
            search.ErrorCode = 1;
            break;
        }
        if (!std::isfinite(M))
            break;
        const double s = std::sqrt(M * M - 1.0);
        const double f = (Kpm * std::atan(s / Kpm) - std::atan(s)) - t;
        if (std::fabs(f) < 1e-5) {
            search.iteration.converged = true;
            break;
        }
        const double d = (s / M) / (1.0 + 0.2 * (M * M));
        if (!(d > 0.0))
            break; // a vanishing slope (an iterate of exactly Mach 1) gives no step
        M = M - f / d;
    }
    search.iteration.value = M;
    return search;
}

common::Iteration M_için_kök(const Constants& c, double Nu)
{
    const double t = Nu * DegToRad;
    common::Iteration it;
    // Bracket the root: nu rises from 0 at Mach 1 towards its largest value as M grows.
    double lo = 1.0;
    double hi = 2.0;
    while (nuRadians(c.Kpm, hi) < t && hi < 1e150) {
        lo = hi;
        hi *= 2.0;
    }
    // Angles of a gas just above gamma 1 run to 1e8 radians and more, where doubles lie further apart
    // than 1e-9: the residual is then met within a few roundings of the angle.
    const double tolerance = std::max(1e-9, 16.0 * std::numeric_limits<double>::epsilon() * (std::fabs(t) + 0.5 * Pi));
    double M = nuRadians(c.Kpm, lo) - t >= 0.0 ? lo : 0.5 * (lo + hi);
    for (int pass = 1; pass <= 400; ++pass) {
        it.passes = pass;
        const double f = nuRadians(c.Kpm, M) - t;
        if (std::fabs(f) < tolerance) {
            it.converged = true;
            break;
        }
        if (f < 0.0)
            lo = M;
        else
            hi = M;
        const double s = std::sqrt(M * M - 1.0);
        const double slope = s / (M * (1.0 + c.Gm1b2 * (M * M)));
        double next = slope > 0.0 ? M - f / slope : lo;
        if (!(next > lo && next < hi)) // outside the bracket: bisect instead
            next = hi / lo > 4.0 ? std::sqrt(lo * hi) : 0.5 * (lo + hi);
        if (next == M)
            break;
        M = next;
    }
    it.value = M;
    return it;
}

common::Result<Wave> findM1(double gama, double M2, double Teta)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M2 > 1.0))
        return common::Message { "M2 must be greater than 1" };
    if (squareOverflows(M2))
        return tooLarge;
    const Constants c = constantsFor(gama);
    Wave wave;
    wave.M2 = M2;
    wave.Teta = Teta;
    wave.Nu2 = Nu_için_hesap(c, M2);
    wave.Nu1 = wave.Nu2 - Teta;
    if (auto refusal = solveMach(c, wave.Nu1, "Nu1", wave, &Wave::M1))
        return *refusal;
    return finish(c, wave);
}

common::Result<Wave> findTeta(double gama, double M1, double M2)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M1 > 1.0) || !(M2 > 1.0))
        return common::Message { "M1 and M2 must be greater than 1" };
    const Constants c = constantsFor(gama);
    Wave wave;
    wave.M1 = M1;
    wave.M2 = M2;
    wave.Nu1 = Nu_için_hesap(c, M1);
    wave.Nu2 = Nu_için_hesap(c, M2);
    wave.Teta = wave.Nu2 - wave.Nu1;
    return finish(c, wave);
}

common::Result<Wave> findM2(double gama, double M1, double Teta)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M1 > 1.0))
        return common::Message { "M1 must be greater than 1" };
    if (squareOverflows(M1))
        return tooLarge;
    const Constants c = constantsFor(gama);
    Wave wave;
    wave.M1 = M1;
    wave.Teta = Teta;
    wave.Nu1 = Nu_için_hesap(c, M1);
    wave.Nu2 = wave.Nu1 + Teta;
    if (auto refusal = solveMach(c, wave.Nu2, "Nu2", wave, &Wave::M2))
        return *refusal;
    return finish(c, wave);
}

} // namespace expansion_wave
