// KKHM 1969 densities: the start fits and the density searches on the liquid, vapour and supercritical
// branches of the 1969 equation's isotherm.
#include <cmath>
#include <limits>

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

// ---------------------------------------------------------------------------------------------------------
// The state interface's densities: the root of the pressure on one branch of the isotherm, to the last bits
// of the pressure, with the analytic slope (dp/drho)_T.

namespace brimwater::kkhm69 {
namespace {

// The liquid branch is searched from above, where its isotherm is convex, starting a little above the
// saturated-liquid fit (or at a dense state at and above Tc); the vapour branch from below, from the
// ideal-gas density, where it is concave.
constexpr double kLiquidStartFactor = 1.02;
constexpr double kLiquidOutward = 1.1;
constexpr double kDenseStart = 1.1;  // g/cm3
constexpr double kVapourOutward = 0.5;

// The pressure is a difference of terms of the size of rho R T and larger, so its last bits carry rounding
// noise of tens (vapour) to hundreds (liquid) of ulps of rho R T. A residual within kNoise ulps of it is
// taken as the root, where bisecting the noise would only shuffle the last bits of the density.
constexpr double kNoise = 64.0 * std::numeric_limits<double>::epsilon();

double RootOnBranch(const Isotherm& iso, double P, Branch branch) {
  const double T = iso.T;
  const auto residual = [&iso, P, T](double rho) {
    numerics::ValueSlope f = PressureOnIsotherm(iso, rho);
    f.value -= P;
    if (std::fabs(f.value) <= kNoise * rho * kGasConstant * T) f.value = 0.0;
    return f;
  };
  if (branch == Branch::Vapour) {
    return numerics::BranchRoot(residual, P / (kGasConstant * T), numerics::Approach::FromBelow,
                                kVapourOutward);
  }
  const double start = T < kCriticalTemperature ? kLiquidStartFactor * LiquidStartDensity(T) : kDenseStart;
  return numerics::BranchRoot(residual, start, numerics::Approach::FromAbove, kLiquidOutward);
}

// The saturated vapour from kBridgeTemperature to the critical temperature: near 647.245 K the 1969 equation
// and its vapour-pressure equation disagree. The equation's own critical point lies at 647.2039 K and
// 22.0767 MPa (0.316821 g/cm3), below the vapour-pressure line, and from 646.9036 K (21.99988 MPa) on the
// vapour branch of its isotherm no longer reaches the vapour pressure: the equation has no saturated vapour
// there. Between kBridgeTemperature and Tc the saturated vapour is the equation's vapour at the density
//   rho'' = rho_c* - (rho_c* - rho''_b) ((Tc - T) / (Tc - T_b))^(1/3),
// where rho''_b is the saturated vapour at T_b and rho_c* the critical state, so that it meets the critical
// state continuously, as the coexistence curve does, with the cube root of the distance from it.
// T_b lies far enough below 646.9036 K that the bridged densities keep clear of the isotherm's loop (the
// equation's spinodal), where the equation's cp and w have no meaning.
constexpr double kBridgeTemperature = 646.5;  // K

double CriticalDensityAtVapourPressure() {
  return RootOnBranch(MakeIsotherm(kCriticalTemperature), kCriticalPressure, Branch::Liquid);
}

}  // namespace

double Density(double T, double P, Branch branch) { return RootOnBranch(MakeIsotherm(T), P, branch); }

double SinglePhaseDensity(double T, double P) {
  const Isotherm iso = MakeIsotherm(T);
  if (T >= kCriticalTemperature) {
    // One branch: approached from the side the ideal-gas density lies on.
    const double ideal = P / (kGasConstant * T);
    const Branch side = PressureOnIsotherm(iso, ideal).value < P ? Branch::Vapour : Branch::Liquid;
    return RootOnBranch(iso, P, side);
  }
  if (P > VapourPressure(T)) return RootOnBranch(iso, P, Branch::Liquid);
  // Just below the vapour-pressure line above 646.9036 K the vapour branch ends below P, and the liquid
  // branch holds the equation's only state at (T, P).
  const double vapour = RootOnBranch(iso, P, Branch::Vapour);
  return vapour == vapour ? vapour : RootOnBranch(iso, P, Branch::Liquid);
}

Saturation SaturationAt(double T) {
  if (T >= kCriticalTemperature) {
    const double rho = CriticalDensityAtVapourPressure();
    return {kCriticalPressure, rho, rho};
  }
  const double P = VapourPressure(T);
  const Isotherm iso = MakeIsotherm(T);
  const double liquid = RootOnBranch(iso, P, Branch::Liquid);
  if (T <= kBridgeTemperature) return {P, liquid, RootOnBranch(iso, P, Branch::Vapour)};
  const double start = Density(kBridgeTemperature, VapourPressure(kBridgeTemperature), Branch::Vapour);
  const double end = CriticalDensityAtVapourPressure();
  const double fraction = std::cbrt((kCriticalTemperature - T) / (kCriticalTemperature - kBridgeTemperature));
  return {P, liquid, end - (end - start) * fraction};
}

}  // namespace brimwater::kkhm69
