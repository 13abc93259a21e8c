// Per-call cost of the state interface for IFC-67: every property of a state from each input pair, at states
// in each sub-region and phase, and the kernel's own operations beneath them.
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "ifc67/ifc67.h"
#include "state_pair.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using brimwater::bench::Pair;

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
template <typename Operation>
void Kernel(benchmark::State& state, Operation operation, double a, double b) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(operation(a, b));
  }
}

double KTemperature(double P, double) { return brimwater::ifc67::KTemperature(P); }
double Subregion3DenseDensity(double T, double P) {
  return brimwater::ifc67::Subregion3Density(T, P, brimwater::ifc67::Branch::Liquid);
}

BENCHMARK_CAPTURE(Kernel, Ifc67KTemperature, KTemperature, 1.0, 0.0);
BENCHMARK_CAPTURE(Kernel, Ifc67Subregion1Point, brimwater::ifc67::Subregion1Point, 300.0, 3.0);
BENCHMARK_CAPTURE(Kernel, Ifc67Subregion2Point, brimwater::ifc67::Subregion2Point, 700.0, 0.0035);
BENCHMARK_CAPTURE(Kernel, Ifc67Subregion3Point, brimwater::ifc67::Subregion3Point, 650.0, 0.5);
BENCHMARK_CAPTURE(Kernel, Ifc67Subregion3Density, Subregion3DenseDensity, 650.0, 25.0);

}  // namespace
