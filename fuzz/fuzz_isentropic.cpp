// Any gamma and input text: an isentropic press is refused or shows finite numbers.
#include "fuzz_input.h"
#include "isentropic_calc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Press p = fuzz::press(data, size, 5, 2);
    if (p.values.empty())
        return 0;
    const double gama = p.values[0];
    const double value = p.values[1];
    const auto result = p.option == 0 ? isentropic::fromM(gama, value)
        : p.option == 1               ? isentropic::fromPoP(gama, value)
        : p.option == 2               ? isentropic::fromToT(gama, value)
        : p.option == 3               ? isentropic::fromNu(gama, value)
                                      : isentropic::fromMu(gama, value);
    if (!result.ok())
        return 0;
    const isentropic::Flow& f = result.value();
    fuzz::requireFinite({ f.M, f.PoP, f.ToT, f.RoR, f.nu.value_or(0.0), f.mu.value_or(0.0) });
    fuzz::require(f.M > 0.0 && f.iteration.passes <= 500);
    return 0;
}
