// hrsg3 model: fixed steam states, the eleven sections of the HRSG, the starting-flow sequence and one solve.
#include "hrsg3_model.h"

#include <brimwater/props.h>

namespace brimwater::hrsg3 {
namespace {

constexpr FormulationCode kCode = 97;  // IAPWS-IF97, English units

constexpr double kLpSteamPressure = 75.0;      // psia
constexpr double kIpSteamPressure = 250.0;     // psia
constexpr double kHpSteamPressure = 1800.0;    // psia
constexpr double kLpDrumRise = 5.0;            // psia above the LP steam pressure
constexpr double kCondensatePumpRise = 100.0;  // psia above the LP drum
constexpr double kIpDrumRise = 10.0;           // psia above the IP steam pressure
constexpr double kIpFeedPumpRise = 25.0;       // psia above the IP drum
constexpr double kHpDrumRise = 25.0;           // psia above the HP steam pressure
constexpr double kHpEconomizerRise = 100.0;    // psia above the HP drum
constexpr double kHpFeedPumpRise = 150.0;      // psia above the HP drum

// Steam and water temperatures relative to drum saturation, degF.
constexpr double kLpSuperheat = 170.0;  // 175 above the LP economizer outlet
constexpr double kIpSuperheat = 200.0;
constexpr double kHpSuperheat = 275.0;
constexpr double kLpEcoApproach = 5.0;
constexpr double kIpEcoApproach = 50.0;
constexpr double kHpEco1Approach = 150.0;
constexpr double kHpEco2Approach = 75.0;
constexpr double kHpEco3Approach = 20.0;
// The feed pumps draw from the LP drum; their outlet temperatures are fixed above LP saturation.
constexpr double kHpFeedPumpRiseT = 5.0;
constexpr double kIpFeedPumpRiseT = 1.0;

constexpr int kRandomRange = 10000;
constexpr double kFlowStep = 100.0;  // lbm/hr per step of the starting flows

}  // namespace

SteamStates ComputeSteamStates() {
  const double p_lp_drum = kLpSteamPressure + kLpDrumRise;
  const double p_ip_drum = kIpSteamPressure + kIpDrumRise;
  const double p_hp_drum = kHpSteamPressure + kHpDrumRise;
  const double p_hp_eco = p_hp_drum + kHpEconomizerRise;
  SteamStates s{};
  s.t_sat_lp = Tsat(p_lp_drum, kCode);
  s.h_condensate = HofTP(kCondensateT, p_lp_drum + kCondensatePumpRise, kCode);
  s.h_lp_eco = HofTP(s.t_sat_lp - kLpEcoApproach, p_lp_drum, kCode);
  s.hg_lp = Hg(s.t_sat_lp, kCode);
  s.h_lp_steam = HofTP(s.t_sat_lp + kLpSuperheat, kLpSteamPressure, kCode);
  s.hf_lp = Hf(s.t_sat_lp, kCode);

  s.t_sat_ip = Tsat(p_ip_drum, kCode);
  s.h_ip_pump = HofTP(s.t_sat_lp + kIpFeedPumpRiseT, p_ip_drum + kIpFeedPumpRise, kCode);
  s.h_ip_eco = HofTP(s.t_sat_ip - kIpEcoApproach, p_ip_drum, kCode);
  s.hg_ip = Hg(s.t_sat_ip, kCode);
  s.h_ip_steam = HofTP(s.t_sat_ip + kIpSuperheat, kIpSteamPressure, kCode);

  s.t_sat_hp = Tsat(p_hp_drum, kCode);
  s.h_hp_pump = HofTP(s.t_sat_lp + kHpFeedPumpRiseT, p_hp_drum + kHpFeedPumpRise, kCode);
  s.h_hp_eco1 = HofTP(s.t_sat_hp - kHpEco1Approach, p_hp_eco, kCode);
  s.h_hp_eco2 = HofTP(s.t_sat_hp - kHpEco2Approach, p_hp_eco, kCode);
  s.h_hp_eco3 = HofTP(s.t_sat_hp - kHpEco3Approach, p_hp_eco, kCode);
  s.hg_hp = Hg(s.t_sat_hp, kCode);
  s.h_hp_steam = HofTP(s.t_sat_hp + kHpSuperheat, kHpSteamPressure, kCode);
  return s;
}

Sections HrsgSections(const SteamStates& s, const LevelValues& flows) {
  const double f_lp = flows[kLp];
  const double f_ip = flows[kIp];
  const double f_hp = flows[kHp];
  // Water temperatures along the gas path. Each section's cold end pairs the gas leaving it with the water
  // temperature of the next section's hot end.
  const double t_hp_steam = s.t_sat_hp + kHpSuperheat;
  const double t_hp_eco3 = s.t_sat_hp - kHpEco3Approach;
  const double t_ip_steam = s.t_sat_ip + kIpSuperheat;
  const double t_lp_steam = s.t_sat_lp + kLpSuperheat;
  const double t_hp_eco2 = s.t_sat_hp - kHpEco2Approach;
  const double t_hp_eco1 = s.t_sat_hp - kHpEco1Approach;
  const double t_ip_eco = s.t_sat_ip - kIpEcoApproach;
  const double t_lp_eco = s.t_sat_lp - kLpEcoApproach;

  Sections sections{};
  sections[kHpSh] = {(s.h_hp_steam - s.hg_hp) * f_hp, t_hp_steam, s.t_sat_hp, kHp};
  sections[kHpEv] = {(s.hg_hp - s.h_hp_eco3) * f_hp, s.t_sat_hp, t_hp_eco3, kHp};
  sections[kHpEc3] = {(s.h_hp_eco3 - s.h_hp_eco2) * f_hp, t_hp_eco3, t_ip_steam, kHp};
  sections[kIpSh] = {(s.h_ip_steam - s.hg_ip) * f_ip, t_ip_steam, t_lp_steam, kIp};
  sections[kLpSh] = {(s.h_lp_steam - s.hg_lp) * f_lp, t_lp_steam, t_hp_eco2, kLp};
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
  return cycle::HrsgUa<kLevelCount>(HrsgSections(s, flows), kGas, kGasInletT, kGasFlow);
}

int NextRandom(RandomSequence& sequence) {
  sequence.state = sequence.state * 214013u + 2531011u;  // unsigned arithmetic wraps modulo 2^32
  return static_cast<int>((sequence.state >> 16) & 0x7fffu);
}

LevelValues DrawStartingFlows(RandomSequence& sequence) {
  LevelValues flows{};
  for (double& f : flows) f = (NextRandom(sequence) % kRandomRange + 1) * kFlowStep;
  return flows;
}

Outcome Solve(RandomSequence& sequence, std::FILE* out) {
  const SteamStates states = ComputeSteamStates();
  const cycle::IterationTable<kLevelCount> table{
      "it  Flp   Fip    Fhp   UAlp   UAip   UAhp\n", {5, 5, 6}, {6, 6, 6}};
  return cycle::SolveUaMatching(
      DrawStartingFlows(sequence), kTargetUa, kTolerance,
      [&states](const LevelValues& flows) { return EvaluateUa(states, flows); }, table, out);
}

}  // namespace brimwater::hrsg3
