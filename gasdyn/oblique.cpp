// The oblique shock: closed forms for the jump, the detachment and sonic wave angles, and the wave angle of a
// given deflection on the weak or the strong branch, found by TOMS 748 between the bounds the physics gives.
#include "oblique.h"

#include "flows.h"
#include "isentropic.h"

#include <boost/math/tools/roots.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace gasdyn::oblique {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr double kRadians = std::numbers::pi / 180.0;

bool validGas(double gamma, double M1)
{
    return std::isfinite(gamma) && gamma > 1.0 && M1 > 1.0; // M1 may be +infinity; NaN fails
}

double inverse(double M)
{
    return std::isinf(M) ? 0.0 : 1.0 / M;
}

// The sine and cosine of a wave angle whose sin^2 and cos^2 come from two closed forms without cancellation.
double angleOf(double sin2, double cos2)
{
    return std::atan2(std::sqrt(sin2), std::sqrt(cos2));
}

} // namespace

SinCos sinCosDegrees(double degrees)
{
    // Above 45 degrees from the complement, exact there, so that the cosine keeps its digits near 90 degrees.
    SinCos out {};
    if (degrees <= 45.0) {
        ::sincos(degrees * kRadians, &out.s, &out.c);
    } else {
        ::sincos((90.0 - degrees) * kRadians, &out.c, &out.s);
    }
    return out;
}

double excessOverMach(double M1, double s, double c)
{
    // sin^2 beta - 1/M1^2: near 90 degrees as (1 - 1/M1^2) - cos^2 beta, where 1/M1 would lose the digits.
    if (c < s)
        return oneMinusInverseSquare(M1) - c * c;
    const double invM1 = inverse(M1);
    return (s - invM1) * (s + invM1);
}

double oneMinusInverseSquare(double M)
{
    if (std::isinf(M))
        return 1.0;
    return ((M - 1.0) / M) * ((M + 1.0) / M);
}

double machAngle(double M1)
{
    return std::asin(inverse(M1));
}

double deflectionRad(double gamma, double M1, double s, double c)
{
    const double excess = excessOverMach(M1, s, c);
    if (!(excess > 0.0))
        return 0.0;
    // tan(theta) = 2 cot(beta) (M1^2 sin^2 beta - 1) / (M1^2 (gamma + cos 2 beta) + 2), divided by M1^2.
    const double invM1 = inverse(M1);
    return std::atan2(2.0 * c * excess, s * (gamma + (c - s) * (c + s) + 2.0 * invM1 * invM1));
}

namespace {

// sin^2 and cos^2 of the wave angle of the largest deflection.
// sin^2 = [(g+1)M^2 - 4 + sqrt((g+1)((g+1)M^4 + 8(g-1)M^2 + 16))] / (4 g M^2), written with u = 1/M^2;
// cos^2 = 2 (1-u)(2u+g-1) / (3g - 1 + 4u + sqrt(...)), the same root rationalised.
struct Squares {
    double sin2;
    double cos2;
};

Squares detachmentSquares(double gamma, double M1, double u)
{
    const double root = std::sqrt((gamma + 1.0) * ((gamma + 1.0) + 8.0 * (gamma - 1.0) * u + 16.0 * u * u));
    return { ((gamma + 1.0) - 4.0 * u + root) / (4.0 * gamma),
        2.0 * oneMinusInverseSquare(M1) * (2.0 * u + gamma - 1.0) / (3.0 * gamma - 1.0 + 4.0 * u + root) };
}

} // namespace

double detachmentBeta(double gamma, double M1)
{
    const double u = inverse(M1) * inverse(M1);
    const Squares sq = detachmentSquares(gamma, M1, u);
    return angleOf(sq.sin2, sq.cos2);
}

