// NBS/NRC 1984 through the state interface: the equation's Helmholtz point against the kernel's own
// A, p and s and against difference quotients of itself; densities on the outer branches of the isotherms
// where the equation's loops lie beside them; the saturated states by their defining conditions (equal
// pressure and Gibbs energy) and their continuity with the single-phase states; the equation's own critical
// point. There are no published verification values for the derived properties in our data: values the
// product computed itself are labelled as regression values.
#include <brimwater/props.h>
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nbs84/nbs84.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

constexpr FormulationCode kSI = -84;

// The pressure at (T, rho) with the first residual group summed in extended precision, as the densities are
// solved (the kernel's historical PressureOfTD carries noise of 3e-9 MPa in the dense liquid).
double Pressure(double T, double rho) {
  return nbs84::PressureAndSlopeOnIsotherm(nbs84::MakeIsothermTerms(T), rho).value;
}

struct TD {
  const char* where;
  double T, rho;  // K, g/cm3
};

// Every group of terms where it matters: term 40 in the cold dense liquid, terms 37 to 39 near the critical
// point, the base and ideal-gas functions in the dilute gas.
constexpr TD kPoints[] = {
    {"cold dense liquid (term 40)", 273.16, 1.0},
    {"compressed liquid", 300.0, 1.02},
    {"hot liquid", 550.0, 0.75},
    {"dilute vapour", 500.0, 0.000435072},
    {"supercritical gas", 700.0, 0.1},
    {"near-critical liquid side", 647.0, 0.358},
    {"near-critical vapour side", 641.0, 0.28},
    {"inside the term-39 peak", 641.6, 0.319},
    {"hot dense fluid", 1200.0, 0.9},
    {"very dilute gas", 2000.0, 1e-7},
};

TEST(Nbs84State, HelmholtzPointAgreesWithTheKernelsOwnEquation) {
  for (const TD& r : kPoints) {
    SCOPED_TRACE(r.where);
    const numerics::HelmholtzPoint f = nbs84::PointOfTD(r.T, r.rho);
    // The historical sums cancel terms of up to 1e6 in double precision in the dense liquid, to noise of
    // about 1e-9 kJ/kg in A, 3e-9 MPa in p and 2e-11 kJ/(kg K) in s: compare on that scale.
    const double p_historical = nbs84::PressureOfTD(r.T, r.rho);
    EXPECT_NEAR(f.a, nbs84::HelmholtzOfTD(r.T, r.rho), 1e-12 * std::fabs(f.a) + 5e-9);
    EXPECT_NEAR(r.rho * r.rho * f.a_rho, p_historical, 1e-12 * p_historical + 1e-8);
    EXPECT_NEAR(-f.a_T, nbs84::EntropyOfTD(r.T, r.rho), 1e-13 * std::fabs(f.a_T) + 5e-11);
    const numerics::ValueSlope p = nbs84::PressureAndSlopeOnIsotherm(nbs84::MakeIsothermTerms(r.T), r.rho);
    EXPECT_NEAR(p.value, p_historical, 1e-12 * p_historical + 1e-8);
    // The precise pressure and the point's own agree to their last bits.
    EXPECT_NEAR(p.value, r.rho * r.rho * f.a_rho, 1e-14 * p.value + 1e-12);
    EXPECT_TRUE(AgreesRelative(p.slope, 2.0 * r.rho * f.a_rho + r.rho * r.rho * f.a_rhorho, 1e-9));
  }
}

