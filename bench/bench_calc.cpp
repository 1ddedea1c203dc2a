// The cost of one calculation of each option of each calculator, iterations included.
#include "expansion_wave_calc.h"
#include "fanno_calc.h"
#include "isentropic_calc.h"
#include "normal_shock_calc.h"
#include "oblique_shock_calc.h"
#include "rayleigh_calc.h"

#include <benchmark/benchmark.h>

namespace {

template <class F>
void calc(benchmark::State& state, F calculation)
{
    for (auto _ : state) {
        auto result = calculation();
        benchmark::DoNotOptimize(result);
    }
}

constexpr double air = 1.4;

} // namespace

BENCHMARK_CAPTURE(calc, isentropic_M, [] { return isentropic::fromM(air, 2.0); });
BENCHMARK_CAPTURE(calc, isentropic_PoP, [] { return isentropic::fromPoP(air, 7.8244); });
BENCHMARK_CAPTURE(calc, isentropic_ToT, [] { return isentropic::fromToT(air, 1.8); });
BENCHMARK_CAPTURE(calc, isentropic_Nu, [] { return isentropic::fromNu(air, 26.38); });
BENCHMARK_CAPTURE(calc, isentropic_Mu, [] { return isentropic::fromMu(air, 30.0); });
BENCHMARK_CAPTURE(calc, normal_shock_M1, [] { return normal_shock::fromM1(air, 2.0); });
BENCHMARK_CAPTURE(calc, normal_shock_M2, [] { return normal_shock::fromM2(air, 0.5); });
BENCHMARK_CAPTURE(calc, normal_shock_Po2P1, [] { return normal_shock::fromPo2P1(air, 5.64044); });
BENCHMARK_CAPTURE(calc, rayleigh_M, [] { return rayleigh::fromM(air, 2.0); });
BENCHMARK_CAPTURE(calc, rayleigh_ToToStar, [] { return rayleigh::fromToToStar(air, 0.8); });
BENCHMARK_CAPTURE(calc, fanno_M, [] { return fanno::fromM(air, 2.0); });
BENCHMARK_CAPTURE(calc, fanno_FLD4, [] { return fanno::fromFLD4(air, 0.5); });
BENCHMARK_CAPTURE(calc, fanno_FLD4_bracketed, [] { return fanno::fromFLD4(air, 0.8); });
BENCHMARK_CAPTURE(
    calc, oblique_Beta_weak, [] { return oblique_shock::findBeta(air, 2.0, 10.0, oblique_shock::Solution::Weak); });
BENCHMARK_CAPTURE(
    calc, oblique_Beta_strong, [] { return oblique_shock::findBeta(air, 2.0, 10.0, oblique_shock::Solution::Strong); });
BENCHMARK_CAPTURE(calc, oblique_Teta, [] { return oblique_shock::findTeta(air, 2.0, 40.0); });
BENCHMARK_CAPTURE(calc, oblique_M1, [] { return oblique_shock::findM1(air, 10.0, 40.0); });
BENCHMARK_CAPTURE(calc, expansion_M1, [] { return expansion_wave::findM1(air, 2.385, 10.0); });
BENCHMARK_CAPTURE(calc, expansion_Teta, [] { return expansion_wave::findTeta(air, 2.0, 2.385); });
BENCHMARK_CAPTURE(calc, expansion_M2, [] { return expansion_wave::findM2(air, 2.0, 10.0); });

BENCHMARK_MAIN();
