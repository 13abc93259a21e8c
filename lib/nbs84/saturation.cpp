// NBS/NRC 1984 saturation line: the auxiliary vapour-pressure curve that accompanies the 1984 equation of
// state, not a phase-equilibrium solution of that equation, and its inverse by bisection.
#include <array>
#include <cmath>

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
