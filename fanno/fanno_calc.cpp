#include "fanno_calc.h"

#include <algorithm>
#include <cmath>

namespace fanno {

namespace {

const common::Message tooLarge { "The value is too large to be calculated" };
const common::Message noSupersonicSolution { "bu 4L*f/D için süpersonik çözüm yok" };

// Bisection of 4fL*/D(M) - target on [lo, hi], where `rising` tells whether 4fL*/D rises with M there,
// until the bracket is narrower than 1e-9 (relative to M below Mach 1, so that a very small subsonic
// Mach number keeps its digits) or can no longer be split in double precision.
common::Iteration bisect(const Constants& c, double lo, double hi, bool rising, double FLD4given)
{
    common::Iteration it;
    for (int pass = 1; pass <= 2000; ++pass) {
        it.passes = pass;
        const double mid = 0.5 * (lo + hi);
        if (hi - lo <= 1e-9 * std::min(1.0, lo) || mid <= lo || mid >= hi) {
            it.value = mid;
            it.converged = true;
            return it;
        }
        const double diff = FLD4_for_M(c, mid) - FLD4given;
        if (!std::isfinite(diff))
            break;
        if ((diff < 0.0) == rising)
            lo = mid;
        else
            hi = mid;
    }
    it.value = 0.5 * (lo + hi);
    return it;
}

} // namespace

Constants Sabitler(double gama)
{
    Constants c;
    c.gama = gama;
    c.Gm1 = gama - 1.0;
    c.Gp1 = gama + 1.0;
    c.Gp1b2Gm1 = ((gama + 1.0) / 2.0) / (gama - 1.0);
    c.Gp1b2G = ((gama + 1.0) / 2.0) / gama;
    return c;
}

double FLD4_for_M(const Constants& c, double M)
{
    const double g = c.gama;
    const double m2 = M * M;
    const double a = 2.0 + (g - 1.0) * m2;
    const double L = c.Gp1b2G * std::log((g + 1.0) * m2 / a);
    return ((1.0 - m2) / g) / m2 + L;
}

double largestSupersonicFLD4(const Constants& c)
{
    return c.Gp1b2G * std::log(c.Gp1 / c.Gm1) - 1.0 / c.gama;
}

Ratios oranlar(const Constants& c, double M)
{
    const double g = c.gama;
    const double m2 = M * M;
    const double a = 2.0 + (g - 1.0) * m2;
    Ratios r;
    r.TTstar = (g + 1.0) / a;
    r.PPstar = std::sqrt(r.TTstar) / M;
    r.RoRoStar = (1.0 / std::sqrt(r.TTstar)) / M;
    // (a / (g + 1))^Gp1b2Gm1. For a gamma close to 1 the exponent is huge and a ratio formed first would
    // have lost the digits it raises (Po/Po* fell below 1), so the ratio is taken as 1 + d through
    // log1p, d = (g - 1)(M^2 - 1) / (g + 1) having all its digits. Only for a ratio at or below 1/2 (a
    // gamma of 3 or more, so an exponent of 1 or less) is it formed directly, where 1 + d would cancel.
    const double d = c.Gm1 * (m2 - 1.0) / c.Gp1;
    const double raised = d > -0.5 ? std::exp(c.Gp1b2Gm1 * std::log1p(d)) : std::pow(a / (g + 1.0), c.Gp1b2Gm1);
    r.PoPoStar = raised / M;
    return r;
}

Stepping iter_for_M_for_Given_FLD4(const Constants& c, double delM, int yon, double FLD4given)
{
    Stepping s;
    double M = 1.0 + yon * delM;
    for (int pass = 1; pass <= 50; ++pass) {
        s.iteration.passes = pass;
        const double diff = FLD4_for_M(c, M) - FLD4given;
        if (std::fabs(diff) < 0.0001) {
            s.iteration.converged = true;
            s.stop = Stop::WithinTolerance;
            break;
        }
        if (yon * diff > 0.0) {
            delM = -delM / 2.0;
            yon = -yon;
        } else if (M > 5.0) {
            s.stop = Stop::AboveMach5;
            break;
        }
        if (M + delM <= 0.0) {
            s.stop = Stop::AtMachZero;
            break;
        }
        M = M + delM;
    }
    s.iteration.value = M;
    return s;
}

common::Iteration subsonicRoot(const Constants& c, double FLD4given)
{
    // 4fL*/D falls from infinity at Mach 0 to 0 at Mach 1: halve the lower end until it lies above the
    // target.
    double lo = 0.5;
    double hi = 1.0;
    int halvings = 0;
    for (;;) {
        const double f = FLD4_for_M(c, lo);
        if (f > FLD4given)
            break;
        if (!std::isfinite(f) || ++halvings > 1100)
            return common::Iteration { lo, halvings, false };
        hi = lo;
        lo /= 2.0;
    }
    common::Iteration it = bisect(c, lo, hi, false, FLD4given);
    it.passes += halvings;
    return it;
}

common::Iteration supersonicRoot(const Constants& c, double FLD4given)
{
    // 4fL*/D rises from 0 at Mach 1 towards its largest value: double the upper end until it lies
    // above the target.
    double lo = 1.0;
    double hi = 2.0;
    int doublings = 0;
    while (!(FLD4_for_M(c, hi) > FLD4given)) {
        if (hi > 1e150)
            return common::Iteration { hi, doublings, false };
        lo = hi;
        hi *= 2.0;
        ++doublings;
    }
    common::Iteration it = bisect(c, lo, hi, true, FLD4given);
    it.passes += doublings;
    return it;
}

common::Result<FromM> fromM(double gama, double M)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M > 0.0))
        return common::Message { " M must be greater then zero" };
    const Constants c = Sabitler(gama);
    FromM result;
    result.M = M;
    result.FLD4 = FLD4_for_M(c, M);
    result.ratios = oranlar(c, M);
    const Ratios& r = result.ratios;
    if (!(std::isfinite(result.FLD4) && std::isfinite(r.TTstar) && std::isfinite(r.PPstar) && std::isfinite(r.RoRoStar)
            && std::isfinite(r.PoPoStar)))
        return tooLarge;
    return result;
}

