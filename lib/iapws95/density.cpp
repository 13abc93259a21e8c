// IAPWS-95 densities of (T, P): the saturated liquid and vapour on the IF97 saturation line, and the
// single-phase density, each found with the shared density secant on PressureOfTD at fixed T from fitted
// start values.
#include <cmath>

#include "iapws95/iapws95.h"

namespace brimwater::iapws95 {
namespace {

using numerics::Branch;
using numerics::DensitySearch;
using numerics::DensitySecant;

// The start-value fits (this formulation's own, not part of IAPWS-95).
constexpr double kLiquidFit[] = {1.81999672256, -11.4769902281, 46.2620966218,
                                 -88.382040957, 82.6149432834,  -30.510632553};  // coefficients of a^1..a^6
constexpr double kVapourZ[] = {0.66743, -1.4087, 3.5799, -2.6054, 0.58211};
constexpr double kSupercriticalA0 = 0.233;
constexpr double kSupercriticalA1 = 0.767;

// The second start density of each search, relative to the first.
constexpr double kLiquidSecondStart = 1.01;
constexpr double kVapourSecondStart = 1.1;  // divides the first
constexpr double kSupercriticalSecondStart = 1.1;

// The pressure along one isotherm, with the powers of tau built once for the whole search.
struct IsothermPressure {
  explicit IsothermPressure(double T) : isotherm(MakeIsotherm(T)) {}
  Isotherm isotherm;
  double operator()(double rho) const { return PressureOnIsotherm(isotherm, rho); }
};

DensitySearch SaturatedSearch(Branch branch) {
  DensitySearch s;
  s.branch = branch;
  s.divide = kCriticalDensity;
  return s;
}

}  // namespace

double SatLiquidDensityFit(double T) {
  const double a = std::pow(1.0 - T / kCriticalTemperature, 1.0 / 3.0);
  double sum = kLiquidFit[5];
  for (int i = 4; i >= 0; --i) sum = sum * a + kLiquidFit[i];
  return kCriticalDensity + sum * a;
}

double SatVapourDensityFit(double T, double Psat) {
  const double tr = T / kCriticalTemperature;
  const double z = kVapourZ[0] + kVapourZ[1] * tr + kVapourZ[2] * tr * tr + kVapourZ[3] * tr * tr * tr +
                   kVapourZ[4] * std::pow(1.0 - tr, 1.0 / 3.0);
  return Psat / z / kGasConstant / T;
}

double SupercriticalDensityFit(double T, double P) {
  const double pr = P / kCriticalPressure;
  const double a = kSupercriticalA0 + kSupercriticalA1 * (T / kCriticalTemperature - 1.0) / 1.5;
  const double z = (1.0 - a) + 2.0 * a * pr / (1.0 + pr * pr);
  return P / z / kGasConstant / T;
}

double SatLiquidDensity(double T, numerics::SecantTrace* trace) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const double psat = SatPressure(T);
  const double rho1 = SatLiquidDensityFit(T);
  return DensitySecant(IsothermPressure{T}, psat, rho1, kLiquidSecondStart * rho1,
                       SaturatedSearch(Branch::Liquid), trace);
}

double SatVapourDensity(double T, numerics::SecantTrace* trace) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const double psat = SatPressure(T);
  const double rho1 = SatVapourDensityFit(T, psat);
  return DensitySecant(IsothermPressure{T}, psat, rho1, rho1 / kVapourSecondStart,
                       SaturatedSearch(Branch::Vapour), trace);
}

double DensityOfTP(double T, double P, StateSelector selector) {
  if (selector == StateSelector::SaturatedLiquid) return SatLiquidDensity(T);
  if (selector == StateSelector::SaturatedVapour) return SatVapourDensity(T);

  DensitySearch search;
  search.floor = true;
  search.divide = kCriticalDensity;
  double rho1 = 0.0;
  double rho2 = 0.0;
  if (T < kCriticalTemperature && P > SatPressure(T)) {
    const double rho_f = SatLiquidDensity(T);
    rho1 = rho_f;
    rho2 = kLiquidSecondStart * rho_f;
    search.branch = Branch::Liquid;
    search.bounded = true;
    search.bound = rho_f;
  } else if (T < kCriticalTemperature) {
    // Equality with the saturation pressure counts as vapour.
    const double rho_g = SatVapourDensity(T);
    rho1 = rho_g;
    rho2 = rho_g / kVapourSecondStart;
    search.branch = Branch::Vapour;
    search.bounded = true;
    search.bound = rho_g;
  } else {
    rho1 = SupercriticalDensityFit(T, P);
    rho2 = kSupercriticalSecondStart * rho1;
    search.branch = Branch::Any;
  }
  return DensitySecant(IsothermPressure{T}, P, rho1, rho2, search);
}

}  // namespace brimwater::iapws95
