// NBS/NRC 1984 saturation line: the auxiliary vapour-pressure curve that accompanies the 1984 equation of
// state, not a phase-equilibrium solution of that equation, and its inverse by bisection.
#include <array>
#include <cmath>
#include <limits>

#include "nbs84/nbs84.h"
#include "numerics/bisection.h"

namespace brimwater::nbs84 {
namespace {

// The curve's own reference temperature. It lies above the clamp at 647.126 K, so the curve ends at
// 22.0218 MPa just below the clamp and the saturation pressure steps to 22.055 MPa there.
constexpr double kCurveTemperature = 647.25;  // K

// Vapour-pressure coefficients a1 to a8 of ln(P/pc) = (W/V) sum a_i W^((i-1)/2), V = T/647.25, W = |1 - V|.
constexpr std::array<double, 8> kA = {
    {-7.8889166, 2.5514255, -6.716169, 33.239495, -105.38479, 174.35319, -148.39348, 48.631602}};

}  // namespace

double SatPressure(double T) {
  if (T <= kTriplePointTemperature) return kTriplePointPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  const double V = T / kCurveTemperature;
  const double W = std::fabs(1.0 - V);
  const double w = std::sqrt(W);
  double sum = kA[7];
  for (std::size_t i = 7; i-- > 0;) sum = sum * w + kA[i];
  return kCriticalPressure * std::exp(sum * W / V);
}

double SatTemperature(double P) {
  // Between 22.0218 MPa and 22.055 MPa the curve has no root below the clamp and the bisection closes on
  // its upper end, 647.126 K.
  return numerics::SatTemperatureByBisection<SatPressure>(P, kTriplePointTemperature, kTriplePointPressure,
                                                          kCriticalTemperature, kCriticalPressure);
}

}  // namespace brimwater::nbs84

