// Per-call cost of the public property functions.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

namespace {

using brimwater::FormulationCode;
using SaturationFunction = double (*)(double, FormulationCode);
using StateFunction = double (*)(double, double, FormulationCode);

void Saturation(benchmark::State& state, SaturationFunction f, double x, FormulationCode code) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, code));
  }
}

void TwoArgument(benchmark::State& state, StateFunction f, double x, double y, FormulationCode code) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y, code));
  }
}

BENCHMARK_CAPTURE(Saturation, Psat_97, brimwater::Psat, 450.0, -97);
BENCHMARK_CAPTURE(Saturation, Tsat_97, brimwater::Tsat, 1.0, -97);
BENCHMARK_CAPTURE(TwoArgument, HofTP_97_region1, brimwater::HofTP, 300.0, 3.0, -97);
BENCHMARK_CAPTURE(TwoArgument, HofTP_97_region2, brimwater::HofTP, 700.0, 0.0035, -97);
BENCHMARK_CAPTURE(TwoArgument, HofTP_97_region3, brimwater::HofTP, 650.0, 25.5837018, -97);
BENCHMARK_CAPTURE(TwoArgument, SofTP_97_region1, brimwater::SofTP, 300.0, 3.0, -97);
BENCHMARK_CAPTURE(TwoArgument, SofTP_97_region2, brimwater::SofTP, 700.0, 0.0035, -97);
BENCHMARK_CAPTURE(TwoArgument, VofTP_97_region1, brimwater::VofTP, 300.0, 3.0, -97);
BENCHMARK_CAPTURE(TwoArgument, VofTP_97_region2, brimwater::VofTP, 700.0, 0.0035, -97);

}  // namespace