double largestDeflectionRad(double gamma, double M1, double* betaRad)
{
    const double u = inverse(M1) * inverse(M1);
    const auto [sin2, cos2] = detachmentSquares(gamma, M1, u);
    if (betaRad)
        *betaRad = angleOf(sin2, cos2);
    // The deflection's arctangent with both terms times sin beta: sin beta cos beta from one root.
    const double excess = cos2 < sin2 ? oneMinusInverseSquare(M1) - cos2 : sin2 - u;
    if (!(excess > 0.0))
        return 0.0;
    return std::atan2(2.0 * std::sqrt(sin2 * cos2) * excess, sin2 * (gamma + (cos2 - sin2) + 2.0 * u));
}

Jump jump(double gamma, double M1, double s, double c)
{
    const double over = excessOverMach(M1, s, c);
    const double excess = M1 * M1 * over; // Mn1^2 - 1
    if (!(excess > 0.0))
        return Jump { 1.0, 1.0, M1, 1.0, 1.0, 1.0, 1.0, 0.0 };
    const double v = 1.0 / (1.0 + excess); // 1/Mn1^2, 0 once Mn1^2 leaves the double range
    const double w = std::isinf(excess) ? 1.0 : excess / (1.0 + excess); // 1 - 1/Mn1^2
    const double h = (gamma - 1.0) / 2.0;
    Jump out {};
    out.Mn1 = M1 * s;
    out.Mn2 = std::sqrt((v + h) / (gamma - h * v));
    const double pMinus1 = 2.0 * gamma / (gamma + 1.0) * excess;
    const double rhoMinus1 = 2.0 * w / ((gamma - 1.0) + 2.0 * v);
    out.p = 1.0 + pMinus1;
    out.rho = 1.0 + rhoMinus1;
    out.T = out.p / out.rho;
    out.p0 = std::exp((gamma * std::log1p(rhoMinus1) - std::log1p(pMinus1)) / (gamma - 1.0));
    // tan(theta) = y/x as in deflectionRad; sin(beta - theta) = (s x - c y)/|(x, y)| = ((g-1) s^2 + 2/M1^2)/|(x, y)|.
    const double u = inverse(M1) * inverse(M1);
    const double y = 2.0 * c * over;
    const double x = s * (gamma + (c - s) * (c + s) + 2.0 * u);
    out.theta = std::atan2(y, x);
    out.M2 = out.Mn2 * std::sqrt(x * x + y * y) / ((gamma - 1.0) * s * s + 2.0 * u);
    return out;
}

double waveAngle(double gamma, double M1, double tanTheta, bool strong, int& passes)
{
    const double invM1 = inverse(M1);
    const double top = detachmentBeta(gamma, M1);
    const double lo = strong ? top : machAngle(M1);
    const double hi = strong ? kHalfPi : top;
    // Of the sign of tan(deflection(beta)) - tanTheta, without the arctangent.
    const auto f = [&](double beta) {
        const double s = std::sin(beta);
        const double c = beta == kHalfPi ? 0.0 : std::cos(beta);
        return 2.0 * c * excessOverMach(M1, s, c) - tanTheta * s * (gamma + (c - s) * (c + s) + 2.0 * invM1 * invM1);
    };
    const double fLo = f(lo);
    const double fHi = f(hi);
    passes = 0;
    if (fLo == 0.0)
        return lo;
    if (fHi == 0.0)
        return hi;
    if ((fLo > 0.0) == (fHi > 0.0)) // the root is within rounding of an end
        return std::abs(fLo) < std::abs(fHi) ? lo : hi;
    std::uintmax_t iterations = 200;
    const auto [a, b] = boost::math::tools::toms748_solve(f, lo, hi, fLo, fHi,
        boost::math::tools::eps_tolerance<double>(std::numeric_limits<double>::digits - 1), iterations);
    passes = static_cast<int>(iterations);
    return a + (b - a) / 2.0;
}

double deflection(double gamma, double M1, double beta)
{
    if (!validGas(gamma, M1) || !(beta >= 0.0 && beta <= 90.0))
        return kNaN;
    const auto [s, c] = sinCosDegrees(beta);
    return deflectionRad(gamma, M1, s, c) * kDegrees;
}

