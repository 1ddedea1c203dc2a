// Any gamma and input text: a Rayleigh press is refused with one of its messages or shows finite
// numbers in their ranges, with the notice only when the supersonic root is absent.
#include "fuzz_input.h"
#include "rayleigh_calc.h"

#include <cfloat>

namespace {

bool isRefusal(const common::Message& m)
{
    const std::string text = m.render();
    return text == "Gamma must be greater than 1" || text == " M must be greater then zero"
        || text == "To/To* must be equal 1 or lower then 1" || text == "To/To* must not be negative"
        || text == "The value is too large to be calculated";
}

void checkRatios(double g, double M)
{
    const auto result = rayleigh::fromM(g, M);
    if (!result.ok()) {
        fuzz::require(isRefusal(result.refusal()));
        return;
    }
    const rayleigh::Ratios& r = result.value();
    fuzz::requireFinite({ r.ToToStar, r.TTstar, r.PPstar, r.RoRoStar, r.PoPoStar });
    const double slack = 1e-9;
    fuzz::require(r.M == M && M > 0.0);
    fuzz::require(r.ToToStar >= 0.0 && r.ToToStar <= 1.0 + slack);
    fuzz::require(r.TTstar >= 0.0 && r.TTstar <= (g + 1.0) / (4.0 * g) * (g + 1.0) * (1.0 + slack));
    fuzz::require(r.PPstar > 0.0 && r.PPstar <= (g + 1.0) * (1.0 + slack));
    fuzz::require(r.RoRoStar >= g / (g + 1.0) * (1.0 - slack) && r.PoPoStar >= 1.0 - slack);
}

void checkMachNumbers(double g, double R)
{
    const auto result = rayleigh::fromToToStar(g, R);
    if (!result.ok()) {
        fuzz::require(isRefusal(result.refusal()));
        return;
    }
    const rayleigh::MachNumbers& m = result.value();
    fuzz::requireFinite({ m.M, m.Msup.value_or(1.0) });
    // A discriminant below 1E-10 is taken as 0, which puts the subsonic root of sqrt((b - s) / a) at
    // sqrt(b / a), a little above 1 for a gamma near 1000; the supersonic root is good to 5E-07. Only a
    // root below the smallest double, shown as 0 all the same, may come out 0.
    fuzz::require(m.M >= 0.0 && m.M <= 1.0 + 1e-4 && (m.M > 0.0 || R / (g + 1.0) < DBL_MIN));
    fuzz::require(m.Msup.has_value() != m.notice.has_value());
    if (m.Msup)
        fuzz::require(*m.Msup >= 1.0 - 1e-6);
    const double lowest = rayleigh::lowestToToStarForSupersonic(g);
    if (m.notice) {
        if (m.notice->number) {
            fuzz::require(m.notice->before == "There is no supersonic solution for To/To* at or below "
                && m.notice->after.empty() && *m.notice->number == lowest && R <= lowest * (1.0 + 1e-12));
        } else {
            fuzz::require(
                m.notice->render() == "The supersonic Mach number for this To/To* cannot be calculated accurately"
                && R >= lowest * (1.0 - 1e-12));
        }
    }
    // Within the usual gammas every root gives back its To/To*.
    if (g >= 1.01 && g <= 3.0 && R > 1e-300) {
        for (double root : { m.M, m.Msup.value_or(m.M) }) {
            const auto back = rayleigh::fromM(g, root);
            fuzz::require(back.ok() && std::fabs(back.value().ToToStar / R - 1.0) < 1e-8);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Press p = fuzz::press(data, size, 2, 2);
    if (p.values.empty())
        return 0;
    if (p.option == 0)
        checkRatios(p.values[0], p.values[1]);
    else
        checkMachNumbers(p.values[0], p.values[1]);
    return 0;
}
