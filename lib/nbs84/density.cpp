// NBS/NRC 1984 densities: the roots of PressureOfTD(T, rho) = P on the liquid or vapour branch of the
// isotherm, found by the shared density secant from start-value fits evaluated with this formulation's
// critical constants. The saturated densities are the roots at the auxiliary curve's SatPressure(T).
//
// Near the critical point this equation's isotherm has two loops between its spinodals, and from about
// 645.7 K up to 647.126 K the vapour-pressure curve lies below the lowest pressure of the liquid branch, so
// the saturated liquid has no root at all. There the branches are told apart by their spinodals, not by the
// critical density, and a liquid search without a root ends at the liquid spinodal, the liquid branch's
// closest approach to the target pressure.
#include <cmath>
#include <limits>

#include "nbs84/nbs84.h"
#include "numerics/bisection.h"
#include "numerics/density_secant.h"
#include "numerics/start_fits.h"

namespace brimwater::nbs84 {
namespace {

using numerics::Branch;
using numerics::DensitySearch;
using numerics::DensitySecant;

// The start fits (numerics/start_fits.h) with this kernel's cube root, cbrt.
namespace fit = numerics::start_fit;
// This kernel folds a_1 / 1.5 into one constant.
constexpr double kSupercriticalSlope = fit::kSupercritical1 / fit::kSupercriticalSpan;

constexpr double kLiquidSecondStart = 1.01;        // rho2 = 1.01 rho1 on the liquid side
constexpr double kVapourSecondStart = 1.1;         // rho2 = rho1 / 1.1 on the vapour side
constexpr double kSupercriticalSecondStart = 1.1;  // rho2 = 1.1 rho1 above the critical temperature

// From about 636.5 K up, a second loop opens between the spinodals close to the saturation pressure, its
// rising middle branch straddles the critical density, and the liquid spinodal closes in on the saturated
// liquid until it passes it at about 645.88 K. There the spinodals themselves divide the branches. Below,
// the loops lie far from the saturation pressure or far from the fits' start densities (the liquid fit stays
// more than 0.05 g/cm3 above the liquid spinodal), the searches converge on their own branch, and the
// critical density serves as the divide.
constexpr double kTwoLoopTemperature = 635.0;  // K

// The spinodal search: a walk along the isotherm, then a golden-section search on the two steps around the
// point where the walk stopped. The liquid walk must resolve the inner loop, which narrows to nothing as it
// closes at 646.74 K; the vapour branch rises without a loop up to its spinodal, and beyond it the isotherm
// falls for more than 0.013 g/cm3 below 647.126 K, so a coarser step cannot pass over it.
constexpr double kLiquidSpinodalStep = 0.001;  // g/cm3
constexpr double kVapourSpinodalStep = 0.003;  // g/cm3
constexpr int kSpinodalWalkSteps = 400;
constexpr int kSpinodalGoldenSteps = 30;  // two steps narrowed by a factor of 5e-7
constexpr double kGolden = 0.6180339887498949;

// Up to 647.126 K this fraction of the vapour fit lies on the vapour branch; the fit itself passes the vapour
// spinodal from about 647.09 K on (at 647.125 K it is 0.307 g/cm3 against a spinodal of 0.291).
constexpr double kVapourWalkStart = 0.8;

// The supercritical bracket: the dilute end halved, the dense end grown by this factor, 64 times at most.
constexpr double kBracketGrowth = 1.25;
constexpr int kBracketTries = 64;

double Pressure(const Isotherm& iso, double rho) { return PressureOnIsotherm(iso, rho); }

double LiquidFit(double T) {
  return fit::SatLiquidDensity<fit::CubeRootByCbrt>(T, kCriticalTemperature, kCriticalDensity);
}

double VapourFit(double T, double Psat) {
  const double Tr = T / kCriticalTemperature;
  const double Z = fit::kVapour[0] + Tr * (fit::kVapour[1] + Tr * (fit::kVapour[2] + Tr * fit::kVapour[3])) +
                   fit::kVapourCubeRoot * std::cbrt(1.0 - Tr);
  return Psat / Z / kGasConstant / T;
}

double SupercriticalFit(double T, double P) {
  const double Pr = P / kCriticalPressure;
  const double A = fit::kSupercritical0 + kSupercriticalSlope * (T / kCriticalTemperature - 1.0);
  const double Z = (1.0 - A) + 2.0 * A * Pr / (1.0 + Pr * Pr);
  return P / Z / kGasConstant / T;
}

// The density of the pressure extremum that ends a branch: walking from `rho` (a density on the branch) in
// direction `dir` (-1 towards lighter for the liquid branch, +1 towards denser for the vapour branch), the
// first point where the pressure stops falling (liquid) or rising (vapour).
double Spinodal(const Isotherm& iso, double rho, double dir, double step) {
  // sign * p falls along the walk on the branch and rises past its extremum.
  const double sign = dir < 0.0 ? 1.0 : -1.0;
  double f = sign * Pressure(iso, rho);
  for (int i = 0; i < kSpinodalWalkSteps; ++i) {
    const double next = rho + dir * step;
    const double f_next = sign * Pressure(iso, next);
    if (!(next > 0.0) || !(f_next < f)) break;
    rho = next;
    f = f_next;
  }
  // The extremum lies within one step of rho on either side.
  double a = rho - step;
  double b = rho + step;
  double c = b - kGolden * (b - a);
  double d = a + kGolden * (b - a);
  double fc = sign * Pressure(iso, c);
  double fd = sign * Pressure(iso, d);
  for (int i = 0; i < kSpinodalGoldenSteps; ++i) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - kGolden * (b - a);
      fc = sign * Pressure(iso, c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + kGolden * (b - a);
      fd = sign * Pressure(iso, d);
    }
  }
  return 0.5 * (a + b);
}

// The density that divides the liquid branch from the rest of the isotherm at T below the critical
// temperature: the critical density where the isotherm has a single loop, the liquid spinodal above.
double LiquidDivide(const Isotherm& iso) {
  const double T = iso.T;
  if (!(T >= kTwoLoopTemperature)) return kCriticalDensity;
  // The liquid fit lies on the liquid branch up to the critical temperature; step denser until the isotherm
  // rises there.
  double rho = LiquidFit(T);
  for (int i = 0; i < kSpinodalWalkSteps && !(Pressure(iso, rho + kLiquidSpinodalStep) > Pressure(iso, rho));
       ++i) {
    rho += kLiquidSpinodalStep;
  }
  return Spinodal(iso, rho, -1.0, kLiquidSpinodalStep);
}

// Likewise for the vapour branch: the critical density, or the vapour spinodal in the two-loop range.
double VapourDivide(const Isotherm& iso, double Psat) {
  const double T = iso.T;
  if (!(T >= kTwoLoopTemperature)) return kCriticalDensity;
  return Spinodal(iso, kVapourWalkStart * VapourFit(T, Psat), 1.0, kVapourSpinodalStep);
}

// True when rho is a positive density whose pressure meets the secant's tolerance at P.
bool IsRoot(const Isotherm& iso, double P, double rho) {
  return rho > 0.0 && std::fabs(Pressure(iso, rho) / P - 1.0) < numerics::kSecantTolerance;
}

// Above the critical temperature the isotherm rises from zero pressure at zero density to infinite pressure
// where the excluded volume fills (b rho / 4 -> 1), so a root always lies between a dilute density whose
// pressure is below P and a denser one whose pressure is above it. Used where a supercritical secant wanders
// past that limit (at 647.126 K and 23.55 MPa it does, from the fit's 0.079 g/cm3 to beyond 6 g/cm3).
double SupercriticalBisection(const Isotherm& iso, double P, double rho_start) {
  const auto p = [&iso](double rho) { return Pressure(iso, rho); };
  return numerics::BracketAndBisect(p, P, rho_start, kBracketGrowth, kBracketTries);
}

DensitySearch SaturatedSearch(Branch branch, double divide) {
  DensitySearch s;
  s.branch = branch;
  s.divide = divide;
  return s;
}

DensitySearch SinglePhaseSearch(Branch branch, double bound, double divide) {
  DensitySearch s;
  s.branch = branch;
  s.bounded = branch != Branch::Any;
  s.bound = bound;
  s.floor = true;
  s.divide = divide;
  return s;
}

// The saturated-liquid search, with the divide it was run with.
double SatLiquidSearch(const Isotherm& iso, double divide) {
  const double Psat = SatPressure(iso.T);
  const double rho1 = LiquidFit(iso.T);
  const auto p = [&iso](double rho) { return Pressure(iso, rho); };
  return DensitySecant(p, Psat, rho1, kLiquidSecondStart * rho1, SaturatedSearch(Branch::Liquid, divide));
}

double SatVapourSearch(const Isotherm& iso, double Psat, double divide) {
  const double rho1 = VapourFit(iso.T, Psat);
  const auto p = [&iso](double rho) { return Pressure(iso, rho); };
  return DensitySecant(p, Psat, rho1, rho1 / kVapourSecondStart, SaturatedSearch(Branch::Vapour, divide));
}

}  // namespace