Detachment detachment(double gamma, double M1)
{
    if (!validGas(gamma, M1))
        return { kNaN, kNaN };
    double beta = 0.0;
    const double theta = largestDeflectionRad(gamma, M1, &beta);
    return { theta * kDegrees, beta * kDegrees };
}

double sonicBeta(double gamma, double M1)
{
    if (!validGas(gamma, M1))
        return kNaN;
    // M2 = 1: sin^2 = [(g+1)M^2 - (3-g) + sqrt((g+1)((g+1)M^4 - 2(3-g)M^2 + g + 9))] / (4 g M^2), with u = 1/M^2;
    // cos^2 = 2 (1-u)(2u+g-1) / (3g - 1 + (3-g)u + sqrt(...)).
    const double u = inverse(M1) * inverse(M1);
    const double root = std::sqrt((gamma + 1.0) * ((gamma + 1.0) - 2.0 * (3.0 - gamma) * u + (gamma + 9.0) * u * u));
    const double sin2 = ((gamma + 1.0) - (3.0 - gamma) * u + root) / (4.0 * gamma);
    const double cos2
        = 2.0 * oneMinusInverseSquare(M1) * (2.0 * u + gamma - 1.0) / (3.0 * gamma - 1.0 + (3.0 - gamma) * u + root);
    return angleOf(sin2, cos2) * kDegrees;
}

} // namespace gasdyn::oblique

