// Bisection on a bracket that encloses one root of a monotonic function: the fixed-step form that the
// saturation lines and the volume solvers of IFC-67 and IAPWS-IF97 region 3 share, and a bracket-and-bisect
// search for a rising function whose bracket must first be found. Header-only, so that the function is
// inlined into the loop.
#ifndef BRIMWATER_NUMERICS_BISECTION_H
#define BRIMWATER_NUMERICS_BISECTION_H

#include <cmath>
#include <limits>

namespace brimwater::numerics {

// Where the root lies as seen from a midpoint; Undefined where the function is not a number there.
enum class Side { Above, AtOrBelow, Undefined };

// A bracket after bisection, with its last midpoint.
struct Bisected {
  double lo, hi, mid;
};

// `steps` bisections of [lo, hi]: each midpoint replaces lo when `locate(mid)` says the root lies above it,
// hi otherwise. An Undefined midpoint ends the search with NaN, so that a NaN argument does not steer the
// bisection to one end and return a plausible value.
template <typename Locate>
Bisected Bisection(double lo, double hi, int steps, Locate locate) {
  double mid = lo;
  for (int i = 0; i < steps; ++i) {
    mid = (hi + lo) * 0.5;
    const Side side = locate(mid);
    if (side == Side::Undefined) {
      const double nan = std::numeric_limits<double>::quiet_NaN();
      return {nan, nan, nan};
    }
    if (side == Side::Above) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return {lo, hi, mid};
}

// The saturation temperature of P as every formulation finds it: the inverse of its saturation-pressure
// curve by 32 bisection steps between the lower limit and the critical point, clamped like the curve, and the
// last midpoint returned. A NaN pressure would steer the bisection to the lower limit and return a plausible
// temperature, so it gives NaN.
template <double (*SatPressure)(double)>
double SatTemperatureByBisection(double P, double lower_T, double lower_P, double critical_T,
                                 double critical_P) {
  constexpr int kSteps = 32;
  if (P != P) return P;
  if (P <= lower_P) return lower_T;
  if (P >= critical_P) return critical_T;
  return Bisection(lower_T, critical_T, kSteps,
                   [P](double T) { return P > SatPressure(T) ? Side::Above : Side::AtOrBelow; })
      .mid;
}

// The root of f(x) = target for a function that rises through it, searched from `start`: the lower end is
// halved until f falls below the target, the upper end multiplied by `growth` until f exceeds it (at most
// `tries` times each), then the bracket is bisected until its midpoint no longer lies strictly inside.
// Returns `start` where no bracket is found or the target or start is not a positive finite number.
template <typename Function>
double BracketAndBisect(const Function& f, double target, double start, double growth, int tries) {
  constexpr int kBisectionSteps = 200;
  if (!(target > 0.0) || !std::isfinite(target) || !(start > 0.0) || !std::isfinite(start)) return start;
  double lo = start;
  double hi = start;
  for (int i = 0; i < tries && !(f(lo) < target); ++i) lo *= 0.5;
  for (int i = 0; i < tries && !(f(hi) > target); ++i) hi *= growth;
  if (!(f(lo) < target) || !(f(hi) > target)) return start;
  for (int i = 0; i < kBisectionSteps; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (!(mid > lo && mid < hi)) break;
    if (f(mid) < target) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5 * (lo + hi);
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_BISECTION_H
