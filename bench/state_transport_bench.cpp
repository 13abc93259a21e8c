// What the transport properties add to a state of the state interface: the glue that evaluates them from a
// state's properties, in the form its formulation calls for (industrial for IAPWS-IF97; full for IAPWS-95 and
// KKHM 1969, whose reference zeta(T_R) is their own equation evaluated once more), for a single-phase state
// and for a saturated phase (with the surface tension).
#include <benchmark/benchmark.h>
#include <brimwater/state.h>

#include "state/formulation.h"
#include "state/transport.h"

namespace {

namespace state = brimwater::state;

// The properties a pair solver has at hand, from the formulation's own single-phase state at (T, P).
void Transport(benchmark::State& bench, int code, double T, double P) {
  const state::Formulation& f = *state::FormulationOf(code);
  const state::Properties p = f.single_phase(T, P).props;
  brimwater::State s{};
  for (auto _ : bench) {
    benchmark::DoNotOptimize(s);
    state::AddTransport(f, p, s);
    benchmark::DoNotOptimize(s);
  }
}

void SaturatedTransport(benchmark::State& bench, int code, double T) {
  const state::Formulation& f = *state::FormulationOf(code);
  const state::Properties p = f.saturated(T).liquid;
  brimwater::State s{};
  for (auto _ : bench) {
    benchmark::DoNotOptimize(s);
    state::AddSaturatedTransport(f, p, s);
    benchmark::DoNotOptimize(s);
  }
}

BENCHMARK_CAPTURE(Transport, If97_region1, -97, 300.0, 3.0);
BENCHMARK_CAPTURE(Transport, If97_region2, -97, 700.0, 0.0035);
BENCHMARK_CAPTURE(Transport, If97_region3, -97, 650.0, 25.5837018);
BENCHMARK_CAPTURE(Transport, Iapws95_liquid, -95, 300.0, 3.0);
BENCHMARK_CAPTURE(Transport, Iapws95_vapour, -95, 700.0, 0.0035);
BENCHMARK_CAPTURE(Transport, Iapws95_near_critical, -95, 650.0, 25.5837018);
BENCHMARK_CAPTURE(Transport, Kkhm69_liquid, -69, 300.0, 3.0);
BENCHMARK_CAPTURE(Transport, Kkhm69_vapour, -69, 700.0, 0.0035);
BENCHMARK_CAPTURE(Transport, Kkhm69_near_critical, -69, 650.0, 25.5837018);
BENCHMARK_CAPTURE(SaturatedTransport, If97_450K, -97, 450.0);

}  // namespace
