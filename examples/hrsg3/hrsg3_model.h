// hrsg3: a three-pressure (LP, IP, HP) heat-recovery steam generator without reheat, with fixed gas inlet and
// fixed steam conditions. Each solve finds the three steam flows at which every pressure level's required UA
// equals its installed UA, starting from pseudo-random flows; the program repeats the solve to test the
// robustness of the UA matching.
//
// English units: degF, psia, BTU/lbm, lbm/hr, BTU/hr, UA in BTU/(hr degF); property code 97.
#ifndef BRIMWATER_EXAMPLES_HRSG3_MODEL_H
#define BRIMWATER_EXAMPLES_HRSG3_MODEL_H

#include <array>
#include <cstdint>
#include <cstdio>

#include "common/hrsg.h"

namespace brimwater::hrsg3 {

inline constexpr double kGasFlow = 1000000.0;  // lbm/hr
inline constexpr double kGasInletT = 1050.0;   // degF
inline constexpr cycle::GasComposition6 kGas{0.746, 0.124, 0.038, 0.083, 0.009, 0.0};
inline constexpr double kCondensateT = 60.0;  // degF
inline constexpr double kTolerance = 0.0001;  // relative, on each UA

// Pressure levels, in the order of the flows and UA values.
enum Level : std::size_t { kLp, kIp, kHp, kLevelCount };
using LevelValues = std::array<double, kLevelCount>;
inline constexpr LevelValues kTargetUa{200000.0, 50000.0, 500000.0};  // BTU/(hr degF)

// The eleven sections in gas order, from the gas inlet to the stack.
enum Section : std::size_t {
  kHpSh,
  kHpEv,
  kHpEc3,
  kIpSh,
  kLpSh,
  kHpEc2,
  kIpEv,
  kHpEc1,
  kIpEc,
  kLpEv,
  kLpEc,
  kSectionCount
};
using Sections = std::array<cycle::HrsgSection, kSectionCount>;

// The water/steam states, fixed by the steam conditions. Temperatures degF, enthalpies BTU/lbm.
struct SteamStates {
  double t_sat_lp, h_condensate, h_lp_eco, hg_lp, h_lp_steam, hf_lp;
  double t_sat_ip, h_ip_pump, h_ip_eco, hg_ip, h_ip_steam;
  double t_sat_hp, h_hp_pump, h_hp_eco1, h_hp_eco2, h_hp_eco3, hg_hp, h_hp_steam;
};

SteamStates ComputeSteamStates();
// Duties and the water temperatures at both ends of every section for the given flows.
Sections HrsgSections(const SteamStates& s, const LevelValues& flows);
// Required UA of each level, all 0 when a duty or a log-mean difference is not positive.
LevelValues EvaluateUa(const SteamStates& s, const LevelValues& flows);

// The pseudo-random sequence of the starting flows: x = x * 214013 + 2531011 modulo 2^32 from x = 1, each
// value (x >> 16) & 0x7fff, the same on every platform. The state carries over from one solve to the next.
struct RandomSequence {
  std::uint32_t state = 1;
};
int NextRandom(RandomSequence& sequence);
// LP, IP and HP starting flows, drawn in that order, each (r mod 10000 + 1) * 100 lbm/hr.
LevelValues DrawStartingFlows(RandomSequence& sequence);

using Outcome = cycle::FlowSolve<kLevelCount>;

// One solve from the next starting flows: prints its header and one line per iteration to `out`, and the
// failure message when it does not converge within the UA matching's iterations.
Outcome Solve(RandomSequence& sequence, std::FILE* out);

}  // namespace brimwater::hrsg3

#endif  // BRIMWATER_EXAMPLES_HRSG3_MODEL_H
