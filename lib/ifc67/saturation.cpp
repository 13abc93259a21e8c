// IFC-67 saturation line: the K-function, the reduced saturation pressure, and its inverse by bisection (the
// historical operations) and by Newton steps to the last bits (the state interface's).
#include <cmath>
#include <limits>

#include "ifc67/ifc67.h"
#include "numerics/bisection.h"
#include "numerics/bracketed_newton.h"

namespace brimwater::ifc67 {
namespace {

// The K-function constants k1 to k9 of the IFC-67 saturation line.
constexpr double kK1 = -7.691234564;
constexpr double kK2 = -26.08023696;
constexpr double kK3 = -168.1706546;
constexpr double kK4 = 64.23285504;
constexpr double kK5 = -118.9646225;
constexpr double kK6 = 4.16711732;
constexpr double kK7 = 20.9750676;
constexpr double kK8 = 1.0e9;
constexpr double kK9 = 6.0;

// ln(beta_K) and its theta-derivative. With y = 1 - theta, ln(beta_K) = N(y) / (theta D(y)) - y / (k8 y^2 +
// k9), N = k1 y + .. + k5 y^5, D = 1 + k6 y + k7 y^2; d/dtheta = -d/dy on N and D.
numerics::ValueSlope LogKFunction(double theta) {
  const double y = 1.0 - theta;
  const double n = y * (kK1 + y * (kK2 + y * (kK3 + y * (kK4 + y * kK5))));
  const double n_y = kK1 + y * (2.0 * kK2 + y * (3.0 * kK3 + y * (4.0 * kK4 + y * 5.0 * kK5)));
  const double d = 1.0 + y * (kK6 + y * kK7);
  const double d_y = kK6 + 2.0 * kK7 * y;
  const double q = kK8 * y * y + kK9;
  const double theta_d = theta * d;
  return {n / theta_d - y / q,
          (n * theta * d_y - n_y * theta_d - n * d) / (theta_d * theta_d) + (kK9 - kK8 * y * y) / (q * q)};
}

// The start of the Newton steps: ln(beta_K) is close to a (1 - 1 / theta) with a = 7.4 (Clausius-Clapeyron).
constexpr double kClausiusClapeyronSlope = 7.4;

}  // namespace

double KFunction(double theta) {
  const double y = 1.0 - theta;
  const double numerator = y * (kK1 + y * (kK2 + y * (kK3 + y * (kK4 + y * kK5))));
  return std::exp(numerator / theta / (1.0 + y * (kK6 + y * kK7)) - y / (kK8 * y * y + kK9));
}

double SatPressure(double T) {
  if (T <= kLowerLimitTemperature) return kLowerLimitPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  return kCriticalPressure * KFunction(T / kCriticalTemperature);
}

double SatTemperature(double P) {
  return numerics::SatTemperatureByBisection<SatPressure>(P, kLowerLimitTemperature, kLowerLimitPressure,
                                                          kCriticalTemperature, kCriticalPressure);
}

double KPressure(double T) { return kCriticalPressure * KFunction(T / kCriticalTemperature); }

double KTemperature(double P) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (!(P > 0.0 && P <= kCriticalPressure)) return nan;
  if (P == kCriticalPressure) return kCriticalTemperature;
  const double target = std::log(P / kCriticalPressure);
  // ln(beta_K) rises with theta to 0 at Tc, above the target.
  const numerics::Interval range{kKInverseLowestTemperature / kCriticalTemperature, 1.0, false, true};
  const auto residual = [target](double theta) {
    const numerics::ValueSlope k = LogKFunction(theta);
    return numerics::ValueSlope{k.value - target, k.slope};
  };
  const double start =
      std::fmin(std::fmax(1.0 / (1.0 - target / kClausiusClapeyronSlope), range.lo), range.hi);
  numerics::ValueSlope f = residual(start);
  // The steps end at the last bits of ln(beta_K), which are those of the pressure: further steps would move
  // theta by rounding noise alone, and fall back on bisection.
  const double tolerance = 2.0 * std::numeric_limits<double>::epsilon() * std::fmax(std::fabs(target), 1.0);
  const double theta = numerics::BracketedNewton(residual, range, start, f, tolerance);
  if (theta == range.lo && f.value > 0.0) return nan;  // below the K-function at the lowest temperature
  return theta * kCriticalTemperature;
}

}  // namespace brimwater::ifc67
