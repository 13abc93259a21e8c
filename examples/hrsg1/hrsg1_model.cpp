// hrsg1 model: fixed steam states, one evaluation of the three sections, and the iteration on the flow.
#include "hrsg1_model.h"

#include <brimwater/props.h>

#include <array>
#include <optional>

namespace brimwater::hrsg1 {
namespace {

using cycle::Lmtd;

constexpr FormulationCode kCode = -97;  // IAPWS-IF97, SI units
constexpr double kKelvinOffset = 273.15;
constexpr double kPerMpa = 1000.0;  // kPa per MPa

constexpr double kDrumPressureRise = 250.0;  // kPa above the steam pressure
constexpr double kFeedPumpRise = 750.0;      // kPa above the drum
constexpr double kSuperheat = 250.0;         // K above drum saturation
constexpr double kEconomizerApproach = 5.0;  // K below drum saturation

// Flue gas N2, O2, CO2, H2O, Ar: mole fraction, molar mass (rounded), specific heat kJ/(kg K).
struct GasSpecies {
  double mole_fraction, molar_mass, cp;
};
constexpr GasSpecies kGas[] = {
    {0.746, 28.0, 1.04}, {0.124, 32.0, 0.919}, {0.038, 44.0, 0.844}, {0.083, 18.0, 1.93}, {0.009, 40.0, 0.52},
};

double Kelvin(double t_celsius) { return t_celsius + kKelvinOffset; }
double Mpa(double p_kpa) { return p_kpa / kPerMpa; }

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
  const double p_drum = kSteamPressure + kDrumPressureRise;
  SteamStates s{};
  s.t_sat = Tsat(Mpa(p_drum), kCode) - kKelvinOffset;
  s.h_feed = HofTP(Kelvin(kFeedwaterT), Mpa(p_drum + kFeedPumpRise), kCode);
  s.t_eco = s.t_sat - kEconomizerApproach;
  s.h_eco = HofTP(Kelvin(s.t_eco), Mpa(p_drum), kCode);
  s.h_sat_vap = Hg(Kelvin(s.t_sat), kCode);
  s.t_steam = s.t_sat + kSuperheat;
  s.h_steam = HofTP(Kelvin(s.t_steam), Mpa(kSteamPressure), kCode);
  return s;
}

Evaluation Evaluate(const SteamStates& s, double gas_cp, double flow) {
  Evaluation e{};
  e.q_sh = flow * (s.h_steam - s.h_sat_vap);
  e.q_ec = flow * (s.h_eco - s.h_feed);
  e.q_ev = flow * (s.h_sat_vap - s.h_eco);
  // The duties are tested as a product: the model only needs a UA it can divide into.
  if (!(e.q_sh * e.q_ec * e.q_ev > 0.0)) return e;

  e.t_gas1 = kGasInletT - e.q_sh / kGasFlow / gas_cp;
  e.t_gas2 = e.t_gas1 - e.q_ev / kGasFlow / gas_cp;
  e.t_stack = e.t_gas2 - e.q_ec / kGasFlow / gas_cp;

  e.lmtd_sh = Lmtd(kGasInletT - s.t_steam, e.t_gas1 - s.t_sat);
  e.lmtd_ev = Lmtd(e.t_gas1 - s.t_sat, e.t_gas2 - s.t_eco);
  e.lmtd_ec = Lmtd(e.t_gas2 - s.t_eco, e.t_stack - kFeedwaterT);
  // Lmtd is 0 for a temperature cross, never negative, so the product is positive only when all are.
  if (!(e.lmtd_sh * e.lmtd_ev * e.lmtd_ec > 0.0)) return e;

  e.ua = e.q_ev / e.lmtd_ev + e.q_sh / e.lmtd_sh + e.q_ec / e.lmtd_ec;
  e.valid = true;
  return e;
}

Outcome Solve(double start_flow, std::FILE* out) {
  const SteamStates states = ComputeSteamStates();
  const double gas_cp = MeanGasCp();
  using Flow = std::array<double, 1>;
  const auto ua = [&](const Flow& flow) -> std::optional<Flow> {
    const Evaluation e = Evaluate(states, gas_cp, flow[0]);
    if (!e.valid) return std::nullopt;
    return Flow{e.ua};
  };
  return cycle::SolveUndamped<1>({start_flow}, {kTargetUa}, kTolerance, kMaxIterations, ua,
                                 {"it flo  UA\n", {3}, {4}}, out);
}

}  // namespace brimwater::hrsg1
