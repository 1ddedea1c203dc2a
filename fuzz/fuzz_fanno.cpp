// Any gamma and input text: a Fanno flow press is refused with one of its messages, or shows finite
// numbers, Mach numbers on their side of 1, and searches within their pass bounds.
#include "fanno_calc.h"
#include "fuzz_input.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

bool refusalAllowed(const std::string& message, bool machInput)
{
    return message == "Gamma must be greater than 1" || message == "The value is too large to be calculated"
        || message == (machInput ? " M must be greater then zero" : "4fL*/D must be zero or greater");
}

void requireSolution(const fanno::Constants& c, double target, const fanno::MachSolution& s, bool supersonic)
{
    fuzz::requireFinite({ s.M });
    fuzz::require(s.M > 0.0 && (supersonic ? s.M >= 1.0 : s.M <= 1.0));
    fuzz::require(s.stepping.iteration.passes >= 1 && s.stepping.iteration.passes <= 50);
    const double miss = std::fabs(fanno::FLD4_for_M(c, s.M) - target);
    if (!s.bracketed) {
        fuzz::require(s.stepping.stop == fanno::Stop::WithinTolerance && s.M == s.stepping.iteration.value);
        fuzz::require(miss < 1e-4);
        return;
    }
    fuzz::require(s.stepping.stop != fanno::Stop::WithinTolerance);
    fuzz::require(s.bracketed->converged && s.M == s.bracketed->value);
    fuzz::require(s.bracketed->passes <= (supersonic ? 500 : 1100) + 2000);
    // Where M^2 is below the smallest normal double 4fL*/D(M) keeps few digits; such an M shows as 0.
    if (s.M * s.M >= std::numeric_limits<double>::min())
        fuzz::require(miss <= 1e-6 * std::max(1.0, target));
    else
        fuzz::require(common::writeNumber(s.M, 4) == "0");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Press p = fuzz::press(data, size, 2, 2);
    if (p.values.empty())
        return 0;
    const double gama = p.values[0];
    const double value = p.values[1];
    if (p.option == 0) {
        const auto result = fanno::fromM(gama, value);
        if (!result.ok()) {
            fuzz::require(refusalAllowed(result.refusal().render(), true));
            return 0;
        }
        const fanno::FromM& f = result.value();
        const fanno::Ratios& r = f.ratios;
        fuzz::requireFinite({ f.M, f.FLD4, r.TTstar, r.PPstar, r.RoRoStar, r.PoPoStar });
        fuzz::require(f.M > 0.0 && f.FLD4 > -5e-5 && r.TTstar > 0.0 && r.PPstar > 0.0 && r.RoRoStar > 0.0);
        fuzz::require(r.TTstar <= 0.5 * (gama + 1.0) * (1.0 + 1e-12) && r.PoPoStar > 1.0 - 5e-5);
        return 0;
    }
    const auto result = fanno::fromFLD4(gama, value);
    if (!result.ok()) {
        fuzz::require(refusalAllowed(result.refusal().render(), false));
        return 0;
    }
    const fanno::FromFLD4& f = result.value();
    const fanno::Constants c = fanno::Sabitler(gama);
    fuzz::require(std::isfinite(value) && value >= 0.0 && f.FLD4given == value);
    requireSolution(c, value, f.Msub, false);
    fuzz::require(f.notice.has_value() != f.Msup.has_value());
    if (f.Msup) {
        requireSolution(c, value, *f.Msup, true);
        return 0;
    }
    // No supersonic Mach number: only after the stepping search gave up, and told by one of two notices.
    fuzz::require(fanno::iter_for_M_for_Given_FLD4(c, 1.0, +1, value).stop != fanno::Stop::WithinTolerance);
    const std::string notice = f.notice->render();
    const double largest = fanno::largestSupersonicFLD4(c);
    if (notice == "bu 4L*f/D için süpersonik çözüm yok")
        fuzz::require(value >= largest);
    else
        fuzz::require(notice == "The value is too large to be calculated" && value < largest);
    return 0;
}
