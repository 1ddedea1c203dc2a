// The cost of one solve of the engine through gasdyn::solve, per flow and input.
#include "gasdyn.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void solveOnce(benchmark::State& state, gasdyn::Flow flow, std::vector<gasdyn::Given> inputs,
    gasdyn::Branch branch = gasdyn::Branch::None)
{
    for (auto _ : state) {
        auto outcome = gasdyn::solve(flow, 1.4, inputs, branch);
        benchmark::DoNotOptimize(outcome);
    }
}

using gasdyn::Branch;
using gasdyn::Flow;

} // namespace

// ---- Isentropic, normal shock, Rayleigh, Fanno, Prandtl-Meyer ----------------------------------------------
// Closed forms (goal: under 200 ns each).
BENCHMARK_CAPTURE(solveOnce, isentropic_M, Flow::Isentropic, { { 0, 2.0 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_p_p0, Flow::Isentropic, { { 1, 0.1278 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_T_T0, Flow::Isentropic, { { 2, 0.5556 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_rho_rho0, Flow::Isentropic, { { 3, 0.2300 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_p_pstar, Flow::Isentropic, { { 5, 0.2420 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_T_Tstar, Flow::Isentropic, { { 6, 0.6667 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_rho_rhostar, Flow::Isentropic, { { 7, 0.3629 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_V_astar, Flow::Isentropic, { { 8, 1.633 } });
BENCHMARK_CAPTURE(solveOnce, isentropic_mu, Flow::Isentropic, { { 10, 30.0 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_M1, Flow::NormalShock, { { 0, 2.0 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_M2, Flow::NormalShock, { { 1, 0.5774 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_p2_p1, Flow::NormalShock, { { 2, 4.5 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_rho2_rho1, Flow::NormalShock, { { 3, 2.667 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_T2_T1, Flow::NormalShock, { { 4, 1.6875 } });
BENCHMARK_CAPTURE(solveOnce, rayleigh_M, Flow::Rayleigh, { { 0, 2.0 } });
BENCHMARK_CAPTURE(solveOnce, rayleigh_T0_T0star_sup, Flow::Rayleigh, { { 1, 0.7934 } }, Branch::Sup);
BENCHMARK_CAPTURE(solveOnce, rayleigh_T_Tstar_high, Flow::Rayleigh, { { 2, 0.5289 } }, Branch::High);
BENCHMARK_CAPTURE(solveOnce, rayleigh_p_pstar, Flow::Rayleigh, { { 3, 0.3636 } });
BENCHMARK_CAPTURE(solveOnce, rayleigh_rho_rhostar, Flow::Rayleigh, { { 4, 0.6875 } });
BENCHMARK_CAPTURE(solveOnce, rayleigh_V_Vstar, Flow::Rayleigh, { { 6, 1.4545 } });
BENCHMARK_CAPTURE(solveOnce, fanno_M, Flow::Fanno, { { 0, 2.0 } });
BENCHMARK_CAPTURE(solveOnce, fanno_T_Tstar, Flow::Fanno, { { 2, 0.6667 } });
BENCHMARK_CAPTURE(solveOnce, fanno_p_pstar, Flow::Fanno, { { 3, 0.4082 } });
BENCHMARK_CAPTURE(solveOnce, fanno_rho_rhostar, Flow::Fanno, { { 4, 0.6124 } });
BENCHMARK_CAPTURE(solveOnce, fanno_V_Vstar, Flow::Fanno, { { 6, 1.633 } });
BENCHMARK_CAPTURE(solveOnce, prandtl_meyer_M1_M2, Flow::PrandtlMeyer, { { 0, 2.0 }, { 1, 3.0 } });
// Inversions by TOMS 748 (goal: under 1 us each).
BENCHMARK_CAPTURE(solveOnce, isentropic_A_Astar_sub, Flow::Isentropic, { { 4, 1.6875 } }, Branch::Sub);
BENCHMARK_CAPTURE(solveOnce, isentropic_A_Astar_sup, Flow::Isentropic, { { 4, 1.6875 } }, Branch::Sup);
BENCHMARK_CAPTURE(solveOnce, isentropic_nu, Flow::Isentropic, { { 9, 26.38 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_p02_p01, Flow::NormalShock, { { 5, 0.7209 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_p02_p1, Flow::NormalShock, { { 6, 5.6404 } });
BENCHMARK_CAPTURE(solveOnce, normal_shock_entropy, Flow::NormalShock, { { 7, 0.3272 } });
BENCHMARK_CAPTURE(solveOnce, rayleigh_p0_p0star_sup, Flow::Rayleigh, { { 5, 1.5031 } }, Branch::Sup);
BENCHMARK_CAPTURE(solveOnce, rayleigh_entropy_sub, Flow::Rayleigh, { { 7, 0.5 } }, Branch::Sub);
BENCHMARK_CAPTURE(solveOnce, fanno_4fL_D_sub, Flow::Fanno, { { 1, 0.5 } }, Branch::Sub);
BENCHMARK_CAPTURE(solveOnce, fanno_4fL_D_sup, Flow::Fanno, { { 1, 0.3 } }, Branch::Sup);
BENCHMARK_CAPTURE(solveOnce, fanno_p0_p0star_sup, Flow::Fanno, { { 5, 1.6875 } }, Branch::Sup);
BENCHMARK_CAPTURE(solveOnce, prandtl_meyer_M1_theta, Flow::PrandtlMeyer, { { 0, 2.0 }, { 2, 10.0 } });
BENCHMARK_CAPTURE(solveOnce, prandtl_meyer_M2_theta, Flow::PrandtlMeyer, { { 1, 3.0 }, { 2, 10.0 } });
// ---- end of the isentropic, normal shock, Rayleigh, Fanno and Prandtl-Meyer block --------------------------

BENCHMARK_MAIN();
