// The saturated states of a Helmholtz-energy equation at one temperature from the phase-equilibrium
// condition (the Maxwell criterion): the liquid and vapour densities at which the two phases have equal
// pressure and equal Gibbs energy, p(rho') = p(rho'') and g(rho') = g(rho''), with p = rho^2 a_rho and
// g = a + p / rho. Newton steps on the two densities together, from start values on each branch; a start
// off its branch (where p does not rise with density) moves outward first, and a step that would leave a
// branch, or bring the densities together or below zero, is halved until it does not.
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
  // The equation at the two densities, as last evaluated (every property of both phases without a further
  // evaluation).
  HelmholtzPoint liquid;
  HelmholtzPoint vapour;
};

namespace phase_equilibrium_detail {

struct Phase {
  HelmholtzPoint f;
  double p, g, p_rho;
};

inline Phase Evaluate(const HelmholtzPoint& f) {
  const double p = f.rho * f.rho * f.a_rho;
  return {f, p, f.a + p / f.rho, 2.0 * f.rho * f.a_rho + f.rho * f.rho * f.a_rhorho};
}

inline bool OnBranch(const Phase& x) { return x.p_rho > 0.0 && std::isfinite(x.g) && std::isfinite(x.p); }

}  // namespace phase_equilibrium_detail

// `point` takes a density and returns the HelmholtzPoint at that density and the fixed temperature.
// rho_liquid > rho_vapour are the start values, each on its branch of the isotherm or inside the loop beside
// it. At most `max_steps` Newton steps. The common pressure reported is the vapour's, the better conditioned
// of the two (a liquid's pressure is a small difference of large terms).
template <typename Point>
Coexistence PhaseEquilibrium(const Point& point, double rho_liquid, double rho_vapour, int max_steps = 64) {
  using phase_equilibrium_detail::Evaluate;
  using phase_equilibrium_detail::OnBranch;
  using phase_equilibrium_detail::Phase;
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr double kMaxRelativeStep = 0.5;  // no density moves by more than half of itself in one step
  constexpr double kOutward = 1.0 / 64.0;   // how far a start off its branch moves, relative
  constexpr int kStartTries = 64;
  constexpr int kHalvings = 32;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const HelmholtzPoint none{nan, nan, nan, nan, nan, nan, nan, nan};
  const Coexistence failed{nan, nan, nan, false, none, none};
  constexpr double kLastBits = 16.0 * kEps;
  constexpr double kNoiseFloor = 1e-5;
  double rl = rho_liquid;
  double rv = rho_vapour;
  if (!(rl > rv) || !(rv > 0.0) || !std::isfinite(rl)) return failed;
  Phase l = Evaluate(point(rl));
  for (int i = 0; i < kStartTries && !OnBranch(l); ++i) l = Evaluate(point(rl *= 1.0 + kOutward));
  Phase v = Evaluate(point(rv));
  for (int i = 0; i < kStartTries && !OnBranch(v); ++i) v = Evaluate(point(rv *= 1.0 - kOutward));
  if (!OnBranch(l) || !OnBranch(v) || !(rl > rv)) return failed;

  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    const double dp = v.p - l.p;
    const double dg = v.g - l.g;
    // Newton on F1 = p'' - p' and F2 = g'' - g', with dg/drho = (dp/drho) / rho:
    //   drho' = (F2 rho'' - F1) / (p'_rho (rho'' / rho' - 1)),
    //   drho'' = (F2 rho' - F1) / (p''_rho (1 - rho' / rho'')).
    double d_rl = (dg * rv - dp) / (l.p_rho * (rv / rl - 1.0));
    double d_rv = (dg * rl - dp) / (v.p_rho * (1.0 - rl / rv));
    if (!std::isfinite(d_rl) || !std::isfinite(d_rv)) return {v.p, rl, rv, false, l.f, v.f};
    const double limit =
        std::fmax(std::fabs(d_rl) / (kMaxRelativeStep * rl), std::fabs(d_rv) / (kMaxRelativeStep * rv));
    if (limit > 1.0) {
      d_rl /= limit;
      d_rv /= limit;
    }
    // Halve the step until both densities stay on their branches, apart and positive.
    Phase l_next{}, v_next{};
    bool accepted = false;
    for (int k = 0; k < kHalvings && !accepted; ++k, d_rl *= 0.5, d_rv *= 0.5) {
      if (!(rl + d_rl > rv + d_rv) || !(rv + d_rv > 0.0)) continue;
      l_next = Evaluate(point(rl + d_rl));
      v_next = Evaluate(point(rv + d_rv));
      accepted = OnBranch(l_next) && OnBranch(v_next);
      if (accepted) break;
    }
    if (!accepted) return {v.p, rl, rv, false, l.f, v.f};
    rl += d_rl;
    rv += d_rv;
    l = l_next;
    v = v_next;
    // Converged when the step is at the last bits, or the next one will be: in Newton's quadratic
    // convergence the next step is about step^2 / previous_step^2 times this one. Or when the steps have
    // reached the noise of the two Gibbs energies: small and growing, as a Newton step this small would not
    // unless noise drives it (close to the critical point, where the two phases differ little, that noise
    // reaches about 1e-6 of the densities).
    const double step = std::fmax(std::fabs(d_rl) / rl, std::fabs(d_rv) / rv);
    const double next_step = std::isfinite(previous_step) && step < 0.5 * previous_step
                                 ? step * step * step / (previous_step * previous_step)
                                 : std::numeric_limits<double>::infinity();
    if (step <= kLastBits || next_step <= kLastBits || (step < kNoiseFloor && step >= previous_step)) {
      return {v.p, rl, rv, true, l.f, v.f};
    }
    previous_step = step;
  }
  return {v.p, rl, rv, false, l.f, v.f};
}

