// The pair solvers. (T, P) is one evaluation. (P, h) and (P, s) first test for a two-phase state against the
// formulation's own saturated states at the saturation temperature of P, so that results are continuous
// across the saturation line, and otherwise solve h(T, P) = h or s(T, P) = s for T on the liquid or vapour
// side of the saturation temperature (or over the whole search range above the critical pressure) by
// bracketed Newton steps with the slopes cp and cp / T, until the residual is at the last few bits. (h, s)
// takes Newton steps in (T, P) on the single-phase surface, each one evaluation of the formulation, and keeps
// the state only if the saturated states at its pressure agree that it is single-phase; where the steps
// alternate between liquid and vapour it takes Newton steps in T along the saturation line for a mixture;
// where neither finds the state it solves h(P, s) = h for P by bracketed Newton steps with the slope
// (dh/dP)_s = v, each point a (P, s) solution. (T, x) and (P, x) mix the saturated phases by the lever rule.
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
// Where the search on the isentrope starts.
constexpr double kStartPressure = 1.0;  // MPa

// The precision the inverse pairs promise, relative to max(|h|, 1 kJ/kg) or max(|s|, 1 kJ/(kg K)). It is
// also how close to a saturated phase's h or s a target of (P, h) or (P, s) just outside the two-phase range
// may be for that saturated phase to stand for it.
constexpr double kPromised = 1e-9;
// A (T, P) state that misses the target of (P, h) or (P, s) by more than this, relative, is beyond the
// rounding noise of every formulation's h and s (about 1e-11 at most) and has met the critical point's
// ill-conditioning. Well inside the promise, so that (h, s), which solves (P, s) along an isentrope, keeps
// its own promise across the switch.
constexpr double kNearCritical = 1e-10;
// Where the steps on a Helmholtz-energy equation start above the critical pressure: at the critical
// temperature, just above water's critical density (322 kg/m3, IAPWS R2-83), since IAPWS-95's non-analytic
// terms are singular at its critical point itself. Each formulation's critical density lies within a few per
// cent of it.
constexpr double kCriticalStartDensity = 0.33;  // g/cm3

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

// On a Helmholtz-energy equation a(T, rho) an isobaric search need not solve a density at each temperature:
// Newton steps in (T, rho) on p(T, rho) = P and h(T, rho) = h (or s = s) take one evaluation of the equation
// each, from a state (T, rho) on the isobar. With p = rho^2 a_rho, s = -a_T, h = a - T a_T + rho a_rho:
//   p_T = rho^2 a_Trho,  p_rho = 2 rho a_rho + rho^2 a_rhorho,
//   h_T = -T a_TT + rho a_Trho,  h_rho = 2 a_rho + rho a_rhorho - T a_Trho,  s_T = -a_TT,  s_rho = -a_Trho.
// Returns the (T, rho) they converge to with T inside [lo, hi], or NaN where they leave it by more than
// rounding, leave the rising part of the isotherm or do not converge within a few steps. The result starts
// the search in T, which confirms the root on the formulation's own (T, P) states.
struct EquationRoot {
  double T;
  double rho;
};

