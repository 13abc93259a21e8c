// Per-call cost of the NBS/NRC 1984 kernel (code 84): its pressure function, its density search, and the
// public functions that sit on them.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

#include "nbs84/nbs84.h"

namespace {

using brimwater::StateSelector;

void Nbs84PressureOfTD(benchmark::State& state, double T, double rho) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::nbs84::PressureOfTD(T, rho));
  }
}

void Nbs84DensityOfTP(benchmark::State& state, double T, double P) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::nbs84::DensityOfTP(T, P, StateSelector::SinglePhase));
  }
}

void Nbs84Public(benchmark::State& state, double (*f)(double, double, brimwater::FormulationCode), double x,
                 double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y, -84));
  }
}

BENCHMARK_CAPTURE(Nbs84PressureOfTD, liquid, 300.0, 0.9965);
BENCHMARK_CAPTURE(Nbs84PressureOfTD, vapour, 500.0, 0.000435);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, liquid, 300.0, 3.0);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, vapour, 500.0, 0.1);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, dilute_gas, 700.0, 0.0035);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, supercritical, 1000.0, 100.0);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, near_critical_liquid, 646.8, 25.0);
BENCHMARK_CAPTURE(Nbs84DensityOfTP, near_critical_vapour, 646.8, 21.0);
BENCHMARK_CAPTURE(Nbs84Public, HofTP_liquid, brimwater::HofTP, 300.0, 3.0);
BENCHMARK_CAPTURE(Nbs84Public, HofTP_vapour, brimwater::HofTP, 500.0, 0.1);
BENCHMARK_CAPTURE(Nbs84Public, HofTP_dilute_gas, brimwater::HofTP, 700.0, 0.0035);
BENCHMARK_CAPTURE(Nbs84Public, HofTP_supercritical, brimwater::HofTP, 1000.0, 100.0);
BENCHMARK_CAPTURE(Nbs84Public, TofPH_superheated, brimwater::TofPH, 1.0, 3000.0);
BENCHMARK_CAPTURE(Nbs84Public, TofPH_liquid, brimwater::TofPH, 10.0, 1000.0);
BENCHMARK_CAPTURE(Nbs84Public, TofPH_wet, brimwater::TofPH, 0.1, 2000.0);

}  // namespace
