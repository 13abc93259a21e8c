// What the state interface needs of one formulation, in internal units: its saturation line, both saturated
// phases at a temperature, the stable single-phase state at (T, P), its range of validity and the limits the
// pair solvers search within. One table of these per formulation; the pair solvers serve all five alike.
#ifndef BRIMWATER_STATE_FORMULATION_H
#define BRIMWATER_STATE_FORMULATION_H

#include "brimwater/state.h"
#include "state/properties.h"

namespace brimwater::state {

// One phase at one point, with the formulation's region or sub-region (0 where it has none).
struct PhaseState {
  Properties props;
  Phase phase;
  int region;
};

// The saturated liquid and vapour at one temperature (both at the saturation pressure, props.P).
struct SaturatedStates {
  Properties liquid;
  Properties vapour;
  int liquid_region;
  int vapour_region;
};

struct Formulation {
  double critical_T;           // K, end of the saturation line
  double critical_P;           // MPa
  double lowest_saturation_T;  // K, start of the saturation line's range of validity (triple point)
  double (*sat_pressure)(double T);
  double (*sat_temperature)(double P);
  // Both saturated phases at lowest_saturation_T <= T <= critical_T (the equations extrapolate below); NaN
  // properties where the formulation has none.
  SaturatedStates (*saturated)(double T);
  // The stable single-phase state at (T, P); NaN properties where the formulation has none.
  PhaseState (*single_phase)(double T, double P);
  bool (*in_range)(double T, double P);
  // The temperatures (K) and pressures (MPa) the inverse pairs search; wider than the range of validity where
  // the equations extrapolate soundly, so that states just outside it are found (and flagged).
  double search_T_min;
  double search_T_max;
  double search_P_min;
  double search_P_max;
  int two_phase_region;  // the region number of a two-phase mixture (IAPWS-IF97: 4), else 0
  // The residual, relative to max(|h|, 1 kJ/kg) or max(|s|, 1 kJ/(kg K)), at which the inverse pairs stop:
  // the last few bits of h and s as the formulation's equations carry them in double precision. Below it the
  // residual is rounding noise, and the solvers would bisect down to the last ulp of T or P.
  double residual_tolerance = 1e-14;
  // The Helmholtz-energy formulations (IAPWS-95, NBS/NRC 1984, KKHM 1969): the equation and its derivatives
  // at (T, rho), which the critical enhancements of the viscosity and the thermal conductivity evaluate at
  // the reference temperature 970.644 K (IAPWS R12-08 Eq. 21, R15-11); with it the state interface gives
  // both in their full form. nullptr for the industrial formulations (IAPWS-IF97, IFC-67), which take the
  // industrial form that R12-08 and R15-11 define for them.
  numerics::HelmholtzPoint (*helmholtz_point)(double T, double rho) = nullptr;
  // Where the single-phase states come from a Helmholtz-energy equation a(T, rho), so that each (T, P) is a
  // density solve (IAPWS-95, NBS/NRC 1984, KKHM 1969 everywhere; IAPWS-IF97 in region 3): that equation, and
  // the region whose states it gives (0: every state). The (P, h) and (P, s) searches take Newton steps in T
  // and rho together on it, one evaluation a step, before they confirm the root on the (T, P) states (above
  // the critical pressure and temperature the root is the state, when it lies in that region).
  numerics::HelmholtzPoint (*density_equation)(double T, double rho) = nullptr;
  int density_equation_region = 0;
  // Whether (T, P) lies in that region (nullptr: the equation gives every state).
  bool (*in_equation_region)(double T, double P) = nullptr;
};

// The formulation a code selects (the sign is the caller's business), or nullptr.
const Formulation* FormulationOf(FormulationCode code);

// One table per formulation.
const Formulation& If97();
const Formulation& Iapws95();
const Formulation& Kkhm69();
const Formulation& Ifc67();
const Formulation& Nbs84();

}  // namespace brimwater::state

#endif  // BRIMWATER_STATE_FORMULATION_H
