// KKHM 1969 for the state interface: the fundamental equation of Keenan, Keyes, Hill and Moore (Steam Tables,
// Wiley 1969) with its vapour-pressure equation. As in the 1969 tables the saturation pressure comes from the
// vapour-pressure equation and the saturated liquid and vapour from the fundamental equation at that
// pressure; at and above 647.245 K both are the critical state, the equation's state at 647.245 K and 22.0894
// MPa. Near it the saturated vapour is bridged to the critical state (kkhm69/density.cpp says why). The
// formulation has no regions.
//
// Range of validity: the extent of the 1969 tables, from the triple point, 273.16 K, to 1300 degC
// (1573.15 K) at pressures up to 100 MPa (1000 bar). States outside it are computed by the equations as they
// stand and flagged as extrapolated.
#include "kkhm69/kkhm69.h"

#include <cmath>

#include "state/formulation.h"

namespace brimwater::state {
namespace {

using kkhm69::kCriticalPressure;
using kkhm69::kCriticalTemperature;

constexpr double kHighestTemperature = 1573.15;  // K
constexpr double kHighestPressure = 100.0;       // MPa

Phase PhaseOf(double T, double P) {
  if (T < kCriticalTemperature) return P > kkhm69::VapourPressure(T) ? Phase::Liquid : Phase::Vapour;
  return P >= kCriticalPressure ? Phase::Supercritical : Phase::Vapour;
}

// The properties at (T, rho), reported at the pressure P the density was solved for (which the density
// reproduces to its last bits).
Properties At(double T, double rho, double P) {
  Properties p = FromHelmholtz(kkhm69::Point(T, rho));
  p.P = P;
  return p;
}

PhaseState SinglePhase(double T, double P) {
  return {At(T, kkhm69::SinglePhaseDensity(T, P), P), PhaseOf(T, P), 0};
}

SaturatedStates Saturated(double T) {
  const kkhm69::Saturation sat = kkhm69::SaturationAt(T);
  const double Ts = T < kCriticalTemperature ? T : kCriticalTemperature;
  return {At(Ts, sat.rho_liquid, sat.P), At(Ts, sat.rho_vapour, sat.P), 0, 0};
}

bool InRange(double T, double P) {
  return T >= kkhm69::kTriplePointTemperature && T <= kHighestTemperature && P > 0.0 && P <= kHighestPressure;
}

}  // namespace

const Formulation& Kkhm69() {
  static constexpr Formulation kKkhm69 = {
      kCriticalTemperature,
      kCriticalPressure,
      kkhm69::kTriplePointTemperature,
      kkhm69::VapourPressure,
      kkhm69::VapourPressureTemperature,
      Saturated,
      SinglePhase,
      InRange,
      250.0,                   // K: the liquid and vapour extrapolate smoothly below the triple point
      2500.0,                  // K
      1e-6,                    // MPa
      1.5 * kHighestPressure,  // MPa
      0,
      1e-14,          // the inverse pairs' stopping residual, relative
      kkhm69::Point,  // the transport properties in their full form
      kkhm69::Point,  // the equation the isobaric searches step on
  };
  return kKkhm69;
}

}  // namespace brimwater::state