// ---- The equation's own saturated states, for the state interface ---------------------------------------
namespace brimwater::nbs84 {
namespace {

constexpr double kTc = kEquationCriticalTemperature;
constexpr double kRhoc = kEquationCriticalDensity;
constexpr double kPc = kEquationCriticalPressure;

// Start values, fitted to this equation's phase equilibrium from 250 K to its critical point (regression
// fits of the product's own results; they only need to place the Newton steps within reach):
//   ln(P/pc) = (Tc/T) sum c_i eps^e_i, eps = 1 - T/Tc, within 4e-4 in ln P;
constexpr std::array<double, 5> kPressureFit = {-7.910132862452424, 2.553040543950083, -2.4889468030606747,
                                                3.407884111907589, -5.486554919851192};
//   within 0.2 K of Tc, rho = rhoc (1 + a1 sqrt(eps) + a2 eps), within 1 % of rho - rhoc.
constexpr double kNearCriticalEpsilon = 3e-4;
constexpr double kLiquidNear1 = 5.395452328453956;
constexpr double kLiquidNear2 = 26.3119748291027;
constexpr double kVapourNear1 = -5.424053299883954;
constexpr double kVapourNear2 = 23.156370438010388;

// Below the critical region the starts are the roots of the branches at the estimated saturation pressure
// moved outward by this much, which leaves each on its own side of the equilibrium density.
constexpr double kStartPressureMargin = 1e-3;  // relative

// Within 0.1 mK of Tc the equilibrium's densities are no longer resolved from the noise of the Gibbs
// energies (the Newton matrix vanishes there as T approaches Tc).
constexpr double kCriticalBlend = 1e-4;  // K
// The saturation pressure falls by 0.27 MPa/K there: pressures farther than this below pc are not within it.
constexpr double kBlendPressureBound = 1e-3;  // MPa

constexpr int kEquilibriumSteps = 12;
// A result the equilibrium's step test did not accept is kept when both conditions hold to this relative
// residual (at the critical point the steps stall on the noise before they reach the last bits).
constexpr double kEquilibriumResidual = 1e-11;
constexpr int kTemperatureSteps = 16;
constexpr double kEps = std::numeric_limits<double>::epsilon();

const numerics::Coexistence kNoCoexistence = {std::numeric_limits<double>::quiet_NaN(),
                                              std::numeric_limits<double>::quiet_NaN(),
                                              std::numeric_limits<double>::quiet_NaN(),
                                              false,
                                              {},
                                              {}};

// ln(P/pc) of the fit and its derivative in T.
struct LogPressure {
  double value;
  double slope;  // per K
};

LogPressure LogPressureEstimate(double T) {
  const double eps = 1.0 - T / kTc;
  const double root = std::sqrt(std::fabs(eps));  // the fit is used below Tc; above it, as if below
  const double e = eps;
  // sum c_i eps^e_i with e_i = 1, 1.5, 2, 3, 3.5, and its eps-derivative.
  const double e2 = e * e;
  const double sum = kPressureFit[0] * e + kPressureFit[1] * e * root + kPressureFit[2] * e2 +
                     kPressureFit[3] * e2 * e + kPressureFit[4] * e2 * e * root;
  const double dsum = kPressureFit[0] + 1.5 * kPressureFit[1] * root + 2.0 * kPressureFit[2] * e +
                      3.0 * kPressureFit[3] * e2 + 3.5 * kPressureFit[4] * e2 * root;
  // d eps / dT = -1/Tc, d(Tc/T)/dT = -Tc/T^2.
  const double ratio = kTc / T;
  return {ratio * sum, -ratio * sum / T - ratio * dsum / kTc};
}

struct Equilibrium {
  numerics::Coexistence c;
  double s_liquid;  // kJ/(kg K), for the Clausius-Clapeyron slope
  double s_vapour;
};

Equilibrium EquilibriumFrom(const IsothermTerms& iso, double rho_liquid, double rho_vapour) {
  const double T = iso.T;
  const auto point = [&iso](double rho) { return PointOnIsotherm(iso, rho); };
  numerics::Coexistence c = numerics::PhaseEquilibrium(point, rho_liquid, rho_vapour, kEquilibriumSteps);
  if (!(c.rho_liquid > c.rho_vapour) || !(c.rho_vapour > 0.0)) return {kNoCoexistence, 0.0, 0.0};
  const numerics::HelmholtzPoint l = PointOnIsotherm(iso, c.rho_liquid);
  const numerics::HelmholtzPoint v = PointOnIsotherm(iso, c.rho_vapour);
  const double p_l = c.rho_liquid * c.rho_liquid * l.a_rho;
  const double p_v = c.rho_vapour * c.rho_vapour * v.a_rho;
  if (!c.converged) {
    const double g_l = l.a + p_l / c.rho_liquid;
    const double g_v = v.a + p_v / c.rho_vapour;
    const double scale = kGasConstant * T;
    if (!(std::fabs(p_l - p_v) <= kEquilibriumResidual * p_v) ||
        !(std::fabs(g_l - g_v) <= kEquilibriumResidual * scale)) {
      return {kNoCoexistence, 0.0, 0.0};
    }
    c.converged = true;
  }
  // The vapour's pressure: the liquid's carries the cancellation of the residual sums (about 1e-9 MPa at
  // 273 K, where the saturation pressure is 6e-4 MPa).
  c.P = p_v;
  return {c, -l.a_T, -v.a_T};
}

Equilibrium EquilibriumAt(double T) {
  const IsothermTerms iso = MakeIsothermTerms(T);
  const double eps = 1.0 - T / kTc;
  if (eps < kNearCriticalEpsilon) {
    const double root = std::sqrt(eps);
    return EquilibriumFrom(iso, kRhoc * (1.0 + root * (kLiquidNear1 + kLiquidNear2 * root)),
                           kRhoc * (1.0 + root * (kVapourNear1 + kVapourNear2 * root)));
  }
  const double P = SaturationPressureEstimate(T);
  const double liquid = DensityOnBranch(iso, P * (1.0 + kStartPressureMargin), IsothermBranch::Liquid);
  const double vapour = DensityOnBranch(iso, P * (1.0 - kStartPressureMargin), IsothermBranch::Vapour);
  if (!std::isfinite(liquid) || !std::isfinite(vapour)) return {kNoCoexistence, 0.0, 0.0};
  return EquilibriumFrom(iso, liquid, vapour);
}

}  // namespace

double SaturationPressureEstimate(double T) { return kPc * std::exp(LogPressureEstimate(T).value); }

numerics::Coexistence CoexistenceOfT(double T) {
  if (!(T > 0.0) || !(T < kTc)) return kNoCoexistence;
  if (kTc - T >= kCriticalBlend) return EquilibriumAt(T).c;
  // The square-root law through the equilibrium 0.1 mK below Tc.
  numerics::Coexistence c = EquilibriumAt(kTc - kCriticalBlend).c;
  const double fraction = (kTc - T) / kCriticalBlend;
  const double root = std::sqrt(fraction);
  c.P = kPc + (c.P - kPc) * fraction;
  c.rho_liquid = kRhoc + (c.rho_liquid - kRhoc) * root;
  c.rho_vapour = kRhoc + (c.rho_vapour - kRhoc) * root;
  return c;
}

double CoexistenceTemperature(double P) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (!(P > 0.0) || !(P <= kPc)) return nan;
  if (P == kPc) return kTc;
  if (P > kPc - kBlendPressureBound) {
    const Equilibrium blend = EquilibriumAt(kTc - kCriticalBlend);
    if (!std::isfinite(blend.c.P)) return nan;
    if (P >= blend.c.P) return kTc - kCriticalBlend * (kPc - P) / (kPc - blend.c.P);
  }

