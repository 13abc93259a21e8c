// hrsg2 model: fixed steam states, one evaluation of the seven sections, and the iteration on the flows.
#include "hrsg2_model.h"

#include <brimwater/props.h>

#include <optional>

namespace brimwater::hrsg2 {
namespace {

using cycle::Lmtd;

constexpr FormulationCode kCode = 97;  // IAPWS-IF97, English units

constexpr double kLpDrumRise = 5.0;            // psia above the LP steam pressure
constexpr double kCondensatePumpRise = 100.0;  // psia above the LP drum
constexpr double kHpDrumRise = 25.0;           // psia above the HP steam pressure
constexpr double kHpEco2Rise = 50.0;           // psia above the HP drum
constexpr double kHpEco1Rise = 100.0;          // psia above the HP drum
constexpr double kSuperheat = 250.0;           // degF above drum saturation, both levels
constexpr double kLpEcoApproach = 5.0;         // degF below LP saturation
constexpr double kHpEco1Approach = 150.0;      // degF below HP saturation
constexpr double kHpEco2Approach = 20.0;       // degF below HP saturation

// Flue gas N2, O2, CO2, H2O, Ar: mole fraction, molar mass (rounded), specific heat BTU/(lbm degF).
struct GasSpecies {
  double mole_fraction, molar_mass, cp;
};
constexpr GasSpecies kGas[] = {
    {0.746, 28.0, 0.249}, {0.124, 32.0, 0.219}, {0.038, 44.0, 0.193},
    {0.083, 18.0, 0.443}, {0.009, 40.0, 0.124},
};

}  // namespace

double MeanGasCp() {
  double mass_cp = 0.0;
  double mass = 0.0;
  for (const GasSpecies& g : kGas) {
    mass_cp += g.mole_fraction * g.molar_mass * g.cp;
    mass += g.mole_fraction * g.molar_mass;
  }
  return mass_cp / mass;
}

SteamStates ComputeSteamStates() {
  const double p_lp_drum = kLpSteamPressure + kLpDrumRise;
  const double p_hp_drum = kHpSteamPressure + kHpDrumRise;
  SteamStates s{};
  s.t_sat_lp = Tsat(p_lp_drum, kCode);
  s.t_sat_hp = Tsat(p_hp_drum, kCode);
  s.h_condensate = HofTP(kCondensateT, p_lp_drum + kCondensatePumpRise, kCode);
  s.h_lp_eco = HofTP(s.t_sat_lp - kLpEcoApproach, p_lp_drum, kCode);
  s.hg_lp = Hg(s.t_sat_lp, kCode);
  s.h_lp_steam = HofTP(s.t_sat_lp + kSuperheat, kLpSteamPressure, kCode);
  s.hf_lp = Hf(s.t_sat_lp, kCode);
  s.h_hp_eco1 = HofTP(s.t_sat_hp - kHpEco1Approach, p_hp_drum + kHpEco1Rise, kCode);
  s.h_hp_eco2 = HofTP(s.t_sat_hp - kHpEco2Approach, p_hp_drum + kHpEco2Rise, kCode);
  s.hg_hp = Hg(s.t_sat_hp, kCode);
  s.h_hp_steam = HofTP(s.t_sat_hp + kSuperheat, kHpSteamPressure, kCode);
  return s;
}

Evaluation Evaluate(const SteamStates& s, double gas_cp, const LevelValues& flows) {
  const double flow_lp = flows[kLp];
  const double flow_hp = flows[kHp];
  Evaluation e{};
  double* q = e.duty;
  q[kLpEc] = (flow_lp + flow_hp) * (s.h_lp_eco - s.h_condensate);
  // The HP flow's heating to saturation in the LP drum is not counted in the LP evaporator.
  q[kLpEv] = flow_lp * (s.hg_lp - s.h_lp_eco);
  q[kLpSh] = flow_lp * (s.h_lp_steam - s.hg_lp);
  // The HP feedwater is drawn from the LP drum as saturated liquid.
  q[kHpEc1] = flow_hp * (s.h_hp_eco1 - s.hf_lp);
  q[kHpEc2] = flow_hp * (s.h_hp_eco2 - s.h_hp_eco1);
  q[kHpEv] = flow_hp * (s.hg_hp - s.h_hp_eco2);
  q[kHpSh] = flow_hp * (s.h_hp_steam - s.hg_hp);
  for (int k = 0; k < kSectionCount; ++k) {
    if (!(q[k] > 0.0)) return e;
  }

  double t_in = kGasInletT;
  for (int k = 0; k < kSectionCount; ++k) {
    e.t_gas[k] = t_in - q[k] / kGasFlow / gas_cp;
    t_in = e.t_gas[k];
  }

  // End differences: the water temperature at each end of a section, paired with the gas temperature
  // entering (hot end) and leaving (cold end) it.
  const double* t = e.t_gas;
  e.lmtd[kHpSh] = Lmtd(kGasInletT - (s.t_sat_hp + kSuperheat), t[kHpSh] - s.t_sat_hp);
  e.lmtd[kHpEv] = Lmtd(t[kHpSh] - s.t_sat_hp, t[kHpEv] - (s.t_sat_hp - kHpEco2Approach));
  e.lmtd[kHpEc2] =
      Lmtd(t[kHpEv] - (s.t_sat_hp - kHpEco2Approach), t[kHpEc2] - (s.t_sat_hp - kHpEco1Approach));
  e.lmtd[kLpSh] = Lmtd(t[kHpEc2] - (s.t_sat_lp + kSuperheat), t[kLpSh] - s.t_sat_lp);
  e.lmtd[kHpEc1] = Lmtd(t[kLpSh] - (s.t_sat_hp - kHpEco1Approach), t[kHpEc1] - s.t_sat_lp);
  e.lmtd[kLpEv] = Lmtd(t[kHpEc1] - s.t_sat_lp, t[kLpEv] - (s.t_sat_lp - kLpEcoApproach));
  e.lmtd[kLpEc] = Lmtd(t[kLpEv] - (s.t_sat_lp - kLpEcoApproach), t[kLpEc] - kCondensateT);
  for (int k = 0; k < kSectionCount; ++k) {
    if (!(e.lmtd[k] > 0.0)) return e;
  }

  e.ua_lp = q[kLpEv] / e.lmtd[kLpEv] + q[kLpSh] / e.lmtd[kLpSh] + q[kLpEc] / e.lmtd[kLpEc];
  e.ua_hp = q[kHpEv] / e.lmtd[kHpEv] + q[kHpSh] / e.lmtd[kHpSh] + q[kHpEc2] / e.lmtd[kHpEc2] +
            q[kHpEc1] / e.lmtd[kHpEc1];
  e.valid = true;
  return e;
}

Outcome Solve(const LevelValues& start, std::FILE* out) {
  const SteamStates states = ComputeSteamStates();
  const double gas_cp = MeanGasCp();
  const auto ua = [&](const LevelValues& flows) -> std::optional<LevelValues> {
    const Evaluation e = Evaluate(states, gas_cp, flows);
    if (!e.valid) return std::nullopt;
    return LevelValues{e.ua_lp, e.ua_hp};
  };
  return cycle::SolveUndamped(
      start, kTargetUa, kTolerance, kMaxIterations, ua,
      cycle::IterationTable<kLevelCount>{"it  Flp    Fhp   UAlp   UAhp\n", {5, 6}, {6, 6}}, out);
}

}  // namespace brimwater::hrsg2