EquationRoot RootOnEquation(const Formulation& f, double P, double target, Target what, double T, double rho,
                            double lo, double hi) {
  constexpr EquationRoot kNone{kNaN, kNaN};
  constexpr int kMaxSteps = 16;
  // Newton steps converge quadratically here: after a step of this relative size the next would be at the
  // last bits, and the search in T takes it on the (T, P) states.
  constexpr double kConverged = 1e-9;  // relative step in T and rho
  for (int i = 0; i < kMaxSteps; ++i) {
    const numerics::HelmholtzPoint e = f.density_equation(T, rho);
    const double p_T = rho * rho * e.a_Trho;
    const double p_rho = 2.0 * rho * e.a_rho + rho * rho * e.a_rhorho;
    const bool enthalpy = what == Target::Enthalpy;
    const double y = enthalpy ? e.a - T * e.a_T + rho * e.a_rho : -e.a_T;
    const double y_T = enthalpy ? -T * e.a_TT + rho * e.a_Trho : -e.a_TT;
    const double y_rho = enthalpy ? 2.0 * e.a_rho + rho * e.a_rhorho - T * e.a_Trho : -e.a_Trho;
    const double r_p = rho * rho * e.a_rho - P;
    const double r_y = y - target;
    const double det = p_T * y_rho - p_rho * y_T;
    // The isotherm must rise (it is flat, to rounding, at the critical point), except at the start, which may
    // be next to the critical point.
    if (!(i == 0 || p_rho > -kConverged * P / rho) || !std::isfinite(det) || det == 0.0) return kNone;
    double dT = (p_rho * r_y - y_rho * r_p) / det;
    double drho = (y_T * r_p - p_T * r_y) / det;
    // No step more than halves or doubles the density.
    double scale = 1.0;
    if (rho + drho < 0.5 * rho) scale = -0.5 * rho / drho;
    if (rho + drho > 2.0 * rho) scale = rho / drho;
    dT *= scale;
    drho *= scale;
    T += dT;
    rho += drho;
    if (!(T >= lo && T <= hi)) {
      // A step out of the search interval by more than rounding has left the branch the search is on.
      if (!(T >= lo - kConverged * lo && T <= hi + kConverged * hi)) return kNone;
      T = std::fmin(std::fmax(T, lo), hi);
    }
    if (std::fabs(dT) <= kConverged * T && std::fabs(drho) <= kConverged * rho) return {T, rho};
  }
  return kNone;
}

// |value - target| <= relative max(|target|, 1): h in kJ/kg, s in kJ/(kg K).
bool Within(double value, double target, double relative) {
  return std::fabs(value - target) <= relative * std::fmax(std::fabs(target), 1.0);
}

// Within the precision the inverse pairs promise.
bool AsPromised(double value, double target) { return Within(value, target, kPromised); }

