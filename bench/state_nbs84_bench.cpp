// Per-call cost of the state interface for NBS/NRC 1984 (code 84): every property of a state from each input
// pair, at liquid, vapour, near-critical and supercritical states and on the saturation line, and the
// kernel's own operations beneath them.
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "nbs84/nbs84.h"
#include "state_pair.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using brimwater::bench::Pair;

BENCHMARK_CAPTURE(Pair, StateOfTP_84_liquid, brimwater::StateOfTP, 300.0, 3.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_vapour, brimwater::StateOfTP, 700.0, 0.0035, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_superheated, brimwater::StateOfTP, 600.0, 5.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_near_critical_liquid, brimwater::StateOfTP, 647.0, 22.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_near_critical_vapour, brimwater::StateOfTP, 640.0, 20.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_supercritical, brimwater::StateOfTP, 650.0, 25.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfTP_84_near_saturation, brimwater::StateOfTP, 450.0, 0.9315, -84);
BENCHMARK_CAPTURE(Pair, StateOfTX_84, brimwater::StateOfTX, 450.0, 0.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfTX_84_near_critical, brimwater::StateOfTX, 646.0, 0.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfPX_84, brimwater::StateOfPX, 1.0, 0.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfPH_84_superheated, brimwater::StateOfPH, 1.0, 3000.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfPH_84_liquid, brimwater::StateOfPH, 10.0, 1000.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfPH_84_wet, brimwater::StateOfPH, 0.1, 2000.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfPH_84_supercritical, brimwater::StateOfPH, 25.0, 2500.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfPS_84_superheated, brimwater::StateOfPS, 1.0, 7.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfPS_84_liquid, brimwater::StateOfPS, 10.0, 2.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfHS_84_superheated, brimwater::StateOfHS, 3000.0, 7.0, -84);
BENCHMARK_CAPTURE(Pair, StateOfHS_84_liquid, brimwater::StateOfHS, 1000.0, 2.5, -84);
BENCHMARK_CAPTURE(Pair, StateOfHS_84_wet, brimwater::StateOfHS, 2000.0, 6.0, -84);

void Nbs84Point(benchmark::State& state) {
  double T = 300.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::nbs84::PointOfTD(T, 1.0));
  }
}
BENCHMARK(Nbs84Point);

void Nbs84Coexistence(benchmark::State& state) {
  double T = 450.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::nbs84::CoexistenceOfT(T));
  }
}
BENCHMARK(Nbs84Coexistence);

void Nbs84CoexistenceTemperature(benchmark::State& state) {
  double P = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(P);
    benchmark::DoNotOptimize(brimwater::nbs84::CoexistenceTemperature(P));
  }
}
BENCHMARK(Nbs84CoexistenceTemperature);

}  // namespace
