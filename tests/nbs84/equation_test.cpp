// NBS/NRC 1984 equation of state: regression values and the thermodynamic consistency of its derivatives.
#include <gtest/gtest.h>

#include <cmath>

#include "nbs84/nbs84.h"
#include "support/precision.h"

namespace brimwater::nbs84 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

// Regression values: p, s and h this equation gave at four states, to the digits shown. No published table
// is quoted; the consistency tests below check the equation against itself.
TEST(Nbs84Equation, RegressionStates) {
  struct Row {
    double T, rho;   // K, g/cm3
    double p, s, h;  // MPa, kJ/(kg K), kJ/kg; 0 where no value is given
    int digits;
  };
  const Row rows[] = {
      {500.0, 0.000435072, 0.0999781530, 7.93252320, 2924.88865, 9},  // dilute vapour
      {700.0, 0.1, 21.9541683, 5.64820123, 2906.28104, 9},            // supercritical gas
      {647.0, 0.358, 22.0240478, 4.31274151, 2026.95065, 9},          // near-critical: terms 37 to 39 matter
      {647.126, 0.322, 22.0536, 0.0, 0.0, 6},                         // the clamp temperature at rho_c
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T << " rho=" << r.rho);
    EXPECT_TRUE(AgreesToDigits(PressureOfTD(r.T, r.rho), r.p, r.digits));
    if (r.s != 0.0) {
      EXPECT_TRUE(AgreesToDigits(EntropyOfTD(r.T, r.rho), r.s, r.digits));
    }
    if (r.h != 0.0) {
      EXPECT_TRUE(AgreesToDigits(EnthalpyOfTD(r.T, r.rho), r.h, r.digits));
    }
  }
}

TEST(Nbs84Equation, EnthalpyIsHelmholtzPlusTsPlusPv) {
  const double T = 550.0;
  const double rho = 0.75;
  const double expected = HelmholtzOfTD(T, rho) + T * EntropyOfTD(T, rho) + PressureOfTD(T, rho) / rho;
  EXPECT_TRUE(AgreesRelative(EnthalpyOfTD(T, rho), expected, 1e-14));
}

// Fourth-order central difference of f at x with step h.
template <typename F>
double Derivative(F f, double x, double h) {
  return (-f(x + 2.0 * h) + 8.0 * f(x + h) - 8.0 * f(x - h) + f(x - 2.0 * h)) / (12.0 * h);
}

// p = rho^2 dA/drho and s = -dA/dT hold term by term, so they hold against the Helmholtz function itself to
// the rounding of the difference quotient wherever each group of terms matters.
TEST(Nbs84Equation, PressureAndEntropyAreDerivativesOfHelmholtz) {
  struct Row {
    const char* where;
    double T, rho;
  };
  const Row rows[] = {
      {"cold dense liquid (term 40)", 273.16, 1.0},
      {"compressed liquid", 300.0, 1.02},
      {"hot liquid", 550.0, 0.75},
      {"dilute vapour", 500.0, 0.000435072},
      {"supercritical gas", 700.0, 0.1},
      {"near-critical liquid side (terms 37 to 39)", 647.0, 0.358},
      {"near-critical vapour side", 641.0, 0.28},
      {"inside the term-39 peak", 641.6, 0.319},
      {"hot dense fluid", 1200.0, 0.9},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.where);
    const double dA_drho =
        Derivative([&](double rho) { return HelmholtzOfTD(r.T, rho); }, r.rho, 1e-3 * r.rho);
    const double dA_dT = Derivative([&](double T) { return HelmholtzOfTD(T, r.rho); }, r.T, 0.02);
    // The residual sums cancel terms of up to 1e7 kJ/kg in the dense liquid, so the difference quotients
    // hold to about 1e-7 there; a wrong derivative of any one term is far larger.
    const double p = PressureOfTD(r.T, r.rho);
    EXPECT_NEAR(r.rho * r.rho * dA_drho, p, 1e-6 * std::fabs(p) + 1e-6);
    EXPECT_NEAR(-dA_dT, EntropyOfTD(r.T, r.rho), 5e-8);
  }
}

TEST(Nbs84Equation, IdealGasLimitAtLowDensity) {
  // As rho -> 0 the pressure tends to rho R T.
  const double T = 800.0;
  const double rho = 1e-9;
  EXPECT_TRUE(AgreesRelative(PressureOfTD(T, rho), rho * kGasConstant * T, 1e-7));
}

}  // namespace
}  // namespace brimwater::nbs84