// Above the critical pressure and temperature an equation's isotherm rises through every density, so the
// root of the steps on it, where it meets P and the target to the last bits, is the formulation's (T, P)
// state itself, provided it lies in the equation's region: no density solve need confirm it. Region -1 where
// that does not hold (the search in T then confirms the root on the (T, P) states).
PhaseState SupercriticalOnEquation(const Formulation& f, double P, double target, Target what,
                                   EquationRoot root) {
  constexpr PhaseState kNotHere{{}, Phase::Unknown, -1};
  // The pressure residual at the last bits of the density (the steps stop at a relative step of 1e-9 and
  // converge quadratically).
  constexpr double kPressureResidual = 1e-13;
  if (!(root.T >= f.critical_T)) return kNotHere;
  if (f.in_equation_region != nullptr && !f.in_equation_region(root.T, P)) return kNotHere;
  Properties props = FromHelmholtz(f.density_equation(root.T, root.rho));
  if (!Within(Value(props, what), target, f.residual_tolerance) || !Within(props.P, P, kPressureResidual) ||
      !(props.drho_dP > 0.0)) {
    return kNotHere;
  }
  props.P = P;
  return {props, Phase::Supercritical, f.density_equation_region};
}

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
  // The saturated phase on the target's side, when the target lies beyond it (no edge: not below the critical
  // pressure, or no saturation temperature).
  const Properties* edge = nullptr;
  SaturatedStates sat{};
  Phase wanted = Phase::Unknown;
  if (P < f.critical_P) {
    const double Ts = f.sat_temperature(P);
    if (std::isfinite(Ts)) {
      sat = f.saturated(Ts);
      const double liquid = Value(sat.liquid, what);
      const double vapour = Value(sat.vapour, what);
      if (!std::isfinite(liquid) || !std::isfinite(vapour)) return {Failed(Status::NoSolution), 0};
      if (target >= liquid && target <= vapour) {
        const double quality = vapour > liquid ? (target - liquid) / (vapour - liquid) : 0.0;
        return {SaturatedState(f, sat, quality, P, with_transport), 0};
      }
      // Start from the saturated phase on the target's side, where the isobar's curvature keeps Newton steps
      // on that side of the root; the saturation temperature closes the search interval on that side.
      edge = target > vapour ? &sat.vapour : &sat.liquid;
      wanted = target > vapour ? Phase::Vapour : Phase::Liquid;
      x = Ts;
      fx = {Value(*edge, what) - target, Slope(*edge, what)};
      if (target > vapour) {
        range.lo = Ts;
        range.lo_known = true;
      } else {
        range.hi = Ts;
        range.hi_known = true;
      }
    }
  }
  const Properties* start = edge;
  int start_region = edge == nullptr ? 0 : (edge == &sat.vapour ? sat.vapour_region : sat.liquid_region);
  EquationRoot on_equation{kNaN, kNaN};
  if (!std::isfinite(x) && P >= f.critical_P && f.density_equation != nullptr) {
    // Above the critical pressure, on a Helmholtz-energy equation: Newton steps in T and rho from beside the
    // critical point, which cost no density solve. (The isotherm is nearly flat there, but the steps' matrix
    // is not singular: its pressure row keeps (dp/dT)_rho.)
    on_equation = RootOnEquation(f, P, target, what, f.critical_T, kCriticalStartDensity, range.lo, range.hi);
    if (std::isfinite(on_equation.T)) {
      const PhaseState above = SupercriticalOnEquation(f, P, target, what, on_equation);
      if (above.region >= 0) return {SinglePhaseState(f, above, with_transport), 0};
      x = on_equation.T;
      fx = residual(x);
    }
  }
  if (!std::isfinite(x) || !std::isfinite(fx.value)) {
    // Above the critical pressure (or without a saturation temperature): start at the critical temperature.
    on_equation = {kNaN, kNaN};
    x = f.critical_T;
    fx = residual(x);
    if (!std::isfinite(fx.value)) return {Failed(Status::NoSolution), 0};
    start = &last.props;
    start_region = last.region;
  }
  // Where the start's state comes from a Helmholtz-energy equation, Newton steps in T and rho on it bring the
  // start close to the root for the price of a few evaluations of the equation, not of density solves.
  if (!std::isfinite(on_equation.T) && f.density_equation != nullptr && start != nullptr &&
      (f.density_equation_region == 0 || start_region == f.density_equation_region)) {
    on_equation = RootOnEquation(f, P, target, what, start->T, start->rho, range.lo, range.hi);
    const double T = on_equation.T;
    if (std::isfinite(T)) {
      const numerics::ValueSlope fT = residual(T);
      if (std::fabs(fT.value) < std::fabs(fx.value)) {
        // The former start still bounds the root on its side.
        if (fx.value < 0.0) {
          range.lo = x;
          range.lo_known = true;
        } else {
          range.hi = x;
          range.hi_known = true;
        }
        x = T;
        fx = fT;
      }
    }
  }
  const double T = numerics::BracketedNewton(residual, range, x, fx, Tolerance(f, target));
  // The target lies beyond what the isobar reaches within the search interval.
  if (T == f.search_T_max && fx.value < 0.0) return {Failed(Status::NoSolution), +1};
  if (T == f.search_T_min && fx.value > 0.0) return {Failed(Status::NoSolution), -1};
  if (!(last.props.T == T)) last = f.single_phase(T, P);
  // A target within rounding of a saturated phase, just outside the two-phase range, puts the root within a
  // few bits of Ts, where the formulation's own choice of phase may give the other phase's equation (liquid
  // a few ulps above Ts). The state is then that saturated phase, to the interface's precision.
  if (edge != nullptr && last.phase != wanted && AsPromised(Value(*edge, what), target)) {
    return {SaturatedState(f, sat, wanted == Phase::Vapour ? 1.0 : 0.0, P, with_transport), 0};
  }
  // Near the critical point (T, P) fixes the density only to a few digits: cp diverges, and the last bit of T
  // spans a range of h and s (up to about 1 kJ/kg of h for IAPWS-95 within 1e-12 of its critical pressure).
  // There the state on the equation at (T, rho), which meets P and h or s, is the state, provided it is the
  // formulation's own (in its region) and, below the critical pressure, on the side of the saturated phase
  // the search wanted (denser than the saturated liquid, or less dense than the saturated vapour: the phase
  // rule at (T, P) cannot tell within rounding of the saturation temperature).
  if (!Within(Value(last.props, what), target, kNearCritical) && std::isfinite(on_equation.T)) {
    const PhaseState at = f.single_phase(on_equation.T, P);
    const bool own_region = f.density_equation_region == 0 || at.region == f.density_equation_region;
    const bool wanted_side = edge == nullptr || (wanted == Phase::Liquid ? on_equation.rho >= edge->rho
                                                                         : on_equation.rho <= edge->rho);
    if (own_region && wanted_side) {
      Properties props = FromHelmholtz(f.density_equation(on_equation.T, on_equation.rho));
      if (Within(Value(props, what), target, kNearCritical) && Within(props.P, P, kNearCritical)) {
        props.P = P;
        const Phase phase = edge == nullptr ? at.phase : wanted;
        return {SinglePhaseState(f, {props, phase, at.region}, with_transport), 0};
      }
    }
  }
  return {SinglePhaseState(f, last, with_transport), 0};
}

