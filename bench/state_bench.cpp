// Per-call cost of the state interface: every property of a state from each input pair, per formulation, at
// states chosen to exercise each region and phase.
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "if97/if97.h"
#include "state/formulation.h"
#include "state_pair.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using brimwater::bench::Pair;

void If97SaturationTemperature(benchmark::State& state) {
  double P = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(P);
    benchmark::DoNotOptimize(brimwater::if97::Region4Temperature(P));
  }
}
BENCHMARK(If97SaturationTemperature);

// IAPWS-IF97: regions 1, 2, 5 and 3 (liquid and vapour side), the inverse pairs and the saturated states.
BENCHMARK_CAPTURE(Pair, StateOfTP_97_region1, brimwater::StateOfTP, 300.0, 3.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfTP_97_region2, brimwater::StateOfTP, 700.0, 0.0035, -97);
BENCHMARK_CAPTURE(Pair, StateOfTP_97_region5, brimwater::StateOfTP, 1500.0, 30.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfTP_97_region3, brimwater::StateOfTP, 650.0, 25.5837018, -97);
BENCHMARK_CAPTURE(Pair, StateOfTP_97_region3_vapour, brimwater::StateOfTP, 640.0, 19.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfPH_97_superheated, brimwater::StateOfPH, 1.0, 3000.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfPH_97_liquid, brimwater::StateOfPH, 10.0, 1000.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfPH_97_wet, brimwater::StateOfPH, 0.1, 2000.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfPH_97_supercritical, brimwater::StateOfPH, 25.0, 2500.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfPS_97_superheated, brimwater::StateOfPS, 1.0, 7.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfHS_97_superheated, brimwater::StateOfHS, 3000.0, 7.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfHS_97_liquid, brimwater::StateOfHS, 1000.0, 2.5, -97);
BENCHMARK_CAPTURE(Pair, StateOfHS_97_wet, brimwater::StateOfHS, 2000.0, 6.0, -97);
BENCHMARK_CAPTURE(Pair, StateOfTX_97_below_623K, brimwater::StateOfTX, 450.0, 0.5, -97);
BENCHMARK_CAPTURE(Pair, StateOfTX_97_region3, brimwater::StateOfTX, 640.0, 0.5, -97);
BENCHMARK_CAPTURE(Pair, StateOfPX_97, brimwater::StateOfPX, 1.0, 0.5, -97);

}  // namespace

namespace {
void If97Region1Point(benchmark::State& state) {
  double T = 300.0, P = 3.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::if97::Region1Point(T, P));
  }
}
BENCHMARK(If97Region1Point);
void If97Region2Point(benchmark::State& state) {
  double T = 700.0, P = 0.0035;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::if97::Region2Point(T, P));
  }
}
BENCHMARK(If97Region2Point);

// The thermodynamic properties of a single-phase state alone (SI units, without the transport properties
// that StateOfTP adds): for IAPWS-IF97 the region's choice, one evaluation of its equation and the property
// relations; for IAPWS-95 the density solve, with the equation's own saturation pressure deciding the side
// near the saturation line, and one evaluation of the equation.
void ThermodynamicState(benchmark::State& state, FormulationCode code, double T, double P) {
  const brimwater::state::Formulation* f = brimwater::state::FormulationOf(code);
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(f->single_phase(T, P));
  }
}
BENCHMARK_CAPTURE(ThermodynamicState, 97_region1, -97, 300.0, 3.0);
BENCHMARK_CAPTURE(ThermodynamicState, 97_region2, -97, 700.0, 0.0035);
BENCHMARK_CAPTURE(ThermodynamicState, 97_region5, -97, 1500.0, 30.0);
BENCHMARK_CAPTURE(ThermodynamicState, 97_region3, -97, 650.0, 25.5837018);
BENCHMARK_CAPTURE(ThermodynamicState, 95_liquid, -95, 300.0, 10.0);
BENCHMARK_CAPTURE(ThermodynamicState, 95_vapour, -95, 700.0, 5.0);
BENCHMARK_CAPTURE(ThermodynamicState, 95_near_critical, -95, 650.0, 25.0);
BENCHMARK_CAPTURE(ThermodynamicState, 95_near_saturation, -95, 450.0, 0.9323);
}  // namespace
