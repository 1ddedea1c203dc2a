// Any gamma and two input texts: an oblique shock press is refused or shows a finite, physical shock.
#include "deflection_oracle.h"
#include "fuzz_input.h"
#include "oblique_shock_calc.h"

#include <cmath>

using deflection_oracle::deflection;
using deflection_oracle::largestDeflectionAngle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Options: 0 the weak wave angle, 1 the strong one (inputs M1, Teta); 2 the deflection (inputs M1, Beta);
    // 3 the upstream Mach number (inputs Teta, Beta).
    const fuzz::Press p = fuzz::press(data, size, 4, 3);
    if (p.values.empty())
        return 0;
    const double gama = p.values[0];
    const double first = p.values[1];
    const double second = p.values[2];
    const auto result = p.option == 0 ? oblique_shock::findBeta(gama, first, second, oblique_shock::Solution::Weak)
        : p.option == 1               ? oblique_shock::findBeta(gama, first, second, oblique_shock::Solution::Strong)
        : p.option == 2               ? oblique_shock::findTeta(gama, first, second)
                                      : oblique_shock::findM1(gama, first, second);
    if (!result.ok()) {
        // The limit in the no-solution message is a finite angle.
        const auto& refusal = result.refusal();
        fuzz::require(!refusal.number || (std::isfinite(*refusal.number) && p.option == 3));
        return 0;
    }
    const oblique_shock::Shock& s = result.value();
    const oblique_shock::Downstream& b = s.behind;
    fuzz::requireFinite({ s.M1, s.TetaD, s.BetaD, b.Mn1, b.Mn2, b.M2, b.p2p1, b.Ro2Ro1, b.T2T1 });
    // Mach numbers positive, the upstream one supersonic or sonic.
    fuzz::require(s.M1 >= 1.0 && b.Mn1 > 0.0 && b.Mn2 > 0.0 && b.M2 > 0.0);
    // The deflection from 0 to below 90 degrees, the wave angle above it and not beyond 90 degrees.
    fuzz::require(s.TetaD >= 0.0 && s.TetaD < 90.0 && s.BetaD >= 0.0 && s.BetaD <= 90.0 + 1e-6);
    fuzz::require(s.BetaD > s.TetaD || (s.BetaD == 0.0 && s.TetaD == 0.0));
    fuzz::require(b.p2p1 > 0.0 && b.Ro2Ro1 > 0.0 && b.T2T1 > 0.0);
    if (p.option <= 1) {
        fuzz::require(s.M1 == first && s.TetaD == std::fabs(second));
        fuzz::require(s.iteration.converged && s.iteration.passes >= 1 && s.iteration.passes <= 20);
        // Well below the largest deflection, the weak shock lies below the wave angle of the largest deflection
        // and the strong one above it.
        if (gama < 1e6 && s.M1 < 1e6) {
            const double turn = largestDeflectionAngle(gama, s.M1);
            if (s.TetaD <= 0.99 * deflection(gama, s.M1, turn))
                fuzz::require(p.option == 0 ? s.BetaD <= turn + 0.01 : s.BetaD >= turn - 0.01);
        }
    } else {
        fuzz::require(s.iteration.passes == 0);
        fuzz::require(p.option == 2 ? s.M1 == first && s.BetaD == second : s.TetaD == first && s.BetaD == second);
    }
    return 0;
}
