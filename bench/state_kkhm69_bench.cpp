// Per-call cost of the state interface for KKHM 1969 (code 69): every property of a state from each input
// pair, at liquid, vapour, near-critical and supercritical states, and the kernel's Helmholtz point and
// densities beneath them.
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "kkhm69/kkhm69.h"
#include "state_pair.h"

namespace {

using brimwater::FormulationCode;
using brimwater::State;
using brimwater::bench::Pair;

void Kkhm69Point(benchmark::State& state) {
  double T = 500.0, rho = 0.8;
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::kkhm69::Point(T, rho));
  }
}
BENCHMARK(Kkhm69Point);

void Kkhm69SaturationTemperature(benchmark::State& state) {
  double P = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(P);
    benchmark::DoNotOptimize(brimwater::kkhm69::VapourPressureTemperature(P));
  }
}
BENCHMARK(Kkhm69SaturationTemperature);

BENCHMARK_CAPTURE(Pair, StateOfTP_69_liquid, brimwater::StateOfTP, 300.0, 3.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfTP_69_vapour, brimwater::StateOfTP, 700.0, 1.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfTP_69_vapour_near_saturation, brimwater::StateOfTP, 640.0, 19.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfTP_69_near_critical, brimwater::StateOfTP, 650.0, 22.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfTP_69_supercritical, brimwater::StateOfTP, 1000.0, 50.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfTX_69_below_600K, brimwater::StateOfTX, 450.0, 0.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfTX_69_near_critical, brimwater::StateOfTX, 640.0, 0.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfTX_69_bridged, brimwater::StateOfTX, 647.0, 0.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfPX_69, brimwater::StateOfPX, 1.0, 0.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfPH_69_superheated, brimwater::StateOfPH, 1.0, 3000.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfPH_69_liquid, brimwater::StateOfPH, 10.0, 1000.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfPH_69_wet, brimwater::StateOfPH, 0.1, 2000.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfPH_69_supercritical, brimwater::StateOfPH, 25.0, 2500.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfPS_69_superheated, brimwater::StateOfPS, 1.0, 7.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfPS_69_liquid, brimwater::StateOfPS, 10.0, 2.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfHS_69_superheated, brimwater::StateOfHS, 3000.0, 7.0, -69);
BENCHMARK_CAPTURE(Pair, StateOfHS_69_liquid, brimwater::StateOfHS, 1000.0, 2.5, -69);
BENCHMARK_CAPTURE(Pair, StateOfHS_69_wet, brimwater::StateOfHS, 2000.0, 6.0, -69);

}  // namespace
