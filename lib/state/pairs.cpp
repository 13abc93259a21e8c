// The pair solvers. (T, P) is one evaluation. (P, h) and (P, s) first test for a two-phase state against the
// formulation's own saturated states at the saturation temperature of P, so that results are continuous
// across the saturation line, and otherwise solve h(T, P) = h or s(T, P) = s for T on the liquid or vapour
// side of the saturation temperature (or over the whole search range above the critical pressure) by
// bracketed Newton steps with the slopes cp and cp / T, until the residual is at the last few bits. (h, s)
// solves h(P, s) = h for P by bracketed Newton steps in ln P with the slope (dh/d ln P)_s = P v, each point
// an (P, s) solution, which makes two-phase states and the saturation line no special case. (T, x) and (P, x)
// mix the saturated phases by the lever rule.
#include "state/pairs.h"

#include <cmath>
#include <limits>

#include "numerics/bracketed_newton.h"

namespace brimwater::state {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The inverse pairs iterate until the residual is at the last few bits of the value (of 1 kJ/kg or
// 1 kJ/(kg K) near zero), or the Newton step is, which leaves them well inside the 1e-9 they promise.
constexpr double kRelativeTolerance = 1e-14;

double Tolerance(double target) { return kRelativeTolerance * std::fmax(std::fabs(target), 1.0); }

bool Finite(const Properties& p) {
  return std::isfinite(p.T) && std::isfinite(p.P) && std::isfinite(p.v) && std::isfinite(p.h) &&
         std::isfinite(p.s);
}

State Make(const Properties& p, Phase phase, int region, double x, Status status) {
  return {p.T, p.P, p.v, p.rho, p.h, p.s, p.u, p.cp, p.cv, p.w, x, phase, region, status};
}

Status RangeStatus(const Formulation& f, double T, double P) {
  return f.in_range(T, P) ? Status::Ok : Status::Extrapolated;
}

State SinglePhaseState(const Formulation& f, const PhaseState& ps) {
  if (!Finite(ps.props)) return Failed(Status::NoSolution);
  return Make(ps.props, ps.phase, ps.region, kNaN, RangeStatus(f, ps.props.T, ps.props.P));
}

// The saturated states mixed at quality x, reported at pressure P (the input pressure of (P, .) pairs, the
// saturation pressure otherwise). Quality 0 and 1 give the saturated phase itself.
State SaturatedState(const Formulation& f, const SaturatedStates& sat, double x, double P) {
  if (!Finite(sat.liquid) || !Finite(sat.vapour)) return Failed(Status::NoSolution);
  const double T = sat.liquid.T;
  const Status status =
      T >= f.lowest_saturation_T && T <= f.critical_T && f.in_range(T, P) ? Status::Ok : Status::Extrapolated;
  State s;
  if (x <= 0.0) {
    s = Make(sat.liquid, Phase::Liquid, sat.liquid_region, 0.0, status);
  } else if (x >= 1.0) {
    s = Make(sat.vapour, Phase::Vapour, sat.vapour_region, 1.0, status);
  } else {
    s = Make(Mixture(sat.liquid, sat.vapour, x), Phase::TwoPhase, f.two_phase_region, x, status);
  }
  s.P = P;
  return s;
}

// Which of the two properties an isobaric search solves for.
enum class Target { Enthalpy, Entropy };

double Value(const Properties& p, Target t) { return t == Target::Enthalpy ? p.h : p.s; }
// d(h)/dT = cp and d(s)/dT = cp / T along an isobar.
double Slope(const Properties& p, Target t) { return t == Target::Enthalpy ? p.cp : p.cp / p.T; }

// An isobaric solution, and where the target lies when there is none in the search range: above what the
// isobar reaches at the highest search temperature (+1) or below what it reaches at the lowest (-1).
struct IsobarSolution {
  State state;
  int beyond;
};

IsobarSolution SolveIsobar(const Formulation& f, double P, double target, Target what) {
  const double tolerance = Tolerance(target);
  double lo = f.search_T_min;
  double hi = f.search_T_max;
  double x = kNaN;
  numerics::ValueSlope fx{kNaN, kNaN};
  PhaseState last{};
  const auto residual = [&](double T) {
    last = f.single_phase(T, P);
    return numerics::ValueSlope{Value(last.props, what) - target, Slope(last.props, what)};
  };
  bool check_lo = true;
  bool check_hi = true;
  if (P < f.critical_P) {
    const double Ts = f.sat_temperature(P);
    if (std::isfinite(Ts)) {
      const SaturatedStates sat = f.saturated(Ts);
      const double liquid = Value(sat.liquid, what);
      const double vapour = Value(sat.vapour, what);
      if (!std::isfinite(liquid) || !std::isfinite(vapour)) return {Failed(Status::NoSolution), 0};
      if (target >= liquid && target <= vapour) {
        const double quality = vapour > liquid ? (target - liquid) / (vapour - liquid) : 0.0;
        return {SaturatedState(f, sat, quality, P), 0};
      }
      // Start from the saturated phase on the target's side, where the isobar's curvature keeps Newton steps
      // on that side of the root.
      const Properties& edge = target > vapour ? sat.vapour : sat.liquid;
      x = Ts;
      fx = {Value(edge, what) - target, Slope(edge, what)};
      if (target > vapour) {
        lo = Ts;
        check_lo = false;
      } else {
        hi = Ts;
        check_hi = false;
      }
    }
  }
  if (check_lo) {
    const numerics::ValueSlope f_lo = residual(lo);
    if (f_lo.value > 0.0) return {Failed(Status::NoSolution), -1};
    if (!(f_lo.value <= 0.0)) return {Failed(Status::NoSolution), 0};
    if (!check_hi || !std::isfinite(x)) {
      x = lo;
      fx = f_lo;
    }
  }
  if (check_hi) {
    const numerics::ValueSlope f_hi = residual(hi);
    if (f_hi.value < 0.0) return {Failed(Status::NoSolution), +1};
    if (!(f_hi.value >= 0.0)) return {Failed(Status::NoSolution), 0};
    if (!std::isfinite(x) || std::fabs(f_hi.value) < std::fabs(fx.value)) {
      x = hi;
      fx = f_hi;
    }
  }
  const double T = numerics::BracketedNewton(residual, lo, hi, x, fx, tolerance);
  if (!(last.props.T == T)) last = f.single_phase(T, P);
  return {SinglePhaseState(f, last), 0};
}

bool Positive(double x) { return x > 0.0 && std::isfinite(x); }

}  // namespace

State Failed(Status status) {
  return {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, Phase::Unknown, 0, status};
}

State SolveTP(const Formulation& f, double T, double P) {
  if (!Positive(T) || !Positive(P)) return Failed(Status::InvalidArgument);
  return SinglePhaseState(f, f.single_phase(T, P));
}

State SolvePH(const Formulation& f, double P, double h) {
  if (!Positive(P) || !std::isfinite(h)) return Failed(Status::InvalidArgument);
  return SolveIsobar(f, P, h, Target::Enthalpy).state;
}

State SolvePS(const Formulation& f, double P, double s) {
  if (!Positive(P) || !std::isfinite(s)) return Failed(Status::InvalidArgument);
  return SolveIsobar(f, P, s, Target::Entropy).state;
}

State SolveHS(const Formulation& f, double h, double s) {
  if (!std::isfinite(h) || !std::isfinite(s)) return Failed(Status::InvalidArgument);
  // h rises with P along an isentrope: (dh/dP)_s = v > 0.
  State last = Failed(Status::NoSolution);
  double last_ln_P = kNaN;
  const auto residual = [&](double ln_P) {
    const double P = std::exp(ln_P);
    last_ln_P = ln_P;
    const IsobarSolution solution = SolveIsobar(f, P, s, Target::Entropy);
    last = solution.state;
    if (std::isfinite(last.h)) return numerics::ValueSlope{last.h - h, P * last.v};
    // No state of this entropy on the isobar: s lies above it where P is too high, below where too low.
    return numerics::ValueSlope{solution.beyond > 0 ? std::numeric_limits<double>::infinity()
                                                    : -std::numeric_limits<double>::infinity(),
                                kNaN};
  };
  double lo = std::log(f.search_P_min);
  double hi = std::log(f.search_P_max);
  const numerics::ValueSlope f_lo = residual(lo);
  if (!(f_lo.value <= 0.0)) return Failed(Status::NoSolution);
  const numerics::ValueSlope f_hi = residual(hi);
  if (!(f_hi.value >= 0.0)) return Failed(Status::NoSolution);
  numerics::ValueSlope fx = std::fabs(f_lo.value) < std::fabs(f_hi.value) ? f_lo : f_hi;
  double x = std::fabs(f_lo.value) < std::fabs(f_hi.value) ? lo : hi;
  const double ln_P = numerics::BracketedNewton(residual, lo, hi, x, fx, Tolerance(h));
  if (!(last_ln_P == ln_P)) residual(ln_P);
  if (!std::isfinite(last.h)) return Failed(Status::NoSolution);
  return last;
}

State SolveTX(const Formulation& f, double T, double x) {
  if (!Positive(T) || !(x >= 0.0 && x <= 1.0)) return Failed(Status::InvalidArgument);
  if (T > f.critical_T) return Failed(Status::NoSolution);
  const SaturatedStates sat = f.saturated(T);
  return SaturatedState(f, sat, x, sat.liquid.P);
}

State SolvePX(const Formulation& f, double P, double x) {
  if (!Positive(P) || !(x >= 0.0 && x <= 1.0)) return Failed(Status::InvalidArgument);
  if (P > f.critical_P) return Failed(Status::NoSolution);
  const double Ts = f.sat_temperature(P);
  if (!std::isfinite(Ts)) return Failed(Status::NoSolution);
  return SaturatedState(f, f.saturated(Ts), x, P);
}

}  // namespace brimwater::state
