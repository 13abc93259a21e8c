// KKHM 1969 fundamental equation: the residual function and its derivatives, the ideal-gas part, and the
// enthalpy and entropy at the check states of the 1969 tables.
#include <gtest/gtest.h>

#include <cmath>

#include "kkhm69/kkhm69.h"
#include "support/precision.h"

namespace brimwater::kkhm69 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

// States spread over the surface: compressed and saturated liquid, vapour, near-critical and hot
// supercritical. tau = 1000 / T.
struct State {
  double T, rho;
};
constexpr State kStates[] = {
    {273.16, 0.9997633}, {300.0, 1.0010368}, {373.15, 0.9582883}, {373.15, 0.00059826}, {500.0, 0.0045331},
    {640.0, 0.45},       {647.245, 0.3168},  {700.0, 0.6527080},  {1000.0, 0.1233155},  {1500.0, 0.01},
};

// Central difference of f at x with step h.
template <typename F>
double Derivative(F f, double x, double h) {
  return (f(x + h) - f(x - h)) / (2.0 * h);
}

TEST(Kkhm69Equation, AnalyticDerivativesOfQAgreeWithDifferences) {
  for (const State& s : kStates) {
    SCOPED_TRACE(::testing::Message() << "T = " << s.T << " K, rho = " << s.rho);
    const double tau = 1000.0 / s.T;
    const double q_rho = Derivative([&](double r) { return Q(tau, r); }, s.rho, 1e-5 * s.rho);
    const double q_tau = Derivative([&](double t) { return Q(t, s.rho); }, tau, 1e-5 * tau);
    // Q_rho and Q_tau run from about 1 to a few hundred; the differences carry about 8 good digits.
    EXPECT_NEAR(Q_rho(tau, s.rho), q_rho, 1e-6 * (1.0 + std::fabs(q_rho)));
    EXPECT_NEAR(Q_tau(tau, s.rho), q_tau, 1e-6 * (1.0 + std::fabs(q_tau)));
  }
}

TEST(Kkhm69Equation, IdealGasDerivativeAgreesWithDifferences) {
  for (const double T : {273.16, 373.15, 647.245, 1000.0, 2000.0}) {
    SCOPED_TRACE(T);
    const double tau = 1000.0 / T;
    const double dpsi0 = Derivative([](double t) { return psi0(1000.0 / t); }, tau, 1e-5 * tau);
    EXPECT_TRUE(AgreesRelative(psi0_tau(T), dpsi0, 1e-8));
  }
}

// The pressure is rho^2 d(psi)/d(rho) of the Helmholtz function psi0 + R T (ln rho + rho Q).
TEST(Kkhm69Equation, PressureIsTheDensityDerivativeOfTheHelmholtzFunction) {
  for (const State& s : kStates) {
    SCOPED_TRACE(::testing::Message() << "T = " << s.T << " K, rho = " << s.rho);
    const double tau = 1000.0 / s.T;
    const auto psi = [&](double r) { return kGasConstant * s.T * (std::log(r) + r * Q(tau, r)); };
    const double p = s.rho * s.rho * Derivative(psi, s.rho, 1e-5 * s.rho);
    // In the liquid the pressure is a small difference of terms of the size rho R T; the difference
    // quotient is good to about 1e-7 of those.
    EXPECT_NEAR(PressureOfTD(s.T, s.rho), p, 1e-7 * (s.rho * kGasConstant * s.T + std::fabs(p)));
  }
}

// Check values of the 1969 tables at the saturated states of 373.15 K and 273.16 K: the value as quoted,
// and the value computed with the full coefficient set to nine digits, which pins the table transcription.
TEST(Kkhm69Equation, EnthalpyAndEntropyAtSaturatedStates) {
  struct Row {
    const char* what;
    double (*f)(double, double);
    double T, rho;
    double quoted;
    int quoted_digits;
    double computed;
  };
  const Row rows[] = {
      {"h, liquid 373.15 K", EnthalpyOfTD, 373.15, 0.9582883, 419.09, 5, 419.0878732},
      {"s, liquid 373.15 K", EntropyOfTD, 373.15, 0.9582883, 1.30675, 6, 1.306750783},
      {"h, vapour 373.15 K", EnthalpyOfTD, 373.15, 0.00059826, 2676.05, 6, 2676.048013},
      {"s, vapour 373.15 K", EntropyOfTD, 373.15, 0.00059826, 7.3544, 5, 7.354415095},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const double value = r.f(r.T, r.rho);
    EXPECT_TRUE(AgreesToDigits(value, r.quoted, r.quoted_digits));
    EXPECT_TRUE(AgreesToDigits(value, r.computed, 9));
  }
}

