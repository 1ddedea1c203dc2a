// The curves of the charts window and where an answer lies on them, computed from the gas-dynamics engine.
// No Qt: every point is a pair of doubles, every value finite; a point the engine refuses is left out.
#pragma once

#include "answer.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace charts {

struct Point {
    double x = 0.0;
    double y = 0.0;
};
using Points = std::vector<Point>;

// One drawn line: its name (as the legend and the hover line show it) and its points in drawing order.
struct Curve {
    std::string name;
    Points points;
};

// The upstream Mach numbers of the theta-beta-M chart; the last is the hypersonic limit (+infinity).
std::array<double, 7> thetaBetaMachs();

// Deflection theta against wave angle beta (degrees) for each of thetaBetaMachs(), from the Mach angle to
// 90 degrees, sampled densely about the largest deflection; then the detachment locus (beta, theta_max)
// and the sonic locus (M2 = 1) over M1 from 1 to +infinity. Curves 0 to 6 are the Mach numbers, 7 the
// detachment locus, 8 the sonic locus.
std::vector<Curve> thetaBetaMCurves(double gamma);

// The pressure-deflection polar for M1 > 1: p2/p1 against theta (degrees), the weak branch (from the Mach
// wave to the largest deflection) and the strong branch (from there to the normal shock), both taken
// through solve(ObliqueShock, gamma, {M1, beta}); and the point of largest deflection.
struct ShockPolar {
    Curve weak;
    Curve strong;
    Point detachment;
};
ShockPolar shockPolar(double gamma, double M1);

// Fanno and Rayleigh lines on the T/T* against (s - s*)/R plane: subsonic (M from 0.02 to 1) and supersonic
// (M from 1 to 10) branches of each, sampled densely near M = 1. Order: Fanno subsonic, Fanno supersonic,
// Rayleigh subsonic, Rayleigh supersonic.
std::vector<Curve> fannoRayleighCurves(double gamma);

// p/p0, T/T0, rho/rho0 and A/A* against M from 0.05 to 5, sampled densely near M = 1.
std::vector<Curve> isentropicCurves(double gamma);

enum class Chart { ThetaBetaM, ShockPolar, FannoRayleigh, Isentropic };
inline constexpr int kChartCount = 4;

// One marked point of an answer: the chart it belongs on and its place there. `upstreamMach` is the M1 whose
// shock polar holds the point (shock polar marks only).
struct Mark {
    Chart chart;
    Point at;
    double upstreamMach = 0.0;
};

// Where an answer lies on the charts, found with the answer's own gamma: isentropic and Prandtl-Meyer answers
// (the flow ahead of the expansion) on the isentropic ratios (one point per ratio); normal shocks at beta = 90
// on the theta-beta-M chart and at the top of the shock polar; oblique shocks at (beta, theta) and on the
// polar; Rayleigh and Fanno answers on their line (both Mach numbers where the press found two). An answer
// the engine refuses, or of a flow no chart shows (the conical shock), has no marks.
std::vector<Mark> marksOf(const common::Answer& answer);

// The chart that shows an answer of this flow, or nothing ("conical-shock").
std::optional<Chart> chartOf(const std::string& flow);

} // namespace charts