// The second derivatives against central differences of the first (relative step 1e-5; the Gaussian terms
// 37 to 39 are 4.5 K wide in T, so the quotients hold to 1e-6 there).
TEST(Nbs84State, SecondDerivativesAreDerivativesOfTheFirst) {
  for (const TD& r : kPoints) {
    SCOPED_TRACE(r.where);
    const numerics::HelmholtzPoint f = nbs84::PointOfTD(r.T, r.rho);
    const double hT = 1e-5 * r.T;
    const double hr = 1e-5 * r.rho;
    const numerics::HelmholtzPoint Tu = nbs84::PointOfTD(r.T + hT, r.rho);
    const numerics::HelmholtzPoint Td = nbs84::PointOfTD(r.T - hT, r.rho);
    const numerics::HelmholtzPoint ru = nbs84::PointOfTD(r.T, r.rho + hr);
    const numerics::HelmholtzPoint rd = nbs84::PointOfTD(r.T, r.rho - hr);
    EXPECT_TRUE(AgreesRelative((Tu.a_T - Td.a_T) / (2.0 * hT), f.a_TT, 1e-5));
    EXPECT_TRUE(AgreesRelative((Tu.a_rho - Td.a_rho) / (2.0 * hT), f.a_Trho, 1e-5));
    EXPECT_TRUE(AgreesRelative((ru.a_T - rd.a_T) / (2.0 * hr), f.a_Trho, 1e-5));
    EXPECT_TRUE(AgreesRelative((ru.a_rho - rd.a_rho) / (2.0 * hr), f.a_rhorho, 1e-5));
  }
}

