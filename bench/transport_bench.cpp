// Per-call cost of the transport correlations given a state's T, rho and derivatives: viscosity and thermal
// conductivity apart and together, without and with the critical enhancements, and the surface tension.
#include <benchmark/benchmark.h>

#include "transport/transport.h"

namespace {

namespace transport = brimwater::transport;
using transport::Enhancement;
using transport::TransportInput;

// Thermodynamic inputs (T, rho, cp, cv, (d rho / d p)_T at T and at T_R, in the library's units) of three
// states, from IAPWS-95 (rounded to five digits): a liquid (2.2 MPa), a supercritical vapour (34 MPa), and
// the near-critical point of R12-08 Table 5 and R15-11 Table 5 (647.35 K, 322 kg/m3).
constexpr TransportInput kLiquid{298.15, 0.998, 4.1752, 4.1305, 4.4911e-4, 1.8846e-4};
constexpr TransportInput kVapour{873.15, 0.1, 3.3255, 2.0928, 3.5693e-3, 2.8317e-3};
constexpr TransportInput kNearCritical{647.35, 0.322, 5420.6, 6.1887, 12.136, 2.7514e-3};

void Viscosity(benchmark::State& state, TransportInput in) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    benchmark::DoNotOptimize(transport::IndustrialViscosity(in.T, in.rho));
  }
}

void Conductivity(benchmark::State& state, TransportInput in) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    benchmark::DoNotOptimize(transport::BackgroundConductivity(in.T, in.rho));
  }
}

void Both(benchmark::State& state, TransportInput in, Enhancement enhancement) {
  const transport::TransportOptions options{enhancement, enhancement == Enhancement::kIndustrial};
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    benchmark::DoNotOptimize(transport::TransportOf(in, options));
  }
}

void SurfaceTension(benchmark::State& state, double T) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(transport::SurfaceTension(T));
  }
}

BENCHMARK_CAPTURE(Viscosity, liquid, kLiquid);
BENCHMARK_CAPTURE(Viscosity, vapour, kVapour);
BENCHMARK_CAPTURE(Conductivity, liquid, kLiquid);
BENCHMARK_CAPTURE(Conductivity, vapour, kVapour);
BENCHMARK_CAPTURE(Both, none_liquid, kLiquid, Enhancement::kNone);
BENCHMARK_CAPTURE(Both, none_vapour, kVapour, Enhancement::kNone);
BENCHMARK_CAPTURE(Both, industrial_liquid, kLiquid, Enhancement::kIndustrial);
BENCHMARK_CAPTURE(Both, industrial_near_critical, kNearCritical, Enhancement::kIndustrial);
BENCHMARK_CAPTURE(Both, scientific_liquid, kLiquid, Enhancement::kScientific);
BENCHMARK_CAPTURE(Both, scientific_vapour, kVapour, Enhancement::kScientific);
BENCHMARK_CAPTURE(Both, scientific_near_critical, kNearCritical, Enhancement::kScientific);
BENCHMARK_CAPTURE(SurfaceTension, at_373K, 373.15);

}  // namespace
