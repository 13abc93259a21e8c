// The saturated states of a Helmholtz-energy equation at one temperature from the phase-equilibrium
// condition (the Maxwell criterion): the liquid and vapour densities at which the two phases have equal
// pressure and equal Gibbs energy, p(rho') = p(rho'') and g(rho') = g(rho''), with p = rho^2 a_rho and
// g = a + p / rho. Newton steps on the two densities together, from start values on each branch, each step
// limited so that both densities stay positive, on their branches and apart.
#ifndef BRIMWATER_NUMERICS_PHASE_EQUILIBRIUM_H
#define BRIMWATER_NUMERICS_PHASE_EQUILIBRIUM_H

#include <cmath>
#include <limits>

#include "numerics/fundamental.h"

namespace brimwater::numerics {

struct Coexistence {
  double P;           // MPa, the common pressure
  double rho_liquid;  // g/cm3
  double rho_vapour;  // g/cm3
  bool converged;     // the densities are fixed to the last bits; otherwise the last estimates, or NaN
};

namespace phase_equilibrium_detail {

struct Phase {
  double p, g, p_rho;
};

inline Phase Evaluate(const HelmholtzPoint& f) {
  const double p = f.rho * f.rho * f.a_rho;
  return {p, f.a + p / f.rho, 2.0 * f.rho * f.a_rho + f.rho * f.rho * f.a_rhorho};
}

}  // namespace phase_equilibrium_detail

// `point` takes a density and returns the HelmholtzPoint at that density and the fixed temperature.
// rho_liquid > rho_vapour are the start values, each on its branch of the isotherm (where p rises with
// density). At most `max_steps` Newton steps.
template <typename Point>
Coexistence PhaseEquilibrium(const Point& point, double rho_liquid, double rho_vapour, int max_steps = 64) {
  using phase_equilibrium_detail::Evaluate;
  using phase_equilibrium_detail::Phase;
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr double kMaxRelativeStep = 0.5;  // no density moves by more than half of itself in one step
  const double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kLastBits = 16.0 * kEps;
  constexpr double kNoiseFloor = 1e-10;
  double rl = rho_liquid;
  double rv = rho_vapour;
  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    const Phase l = Evaluate(point(rl));
    const Phase v = Evaluate(point(rv));
    if (!(l.p_rho > 0.0) || !(v.p_rho > 0.0) || !std::isfinite(l.g) || !std::isfinite(v.g)) {
      return {nan, nan, nan, false};
    }
    const double dp = v.p - l.p;
    const double dg = v.g - l.g;
    // Newton on F1 = p'' - p' and F2 = g'' - g', with dg/drho = (dp/drho) / rho:
    //   drho' = (F2 rho'' - F1) / (p'_rho (rho'' / rho' - 1)),  drho'' = (F2 rho' - F1) / (p''_rho (1 - rho'
    //   / rho'')).
    double d_rl = (dg * rv - dp) / (l.p_rho * (rv / rl - 1.0));
    double d_rv = (dg * rl - dp) / (v.p_rho * (1.0 - rl / rv));
    const double limit =
        std::fmax(std::fabs(d_rl) / (kMaxRelativeStep * rl), std::fabs(d_rv) / (kMaxRelativeStep * rv));
    if (limit > 1.0) {
      d_rl /= limit;
      d_rv /= limit;
    }
    rl += d_rl;
    rv += d_rv;
    if (!(rl > rv) || !(rv > 0.0)) return {nan, nan, nan, false};
    // Converged when the step is at the last bits, or has reached the noise of the two Gibbs energies (it
    // is small and no longer halves).
    const double step = std::fmax(std::fabs(d_rl) / rl, std::fabs(d_rv) / rv);
    if (step <= kLastBits || (step < kNoiseFloor && step > 0.5 * previous_step)) {
      const Phase l_end = Evaluate(point(rl));
      const Phase v_end = Evaluate(point(rv));
      return {0.5 * (l_end.p + v_end.p), rl, rv, true};
    }
    previous_step = step;
  }
  const Phase l = Evaluate(point(rl));
  const Phase v = Evaluate(point(rv));
  return {0.5 * (l.p + v.p), rl, rv, false};
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_PHASE_EQUILIBRIUM_H
