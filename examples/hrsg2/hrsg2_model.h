// hrsg2: a two-pressure (LP and HP) heat-recovery steam generator with fixed gas inlet and fixed steam
// conditions, the gas side with one constant mean specific heat. The two steam flows are adjusted until each
// pressure level's required UA equals its installed UA.
//
// English units: degF, psia, BTU/lbm, lbm/hr, BTU/hr, UA in BTU/(hr degF); property code 97.
#ifndef BRIMWATER_EXAMPLES_HRSG2_MODEL_H
#define BRIMWATER_EXAMPLES_HRSG2_MODEL_H

#include <array>
#include <cstdio>

#include "common/hrsg.h"

namespace brimwater::hrsg2 {

inline constexpr double kGasFlow = 1000000.0;       // lbm/hr
inline constexpr double kGasInletT = 1050.0;        // degF
inline constexpr double kCondensateT = 60.0;        // degF
inline constexpr double kHpSteamPressure = 1800.0;  // psia
inline constexpr double kLpSteamPressure = 75.0;    // psia
inline constexpr double kTolerance = 0.0001;        // relative, on each UA
inline constexpr int kMaxIterations = 32;

// Pressure levels, in the order of the flows and UA values.
enum Level : std::size_t { kLp, kHp, kLevelCount };
using LevelValues = std::array<double, kLevelCount>;
inline constexpr LevelValues kTargetUa{200000.0, 600000.0};  // BTU/(hr degF)
inline constexpr LevelValues kStartFlows{kGasFlow / 100.0, kGasFlow / 20.0};

// The water/steam states, fixed by the steam conditions. Temperatures degF, enthalpies BTU/lbm.
struct SteamStates {
  double t_sat_lp, t_sat_hp;  // drum saturation temperatures
  double h_condensate;        // condensate at the condensate-pump discharge
  double h_lp_eco;            // LP economizer outlet, 5 F below LP saturation
  double hg_lp, hf_lp;        // LP drum saturated vapour and liquid
  double h_lp_steam;          // LP superheater outlet, 250 F of superheat
  double h_hp_eco1;           // HP economizer 1 outlet, 150 F below HP saturation
  double h_hp_eco2;           // HP economizer 2 outlet, 20 F below HP saturation
  double hg_hp;               // HP drum saturated vapour
  double h_hp_steam;          // HP superheater outlet, 250 F of superheat
};

// The seven sections in gas order, from the gas inlet to the stack.
enum Section : int { kHpSh, kHpEv, kHpEc2, kLpSh, kHpEc1, kLpEv, kLpEc, kSectionCount };

struct Evaluation {
  bool valid;                   // false when a duty or a log-mean difference is not positive
  double duty[kSectionCount];   // BTU/hr
  double t_gas[kSectionCount];  // gas leaving each section, degF; the last one is the stack
  double lmtd[kSectionCount];   // degF
  double ua_lp, ua_hp;
};

using Outcome = cycle::FlowSolve<kLevelCount>;

// Mass-weighted mean specific heat of the flue gas, BTU/(lbm degF).
double MeanGasCp();
SteamStates ComputeSteamStates();
Evaluation Evaluate(const SteamStates& s, double gas_cp, const LevelValues& flows);

// The iteration on the two flows, printing the header and one line per valid evaluation to `out`.
// Evaluations that find no valid UA halve both flows and print nothing.
Outcome Solve(const LevelValues& start, std::FILE* out);

}  // namespace brimwater::hrsg2

#endif  // BRIMWATER_EXAMPLES_HRSG2_MODEL_H