  // The fit's inverse: ln(P/pc) ~ c1 eps / (1 - eps) gives the start, Newton steps on the fit the rest.
  const double target = std::log(P / kPc);
  const double q = target / kPressureFit[0];
  double T = kTc / (1.0 + q);
  for (int i = 0; i < kTemperatureSteps; ++i) {
    const LogPressure f = LogPressureEstimate(T);
    const double step = (f.value - target) / f.slope;
    T = std::fmin(T - step, 0.5 * (T + kTc - kCriticalBlend));
    if (!(std::fabs(step) > 1e-9 * T)) break;
  }
  // Newton steps on the equilibrium itself, with (d ln P / dT) = (s'' - s') / ((v'' - v') P), each
  // equilibrium started from the last one's densities.
  Equilibrium e = EquilibriumAt(T);
  double previous_step = std::numeric_limits<double>::infinity();
  for (int i = 0; i < kTemperatureSteps && std::isfinite(e.c.P); ++i) {
    const double slope = (e.s_vapour - e.s_liquid) / ((1.0 / e.c.rho_vapour - 1.0 / e.c.rho_liquid) * e.c.P);
    const double step = std::log(e.c.P / P) / slope;
    if (!std::isfinite(step)) return nan;
    // Stop at the last bits of T, or where the step no longer halves (the noise of ln P).
    if (std::fabs(step) <= 4.0 * kEps * T ||
        (std::fabs(step) > 0.5 * previous_step && std::fabs(step) < 1e-9 * T)) {
      return T;
    }
    previous_step = std::fabs(step);
    const double next = std::fmin(T - step, 0.5 * (T + kTc - kCriticalBlend));
    const Equilibrium warm = EquilibriumFrom(MakeIsothermTerms(next), e.c.rho_liquid, e.c.rho_vapour);
    e = std::isfinite(warm.c.P) ? warm : EquilibriumAt(next);
    T = next;
  }
  return std::isfinite(e.c.P) ? T : nan;
}

}  // namespace brimwater::nbs84
