// Any gamma and input text: a normal shock press is refused with one of its messages, or shows finite
// numbers with positive Mach numbers, and the pitot iteration keeps to its pass limit.
#include "fuzz_input.h"
#include "normal_shock_calc.h"

#include <cmath>
#include <string>

namespace {

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The refusals a press with this option may show.
bool allowed(const common::Message& refusal, int option)
{
    const std::string text = refusal.render();
    if (text == "Gamma must be greater than 1" || text == "The value is too large to be calculated")
        return true;
    if (option == 0)
        return text == "M1 must be equal or greater than 1";
    if (option == 1) {
        if (text == "M2 must be equal or lower than 1" || text == "M2 must be greater than 0.3779")
            return true;
        return refusal.before == "M2 must be greater than " && refusal.number && std::isfinite(*refusal.number)
            && *refusal.number > 0.0 && refusal.after == " for this gamma";
    }
    if (text == "Po2/P1 must be greater then 1.8929")
        return true;
    return refusal.before == "Po2/P1 must be equal or greater than " && refusal.number && std::isfinite(*refusal.number)
        && *refusal.number > 0.0 && endsWith(text, " for this gamma");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Press p = fuzz::press(data, size, 3, 2);
    if (p.values.empty())
        return 0;
    const double gama = p.values[0];
    const double value = p.values[1];
    const auto result = p.option == 0 ? normal_shock::fromM1(gama, value)
        : p.option == 1               ? normal_shock::fromM2(gama, value)
                                      : normal_shock::fromPo2P1(gama, value);
    if (!result.ok()) {
        fuzz::require(allowed(result.refusal(), p.option));
        return 0;
    }
    const normal_shock::Shock& s = result.value();
    fuzz::requireFinite({ s.M1, s.M2, s.P2P1, s.T2T1, s.Ro2Ro1, s.Po2Po1, s.Po2P1 });
    fuzz::require(s.M1 > 0.0 && s.M2 > 0.0 && s.P2P1 > 0.0 && s.T2T1 > 0.0 && s.Ro2Ro1 > 0.0 && s.Po2Po1 > 0.0);
    fuzz::require(s.iteration.passes <= normal_shock::passLimit);
    if (p.option == 2) {
        fuzz::require(s.iteration.passes >= 1 && s.notice.has_value() == !s.iteration.converged);
        fuzz::require(std::fabs(s.Po2P1 / value - 1.0) < 1e-3); // the M1 found gives the typed ratio back
    } else {
        fuzz::require(!s.notice && s.iteration.passes == 0);
    }
    return 0;
}
