// NBS/NRC 1984 for the state interface: the equation of state of Haar, Gallagher and Kell (NBS/NRC Steam
// Tables, 1984) as they define the fluid by it. The saturated states are its own phase equilibrium (equal
// pressure and Gibbs energy of liquid and vapour); the vapour-pressure curve that accompanies the equation,
// which the fifteen functions use, is an auxiliary fit to it. The critical point is the equation's own
// (647.158 K, 22.0613 MPa, 0.2978 g/cm3), where that equilibrium closes; the auxiliary curve ends at
// 647.126 K and 22.055 MPa. Densities are solved to the last bits of the pressure. The equation has no
// regions.
//
// Range of validity: the IAPS Formulation 1984 (Kestin, Sengers, Kamgar-Parsi and Levelt Sengers, J. Phys.
// Chem. Ref. Data 13, 175 (1984)), which adopted this equation, is valid from 273.15 K to 1273.15 K at
// pressures up to 1000 MPa; beyond it the equation extrapolates (values flagged).
#include "nbs84/nbs84.h"

#include <cmath>

#include "state/formulation.h"

namespace brimwater::state {
namespace {

constexpr double kCriticalTemperature = nbs84::kEquationCriticalTemperature;
constexpr double kCriticalPressure = nbs84::kEquationCriticalPressure;
constexpr double kLowestTemperature = 273.15;    // K
constexpr double kHighestTemperature = 1273.15;  // K
constexpr double kHighestPressure = 1000.0;      // MPa

bool InRange(double T, double P) {
  return T >= kLowestTemperature && T <= kHighestTemperature && P > 0.0 && P <= kHighestPressure;
}

// Every property at (T, rho), reported at the pressure P the density was solved for.
Properties At(double T, double rho, double P) {
  Properties p = FromHelmholtz(nbs84::PointOfTD(T, rho));
  p.P = P;
  return p;
}

PhaseState SinglePhase(double T, double P) {
  const nbs84::IsothermTerms isotherm = nbs84::MakeIsothermTerms(T);
  const nbs84::StableDensity d = nbs84::StableDensityOnIsotherm(isotherm, P);
  Phase phase;
  if (T >= kCriticalTemperature) {
    phase = P >= kCriticalPressure ? Phase::Supercritical : Phase::Vapour;
  } else {
    phase = d.branch == nbs84::IsothermBranch::Liquid ? Phase::Liquid : Phase::Vapour;
  }
  Properties props = FromHelmholtz(nbs84::PointOnIsotherm(isotherm, d.rho));
  props.P = P;  // the density reproduces P to its last bits; report P itself
  return {props, phase, 0};
}

SaturatedStates Saturated(double T) {
  if (T >= kCriticalTemperature) {
    const Properties critical = At(kCriticalTemperature, nbs84::kEquationCriticalDensity, kCriticalPressure);
    return {critical, critical, 0, 0};
  }
  const numerics::Coexistence c = nbs84::CoexistenceOfT(T);
  const nbs84::IsothermTerms isotherm = nbs84::MakeIsothermTerms(T);
  Properties liquid = FromHelmholtz(nbs84::PointOnIsotherm(isotherm, c.rho_liquid));
  Properties vapour = FromHelmholtz(nbs84::PointOnIsotherm(isotherm, c.rho_vapour));
  liquid.P = c.P;
  vapour.P = c.P;
  return {liquid, vapour, 0, 0};
}

double SaturationPressure(double T) {
  if (T == kCriticalTemperature) return kCriticalPressure;
  return nbs84::CoexistenceOfT(T).P;
}

}  // namespace

const Formulation& Nbs84() {
  static constexpr Formulation kNbs84 = {
      kCriticalTemperature,
      kCriticalPressure,
      nbs84::kTriplePointTemperature,
      SaturationPressure,
      nbs84::CoexistenceTemperature,
      Saturated,
      SinglePhase,
      InRange,
      250.0,                   // K: the liquid and vapour extrapolate smoothly below 273.15 K
      2500.0,                  // K
      1e-6,                    // MPa
      1.5 * kHighestPressure,  // MPa
      0,
      1e-14,
      nbs84::PointOfTD,
      nbs84::PointOfTD,  // the equation the isobaric searches step on
  };
  return kNbs84;
}

}  // namespace brimwater::state