common::Result<FromFLD4> fromFLD4(double gama, double FLD4given)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(FLD4given >= 0.0))
        return common::Message { "4fL*/D must be zero or greater" };
    if (!std::isfinite(FLD4given))
        return tooLarge;
    const Constants c = Sabitler(gama);
    FromFLD4 result;
    result.FLD4given = FLD4given;

    MachSolution& sub = result.Msub;
    sub.stepping = iter_for_M_for_Given_FLD4(c, 0.5, -1, FLD4given);
    sub.M = sub.stepping.iteration.value;
    if (sub.stepping.stop != Stop::WithinTolerance) {
        sub.bracketed = subsonicRoot(c, FLD4given);
        sub.M = sub.bracketed->value;
        if (!(sub.bracketed->converged && std::isfinite(sub.M) && sub.M > 0.0))
            return tooLarge;
    }

    MachSolution sup;
    sup.stepping = iter_for_M_for_Given_FLD4(c, 1.0, +1, FLD4given);
    sup.M = sup.stepping.iteration.value;
    if (sup.stepping.stop == Stop::WithinTolerance) {
        result.Msup = sup;
    } else if (FLD4given >= largestSupersonicFLD4(c)) {
        result.notice = noSupersonicSolution;
    } else {
        sup.bracketed = supersonicRoot(c, FLD4given);
        sup.M = sup.bracketed->value;
        if (sup.bracketed->converged && std::isfinite(sup.M))
            result.Msup = sup;
        else
            result.notice = tooLarge;
    }
    return result;
}

} // namespace fanno
