// Per-call cost of the IFC-67 formulation (code -67) through the public functions: HofTP in each sub-region,
// the saturation line and the inverse TofPH.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

namespace {

void Ifc67Saturation(benchmark::State& state, double (*f)(double, brimwater::FormulationCode), double x) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, -67));
  }
}

void Ifc67TwoArgument(benchmark::State& state, double (*f)(double, double, brimwater::FormulationCode),
                      double x, double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y, -67));
  }
}

BENCHMARK_CAPTURE(Ifc67Saturation, Psat_67, brimwater::Psat, 450.0);
BENCHMARK_CAPTURE(Ifc67Saturation, Tsat_67, brimwater::Tsat, 1.0);
BENCHMARK_CAPTURE(Ifc67Saturation, Hf_67_subregion1, brimwater::Hf, 450.0);
BENCHMARK_CAPTURE(Ifc67Saturation, Hf_67_subregion4, brimwater::Hf, 630.0);
BENCHMARK_CAPTURE(Ifc67Saturation, Hg_67_subregion3, brimwater::Hg, 630.0);
BENCHMARK_CAPTURE(Ifc67Saturation, Hg_67_subregion3_second_pass, brimwater::Hg, 645.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, HofTP_67_subregion1, brimwater::HofTP, 300.0, 3.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, HofTP_67_subregion2, brimwater::HofTP, 700.0, 1.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, HofTP_67_subregion3, brimwater::HofTP, 650.0, 25.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, HofTP_67_subregion4, brimwater::HofTP, 640.0, 25.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, TofPH_67_superheated, brimwater::TofPH, 1.0, 3000.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, TofPH_67_liquid, brimwater::TofPH, 10.0, 1000.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, TofPH_67_wet, brimwater::TofPH, 0.1, 2000.0);
BENCHMARK_CAPTURE(Ifc67TwoArgument, TofPH_67_supercritical, brimwater::TofPH, 25.0, 2000.0);

}  // namespace
