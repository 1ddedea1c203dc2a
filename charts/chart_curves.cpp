#include "chart_curves.h"

#include "gasdyn.h"
#include "number.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace charts {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kDegree = 180.0 / std::numbers::pi;

int indexOf(gasdyn::Flow flow, std::string_view quantity)
{
    return *gasdyn::quantityIndex(flow, quantity);
}

// n points from a to b, both included, crowded towards both ends (cosine spacing), where the curves of the
// charts bend: the largest deflection, the sonic point.
std::vector<double> crowdedAtEnds(double a, double b, int n)
{
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / (n - 1);
        values.push_back(a + (b - a) * (1.0 - std::cos(std::numbers::pi * t)) / 2.0);
    }
    values.front() = a;
    values.back() = b;
    return values;
}

void add(Points& points, double x, double y)
{
    if (std::isfinite(x) && std::isfinite(y))
        points.push_back({ x, y });
}

// The Mach angle in degrees; zero for the hypersonic limit.
double machAngle(double M1)
{
    return std::isinf(M1) ? 0.0 : std::asin(1.0 / M1) * kDegree;
}

std::string machName(double M1)
{
    return std::isinf(M1) ? "M1 → ∞" : "M1 = " + common::writeUnrounded(M1);
}

// The values of one state, or nothing where the engine refuses it.
std::optional<gasdyn::Solution> solved(gasdyn::Flow flow, double gamma, std::initializer_list<gasdyn::Given> inputs,
    gasdyn::Branch branch = gasdyn::Branch::None)
{
    const gasdyn::Outcome outcome
        = gasdyn::solve(flow, gamma, std::span<const gasdyn::Given>(inputs.begin(), inputs.size()), branch);
    if (const auto* solution = std::get_if<gasdyn::Solution>(&outcome))
        return *solution;
    return std::nullopt;
}

std::optional<gasdyn::Solution> solvedAtMach(gasdyn::Flow flow, double gamma, double mach)
{
    return solved(flow, gamma, { gasdyn::Given { indexOf(flow, "M"), mach } });
}

std::optional<gasdyn::Solution> obliqueAtBeta(double gamma, double M1, double beta)
{
    using gasdyn::Flow;
    return solved(Flow::ObliqueShock, gamma,
        { gasdyn::Given { indexOf(Flow::ObliqueShock, "M1"), M1 },
            gasdyn::Given { indexOf(Flow::ObliqueShock, "beta"), beta } });
}

// The point (x, y) of one state: two quantities of a solution; nothing where either is missing.
std::optional<Point> pointOf(const std::optional<gasdyn::Solution>& solution, gasdyn::Flow flow, std::string_view x,
    std::string_view y, double xSign = 1.0)
{
    if (!solution)
        return std::nullopt;
    const auto xValue = gasdyn::valueOf(*solution, indexOf(flow, x));
    const auto yValue = gasdyn::valueOf(*solution, indexOf(flow, y));
    if (!xValue || !yValue || !std::isfinite(*xValue) || !std::isfinite(*yValue))
        return std::nullopt;
    return Point { xSign * *xValue, *yValue };
}

// The entropy line of Fanno or Rayleigh flow over the Mach numbers: T/T* against (s - s*)/R.
Points entropyLine(gasdyn::Flow flow, double gamma, const std::vector<double>& machs)
{
    Points points;
    points.reserve(machs.size());
    for (double M : machs) {
        if (auto p = pointOf(solvedAtMach(flow, gamma, M), flow, "(s*-s)/R", "T/T*", -1.0))
            points.push_back(*p);
    }
    return points;
}

} // namespace

std::array<double, 7> thetaBetaMachs()
{
    return { 1.2, 1.5, 2.0, 3.0, 5.0, 10.0, kInfinity };
}

std::vector<Curve> thetaBetaMCurves(double gamma)
{
    namespace oblique = gasdyn::oblique;
    std::vector<Curve> curves;
    for (double M1 : thetaBetaMachs()) {
        Curve curve { machName(M1), {} };
        const double detached = oblique::detachment(gamma, M1).beta;
        std::vector<double> betas = crowdedAtEnds(machAngle(M1), detached, 90);
        const std::vector<double> strong = crowdedAtEnds(detached, 90.0, 60);
        betas.insert(betas.end(), strong.begin() + 1, strong.end());
        curve.points.reserve(betas.size());
        for (double beta : betas)
            add(curve.points, beta, oblique::deflection(gamma, M1, beta));
        curves.push_back(std::move(curve));
    }
    // The loci from M1 just above 1 (where both meet the normal shock at beta = 90) to the hypersonic limit.
    Curve detachment { "detachment (θmax)", {} };
    Curve sonic { "sonic (M2 = 1)", {} };
    constexpr int steps = 120;
    for (int i = 0; i <= steps + 1; ++i) {
        const double M1 = i <= steps ? 1.0 + std::pow(10.0, -4.0 + 7.0 * i / steps) : kInfinity;
        const oblique::Detachment d = oblique::detachment(gamma, M1);
        add(detachment.points, d.beta, d.theta);
        const double beta = oblique::sonicBeta(gamma, M1);
        add(sonic.points, beta, oblique::deflection(gamma, M1, beta));
    }
    curves.push_back(std::move(detachment));
    curves.push_back(std::move(sonic));
    return curves;
}

