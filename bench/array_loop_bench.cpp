// HofTP and StateOfTP over a million states drawn at random from IAPWS-IF97 regions 1 and 2 (compressed
// liquid and superheated vapour, code -97), in a plain C++ loop: the yardstick for the Python module's
// element loop, which bench/python_bench.py times over the same states. Rows: ArrayLoop/HofTP/-97/1000000 and
// ArrayLoop/StateOfTP/-97/1000000, real time per loop (divide by the element count for the time per element).
#include <benchmark/benchmark.h>
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kElements = 1000000;

// State i: SplitMix64 of i + 1 chooses the region by its lowest bit and two 20-bit fractions u, v.
// Region 1: T = 280 + 320 u K, P = 20 + 30 v MPa (above the saturation pressure, 12.3 MPa at 600 K).
// Region 2: T = 650 + 350 u K, P = 0.01 + 9.99 v MPa (below the B23 boundary, 16.5 MPa at 623.15 K).
// bench/python_bench.py builds the same states with NumPy and checks their sum against this one.
void MixedStates(std::vector<double>& T, std::vector<double>& P) {
  T.resize(kElements);
  P.resize(kElements);
  for (std::size_t i = 0; i < kElements; ++i) {
    std::uint64_t z = (static_cast<std::uint64_t>(i) + 1) * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    const double u = static_cast<double>((z >> 11) & 0xFFFFF) / 1048576.0;
    const double v = static_cast<double>((z >> 32) & 0xFFFFF) / 1048576.0;
    if ((z & 1) == 0) {
      T[i] = 280.0 + 320.0 * u;
      P[i] = 20.0 + 30.0 * v;
    } else {
      T[i] = 650.0 + 350.0 * u;
      P[i] = 0.01 + 9.99 * v;
    }
  }
}

void ArrayLoop(benchmark::State& state) {
  std::vector<double> T;
  std::vector<double> P;
  MixedStates(T, P);
  std::vector<double> h(kElements);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kElements; ++i) h[i] = brimwater::HofTP(T[i], P[i], -97);
    benchmark::DoNotOptimize(h.data());
    benchmark::ClobberMemory();
  }
  double sum = 0.0;
  for (std::size_t i = 0; i < kElements; ++i) sum += T[i] + P[i];
  state.counters["states_sum"] = sum;
  state.SetItemsProcessed(state.iterations() * static_cast<benchmark::IterationCount>(kElements));
}

BENCHMARK(ArrayLoop)->Name("ArrayLoop/HofTP/-97/1000000")->Unit(benchmark::kMillisecond)->UseRealTime();

// Every property of each state, into an array of states (the Python module writes one array per field).
void StateArrayLoop(benchmark::State& state) {
  std::vector<double> T;
  std::vector<double> P;
  MixedStates(T, P);
  std::vector<brimwater::State> states(kElements);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kElements; ++i) states[i] = brimwater::StateOfTP(T[i], P[i], -97);
    benchmark::DoNotOptimize(states.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<benchmark::IterationCount>(kElements));
}

BENCHMARK(StateArrayLoop)
    ->Name("ArrayLoop/StateOfTP/-97/1000000")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
