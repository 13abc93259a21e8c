// IAPWS-IF97 region 4: the saturation-pressure equation (IAPWS R7-97(2012), Eq. 30), its closed-form inverse
// (Eq. 31), and the inverse the fifteen functions use, by bisection.
#include <cmath>

#include "if97/if97.h"
#include "numerics/bisection.h"

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
  return numerics::SatTemperatureByBisection<SatPressure>(P, kTriplePointTemperature, kTriplePointPressure,
                                                          kCriticalTemperature, kCriticalPressure);
}

}  // namespace brimwater::if97
