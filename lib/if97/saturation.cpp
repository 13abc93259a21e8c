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

// Eq. 30 as it stands, without clamps.
double SaturationEquation(double T) {
  const double theta = T + kN9 / (T - kN10);
  const double a = (theta + kN1) * theta + kN2;
  const double b = (kN3 * theta + kN4) * theta + kN5;
  const double c2 = (kN6x2 * theta + kN7x2) * theta + kN8x2;  // 2C
  // The discriminant B^2 - 4AC, written with the doubled polynomial. The fourth power by two squarings.
  const double root = c2 / (-b + std::sqrt(b * b - 2.0 * a * c2));
  const double square = root * root;
  return square * square;
}

}  // namespace

double SatPressure(double T) {
  if (T <= kTriplePointTemperature) return kTriplePointPressure;
  if (T >= kCriticalTemperature) return kCriticalPressure;
  return SaturationEquation(T);
}

double Region4Pressure(double T) { return SaturationEquation(T); }

double Region4Temperature(double P) {
  // Eq. 31 with beta = P^(1/4) (p* = 1 MPa) and the coefficients of Table 34 (n6, n7, n8 undoubled).
  const double beta = std::sqrt(std::sqrt(P));
  const double E = (beta + kN3) * beta + 0.5 * kN6x2;
  const double F = (kN1 * beta + kN4) * beta + 0.5 * kN7x2;
  const double G = (kN2 * beta + kN5) * beta + 0.5 * kN8x2;
  const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
  const double sum = kN10 + D;
  return 0.5 * (sum - std::sqrt(sum * sum - 4.0 * (kN9 + kN10 * D)));
}

double SatTemperature(double P) {
  return SatTemperatureByBisection<SatPressure>(P, kTriplePointTemperature, kTriplePointPressure,
                                                kCriticalTemperature, kCriticalPressure);
}

double B23Pressure(double T) { return (kB23N3 * T + kB23N2) * T + kB23N1; }

namespace {

enum class Region { One, Two, Three };

// The region equation that evaluates a state, and the (T, P) it is evaluated at.
struct RegionChoice {
  Region region;
  double T, P;
};

RegionChoice ChooseRegion(double T, double P, StateSelector selector) {
  if (selector == StateSelector::SaturatedLiquid || selector == StateSelector::SaturatedVapour) {
    // Region 1 serves the saturated liquid and region 2 the saturated vapour up to the critical point; the
    // pressure argument is ignored.
    if (T > kCriticalTemperature) T = kCriticalTemperature;
    return {selector == StateSelector::SaturatedLiquid ? Region::One : Region::Two, T, SatPressure(T)};
  }
  // Below 623.15 K a pressure exactly on the saturation line gives the liquid; from 623.15 K on the B23
  // boundary separates region 3 from region 2. There is no upper limit and no region 5.
  if (T < kRegion3StartTemperature) return {P >= SatPressure(T) ? Region::One : Region::Two, T, P};
  return {P >= B23Pressure(T) ? Region::Three : Region::Two, T, P};
}

}  // namespace

void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One:
      v = Region1Volume(c.T, c.P);
      h = Region1Enthalpy(c.T, c.P);
      s = Region1Entropy(c.T, c.P);
      return;
    case Region::Two:
      v = Region2Volume(c.T, c.P);
      h = Region2Enthalpy(c.T, c.P);
      s = Region2Entropy(c.T, c.P);
      return;
    case Region::Three:
      v = Region3Volume(c.T, c.P);
      h = Region3Enthalpy(c.T, v);
      s = Region3Entropy(c.T, v);
      return;
  }
}

// The accessors give what StateOfTP gives, evaluating only the property they return.
double VolumeOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return 1000.0 * Region1Volume(c.T, c.P);
    case Region::Two: return 1000.0 * Region2Volume(c.T, c.P);
    case Region::Three: return 1000.0 * Region3Volume(c.T, c.P);
  }
  return 0.0;
}

double EnthalpyOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return Region1Enthalpy(c.T, c.P);
    case Region::Two: return Region2Enthalpy(c.T, c.P);
    case Region::Three: return Region3Enthalpy(c.T, Region3Volume(c.T, c.P));
  }
  return 0.0;
}

double EntropyOfTP(double T, double P, StateSelector selector) {
  const RegionChoice c = ChooseRegion(T, P, selector);
  switch (c.region) {
    case Region::One: return Region1Entropy(c.T, c.P);
    case Region::Two: return Region2Entropy(c.T, c.P);
    case Region::Three: return Region3Entropy(c.T, Region3Volume(c.T, c.P));
  }
  return 0.0;
}

}  // namespace brimwater::if97