double SatLiquidDensity(double T) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const Isotherm iso = MakeIsotherm(T);
  return SatLiquidSearch(iso, LiquidDivide(iso));
}

double SatVapourDensity(double T) {
  if (T >= kCriticalTemperature) return kCriticalDensity;
  const double Psat = SatPressure(T);
  const Isotherm iso = MakeIsotherm(T);
  return SatVapourSearch(iso, Psat, VapourDivide(iso, Psat));
}

double DensityOfTP(double T, double P, StateSelector selector) {
  if (selector == StateSelector::SaturatedLiquid) return SatLiquidDensity(T);
  if (selector == StateSelector::SaturatedVapour) return SatVapourDensity(T);

  const Isotherm iso = MakeIsotherm(T);
  const auto p = [&iso](double rho) { return Pressure(iso, rho); };
  if (T >= kCriticalTemperature) {
    const double rho1 = SupercriticalFit(T, P);
    numerics::SecantTrace trace;
    const double rho = DensitySecant(p, P, rho1, kSupercriticalSecondStart * rho1,
                                     SinglePhaseSearch(Branch::Any, 0.0, 0.0), &trace);
    if (trace.converged || IsRoot(iso, P, rho)) return rho;
    return SupercriticalBisection(iso, P, rho1);
  }
  const double Psat = SatPressure(T);
  if (P > Psat) {
    // Compressed liquid: never below the saturated-liquid density of the temperature.
    const double divide = LiquidDivide(iso);
    const double rho_f = SatLiquidSearch(iso, divide);
    return DensitySecant(p, P, rho_f, kLiquidSecondStart * rho_f,
                         SinglePhaseSearch(Branch::Liquid, rho_f, divide));
  }
  // Superheated vapour, equality included: never above the saturated-vapour density.
  const double divide = VapourDivide(iso, Psat);
  const double rho_g = SatVapourSearch(iso, Psat, divide);
  return DensitySecant(p, P, rho_g, rho_g / kVapourSecondStart,
                       SinglePhaseSearch(Branch::Vapour, rho_g, divide));
}

}  // namespace brimwater::nbs84

