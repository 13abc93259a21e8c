// Per-call cost of the kernels' own hot operations: the IF97 region equations, the IFC-67 sub-region
// equations and volume solvers, and the pressure of (T, rho) of the three density-form kernels at a
// near-critical state (their liquid and vapour rows are in each kernel's own file).
#include <benchmark/benchmark.h>

#include "iapws95/iapws95.h"
#include "if97/if97.h"
#include "ifc67/ifc67.h"
#include "kkhm69/kkhm69.h"
#include "nbs84/nbs84.h"

namespace {

void OneArgument(benchmark::State& state, double (*f)(double), double x) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x));
  }
}

void TwoArgument(benchmark::State& state, double (*f)(double, double), double x, double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y));
  }
}

void Ifc67State(benchmark::State& state, brimwater::ifc67::ReducedState (*f)(double, double), double x,
                double y) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x, y));
  }
}

// Beta3 and beta4 as the volume solvers evaluate them, on an isotherm built once.
void Ifc67Isotherm(benchmark::State& state,
                   double (*beta)(const brimwater::ifc67::SubregionIsotherm&, double), double theta,
                   double chi) {
  const brimwater::ifc67::SubregionIsotherm isotherm = brimwater::ifc67::MakeSubregionIsotherm(theta);
  for (auto _ : state) {
    benchmark::DoNotOptimize(chi);
    benchmark::DoNotOptimize(beta(isotherm, chi));
  }
}

void Nbs84Isotherm(benchmark::State& state, double T, double rho) {
  const brimwater::nbs84::Isotherm isotherm = brimwater::nbs84::MakeIsotherm(T);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(brimwater::nbs84::PressureOnIsotherm(isotherm, rho));
  }
}

void Iapws95Isotherm(benchmark::State& state, double T, double rho) {
  const brimwater::iapws95::Isotherm isotherm = brimwater::iapws95::MakeIsotherm(T);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rho);
    benchmark::DoNotOptimize(brimwater::iapws95::PressureOnIsotherm(isotherm, rho));
  }
}

namespace if97 = brimwater::if97;
namespace ifc67 = brimwater::ifc67;

// IF97 (T in K, P in MPa, v in m3/kg): the verification states of regions 1, 2 and 3.
BENCHMARK_CAPTURE(OneArgument, IF97_SatPressure, if97::SatPressure, 450.0);
BENCHMARK_CAPTURE(OneArgument, IF97_SatTemperature, if97::SatTemperature, 1.0);
BENCHMARK_CAPTURE(OneArgument, IF97_B23Pressure, if97::B23Pressure, 700.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region1Volume, if97::Region1Volume, 300.0, 3.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region1Enthalpy, if97::Region1Enthalpy, 300.0, 3.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region1Entropy, if97::Region1Entropy, 300.0, 3.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region2Volume, if97::Region2Volume, 700.0, 30.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region2Enthalpy, if97::Region2Enthalpy, 700.0, 30.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region2Entropy, if97::Region2Entropy, 700.0, 30.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region3Pressure, if97::Region3Pressure, 650.0, 1.0 / 500.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region3Enthalpy, if97::Region3Enthalpy, 650.0, 1.0 / 500.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region3Entropy, if97::Region3Entropy, 650.0, 1.0 / 500.0);
BENCHMARK_CAPTURE(TwoArgument, IF97_Region3Volume, if97::Region3Volume, 650.0, 25.5837018);

// IFC-67, reduced: theta = T / 647.3, beta = P / 22.12, chi = v / 3.1700041527054403.
BENCHMARK_CAPTURE(OneArgument, IFC67_KFunction, ifc67::KFunction, 450.0 / 647.3);
BENCHMARK_CAPTURE(Ifc67State, IFC67_Subregion1State, ifc67::Subregion1State, 298.15 / 647.3, 0.1 / 22.12);
BENCHMARK_CAPTURE(Ifc67State, IFC67_Subregion2State, ifc67::Subregion2State, 573.15 / 647.3, 1.0 / 22.12);
BENCHMARK_CAPTURE(Ifc67Isotherm, IFC67_Beta3OnIsotherm, ifc67::Beta3OnIsotherm, 650.0 / 647.3,
                  2.05269 / 3.1700041527054403);
BENCHMARK_CAPTURE(Ifc67State, IFC67_Subregion3State, ifc67::Subregion3State, 650.0 / 647.3,
                  2.05269 / 3.1700041527054403);
BENCHMARK_CAPTURE(Ifc67Isotherm, IFC67_Beta4OnIsotherm, ifc67::Beta4OnIsotherm, 640.0 / 647.3,
                  1.79379 / 3.1700041527054403);
BENCHMARK_CAPTURE(Ifc67State, IFC67_Subregion4State, ifc67::Subregion4State, 640.0 / 647.3,
                  1.79379 / 3.1700041527054403);
BENCHMARK_CAPTURE(TwoArgument, IFC67_Subregion3Volume, ifc67::Subregion3Volume, 650.0 / 647.3, 25.0 / 22.12);
BENCHMARK_CAPTURE(TwoArgument, IFC67_Subregion4Volume, ifc67::Subregion4Volume, 640.0 / 647.3, 25.0 / 22.12);

// The density-form kernels' pressure of (T in K, rho in g/cm3) near the critical point.
BENCHMARK_CAPTURE(TwoArgument, IAPWS95_PressureOfTD_near_critical, brimwater::iapws95::PressureOfTD, 647.0,
                  0.358);
BENCHMARK_CAPTURE(Iapws95Isotherm, IAPWS95_PressureOnIsotherm_liquid, 300.0, 0.996556);
BENCHMARK_CAPTURE(Iapws95Isotherm, IAPWS95_PressureOnIsotherm_vapour, 500.0, 0.000435);
BENCHMARK_CAPTURE(TwoArgument, NBS84_PressureOfTD_near_critical, brimwater::nbs84::PressureOfTD, 647.0,
                  0.358);
BENCHMARK_CAPTURE(Nbs84Isotherm, NBS84_PressureOnIsotherm_liquid, 300.0, 0.9965);
BENCHMARK_CAPTURE(Nbs84Isotherm, NBS84_PressureOnIsotherm_vapour, 500.0, 0.000435);
BENCHMARK_CAPTURE(TwoArgument, KKHM69_PressureOfTD_near_critical, brimwater::kkhm69::PressureOfTD, 647.0,
                  0.358);

}  // namespace