// The outermost roots by brute force: walking down the isotherm from a dense start (liquid) or up from a
// dilute one (vapour) in small steps, the first crossing of P while the pressure keeps rising.
double OuterRoot(double T, double P, nbs84::IsothermBranch branch, double from, double to) {
  const nbs84::IsothermTerms iso = nbs84::MakeIsothermTerms(T);
  constexpr int kSteps = 20000;
  const double step = (to - from) / kSteps;
  for (int i = 0; i <= kSteps; ++i) {
    const double rho = from + i * step;
    const numerics::ValueSlope p = nbs84::PressureAndSlopeOnIsotherm(iso, rho);
    if (!(p.slope > 0.0)) break;
    const bool crossed = branch == nbs84::IsothermBranch::Liquid ? p.value < P : p.value > P;
    if (crossed) return rho - 0.5 * step;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// Between 637 K and 646.73 K this equation's isotherms have two loops, the inner one's rising branch about
// the critical density with pressures close to the saturation pressure; far below, a loop between the
// spinodals reaches positive pressures as well. The searches keep to the outer branches.
TEST(Nbs84State, DensitiesLieOnTheOuterBranches) {
  struct Case {
    double T, P;
    nbs84::IsothermBranch branch;
    double from, to;  // the brute-force walk
  };
  constexpr auto kL = nbs84::IsothermBranch::Liquid;
  constexpr auto kV = nbs84::IsothermBranch::Vapour;
  const Case cases[] = {
      {640.0, 20.26, kL, 0.6, 0.3},    {640.0, 20.20, kV, 0.001, 0.3},  // the inner loop reaches 20.27
      {643.0, 20.99, kL, 0.6, 0.3},    {646.0, 21.76, kL, 0.6, 0.3},   {646.7, 21.942, kL, 0.6, 0.3},
      {646.7, 21.941, kV, 0.001, 0.3}, {646.8, 21.968, kL, 0.6, 0.3},  {647.1, 22.047, kL, 0.6, 0.3},
      {647.1, 22.045, kV, 0.001, 0.3}, {373.15, 0.1, kV, 1e-6, 0.05},  {450.0, 0.93, kL, 1.0, 0.5},
      {300.0, 0.003, kL, 1.1, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "T=" << c.T << " P=" << c.P);
    const double rho = nbs84::DensityOnBranch(c.T, c.P, c.branch);
    const double step = std::fabs(c.to - c.from) / 20000;
    EXPECT_NEAR(rho, OuterRoot(c.T, c.P, c.branch, c.from, c.to), step);
    // The pressure to its last bits (in the liquid the base function and the residual cancel from about
    // 1000 MPa, which leaves 2e-13 MPa).
    EXPECT_NEAR(Pressure(c.T, rho), c.P, 1e-13 * c.P + 1e-12);
  }
}

// The equation's critical point: (dp/drho)_T vanishes there, the isotherm above rises everywhere, the one
// below still has a loop. Regression values of the product (nbs84.h).
TEST(Nbs84State, TheEquationsOwnCriticalPoint) {
  const double Tc = nbs84::kEquationCriticalTemperature;
  const double rhoc = nbs84::kEquationCriticalDensity;
  const nbs84::IsothermTerms at = nbs84::MakeIsothermTerms(Tc);
  const numerics::ValueSlope pc = nbs84::PressureAndSlopeOnIsotherm(at, rhoc);
  EXPECT_TRUE(AgreesRelative(pc.value, nbs84::kEquationCriticalPressure, 1e-9));
  EXPECT_LT(std::fabs(pc.slope), 1e-6);  // MPa/(g/cm3), against about 40 at 0.1 K above
  const auto lowest_slope = [](double T) {
    const nbs84::IsothermTerms iso = nbs84::MakeIsothermTerms(T);
    double lowest = std::numeric_limits<double>::infinity();
    for (double rho = 0.25; rho < 0.35; rho += 1e-5) {
      lowest = std::fmin(lowest, nbs84::PressureAndSlopeOnIsotherm(iso, rho).slope);
    }
    return lowest;
  };
  EXPECT_GT(lowest_slope(Tc + 0.01), 0.0);
  EXPECT_LT(lowest_slope(Tc - 0.01), 0.0);
}

// The saturated states are the phase equilibrium of the equation: equal pressure and equal Gibbs energy.
TEST(Nbs84State, SaturatedStatesHaveEqualPressureAndGibbsEnergy) {
  for (double T : {250.0, 273.16, 300.0, 373.15, 450.0, 550.0, 600.0, 630.0, 640.0, 645.0, 646.0, 646.7,
                   646.74, 646.8, 647.0, 647.1, 647.15, 647.158}) {
    SCOPED_TRACE(::testing::Message() << "T=" << T);
    const State f = StateOfTX(T, 0.0, kSI);
    const State g = StateOfTX(T, 1.0, kSI);
    ASSERT_TRUE(std::isfinite(f.h) && std::isfinite(g.h));
    const double gibbs_f = f.h - T * f.s;
    const double gibbs_g = g.h - T * g.s;
    EXPECT_NEAR(gibbs_f, gibbs_g, 1e-11 * 0.46152 * T);
    // Each phase's own pressure at its density: the vapour's to its last bits, the liquid's to the last
    // bits of its terms (about 1e-12 MPa).
    EXPECT_TRUE(AgreesRelative(Pressure(T, g.rho), g.P, 1e-13));
    EXPECT_NEAR(Pressure(T, f.rho), f.P, 1e-12 * f.P + 1e-11);
    EXPECT_GT(f.rho, g.rho);
    // The saturation temperature of that pressure is T again.
    EXPECT_TRUE(AgreesRelative(StateOfPX(g.P, 0.5, kSI).T, T, 1e-11));
  }
}

// Regression values of the product: the equation's phase equilibrium, with the auxiliary curve's pressure
// beside it (the fifteen functions' Psat), which lies 0.13 % to 0.35 % lower.
TEST(Nbs84State, SaturationRegressionValues) {
  struct Row {
    double T;                // K
    double P, rho_f, rho_g;  // MPa, g/cm3 (regression values)
  };
  constexpr Row kRows[] = {
      {273.16, 0.000612875876, 0.999474287, 4.86378172e-06},
      {373.15, 0.101283487, 0.958465499, 0.000597273602},
      {600.0, 12.3383396, 0.649755327, 0.0727968090},
      {646.0, 21.7583987, 0.407685202, 0.238686097},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T);
    const State f = StateOfTX(r.T, 0.0, kSI);
    const State g = StateOfTX(r.T, 1.0, kSI);
    EXPECT_TRUE(AgreesToDigits(f.P, r.P, 9));
    EXPECT_TRUE(AgreesToDigits(f.rho, r.rho_f, 9));
    EXPECT_TRUE(AgreesToDigits(g.rho, r.rho_g, 9));
    EXPECT_GT(f.P, Psat(r.T, kSI));
  }
}

// Beside the saturation line the single-phase states continue the saturated ones, on both sides, in the
// two-loop range and near the critical point as well.
TEST(Nbs84State, SinglePhaseStatesMeetTheSaturatedOnes) {
  for (double T : {300.0, 450.0, 600.0, 640.0, 646.0, 646.7, 646.9, 647.1}) {
    SCOPED_TRACE(::testing::Message() << "T=" << T);
    const State f = StateOfTX(T, 0.0, kSI);
    const State g = StateOfTX(T, 1.0, kSI);
    const State liquid = StateOfTP(T, f.P * (1.0 + 1e-12), kSI);
    const State vapour = StateOfTP(T, g.P * (1.0 - 1e-12), kSI);
    EXPECT_EQ(liquid.phase, Phase::Liquid);
    EXPECT_EQ(vapour.phase, Phase::Vapour);
    EXPECT_TRUE(AgreesRelative(liquid.rho, f.rho, 1e-7));
    EXPECT_TRUE(AgreesRelative(vapour.rho, g.rho, 1e-7));
    EXPECT_TRUE(AgreesRelative(liquid.h, f.h, 1e-8));
    EXPECT_TRUE(AgreesRelative(vapour.h, g.h, 1e-8));
  }
}

TEST(Nbs84State, PhasesAndRangeOfValidity) {
  struct Case {
    double T, P;
    Phase phase;
    Status status;
  };
  const Case cases[] = {
      {300.0, 0.1, Phase::Liquid, Status::Ok},
      {373.15, 0.101325, Phase::Liquid, Status::Ok},  // above this equation's 0.1012835 MPa
      {373.15, 0.1012, Phase::Vapour, Status::Ok},
      {647.15, 22.07, Phase::Liquid, Status::Ok},  // below the equation's critical temperature
      {647.2, 22.07, Phase::Supercritical, Status::Ok},
      {647.2, 22.0, Phase::Vapour, Status::Ok},
      {1273.15, 1000.0, Phase::Supercritical, Status::Ok},
      {273.15, 1000.0, Phase::Liquid, Status::Ok},
      {260.0, 1.0, Phase::Liquid, Status::Extrapolated},
      {1300.0, 1.0, Phase::Vapour, Status::Extrapolated},
      {500.0, 1200.0, Phase::Liquid, Status::Extrapolated},
      {2500.0, 1e-6, Phase::Vapour, Status::Extrapolated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "T=" << c.T << " P=" << c.P);
    const State s = StateOfTP(c.T, c.P, kSI);
    EXPECT_EQ(s.phase, c.phase);
    EXPECT_EQ(s.status, c.status);
    EXPECT_EQ(s.region, 0);
    EXPECT_NEAR(Pressure(s.T, s.rho), c.P, 1e-13 * c.P + 1e-12);
  }
}

// Hostile arguments to every pair: a status, NaN where nothing is meaningful, and no hang.
TEST(Nbs84State, BadInputNeverCrashesOrHangs) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan, inf, -inf, 0.0, -1.0, 1e-300, 1e-12, 1e300, -1e300, 5e-324};
  using Pair = State (*)(double, double, FormulationCode);
  const Pair pairs[] = {StateOfTP, StateOfPH, StateOfPS, StateOfHS, StateOfTX, StateOfPX};
  const double typical[] = {500.0, 1.0, 3000.0, 7.0, 0.5};
  for (Pair pair : pairs) {
    for (double a : values) {
      for (double b : typical) {
        for (const State& s : {pair(a, b, kSI), pair(b, a, kSI), pair(a, a, 84)}) {
          const bool answered = s.status == Status::Ok || s.status == Status::Extrapolated;
          if (answered) {
            EXPECT_TRUE(std::isfinite(s.T) && std::isfinite(s.P) && std::isfinite(s.h));
          } else {
            EXPECT_TRUE(std::isnan(s.T) && std::isnan(s.h) && std::isnan(s.rho));
            EXPECT_EQ(s.phase, Phase::Unknown);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace brimwater
