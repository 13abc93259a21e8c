// The root of an equation on one monotonic branch of a curve that need not be monotonic elsewhere: a density
// of given pressure on the liquid or the vapour branch of an isotherm. Newton steps from the outer side of
// the branch, where the curvature of an isotherm's branch keeps them on that side; a step that lands off the
// branch (where the curve no longer rises, farther from zero, or past the branch's limit) is pulled back
// towards the last good point; once a point beyond the root is found the steps stay inside the bracket,
// bisecting where Newton leaves it or stalls. The search stops when the step or the bracket is a few ulps, or
// when Newton steps stall within the noise of f (neither the step nor |f| halves).
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

// Which side of the root the search starts on. The function rises through the root, so below it the function
// is negative and the root lies at larger x; above it the function is positive and the root at smaller x.
enum class Approach { FromBelow, FromAbove };

namespace branch_root_detail {

inline bool OnBranch(const ValueSlope& f) {
  return std::isfinite(f.value) && std::isfinite(f.slope) && f.slope > 0.0;
}

}  // namespace branch_root_detail

// The root of f (a callable taking x > 0, a density, and returning ValueSlope) on the branch that rises
// through it. `start` lies on the given side of the root and on the branch; when f there has the wrong sign
// or does not rise, the start moves away from the root, multiplied by `outward` (above 1 from above, below 1
// from below), up to 64 times. `limit`, when positive, is a value the branch does not pass (the critical
// density between a liquid and a vapour branch): no step crosses it. Returns NaN when no start is found or
// the branch ends before it reaches the root (no root on the branch). At most `max_evaluations` evaluations
// of f after the start.
template <typename F>
double BranchRoot(const F& f, double start, Approach side, double outward, double limit = 0.0,
                  int max_evaluations = 200) {
  using branch_root_detail::OnBranch;
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr int kStartTries = 64;
  constexpr double kShortStep = 1e-6;  // relative
  constexpr double kLastBits = 8.0 * kEps;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double sign = side == Approach::FromAbove ? 1.0 : -1.0;  // the sign of f on the start's side

  double x = start;
  ValueSlope fx = f(x);
  for (int i = 0; i < kStartTries && !(sign * fx.value > 0.0 && OnBranch(fx)); ++i) {
    if (fx.value == 0.0 && OnBranch(fx)) return x;
    x *= outward;
    fx = f(x);
  }
  if (!(sign * fx.value > 0.0 && OnBranch(fx))) return nan;

  // Whether `at` lies on the branch's side of the limit (and is positive).
  const auto within = [&](double at) {
    if (!(at > 0.0)) return false;
    if (!(limit > 0.0)) return true;
    return side == Approach::FromAbove ? at > limit : at < limit;
  };
  double outer = x;  // the nearest point known on the start's side
  double inner = x;  // the nearest point known beyond the root, once bracketed
  bool bracketed = false;
  double previous_step = std::numeric_limits<double>::infinity();
  double previous_residual = std::numeric_limits<double>::infinity();  // |f| before x
  bool newton_before = true;  // whether x was reached by a Newton step
  int evaluations = 0;
  while (evaluations < max_evaluations) {
    double next;
    if (bracketed) {
      const double lo = outer < inner ? outer : inner;
      const double hi = outer < inner ? inner : outer;
      if (hi - lo <= 4.0 * kEps * std::fabs(hi)) return x;
      const double newton = OnBranch(fx) ? x - fx.value / fx.slope : nan;
      // A Newton step within the last few bits of x: x is the root (from an end of the bracket the step
      // would round to that end and otherwise count as leaving it).
      if (std::fabs(newton - x) <= kLastBits * std::fabs(x)) return x;
      // Bisect where Newton leaves the bracket or does not halve the step before last, unless the root lies
      // within the noise of f: a short Newton step after a Newton step that did not halve |f| either.
      const bool inside = newton > lo && newton < hi;
      const bool halves = std::fabs(newton - x) < 0.5 * previous_step;
      if (inside && !halves && newton_before && std::fabs(fx.value) >= 0.5 * previous_residual &&
          std::fabs(newton - x) <= kShortStep * std::fabs(x)) {
        return x;
      }
      newton_before = inside && halves;
      next = newton_before ? newton : 0.5 * (lo + hi);
    } else {
      next = x - fx.value / fx.slope;  // fx is on the branch here
    }
    if (std::fabs(next - x) <= 2.0 * kEps * std::fabs(x)) return next;
    ValueSlope fn{nan, nan};
    if (bracketed) {
      fn = f(next);
      ++evaluations;
    } else {
      // Before a bracket is known, a step must land on the branch: on the start's side nearer the root where
      // f still rises, or beyond the root where f rises there and halfway back (a step that jumped over the
      // branch's end, and over the loop beyond it, to another branch fails one of these). Pull it back
      // towards the last good point until it does.
      bool landed = false;
      while (!landed && evaluations < max_evaluations) {
        if (!within(next)) {
          next = 0.5 * (x + next);
          continue;
        }
        fn = f(next);
        ++evaluations;
        if (OnBranch(fn)) {
          if (sign * fn.value > 0.0) {
            // (A short step cannot reach another branch; it lands within the noise of f near the root.)
            landed = sign * fn.value < sign * fx.value || std::fabs(next - x) <= kShortStep * std::fabs(x);
          } else if (std::fabs(next - x) <= kShortStep * std::fabs(x)) {
            landed = true;  // beyond the root within the noise of f: no loop fits in so short a step
          } else {
            ++evaluations;
            landed = OnBranch(f(0.5 * (x + next)));
          }
        }
        if (!landed) {
          next = 0.5 * (x + next);
          if (std::fabs(next - x) <= 2.0 * kEps * std::fabs(x)) return nan;  // the branch ends here
        }
      }
      if (!landed) return nan;
    }
    previous_step = std::fabs(next - x);
    previous_residual = std::fabs(fx.value);
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
  // Out of evaluations: a root is only claimed inside a bracket.
  return bracketed ? x : nan;
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_BRANCH_ROOT_H
