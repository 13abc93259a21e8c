// KKHM 1969 saturation line: the vapour-pressure equation of the 1969 Steam Tables, clamped at its ends with
// its inverse by bisection (the fifteen functions), and as it stands with its inverse by Newton steps to the
// last bits (the state interface).
#include <cmath>
#include <limits>

#include "kkhm69/kkhm69.h"
#include "numerics/bisection.h"
#include "numerics/bracketed_newton.h"

namespace brimwater::kkhm69 {
namespace {

// Vapour-pressure coefficients F1..F8 of the 1969 equation,
// ln(Psat / pc) = tau 1e-5 (Tc - T) sum(F_i x^(i-1)), x = 0.65 - 0.01 (T - 273.15).
constexpr double kF1 = -741.9242;
constexpr double kF2 = -29.721;
constexpr double kF3 = -11.55286;
constexpr double kF4 = -0.8685635;
constexpr double kF5 = 0.1094098;
constexpr double kF6 = 0.439993;
constexpr double kF7 = 0.2520658;
constexpr double kF8 = 0.05218684;
constexpr double kXOffset = 3.3815;  // 0.65 + 0.01 * 273.15
constexpr double kXScale = 0.01;     // 1/K
constexpr double kTauNumerator = 1000.0;
constexpr double kTauScale = 1e-5;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kResidualUlps = 8.0;

// sum(F_i x^(i-1)) in nested form, and its derivative in x.
double VapourSum(double x) {
  return kF1 + x * (kF2 + x * (kF3 + x * (kF4 + x * (kF5 + x * (kF6 + x * (kF7 + x * kF8))))));
}
double VapourSumSlope(double x) {
  return kF2 + x * (2.0 * kF3 +
                    x * (3.0 * kF4 + x * (4.0 * kF5 + x * (5.0 * kF6 + x * (6.0 * kF7 + x * 7.0 * kF8)))));
}
// tau 1e-5 (Tc - T).
double VapourFactor(double T) { return (kCriticalTemperature - T) * (kTauNumerator / T * kTauScale); }

}  // namespace

double SatPressure(double T) {
  if (T <= kTriplePointTemperature) return kTriplePointPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  return VapourPressure(T);
}

double VapourPressure(double T) {
  return kCriticalPressure * std::exp(VapourSum(kXOffset - kXScale * T) * VapourFactor(T));
}

double VapourPressureTemperature(double P) {
  if (!(P > 0.0) || !(P <= kCriticalPressure)) return P == kCriticalPressure ? kCriticalTemperature : kNaN;
  const double ln_P = std::log(P) - std::log(kCriticalPressure);
  // ln(Psat / pc) = S(x) a(T), rising with T: dx/dT = -0.01 and a' = -1e-5 1000 Tc / T^2.
  const auto residual = [ln_P](double T) {
    const double x = kXOffset - kXScale * T;
    const double a_T = -kTauNumerator * kTauScale * kCriticalTemperature / (T * T);
    return numerics::ValueSlope{VapourSum(x) * VapourFactor(T) - ln_P,
                                VapourSum(x) * a_T - kXScale * VapourSumSlope(x) * VapourFactor(T)};
  };
  // Start where ln P is linear in 1 / T between the triple point and the critical point.
  const double slope = (1.0 / kTriplePointTemperature - 1.0 / kCriticalTemperature) /
                       std::log(kCriticalPressure / kTriplePointPressure);
  const double start = 1.0 / (1.0 / kCriticalTemperature + slope * std::log(kCriticalPressure / P));
  double T = std::fmin(std::fmax(start, kLowestVapourPressureTemperature), kCriticalTemperature);
  numerics::ValueSlope f = residual(T);
  // The residual is a relative pressure: stop within a few ulps of the terms S a (of the size of ln(P/pc)).
  const double tolerance = kResidualUlps * std::numeric_limits<double>::epsilon() * std::fmax(1.0, -ln_P);
  T = numerics::BracketedNewton(residual, {kLowestVapourPressureTemperature, kCriticalTemperature}, T, f,
                                tolerance);
  // Below the lowest temperature the search covers, P has no saturation temperature here.
  return f.value > 0.0 && T == kLowestVapourPressureTemperature ? kNaN : T;
}

double SatTemperature(double P) {
  return numerics::SatTemperatureByBisection<SatPressure>(P, kTriplePointTemperature, kTriplePointPressure,
                                                          kCriticalTemperature, kCriticalPressure);
}

}  // namespace brimwater::kkhm69
