// Per-call cost of the KKHM 1969 kernel: its pressure equation, the density search on each branch, and the
// public functions that run through them.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

#include "kkhm69/kkhm69.h"

namespace {

void Kkhm69PressureOfTD(benchmark::State& state, double T, double rho) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::kkhm69::PressureOfTD(T, rho));
  }
}

void Kkhm69DensityOfTP(benchmark::State& state, double T, double P) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(brimwater::kkhm69::DensityOfTP(T, P, brimwater::StateSelector::SinglePhase));
  }
}

void Kkhm69Public(benchmark::State& state, double (*f)(double, double, brimwater::FormulationCode), double x,
                  double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y, -69));
  }
}

BENCHMARK_CAPTURE(Kkhm69PressureOfTD, liquid, 373.15, 0.9582883);
BENCHMARK_CAPTURE(Kkhm69PressureOfTD, vapour, 373.15, 0.00059826);
BENCHMARK_CAPTURE(Kkhm69DensityOfTP, liquid, 300.0, 10.0);
BENCHMARK_CAPTURE(Kkhm69DensityOfTP, vapour, 500.0, 1.0);
BENCHMARK_CAPTURE(Kkhm69DensityOfTP, supercritical, 1000.0, 50.0);
BENCHMARK_CAPTURE(Kkhm69Public, HofTP_liquid, brimwater::HofTP, 300.0, 10.0);
BENCHMARK_CAPTURE(Kkhm69Public, HofTP_vapour, brimwater::HofTP, 700.0, 5.0);
BENCHMARK_CAPTURE(Kkhm69Public, TofPH_liquid, brimwater::TofPH, 10.0, 500.0);
BENCHMARK_CAPTURE(Kkhm69Public, TofPH_vapour, brimwater::TofPH, 5.0, 3200.0);

}  // namespace
