// IAPWS-IF97 for the state interface: regions 1, 2, 3 and 5 with the release's boundaries, the saturation
// curve of region 4 (Eq. 30 and its closed-form inverse, Eq. 31), and saturated states above 623.15 K from
// region 3 at the saturation pressure (IAPWS R7-97(2012)).
#include "if97/if97.h"

#include <limits>

#include "state/formulation.h"

namespace brimwater::state {
namespace {

using if97::kCriticalTemperature;

constexpr double kCriticalDensity = if97::kCriticalDensity / 1000.0;  // g/cm3

Properties Region3(double T, double P, if97::Region3Branch branch) {
  Properties p = FromHelmholtz(if97::Region3Point(T, if97::Region3Density(T, P, branch)));
  p.P = P;  // the density reproduces P to its last bits; report P itself
  return p;
}

PhaseState SinglePhase(double T, double P) {
  const if97::RegionOfState where = if97::RegionOfTP(T, P);
  Phase phase = where.liquid_side ? Phase::Liquid : Phase::Vapour;
  if (T >= kCriticalTemperature) phase = P >= if97::kCriticalPressure ? Phase::Supercritical : Phase::Vapour;
  switch (where.region) {
    case 1: return {FromGibbs(if97::Region1Point(T, P)), phase, 1};
    case 2: return {FromGibbs(if97::Region2Point(T, P)), phase, 2};
    case 3:
      return {
          Region3(T, P, phase == Phase::Vapour ? if97::Region3Branch::Vapour : if97::Region3Branch::Liquid),
          phase, 3};
    default: return {FromGibbs(if97::Region5Point(T, P)), phase, 5};
  }
}

bool InRegion3(double T, double P) { return if97::RegionOfTP(T, P).region == 3; }

SaturatedStates Saturated(double T) {
  if (T >= kCriticalTemperature) {
    Properties critical = FromHelmholtz(if97::Region3Point(kCriticalTemperature, kCriticalDensity));
    // At the critical point cp, the compressibility and the expansivity diverge; region 3's (dp/drho)_T there
    // is zero only to its rounding (a tiny negative number would make cp a huge negative one).
    critical.cp = std::numeric_limits<double>::infinity();
    critical.drho_dP = std::numeric_limits<double>::infinity();
    critical.dv_dT = std::numeric_limits<double>::infinity();
    return {critical, critical, 3, 3};
  }
  const double Ps = if97::Region4Pressure(T);
  if (T <= if97::kRegion3StartTemperature) {
    return {FromGibbs(if97::Region1Point(T, Ps)), FromGibbs(if97::Region2Point(T, Ps)), 1, 2};
  }
  return {Region3(T, Ps, if97::Region3Branch::Liquid), Region3(T, Ps, if97::Region3Branch::Vapour), 3, 3};
}

}  // namespace

const Formulation& If97() {
  static constexpr Formulation kIf97 = {
      kCriticalTemperature,
      if97::kCriticalPressure,
      if97::kLowestTemperature,
      if97::Region4Pressure,
      if97::Region4Temperature,
      Saturated,
      SinglePhase,
      if97::InRangeOfValidity,
      250.0,                         // K: regions 1 and 2 extrapolate smoothly below 273.15 K
      2500.0,                        // K: region 5 beyond 2273.15 K
      1e-6,                          // MPa
      1.5 * if97::kHighestPressure,  // MPa
      4,
      1e-14,               // the inverse pairs' stopping residual, relative
      nullptr,             // the industrial form of the transport properties
      if97::Region3Point,  // region 3's equation, which the isobaric searches step on there
      3,
      InRegion3,
  };
  return kIf97;
}

}  // namespace brimwater::state
