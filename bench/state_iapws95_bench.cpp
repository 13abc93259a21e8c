// Per-call cost of the state interface for IAPWS-95 (code 95): every property of a state from each input
// pair, at a compressed liquid, a superheated vapour and a near-critical state, the saturated states at a
// temperature and a pressure, and the kernel operations underneath (one evaluation of the Helmholtz energy
// with its derivatives, a density of (T, P), the phase equilibrium and its inverse in pressure).
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "iapws95/iapws95.h"
#include "state_pair.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using brimwater::bench::Pair;

BENCHMARK_CAPTURE(Pair, StateOfTP_95_liquid, brimwater::StateOfTP, 300.0, 10.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfTP_95_vapour, brimwater::StateOfTP, 700.0, 5.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfTP_95_near_critical, brimwater::StateOfTP, 650.0, 25.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfTP_95_table7_critical, brimwater::StateOfTP, 647.0, 22.0384756, -95);
BENCHMARK_CAPTURE(Pair, StateOfTP_95_near_saturation, brimwater::StateOfTP, 450.0, 0.9323, -95);
BENCHMARK_CAPTURE(Pair, StateOfTX_95_450K, brimwater::StateOfTX, 450.0, 0.5, -95);
BENCHMARK_CAPTURE(Pair, StateOfTX_95_640K, brimwater::StateOfTX, 640.0, 0.5, -95);
BENCHMARK_CAPTURE(Pair, StateOfPX_95_1MPa, brimwater::StateOfPX, 1.0, 0.5, -95);
BENCHMARK_CAPTURE(Pair, StateOfPH_95_superheated, brimwater::StateOfPH, 1.0, 3000.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfPH_95_liquid, brimwater::StateOfPH, 10.0, 1000.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfPH_95_wet, brimwater::StateOfPH, 0.1, 2000.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfPH_95_supercritical, brimwater::StateOfPH, 25.0, 2500.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfPS_95_superheated, brimwater::StateOfPS, 1.0, 7.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfHS_95_superheated, brimwater::StateOfHS, 3000.0, 7.0, -95);
BENCHMARK_CAPTURE(Pair, StateOfHS_95_liquid, brimwater::StateOfHS, 1000.0, 2.5, -95);
BENCHMARK_CAPTURE(Pair, StateOfHS_95_wet, brimwater::StateOfHS, 2000.0, 6.0, -95);

void Iapws95Point(benchmark::State& state) {
  double T = 500.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::iapws95::PointOfTD(T, 0.838025));
  }
}
BENCHMARK(Iapws95Point);

void Iapws95PointOnIsotherm(benchmark::State& state) {
  const brimwater::iapws95::IsothermTerms iso = brimwater::iapws95::MakeIsothermTerms(500.0);
  double rho = 0.838025;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(brimwater::iapws95::PointOnIsotherm(iso, rho));
  }
}
BENCHMARK(Iapws95PointOnIsotherm);

void Iapws95PressureAndSlope(benchmark::State& state) {
  const brimwater::iapws95::IsothermTerms iso = brimwater::iapws95::MakeIsothermTerms(500.0);
  double rho = 0.838025;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(brimwater::iapws95::PressureAndSlope(iso, rho));
  }
}
BENCHMARK(Iapws95PressureAndSlope);

void Iapws95IsothermTerms(benchmark::State& state) {
  double T = 500.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::iapws95::MakeIsothermTerms(T));
  }
}
BENCHMARK(Iapws95IsothermTerms);

void Iapws95SaturatedDensities(benchmark::State& state) {
  double T = 450.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::iapws95::SaturatedDensities(T));
  }
}
BENCHMARK(Iapws95SaturatedDensities);

void Iapws95SaturationTemperature(benchmark::State& state) {
  double P = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(P);
    benchmark::DoNotOptimize(brimwater::iapws95::SaturationTemperature(P));
  }
}
BENCHMARK(Iapws95SaturationTemperature);

}  // namespace
