// IFC-67 for the state interface (The 1967 IFC Formulation for Industrial Use): the Gibbs functions of
// sub-regions 1 and 2 and the Helmholtz functions of sub-regions 3 and 4, chosen by the formulation's
// boundaries as the fifteen functions choose them (the K-function below 623.15 K, the L-function above it,
// sub-region 4 on the liquid side between 623.15 K and Tc); the saturation line is the K-function, inverted
// to the last bits, and the saturated states are the formulation's own at the K-function pressure: liquid in
// sub-region 1 (below 623.15 K) or 4, vapour in sub-region 2 (below 623.15 K) or 3, with the densities of
// sub-regions 3 and 4 solved to the last bits of the pressure on the phase's branch of the isotherm.
//
// Range of validity (the 1967 IFC Formulation for Industrial Use): 273.15 K to 1073.15 K at pressures up to
// 100 MPa; states outside it are computed with the nearest sub-region's equation and flagged Extrapolated.
#include "ifc67/ifc67.h"

#include "state/formulation.h"

namespace brimwater::state {
namespace {

using ifc67::kCriticalPressure;
using ifc67::kCriticalTemperature;

Phase PhaseOf(double T, double P, ifc67::Branch side) {
  if (T < kCriticalTemperature) return side == ifc67::Branch::Liquid ? Phase::Liquid : Phase::Vapour;
  return P >= kCriticalPressure ? Phase::Supercritical : Phase::Vapour;
}

Properties Evaluate(double T, double P, const ifc67::SubregionState& at) {
  switch (at.subregion) {
    case 1: return FromGibbs(ifc67::Subregion1Point(T, P));
    case 2: return FromGibbs(ifc67::Subregion2Point(T, P));
    default: {
      Properties p = FromHelmholtz(at.subregion == 4 ? ifc67::Subregion4Point(T, at.rho)
                                                     : ifc67::Subregion3Point(T, at.rho));
      p.P = P;  // the density reproduces P to its last bits; report P itself
      return p;
    }
  }
}

PhaseState SinglePhase(double T, double P) {
  const ifc67::SubregionState at = ifc67::SubregionOfTP(T, P);
  return {Evaluate(T, P, at), PhaseOf(T, P, at.side), at.subregion};
}

SaturatedStates Saturated(double T) {
  if (T >= kCriticalTemperature) {
    // Both phases meet at the formulation's critical volume (where sub-regions 3 and 4 coincide), at the
    // K-function's pressure there.
    Properties critical =
        FromHelmholtz(ifc67::Subregion3Point(kCriticalTemperature, 1.0 / ifc67::kCriticalVolume));
    critical.P = kCriticalPressure;
    return {critical, critical, 3, 3};
  }
  const ifc67::SaturatedPair sat = ifc67::SaturatedOfT(T);
  return {Evaluate(T, sat.P, sat.liquid), Evaluate(T, sat.P, sat.vapour), sat.liquid.subregion,
          sat.vapour.subregion};
}

}  // namespace

const Formulation& Ifc67() {
  static constexpr Formulation kIfc67 = {
      kCriticalTemperature,
      kCriticalPressure,
      ifc67::kLowestTemperature,
      ifc67::KPressure,
      ifc67::KTemperature,
      Saturated,
      SinglePhase,
      ifc67::InRangeOfValidity,
      ifc67::kKInverseLowestTemperature,  // K: sub-regions 1 and 2 and the K-function extrapolate smoothly
      2500.0,                             // K: sub-region 2 beyond 1073.15 K
      1e-6,                               // MPa
      1.5 * ifc67::kHighestPressure,      // MPa
      0,
      // Sub-regions 1 and 2 carry their h and s to about 1e-12 relative (5e-11 of 1 kJ/kg close to 273 K):
      // the terms of sub-region 1's polynomial in theta reach 1e5 pc vc, and sub-region 2's sums cancel as
      // well.
      1e-12,
  };
  return kIfc67;
}

}  // namespace brimwater::state
