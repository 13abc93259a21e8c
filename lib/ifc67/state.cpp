// IFC-67: the boundary between sub-regions 2 and 3 (L-function), the volume solvers of sub-regions 3 and 4
// and the choice of sub-region for a state: the historical bisections and selection, and beside them the
// density solvers, sub-region choice and saturated states of the state interface.
#include <cmath>
#include <limits>

#include "ifc67/ifc67.h"
#include "numerics/bisection.h"
#include "numerics/branch_root.h"

namespace brimwater::ifc67 {
namespace {

// The L-function through its end points (623.15 K on the saturation line, 863.15 K at 100 MPa) and its
// curvature; the same curve as the published quadratic L0 + L1 theta + L2 theta^2.
constexpr double kThetaA = 0.9626911787;
constexpr double kThetaB = 1.333462073;
constexpr double kBetaA = 0.7475191707;
constexpr double kBetaB = 4.52079566;
constexpr double kCurvature = 7.160997524;

constexpr int kBisectionSteps = 32;

// The reduced-volume bracket of the sub-region 3 and 4 solvers: about 1.2923 and 8.927 cm3/g.
constexpr double kSmallChi = 0.40765261479504034;
constexpr double kLargeChi = 2.816150913801486;
// Above this reduced temperature (642.56 K) the sub-region 3 solve runs a second pass from the first root up.
constexpr double kSecondPassTheta = 0.992678;
// The sub-region 4 solve is trusted only where it meets the pressure to this reduced residual.
constexpr double kSubregion4Residual = 1e-5;

using Reduced = ReducedState;

// Each sub-region's chi, eps and sigma come from one evaluation of its derivatives.
Reduced Subregion1(double theta, double beta) { return Subregion1State(theta, beta); }
Reduced Subregion2(double theta, double beta) { return Subregion2State(theta, beta); }
Reduced Subregion3(double theta, double chi) { return Subregion3State(theta, chi); }
Reduced Subregion4(double theta, double chi) { return Subregion4State(theta, chi); }

constexpr Reduced kCriticalState = {kCriticalChi, kCriticalEps, kCriticalSigma};

Reduced SaturatedLiquid(double theta) {
  // Written as positive tests so that a NaN temperature reaches an equation and comes out as NaN.
  if (theta >= 1.0) return kCriticalState;
  const double beta = KFunction(theta);
  if (theta < kTheta23) return Subregion1(theta, beta);
  return Subregion4(theta, Subregion4Volume(theta, beta));
}

Reduced SaturatedVapour(double theta) {
  if (theta >= 1.0) return kCriticalState;
  const double beta = KFunction(theta);
  if (theta < kTheta23) return Subregion2(theta, beta);
  return Subregion3(theta, Subregion3Volume(theta, beta));
}

Reduced SinglePhase(double theta, double beta) {
  if (theta < kTheta23) {
    // A pressure exactly on the saturation line gives the liquid.
    return KFunction(theta) > beta ? Subregion2(theta, beta) : Subregion1(theta, beta);
  }
  if (LFunction(theta) > beta) return Subregion2(theta, beta);
  if (theta >= 1.0 || KFunction(theta) > beta) return Subregion3(theta, Subregion3Volume(theta, beta));
  // Liquid between 623.15 K and Tc: sub-region 4 where its equation reaches the pressure, else sub-region 3.
  const double chi4 = Subregion4Volume(theta, beta);
  if (std::fabs(Beta4OnIsotherm(MakeSubregionIsotherm(theta), chi4) - beta) <= kSubregion4Residual)
    return Subregion4(theta, chi4);
  return Subregion3(theta, Subregion3Volume(theta, beta));
}

// One bisection pass for the volume at which a sub-region pressure equation meets beta; the pressure falls as
// the volume grows. Returns the last midpoint, or NaN where beta or the equation is NaN (a NaN or infinite
// argument), which would otherwise steer the bisection to one end and yield a plausible volume.
template <double (*Pressure)(const SubregionIsotherm& isotherm, double chi)>
double VolumeBisection(double theta, double beta, double small, double large) {
  const SubregionIsotherm isotherm = MakeSubregionIsotherm(theta);
  return numerics::Bisection(small, large, kBisectionSteps,
                             [&isotherm, beta](double chi) {
                               const double p = Pressure(isotherm, chi);
                               if (std::isunordered(p, beta)) return numerics::Side::Undefined;
                               return p > beta ? numerics::Side::Above : numerics::Side::AtOrBelow;
                             })
      .mid;
}

}  // namespace

double LFunction(double theta) {
  return ((kThetaB - theta) * kBetaA + (theta - kThetaA) * kBetaB -
          (kThetaB - theta) * kCurvature * (theta - kThetaA)) /
         (kThetaB - kThetaA);
}

double LFunctionSlope(double theta) {
  return (kBetaB - kBetaA - (kThetaB - 2.0 * theta + kThetaA) * kCurvature) / (kThetaB - kThetaA);
}

double Subregion3Volume(double theta, double beta) {
  const double chi = VolumeBisection<Beta3OnIsotherm>(theta, beta, kSmallChi, kLargeChi);
  if (theta < kSecondPassTheta) return chi;
  // Close to Tc the isotherm can cross beta more than once; the second pass keeps to volumes at or above the
  // first root.
  return VolumeBisection<Beta3OnIsotherm>(theta, beta, chi, kLargeChi);
}

double Subregion4Volume(double theta, double beta) {
  // The large-volume end follows the saturated liquid: 0.63155 at 623.15 K, 1.08 at Tc.
  return VolumeBisection<Beta4OnIsotherm>(theta, beta, kSmallChi, 12.02 * theta - 10.94);
}

void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s) {
  const double theta = T / kCriticalTemperature;
  Reduced r{};
  switch (selector) {
    case StateSelector::SaturatedLiquid: r = SaturatedLiquid(theta); break;
    case StateSelector::SaturatedVapour: r = SaturatedVapour(theta); break;
    case StateSelector::SinglePhase:
    default: r = SinglePhase(theta, P / kCriticalPressure); break;
  }
  // pc vc is in kJ/kg, since 1 MPa cm3/g = 1 kJ/kg.
  v = r.chi * kCriticalVolume;
  h = r.eps * kCriticalPressure * kCriticalVolume;
  s = r.sigma * kCriticalPressure * kCriticalVolume / kCriticalTemperature;
}

double VolumeOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return v;
}

double EnthalpyOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return h;
}

double EntropyOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return s;
}

// ---- The formulation's own face -------------------------------------------------------------------------

bool InRangeOfValidity(double T, double P) {
  return P > 0.0 && P <= kHighestPressure && T >= kLowestTemperature && T <= kHighestTemperature;
}

double LFunctionCurvature() { return 2.0 * kCurvature / (kThetaB - kThetaA); }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The large-volume end of the sub-region 4 liquid, chi = 12.02 theta - 10.94, as the historical bisection
// takes it.
constexpr double kSubregion4EndSlope = 12.02;
constexpr double kSubregion4EndOffset = 10.94;

// The root in the reduced density delta = 1 / chi, along which a stable branch's pressure rises:
// f(delta) = beta(theta, 1 / delta) - beta with slope -chi^2 d(beta)/d(chi).
template <PressureSlope (*Pressure)(const SubregionIsotherm&, double)>
double ReducedDensity(const SubregionIsotherm& isotherm, double beta, double start, numerics::Approach side,
                      double outward, double limit) {
  const auto residual = [&isotherm, beta](double delta) {
    const double chi = 1.0 / delta;
    const PressureSlope p = Pressure(isotherm, chi);
    return numerics::ValueSlope{p.beta - beta, -p.beta_chi * chi * chi};
  };
  return numerics::BranchRoot(residual, start, side, outward, limit);
}

}  // namespace

double Subregion3Density(double T, double P, Branch branch) {
  const double theta = T / kCriticalTemperature;
  const SubregionIsotherm isotherm = MakeSubregionIsotherm(theta);
  const double beta = P / kCriticalPressure;
  // The liquid below Tc from above, from the small-volume end, where the isotherm's liquid branch is convex.
  // The vapour, and the single branch above Tc, from below, from the large-volume end: above Tc the isotherm
  // turns over at small volumes (beyond chi = 0.4077 from about 780 K on), so only that end lies on the
  // branch. For every state of sub-region 3 in the range of validity the pressure lies between the two ends'.
  if (branch == Branch::Liquid && theta < 1.0) {
    return ReducedDensity<Subregion3PressureSlope>(isotherm, beta, 1.0 / kSmallChi,
                                                   numerics::Approach::FromAbove, 1.25, 0.0) /
           kCriticalVolume;
  }
  return ReducedDensity<Subregion3PressureSlope>(isotherm, beta, 1.0 / kLargeChi,
                                                 numerics::Approach::FromBelow, 0.5, 0.0) /
         kCriticalVolume;
}

double Subregion4Density(double T, double P) {
  const double theta = T / kCriticalTemperature;
  const double beta = P / kCriticalPressure;
  const double large = kSubregion4EndSlope * theta - kSubregion4EndOffset;
  if (!(large > kSmallChi)) return kNaN;
  const SubregionIsotherm isotherm = MakeSubregionIsotherm(theta);
  // No step passes the large-volume end: beyond it the equation no longer describes the liquid.
  const double delta = ReducedDensity<Subregion4PressureSlope>(
      isotherm, beta, 1.0 / kSmallChi, numerics::Approach::FromAbove, 1.25, 1.0 / large);
  // A root beyond the small-volume end (above its pressure) is not sub-region 4's: there the historical
  // bisection ends at that end and leaves the state to sub-region 3; so does this solver.
  if (!(delta <= 1.0 / kSmallChi)) return kNaN;
  return delta / kCriticalVolume;
}

SubregionState SubregionOfTP(double T, double P) {
  const double theta = T / kCriticalTemperature;
  const double beta = P / kCriticalPressure;
  if (theta < kTheta23) {
    // A pressure exactly on the saturation line gives the liquid.
    return KFunction(theta) > beta ? SubregionState{2, Branch::Vapour, kNaN}
                                   : SubregionState{1, Branch::Liquid, kNaN};
  }
  if (LFunction(theta) > beta) return {2, Branch::Vapour, kNaN};
  if (theta >= 1.0) return {3, Branch::Liquid, Subregion3Density(T, P, Branch::Liquid)};
  if (KFunction(theta) > beta) return {3, Branch::Vapour, Subregion3Density(T, P, Branch::Vapour)};
  const double rho4 = Subregion4Density(T, P);
  if (!std::isnan(rho4)) return {4, Branch::Liquid, rho4};
  return {3, Branch::Liquid, Subregion3Density(T, P, Branch::Liquid)};
}

SaturatedPair SaturatedOfT(double T) {
  const double P = KPressure(T);
  if (T / kCriticalTemperature < kTheta23) {
    return {P, {1, Branch::Liquid, kNaN}, {2, Branch::Vapour, kNaN}};
  }
  const double rho4 = Subregion4Density(T, P);
  const SubregionState liquid =
      std::isnan(rho4) ? SubregionState{3, Branch::Liquid, Subregion3Density(T, P, Branch::Liquid)}
                       : SubregionState{4, Branch::Liquid, rho4};
  return {P, liquid, {3, Branch::Vapour, Subregion3Density(T, P, Branch::Vapour)}};
}

}  // namespace brimwater::ifc67
