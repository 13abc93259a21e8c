// One input pair of the state interface timed per call: the benchmark shared by the state benchmarks of every
// formulation (rows Pair/StateOf<pair>_<code>_<state>).
#ifndef BRIMWATER_BENCH_STATE_PAIR_H
#define BRIMWATER_BENCH_STATE_PAIR_H

#include <benchmark/benchmark.h>
#include <brimwater/state.h>

namespace brimwater::bench {

using PairFunction = State (*)(double, double, FormulationCode);

inline void Pair(benchmark::State& state, PairFunction f, double a, double b, FormulationCode code) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(f(a, b, code));
  }
}

}  // namespace brimwater::bench

#endif  // BRIMWATER_BENCH_STATE_PAIR_H
