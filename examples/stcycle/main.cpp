// stcycle: heat balance of a condensing steam turbine with three feedwater heaters over a grid of 480 cases
// (power factor, cooling-water temperature, throttle flow, throttle temperature), timed as a whole. The
// optional first argument is the formulation code, so the grid serves as a speed test of each formulation.
#include <brimwater/props.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "heat_balance.h"

namespace {

// The code as C's atoi reads it (leading blanks, a sign, decimal digits; no number gives 0). Beyond the range
// of the code the value is held at its nearer end, where atoi's result is undefined: either end is an
// unsupported code.
brimwater::FormulationCode CodeOfText(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<brimwater::FormulationCode>(value);
}

// The plant data are in English units, so only a positive code of one of the five formulations gives a heat
// balance; the grid runs with any other code all the same, as a speed test.
bool GivesEnglishUnits(brimwater::FormulationCode code) {
  constexpr brimwater::FormulationCode kEnglishCodes[] = {67, 69, 84, 95, 97};
  for (const brimwater::FormulationCode supported : kEnglishCodes) {
    if (code == supported) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  brimwater::FormulationCode formulation = 97;  // IAPWS-IF97, English units
  if (argc > 1) formulation = CodeOfText(argv[1]);
  if (!GivesEnglishUnits(formulation)) {
    std::fprintf(
        stderr,
        "stcycle: note: the plant data are in English units; code %d is not 67, 69, 84, 95 or 97, so "
        "the numbers below are meaningless\n",
        formulation);
  }

  constexpr double kCoolingWaterFlow = 7750000.0;  // lbm/hr, printed only

  const auto start = std::chrono::steady_clock::now();
  int cases = 0;
  // The sweep values are accumulated by repeated addition; each bound lies a fraction of a step beyond the
  // last value, so the rounding of the sums can neither add nor drop a case.
  for (double PF = 0.85; PF < 1.01; PF += 0.05) {
    for (double T20 = 40.0; T20 < 91.0; T20 += 10.0) {
      for (double F1 = 500000.0; F1 < 1250001.0; F1 += 250000.0) {
        for (double T1 = 950.0; T1 < 1051.0; T1 += 25.0) {
          brimwater::stcycle::SteamCase(F1, T1, kCoolingWaterFlow, T20, PF, formulation, stdout);
          ++cases;
        }
      }
    }
    std::fprintf(stderr, "PF=%4.2lf\n", PF);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("%i cases in %.3lf seconds\n", cases, seconds);
  std::fprintf(stderr, "%i cases in %.3lf seconds\n", cases, seconds);
  return 0;
}