ShockPolar shockPolar(double gamma, double M1)
{
    using gasdyn::Flow;
    ShockPolar polar { { "weak", {} }, { "strong", {} }, {} };
    const gasdyn::oblique::Detachment d = gasdyn::oblique::detachment(gamma, M1);
    const auto fill = [&](Points& points, const std::vector<double>& betas) {
        points.reserve(betas.size());
        for (double beta : betas) {
            if (auto p = pointOf(obliqueAtBeta(gamma, M1, beta), Flow::ObliqueShock, "theta", "p2/p1"))
                points.push_back(*p);
        }
    };
    fill(polar.weak.points, crowdedAtEnds(machAngle(M1), d.beta, 100));
    fill(polar.strong.points, crowdedAtEnds(d.beta, 90.0, 80));
    if (auto p = pointOf(obliqueAtBeta(gamma, M1, d.beta), Flow::ObliqueShock, "theta", "p2/p1"))
        polar.detachment = *p;
    return polar;
}

std::vector<Curve> fannoRayleighCurves(double gamma)
{
    using gasdyn::Flow;
    const std::vector<double> subsonic = crowdedAtEnds(0.02, 1.0, 150);
    const std::vector<double> supersonic = crowdedAtEnds(1.0, 10.0, 150);
    return {
        { "Fanno, subsonic", entropyLine(Flow::Fanno, gamma, subsonic) },
        { "Fanno, supersonic", entropyLine(Flow::Fanno, gamma, supersonic) },
        { "Rayleigh, subsonic", entropyLine(Flow::Rayleigh, gamma, subsonic) },
        { "Rayleigh, supersonic", entropyLine(Flow::Rayleigh, gamma, supersonic) },
    };
}

std::vector<Curve> isentropicCurves(double gamma)
{
    using gasdyn::Flow;
    std::vector<double> machs = crowdedAtEnds(0.05, 1.0, 100);
    const std::vector<double> supersonic = crowdedAtEnds(1.0, 5.0, 100);
    machs.insert(machs.end(), supersonic.begin() + 1, supersonic.end());
    std::vector<Curve> curves { { "p/p0", {} }, { "T/T0", {} }, { "ρ/ρ0", {} }, { "A/A*", {} } };
    constexpr std::array<std::string_view, 4> quantity { "p/p0", "T/T0", "rho/rho0", "A/A*" };
    for (Curve& curve : curves)
        curve.points.reserve(machs.size());
    for (double M : machs) {
        const auto solution = solvedAtMach(Flow::Isentropic, gamma, M);
        for (std::size_t i = 0; i < curves.size(); ++i) {
            if (auto p = pointOf(solution, Flow::Isentropic, "M", quantity[i]))
                curves[i].points.push_back(*p);
        }
    }
    return curves;
}

std::optional<Chart> chartOf(const std::string& flow)
{
    if (flow == "isentropic" || flow == "prandtl-meyer")
        return Chart::Isentropic;
    if (flow == "normal-shock" || flow == "oblique-shock")
        return Chart::ShockPolar;
    if (flow == "rayleigh" || flow == "fanno")
        return Chart::FannoRayleigh;
    return std::nullopt;
}

std::vector<Mark> marksOf(const common::Answer& answer)
{
    using gasdyn::Flow;
    std::vector<Mark> marks;
    const double gamma = answer.gamma;
    const double M = answer.mach;
    if (answer.flow == "isentropic" || answer.flow == "prandtl-meyer") {
        const auto solution = solvedAtMach(Flow::Isentropic, gamma, M);
        for (std::string_view quantity : { "p/p0", "T/T0", "rho/rho0", "A/A*" }) {
            if (auto p = pointOf(solution, Flow::Isentropic, "M", quantity))
                marks.push_back({ Chart::Isentropic, *p });
        }
    } else if (answer.flow == "normal-shock") {
        const auto solution
            = solved(Flow::NormalShock, gamma, { gasdyn::Given { indexOf(Flow::NormalShock, "M1"), M } });
        if (solution) {
            if (auto ratio = gasdyn::valueOf(*solution, indexOf(Flow::NormalShock, "p2/p1"))) {
                marks.push_back({ Chart::ThetaBetaM, { 90.0, 0.0 } });
                marks.push_back({ Chart::ShockPolar, { 0.0, *ratio }, M });
            }
        }
    } else if (answer.flow == "oblique-shock") {
        std::optional<gasdyn::Solution> solution;
        if (answer.beta) {
            solution = obliqueAtBeta(gamma, M, *answer.beta);
        } else if (answer.theta) {
            const auto branch = gasdyn::branchNamed(answer.branch).value_or(gasdyn::Branch::Weak);
            solution = solved(Flow::ObliqueShock, gamma,
                { gasdyn::Given { indexOf(Flow::ObliqueShock, "M1"), M },
                    gasdyn::Given { indexOf(Flow::ObliqueShock, "theta"), *answer.theta } },
                branch);
        }
        if (auto p = pointOf(solution, Flow::ObliqueShock, "beta", "theta"))
            marks.push_back({ Chart::ThetaBetaM, *p });
        if (auto p = pointOf(solution, Flow::ObliqueShock, "theta", "p2/p1"))
            marks.push_back({ Chart::ShockPolar, *p, M });
    } else if (answer.flow == "rayleigh" || answer.flow == "fanno") {
        const Flow flow = answer.flow == "fanno" ? Flow::Fanno : Flow::Rayleigh;
        for (const auto& mach : { std::optional<double>(M), answer.otherMach }) {
            if (!mach)
                continue;
            if (auto p = pointOf(solvedAtMach(flow, gamma, *mach), flow, "(s*-s)/R", "T/T*", -1.0))
                marks.push_back({ Chart::FannoRayleigh, *p });
        }
    }
    return marks;
}

} // namespace charts