// ---- (h, s) ----------------------------------------------------------------------------------------------

// A start for (h, s) far from the critical point. Below about water's critical entropy a liquid of constant
// cp and unit volume from the triple point: T from s, then P from h, kept above a Clausius-Clapeyron estimate
// of the saturation pressure so that the start is on the liquid side. Above it an ideal gas of constant cp
// from the saturated vapour at the triple point. Within a few Newton steps of most states of every
// formulation; the solver does not depend on it.
constexpr double kCriticalEntropy = 4.41;  // kJ/(kg K), about water's
constexpr double kCriticalT = 647.1;       // K, about water's
constexpr double kCriticalP = 22.06;       // MPa, about water's
constexpr double kTripleT = 273.16;        // K
constexpr double kTripleP = 611.657e-6;    // MPa
constexpr double kTripleVapourH = 2500.9;  // kJ/kg
constexpr double kTripleVapourS = 9.1555;  // kJ/(kg K)
constexpr double kLiquidCp = 4.19;         // kJ/(kg K)
constexpr double kLiquidV = 1.0;           // cm3/g, so that 1 kJ/kg of h is 1 MPa of P
constexpr double kVapourCp = 1.9;          // kJ/(kg K)
constexpr double kGasConstant = 0.461526;  // kJ/(kg K)
// ln(Ps / Pc) = kClapeyronSlope (1 - Tc / T) through the normal boiling point.
constexpr double kClapeyronSlope = 7.33;
constexpr double kLowestStartT = 280.0;         // K
constexpr double kHighestLiquidStartP = 100.0;  // MPa
constexpr double kHighestVapourStartP = 50.0;   // MPa

struct TP {
  double T, P;
};

TP HsStart(double h, double s) {
  if (s < kCriticalEntropy) {
    const double T = kTripleT * std::exp(s / kLiquidCp);
    const double P = (h - kLiquidCp * (T - kTripleT)) / kLiquidV;
    const double Ps = kCriticalP * std::exp(kClapeyronSlope * (1.0 - kCriticalT / T));
    return {T, std::fmin(std::fmax(P, 2.0 * Ps), kHighestLiquidStartP)};
  }
  const double T = std::fmax(kTripleT + (h - kTripleVapourH) / kVapourCp, kLowestStartT);
  // s = s0 + cp ln(T / T0) - R ln(P / P0)
  const double P =
      kTripleP * std::exp((kTripleVapourS + kVapourCp * std::log(T / kTripleT) - s) / kGasConstant);
  return {T, std::fmin(P, kHighestVapourStartP)};
}

// Newton steps in (T, P) on the single-phase surface. With a = (dv/dT)_P, dh = cp dT + (v - T a) dP and
// ds = (cp / T) dT - a dP, so that dh - T ds = v dP gives the pressure step and ds then the temperature
// step. Each step changes P by at most a factor kHsPressureFactor and T by at most kHsTemperatureStep of
// itself, and stays in the search range. It fails where the states alternate between liquid and vapour,
// which is where the target is most likely a two-phase state (its last temperature is then where the search
// along the saturation line starts), and where it does not converge within kHsNewtonSteps evaluations, such
// as at a step in the formulation's equations or near the critical point.
constexpr int kHsNewtonSteps = 16;
constexpr double kHsPressureFactor = 4.0;
constexpr double kHsTemperatureStep = 0.3;
// Where the steps have reached the last bits of T and P the residual is the equations' rounding noise; such
// a state is accepted if its residual is this far inside the 1e-9 the solvers promise.
constexpr double kHsNoise = 1e-11;