// The saturated states at a given pressure P: the temperature and the two densities at which both phases
// have the pressure P and equal Gibbs energy. Newton steps on (T, rho', rho'') together; eliminating the
// densities' steps from p(T, rho') = P and p(T, rho'') = P leaves the temperature's step
//   dT = (F3 - F1 / rho' + F2 / rho'') / (s'' - s'),  F1 = P - p', F2 = P - p'', F3 = g'' - g'
// (a Clausius-Clapeyron step), and then drho = (F - (dp/dT)_rho dT) / (dp/drho)_T for each phase.
// `isotherm(T)` returns a callable that takes a density and returns the HelmholtzPoint at (T, rho).
// T < T_max (the critical temperature) and rho_liquid > rho_vapour are the start values; steps are limited
// so that T stays below T_max and both densities on their branches. At most `max_steps` Newton steps.
struct SaturationAtPressure {
  double T;
  Coexistence phases;  // at T; phases.P is the vapour's pressure there
};

template <typename Isotherm>
SaturationAtPressure SaturationOfPressure(const Isotherm& isotherm, double P, double T, double T_max,
                                          double rho_liquid, double rho_vapour, int max_steps = 32) {
  using phase_equilibrium_detail::Evaluate;
  using phase_equilibrium_detail::OnBranch;
  using phase_equilibrium_detail::Phase;
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  constexpr double kMaxRelativeStep = 0.5;     // densities, as in PhaseEquilibrium
  constexpr double kMaxTemperatureStep = 0.5;  // of the distance to T_max
  constexpr int kHalvings = 32;
  constexpr double kLastBits = 16.0 * kEps;
  constexpr double kNoiseFloor = 1e-5;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const HelmholtzPoint none{nan, nan, nan, nan, nan, nan, nan, nan};
  const SaturationAtPressure failed{nan, {nan, nan, nan, false, none, none}};
  double rl = rho_liquid;
  double rv = rho_vapour;
  if (!(rl > rv) || !(rv > 0.0) || !std::isfinite(rl) || !(T < T_max) || !(P > 0.0)) return failed;
  const auto start = isotherm(T);
  Phase l = Evaluate(start(rl));
  Phase v = Evaluate(start(rv));
  if (!OnBranch(l) || !OnBranch(v)) return failed;

  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < max_steps; ++i) {
    const double F1 = P - l.p;
    const double F2 = P - v.p;
    const double F3 = v.g - l.g;
    const double s_liquid = -l.f.a_T;
    const double s_vapour = -v.f.a_T;
    double dT = (F3 - F1 / rl + F2 / rv) / (s_vapour - s_liquid);
    double d_rl = (F1 - rl * rl * l.f.a_Trho * dT) / l.p_rho;
    double d_rv = (F2 - rv * rv * v.f.a_Trho * dT) / v.p_rho;
    if (!std::isfinite(dT) || !std::isfinite(d_rl) || !std::isfinite(d_rv)) break;
    const double limit = std::fmax(
        std::fmax(std::fabs(d_rl) / (kMaxRelativeStep * rl), std::fabs(d_rv) / (kMaxRelativeStep * rv)),
        dT / (kMaxTemperatureStep * (T_max - T)));
    if (limit > 1.0) {
      dT /= limit;
      d_rl /= limit;
      d_rv /= limit;
    }
    Phase l_next{}, v_next{};
    bool accepted = false;
    for (int k = 0; k < kHalvings && !accepted; ++k, dT *= 0.5, d_rl *= 0.5, d_rv *= 0.5) {
      if (!(rl + d_rl > rv + d_rv) || !(rv + d_rv > 0.0)) continue;
      const auto next = isotherm(T + dT);
      l_next = Evaluate(next(rl + d_rl));
      v_next = Evaluate(next(rv + d_rv));
      accepted = OnBranch(l_next) && OnBranch(v_next);
      if (accepted) break;
    }
    if (!accepted) break;
    T += dT;
    rl += d_rl;
    rv += d_rv;
    l = l_next;
    v = v_next;
    // Converged as PhaseEquilibrium judges it, on the largest relative step of the three.
    const double step = std::fmax(std::fabs(dT) / T, std::fmax(std::fabs(d_rl) / rl, std::fabs(d_rv) / rv));
    const double next_step = std::isfinite(previous_step) && step < 0.5 * previous_step
                                 ? step * step * step / (previous_step * previous_step)
                                 : std::numeric_limits<double>::infinity();
    if (step <= kLastBits || next_step <= kLastBits || (step < kNoiseFloor && step >= previous_step)) {
      return {T, {v.p, rl, rv, true, l.f, v.f}};
    }
    previous_step = step;
  }
  return {T, {v.p, rl, rv, false, l.f, v.f}};
}

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_PHASE_EQUILIBRIUM_H
