// Per-call cost of the state interface for IFC-67: every property of a state from each input pair, at states
// in each sub-region and phase, and the kernel's own operations beneath them.
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "ifc67/ifc67.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using PairFunction = State (*)(double, double, FormulationCode);

void Pair(benchmark::State& state, PairFunction f, double a, double b, FormulationCode code) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(f(a, b, code));
  }
}

// StateOfTP per sub-region: 1 and 2 (Gibbs), 3 on its vapour and dense branches, 4 (Helmholtz, a density
// solve each).
BENCHMARK_CAPTURE(Pair, StateOfTP_67_subregion1, brimwater::StateOfTP, 300.0, 3.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfTP_67_subregion2, brimwater::StateOfTP, 700.0, 0.0035, -67);
BENCHMARK_CAPTURE(Pair, StateOfTP_67_subregion3, brimwater::StateOfTP, 650.0, 25.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfTP_67_subregion3_vapour, brimwater::StateOfTP, 640.0, 19.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfTP_67_subregion4, brimwater::StateOfTP, 640.0, 25.0, -67);
// The saturated states: sub-regions 1 and 2 below 623.15 K, 4 and 3 above.
BENCHMARK_CAPTURE(Pair, StateOfTX_67_below_623K, brimwater::StateOfTX, 450.0, 0.5, -67);
BENCHMARK_CAPTURE(Pair, StateOfTX_67_subregions4_3, brimwater::StateOfTX, 640.0, 0.5, -67);
BENCHMARK_CAPTURE(Pair, StateOfPX_67, brimwater::StateOfPX, 1.0, 0.5, -67);
// The inverse pairs.
BENCHMARK_CAPTURE(Pair, StateOfPH_67_superheated, brimwater::StateOfPH, 1.0, 3000.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfPH_67_liquid, brimwater::StateOfPH, 10.0, 1000.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfPH_67_wet, brimwater::StateOfPH, 0.1, 2000.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfPH_67_supercritical, brimwater::StateOfPH, 25.0, 2500.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfPS_67_superheated, brimwater::StateOfPS, 1.0, 7.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfHS_67_superheated, brimwater::StateOfHS, 3000.0, 7.0, -67);
BENCHMARK_CAPTURE(Pair, StateOfHS_67_liquid, brimwater::StateOfHS, 1000.0, 2.5, -67);
BENCHMARK_CAPTURE(Pair, StateOfHS_67_wet, brimwater::StateOfHS, 2000.0, 6.0, -67);

// The kernel's operations: the K-function's inverse to the last bits, one point of a sub-region's
// fundamental equation, and a sub-region 3 density.
void Ifc67KTemperature(benchmark::State& state) {
  double P = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(P);
    benchmark::DoNotOptimize(brimwater::ifc67::KTemperature(P));
  }
}
BENCHMARK(Ifc67KTemperature);

void Ifc67Subregion1Point(benchmark::State& state) {
  double T = 300.0, P = 3.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::ifc67::Subregion1Point(T, P));
  }
}
BENCHMARK(Ifc67Subregion1Point);

void Ifc67Subregion2Point(benchmark::State& state) {
  double T = 700.0, P = 0.0035;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::ifc67::Subregion2Point(T, P));
  }
}
BENCHMARK(Ifc67Subregion2Point);

void Ifc67Subregion3Point(benchmark::State& state) {
  double T = 650.0, rho = 0.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::ifc67::Subregion3Point(T, rho));
  }
}
BENCHMARK(Ifc67Subregion3Point);

void Ifc67Subregion3Density(benchmark::State& state) {
  double T = 650.0, P = 25.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::ifc67::Subregion3Density(T, P, brimwater::ifc67::Branch::Liquid));
  }
}
BENCHMARK(Ifc67Subregion3Density);

}  // namespace
