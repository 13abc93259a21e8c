// hrsg3r model: fixed steam states, the cold-reheat mixture, the fourteen sections and the UA matching.
#include "hrsg3r_model.h"

#include <brimwater/props.h>

namespace brimwater::hrsg3r {
namespace {

constexpr FormulationCode kCode = 97;  // IAPWS-IF97, English units

constexpr double kLpSteamPressure = 100.0;   // psia, LP superheater outlet
constexpr double kIpSteamPressure = 600.0;   // psia, reheater 2 outlet (IP turbine inlet)
constexpr double kHpSteamPressure = 2400.0;  // psia, HP superheater 2 outlet (HP turbine inlet)
// Pressure offsets, psia.
constexpr double kLpDrumRise = 5.0;            // LP drum above the LP steam
constexpr double kCondensatePumpRise = 100.0;  // condensate pump above the LP drum
constexpr double kHpSh1Rise = 25.0;            // HP superheater 1 outlet above the HP steam
constexpr double kHpDrumRise = 50.0;
constexpr double kHpEconomizerRise = 150.0;
constexpr double kHpFeedPumpRise = 200.0;
constexpr double kRh1Rise = 10.0;         // reheater 1 outlet above the IP steam
constexpr double kColdReheatRise = 20.0;  // HP turbine exhaust above the IP steam
constexpr double kIpDrumRise = 10.0;      // IP drum above the cold reheat
constexpr double kIpFeedPumpRise = 25.0;  // IP feed pump above the IP drum

// Steam temperatures, degF.
constexpr double kLpSteamT = 500.0;
constexpr double kIpSteamT = 600.0;
constexpr double kHpSh1T = 900.0;
constexpr double kHpSteamT = 975.0;
constexpr double kRh1T = 900.0;
constexpr double kHotReheatT = 975.0;
// Water temperatures relative to drum saturation, degF.
constexpr double kLpEcoApproach = 5.0;
constexpr double kIpEcoApproach = 50.0;
constexpr double kHpEco1Approach = 150.0;
constexpr double kHpEco2Approach = 75.0;
constexpr double kHpEco3Approach = 20.0;
// The feed pumps draw from the LP drum; their outlet temperatures are fixed above LP saturation.
constexpr double kHpFeedPumpRiseT = 5.0;
constexpr double kIpFeedPumpRiseT = 1.0;

constexpr double kHpTurbineDrop = 200.0;  // BTU/lbm
constexpr double kReheatFraction = 0.95;  // of the HP flow, leaving the HP turbine toward reheat

constexpr double kColdReheatPressure = kIpSteamPressure + kColdReheatRise;

}  // namespace

SteamStates ComputeSteamStates() {
  const double p_lp_drum = kLpSteamPressure + kLpDrumRise;
  const double p_hp_eco = kHpSteamPressure + kHpEconomizerRise;
  const double p_ip_drum = kColdReheatPressure + kIpDrumRise;
  SteamStates s{};
  s.t_sat_lp = Tsat(p_lp_drum, kCode);
  s.h_condensate = HofTP(kCondensateT, p_lp_drum + kCondensatePumpRise, kCode);
  s.h_lp_eco = HofTP(s.t_sat_lp - kLpEcoApproach, p_lp_drum, kCode);
  s.hg_lp = Hg(s.t_sat_lp, kCode);
  s.h_lp_steam = HofTP(kLpSteamT, kLpSteamPressure, kCode);
  s.hf_lp = Hf(s.t_sat_lp, kCode);

  s.t_sat_hp = Tsat(kHpSteamPressure + kHpDrumRise, kCode);
  s.h_hp_pump = HofTP(s.t_sat_lp + kHpFeedPumpRiseT, kHpSteamPressure + kHpFeedPumpRise, kCode);
  s.h_hp_eco1 = HofTP(s.t_sat_hp - kHpEco1Approach, p_hp_eco, kCode);
  s.h_hp_eco2 = HofTP(s.t_sat_hp - kHpEco2Approach, p_hp_eco, kCode);
  s.h_hp_eco3 = HofTP(s.t_sat_hp - kHpEco3Approach, p_hp_eco, kCode);
  s.hg_hp = Hg(s.t_sat_hp, kCode);
  s.h_hp_sh1 = HofTP(kHpSh1T, kHpSteamPressure + kHpSh1Rise, kCode);
  s.h_hp_steam = HofTP(kHpSteamT, kHpSteamPressure, kCode);

  s.h_rh1 = HofTP(kRh1T, kIpSteamPressure + kRh1Rise, kCode);
  s.h_hot_reheat = HofTP(kHotReheatT, kIpSteamPressure, kCode);

  s.t_sat_ip = Tsat(p_ip_drum, kCode);
  s.h_ip_pump = HofTP(s.t_sat_lp + kIpFeedPumpRiseT, p_ip_drum + kIpFeedPumpRise, kCode);
  s.h_ip_eco = HofTP(s.t_sat_ip - kIpEcoApproach, p_ip_drum, kCode);
  s.hg_ip = Hg(s.t_sat_ip, kCode);
  s.h_ip_steam = HofTP(kIpSteamT, kColdReheatPressure, kCode);
  return s;
}

ColdReheat MixColdReheat(const SteamStates& s, const LevelValues& flows) {
  const double f_reheat = kReheatFraction * flows[kHp];
  const double h_hp_exhaust = s.h_hp_steam - kHpTurbineDrop;
  ColdReheat c{};
  c.h = (h_hp_exhaust * f_reheat + s.h_ip_steam * flows[kIp]) / (f_reheat + flows[kIp]);
  c.t = TofPH(kColdReheatPressure, c.h, kCode);
  return c;
}

Sections HrsgSections(const SteamStates& s, const ColdReheat& cold_reheat, const LevelValues& flows) {
  const double f_lp = flows[kLp];
  const double f_ip = flows[kIp];
  const double f_hp = flows[kHp];
  const double f_reheat = f_ip + kReheatFraction * f_hp;
  // Water temperatures along the gas path. From HP superheater 2 on, each section's cold end pairs the gas
  // leaving it with the water temperature of the next section's hot end.
  const double t_hp_eco3 = s.t_sat_hp - kHpEco3Approach;
  const double t_hp_eco2 = s.t_sat_hp - kHpEco2Approach;
  const double t_hp_eco1 = s.t_sat_hp - kHpEco1Approach;
  const double t_ip_eco = s.t_sat_ip - kIpEcoApproach;
  const double t_lp_eco = s.t_sat_lp - kLpEcoApproach;

  Sections sections{};
  sections[kRh2] = {(s.h_hot_reheat - s.h_rh1) * f_reheat, kHotReheatT, kRh1T, kHp};
  sections[kHpSh2] = {(s.h_hp_steam - s.h_hp_sh1) * f_hp, kHpSteamT, kRh1T, kHp};
  sections[kRh1] = {(s.h_rh1 - cold_reheat.h) * f_reheat, kRh1T, cold_reheat.t, kHp};
  sections[kHpSh1] = {(s.h_hp_sh1 - s.hg_hp) * f_hp, kHpSh1T, s.t_sat_hp, kHp};
  sections[kHpEv] = {(s.hg_hp - s.h_hp_eco3) * f_hp, s.t_sat_hp, t_hp_eco3, kHp};
  sections[kHpEc3] = {(s.h_hp_eco3 - s.h_hp_eco2) * f_hp, t_hp_eco3, kIpSteamT, kHp};
  sections[kIpSh] = {(s.h_ip_steam - s.hg_ip) * f_ip, kIpSteamT, kLpSteamT, kIp};
  sections[kLpSh] = {(s.h_lp_steam - s.hg_lp) * f_lp, kLpSteamT, t_hp_eco2, kLp};
  sections[kHpEc2] = {(s.h_hp_eco2 - s.h_hp_eco1) * f_hp, t_hp_eco2, s.t_sat_ip, kHp};
  sections[kIpEv] = {(s.hg_ip - s.h_ip_eco) * f_ip, s.t_sat_ip, t_hp_eco1, kIp};
  sections[kHpEc1] = {(s.h_hp_eco1 - s.h_hp_pump) * f_hp, t_hp_eco1, t_ip_eco, kHp};
  sections[kIpEc] = {(s.h_ip_eco - s.h_ip_pump) * f_ip, t_ip_eco, s.t_sat_lp, kIp};
  // The LP evaporator also brings the IP and HP feedwater to LP saturation before their pumps.
  sections[kLpEv] = {(s.hg_lp - s.h_lp_eco) * f_lp + (s.hf_lp - s.h_lp_eco) * (f_ip + f_hp), s.t_sat_lp,
                     t_lp_eco, kLp};
  sections[kLpEc] = {(s.h_lp_eco - s.h_condensate) * (f_lp + f_ip + f_hp), t_lp_eco, kCondensateT, kLp};
  return sections;
}

LevelValues EvaluateUa(const SteamStates& s, const LevelValues& flows) {
  // The gas temperature after HP superheater 2 rises by a fixed amount and takes the after-burner
  // composition; its cold end and reheater 1's hot end both see the raised temperature.
  const cycle::GasChange<cycle::GasComposition6> burner{
      cycle::GasChangeKind::TemperatureRise, kHpSh2, 0.0, 0.0, kBurnerTemperatureRise, kGasAfterBurner};
  return cycle::HrsgUa<kLevelCount>(HrsgSections(s, MixColdReheat(s, flows), flows), kGasInlet, kGasInletT,
                                    kGasFlow, burner);
}

Outcome Solve(const LevelValues& start, std::FILE* out) {
  const SteamStates states = ComputeSteamStates();
  const cycle::IterationTable<kLevelCount> table{
      "it  Flp   Fip    Fhp   UAlp   UAip    UAhp\n", {5, 5, 6}, {6, 6, 7}};
  return cycle::SolveUaMatching(
      start, kTargetUa, kTolerance, [&states](const LevelValues& flows) { return EvaluateUa(states, flows); },
      table, out);
}

}  // namespace brimwater::hrsg3r