// Whether a residual is within that noise of the target's value (of 1 kJ/kg or 1 kJ/(kg K) near zero).
bool WithinNoise(double residual, double target) {
  return std::fabs(residual) <= kHsNoise * std::fmax(std::fabs(target), 1.0);
}

struct HsNewtonResult {
  PhaseState state;
  bool converged;
  bool two_phase;  // the steps alternated between liquid and vapour
  double last_T;   // the last temperature evaluated
};

HsNewtonResult HsNewton(const Formulation& f, double h, double s, TP at) {
  constexpr double kLastBits = 8.0 * std::numeric_limits<double>::epsilon();
  const double tolerance_h = Tolerance(f, h);
  const double tolerance_s = Tolerance(f, s);
  double T = std::fmin(std::fmax(at.T, f.search_T_min), f.search_T_max);
  double P = std::fmin(std::fmax(at.P, f.search_P_min), f.search_P_max);
  Phase previous = Phase::Unknown;
  int alternations = 0;
  for (int i = 0; i < kHsNewtonSteps; ++i) {
    const PhaseState state = f.single_phase(T, P);
    const Properties& p = state.props;
    if (!Finite(p) || !(p.cp > 0.0) || !std::isfinite(p.dv_dT)) break;
    const double dh = h - p.h;
    const double ds = s - p.s;
    if (std::fabs(dh) <= tolerance_h && std::fabs(ds) <= tolerance_s) return {state, true, false, T};
    if ((state.phase == Phase::Liquid && previous == Phase::Vapour) ||
        (state.phase == Phase::Vapour && previous == Phase::Liquid)) {
      if (++alternations == 2) return {PhaseState{}, false, true, T};
    }
    previous = state.phase;
    const double dP = (dh - T * ds) / p.v;
    const double dT = T * (ds + p.dv_dT * dP) / p.cp;
    if (std::fabs(dP) <= kLastBits * P && std::fabs(dT) <= kLastBits * T) {
      return {state, WithinNoise(dh, h) && WithinNoise(ds, s), false, T};
    }
    P = std::fmin(std::fmax(P + dP, P / kHsPressureFactor), P * kHsPressureFactor);
    P = std::fmin(std::fmax(P, f.search_P_min), f.search_P_max);
    T += std::fmin(std::fmax(dT, -kHsTemperatureStep * T), kHsTemperatureStep * T);
    T = std::fmin(std::fmax(T, f.search_T_min), f.search_T_max);
  }
  return {PhaseState{}, false, false, T};
}

// Whether a single-phase state of entropy s is the state the isobar at its pressure gives: the formulation's
// saturated states there (as SolveIsobar tests them) put s outside the two-phase range, on the state's side.
// Within the noise of s of a saturated phase the state is that phase itself (the isobar's mixture would have
// a quality within a few ulps of 0 or 1), if it is on that phase's side.
bool ConfirmedSinglePhase(const Formulation& f, const PhaseState& state, double s) {
  const double P = state.props.P;
  if (!(P < f.critical_P)) return true;
  const double Ts = f.sat_temperature(P);
  if (!std::isfinite(Ts)) return true;
  const SaturatedStates sat = f.saturated(Ts);
  if (WithinNoise(s - sat.liquid.s, s)) return state.phase == Phase::Liquid;
  if (WithinNoise(s - sat.vapour.s, s)) return state.phase == Phase::Vapour;
  if (s < sat.liquid.s) return state.props.T <= Ts;
  if (s > sat.vapour.s) return state.props.T >= Ts;
  return false;
}

