// Inside the engine: the root finder every inversion uses, a series helper for the quantities that vanish at
// the sonic point, and the assembly of a solution that refuses non-finite results.
#pragma once

#include "flows.h"

#include <boost/math/tools/roots.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <numbers>

namespace gasdyn::detail {

inline constexpr double kDegrees = 180.0 / std::numbers::pi;

struct Root {
    double x;
    int passes;
};

// The root of f in [lo, hi] (lo < hi), whose ends the physics has shown to bracket it, to about two ulps, by
// TOMS 748. An end where f rounds to the wrong sign is the root to rounding; at most 100 passes.
template <class F>
Root toms748(F f, double lo, double hi)
{
    const double flo = f(lo);
    const double fhi = f(hi);
    if (flo == 0.0)
        return { lo, 0 };
    if (fhi == 0.0)
        return { hi, 0 };
    if ((flo > 0.0) == (fhi > 0.0))
        return { std::fabs(flo) < std::fabs(fhi) ? lo : hi, 0 };
    std::uintmax_t passes = 100;
    const auto [a, b]
        = boost::math::tools::toms748_solve(f, lo, hi, flo, fhi, boost::math::tools::eps_tolerance<double>(), passes);
    return { a + 0.5 * (b - a), static_cast<int>(passes) };
}

// The root of f in [lo, hi] by Newton-Raphson steps from guess, kept inside the bracket (boost's bracketed
// newton_raphson_iterate); fx returns the pair (f, f'). The steps stop once one moves x by less than 2^-31 of
// itself: convergence is quadratic by then, so that last step leaves the root good to rounding. Where the
// iteration fails (no progress, a zero derivative) the root is found by TOMS 748 on the same bracket from f.
template <class FX, class F>
Root newton(FX fx, F f, double guess, double lo, double hi)
{
    std::uintmax_t passes = 60;
    try {
        const double x = boost::math::tools::newton_raphson_iterate(fx, guess, lo, hi, 32, passes);
        if (std::isfinite(x) && x >= lo && x <= hi && passes < 60)
            return { x, static_cast<int>(passes) };
    } catch (const std::exception&) {
    }
    const Root root = toms748(f, lo, hi);
    return { root.x, root.passes + static_cast<int>(passes) };
}

// The alternating series sum over n >= first of (-1)^(n+1) coefficient(n) u^n, summed until a term no longer
// changes the sum (at most 80 terms); for |u| well below the series' radius.
template <class C>
double alternatingSeries(double u, int first, C coefficient)
{
    double power = std::pow(u, first);
    double sum = 0.0;
    for (int n = first; n < first + 80; ++n) {
        const double term = ((n % 2 == 1) ? 1.0 : -1.0) * coefficient(n) * power;
        const double next = sum + term;
        if (next == sum && n > first)
            break;
        sum = next;
        power *= u;
    }
    return sum;
}

// The Mach number (>= 1) whose Prandtl-Meyer angle is nu degrees, 0 <= nu < the largest turning angle.
Root machFromPrandtlMeyer(double gamma, double nu);
// The Mach number whose Prandtl-Meyer angle is the largest turning angle less `deficit` degrees (> 0).
Root machFromPrandtlMeyerDeficit(double gamma, double deficit);

// The Mach number on the branch (Sub or Sup) whose ln(A/A*) is lnA > 0.
Root machFromLogAreaRatio(double gamma, double lnA, Branch branch);

inline Method closedForm()
{
    return Method { "closed form", 0 };
}

inline Method toms748Method(int passes)
{
    return Method { "TOMS 748", passes };
}

inline Method newtonMethod(int passes)
{
    return Method { "Newton-Raphson", passes };
}

// A solution from its values in output order; a value that is not finite (the state leaves the double range)
// refuses the whole answer.
inline Outcome finish(std::initializer_list<std::optional<double>> values, Branch branch, Method method)
{
    Solution solution;
    std::size_t i = 0;
    for (const std::optional<double>& value : values) {
        if (value && !std::isfinite(*value))
            return overflow();
        solution.values[i++] = value;
    }
    solution.branch = branch;
    solution.method = method;
    return solution;
}

} // namespace gasdyn::detail
