// The cost of calling through the C interface: bw_HofTP and bw_Psat from libbrimwater.so against
// brimwater::HofTP and brimwater::Psat from the static library, at the same states (IAPWS-IF97, SI units).
// The difference is the call into the shared library (through its procedure linkage table) and the
// forwarding function.
#include <benchmark/benchmark.h>
#include <brimwater/brimwater.h>
#include <brimwater/props.h>

namespace {

template <typename Function>
void Saturation(benchmark::State& state, Function f, double T) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(f(T, -97));
  }
}

template <typename Function>
void TwoArgument(benchmark::State& state, Function f, double T, double P) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(f(T, P, -97));
  }
}

BENCHMARK_CAPTURE(Saturation, Psat_cxx, brimwater::Psat, 450.0);
BENCHMARK_CAPTURE(Saturation, Psat_c, bw_Psat, 450.0);
BENCHMARK_CAPTURE(TwoArgument, HofTP_cxx_region1, brimwater::HofTP, 300.0, 3.0);
BENCHMARK_CAPTURE(TwoArgument, HofTP_c_region1, bw_HofTP, 300.0, 3.0);
BENCHMARK_CAPTURE(TwoArgument, HofTP_cxx_region2, brimwater::HofTP, 700.0, 0.0035);
BENCHMARK_CAPTURE(TwoArgument, HofTP_c_region2, bw_HofTP, 700.0, 0.0035);

}  // namespace
