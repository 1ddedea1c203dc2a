#include "oblique_shock_calc.h"

#include <algorithm>
#include <cmath>

namespace oblique_shock {

namespace {

const double Pi = 4.0 * std::atan(1.0);
const double DegToRad = Pi / 180.0;

const common::Message tooLarge { "The value is too large to be calculated" };
const common::Message notConverged { " iterasyon 20 adımda yakınsamadı" };

// The Mach angle in radians, written as the weak shock's start value is.
double machAngle(double M1)
{
    const double x = 1.0 / M1;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

// The wave angle in radians at which the deflection for M1 is largest: its sine squared is
// ((g + 1) / 4 - x + sqrt((g + 1) (x^2 + (g - 1) x / 2 + (g + 1) / 16))) / g with x = 1 / M1^2, written so that
// neither a huge M1 nor a huge gamma overflows. It parts the weak shocks (below it) from the strong ones.
double largestDeflectionWaveAngle(double g, double M1)
{
    const double x = 1.0 / (M1 * M1);
    const double root = std::sqrt(g + 1.0) * std::sqrt(x * x + (g - 1.0) * x / 2.0 + (g + 1.0) / 16.0);
    const double sineSquared = ((g + 1.0) / 4.0 - x + root) / g;
    return std::asin(std::sqrt(std::min(1.0, sineSquared)));
}

bool isFinite(const Shock& shock)
{
    const Downstream& d = shock.behind;
    for (double v : { shock.M1, shock.TetaD, shock.BetaD, d.Mn1, d.Mn2, d.M2, d.p2p1, d.Ro2Ro1, d.T2T1 }) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// The shock with the flow behind it, or the overflow refusal.
common::Result<Shock> complete(Shock shock, double Beta, double Teta, double gama)
{
    shock.behind = Şok_Gerisi_Akım_Özellikleri(gama, shock.M1, Beta, Teta);
    if (!isFinite(shock))
        return tooLarge;
    return shock;
}

} // namespace

common::Result<Shock> findBeta(double gama, double M1, double TetaD, Solution solution)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M1 > 1.0))
        return common::Message { "M1 must be greater then 1" };
    if (!(std::fabs(TetaD) < 90.0))
        return common::Message { "Teta must be less then 90 degrees" };

    // A negative deflection turns the stream the other way through the same shock.
    const double deflectionD = std::fabs(TetaD);
    const WaveAngleIteration search = Newton_Raphson(gama, M1, deflectionD, solution);
    if (search.stop == Stop::NotFinite)
        return tooLarge;
    if (search.stop != Stop::Converged)
        return notConverged;

    Shock shock;
    shock.M1 = M1;
    shock.TetaD = deflectionD;
    const double Beta = search.iteration.value;
    shock.BetaD = Beta / DegToRad;
    shock.iteration = search.iteration;
    return complete(shock, Beta, DegToRad * deflectionD, gama);
}

common::Result<Shock> findTeta(double gama, double M1, double BetaD)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    if (!(M1 > 1.0))
        return common::Message { "M1 must be greater then 1" };
    if (!(BetaD <= 90.0))
        return common::Message { "Beta must be less then 90 degrees" };
    const double Beta = DegToRad * BetaD;
    // A wave angle below the Mach angle; the sine as computed is compared, and equality passes. A negative
    // wave angle lies below it too, whatever its sine: past -180 degrees the sine turns positive again.
    if (!(BetaD >= 0.0 && std::sin(Beta) >= 1.0 / M1))
        return common::Message { "For this Mach number no solution for given Beta" };

    const double g = gama;
    const double Ms = M1 * std::sin(Beta);
    const double N = 2.0 * (Ms * Ms - 1.0);
    const double D = std::tan(Beta) * (M1 * M1 * (g + std::cos(2.0 * Beta)) + 2.0);
    const double Teta = std::atan(N / D);

    Shock shock;
    shock.M1 = M1;
    shock.TetaD = Teta / DegToRad;
    shock.BetaD = BetaD;
    return complete(shock, Beta, Teta, gama);
}

common::Result<Shock> findM1(double gama, double TetaD, double BetaD)
{
    if (auto refusal = common::checkGamma(gama))
        return *refusal;
    const double Teta = DegToRad * TetaD;
    if (!(TetaD >= 0.0))
        return common::Message { "Teta must be equal or greater then 0 degree" };
    if (!(TetaD < 90.0))
        return common::Message { "Teta must be less then 90 degrees" };
    if (!(BetaD <= 90.0))
        return common::Message { "Beta must be equal or less then 90 degrees" };
    if (BetaD < 0.0)
        return common::Message { "Beta must be equal or greater then 0 degree" };
    const double Beta = DegToRad * BetaD;

    const double g = gama;
    const double K = std::tan(Beta) * std::tan(Teta);
    const double s = std::sin(Beta);
    const double den = s * s - K * (g + std::cos(2.0 * Beta)) / 2.0;
    if (!(den > 0.0)) {
        const double limit = limitingDeflection(gama, BetaD);
        // Below the limit a Mach number exists; only its size made the denominator vanish.
        if (TetaD < limit)
            return tooLarge;
        return common::Message { "no solution for M1. Teta must be equal or less then ", limit, " degrees" };
    }

    Shock shock;
    shock.M1 = std::sqrt((1.0 + K) / den);
    shock.TetaD = TetaD;
    shock.BetaD = BetaD;
    return complete(shock, Beta, Teta, gama);
}

