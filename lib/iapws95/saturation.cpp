// IAPWS-95 saturated states as the release's saturation table is computed: from the phase-equilibrium
// condition on the equation itself (equal pressure and equal Gibbs energy of the two phases, IAPWS
// R6-95(2018), section 7.3 and Table 8), not from a saturation-pressure correlation; and the saturation
// temperature of a pressure by inverting that condition.
#include <cmath>
#include <limits>

#include "iapws95/iapws95.h"

namespace brimwater::iapws95 {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Start values: this kernel's own least-squares fits to the saturated densities of its equation (not part of
// IAPWS-95; good to about 2e-3), in t = 1 - T / Tc. From t = 1e-3 (646.45 K) down to 240 K, in the form of
// the auxiliary equations of Wagner and Pruss (1993): rho' / rhoc = 1 + sum b t^e and
// ln(rho'' / rhoc) = sum c t^f. Closer to the critical point the equation's coexistence curve turns from an
// exponent of about 1/3 to one of about 1/2, which a short series in t^(1/3), t^(1/2), t^(2/3), t follows.
// Exponents of the wide-range fits: 1/3, 2/3, 5/3, 16/3, 43/3, 110/3 (liquid) and 1/3, 2/3, 4/3, 3, 37/6,
// 71/6 (vapour).
constexpr double kLiquidFit[] = {1.9897505326945997, 1.1070899426231702,  -0.5234857664842506,
                                 -1.67562789249619,  -49.503886212136486, -699131.61704185023};
constexpr double kVapourFit[] = {-2.022898143835747,  -2.7161839221835837, -5.3198733558462337,
                                 -17.463430231501391, -44.037386709451951, -69.853127565248002};
constexpr double kNearCriticalT = 1e-3;  // t below which the near-critical fits serve
constexpr double kNearCriticalLiquid[] = {-0.93162648932055103, 31.208410396550502, -90.340188989320794,
                                          217.65611647315208};  // of t^(1/3), t^(1/2), t^(2/3), t
constexpr double kNearCriticalVapour[] = {0.95296159428343097, -31.299980335232366, 87.326997631424206,
                                          -208.47690200790876};

// Below this the equation's saturated states are not sought (the release's lowest temperature on the
// melting curve is 251.165 K; the equilibrium of the extrapolated equation is still found at 240 K).
constexpr double kLowestEquilibriumTemperature = 240.0;  // K

// A pressure below the saturation pressure at the join (22.06397 MPa), above which that needs computing.
constexpr double kJoinPressureBelow = 22.06;  // MPa

struct DensityStarts {
  double liquid, vapour;
};

// x^n for a whole n >= 0, by squaring.
double WholePower(double x, int n) {
  double result = 1.0;
  for (; n > 0; n >>= 1, x *= x) {
    if (n & 1) result *= x;
  }
  return result;
}

DensityStarts StartDensities(double T) {
  const double t = 1.0 - T / kCriticalTemperature;
  const double t3 = std::cbrt(t);  // t^(1/3)
  double liquid = 0.0;
  double vapour = 0.0;
  if (t < kNearCriticalT) {
    const double powers[] = {t3, std::sqrt(t), t3 * t3, t};
    for (int i = 0; i < 4; ++i) {
      liquid += kNearCriticalLiquid[i] * powers[i];
      vapour += kNearCriticalVapour[i] * powers[i];
    }
  } else {
    // The exponents are whole thirds (liquid) and sixths (vapour): whole powers times t^(1/3) or t^(1/6).
    const double t6 = std::sqrt(t3);  // t^(1/6)
    const double t23 = t3 * t3;
    const double liquid_powers[] = {
        t3, t23, t * t23, WholePower(t, 5) * t3, WholePower(t, 14) * t3, WholePower(t, 36) * t23};
    const double vapour_powers[] = {
        t3, t23, t * t3, t * t * t, WholePower(t, 6) * t6, WholePower(t, 11) * WholePower(t6, 5)};
    for (int i = 0; i < 6; ++i) {
      liquid += kLiquidFit[i] * liquid_powers[i];
      vapour += kVapourFit[i] * vapour_powers[i];
    }
  }
  return {kCriticalDensity * (1.0 + liquid), kCriticalDensity * std::exp(vapour)};
}

numerics::Coexistence Equilibrium(const IsothermTerms& iso, double liquid, double vapour) {
  return numerics::PhaseEquilibrium([&](double rho) { return PointOnIsotherm(iso, rho); }, liquid, vapour);
}

// The equation at the critical point (Tc, rhoc), both phases there.
numerics::Coexistence CriticalPoint() {
  const numerics::HelmholtzPoint c = PointOfTD(kCriticalTemperature, kCriticalDensity);
  return {c.rho * c.rho * c.a_rho, kCriticalDensity, kCriticalDensity, true, c, c};
}

}  // namespace

