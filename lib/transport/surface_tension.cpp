// Surface tension of ordinary water substance against its vapour, IAPWS R1-76(2014):
//   sigma = B tau^mu (1 + b tau),  tau = 1 - T / Tc.
#include <cmath>
#include <limits>

#include "transport/transport.h"

namespace brimwater::transport {
namespace {

constexpr double kB = 235.8e-3;  // N/m (235.8 mN/m)
constexpr double kb = -0.625;
constexpr double kMu = 1.256;
constexpr double kCriticalTemperature = kSurfaceTensionCriticalTemperature;

}  // namespace

double SurfaceTension(double T) {
  if (!(T >= kSurfaceTensionLowestTemperature && T <= kCriticalTemperature)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double tau = 1.0 - T / kCriticalTemperature;
  return kB * std::pow(tau, kMu) * (1.0 + kb * tau);
}

bool SurfaceTensionInRange(double T) { return T >= kTriplePointTemperature && T <= kCriticalTemperature; }

}  // namespace brimwater::transport
