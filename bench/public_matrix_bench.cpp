// Per-call cost of all fifteen public functions for every formulation, SI units: the saturation functions at
// one temperature or pressure, the state functions at a compressed liquid, a superheated vapour and a
// near-critical state, the inverse functions at a liquid, a wet and a superheated state. Rows are named
// Public/<function>/<code>/<state>.
#include <benchmark/benchmark.h>
#include <brimwater/props.h>

#include <string>

namespace {

using brimwater::FormulationCode;
using OneArgument = double (*)(double, FormulationCode);
using TwoArgument = double (*)(double, double, FormulationCode);

constexpr FormulationCode kCodes[] = {-67, -69, -84, -95, -97};

struct OneArgumentRow {
  const char* function;
  OneArgument f;
  const char* state;
  double x;
};

struct TwoArgumentRow {
  const char* function;
  TwoArgument f;
  const char* state;
  double x;
  double y;
};

// Saturation line: Psat at 450 K, Tsat at 1 MPa, the saturated states at 450 K.
constexpr OneArgumentRow kSaturation[] = {
    {"Psat", brimwater::Psat, "450K", 450.0}, {"Tsat", brimwater::Tsat, "1MPa", 1.0},
    {"Vf", brimwater::Vf, "450K", 450.0},     {"Vg", brimwater::Vg, "450K", 450.0},
    {"Hf", brimwater::Hf, "450K", 450.0},     {"Hg", brimwater::Hg, "450K", 450.0},
    {"Sf", brimwater::Sf, "450K", 450.0},     {"Sg", brimwater::Sg, "450K", 450.0},
};

// States (T in K, P in MPa) and inverse arguments (P in MPa, h in kJ/kg or s in kJ/(kg K)).
constexpr TwoArgumentRow kStates[] = {
    {"VofTP", brimwater::VofTP, "liquid", 300.0, 10.0},
    {"VofTP", brimwater::VofTP, "vapour", 700.0, 5.0},
    {"VofTP", brimwater::VofTP, "near_critical", 650.0, 25.0},
    {"HofTP", brimwater::HofTP, "liquid", 300.0, 10.0},
    {"HofTP", brimwater::HofTP, "vapour", 700.0, 5.0},
    {"HofTP", brimwater::HofTP, "near_critical", 650.0, 25.0},
    {"SofTP", brimwater::SofTP, "liquid", 300.0, 10.0},
    {"SofTP", brimwater::SofTP, "vapour", 700.0, 5.0},
    {"SofTP", brimwater::SofTP, "near_critical", 650.0, 25.0},
    {"TofPH", brimwater::TofPH, "liquid", 10.0, 1000.0},
    {"TofPH", brimwater::TofPH, "wet", 0.1, 2000.0},
    {"TofPH", brimwater::TofPH, "superheated", 1.0, 3000.0},
    {"SofPH", brimwater::SofPH, "liquid", 10.0, 1000.0},
    {"SofPH", brimwater::SofPH, "wet", 0.1, 2000.0},
    {"SofPH", brimwater::SofPH, "superheated", 1.0, 3000.0},
    {"TofPS", brimwater::TofPS, "liquid", 10.0, 2.5},
    {"TofPS", brimwater::TofPS, "wet", 0.1, 4.0},
    {"TofPS", brimwater::TofPS, "superheated", 1.0, 7.0},
    {"HofPS", brimwater::HofPS, "liquid", 10.0, 2.5},
    {"HofPS", brimwater::HofPS, "wet", 0.1, 4.0},
    {"HofPS", brimwater::HofPS, "superheated", 1.0, 7.0},
};

std::string RowName(const char* function, FormulationCode code, const char* state) {
  return std::string("Public/") + function + "/" + std::to_string(code) + "/" + state;
}

bool RegisterRows() {
  for (const OneArgumentRow& row : kSaturation) {
    for (FormulationCode code : kCodes) {
      benchmark::RegisterBenchmark(RowName(row.function, code, row.state).c_str(),
                                   [row, code](benchmark::State& state) {
                                     double x = row.x;
                                     for (auto _ : state) {
                                       benchmark::DoNotOptimize(x);
                                       benchmark::DoNotOptimize(row.f(x, code));
                                     }
                                   });
    }
  }
  for (const TwoArgumentRow& row : kStates) {
    for (FormulationCode code : kCodes) {
      benchmark::RegisterBenchmark(RowName(row.function, code, row.state).c_str(),
                                   [row, code](benchmark::State& state) {
                                     double x = row.x;
                                     for (auto _ : state) {
                                       benchmark::DoNotOptimize(x);
                                       benchmark::DoNotOptimize(row.f(x, row.y, code));
                                     }
                                   });
    }
  }
  return true;
}

const bool kRegistered = RegisterRows();

}  // namespace
