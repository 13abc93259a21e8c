// The root of an equation on one monotonic branch of a curve that need not be monotonic elsewhere: a density
// of given pressure on the liquid or the vapour branch of an isotherm, a temperature of given enthalpy on an
// isobar. Newton steps from the outer side of the branch; a step that lands off the branch (where the curve
// no longer rises, or is undefined) is pulled back towards the last good point; once a point beyond the root
// is found the steps stay inside the bracket, bisecting where Newton leaves it or stalls. The search stops
// when the step or the bracket is a few ulps wide.
#ifndef BRIMWATER_NUMERICS_BRANCH_ROOT_H
#define BRIMWATER_NUMERICS_BRANCH_ROOT_H

#include <cmath>
#include <limits>

namespace brimwater::numerics {

// A function's value and its derivative at one point.
struct ValueSlope {
  double value;
  double slope;
};

// Which side of the root the search starts on. The function rises through the root, so on the Below side it
// is negative and the root lies at larger x; on the Above side it is positive and the root lies at smaller x.
enum class Side { Below, Above };

namespace branch_root_detail {

inline bool OnBranch(const ValueSlope& f) {
  return std::isfinite(f.value) && std::isfinite(f.slope) && f.slope > 0.0;
}

}  // namespace branch_root_detail

// The root of f (a callable taking x and returning ValueSlope) on the branch that rises through it. `start`
// is a point on the given side of the root and on the branch; when f there has the wrong sign or does not
// rise, the start moves away from the root, multiplied by `outward` (above 1 for the Above side, below 1 for
// the Below side), up to 64 times. Returns NaN when no start is found or the branch ends before it reaches
// the root (no root on the branch). At most `max_steps` evaluations follow the start.
template <typename F>
double BranchRoot(const F& f, double start, Side side, double outward, int max_steps = 200) {
  using branch_root_detail::OnBranch;
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr int kStartTries = 64;
  constexpr int kPullBacks = 60;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double sign = side == Side::Above ? 1.0 : -1.0;  // the sign of f on the start's side

  double x = start;
  ValueSlope fx = f(x);
  for (int i = 0; i < kStartTries && !(sign * fx.value > 0.0 && OnBranch(fx)); ++i) {
    if (fx.value == 0.0 && OnBranch(fx)) return x;
    x *= outward;
    fx = f(x);
  }
  if (!(sign * fx.value > 0.0 && OnBranch(fx))) return nan;

  double outer = x;  // the nearest point known on the start's side
  double inner = x;  // the nearest point known beyond the root, once bracketed
  bool bracketed = false;
  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    double next;
    if (bracketed) {
      const double lo = outer < inner ? outer : inner;
      const double hi = outer < inner ? inner : outer;
      if (hi - lo <= 4.0 * kEps * std::fabs(hi)) return x;
      const double newton = OnBranch(fx) ? x - fx.value / fx.slope : nan;
      // Bisect where Newton leaves the bracket or does not halve the step before last.
      const bool inside = newton > lo && newton < hi;
      next = inside && std::fabs(newton - x) < 0.5 * previous_step ? newton : 0.5 * (lo + hi);
    } else {
      next = x - fx.value / fx.slope;  // fx is on the branch here
    }
    if (std::fabs(next - x) <= 2.0 * kEps * std::fabs(x)) return next;
    ValueSlope fn = f(next);
    // Before a bracket is known a step that lands on the start's side but off the branch (or where f is
    // undefined) has passed the branch's end: pull it back towards the last good point.
    for (int k = 0; k < kPullBacks && !bracketed && !(OnBranch(fn) || sign * fn.value < 0.0); ++k) {
      next = 0.5 * (x + next);
      fn = f(next);
    }
    if (!bracketed && !(OnBranch(fn) || sign * fn.value < 0.0)) return nan;
    previous_step = std::fabs(next - x);
    x = next;
    fx = fn;
    if (fx.value == 0.0) return x;
    if (sign * fx.value > 0.0) {
      outer = x;
    } else {
      inner = x;  // beyond the root (or undefined inside the bracket: bisection moves away from it)
      bracketed = true;
    }
  }
  return x;
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_BRANCH_ROOT_H
