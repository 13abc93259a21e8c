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

// Inverse functions: superheated vapour, compressed liquid and a wet state.
BENCHMARK_CAPTURE(TwoArgument, TofPH_97_superheated, brimwater::TofPH, 1.0, 3000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, TofPH_97_liquid, brimwater::TofPH, 10.0, 1000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, TofPH_97_wet, brimwater::TofPH, 0.1, 2000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, SofPH_97_superheated, brimwater::SofPH, 1.0, 3000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, SofPH_97_liquid, brimwater::SofPH, 10.0, 1000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, SofPH_97_wet, brimwater::SofPH, 0.1, 2000.0, -97);
BENCHMARK_CAPTURE(TwoArgument, TofPS_97_superheated, brimwater::TofPS, 1.0, 7.0, -97);
BENCHMARK_CAPTURE(TwoArgument, TofPS_97_liquid, brimwater::TofPS, 10.0, 2.5, -97);
BENCHMARK_CAPTURE(TwoArgument, TofPS_97_wet, brimwater::TofPS, 0.1, 4.0, -97);
BENCHMARK_CAPTURE(TwoArgument, HofPS_97_superheated, brimwater::HofPS, 1.0, 7.0, -97);
BENCHMARK_CAPTURE(TwoArgument, HofPS_97_liquid, brimwater::HofPS, 10.0, 2.5, -97);
BENCHMARK_CAPTURE(TwoArgument, HofPS_97_wet, brimwater::HofPS, 0.1, 4.0, -97);

}  // namespace
