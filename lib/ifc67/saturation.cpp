// IFC-67 saturation line: the K-function, the reduced saturation pressure, and its inverse by bisection.
#include <cmath>

#include "ifc67/ifc67.h"
#include "numerics/bisection.h"

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

}  // namespace brimwater::ifc67
