// cc1si: the simplest combined cycle, in SI units: a gas turbine described by correction lines, a
// single-pressure HRSG (superheater, evaporator, economizer), a condensing steam turbine and a water-cooled
// condenser. The steam flow and the condensing temperature are iterated until the HRSG's total required UA
// equals its installed UA and the condenser balances; then net output and heat rate are reported.
//
// SI units: K, MPa, kJ/kg, kg/s, kW, UA in kW/K; property code -97.
#ifndef BRIMWATER_EXAMPLES_CC1SI_MODEL_H
#define BRIMWATER_EXAMPLES_CC1SI_MODEL_H

#include <cstdio>

#include "common/cycle.h"

namespace brimwater::cc1si {

// The ambient case.
struct Ambient {
  double pressure;         // MPa
  double temperature;      // K
  double humidity;         // relative, fraction
  double cooling_water_t;  // K
};
inline constexpr Ambient kAmbient{0.101325, 290.0, 0.6, 290.0};

inline constexpr double kGasCp = 1.12;              // kJ/(kg K), flue gas, constant
inline constexpr double kSteamT = 700.0;            // K, live steam
inline constexpr double kTargetUa = 200.0;          // kW/K, the three sections together
inline constexpr double kTolerance = 0.0001;        // relative, on UA
inline constexpr double kCondenserTolerance = 0.5;  // K, between successive condensing temperatures
inline constexpr int kMaxIterations = 32;
inline constexpr double kStartFlowDivisor = 50.0;  // starting steam flow = gas-turbine exhaust flow / 50

// One evaluation of the plant at a steam flow and a condensing temperature.
struct Evaluation {
  bool valid;                             // false when a duty or a log-mean difference is not positive
  double steam_pressure, h_steam;         // MPa, kJ/kg
  double h_exhaust, turbine_power;        // kJ/kg, kW
  double h_condensate, new_condensing_t;  // kJ/kg, K
  double drum_t, h_eco, h_pump;           // K, kJ/kg, kJ/kg
  double net_power;                       // kW
  double q_sh, q_ev, q_ec;                // kW
  double t_gas1, t_gas2, t_stack;         // K, gas leaving the superheater, the evaporator, the economizer
  double lmtd_sh, lmtd_ev, lmtd_ec;       // K
  double ua;                              // kW/K
};

Evaluation Evaluate(const cycle::GtPoint& gt, double cooling_water_t, double steam_flow, double condensing_t);

struct Outcome {
  bool converged;
  double steam_flow;    // kg/s, of the last valid evaluation
  double condensing_t;  // K, the new estimate of the last valid evaluation
  double ua;
  double net_power;  // kW, of the last evaluation
  double heat_rate;  // kJ/kWh, gas-turbine fuel over net output
};

// The case, from a steam flow of the exhaust flow / `start_flow_divisor`: prints the header, one line per
// valid evaluation and the result line to `out`. Evaluations that find no valid UA halve the steam flow and
// print nothing.
Outcome RunCase(const Ambient& ambient, double start_flow_divisor, std::FILE* out);

}  // namespace brimwater::cc1si

#endif  // BRIMWATER_EXAMPLES_CC1SI_MODEL_H