// At the triple point the 1969 equation puts the liquid's enthalpy and entropy near zero. The density is
// the saturated liquid's to nine digits; its last-digit rounding moves h by up to 1e-7 kJ/kg.
TEST(Kkhm69Equation, NearZeroAtTheTriplePointLiquid) {
  const double rho = 0.999763347;
  EXPECT_TRUE(AgreesToDigits(EnthalpyOfTD(273.16, rho), 0.0573, 3));
  EXPECT_TRUE(AgreesToDigits(EntropyOfTD(273.16, rho), -0.00006, 1));
  EXPECT_NEAR(EnthalpyOfTD(273.16, rho), 0.05731738535, 2e-7);
  EXPECT_NEAR(EntropyOfTD(273.16, rho), -0.00006059500286, 1e-9);
}

// The state interface's Helmholtz point is the same equation: its pressure, enthalpy and entropy agree with
// the operations of the fifteen functions to the last bits of their terms.
TEST(Kkhm69Point, AgreesWithTheHistoricalOperations) {
  for (const State& s : kStates) {
    SCOPED_TRACE(::testing::Message() << "T = " << s.T << " K, rho = " << s.rho);
    const numerics::HelmholtzPoint f = Point(s.T, s.rho);
    const double p = s.rho * s.rho * f.a_rho;
    const double h = f.a - s.T * f.a_T + p / s.rho;
    // The pressure is a difference of terms of the size rho R T; h and s of terms of a few thousand kJ/kg
    // and a few kJ/(kg K).
    EXPECT_NEAR(p, PressureOfTD(s.T, s.rho), 1e-13 * s.rho * kGasConstant * s.T);
    EXPECT_NEAR(h, EnthalpyOfTD(s.T, s.rho), 1e-11);
    EXPECT_NEAR(-f.a_T, EntropyOfTD(s.T, s.rho), 1e-14);
    const numerics::ValueSlope on_isotherm = PressureOnIsotherm(MakeIsotherm(s.T), s.rho);
    EXPECT_NEAR(on_isotherm.value, p, 1e-13 * s.rho * kGasConstant * s.T);
    EXPECT_TRUE(AgreesRelative(on_isotherm.slope, 2.0 * s.rho * f.a_rho + s.rho * s.rho * f.a_rhorho, 1e-12));
  }
}

// Each derivative against central differences of the function or the first derivative it comes from. The
// differences of psi (a few thousand kJ/kg) carry about 1e-9 of R T / rho and of R.
TEST(Kkhm69Point, DerivativesAgreeWithDifferences) {
  for (const State& s : kStates) {
    SCOPED_TRACE(::testing::Message() << "T = " << s.T << " K, rho = " << s.rho);
    const numerics::HelmholtzPoint f = Point(s.T, s.rho);
    const double dT = 1e-5 * s.T;
    const double drho = 1e-5 * s.rho;
    const numerics::HelmholtzPoint hotter = Point(s.T + dT, s.rho);
    const numerics::HelmholtzPoint colder = Point(s.T - dT, s.rho);
    const numerics::HelmholtzPoint denser = Point(s.T, s.rho + drho);
    const numerics::HelmholtzPoint lighter = Point(s.T, s.rho - drho);
    EXPECT_NEAR(f.a_T, (hotter.a - colder.a) / (2.0 * dT), 1e-8 * kGasConstant);
    EXPECT_NEAR(f.a_rho, (denser.a - lighter.a) / (2.0 * drho), 1e-8 * kGasConstant * s.T / s.rho);
    EXPECT_TRUE(AgreesRelative(f.a_TT, (hotter.a_T - colder.a_T) / (2.0 * dT), 1e-7));
    EXPECT_TRUE(AgreesRelative(f.a_Trho, (hotter.a_rho - colder.a_rho) / (2.0 * dT), 1e-7));
    EXPECT_TRUE(AgreesRelative(f.a_Trho, (denser.a_T - lighter.a_T) / (2.0 * drho), 1e-7));
    EXPECT_TRUE(AgreesRelative(f.a_rhorho, (denser.a_rho - lighter.a_rho) / (2.0 * drho), 1e-7));
  }
}

}  // namespace
}  // namespace brimwater::kkhm69
