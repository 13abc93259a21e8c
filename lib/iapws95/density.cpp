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

// ---- The release's own face: densities to the last bits of the pressure --------------------------------
namespace brimwater::iapws95 {
namespace {

// Where a branch search starts when IAPWS-IF97 gives no usable start: the liquid from above, at this multiple
// of the saturated-liquid fit, moving outward by kDenseOutward until it lies above the root; the vapour from
// below, at the ideal-gas density, which lies below the vapour's (Z < 1 there).
constexpr double kDenseStartFactor = 1.1;
constexpr double kDenseOutward = 1.25;
constexpr double kDiluteOutward = 0.5;
// The exponent of Tait's form for the start densities above 100 MPa (typical of water's compressed liquid).
constexpr double kTaitExponent = 5.0;

// IAPWS-IF97's density of (T, P) on the branch's side of its saturation curve (g/cm3): it agrees with
// IAPWS-95 to about 1e-4 away from the critical point, a start a few Newton steps from the root. NaN where
// IF97 gives none.
double If97Density(double T, double P, DensityBranch branch) {
  // (The IF97 kernel's volumes are in m3/kg, 1000 cm3/g; its region-3 density and g_P are in g/cm3, cm3/g.)
  if (T <= if97::kRegion3StartTemperature) {
    const double v = branch == DensityBranch::Liquid ? if97::Region1Volume(T, P) : if97::Region2Volume(T, P);
    return 1e-3 / v;
  }
  switch (if97::RegionOfTP(T, P).region) {
    case 2: return 1e-3 / if97::Region2Volume(T, P);
    case 3:
      return if97::Region3Density(
          T, P, branch == DensityBranch::Liquid ? if97::Region3Branch::Liquid : if97::Region3Branch::Vapour);
    default: return 1.0 / if97::Region5Point(T, P).g_P;
  }
}

}  // namespace

double DensityOnBranch(const IsothermTerms& iso, double P, DensityBranch branch) {
  const double T = iso.T;
  const bool subcritical = T < kCriticalTemperature;
  const bool liquid = branch == DensityBranch::Liquid;
  double start = If97Density(T, std::fmin(P, if97::kHighestPressure), branch);
  if (P > if97::kHighestPressure && start > 0.0 && std::isfinite(start)) {
    // Beyond IF97's range its equations diverge: start from its density at 100 MPa, carried to P by Tait's
    // form p - p0 = (K0 / n) ((rho / rho0)^n - 1) with this equation's bulk modulus K0 there.
    const numerics::ValueSlope at = PressureAndSlope(iso, start);
    const double x = 1.0 + kTaitExponent * (P - at.value) / (start * at.slope);
    if (at.slope > 0.0 && x > 0.0) start *= std::pow(x, 1.0 / kTaitExponent);
  }
  const auto residual_at = [&](double rho) {
    numerics::ValueSlope r = PressureAndSlope(iso, rho);
    r.value -= P;
    return r;
  };
  // Below the critical temperature the start must lie on the branch's side of the critical density, where
  // the pressure rises with density.
  numerics::ValueSlope first{0.0, 0.0};
  bool usable = start > 0.0 && std::isfinite(start) &&
                !(subcritical && (liquid ? start <= kCriticalDensity : start >= kCriticalDensity));
  if (usable) {
    first = residual_at(start);
    usable = first.slope > 0.0 && std::isfinite(first.value);
  }
  numerics::Approach side = first.value > 0.0 ? numerics::Approach::FromAbove : numerics::Approach::FromBelow;
  if (!usable) {
    start = liquid ? kDenseStartFactor * SatLiquidDensityFit(subcritical ? T : kCriticalTemperature)
                   : P / (kGasConstant * T);
    side = liquid ? numerics::Approach::FromAbove : numerics::Approach::FromBelow;
    first = residual_at(start);
  }
  const double outward = side == numerics::Approach::FromAbove ? kDenseOutward : kDiluteOutward;
  // The critical density separates the branches below the critical temperature; a search approaching its
  // branch from the inside (the liquid from below, the vapour from above) needs no limit, since its first
  // Newton step moves outward.
  const bool outer_side = liquid == (side == numerics::Approach::FromAbove);
  const double limit = subcritical && outer_side ? kCriticalDensity : 0.0;
  const auto residual = [&](double rho) { return rho == start ? first : residual_at(rho); };
  return numerics::BranchRoot(residual, start, side, outward, limit);
}

double DensityOnBranch(double T, double P, DensityBranch branch) {
  return DensityOnBranch(MakeIsothermTerms(T), P, branch);
}

numerics::HelmholtzPoint PointOnBranch(double T, double P, DensityBranch branch) {
  const IsothermTerms iso = MakeIsothermTerms(T);
  return PointOnIsotherm(iso, DensityOnBranch(iso, P, branch));
}

bool InRangeOfValidity(double T, double P) {
  if (!(P > 0.0) || !(P <= kHighestPressure) || !(T >= kTriplePointTemperature) ||
      !(T <= kHighestTemperature)) {
    return false;
  }
  return P <= kIceBoundPressure || T >= kTriplePointTemperature + kIceBoundSlope * (P - kIceBoundPressure);
}

}  // namespace brimwater::iapws95