// ---- Densities to the last bits, for the state interface ------------------------------------------------
namespace brimwater::nbs84 {
namespace {

// Where SaturationPressureEstimate places P this far from the saturation pressure, the phase is clear; within
// it the two phases' Gibbs energies decide (the estimate is within 4e-4 from 250 K up).
constexpr double kEstimateBand = 1e-3;                // relative
constexpr double kEstimateLowestTemperature = 250.0;  // K, where the estimate's fit begins

// The liquid search starts above the root: the saturated liquid's start fit, 5 % denser, and denser still
// with the pressure (water is compressed by about 20 % at 1000 MPa).
constexpr double kLiquidStartMargin = 1.05;
constexpr double kLiquidStartPerMPa = 2.5e-4;           // g/cm3 per MPa
constexpr double kLiquidFitHighestTemperature = 646.0;  // K, the fit's a = (1 - T/Tc)^(1/3) kept positive
constexpr double kOutwardFromAbove = 1.25;
constexpr double kOutwardFromBelow = 0.5;

double BranchRootOnIsotherm(const IsothermTerms& iso, double P, double start, numerics::Approach side,
                            double outward, double limit) {
  const auto residual = [&](double rho) {
    numerics::ValueSlope p = PressureAndSlopeOnIsotherm(iso, rho);
    p.value -= P;
    return p;
  };
  return numerics::BranchRoot(residual, start, side, outward, limit);
}

double Gibbs(const IsothermTerms& iso, double rho) {
  const numerics::HelmholtzPoint f = PointOnIsotherm(iso, rho);
  return f.a + rho * f.a_rho;
}

}  // namespace

double DensityOnBranch(const IsothermTerms& iso, double P, IsothermBranch branch) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double T = iso.T;
  if (!(T > 0.0) || !(P > 0.0) || !std::isfinite(T) || !std::isfinite(P)) return nan;
  const double ideal = P / (kGasConstant * T);  // the ideal-gas density, below a vapour's
  if (T >= kEquationCriticalTemperature) {
    // One rising branch: approached from the ideal-gas density below where the fluid is gas-like, from
    // above where it is dense.
    if (ideal < kEquationCriticalDensity) {
      return BranchRootOnIsotherm(iso, P, ideal, numerics::Approach::FromBelow, kOutwardFromBelow, 0.0);
    }
    return BranchRootOnIsotherm(iso, P, ideal, numerics::Approach::FromAbove, kOutwardFromAbove, 0.0);
  }
  // Below the critical temperature the liquid branch ends at its spinodal and the vapour branch at its own,
  // on either side of the critical density, which neither search crosses; the loops between them (two
  // near the critical point, one far below) are left to BranchRoot's landing checks.
  if (branch == IsothermBranch::Vapour) {
    return BranchRootOnIsotherm(iso, P, ideal, numerics::Approach::FromBelow, kOutwardFromBelow,
                                kEquationCriticalDensity);
  }
  const double start =
      kLiquidStartMargin * LiquidFit(std::fmin(T, kLiquidFitHighestTemperature)) + kLiquidStartPerMPa * P;
  return BranchRootOnIsotherm(iso, P, start, numerics::Approach::FromAbove, kOutwardFromAbove,
                              kEquationCriticalDensity);
}

