// IAPWS-95 densities of (T, P): the saturated liquid and vapour on the IF97 saturation line, and the
// single-phase density, each found with the shared density secant on PressureOfTD at fixed T from fitted
// start values.
#include <cmath>

#include "iapws95/iapws95.h"
#include "numerics/start_fits.h"

namespace brimwater::iapws95 {
namespace {

using numerics::Branch;
using numerics::DensitySearch;
using numerics::DensitySecant;

// The start fits (numerics/start_fits.h) with this kernel's cube root, pow(x, 1/3).
namespace fit = numerics::start_fit;

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
  return fit::SatLiquidDensity<fit::CubeRootByPow>(T, kCriticalTemperature, kCriticalDensity);
}

double SatVapourDensityFit(double T, double Psat) {
  const double tr = T / kCriticalTemperature;
  const double z = fit::kVapour[0] + fit::kVapour[1] * tr + fit::kVapour[2] * tr * tr +
                   fit::kVapour[3] * tr * tr * tr + fit::kVapourCubeRoot * fit::CubeRootByPow(1.0 - tr);
  return Psat / z / kGasConstant / T;
}

double SupercriticalDensityFit(double T, double P) {
  const double pr = P / kCriticalPressure;
  const double a = fit::kSupercritical0 +
                   fit::kSupercritical1 * (T / kCriticalTemperature - 1.0) / fit::kSupercriticalSpan;
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