numerics::Coexistence SaturatedDensities(double T) {
  if (!(T >= kLowestEquilibriumTemperature)) {
    const numerics::HelmholtzPoint none{kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    return {kNaN, kNaN, kNaN, false, none, none};
  }
  if (!(T < kCriticalTemperature)) return CriticalPoint();
  const double join = kCriticalTemperature - kEquilibriumLimit;
  if (T <= join) {
    const DensityStarts start = StartDensities(T);
    return Equilibrium(MakeIsothermTerms(T), start.liquid, start.vapour);
  }
  // Within kEquilibriumLimit of the critical temperature: the equilibrium at the join, carried to the
  // critical point with the exponent 1/2 that the equation's coexistence curve has there, and the pressure
  // linearly in T.
  const DensityStarts start = StartDensities(join);
  const numerics::Coexistence at_join = Equilibrium(MakeIsothermTerms(join), start.liquid, start.vapour);
  const numerics::Coexistence critical = CriticalPoint();
  const double fraction = (kCriticalTemperature - T) / kEquilibriumLimit;
  const double scale = std::sqrt(fraction);
  const double liquid = kCriticalDensity + (at_join.rho_liquid - kCriticalDensity) * scale;
  const double vapour = kCriticalDensity + (at_join.rho_vapour - kCriticalDensity) * scale;
  const IsothermTerms iso = MakeIsothermTerms(T);
  return {critical.P + (at_join.P - critical.P) * fraction,
          liquid,
          vapour,
          at_join.converged,
          PointOnIsotherm(iso, liquid),
          PointOnIsotherm(iso, vapour)};
}

double SaturationPressure(double T) { return SaturatedDensities(T).P; }

double SaturationTemperature(double P) {
  if (!(P > 0.0)) return kNaN;
  const double join = kCriticalTemperature - kEquilibriumLimit;
  if (P > kJoinPressureBelow) {
    const numerics::Coexistence critical = CriticalPoint();
    if (!(P < critical.P)) return kCriticalTemperature;
    const numerics::Coexistence at_join = SaturatedDensities(join);
    if (P > at_join.P) {
      // Between the join and the critical point the saturation line is SaturatedDensities' interpolation,
      // linear in T.
      return kCriticalTemperature - kEquilibriumLimit * (critical.P - P) / (critical.P - at_join.P);
    }
  }
  // Newton steps on T and both densities together from IAPWS-IF97's saturation temperature (within about
  // 0.02 % in pressure of this equation's) and the fitted densities there.
  const double T = std::fmin(if97::Region4Temperature(P), join);
  if (!(T >= kLowestEquilibriumTemperature)) return kNaN;
  const DensityStarts start = StartDensities(T);
  const auto isotherm = [](double at) {
    return [iso = MakeIsothermTerms(at)](double rho) { return PointOnIsotherm(iso, rho); };
  };
  const numerics::SaturationAtPressure s =
      numerics::SaturationOfPressure(isotherm, P, T, kCriticalTemperature, start.liquid, start.vapour);
  return s.phases.converged ? s.T : kNaN;
}

}  // namespace brimwater::iapws95
