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
#include "state/transport.h"

namespace brimwater::state {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The inverse pairs iterate until the residual is at the last few bits of the value (of 1 kJ/kg or
// 1 kJ/(kg K) near zero) that the formulation's equations carry, or the Newton step is, which leaves them
// well inside the 1e-9 they promise.
// Where the (h, s) search starts: 1 MPa, within a few Newton steps of most engineering states.
constexpr double kStartPressure = 1.0;  // MPa

double Tolerance(const Formulation& f, double target) {
  return f.residual_tolerance * std::fmax(std::fabs(target), 1.0);
}

// A state the formulation can stand behind: finite, with a positive volume. (Far outside its range an
// equation extrapolated can give a negative volume, as IAPWS-IF97's region 2 does above 1000 K and a few
// hundred MPa; that is no state at all.)
bool Finite(const Properties& p) {
  return std::isfinite(p.T) && std::isfinite(p.P) && std::isfinite(p.v) && std::isfinite(p.h) &&
         std::isfinite(p.s) && p.v > 0.0;
}

State Make(const Properties& p, Phase phase, int region, double x, Status status) {
  return {p.T,
          p.P,
          p.v,
          p.rho,
          p.h,
          p.s,
          p.u,
          p.cp,
          p.cv,
          p.w,
          x,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          phase,
          region,
          status,
          TransportForm::None,
          Status::NoSolution};
}

Status RangeStatus(const Formulation& f, double T, double P) {
  return f.in_range(T, P) ? Status::Ok : Status::Extrapolated;
}

// A state and, unless the caller is only trying it on the way to another (with_transport false), its
// transport properties.
State SinglePhaseState(const Formulation& f, const PhaseState& ps, bool with_transport = true) {
  if (!Finite(ps.props)) return Failed(Status::NoSolution);
  State s = Make(ps.props, ps.phase, ps.region, kNaN, RangeStatus(f, ps.props.T, ps.props.P));
  if (with_transport) AddTransport(f, ps.props, s);
  return s;
}

// The saturated states mixed at quality x, reported at pressure P (the input pressure of (P, .) pairs, the
// saturation pressure otherwise). Quality 0 and 1 give the saturated phase itself.
State SaturatedState(const Formulation& f, const SaturatedStates& sat, double x, double P,
                     bool with_transport = true) {
  if (!Finite(sat.liquid) || !Finite(sat.vapour)) return Failed(Status::NoSolution);
  const double T = sat.liquid.T;
  const Status status =
      T >= f.lowest_saturation_T && T <= f.critical_T && f.in_range(T, P) ? Status::Ok : Status::Extrapolated;
  State s;
  if (x <= 0.0) {
    s = Make(sat.liquid, Phase::Liquid, sat.liquid_region, 0.0, status);
    if (with_transport) AddSaturatedTransport(f, sat.liquid, s);
  } else if (x >= 1.0) {
    s = Make(sat.vapour, Phase::Vapour, sat.vapour_region, 1.0, status);
    if (with_transport) AddSaturatedTransport(f, sat.vapour, s);
  } else {
    s = Make(Mixture(sat.liquid, sat.vapour, x), Phase::TwoPhase, f.two_phase_region, x, status);
    if (with_transport) AddMixtureTransport(f, s);
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

IsobarSolution SolveIsobar(const Formulation& f, double P, double target, Target what,
                           bool with_transport = true) {
  numerics::Interval range{f.search_T_min, f.search_T_max};
  double x = kNaN;
  numerics::ValueSlope fx{kNaN, kNaN};
  PhaseState last{};
  const auto residual = [&](double T) {
    last = f.single_phase(T, P);
    return numerics::ValueSlope{Value(last.props, what) - target, Slope(last.props, what)};
  };
  if (P < f.critical_P) {
    const double Ts = f.sat_temperature(P);
    if (std::isfinite(Ts)) {
      const SaturatedStates sat = f.saturated(Ts);
      const double liquid = Value(sat.liquid, what);
      const double vapour = Value(sat.vapour, what);
      if (!std::isfinite(liquid) || !std::isfinite(vapour)) return {Failed(Status::NoSolution), 0};
      if (target >= liquid && target <= vapour) {
        const double quality = vapour > liquid ? (target - liquid) / (vapour - liquid) : 0.0;
        return {SaturatedState(f, sat, quality, P, with_transport), 0};
      }
      // Start from the saturated phase on the target's side, where the isobar's curvature keeps Newton steps
      // on that side of the root; the saturation temperature closes the search interval on that side.
      const Properties& edge = target > vapour ? sat.vapour : sat.liquid;
      x = Ts;
      fx = {Value(edge, what) - target, Slope(edge, what)};
      if (target > vapour) {
        range.lo = Ts;
        range.lo_known = true;
      } else {
        range.hi = Ts;
        range.hi_known = true;
      }
    }
  }
  if (!std::isfinite(x)) {
    // Above the critical pressure (or without a saturation temperature): start at the critical temperature.
    x = f.critical_T;
    fx = residual(x);
    if (!std::isfinite(fx.value)) return {Failed(Status::NoSolution), 0};
  }
  const double T = numerics::BracketedNewton(residual, range, x, fx, Tolerance(f, target));
  // The target lies beyond what the isobar reaches within the search interval.
  if (T == f.search_T_max && fx.value < 0.0) return {Failed(Status::NoSolution), +1};
  if (T == f.search_T_min && fx.value > 0.0) return {Failed(Status::NoSolution), -1};
  if (!(last.props.T == T)) last = f.single_phase(T, P);
  return {SinglePhaseState(f, last, with_transport), 0};
}

bool Positive(double x) { return x > 0.0 && std::isfinite(x); }

}  // namespace

State Failed(Status status) {
  return {kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          kNaN,
          Phase::Unknown,
          0,
          status,
          TransportForm::None,
          Status::NoSolution};
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
  // h rises with P along an isentrope, (dh/dP)_s = v > 0: Newton steps in P, nearly linear for a liquid.
  State last = Failed(Status::NoSolution);
  double last_P = kNaN;
  const auto residual = [&](double P) {
    last_P = P;
    const IsobarSolution solution = SolveIsobar(f, P, s, Target::Entropy, false);
    last = solution.state;
    if (std::isfinite(last.h)) return numerics::ValueSlope{last.h - h, last.v};
    // No state of this entropy on the isobar: s lies above it where P is too high, below where too low.
    return numerics::ValueSlope{solution.beyond > 0 ? std::numeric_limits<double>::infinity()
                                                    : -std::numeric_limits<double>::infinity(),
                                kNaN};
  };
  double P = kStartPressure;
  numerics::ValueSlope fx = residual(P);
  const double P_solved =
      numerics::BracketedNewton(residual, {f.search_P_min, f.search_P_max}, P, fx, Tolerance(f, h));
  if (!(last_P == P_solved)) fx = residual(P_solved);
  if (!std::isfinite(last.h) || (P_solved == f.search_P_min && fx.value > 0.0) ||
      (P_solved == f.search_P_max && fx.value < 0.0)) {
    return Failed(Status::NoSolution);
  }
  // The transport properties of the solution alone, not of every isobar tried on the way: a mixture needs
  // only its temperature, a single-phase state is the formulation's at its (T, P) once more, bit for bit, and
  // a saturated phase (quality exactly 0 or 1) is the isobar's solution once more.
  if (last.phase == Phase::TwoPhase) {
    AddMixtureTransport(f, last);
    return last;
  }
  if (std::isnan(last.x)) return SinglePhaseState(f, f.single_phase(last.T, P_solved));
  return SolveIsobar(f, P_solved, s, Target::Entropy).state;
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
