#include "rayleigh_calc.h"

#include <cfloat>
#include <cmath>

namespace rayleigh {

namespace {

const common::Message tooLarge { "The value is too large to be calculated" };

// Below this a the subsonic root is taken in the form free of cancellation.
constexpr double smallA = 1e-3;
// The largest rounding error of a shown supersonic root, a half unit of its fifth decimal.
constexpr double largestMsupError = 5e-7;
// Above this exponent g / (g - 1) (gamma below about 1.001) the power in Po/Po* is taken through log1p.
constexpr double largeExponent = 1e3;

} // namespace

double lowestToToStarForSupersonic(double gama)
{
    return (gama - 1.0) * (gama + 1.0) / (gama * gama);
}

common::Result<Ratios> fromM(double gama, double M)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M > 0.0))
        return common::Message { " M must be greater then zero" };

    const double g = gama;
    const double M2 = M * M;
    Ratios r;
    r.M = M;
    const double F = 2.0 + (g - 1.0) * M2;
    r.PPstar = (g + 1.0) / (1.0 + g * M2);
    r.TTstar = M2 * (r.PPstar * r.PPstar);
    r.RoRoStar = (1.0 / M2) / r.PPstar;
    // (F / (g + 1))^(g / (g - 1)). As gamma nears 1 the exponent grows without bound and magnifies the
    // rounding of the base (gamma 1 + 1E-15 would show Po/Po* wrong in the second digit), so there the
    // power is formed from the base's distance from 1, (g - 1)(M^2 - 1) / (g + 1), which keeps its digits.
    const double exponent = g / (g - 1.0);
    r.PoPoStar = r.PPstar
        * (exponent <= largeExponent ? std::pow(F / (g + 1.0), exponent)
                                     : std::exp(exponent * std::log1p((g - 1.0) * (M2 - 1.0) / (g + 1.0))));
    r.ToToStar = F * r.TTstar / (g + 1.0);
    if (r.PPstar * r.PPstar < DBL_MIN) {
        // (p/p*)^2 has left the normal range of a double (M beyond about 1E+77), so T/T* and To/To*
        // above have lost their digits; the same ratios in a form without the square.
        const double share = M2 / (1.0 + g * M2);
        r.TTstar = r.PPstar * (g + 1.0) * share;
        r.ToToStar = (g + 1.0) * share * (F / (1.0 + g * M2));
    }

    const bool finite = std::isfinite(r.ToToStar) && std::isfinite(r.TTstar) && std::isfinite(r.PPstar)
        && std::isfinite(r.RoRoStar) && std::isfinite(r.PoPoStar);
    if (!finite)
        return tooLarge;
    return r;
}

common::Result<MachNumbers> fromToToStar(double gama, double ToToStar)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    const double R = ToToStar;
    if (R > 1.0)
        return common::Message { "To/To* must be equal 1 or lower then 1" };
    if (R < 0.0)
        return common::Message { "To/To* must not be negative" };

    const double g = gama;
    const double a = R * (g * g) / (g + 1.0) - (g - 1.0);
    // b = 1 - R g / (g + 1), written as (1 + g (1 - R)) / (g + 1): the subtraction from 1 would lose
    // every digit of b for an enormous g and R near 1 (b rounds to 0 for R = 1 once g / (g + 1) rounds
    // to 1). b >= 1 / (g + 1) > 0 for 0 <= R <= 1.
    const double b = (1.0 + g * (1.0 - R)) / (g + 1.0);
    const double c = R / (g + 1.0);
    const double D = b * b - a * c;
    if (!(std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(D)))
        return tooLarge;
    // At R = 1 the roots coincide and D is 0 up to a rounding residue that may be negative.
    const double s = D < 1e-10 ? 0.0 : std::sqrt(D);
    // a is the difference of two terms, each rounded a few times, so it carries an error up to this.
    const double roundingOfA = 4.0 * DBL_EPSILON * (R * (g * g) / (g + 1.0) + (g - 1.0));

    MachNumbers roots;
    // sqrt((b - s) / a) loses its digits to cancellation as a nears 0 and has no value for a <= 0;
    // sqrt(c / (b + s)) is the same root without the cancellation. The first form also needs a itself
    // to be known: for an enormous g (about 1E+12 up) a may be nothing but rounding residue.
    const bool aIsKnown = roundingOfA < 1e-6 * a;
    roots.M = a >= smallA && aIsKnown ? std::sqrt((b - s) / a) : std::sqrt(c / (b + s));
    if (a > 0.0) {
        const double Msup = std::sqrt((b + s) / a);
        // An error e in a moves Msup by about Msup x e / (2a), which reaches the shown digits near the
        // lowest To/To* (Msup above about 1200 for g = 1.4) and for an enormous g. A supersonic root is
        // at least 1, so the error is at least e / (2a) even when the computed Msup has lost all its
        // digits and come out below 1 (an a of mere residue gives Msup near 0).
        if (std::fmax(Msup, 1.0) * roundingOfA / (2.0 * a) <= largestMsupError)
            roots.Msup = Msup;
        else
            roots.notice
                = common::Message { "The supersonic Mach number for this To/To* cannot be calculated accurately" };
    } else {
        roots.notice = common::Message { "There is no supersonic solution for To/To* at or below ",
            lowestToToStarForSupersonic(g) };
    }

    if (!(std::isfinite(roots.M) && std::isfinite(roots.Msup.value_or(0.0))))
        return tooLarge;
    return roots;
}

} // namespace rayleigh
