// The root of a rising function inside a search interval: Newton steps from a start inside it, each kept
// inside the shrinking bracket and replaced by bisection where it leaves the bracket or does not halve the
// step before last. The ends of the interval need not be evaluated beforehand: an end is evaluated only when
// a Newton step points beyond it, and when the function there still lies on the same side of zero the root is
// not in the interval and the search returns that end. Otherwise it stops at a residual within the caller's
// tolerance, at a Newton step within a few ulps of x, or when the bracket is a few ulps wide (a root in a
// step of the function, such as a formulation's region boundary, ends there).
#ifndef BRIMWATER_NUMERICS_BRACKETED_NEWTON_H
#define BRIMWATER_NUMERICS_BRACKETED_NEWTON_H

#include <cmath>
#include <limits>

#include "numerics/branch_root.h"

namespace brimwater::numerics {

// A search interval [lo, hi] and whether the function is known to be <= 0 at lo and >= 0 at hi.
struct Interval {
  double lo;
  double hi;
  bool lo_known = false;
  bool hi_known = false;
};

// f takes x and returns ValueSlope and rises through its root. `x` lies in the interval with `fx` = f(x).
// Returns the last x evaluated (with `fx` = f(x)): the root to the caller's tolerance or the last bits, or an
// end of the interval where f does not change sign between x and that end. At most `max_steps` evaluations.
template <typename F>
double BracketedNewton(const F& f, Interval bracket, double x, ValueSlope& fx, double tolerance,
                       int max_steps = 100) {
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr double kConverged = 8.0 * kEps;
  double lo = bracket.lo;
  double hi = bracket.hi;
  if (fx.value < 0.0) lo = x;
  if (fx.value > 0.0) hi = x;
  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    if (std::fabs(fx.value) <= tolerance) return x;
    if (hi - lo <= 4.0 * kEps * std::fabs(hi)) return x;
    const bool slope_usable = fx.slope > 0.0 && std::isfinite(fx.slope);
    const double newton = slope_usable ? x - fx.value / fx.slope : std::numeric_limits<double>::quiet_NaN();
    // A Newton step beyond an end not yet evaluated: evaluate that end first.
    if (slope_usable && newton >= hi && hi == bracket.hi && !bracket.hi_known) {
      bracket.hi_known = true;
      const ValueSlope f_hi = f(hi);
      if (!(f_hi.value >= 0.0)) {
        fx = f_hi;
        return hi;
      }
      x = hi;
      fx = f_hi;
      continue;
    }
    if (slope_usable && newton <= lo && lo == bracket.lo && !bracket.lo_known) {
      bracket.lo_known = true;
      const ValueSlope f_lo = f(lo);
      if (!(f_lo.value <= 0.0)) {
        fx = f_lo;
        return lo;
      }
      x = lo;
      fx = f_lo;
      continue;
    }
    // A Newton step within the noise of x (it may not even leave x): x is the root to the last bits.
    if (slope_usable && std::fabs(newton - x) <= kConverged * std::fabs(x)) return x;
    const bool inside = newton > lo && newton < hi;
    const bool use_newton = inside && std::fabs(newton - x) < 0.5 * previous_step;
    const double next = use_newton ? newton : 0.5 * (lo + hi);
    previous_step = std::fabs(next - x);
    x = next;
    fx = f(x);
    if (fx.value < 0.0) {
      lo = x;
    } else if (fx.value > 0.0) {
      hi = x;
    } else if (fx.value == 0.0) {
      return x;
    } else {
      hi = x;  // undefined here: shrink the bracket towards the lower end
    }
  }
  return x;
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_BRACKETED_NEWTON_H
