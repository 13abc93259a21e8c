// The root of a rising function inside a bracket that encloses it: Newton steps from a start inside the
// bracket, each kept inside the shrinking bracket and replaced by bisection where it leaves it or does not
// halve the step before last. Stops at a residual within the caller's tolerance, at a Newton step within a
// few ulps of x, or when the bracket is a few ulps wide (a root in a step of the function, such as a
// formulation's region boundary, ends there).
#ifndef BRIMWATER_NUMERICS_BRACKETED_NEWTON_H
#define BRIMWATER_NUMERICS_BRACKETED_NEWTON_H

#include <cmath>
#include <limits>

#include "numerics/branch_root.h"

namespace brimwater::numerics {

// f takes x and returns ValueSlope; f(lo) <= 0 <= f(hi). `x` lies in [lo, hi] with `fx` = f(x) (an end of the
// bracket will do). Returns the last x evaluated, whose value is within `tolerance` of zero unless the
// bracket closed first; `fx` receives f there. At most `max_steps` evaluations.
template <typename F>
double BracketedNewton(const F& f, double lo, double hi, double x, ValueSlope& fx, double tolerance,
                       int max_steps = 100) {
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr double kConverged = 8.0 * kEps;
  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    if (std::fabs(fx.value) <= tolerance) return x;
    if (hi - lo <= 4.0 * kEps * std::fabs(hi)) return x;
    const double newton = fx.slope > 0.0 && std::isfinite(fx.slope)
                              ? x - fx.value / fx.slope
                              : std::numeric_limits<double>::quiet_NaN();
    const bool inside = newton > lo && newton < hi;
    const bool use_newton = inside && std::fabs(newton - x) < 0.5 * previous_step;
    // A Newton step within the noise of x: x is the root to the last bits.
    if (use_newton && std::fabs(newton - x) <= kConverged * std::fabs(x)) return x;
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
