// Speed of the oblique and conical shocks in the engine: the closed forms, the weak/strong inversion by
// TOMS 748 and the Taylor-Maccoll integration.
#include "gasdyn.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace gasdyn;

namespace {

void solveOnce(benchmark::State& state, Flow flow, int second, double m1, double value, Branch branch)
{
    const std::array<Given, 2> in { Given { 0, m1 }, Given { second, value } };
    for (auto _ : state)
        benchmark::DoNotOptimize(solve(flow, 1.4, in, branch));
}

void obliqueFromWaveAngle(benchmark::State& state)
{
    solveOnce(state, Flow::ObliqueShock, 2, 2.0, 40.0, Branch::None);
}
void obliqueWeak(benchmark::State& state)
{
    solveOnce(state, Flow::ObliqueShock, 1, 2.0, 10.0, Branch::Weak);
}
void obliqueStrong(benchmark::State& state)
{
    solveOnce(state, Flow::ObliqueShock, 1, 2.0, 10.0, Branch::Strong);
}
void obliqueDetachment(benchmark::State& state)
{
    double m1 = 2.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(oblique::detachment(1.4, m1));
        benchmark::DoNotOptimize(oblique::sonicBeta(1.4, m1));
    }
}
void obliqueDeflection(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(oblique::deflection(1.4, 2.0, 40.0));
}
// The largest cone angle is remembered for the last (gamma, M1), as in a table at fixed M1; the "cold" cases
// change M1 on every call so that it is searched for each time.
void conicalFromWaveAngle(benchmark::State& state)
{
    solveOnce(state, Flow::ConicalShock, 2, 2.0, 40.0, Branch::None);
}
void conicalFromConeAngle(benchmark::State& state)
{
    solveOnce(state, Flow::ConicalShock, 1, 2.0, 20.0, Branch::None);
}
void conicalFromWaveAngleCold(benchmark::State& state)
{
    double m1 = 2.0;
    for (auto _ : state) {
        m1 = m1 == 2.0 ? 2.0000001 : 2.0;
        const std::array<Given, 2> in { Given { 0, m1 }, Given { 2, 40.0 } };
        benchmark::DoNotOptimize(solve(Flow::ConicalShock, 1.4, in));
    }
}
void conicalFromConeAngleCold(benchmark::State& state)
{
    double m1 = 2.0;
    for (auto _ : state) {
        m1 = m1 == 2.0 ? 2.0000001 : 2.0;
        const std::array<Given, 2> in { Given { 0, m1 }, Given { 1, 20.0 } };
        benchmark::DoNotOptimize(solve(Flow::ConicalShock, 1.4, in));
    }
}

} // namespace

BENCHMARK(obliqueFromWaveAngle);
BENCHMARK(obliqueWeak);
BENCHMARK(obliqueStrong);
BENCHMARK(obliqueDetachment);
BENCHMARK(obliqueDeflection);
BENCHMARK(conicalFromWaveAngle)->Unit(benchmark::kMicrosecond);
BENCHMARK(conicalFromConeAngle)->Unit(benchmark::kMicrosecond);
BENCHMARK(conicalFromWaveAngleCold)->Unit(benchmark::kMicrosecond);
BENCHMARK(conicalFromConeAngleCold)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