// A two-phase state of (h, s): at constant s in the two-phase range h rises with the saturation
// temperature, (dh/dT)_s = v dPs/dT = v (s'' - s') / (v'' - v') (Clausius-Clapeyron) with v the mixture's,
// so Newton steps in T, each a pair of saturated states. NoSolution where the root is not a mixture
// (quality outside [0, 1]) or there is none below the critical temperature.
State SolveTwoPhaseHS(const Formulation& f, double h, double s, double T_start) {
  SaturatedStates sat{};
  double last_T = kNaN;
  double quality = kNaN;
  const auto residual = [&](double T) {
    last_T = T;
    sat = f.saturated(T);
    const Properties& l = sat.liquid;
    const Properties& g = sat.vapour;
    quality = (s - l.s) / (g.s - l.s);
    const double v = l.v + quality * (g.v - l.v);
    return numerics::ValueSlope{l.h + quality * (g.h - l.h) - h, v * (g.s - l.s) / (g.v - l.v)};
  };
  const double T_min = f.search_T_min;
  const double T_max = f.critical_T;
  double T = std::fmin(std::fmax(T_start, T_min), T_max);
  numerics::ValueSlope fx = residual(T);
  if (!std::isfinite(fx.value)) return Failed(Status::NoSolution);
  const double T_solved = numerics::BracketedNewton(residual, {T_min, T_max}, T, fx, Tolerance(f, h));
  if (!(last_T == T_solved)) fx = residual(T_solved);
  if (!WithinNoise(fx.value, h)) return Failed(Status::NoSolution);
  if (quality >= 0.0 && quality <= 1.0) return SaturatedState(f, sat, quality, sat.liquid.P);
  // A saturated phase itself gives a quality a few ulps outside [0, 1]: that phase, if its h and s are the
  // targets to the noise.
  const Properties& phase = quality < 0.0 ? sat.liquid : sat.vapour;
  if (WithinNoise(phase.h - h, h) && WithinNoise(phase.s - s, s)) {
    return SaturatedState(f, sat, quality < 0.0 ? 0.0 : 1.0, sat.liquid.P);
  }
  return Failed(Status::NoSolution);
}

// (h, s) on the isentrope: h rises with P at constant s, (dh/dP)_s = v > 0, so Newton steps in P from
// kStartPressure, nearly linear for a liquid, each point a (P, s) solution, which makes two-phase states and
// the saturation line no special case. Where the steps end in a step of h(P) rather than at a root, the state
// on the boundary is the answer if a state lies beyond it (a gap between two regions' equations), and there
// is none if no state of this entropy does (the isobar's search range ends there).
State SolveOnIsentrope(const Formulation& f, double h, double s) {
  constexpr double kBeyond = 16.0 * std::numeric_limits<double>::epsilon();
  constexpr double kPromise = 1e-9;  // the inverse pairs' residual, relative
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
  if (!(std::fabs(fx.value) <= kPromise * std::fmax(std::fabs(h), 1.0))) {
    // Of the two sides of the step, the state nearer the target.
    const State solution = last;
    const double beyond = fx.value > 0.0 ? P_solved * (1.0 - kBeyond) : P_solved * (1.0 + kBeyond);
    const numerics::ValueSlope f_beyond = residual(beyond);
    if (!std::isfinite(f_beyond.value)) return Failed(Status::NoSolution);
    if (!(std::fabs(f_beyond.value) < std::fabs(fx.value))) {
      last = solution;
      last_P = P_solved;
    }
  }
  // The transport properties of the solution alone, not of every isobar tried on the way: a mixture needs
  // only its temperature; any other state is the isobar's solution once more (near the critical point that is
  // the equation's state at (T, rho), not the one at (T, P)).
  if (last.phase == Phase::TwoPhase) {
    AddMixtureTransport(f, last);
    return last;
  }
  return SolveIsobar(f, last_P, s, Target::Entropy).state;
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

// (h, s): Newton steps in (T, P) for a single-phase state, confirmed against the saturated states at its
// pressure; where they find none, Newton steps along the saturation line for a two-phase state; where
// neither succeeds (at a step in the formulation's equations, beyond its saturation line, or where no state
// has h and s), the search on the isentrope, which handles every case.
State SolveHS(const Formulation& f, double h, double s) {
  if (!std::isfinite(h) || !std::isfinite(s)) return Failed(Status::InvalidArgument);
  const HsNewtonResult single = HsNewton(f, h, s, HsStart(h, s));
  if (single.converged && ConfirmedSinglePhase(f, single.state, s)) return SinglePhaseState(f, single.state);
  if (single.two_phase) {
    const State mixture = SolveTwoPhaseHS(f, h, s, single.last_T);
    if (mixture.status != Status::NoSolution) return mixture;
  }
  return SolveOnIsentrope(f, h, s);
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
