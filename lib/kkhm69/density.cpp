// KKHM 1969 densities: the start fits and the density searches on the liquid, vapour and supercritical
// branches of the 1969 equation's isotherm.
#include <cmath>

#include "kkhm69/kkhm69.h"
#include "numerics/density_secant.h"

namespace brimwater::kkhm69 {
namespace {

// Liquid start fit: rho = ((L3 X + L2) X + L1) X + rho_c with X = (647.286 - T)^0.333. The fit's own
// temperature 647.286 K lies above this formulation's 647.245 K.
constexpr double kLiquidFitTemperature = 647.286;  // K
constexpr double kLiquidFitExponent = 0.333;
constexpr double kLiquidFit1 = 0.0643931;
constexpr double kLiquidFit2 = 0.0112886;
constexpr double kLiquidFit3 = -0.000938708;

// Vapour start fit: compressibility Z = ((V3 Y + V2) Y + V1) Y + V0 with Y = (647.245 - T)^0.4648.
constexpr double kVapourFitExponent = 0.4648;
constexpr double kVapourFit0 = 0.233396;
constexpr double kVapourFit1 = 0.0525888;
constexpr double kVapourFit2 = 0.00313438;
constexpr double kVapourFit3 = -0.000215689;

// Supercritical single-phase start: a fixed dense estimate, and the density of a compressibility factor of
// 2.5 at (T, P) as the second point.
constexpr double kSupercriticalStart = 0.9504589132452779;  // g/cm3
constexpr double kSupercriticalCompressibility = 2.5;

constexpr double kLiquidSecondStart = 1.01;  // rho2 = 1.01 rho1 on the liquid branch
constexpr double kVapourSecondStart = 1.1;   // rho2 = rho1 / 1.1 on the vapour branch

// The single-phase search forms up to 64 new densities, and from the 33rd on averages each secant point
// with the previous one, damping the oscillation that a secant can fall into near the critical point.
constexpr int kSinglePhaseDensities = 64;
constexpr int kSinglePhaseAveragingFrom = 33;

// PressureOfTD at a fixed temperature, for the density searches.
struct IsothermPressure {
  double T;
  double operator()(double rho) const { return PressureOfTD(T, rho); }
};

double Search(double T, double P, double rho1, double rho2, const numerics::DensitySearch& search) {
  return numerics::DensitySecant(IsothermPressure{T}, P, rho1, rho2, search);
}

// No branch divide is given: near 647.245 K the vapour root of the 1969 isotherm at its own vapour
// pressure lies above the critical density 0.3168 g/cm3 (0.3217 g/cm3 at 647.24 K), on a rising isotherm.
numerics::DensitySearch SaturatedSearch(numerics::Branch branch) {
  numerics::DensitySearch search;
  search.branch = branch;
  return search;
}

numerics::DensitySearch SinglePhaseSearch(numerics::Branch branch, bool bounded, double bound) {
  numerics::DensitySearch search;
  search.branch = branch;
  search.bounded = bounded;
  search.bound = bound;
  search.floor = true;
  search.max_densities = kSinglePhaseDensities;
  search.averaging_from = kSinglePhaseAveragingFrom;
  return search;
}

}  // namespace

double LiquidStartDensity(double T) {
  const double X = std::pow(kLiquidFitTemperature - T, kLiquidFitExponent);
  return ((kLiquidFit2 + kLiquidFit3 * X) * X + kLiquidFit1) * X + kCriticalDensity;
}

double VapourStartDensity(double T, double Psat) {
  const double Y = std::pow(kCriticalTemperature - T, kVapourFitExponent);
  const double Z = ((kVapourFit2 + kVapourFit3 * Y) * Y + kVapourFit1) * Y + kVapourFit0;
  return Psat / Z / kGasConstant / T;
}

double SatLiquidDensity(double T) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const double rho1 = LiquidStartDensity(T);
  return Search(T, SatPressure(T), rho1, kLiquidSecondStart * rho1,
                SaturatedSearch(numerics::Branch::Liquid));
}

double SatVapourDensity(double T) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const double Psat = SatPressure(T);
  const double rho1 = VapourStartDensity(T, Psat);
  return Search(T, Psat, rho1, rho1 / kVapourSecondStart, SaturatedSearch(numerics::Branch::Vapour));
}

double DensityOfTP(double T, double P, StateSelector selector) {
  if (selector == StateSelector::SaturatedLiquid || selector == StateSelector::SaturatedVapour) {
    if (T >= kCriticalTemperature) return kCriticalDensity;
    return selector == StateSelector::SaturatedLiquid ? SatLiquidDensity(T) : SatVapourDensity(T);
  }
  if (T >= kCriticalTemperature) {
    const double rho2 = P / kSupercriticalCompressibility / kGasConstant / T;
    return Search(T, P, kSupercriticalStart, rho2, SinglePhaseSearch(numerics::Branch::Any, false, 0.0));
  }
  // A pressure exactly on the saturation line gives the vapour.
  if (P > SatPressure(T)) {
    const double rho_f = SatLiquidDensity(T);
    return Search(T, P, rho_f, kLiquidSecondStart * rho_f,
                  SinglePhaseSearch(numerics::Branch::Liquid, true, rho_f));
  }
  const double rho_g = SatVapourDensity(T);
  return Search(T, P, rho_g, rho_g / kVapourSecondStart,
                SinglePhaseSearch(numerics::Branch::Vapour, true, rho_g));
}

}  // namespace brimwater::kkhm69
