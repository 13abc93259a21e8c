// Per-call cost of the IAPWS-95 kernel: the pressure of (T, rho) that every density search evaluates, the
// density of (T, P) on each branch, and the public functions of code -95 that sit on them.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

#include "iapws95/iapws95.h"

namespace {

using brimwater::StateSelector;

void PressureOfTD(benchmark::State& state, double T, double rho) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::iapws95::PressureOfTD(T, rho));
  }
}

void DensityOfTP(benchmark::State& state, double T, double P, StateSelector selector) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::iapws95::DensityOfTP(T, P, selector));
  }
}

void Public(benchmark::State& state, double (*f)(double, double, brimwater::FormulationCode), double x,
            double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y, -95));
  }
}

BENCHMARK_CAPTURE(PressureOfTD, liquid, 300.0, 0.996556);
BENCHMARK_CAPTURE(PressureOfTD, vapour, 500.0, 0.000435);
BENCHMARK_CAPTURE(DensityOfTP, sat_liquid, 450.0, 0.0, StateSelector::SaturatedLiquid);
BENCHMARK_CAPTURE(DensityOfTP, sat_vapour, 450.0, 0.0, StateSelector::SaturatedVapour);
BENCHMARK_CAPTURE(DensityOfTP, liquid, 300.0, 0.1, StateSelector::SinglePhase);
BENCHMARK_CAPTURE(DensityOfTP, vapour, 500.0, 0.1, StateSelector::SinglePhase);
BENCHMARK_CAPTURE(DensityOfTP, supercritical, 1000.0, 100.0, StateSelector::SinglePhase);
BENCHMARK_CAPTURE(DensityOfTP, dilute_vapour_bracketed, 620.0, 1e-5, StateSelector::SinglePhase);
BENCHMARK_CAPTURE(Public, HofTP_95_liquid, brimwater::HofTP, 300.0, 1.0);
BENCHMARK_CAPTURE(Public, HofTP_95_vapour, brimwater::HofTP, 700.0, 5.0);
BENCHMARK_CAPTURE(Public, SofTP_95_liquid, brimwater::SofTP, 300.0, 1.0);
BENCHMARK_CAPTURE(Public, SofTP_95_vapour, brimwater::SofTP, 700.0, 5.0);
BENCHMARK_CAPTURE(Public, TofPH_95_superheated, brimwater::TofPH, 1.0, 3000.0);
BENCHMARK_CAPTURE(Public, TofPH_95_liquid, brimwater::TofPH, 10.0, 1000.0);
BENCHMARK_CAPTURE(Public, TofPH_95_wet, brimwater::TofPH, 0.1, 2000.0);

}  // namespace
