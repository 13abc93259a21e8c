// Writes what the C interface must return, computed by the C++ library: one line per call of every public
// function over a table of arguments and formulation codes,
//   <name> <argument>... <code> <result>
// and for the state functions
//   <name> <argument> <argument> <code> <T> <P> <v> <rho> <h> <s> <u> <cp> <cv> <w> <x> <mu> <lambda>
//          <sigma> <nu> <alpha> <Pr> <phase> <region> <status> <transport> <transport_status>
// with the doubles as their 64-bit patterns in hexadecimal, so that NaN, infinities and the last bit
// survive the trip, and the enumerations as decimal integers.
//   capi_expected <output file>
#include <brimwater/props.h>
#include <brimwater/state.h>

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "support/functions.h"

namespace {

using brimwater::FormulationCode;
using brimwater::testing::Arguments;
using brimwater::testing::kPublicFunctions;
using brimwater::testing::PublicFunction;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Every formulation in both unit systems, and unsupported codes of both signs: zero, near misses and the
// ends of the 32-bit range.
constexpr FormulationCode kCodes[] = {97,
                                      -97,
                                      95,
                                      -95,
                                      84,
                                      -84,
                                      69,
                                      -69,
                                      67,
                                      -67,
                                      0,
                                      1,
                                      -1,
                                      5,
                                      -5,
                                      96,
                                      -98,
                                      167,
                                      std::numeric_limits<FormulationCode>::max(),
                                      std::numeric_limits<FormulationCode>::min()};

// Arguments no caller should send, which must still come back as the C++ library answers them.
constexpr double kHostile[] = {kNaN, kInfinity, -kInfinity, 0.0, -0.0, 5e-324, -1.0, 1e308, -1e308};

struct Pair {
  double first, second;
};

// Ordinary arguments, English and SI mixed: every code sees states that make sense in its own units and
// states that are far off in them. Saturation temperatures in degF and K, including the triple and the
// critical point and beyond.
const double kTemperatures[] = {32.0,   212.0,  400.0,  600.0, 705.0, 273.16,
                                373.15, 477.59, 588.71, 647.0, 700.0};
// Saturation pressures in psia and MPa, up to and beyond the critical pressure.
const double kPressures[] = {0.0887, 14.7, 1000.0, 3500.0, 0.000611657, 0.101325, 1.0, 10.0, 22.064, 30.0};
// (T, P): superheated vapour, compressed liquid, near-critical, in degF/psia and K/MPa.
const Pair kTemperaturePressure[] = {{1000.0, 800.0}, {100.0, 1000.0}, {700.0, 3200.0},     {811.0, 5.5},
                                     {300.0, 3.0},    {700.0, 0.0035}, {650.0, 25.5837018}, {1073.15, 50.0}};
// (P, H): superheated, liquid and wet, in psia/(BTU/lbm) and MPa/(kJ/kg).
const Pair kPressureEnthalpy[] = {{1000.0, 1400.0}, {100.0, 700.0}, {2000.0, 300.0}, {1.0, 3000.0},
                                  {10.0, 1000.0},   {0.1, 2000.0},  {25.0, 2100.0}};
// (P, S): superheated, liquid and wet, in psia/(BTU/(lbm degR)) and MPa/(kJ/(kg K)).
const Pair kPressureEntropy[] = {{1000.0, 1.6}, {100.0, 1.2}, {2000.0, 0.5}, {1.0, 7.0},
                                 {10.0, 2.5},   {0.1, 4.0},   {25.0, 4.4}};

// (h, s): superheated, wet and liquid, in (BTU/lbm)/(BTU/(lbm degR)) and (kJ/kg)/(kJ/(kg K)).
const Pair kEnthalpyEntropy[] = {{1400.0, 1.6}, {800.0, 1.3}, {100.0, 0.18}, {3000.0, 7.0},
                                 {2000.0, 5.0}, {400.0, 1.2}, {2800.0, 5.8}, {2100.0, 4.4}};
// (T, x) and (P, x): saturated liquid and vapour, mixtures, near and beyond the critical point, and qualities
// outside [0, 1].
const Pair kTemperatureQuality[] = {{212.0, 0.5}, {373.15, 0.0}, {373.15, 1.0}, {500.0, 0.3},  {647.0, 0.5},
                                    {700.0, 0.5}, {705.0, 1.0},  {373.15, 1.5}, {373.15, -0.1}};
const Pair kPressureQuality[] = {{14.7, 0.5}, {0.101325, 0.0}, {1.0, 1.0},    {10.0, 0.25},
                                 {22.0, 0.5}, {30.0, 0.5},     {3200.0, 0.0}, {1.0, 2.0}};

template <std::size_t n>
void Append(std::vector<Pair>& pairs, const Pair (&states)[n]) {
  for (const Pair& state : states) pairs.push_back(state);
}

// Each hostile value in each place beside the first ordinary state, and in both places at once.
void AppendHostile(std::vector<Pair>& pairs, bool one_argument) {
  const Pair ordinary = pairs.front();
  for (const double bad : kHostile) {
    pairs.push_back({bad, ordinary.second});
    if (one_argument) continue;
    pairs.push_back({ordinary.first, bad});
    pairs.push_back({bad, bad});
  }
}

std::vector<Pair> PairsFor(Arguments arguments) {
  std::vector<Pair> pairs;
  switch (arguments) {
    case Arguments::Temperature:
      for (const double t : kTemperatures) pairs.push_back({t, 0.0});
      break;
    case Arguments::Pressure:
      for (const double p : kPressures) pairs.push_back({p, 0.0});
      break;
    case Arguments::TemperaturePressure: Append(pairs, kTemperaturePressure); break;
    case Arguments::PressureEnthalpy: Append(pairs, kPressureEnthalpy); break;
    case Arguments::PressureEntropy: Append(pairs, kPressureEntropy); break;
  }
  AppendHostile(pairs, arguments == Arguments::Temperature || arguments == Arguments::Pressure);
  return pairs;
}

struct StateFunction {
  const char* name;
  brimwater::State (*solve)(double, double, FormulationCode);
  std::vector<Pair> pairs;
};

template <std::size_t n>
StateFunction WithHostile(const char* name, brimwater::State (*solve)(double, double, FormulationCode),
                          const Pair (&states)[n]) {
  StateFunction f{name, solve, {}};
  Append(f.pairs, states);
  AppendHostile(f.pairs, false);
  return f;
}

std::uint64_t Bits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

void WriteCall(std::FILE* out, const PublicFunction& f, const Pair& arguments, FormulationCode code) {
  std::fprintf(out, "%s %016" PRIx64, f.name, Bits(arguments.first));
  if (f.arity() == 2) std::fprintf(out, " %016" PRIx64, Bits(arguments.second));
  std::fprintf(out, " %" PRId32 " %016" PRIx64 "\n", code, Bits(f(arguments.first, arguments.second, code)));
}

void WriteState(std::FILE* out, const StateFunction& f, const Pair& arguments, FormulationCode code) {
  const brimwater::State s = f.solve(arguments.first, arguments.second, code);
  std::fprintf(out, "%s %016" PRIx64 " %016" PRIx64 " %" PRId32, f.name, Bits(arguments.first),
               Bits(arguments.second), code);
  for (const double value : {s.T, s.P, s.v, s.rho, s.h, s.s, s.u, s.cp, s.cv, s.w, s.x, s.mu, s.lambda,
                             s.sigma, s.nu, s.alpha, s.Pr}) {
    std::fprintf(out, " %016" PRIx64, Bits(value));
  }
  std::fprintf(out, " %d %d %d %d %d\n", static_cast<int>(s.phase), s.region, static_cast<int>(s.status),
               static_cast<int>(s.transport), static_cast<int>(s.transport_status));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: capi_expected <output file>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::fprintf(stderr, "capi_expected: cannot write %s\n", argv[1]);
    return 1;
  }
  for (const PublicFunction& f : kPublicFunctions) {
    for (const Pair& arguments : PairsFor(f.arguments)) {
      for (const FormulationCode code : kCodes) WriteCall(out, f, arguments, code);
    }
  }
  const StateFunction states[] = {
      WithHostile("StateOfTP", brimwater::StateOfTP, kTemperaturePressure),
      WithHostile("StateOfPH", brimwater::StateOfPH, kPressureEnthalpy),
      WithHostile("StateOfPS", brimwater::StateOfPS, kPressureEntropy),
      WithHostile("StateOfHS", brimwater::StateOfHS, kEnthalpyEntropy),
      WithHostile("StateOfTX", brimwater::StateOfTX, kTemperatureQuality),
      WithHostile("StateOfPX", brimwater::StateOfPX, kPressureQuality),
  };
  for (const StateFunction& f : states) {
    for (const Pair& arguments : f.pairs) {
      for (const FormulationCode code : kCodes) WriteState(out, f, arguments, code);
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
