// The density of a state of given temperature and pressure: the safeguarded secant on an equation of state's
// pressure function p(rho) at fixed T, shared by the density-form kernels. Each kernel passes its own
// pressure function, start densities and phase bound.
//
// The secant runs as those formulations' programs run it: at most a fixed number of new densities, a
// flatness stop, a relative pressure tolerance, an optional phase bound and an optional floor at a quarter of
// the sum of the two current points. A secant that meets its convergence test on a density of the wanted
// branch returns that density unchanged. A secant that ends otherwise (flatness stop, step limit, a density
// that is not positive or lies off the wanted branch of the isotherm) is finished by a bracketed search on
// the same pressure function that cannot fail: bisection in log density between densities that enclose the
// root on the wanted branch. Where the branch has no root at the target pressure (the isotherm's extremum
// lies beyond it), that search returns the density of the branch's closest approach, its spinodal.
//
// Units are the caller's (the kernels use g/cm3 and MPa). Header-only: the pressure function is a
// template parameter, so no allocation and no indirect call in the loop.
#ifndef BRIMWATER_NUMERICS_DENSITY_SECANT_H
#define BRIMWATER_NUMERICS_DENSITY_SECANT_H

#include <cmath>
#include <limits>

namespace brimwater::numerics {

// The branch of the isotherm on which the wanted root lies.
enum class Branch {
  Any,     // above the critical temperature: the isotherm has one root
  Liquid,  // the dense branch, rising from the liquid spinodal to infinite density
  Vapour,  // the dilute branch, rising from zero density to the vapour spinodal
};

// How one density search runs. The defaults are those of the saturated-density searches.
struct DensitySearch {
  Branch branch = Branch::Any;
  // The phase bound: a liquid search never steps below `bound`, a vapour search never above it (unless the
  // floor lifts it). Single-phase searches use the saturated density of their temperature.
  bool bounded = false;
  double bound = 0.0;
  // The floor: no new density below 0.25 * (rho1 + rho2) of the two current points.
  bool floor = false;
  int max_densities = 32;
  // From this new density on (1-based), each secant point is first replaced by the mean of itself and the
  // previous new density; 0 never. Only the KKHM 1969 single-phase search turns it on, at 33.
  int averaging_from = 0;
  // For unbounded liquid and vapour searches: the density that separates the two branches (the
  // formulation's critical density); liquid roots lie above it, vapour roots below. 0 when unknown.
  double divide = 0.0;
};

// What a search did, for tests and diagnostics.
struct SecantTrace {
  int new_densities = 0;   // secant points formed
  int evaluations = 0;     // pressure evaluations, the bracketed search's included
  bool converged = false;  // the secant met its own convergence test on the wanted branch
  bool bracketed = false;  // the bracketed search supplied the result
};

inline constexpr double kSecantFlatness = 1.1920928955078125e-7;   // 2^-23, of the target pressure
inline constexpr double kSecantTolerance = 3.4526698300124393e-4;  // sqrt(2^-23), relative pressure
inline constexpr double kSecantFloorFactor = 0.25;

namespace density_secant_detail {

// Counts the evaluations of the pressure function for the trace.
template <typename Pressure>
struct Counted {
  const Pressure& pressure;
  int count = 0;
  double operator()(double rho) {
    ++count;
    return pressure(rho);
  }
};

constexpr int kAnchorTries = 256;
constexpr double kAnchorFactor = 4.0;         // vapour anchor: towards zero density
constexpr double kLiquidAnchorFactor = 1.05;  // liquid anchor: towards the dense liquid
constexpr int kMarchSteps = 400;
constexpr double kMarchFirstStep = 0.01;         // in ln(rho)
constexpr double kMarchMaxStep = 0.5;            // in ln(rho)
constexpr double kMarchAcceptStep = 1.0 / 64.0;  // a crossing is taken only within a step this short
constexpr double kMarchMinStep = 1e-12;          // below this the branch's extremum is located: no root
constexpr int kBisectionSteps = 200;
constexpr int kGoldenSteps = 100;

inline bool Positive(double x) { return x > 0.0 && std::isfinite(x); }

// The root in x = ln(rho) on [a, b] with g(a) < 0 <= g(b), g(x) = sign * (p(e^x) - target): regula falsi with
// the Illinois modification, which keeps the bracket and converges superlinearly; a point that falls outside
// the bracket is replaced by the midpoint. Stops when the pressure residual is at rounding level or the
// bracket is a few ulps wide.
template <typename Pressure>
double BisectLog(Counted<Pressure>& p, double target, double sign, double a, double b) {
  double ga = sign * (p(std::exp(a)) - target);
  double gb = sign * (p(std::exp(b)) - target);
  const double resolution = 1e-15 * std::fabs(target);
  int side = 0;
  for (int i = 0; i < kBisectionSteps; ++i) {
    if (std::fabs(b - a) <= 4.0 * std::numeric_limits<double>::epsilon() * std::fabs(a)) break;
    const double mid = 0.5 * (a + b);
    double x = (ga < 0.0 && gb >= 0.0) ? b - gb * (b - a) / (gb - ga) : mid;
    if (!((x > a && x < b) || (x < a && x > b))) x = mid;
    if (!((x > a && x < b) || (x < a && x > b))) break;  // the interval is one ulp wide
    const double gx = sign * (p(std::exp(x)) - target);
    if (gx < 0.0) {
      a = x;
      ga = gx;
      if (side < 0) gb *= 0.5;
      side = -1;
    } else if (gx >= 0.0) {
      b = x;
      gb = gx;
      if (side > 0) ga *= 0.5;
      side = 1;
    } else {  // not a number: fall back to halving towards the lower end
      b = x;
      side = 0;
      ga = -1.0;
      gb = 1.0;
    }
    if (std::fabs(gx) <= resolution) return std::exp(x);
  }
  return std::exp(std::fabs(ga) < std::fabs(gb) ? a : b);
}

// March along the isotherm from x (ln rho, with g(x) < 0) in direction dir (+1 denser, -1 lighter), with
// g(x) = sign * (p(e^x) - target). Every accepted step must raise g (the march stays on the monotonic
// branch it started on); a crossing of the target is bisected once it lies within a short step. When g stops
// rising before it reaches zero, the branch has no root and the extremum's density is returned. `limit`
// (ln rho) is a density the march never passes.
template <typename Pressure>
double March(Counted<Pressure>& p, double target, double sign, double dir, double x, double g, bool limited,
             double limit) {
  double h = kMarchFirstStep;
  double x_prev = x;  // the point before the last accepted step
  for (int i = 0; i < kMarchSteps; ++i) {
    double xt = x + dir * h;
    if (limited && dir * (xt - limit) > 0.0) xt = limit;
    if (!(dir * (xt - x) > 0.0)) break;  // at the limit
    const double gt = sign * (p(std::exp(xt)) - target);
    if (gt > g && gt >= 0.0 && std::fabs(xt - x) <= kMarchAcceptStep) {
      return BisectLog(p, target, sign, x, xt);
    }
    if (gt > g && gt < 0.0) {
      x_prev = x;
      x = xt;
      g = gt;
      h = h * 2.0 < kMarchMaxStep ? h * 2.0 : kMarchMaxStep;
      continue;
    }
    // Past the root with too long a step, past the branch's extremum, or an undefined pressure: shorten.
    h *= 0.25;
    if (h < kMarchMinStep) break;
  }
  // No crossing: the extremum lies between the point before the last step and just beyond the last point.
  // Locate it by golden section; should it reach the target after all, bisect up to it.
  double a = x_prev;
  double b = x + dir * 4.0 * kMarchMinStep;
  if (limited && dir * (b - limit) > 0.0) b = limit;
  constexpr double kGolden = 0.6180339887498949;
  double c = b - kGolden * (b - a);
  double d = a + kGolden * (b - a);
  double gc = sign * (p(std::exp(c)) - target);
  double gd = sign * (p(std::exp(d)) - target);
  for (int i = 0; i < kGoldenSteps && std::fabs(b - a) > kMarchMinStep; ++i) {
    if (gc >= 0.0) return BisectLog(p, target, sign, x_prev, c);
    if (gd >= 0.0) return BisectLog(p, target, sign, x_prev, d);
    if (gc > gd) {
      b = d;
      d = c;
      gd = gc;
      c = b - kGolden * (b - a);
      gc = sign * (p(std::exp(c)) - target);
    } else {
      a = c;
      c = d;
      gc = gd;
      d = a + kGolden * (b - a);
      gd = sign * (p(std::exp(d)) - target);
    }
  }
  const double g_best = gc > gd ? gc : gd;
  return std::exp(g_best > g ? (gc > gd ? c : d) : x);
}

// The bracketed search for the root on the wanted branch. rho_hint is a positive density near the root (a
// start density or the bound), or 0 when none is known.
template <typename Pressure>
double Bracketed(Counted<Pressure>& p, double target, double rho_hint, const DensitySearch& s) {
  const double divide = Positive(s.divide) ? s.divide : 0.0;
  double rho = Positive(rho_hint) ? rho_hint : (divide > 0.0 ? divide : 1.0);

  // Vapour: the bound (saturated vapour density, pressure at or above the target) encloses the root from
  // above, and a density low enough for p < target from below; the vapour branch rises monotonically between.
  if (s.branch == Branch::Vapour) {
    double hi = rho;
    if (s.bounded && Positive(s.bound)) hi = s.bound;
    if (divide > 0.0 && hi > divide) hi = divide;
    // The anchor must lie where the isotherm is nearly ideal-gas (p/rho nearly constant), which no point off
    // the vapour branch is. First guess: half the density that the pressure-to-density ratio at `hi` implies,
    // which for a nearly ideal vapour lies just below the root.
    double lo = hi;
    double p_lo = p(lo);
    const double guess = 0.5 * target * hi / p_lo;
    if (Positive(guess) && guess < hi) {
      lo = guess;
      p_lo = p(lo);
    }
    for (int i = 0; i < kAnchorTries; ++i) {
      const double p_lower = p(lo / kAnchorFactor);
      if (p_lo > 0.0 && p_lo < target && std::fabs(p_lower * kAnchorFactor / p_lo - 1.0) < 0.05) break;
      lo /= kAnchorFactor;
      p_lo = p_lower;
    }
    if (!(p_lo < target)) return lo;
    if (s.bounded && Positive(s.bound) && p(hi) >= target) {
      return BisectLog(p, target, 1.0, std::log(lo), std::log(hi));
    }
    return March(p, target, 1.0, 1.0, std::log(lo), p_lo - target, divide > 0.0,
                 divide > 0.0 ? std::log(divide) : 0.0);
  }

  // Liquid: the bound (saturated liquid density, pressure at or below the target) encloses the root from
  // below, and a density high enough for p > target from above; the liquid branch rises monotonically.
  if (s.branch == Branch::Liquid) {
    double lo = rho;
    if (s.bounded && Positive(s.bound)) lo = s.bound;
    if (divide > 0.0 && lo < divide) lo = divide;
    // The anchor must lie where the isotherm rises, above the liquid spinodal.
    double hi = lo;
    double p_hi = p(hi);
    for (int i = 0; i < kAnchorTries; ++i) {
      const double p_higher = p(hi * kLiquidAnchorFactor);
      if (p_hi > target && p_higher > p_hi) break;
      hi *= kLiquidAnchorFactor;
      p_hi = p_higher;
    }
    if (!(p_hi > target)) return hi;
    if (s.bounded && Positive(s.bound) && p(lo) <= target) {
      return BisectLog(p, target, -1.0, std::log(hi), std::log(lo));
    }
    return March(p, target, -1.0, -1.0, std::log(hi), target - p_hi, divide > 0.0,
                 divide > 0.0 ? std::log(divide) : 0.0);
  }

  // One root: march from the hint towards it.
  const double p_rho = p(rho);
  if (!std::isfinite(p_rho)) return rho;
  if (p_rho < target) return March(p, target, 1.0, 1.0, std::log(rho), p_rho - target, false, 0.0);
  if (p_rho > target) return March(p, target, -1.0, -1.0, std::log(rho), target - p_rho, false, 0.0);
  return rho;
}

}  // namespace density_secant_detail

// The density at which pressure(rho) equals `target`, starting from rho1 and rho2 (rho1 the better estimate).
// `pressure` is any callable double(double) at the fixed temperature. When the two start pressures already
// agree within the flatness tolerance and no new density is formed, the secant's result is rho1.
template <typename Pressure>
double DensitySecant(const Pressure& pressure, double target, double rho1, double rho2,
                     const DensitySearch& search, SecantTrace* trace = nullptr) {
  using namespace density_secant_detail;
  Counted<Pressure> p{pressure};
  double p1 = p(rho1);
  double p2 = p(rho2);
  const double flat = target * kSecantFlatness;

  double rho_n = rho1;  // the result when no new density is formed
  double p_n = p1;
  bool converged = std::fabs(p1 / target - 1.0) < kSecantTolerance;  // rho1 on its own, for a flat start
  int formed = 0;
  while (formed < search.max_densities) {
    if (std::fabs(p2 - p1) < flat) break;
    converged = false;
    const double r1 = p1 - target;
    const double r2 = p2 - target;
    const double previous = rho_n;
    rho_n = (r2 * rho1 - r1 * rho2) / (p2 - p1);
    ++formed;
    if (search.averaging_from > 0 && formed >= search.averaging_from) rho_n = 0.5 * (rho_n + previous);
    if (search.bounded) {
      if (search.branch == Branch::Liquid && rho_n < search.bound) rho_n = search.bound;
      if (search.branch == Branch::Vapour && rho_n > search.bound) rho_n = search.bound;
    }
    if (search.floor && rho_n < kSecantFloorFactor * (rho1 + rho2))
      rho_n = kSecantFloorFactor * (rho1 + rho2);
    p_n = p(rho_n);
    if (std::fabs(p_n / target - 1.0) < kSecantTolerance) {
      converged = true;
      break;
    }
    if (std::fabs(r2) > std::fabs(r1)) {
      rho2 = rho_n;
      p2 = p_n;
    } else {
      rho1 = rho_n;
      p1 = p_n;
    }
  }

  // The converged density must be positive and on the wanted branch. A bounded vapour density above its
  // bound (where only the floor can put it) has a pressure above the bound's, so it is not on the vapour
  // branch. An unbounded liquid or vapour density must lie on its side of the divide where the isotherm
  // rises.
  bool sound = converged && Positive(rho_n);
  if (sound && search.branch == Branch::Vapour && search.bounded && rho_n > search.bound) sound = false;
  if (sound && !search.bounded && search.branch != Branch::Any) {
    if (Positive(search.divide)) {
      if (search.branch == Branch::Liquid && !(rho_n > search.divide)) sound = false;
      if (search.branch == Branch::Vapour && !(rho_n < search.divide)) sound = false;
    }
    if (sound && !(p(rho_n * (1.0 + 1e-6)) > p_n)) sound = false;
  }

  const bool usable_target = target > 0.0 && std::isfinite(target);
  double result = rho_n;
  if (!sound && usable_target) {
    double hint = 0.0;
    if (Positive(rho_n)) hint = rho_n;
    if (Positive(rho1) && (!Positive(hint) || std::fabs(p1 - target) < std::fabs(p_n - target))) hint = rho1;
    result = Bracketed(p, target, hint, search);
  }
  if (trace) {
    trace->new_densities = formed;
    trace->evaluations = p.count;
    trace->converged = sound;
    trace->bracketed = !sound && usable_target;
  }
  return result;
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_DENSITY_SECANT_H
