// hrsg3r: a three-pressure reheat heat-recovery steam generator alone, with fixed gas inlet and fixed steam
// pressures and temperatures. The LP, IP and HP steam flows are adjusted until each pressure level's required
// UA equals its installed UA. Fourteen sections as in the combined-cycle HRSG; a fixed gas temperature rise
// after HP superheater 2 stands in for the duct burner, and the HP turbine is a fixed enthalpy drop.
//
// English units: degF, psia, BTU/lbm, lbm/hr, BTU/hr, UA in BTU/(hr degF); property code 97.
#ifndef BRIMWATER_EXAMPLES_HRSG3R_MODEL_H
#define BRIMWATER_EXAMPLES_HRSG3R_MODEL_H

#include <array>
#include <cstdio>

#include "common/hrsg.h"

namespace brimwater::hrsg3r {

inline constexpr double kGasFlow = 3000000.0;  // lbm/hr, no fuel added
inline constexpr double kGasInletT = 1100.0;   // degF
// Gas before and after the burner position: N2, O2, CO2, H2O, Ar, SO2.
inline constexpr cycle::GasComposition6 kGasInlet{0.746, 0.124, 0.038, 0.083, 0.009, 0.0};
inline constexpr cycle::GasComposition6 kGasAfterBurner{0.744, 0.119, 0.04, 0.088, 0.009, 0.0};
inline constexpr double kBurnerTemperatureRise = 100.0;  // degF
inline constexpr double kCondensateT = 60.0;             // degF
inline constexpr double kTolerance = 0.0001;             // relative, on each UA

// Pressure levels, in the order of the flows and UA values. Both reheaters count to the HP level.
enum Level : std::size_t { kLp, kIp, kHp, kLevelCount };
using LevelValues = std::array<double, kLevelCount>;
inline constexpr LevelValues kTargetUa{500000.0, 50000.0, 1500000.0};  // BTU/(hr degF)
inline constexpr LevelValues kStartFlows{kGasFlow / 200.0, kGasFlow / 200.0, kGasFlow / 20.0};

// The fourteen sections in gas order, from the gas inlet to the stack; the burner position follows kHpSh2.
enum Section : std::size_t {
  kRh2,
  kHpSh2,
  kRh1,
  kHpSh1,
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
  double t_sat_hp, h_hp_pump, h_hp_eco1, h_hp_eco2, h_hp_eco3, hg_hp, h_hp_sh1, h_hp_steam;
  double h_rh1, h_hot_reheat;
  double t_sat_ip, h_ip_pump, h_ip_eco, hg_ip, h_ip_steam;
};

// The HP turbine exhaust (95% of the HP flow) mixed with the IP superheater's steam.
struct ColdReheat {
  double h;  // BTU/lbm
  double t;  // degF
};

SteamStates ComputeSteamStates();
ColdReheat MixColdReheat(const SteamStates& s, const LevelValues& flows);
// Duties and the water temperatures at both ends of every section for the given flows.
Sections HrsgSections(const SteamStates& s, const ColdReheat& cold_reheat, const LevelValues& flows);
// Required UA of each level, all 0 when a duty or a log-mean difference is not positive.
LevelValues EvaluateUa(const SteamStates& s, const LevelValues& flows);

using Outcome = cycle::FlowSolve<kLevelCount>;

// The UA matching from `start`, printing the header and one line per iteration to `out`, and the failure
// message when it does not converge within its iterations.
Outcome Solve(const LevelValues& start, std::FILE* out);

}  // namespace brimwater::hrsg3r

#endif  // BRIMWATER_EXAMPLES_HRSG3R_MODEL_H
