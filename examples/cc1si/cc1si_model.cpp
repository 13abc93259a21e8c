// cc1si model: one evaluation of gas turbine, HRSG, steam turbine and condenser, and the iteration on the
// steam flow and the condensing temperature.
#include "cc1si_model.h"

#include <brimwater/props.h>

#include <cmath>

namespace brimwater::cc1si {
namespace {

using cycle::Lmtd;

constexpr FormulationCode kCode = -97;  // IAPWS-IF97, SI units

constexpr double kSteamPressurePerFlow = 1.5;  // MPa per kg/s: the turbine's swallowing capacity
constexpr double kDrumPressureRise = 0.2;      // MPa above the live steam
constexpr double kFeedPumpRise = 0.8;          // MPa above the drum
constexpr double kEconomizerApproach = 5.0;    // K below drum saturation
constexpr double kTurbineEfficiency = 0.9;
constexpr double kPumpEfficiency = 0.85;
constexpr double kTurbineToNet = 0.9;          // share of the turbine power delivered as net output
constexpr double kCondenserCapacity = 1000.0;  // kW per K of cooling-water rise
constexpr double kStartCondenserRise = 10.0;   // K above the cooling water
constexpr double kFlowStepLimit = 1.5;         // largest factor of one flow update
constexpr double kSecondsPerHour = 3600.0;

}  // namespace

Evaluation Evaluate(const cycle::GtPoint& gt, double cooling_water_t, double steam_flow,
                    double condensing_t) {
  Evaluation e{};
  const double fs = steam_flow;
  e.steam_pressure = kSteamPressurePerFlow * fs;
  e.h_steam = HofTP(kSteamT, e.steam_pressure, kCode);
  const double p_condenser = Psat(condensing_t, kCode);

  e.h_exhaust = cycle::TurbineOutletH(e.steam_pressure, e.h_steam, p_condenser, kTurbineEfficiency, kCode);
  e.turbine_power = (e.h_steam - e.h_exhaust) * fs;

  e.h_condensate = Hf(Tsat(p_condenser, kCode), kCode);
  e.new_condensing_t = cooling_water_t + (e.h_exhaust - e.h_condensate) * fs / kCondenserCapacity;
  const double p_new_condenser = Psat(e.new_condensing_t, kCode);

  const double p_drum = e.steam_pressure + kDrumPressureRise;
  e.drum_t = Tsat(p_drum, kCode);
  const double hg_drum = Hg(e.drum_t, kCode);
  const double t_eco = e.drum_t - kEconomizerApproach;
  e.h_eco = HofTP(t_eco, p_drum, kCode);
  e.h_pump =
      cycle::PumpOutletH(p_new_condenser, e.h_condensate, p_drum + kFeedPumpRise, kPumpEfficiency, kCode);

  e.net_power = kTurbineToNet * e.turbine_power + gt.output - (e.h_pump - e.h_condensate) * fs;

  e.q_sh = fs * (e.h_steam - hg_drum);
  e.q_ev = fs * (hg_drum - e.h_eco);
  e.q_ec = fs * (e.h_eco - e.h_pump);
  if (!(e.q_sh > 0.0) || !(e.q_ev > 0.0) || !(e.q_ec > 0.0)) return e;

  e.t_gas1 = gt.exhaustTemperature - e.q_sh / gt.exhaustFlow / kGasCp;
  e.t_gas2 = e.t_gas1 - e.q_ev / gt.exhaustFlow / kGasCp;
  e.t_stack = e.t_gas2 - e.q_ec / gt.exhaustFlow / kGasCp;

  e.lmtd_sh = Lmtd(gt.exhaustTemperature - kSteamT, e.t_gas1 - e.drum_t);
  e.lmtd_ev = Lmtd(e.t_gas1 - e.drum_t, e.t_gas2 - t_eco);
  // Both ends of the economizer are taken against its outlet water temperature.
  e.lmtd_ec = Lmtd(e.t_gas2 - t_eco, e.t_stack - t_eco);
  if (!(e.lmtd_sh > 0.0) || !(e.lmtd_ev > 0.0) || !(e.lmtd_ec > 0.0)) return e;

  e.ua = e.q_ec / e.lmtd_ec + e.q_ev / e.lmtd_ev + e.q_sh / e.lmtd_sh;
  e.valid = true;
  return e;
}

Outcome RunCase(const Ambient& ambient, double start_flow_divisor, std::FILE* out) {
  const cycle::GtPoint gt =
      cycle::GtPerformance(ambient.pressure, ambient.temperature, ambient.humidity, cycle::kGtSI);
  const double fuel_heat = gt.output * gt.heatRate / kSecondsPerHour;  // kW

  std::fprintf(out, "it Fstm Tcond UAtot\n");
  double fs = gt.exhaustFlow / start_flow_divisor;
  double tc = ambient.cooling_water_t + kStartCondenserRise;
  Outcome outcome{false, fs, tc, 0.0, 0.0, 0.0};
  for (int i = 0; i < kMaxIterations; ++i) {
    const Evaluation e = Evaluate(gt, ambient.cooling_water_t, fs, tc);
    outcome.net_power = e.net_power;
    if (!e.valid) {
      fs *= 0.5;  // the condensing temperature stays
      continue;
    }
    std::fprintf(out, "%2i %4.2lf %5.1lf %5.1lf\n", i, fs, e.new_condensing_t, e.ua);
    outcome.steam_flow = fs;
    outcome.condensing_t = e.new_condensing_t;
    outcome.ua = e.ua;
    if (std::fabs(e.ua / kTargetUa - 1.0) < kTolerance &&
        std::fabs(tc - e.new_condensing_t) < kCondenserTolerance) {
      outcome.converged = true;
      break;
    }
    double next = fs * (kTargetUa / e.ua + 1.0) * 0.5;
    if (next > kFlowStepLimit * fs) next = kFlowStepLimit * fs;
    if (next < fs / kFlowStepLimit) next = fs / kFlowStepLimit;
    fs = next;
    tc = (e.new_condensing_t + tc) * 0.5;
  }
  // The heat rate counts the gas-turbine fuel only: there is no supplementary firing.
  outcome.heat_rate = fuel_heat * kSecondsPerHour / outcome.net_power;
  std::fprintf(out, "kWnet=%.0lf, kJ/kWh=%.0lf\n", outcome.net_power, outcome.heat_rate);
  return outcome;
}

}  // namespace brimwater::cc1si