namespace gasdyn::detail {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kRadians = std::numbers::pi / 180.0;

enum Q { M1, Theta, Beta, Mn1, Mn2, M2, P, Rho, T, P0, ThetaMax };

std::string fmt(double value)
{
    return formatNumber(value);
}

// Every quantity from M1 and the wave angle (degrees, with its sine and cosine); the inputs given are written
// back as they were given.
Outcome fill(double gamma, double m1, double betaDeg, double s, double c, Method method, Branch branch,
    std::optional<double> givenTheta = std::nullopt, std::optional<double> thetaMax = std::nullopt)
{
    const oblique::Jump j = oblique::jump(gamma, m1, s, c);
    Solution out;
    out.values[M1] = m1;
    out.values[Theta] = givenTheta ? *givenTheta : j.theta * kDegrees;
    out.values[Beta] = betaDeg;
    out.values[Mn1] = j.Mn1;
    out.values[Mn2] = j.Mn2;
    out.values[M2] = j.M2;
    out.values[P] = j.p;
    out.values[Rho] = j.rho;
    out.values[T] = j.T;
    out.values[P0] = j.p0;
    out.values[ThetaMax] = thetaMax ? *thetaMax : oblique::largestDeflectionRad(gamma, m1) * kDegrees;
    for (const auto& value : out.values) {
        if (value && !std::isfinite(*value))
            return overflow();
    }
    out.method = method;
    out.branch = branch;
    return out;
}

Outcome fromMachAndDeflection(double gamma, double m1, double theta, Branch branch)
{
    if (theta < 0.0)
        return noSolution("theta must be 0 or more");
    const oblique::Detachment limit = oblique::detachment(gamma, m1);
    if (theta > limit.theta)
        return noSolution("theta " + fmt(theta) + " is above the largest deflection " + fmt(limit.theta)
            + " degrees for M1 " + fmt(m1) + " (detached shock)");
    const bool strong = branch == Branch::Strong;
    if (theta == 0.0) {
        if (strong)
            return fill(gamma, m1, 90.0, 1.0, 0.0, { "closed form", 0 }, branch, 0.0, limit.theta);
        // A Mach wave: a zero sine makes the jump the identity.
        return fill(gamma, m1, isentropic::machAngle(m1), 0.0, 1.0, { "closed form", 0 }, branch, 0.0, limit.theta);
    }
    if (theta == limit.theta) {
        const auto [s, c] = oblique::sinCosDegrees(limit.beta);
        return fill(gamma, m1, limit.beta, s, c, { "closed form", 0 }, branch, theta, limit.theta);
    }
    int passes = 0;
    const double beta = oblique::waveAngle(gamma, m1, std::tan(theta * kRadians), strong, passes);
    double s = 0.0;
    double c = 0.0;
    ::sincos(beta, &s, &c);
    return fill(gamma, m1, beta * kDegrees, s, c, { "TOMS 748", passes }, branch, theta, limit.theta);
}

Outcome fromMachAndWaveAngle(double gamma, double m1, double beta)
{
    const double mu = oblique::machAngle(m1) * kDegrees;
    if (!(beta >= mu))
        return noSolution("beta " + fmt(beta) + " is below the Mach angle " + fmt(mu) + " degrees for M1 " + fmt(m1));
    if (beta > 90.0)
        return noSolution("beta " + fmt(beta) + " is above 90 degrees");
    const auto [s, c] = oblique::sinCosDegrees(beta);
    return fill(gamma, m1, beta, s, c, { "closed form", 0 }, Branch::None);
}

Outcome fromMachAndNormalMach(double gamma, double m1, double mn1)
{
    if (!(mn1 >= 1.0))
        return noSolution("Mn1 must be 1 or more");
    if (mn1 > m1)
        return noSolution("Mn1 " + fmt(mn1) + " is above M1 " + fmt(m1));
    const double s = mn1 / m1;
    const double c = std::sqrt((1.0 - s) * (1.0 + s));
    Outcome out = fill(gamma, m1, std::atan2(s, c) * kDegrees, s, c, { "closed form", 0 }, Branch::None);
    if (auto* solution = std::get_if<Solution>(&out))
        solution->values[Mn1] = mn1;
    return out;
}

Outcome fromDeflectionAndWaveAngle(double gamma, double theta, double beta)
{
    if (theta < 0.0)
        return noSolution("theta must be 0 or more");
    if (!(beta > 0.0))
        return noSolution("beta must be above 0");
    if (beta > 90.0)
        return noSolution("beta " + fmt(beta) + " is above 90 degrees");
    if (beta == 90.0 && theta == 0.0)
        return noSolution("beta 90 with theta 0 is a normal shock of any M1");
    const auto [s, c] = oblique::sinCosDegrees(beta);
    const double limit = oblique::deflectionRad(gamma, std::numeric_limits<double>::infinity(), s, c) * kDegrees;
    const double t = std::tan(theta * kRadians);
    // M1^2 = 2 (cot beta + tan theta) / (sin 2 beta - tan theta (gamma + cos 2 beta))
    const double denominator = 2.0 * s * c - t * (gamma + (c - s) * (c + s));
    if (theta >= limit || !(denominator > 0.0))
        return noSolution("theta " + fmt(theta) + " is at or above the largest deflection " + fmt(limit)
            + " degrees for beta " + fmt(beta) + " (reached as M1 tends to infinity)");
    const double m1 = std::sqrt(2.0 * (c / s + t) / denominator);
    if (!std::isfinite(m1))
        return overflow();
    return fill(gamma, std::max(m1, 1.0), beta, s, c, { "closed form", 0 }, Branch::None, theta);
}

} // namespace

Outcome solveObliqueShock(double gamma, const InputKind& kind, std::array<double, 2> values, Branch branch)
{
    if (kind.first == Theta)
        return fromDeflectionAndWaveAngle(gamma, values[0], values[1]);
    const double m1 = values[0];
    if (!(m1 > 1.0))
        return noSolution("M1 must be above 1");
    switch (kind.second) {
    case Theta:
        return fromMachAndDeflection(gamma, m1, values[1], branch);
    case Beta:
        return fromMachAndWaveAngle(gamma, m1, values[1]);
    default:
        return fromMachAndNormalMach(gamma, m1, values[1]);
    }
}

} // namespace gasdyn::detail
