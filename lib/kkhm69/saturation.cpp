// KKHM 1969 saturation line: the vapour-pressure equation of the 1969 Steam Tables and its inverse by
// bisection.
#include <cmath>

#include "kkhm69/kkhm69.h"
#include "numerics/bisection.h"

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

}  // namespace

double SatPressure(double T) {
  if (T <= kTriplePointTemperature) return kTriplePointPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  const double x = kXOffset - kXScale * T;
  const double sum = kF1 + x * (kF2 + x * (kF3 + x * (kF4 + x * (kF5 + x * (kF6 + x * (kF7 + x * kF8))))));
  const double a = (kCriticalTemperature - T) * (kTauNumerator / T * kTauScale);
  return kCriticalPressure * std::exp(sum * a);
}

double SatTemperature(double P) {
  return numerics::SatTemperatureByBisection<SatPressure>(P, kTriplePointTemperature, kTriplePointPressure,
                                                          kCriticalTemperature, kCriticalPressure);
}

}  // namespace brimwater::kkhm69
