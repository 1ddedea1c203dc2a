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
    r.PoPoStar = r.PPstar * std::pow(F / (g + 1.0), g / (g - 1.0));
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
    const double b = 1.0 - R * g / (g + 1.0);
    const double c = R / (g + 1.0);
    const double D = b * b - a * c;
    if (!(std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(D)))
        return tooLarge;
    // At R = 1 the roots coincide and D is 0 up to a rounding residue that may be negative.
    const double s = D < 1e-10 ? 0.0 : std::sqrt(D);

    MachNumbers roots;
    // sqrt((b - s) / a) loses its digits to cancellation as a nears 0 and has no value for a <= 0;
    // sqrt(c / (b + s)) is the same root without the cancellation (b > 0 for 0 <= R <= 1).
    roots.M = a >= smallA ? std::sqrt((b - s) / a) : std::sqrt(c / (b + s));
    if (a > 0.0) {
        const double Msup = std::sqrt((b + s) / a);
        // a is the difference of two terms, each rounded a few times; an error e in a moves Msup by
        // about Msup x e / (2a), which reaches the shown digits near the lowest To/To* (Msup above
        // about 1200 for g = 1.4) and for an enormous g.
        const double roundingOfA = 4.0 * DBL_EPSILON * (R * (g * g) / (g + 1.0) + (g - 1.0));
        if (Msup * roundingOfA / (2.0 * a) <= largestMsupError)
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