double DensityOnBranch(double T, double P, IsothermBranch branch) {
  return DensityOnBranch(MakeIsothermTerms(T), P, branch);
}

StableDensity StableDensityOnIsotherm(const IsothermTerms& iso, double P) {
  const double T = iso.T;
  if (T >= kEquationCriticalTemperature) {
    const double rho = DensityOnBranch(iso, P, IsothermBranch::Liquid);
    return {rho, rho >= kEquationCriticalDensity ? IsothermBranch::Liquid : IsothermBranch::Vapour};
  }
  if (T >= kEstimateLowestTemperature) {
    const double ratio = P / SaturationPressureEstimate(T);
    if (ratio > 1.0 + kEstimateBand)
      return {DensityOnBranch(iso, P, IsothermBranch::Liquid), IsothermBranch::Liquid};
    if (ratio < 1.0 - kEstimateBand)
      return {DensityOnBranch(iso, P, IsothermBranch::Vapour), IsothermBranch::Vapour};
  }
  // Close to the saturation pressure the phase of lower Gibbs energy is the stable one: the liquid at and
  // above the equilibrium pressure, where g' <= g''. Where one branch does not reach P the other holds.
  const double liquid = DensityOnBranch(iso, P, IsothermBranch::Liquid);
  const double vapour = DensityOnBranch(iso, P, IsothermBranch::Vapour);
  if (std::isnan(liquid)) return {vapour, IsothermBranch::Vapour};
  if (std::isnan(vapour)) return {liquid, IsothermBranch::Liquid};
  if (Gibbs(iso, liquid) <= Gibbs(iso, vapour)) return {liquid, IsothermBranch::Liquid};
  return {vapour, IsothermBranch::Vapour};
}

}  // namespace brimwater::nbs84
