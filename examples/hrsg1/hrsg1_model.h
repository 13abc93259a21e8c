// hrsg1: a single-pressure heat-recovery steam generator (superheater, evaporator, economizer) in SI units,
// with fixed gas inlet and fixed steam conditions. The steam flow is adjusted until the required UA of the
// three sections together equals the installed UA.
//
// At this program's interface temperatures are in degC and pressures in kPa; the property calls take K and
// MPa (code -97). Enthalpies are kJ/kg, the specific heat kJ/(kg K), UA is in kW/K per unit of flow rate.
#ifndef BRIMWATER_EXAMPLES_HRSG1_MODEL_H
#define BRIMWATER_EXAMPLES_HRSG1_MODEL_H

#include <cstdio>

#include "common/hrsg.h"

namespace brimwater::hrsg1 {

inline constexpr double kGasFlow = 4000.0;        // same mass-flow unit as the steam flow
inline constexpr double kGasInletT = 600.0;       // degC
inline constexpr double kFeedwaterT = 20.0;       // degC
inline constexpr double kSteamPressure = 8000.0;  // kPa, superheater outlet
inline constexpr double kTargetUa = 8000.0;
inline constexpr double kTolerance = 0.0001;  // relative, on UA
inline constexpr double kStartFlow = 50.0;
inline constexpr int kMaxIterations = 32;

// The water/steam states, fixed by the steam conditions. Temperatures degC, enthalpies kJ/kg.
struct SteamStates {
  double t_sat;   // drum saturation temperature
  double h_feed;  // feedwater at the feed-pump discharge
  double t_eco;   // economizer outlet, 5 K below saturation
  double h_eco;
  double h_sat_vap;  // saturated vapour leaving the drum
  double t_steam;    // superheater outlet, 250 K of superheat
  double h_steam;
};

// One pass of the gas through the three sections at a given steam flow, in gas order.
struct Evaluation {
  bool valid;                        // false when the duties or the log-mean differences do not allow a UA
  double q_sh, q_ev, q_ec;           // duties
  double t_gas1, t_gas2, t_stack;    // gas leaving the superheater, the evaporator, the economizer (degC)
  double lmtd_sh, lmtd_ev, lmtd_ec;  // K
  double ua;                         // total required UA
};

// flows[0] and ua[0]: the steam flow and the total UA of the last valid evaluation.
using Outcome = cycle::FlowSolve<1>;

// Mass-weighted mean specific heat of the flue gas, kJ/(kg K).
double MeanGasCp();
SteamStates ComputeSteamStates();
Evaluation Evaluate(const SteamStates& s, double gas_cp, double flow);

// The iteration on the steam flow from `start_flow`, printing the header and one line per valid
// evaluation to `out`. Evaluations that find no valid UA halve the flow and print nothing.
Outcome Solve(double start_flow, std::FILE* out);

}  // namespace brimwater::hrsg1

#endif  // BRIMWATER_EXAMPLES_HRSG1_MODEL_H
