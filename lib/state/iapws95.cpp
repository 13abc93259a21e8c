// IAPWS-95 for the state interface (IAPWS R6-95(2018)): the equation at every state, densities to the last
// bits of the pressure, and the saturated states from the phase-equilibrium condition on the equation itself
// (equal pressure and Gibbs energy), as the release's saturation table is computed.
//
// Range of validity (IAPWS R6-95(2018), section 6.1; Wagner and Pruss 2002): the stable fluid from the
// melting-pressure curve to 1273 K at pressures up to 1000 MPa. Here 273.16 K stands in for the melting
// curve up to 620 MPa and a line rising at 0.0875 K/MPa above it (see iapws95::InRangeOfValidity); states
// below, above 1273 K or above 1000 MPa are computed all the same and flagged as extrapolated.
#include "iapws95/iapws95.h"

#include <cmath>
#include <limits>

#include "state/formulation.h"

namespace brimwater::state {
namespace {

using iapws95::kCriticalTemperature;

// Within this relative distance of IAPWS-IF97's saturation pressure, the side of the saturation line is
// decided by this equation's own saturation pressure (IF97's lies within 1.8e-4 of it from 240 K to the
// critical point); farther away IF97's decides, without the cost of a phase equilibrium.
constexpr double kSaturationBand = 5e-4;

Properties Saturated(const numerics::HelmholtzPoint& f, double P) {
  Properties p = FromHelmholtz(f);
  p.P = P;  // the common pressure of both phases
  return p;
}

SaturatedStates SaturatedOf(double T) {
  const numerics::Coexistence c = iapws95::SaturatedDensities(T);
  if (!c.converged) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Properties none{T, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    return {none, none, 0, 0};
  }
  return {Saturated(c.liquid, c.P), Saturated(c.vapour, c.P), 0, 0};
}

PhaseState SinglePhase(double T, double P) {
  Phase phase;
  iapws95::DensityBranch branch = iapws95::DensityBranch::Liquid;
  if (T < kCriticalTemperature) {
    double Ps = if97::Region4Pressure(T);
    if (std::fabs(P - Ps) <= kSaturationBand * Ps) {
      const double own = iapws95::SaturationPressure(T);
      if (std::isfinite(own)) Ps = own;
    }
    phase = P >= Ps ? Phase::Liquid : Phase::Vapour;
    if (phase == Phase::Vapour) branch = iapws95::DensityBranch::Vapour;
  } else {
    phase = P >= iapws95::kCriticalPressure ? Phase::Supercritical : Phase::Vapour;
  }
  Properties p = FromHelmholtz(iapws95::PointOnBranch(T, P, branch));
  p.P = P;  // the density reproduces P to its last bits; report P itself
  return {p, phase, 0};
}

}  // namespace

const Formulation& Iapws95() {
  static constexpr Formulation kIapws95 = {
      kCriticalTemperature,
      iapws95::kCriticalPressure,
      iapws95::kTriplePointTemperature,
      iapws95::SaturationPressure,
      iapws95::SaturationTemperature,
      SaturatedOf,
      SinglePhase,
      iapws95::InRangeOfValidity,
      250.0,   // K: the compressed and the supercooled liquid below the triple point
      2500.0,  // K: the equation extrapolates soundly at high temperatures (Wagner and Pruss 2002)
      1e-6,    // MPa
      1500.0,  // MPa
      0,
      1e-14,               // the inverse pairs' stopping residual, relative
      iapws95::PointOfTD,  // the transport properties in their full form
      iapws95::PointOfTD,  // the equation the isobaric searches step on
  };
  return kIapws95;
}

}  // namespace brimwater::state
