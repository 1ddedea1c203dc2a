// An independent check of the oblique shock solutions, shared by the random-press test and the fuzz target:
// the deflection is taken from the theta-beta-M relation itself and its largest value is searched for, not
// computed in closed form as the calculation does.
#pragma once

#include <cmath>

namespace deflection_oracle {

// The deflection (degrees) that the wave angle BetaD turns the stream through, from the relation itself.
inline double deflection(double gama, double M1, double BetaD)
{
    const double Beta = BetaD * std::atan(1.0) / 45.0;
    const double Ms = M1 * std::sin(Beta);
    return std::atan(2.0 * (Ms * Ms - 1.0) / (std::tan(Beta) * (M1 * M1 * (gama + std::cos(2.0 * Beta)) + 2.0))) * 45.0
        / std::atan(1.0);
}

// The wave angle (degrees) of the largest deflection for M1, by a golden-section search between the Mach angle and
// 90 degrees: the relation rises up to it and falls beyond it.
inline double largestDeflectionAngle(double gama, double M1)
{
    double low = std::asin(1.0 / M1) * 45.0 / std::atan(1.0);
    double high = 90.0;
    for (int i = 0; i < 120; ++i) {
        const double a = low + (high - low) * 0.381966;
        const double b = low + (high - low) * 0.618034;
        if (deflection(gama, M1, a) < deflection(gama, M1, b))
            low = a;
        else
            high = b;
    }
    return (low + high) / 2.0;
}

} // namespace deflection_oracle
