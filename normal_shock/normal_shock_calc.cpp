#include "normal_shock_calc.h"

#include <cmath>
#include <utility>

namespace normal_shock {

namespace {

const common::Message tooLarge { "The value is too large to be calculated" };

// The shown quantities for M1 and M2, refused when any of them overflowed, or an intermediate whose
// overflow would leave a finite but false value: g M^2 (M2 from M1 would come out 0) and the stagnation
// ratios (Po2/Po1 would come out 0).
common::Result<Shock> shockFor(double gama, double M1, double M2, common::Iteration iteration = {},
    std::optional<common::Message> notice = std::nullopt)
{
    const Ratios r = oranlar(gama, M1, M2);
    Shock shock;
    shock.M1 = M1;
    shock.M2 = M2;
    shock.P2P1 = r.P2P1;
    shock.T2T1 = r.T2T1;
    shock.Ro2Ro1 = r.Ro2Ro1;
    shock.Po2Po1 = r.Po2Po1;
    shock.Po2P1 = r.Po2P1;
    shock.iteration = iteration;
    shock.notice = std::move(notice);
    for (double value :
        { M1, M2, r.P2P1, r.T2T1, r.Ro2Ro1, r.Po2Po1, r.Po2P1, r.E1, r.E2, gama * (M1 * M1), gama * (M2 * M2) }) {
        if (!std::isfinite(value))
            return tooLarge;
    }
    return shock;
}

} // namespace

double otherMach(double gama, double M)
{
    const double g = gama;
    return std::sqrt((1.0 + (g - 1.0) / 2.0 * (M * M)) / (g * (M * M) - (g - 1.0) / 2.0));
}

// Halved after the division: 2 g overflows for a gamma above half the largest double, and for every other
// gamma the two orders give the same double.
double smallestM2(double gama)
{
    return std::sqrt((gama - 1.0) / gama / 2.0);
}

double sonicPitotRatio(double gama)
{
    return std::pow((gama + 1.0) / 2.0, gama / (gama - 1.0));
}

double lowestPo2P1(double gama)
{
    return sonicPitotRatio(gama) * (1.0 - 1e-4);
}

Ratios oranlar(double gama, double M1, double M2)
{
    const double g = gama;
    Ratios r;
    const double D1 = 1.0 + (g - 1.0) / 2.0 * (M1 * M1);
    const double D2 = 1.0 + (g - 1.0) / 2.0 * (M2 * M2);
    r.T2T1 = D1 / D2;
    r.E1 = std::pow(D1, g / (g - 1.0));
    r.E2 = std::pow(D2, g / (g - 1.0));
    r.P2P1 = 1.0 + 2.0 * (g / (g + 1.0)) * (M1 * M1 - 1.0); // 2 g itself may overflow
    r.Po2P1 = r.P2P1 * r.E2;
    r.Po2Po1 = r.Po2P1 / r.E1;
    r.Ro2Ro1 = r.P2P1 / r.T2T1;
    return r;
}

common::Iteration iter_for_M1_for_Given_Po2P1(double gama, double Po2P1)
{
    const double g = gama;
    common::Iteration it;
    double next = 1.0;
    for (int pass = 1; pass <= passLimit; ++pass) {
        it.passes = pass;
        const double M1 = next;
        const double M2sq = (1.0 + (g - 1.0) / 2.0 * (M1 * M1)) / (g * (M1 * M1) - (g - 1.0) / 2.0);
        const double P2P1 = Po2P1 / std::pow(1.0 + (g - 1.0) / 2.0 * M2sq, g / (g - 1.0));
        next = std::sqrt(1.0 + (g + 1.0) / g / 2.0 * (P2P1 - 1.0)); // 2 g itself may overflow
        if (std::fabs(next - M1) < 0.00001) {
            it.converged = true;
            break;
        }
    }
    it.value = next;
    return it;
}

common::Result<Shock> fromM1(double gama, double M1)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M1 >= 1.0))
        return common::Message { "M1 must be equal or greater than 1" };
    return shockFor(gama, M1, otherMach(gama, M1));
}

common::Result<Shock> fromM2(double gama, double M2)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M2 <= 1.0))
        return common::Message { "M2 must be equal or lower than 1" };
    if (!(M2 > 0.3779))
        return common::Message { "M2 must be greater than 0.3779" };
    // Below the smallest M2 of this gamma no upstream Mach number leads to it.
    if (!(gama * (M2 * M2) - (gama - 1.0) / 2.0 > 0.0))
        return common::Message { "M2 must be greater than ", smallestM2(gama), " for this gamma" };
    return shockFor(gama, otherMach(gama, M2), M2);
}

common::Result<Shock> fromPo2P1(double gama, double Po2P1)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(Po2P1 >= 1.8929))
        return common::Message { "Po2/P1 must be greater then 1.8929" };
    // The fixed bound is the sonic pitot ratio of g = 1.4; below the one of this gamma the iteration would
    // give an upstream Mach number under 1.
    const double lowest = lowestPo2P1(gama);
    if (!(Po2P1 >= lowest))
        return common::Message { "Po2/P1 must be equal or greater than ", lowest, " for this gamma" };
    const common::Iteration it = iter_for_M1_for_Given_Po2P1(gama, Po2P1);
    std::optional<common::Message> notice;
    if (!it.converged)
        notice = common::Message { "iterasyon ", static_cast<double>(passLimit), " adımda yakınsamadı" };
    return shockFor(gama, it.value, otherMach(gama, it.value), it, std::move(notice));
}

} // namespace normal_shock