WaveAngleIteration Newton_Raphson(double gama, double M1, double TetaD, Solution solution)
{
    WaveAngleIteration out;
    common::Iteration& it = out.iteration;
    const double g = gama;
    const double t = std::tan(DegToRad * TetaD);
    const double M1sq = M1 * M1;
    const auto residual = [&](double Beta) {
        const double Ms = M1 * std::sin(Beta);
        return 2.0 * (Ms * Ms - 1.0) / (std::tan(Beta) * (M1sq * (g + std::cos(2.0 * Beta)) + 2.0)) - t;
    };
    // When the deflection does not exceed the largest one for M1, the weak shock lies between the Mach angle and
    // the wave angle of the largest deflection, the strong one between that angle and 90 degrees, and the
    // relation rises along the weak branch and falls along the strong one. A Newton step can overshoot the turn
    // of the relation and settle on the other shock, or swing between the two ends of the branch, so the
    // iteration keeps the branch part known to hold the shock (narrowed by the sign of each residual): a step
    // that would leave it goes to its midpoint instead, and such a step does not count for the step test. Beyond
    // the largest deflection there is no shock and no branch to keep.
    const bool weak = solution == Solution::Weak;
    const double turn = largestDeflectionWaveAngle(g, M1);
    double low = weak ? machAngle(M1) : turn;
    double high = weak ? turn : Pi / 2.0;
    const bool keepBranch = std::isfinite(turn) && low <= high && residual(turn) >= 0.0;
    // From the Mach angle the iteration climbs to the weak shock, from 90 degrees it descends to the strong one.
    double Beta = weak ? machAngle(M1) : Pi / 2.0;
    double b = Beta / DegToRad;
    for (int pass = 1; pass <= 20; ++pass) {
        it.passes = pass;
        const double b_old = b;
        const double s = std::sin(Beta);
        const double s2 = std::sin(2.0 * Beta);
        const double c2 = std::cos(2.0 * Beta);
        const double tb = std::tan(Beta);
        const double Ms = M1 * s;
        const double A = 2.0 * (Ms * Ms - 1.0);
        const double D = tb * (M1sq * (g + c2) + 2.0);
        const double dA = 2.0 * M1sq * s2;
        const double dD = (tb * tb + 1.0) * (M1sq * (g + c2) + 2.0) - 2.0 * M1sq * tb * s2;
        const double f = A / D - t;
        const double slopeNumerator = dA * D - A * dD;
        const double DD = D * D;
        if (!std::isfinite(f) || !std::isfinite(slopeNumerator) || !std::isfinite(DD)) {
            out.stop = Stop::NotFinite;
            break;
        }
        const double slope = slopeNumerator / DD;
        if (slope == 0.0) {
            out.stop = Stop::ZeroSlope;
            break;
        }
        const double step = f / slope;
        if (!std::isfinite(step)) {
            out.stop = Stop::NotFinite;
            break;
        }
        if (keepBranch) {
            // Along the weak branch a negative residual means the shock lies above, along the strong one below.
            if ((f < 0.0) == weak)
                low = std::max(low, Beta);
            else
                high = std::min(high, Beta);
        }
        const double previous = Beta;
        Beta = Beta - step;
        bool bisected = false;
        if (keepBranch && !(Beta >= low && Beta <= high)) {
            // When the residual of this pass met its test already, the iterate it was taken at is the shock.
            Beta = std::fabs(f) < 0.00001 ? previous : (low + high) / 2.0;
            bisected = true;
        }
        b = Beta / DegToRad;
        if ((!bisected && std::fabs(b - b_old) < 0.001) || std::fabs(f) < 0.00001) {
            // The relation has roots beyond 90 degrees and at negative wave angles too.
            const double tolerance = 1e-6;
            const bool physical = b >= machAngle(M1) / DegToRad - tolerance && b <= 90.0 + tolerance;
            // Where the angles are far below the test's 0.001 degree (a Mach angle that small comes with a
            // huge M1) the test can be met at a wave angle not yet above the deflection, which no shock has:
            // the iteration goes on from there.
            if (physical && !(Beta > DegToRad * TetaD))
                continue;
            out.stop = physical ? Stop::Converged : Stop::OutsideRange;
            it.converged = physical;
            break;
        }
    }
    it.value = Beta;
    return out;
}

Downstream Şok_Gerisi_Akım_Özellikleri(double gama, double M1, double Beta, double Teta)
{
    const double g = gama;
    Downstream d;
    d.Mn1 = M1 * std::sin(Beta);
    const double Mn1sq = d.Mn1 * d.Mn1;
    d.Mn2 = std::sqrt((1.0 + (g - 1.0) / 2.0 * Mn1sq) / (g * Mn1sq - (g - 1.0) / 2.0));
    d.M2 = d.Mn2 / std::sin(Beta - Teta);
    d.p2p1 = 1.0 + 2.0 * g / (g + 1.0) * (Mn1sq - 1.0);
    d.Ro2Ro1 = (g + 1.0) * Mn1sq / (2.0 + (g - 1.0) * Mn1sq);
    d.T2T1 = d.p2p1 / d.Ro2Ro1;
    return d;
}

double limitingDeflection(double gama, double BetaD)
{
    const double Beta = DegToRad * BetaD;
    return std::atan(std::sin(2.0 * Beta) / (gama + std::cos(2.0 * Beta))) * 180.0 / Pi;
}

} // namespace oblique_shock
