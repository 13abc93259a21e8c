// Inverse property functions: temperature and entropy of (P, h), temperature and enthalpy of (P, s).
//
// Each first tests for a wet state at the saturation temperature of P (inclusive at both ends), and otherwise
// solves the forward function h(T, P) or s(T, P) for T by a secant iteration that replaces the end with the
// larger residual, whatever the signs. Next to the saturation line that secant can stall across the jump of
// h and s at the saturation temperature; when it ends without meeting its own convergence test, a bisection
// on a bracket that encloses the root finishes the job. Where the secant converges its result stands.
#include "props/inverse.h"

#include <cmath>

#include "props/dispatch.h"
#include "props/units.h"

namespace brimwater {
namespace inverse {
namespace {

constexpr double kSearchLow = 273.15;     // K
constexpr double kSearchHigh = 1500.0;    // K
constexpr double kAboveCritical = 999.0;  // K; the saturation pressure there is the critical pressure
constexpr int kMaxNewPoints = 32;
constexpr double kEnthalpyFlat = 0.001;      // kJ/kg
constexpr double kEnthalpyTolerance = 0.01;  // kJ/kg
constexpr double kEntropyFlat = 1e-6;        // kJ/(kg K)
constexpr double kEntropyTolerance = 1e-5;   // kJ/(kg K)
constexpr double kBracketWidth = 1e-6;       // K; narrower than this the forward function's noise rules
constexpr int kMaxBisections = 64;           // 1227 K halved 64 times is far below kBracketWidth

double SinglePhaseEnthalpy(double T, double P, FormulationCode code) {
  return dispatch::Enthalpy(T, P, StateSelector::SinglePhase, code);
}

double SinglePhaseEntropy(double T, double P, FormulationCode code) {
  return dispatch::Entropy(T, P, StateSelector::SinglePhase, code);
}

// The saturated state at the saturation temperature of P, for the wet-state tests.
struct Saturation {
  double Ts, liquid, vapour;  // K, and the saturated liquid's and vapour's h or s
};

// The critical pressure of the code's formulation; an unsupported code has none, so that no wet-state test is
// made for it whatever P is.
bool BelowCriticalPressure(double P, FormulationCode code) {
  return dispatch::IsSupported(code) && P < dispatch::SatPressure(kAboveCritical, code);
}

Saturation SaturatedEnthalpies(double P, FormulationCode code) {
  const double Ts = dispatch::SatTemperature(P, code);
  return {Ts, dispatch::Enthalpy(Ts, 0.0, StateSelector::SaturatedLiquid, code),
          dispatch::Enthalpy(Ts, 0.0, StateSelector::SaturatedVapour, code)};
}

Saturation SaturatedEntropies(double P, FormulationCode code) {
  const double Ts = dispatch::SatTemperature(P, code);
  return {Ts, dispatch::Entropy(Ts, 0.0, StateSelector::SaturatedLiquid, code),
          dispatch::Entropy(Ts, 0.0, StateSelector::SaturatedVapour, code)};
}

// How the secant on property(T, P) = target runs.
struct SecantOptions {
  double flat;       // ends whose property values differ by less than this stop the secant
  double tolerance;  // a new estimate whose residual is smaller than this is the answer
  bool limit_step;   // each step at most half the distance from the last estimate to the initial ends
};

constexpr SecantOptions kEnthalpySecant = {kEnthalpyFlat, kEnthalpyTolerance, false};
constexpr SecantOptions kEntropySecant = {kEntropyFlat, kEntropyTolerance, true};

struct SecantResult {
  double T;        // K: the last estimate, or `start` when none was formed
  int new_points;  // estimates formed
  bool converged;  // the last estimate met the tolerance
};

// The secant on property(T, P) = target from the ends lo and hi, replacing the end with the larger residual
// whatever the signs, for at most kMaxNewPoints new estimates. `start` is the estimate before the first step:
// the result when the ends agree from the outset, and the point the first step is limited from.
template <double (*Property)(double, double, FormulationCode)>
SecantResult RunSecant(const SecantOptions& options, double P, double target, FormulationCode code, double lo,
                       double hi, double start) {
  double T_lo = lo;
  double T_hi = hi;
  double f_lo = Property(T_lo, P, code);
  double f_hi = Property(T_hi, P, code);
  double T = start;
  int count = 0;
  while (!(std::fabs(f_hi - f_lo) < options.flat)) {  // a NaN residual keeps iterating, as written
    double T_new = ((f_hi - target) * T_lo - (f_lo - target) * T_hi) / (f_hi - f_lo);
    if (options.limit_step) {
      // Upper limit first.
      if (T_new > (T + hi) * 0.5) T_new = (T + hi) * 0.5;
      if (T_new < (T + lo) * 0.5) T_new = (T + lo) * 0.5;
    }
    T = T_new;
    const double f_new = Property(T_new, P, code);
    ++count;
    if (std::fabs(f_new - target) < options.tolerance) return {T, count, true};
    if (std::fabs(f_hi - target) > std::fabs(f_lo - target)) {
      T_hi = T_new;
      f_hi = f_new;
    } else {
      T_lo = T_new;
      f_lo = f_new;
    }
    if (count == kMaxNewPoints) break;
  }
  return {T, count, false};
}

// Which end of a search bracket lies at the saturation temperature of P.
enum class SaturationEnd { None, Low, High };

// Bisection for property(T, P) = target on [lo, hi], finishing a secant that ended at T. Stops at the first
// midpoint within tolerance, or returns the end with the smaller residual once the bracket is narrower than
// kBracketWidth. Returns false when the ends do not enclose the root (or a residual is not a number), leaving
// T alone - except in one case. Next to the saturation line the saturated state and the single-phase state at
// the saturation temperature are the same state evaluated twice, and for the density-form formulations they
// differ by the density search's tolerance. A target that lies between those two values is within that noise
// of the saturation temperature, which is then the answer.
template <typename Property>
bool Bisect(Property property, double P, FormulationCode code, double target, double tolerance, double lo,
            double hi, SaturationEnd saturation_end, double saturated, double& T) {
  double f_lo = property(lo, P, code) - target;
  double f_hi = property(hi, P, code) - target;
  if (!((f_lo <= 0.0 && f_hi >= 0.0) || (f_lo >= 0.0 && f_hi <= 0.0))) {
    if (saturation_end != SaturationEnd::None && std::isfinite(f_lo) && std::isfinite(f_hi)) {
      const double at_saturation = saturation_end == SaturationEnd::Low ? f_lo : f_hi;
      const double gap = saturated - target;  // the saturated value's residual
      if ((at_saturation <= 0.0 && gap >= 0.0) || (at_saturation >= 0.0 && gap <= 0.0)) {
        T = saturation_end == SaturationEnd::Low ? lo : hi;
      }
    }
    return false;
  }
  for (int i = 0; i < kMaxBisections && hi - lo > kBracketWidth; ++i) {
    const double mid = (lo + hi) * 0.5;
    const double f_mid = property(mid, P, code) - target;
    if (std::fabs(f_mid) < tolerance) {
      T = mid;
      return true;
    }
    if ((f_mid < 0.0) == (f_lo < 0.0)) {
      lo = mid;
      f_lo = f_mid;
    } else {
      hi = mid;
      f_hi = f_mid;
    }
  }
  T = std::fabs(f_lo) <= std::fabs(f_hi) ? lo : hi;
  return true;
}

}  // namespace

TemperatureSolution TemperatureOfPH(double P, double H, FormulationCode code) {
  if (!dispatch::IsSupported(code)) return {PropertyError, 0, false, false};
  double lo = kSearchLow;
  double hi = kSearchHigh;
  SaturationEnd saturation_end = SaturationEnd::None;
  double saturated = 0.0;  // the saturated enthalpy at that end
  if (BelowCriticalPressure(P, code)) {
    const Saturation sat = SaturatedEnthalpies(P, code);
    if (sat.liquid <= H && H <= sat.vapour) return {sat.Ts, 0, true, false};
    if (H > sat.vapour) {
      lo = sat.Ts;
      saturation_end = SaturationEnd::Low;
      saturated = sat.vapour;
    } else {
      hi = sat.Ts;
      saturation_end = SaturationEnd::High;
      saturated = sat.liquid;
    }
  }
  // The enthalpy secant starts from the whole search range whatever the saturation line cuts from it, and
  // has no estimate before its first step.
  const SecantResult secant =
      RunSecant<SinglePhaseEnthalpy>(kEnthalpySecant, P, H, code, kSearchLow, kSearchHigh, PropertyError);
  if (secant.converged) return {secant.T, secant.new_points, true, false};
  double T = secant.T;
  const bool bracketed =
      Bisect(SinglePhaseEnthalpy, P, code, H, kEnthalpyTolerance, lo, hi, saturation_end, saturated, T);
  return {T, secant.new_points, false, bracketed};
}

TemperatureSolution TemperatureOfPS(double P, double S, FormulationCode code) {
  if (!dispatch::IsSupported(code)) return {PropertyError, 0, false, false};
  double lo = kSearchLow;
  double hi = kSearchHigh;
  SaturationEnd saturation_end = SaturationEnd::None;
  double saturated = 0.0;  // the saturated entropy at that end
  if (BelowCriticalPressure(P, code)) {
    const Saturation sat = SaturatedEntropies(P, code);
    if (sat.liquid > S) {
      hi = sat.Ts;  // compressed liquid
      saturation_end = SaturationEnd::High;
      saturated = sat.liquid;
    } else if (S > sat.vapour) {
      lo = sat.Ts;  // superheated vapour
      saturation_end = SaturationEnd::Low;
      saturated = sat.vapour;
    } else {
      return {sat.Ts, 0, true, false};  // wet
    }
  }
  // The entropy secant starts from the bracket, with the middle of it as the estimate its first step is
  // limited from.
  const SecantResult secant =
      RunSecant<SinglePhaseEntropy>(kEntropySecant, P, S, code, lo, hi, (hi + lo) * 0.5);
  if (secant.converged) return {secant.T, secant.new_points, true, false};
  double T = secant.T;
  const bool bracketed =
      Bisect(SinglePhaseEntropy, P, code, S, kEntropyTolerance, lo, hi, saturation_end, saturated, T);
  return {T, secant.new_points, false, bracketed};
}

}  // namespace inverse

namespace {

// The other property of (P, x) in internal units, x being h or s: by quality in the wet region, otherwise at
// the solved temperature in the single phase.
template <inverse::Saturation (*Saturated)(double, FormulationCode),
          inverse::TemperatureSolution (*Solve)(double, double, FormulationCode),
          double (*Other)(double, double, StateSelector, FormulationCode)>
double OtherProperty(double P, double x, FormulationCode code) {
  if (inverse::BelowCriticalPressure(P, code)) {
    const inverse::Saturation sat = Saturated(P, code);
    if (sat.liquid <= x && x <= sat.vapour) {
      const double quality = sat.vapour > sat.liquid ? (x - sat.liquid) / (sat.vapour - sat.liquid) : 0.0;
      const double f = Other(sat.Ts, 0.0, StateSelector::SaturatedLiquid, code);
      const double g = Other(sat.Ts, 0.0, StateSelector::SaturatedVapour, code);
      return (g - f) * quality + f;
    }
  }
  return Other(Solve(P, x, code).T, P, StateSelector::SinglePhase, code);
}

double EntropyOfPH(double P, double H, FormulationCode code) {
  return OtherProperty<inverse::SaturatedEnthalpies, inverse::TemperatureOfPH, dispatch::Entropy>(P, H, code);
}

double EnthalpyOfPS(double P, double S, FormulationCode code) {
  return OtherProperty<inverse::SaturatedEntropies, inverse::TemperatureOfPS, dispatch::Enthalpy>(P, S, code);
}

double TemperatureOfPHValue(double P, double H, FormulationCode code) {
  return inverse::TemperatureOfPH(P, H, code).T;
}

double TemperatureOfPSValue(double P, double S, FormulationCode code) {
  return inverse::TemperatureOfPS(P, S, code).T;
}

// The public form of an inverse operation: the pressure and the second argument converted in from the code's
// units, the result out to them.
template <double (*ArgumentIn)(double), double (*Operation)(double, double, FormulationCode),
          double (*ResultOut)(double)>
double PublicInverse(double P, double x, FormulationCode code) {
  const double result =
      Operation(units::In<units::PressureIn>(P, code), units::In<ArgumentIn>(x, code), code);
  return units::Out<ResultOut>(result, code);
}

}  // namespace

double TofPH(double P, double H, FormulationCode formulation) {
  return PublicInverse<units::EnthalpyIn, TemperatureOfPHValue, units::TemperatureOut>(P, H, formulation);
}

double SofPH(double P, double H, FormulationCode formulation) {
  return PublicInverse<units::EnthalpyIn, EntropyOfPH, units::EntropyOut>(P, H, formulation);
}

double TofPS(double P, double S, FormulationCode formulation) {
  return PublicInverse<units::EntropyIn, TemperatureOfPSValue, units::TemperatureOut>(P, S, formulation);
}

double HofPS(double P, double S, FormulationCode formulation) {
  return PublicInverse<units::EntropyIn, EnthalpyOfPS, units::EnthalpyOut>(P, S, formulation);
}

}  // namespace brimwater
