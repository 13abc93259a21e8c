// IAPWS-IF97: the saturation line, the B23 boundary and the choice of region for a state.
#include <cmath>

#include "if97/if97.h"

namespace brimwater::if97 {
namespace {

// Table 34, the saturation-pressure equation (Eq. 30). n6, n7 and n8 are stored doubled, so that the third
// polynomial yields 2C directly.
constexpr double kN1 = 0.11670521452767e4;
constexpr double kN2 = -0.72421316703206e6;
constexpr double kN3 = -0.17073846940092e2;
constexpr double kN4 = 0.12020824702470e5;
constexpr double kN5 = -0.32325550322333e7;
constexpr double kN6x2 = 29.83021722706;
constexpr double kN7x2 = -9646.5314723182;
constexpr double kN8x2 = 810226.81084114;
constexpr double kN9 = -0.23855557567849;
constexpr double kN10 = 0.65017534844798e3;

// Table 1, the B23 equation (Eq. 5).
constexpr double kB23N1 = 0.34805185628969e3;
constexpr double kB23N2 = -0.11671859879975e1;
constexpr double kB23N3 = 0.10192970039326e-2;

constexpr int kSatTemperatureSteps = 32;
constexpr int kRegion3StepsPerPass = 32;

// The region-3 volume bracket: 0.0207 and 0.143 ft3/lbm in m3/kg. It holds every region-3 volume, from the
// dense liquid at 623.15 K and 100 MPa to the vapour on the B23 line at 623.15 K.
constexpr double kRegion3VolumeLow = 0.001292258784;        // m3/kg
constexpr double kRegion3VolumeHigh = 0.008927198363;       // m3/kg
constexpr double kCriticalVolume = 1.0 / kCriticalDensity;  // m3/kg

}  // namespace

double SatPressure(double T) {
  if (T <= kTriplePointTemperature) return kTriplePointPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  const double theta = T + kN9 / (T - kN10);
  const double a = (theta + kN1) * theta + kN2;
  const double b = (kN3 * theta + kN4) * theta + kN5;
  const double c2 = (kN6x2 * theta + kN7x2) * theta + kN8x2;  // 2C
  // The discriminant B^2 - 4AC, written with the doubled polynomial.
  return std::pow(c2 / (-b + std::sqrt(b * b - 2.0 * a * c2)), 4.0);
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

double B23Pressure(double T) { return (kB23N3 * T + kB23N2) * T + kB23N1; }

double Region3Volume(double T, double P) {
  double lo = kRegion3VolumeLow;
  double top = kRegion3VolumeHigh;
  // Below the critical temperature the isotherm has up to three roots in the bracket (liquid, unstable,
  // metastable vapour). Search only the branch that the phase implies, so that compressed liquid gets the
  // liquid root.
  if (T < kCriticalTemperature) {
    if (P >= SatPressure(T)) {
      top = kCriticalVolume;
    } else {
      lo = kCriticalVolume;
    }
  }
  // Two passes: the second starts again from the top of the bracket and keeps the lower end that the first
  // pass reached. The pressure falls as the volume grows.
  double mid = lo;
  for (int pass = 0; pass < 2; ++pass) {
    double hi = top;
    for (int i = 0; i < kRegion3StepsPerPass; ++i) {
      mid = (hi + lo) * 0.5;
      if (Region3Pressure(T, mid) > P) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
  }
  return mid;
}

void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s) {
  if (selector == StateSelector::SaturatedLiquid || selector == StateSelector::SaturatedVapour) {
    // Region 1 serves the saturated liquid and region 2 the saturated vapour up to the critical point.
    if (T > kCriticalTemperature) T = kCriticalTemperature;
    const double ps = SatPressure(T);
    if (selector == StateSelector::SaturatedLiquid) {
      v = Region1Volume(T, ps);
      h = Region1Enthalpy(T, ps);
      s = Region1Entropy(T, ps);
    } else {
      v = Region2Volume(T, ps);
      h = Region2Enthalpy(T, ps);
      s = Region2Entropy(T, ps);
    }
    return;
  }
  if (T < kRegion3StartTemperature) {
    // A pressure exactly on the saturation line gives the liquid.
    if (P >= SatPressure(T)) {
      v = Region1Volume(T, P);
      h = Region1Enthalpy(T, P);
      s = Region1Entropy(T, P);
      return;
    }
  } else if (P >= B23Pressure(T)) {
    v = Region3Volume(T, P);
    h = Region3Enthalpy(T, v);
    s = Region3Entropy(T, v);
    return;
  }
  v = Region2Volume(T, P);
  h = Region2Enthalpy(T, P);
  s = Region2Entropy(T, P);
}

double VolumeOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return 1000.0 * v;
}

double EnthalpyOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return h;
}

double EntropyOfTP(double T, double P, StateSelector selector) {
  double v = 0.0, h = 0.0, s = 0.0;
  StateOfTP(T, P, selector, v, h, s);
  return s;
}

}  // namespace brimwater::if97
