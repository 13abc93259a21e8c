// KKHM 1969: the vapour-pressure equation, its inverse, the start fits and the density searches on the
// liquid, vapour and supercritical branches.
#include <cmath>

#include "kkhm69/kkhm69.h"

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

constexpr int kSatTemperatureSteps = 32;

// Liquid start fit: rho = ((L3 X + L2) X + L1) X + rho_c with X = (647.286 - T)^0.333. The fit's own
// temperature 647.286 K lies above this formulation's 647.245 K.
constexpr double kLiquidFitTemperature = 647.286;  // K
constexpr double kLiquidFitExponent = 0.333;
constexpr double kLiquidFit1 = 0.0643931;
constexpr double kLiquidFit2 = 0.0112886;
constexpr double kLiquidFit3 = -0.000938708;

// Vapour start fit: compressibility Z = ((V3 Y + V2) Y + V1) Y + V0 with Y = (647.245 - T)^0.4648.
constexpr double kVapourFitExponent = 0.4648;
constexpr double kVapourFit0 = 0.233396;
constexpr double kVapourFit1 = 0.0525888;
constexpr double kVapourFit2 = 0.00313438;
constexpr double kVapourFit3 = -0.000215689;

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
  if (P <= kTriplePointPressure) return kTriplePointTemperature;
  if (P >= kCriticalPressure) return kCriticalTemperature;
  double lo = kTriplePointTemperature;
  double hi = kCriticalTemperature;
  double mid = lo;
  for (int i = 0; i < kSatTemperatureSteps; ++i) {
    mid = (hi + lo) * 0.5;
    if (P > SatPressure(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return mid;
}

double LiquidStartDensity(double T) {
  const double X = std::pow(kLiquidFitTemperature - T, kLiquidFitExponent);
  return ((kLiquidFit2 + kLiquidFit3 * X) * X + kLiquidFit1) * X + kCriticalDensity;
}

double VapourStartDensity(double T, double Psat) {
  const double Y = std::pow(kCriticalTemperature - T, kVapourFitExponent);
  const double Z = ((kVapourFit2 + kVapourFit3 * Y) * Y + kVapourFit1) * Y + kVapourFit0;
  return Psat / Z / kGasConstant / T;
}

}  // namespace brimwater::kkhm69
