// Any gamma and input texts: an expansion wave press is refused with one of its messages or shows finite
// numbers, with supersonic Mach numbers found within the passes and tolerance of their search.
#include "expansion_wave_calc.h"
#include "fuzz_input.h"

#include <cmath>
#include <numbers>
#include <string>

namespace {

bool allowed(const std::string& message)
{
    const auto endsWith = [&](const std::string& tail) {
        return message.size() >= tail.size() && message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
    };
    for (const char* fixed : { "Gamma must be greater than 1", "M2 must be greater than 1",
             "M1 and M2 must be greater than 1", "M1 must be greater than 1", "There is no solution for given M2",
             "The value is too large to be calculated" })
        if (message == fixed)
            return true;
    return (message.rfind("Nu1 must be less than ", 0) == 0 || message.rfind("Nu2 must be less than ", 0) == 0)
        && endsWith(" degrees for this gamma");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Press p = fuzz::press(data, size, 3, 3);
    if (p.values.empty())
        return 0;
    const double gama = p.values[0];
    const double a = p.values[1]; // M2 for output M1, M1 otherwise
    const double b = p.values[2]; // M2 for output Teta, Teta otherwise
    const auto result = p.option == 0 ? expansion_wave::findM1(gama, a, b)
        : p.option == 1               ? expansion_wave::findTeta(gama, a, b)
                                      : expansion_wave::findM2(gama, a, b);
    if (!result.ok()) {
        const std::string message = result.refusal().render();
        fuzz::require(allowed(message));
        if (message == "There is no solution for given M2") {
            // only a target angle below zero has no Mach number
            const double nu = expansion_wave::Nu_için_hesap(expansion_wave::constantsFor(gama).Kpm, a);
            fuzz::require((p.option == 0 ? nu - b : nu + b) < 0.0);
        }
        return 0;
    }
    const expansion_wave::Wave& w = result.value();
    fuzz::requireFinite({ w.M1, w.Teta, w.M2, w.Nu1, w.Nu2, w.p2p1, w.T2T1 });
    fuzz::require(w.M1 >= 1.0 && w.M2 >= 1.0 && w.T2T1 >= 0.0 && w.p2p1 >= 0.0);
    fuzz::require(w.Nu1 > -0.005 && w.Nu2 > -0.005);
    if (p.option == 1) {
        fuzz::require(!w.iteration && !w.fallback);
        return 0;
    }
    fuzz::require(w.iteration && w.iteration->passes >= 1 && w.iteration->passes <= 50);
    fuzz::require(w.fallback.has_value() == !w.iteration->converged);
    if (w.fallback)
        fuzz::require(w.fallback->converged && w.fallback->passes <= 400);
    const double Kpm = expansion_wave::constantsFor(gama).Kpm;
    const double sought = p.option == 0 ? w.M1 : w.M2;
    const double target = (p.option == 0 ? w.Nu1 : w.Nu2) * std::numbers::pi / 180.0;
    const double residual = std::fabs(expansion_wave::Nu_için_hesap(Kpm, sought) * std::numbers::pi / 180.0 - target);
    fuzz::require(residual < (w.fallback ? 1e-9 : 1e-5) + 1e-12 * std::fabs(target));
    return 0;
}
