// KKHM 1969 through the state interface: the check values of the 1969 equation and its vapour-pressure
// equation, densities that reproduce their pressure to the last bits, the saturated states closing in on the
// critical state, the band below it where the equation has no saturated vapour of its own, the range of
// validity, and hostile arguments.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kkhm69/kkhm69.h"
#include "state/properties.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

constexpr FormulationCode kCode = -69;
constexpr double kTc = 647.245;  // K, the end of the 1969 vapour-pressure equation
constexpr double kPc = 22.0894;  // MPa

// Check values of the 1969 equation and its vapour-pressure equation, as quoted, to the digits quoted.
TEST(Kkhm69State, CheckValuesOfTheSaturationLine) {
  struct Row {
    const char* what;
    double actual;
    double quoted;
    int digits;
  };
  const State liquid_100C = StateOfTX(373.15, 0.0, kCode);
  const State triple = StateOfTX(273.16, 0.0, kCode);
  const Row rows[] = {
      {"saturation pressure at 373.15 K", liquid_100C.P, 0.10143127, 8},
      {"saturation pressure at 473.15 K", StateOfTX(473.15, 1.0, kCode).P, 1.5547949, 8},
      {"saturation temperature at 0.101325 MPa", StateOfPX(0.101325, 0.5, kCode).T, 373.12062, 8},
      {"saturation temperature at 1.0 MPa", StateOfPX(1.0, 0.0, kCode).T, 453.02811, 8},
      {"saturated liquid density at 373.15 K", liquid_100C.rho, 0.95828834, 8},
      {"saturated liquid density at 273.16 K", triple.rho, 0.9997633, 7},
      {"h of that saturated liquid", triple.h, 0.0573, 3},
      {"s of that saturated liquid", triple.s, -0.00006, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(r.actual, r.quoted, r.digits));
  }
  EXPECT_EQ(liquid_100C.status, Status::Ok);
  EXPECT_EQ(triple.status, Status::Ok);
}

// The same check values at a given temperature and density, through the Helmholtz point and the property
// relations.
TEST(Kkhm69State, CheckValuesAtATemperatureAndDensity) {
  struct Row {
    double T, rho;  // K, g/cm3
    double h, s;    // kJ/kg, kJ/(kg K)
    int h_digits, s_digits;
  };
  constexpr Row kRows[] = {
      {373.15, 0.9582883, 419.09, 1.30675, 5, 6},
      {373.15, 0.00059826, 2676.05, 7.3544, 6, 5},
  };
  for (const Row& r : kRows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T << " rho=" << r.rho);
    const state::Properties p = state::FromHelmholtz(kkhm69::Point(r.T, r.rho));
    EXPECT_TRUE(AgreesToDigits(p.h, r.h, r.h_digits));
    EXPECT_TRUE(AgreesToDigits(p.s, r.s, r.s_digits));
  }
}

// These check densities were found by a search that stops once the pressure is within 3.45e-4 of its
// target (the fifteen functions' search). The state interface solves to the last bits: its density must
// lie within the band that tolerance admits around the quoted value, and reproduce the pressure itself.
TEST(Kkhm69State, CheckDensitiesOfALooserSearch) {
  struct Row {
    const char* what;
    State state;
    double quoted;  // g/cm3
  };
  const Row rows[] = {
      {"saturated vapour at 373.15 K", StateOfTX(373.15, 1.0, kCode), 0.00059826257},
      {"300 K, 10 MPa", StateOfTP(300.0, 10.0, kCode), 1.0010368},
      {"500 K, 1 MPa", StateOfTP(500.0, 1.0, kCode), 0.0045330619},
      {"1000 K, 50 MPa", StateOfTP(1000.0, 50.0, kCode), 0.12331546},
      {"700 K, 100 MPa", StateOfTP(700.0, 100.0, kCode), 0.65270802},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const State& s = r.state;
    const state::Properties p = state::FromHelmholtz(kkhm69::Point(s.T, s.rho));
    EXPECT_LE(std::fabs(s.rho - r.quoted), 3.45e-4 * s.P * p.drho_dP);
    EXPECT_NEAR(kkhm69::PressureOfTD(s.T, s.rho), s.P, 1e-13 * s.rho * kkhm69::kGasConstant * s.T);
  }
}

// Across the surface the density reproduces the pressure to the last bits of the terms it is a difference
// of (rho R T and its multiples), far inside the fifteen functions' 3.45e-4.
TEST(Kkhm69State, DensitiesReproduceThePressureToTheLastBits) {
  for (double T : {273.16, 300.0, 400.0, 550.0, 640.0, 646.95, 647.3, 700.0, 1000.0, 1500.0}) {
    for (double P : {0.001, 0.1, 1.0, 10.0, 22.0, 22.08, 30.0, 100.0}) {
      SCOPED_TRACE(::testing::Message() << "T=" << T << " P=" << P);
      const State s = StateOfTP(T, P, kCode);
      ASSERT_TRUE(std::isfinite(s.rho));
      const double scale = std::fmax(P, s.rho * kkhm69::kGasConstant * T);
      EXPECT_NEAR(kkhm69::PressureOfTD(T, s.rho), P, 1e-13 * scale);
    }
  }
}

// Above 646.9036 K the vapour branch of the 1969 isotherm no longer reaches the vapour pressure, and from
// 646.5 K the saturated vapour is bridged to the critical state, the equation's state at 647.245 K and
// 22.0894 MPa. Both saturated phases close in on it continuously, and at 646.5 K the bridge meets the
// equation's own saturated vapour.
TEST(Kkhm69State, SaturatedStatesCloseInOnTheCriticalState) {
  const State critical = StateOfTX(kTc, 0.0, kCode);
  // On the flat critical isotherm the last bits of the pressure fix the density to about 1e-11.
  const State at_tc_p = StateOfTP(kTc, kPc, kCode);
  EXPECT_TRUE(AgreesRelative(critical.v, at_tc_p.v, 1e-10));
  EXPECT_TRUE(AgreesRelative(critical.h, at_tc_p.h, 1e-10));
  EXPECT_EQ(StateOfTX(kTc, 1.0, kCode).h, critical.h);
  double liquid_gap = std::numeric_limits<double>::infinity();
  double vapour_gap = std::numeric_limits<double>::infinity();
  for (double dT : {1.0, 0.3, 0.1, 0.03, 1e-2, 1e-3, 1e-4, 1e-6, 1e-9}) {
    SCOPED_TRACE(::testing::Message() << "Tc - T = " << dT);
    const State f = StateOfTX(kTc - dT, 0.0, kCode);
    const State g = StateOfTX(kTc - dT, 1.0, kCode);
    EXPECT_LT(f.v, critical.v);
    EXPECT_GT(g.v, critical.v);
    EXPECT_LT(critical.h - f.h, liquid_gap);
    EXPECT_LT(g.h - critical.h, vapour_gap);
    liquid_gap = critical.h - f.h;
    vapour_gap = g.h - critical.h;
    // Both phases stay off the isotherm's loop: their heat capacities and speeds of sound are numbers.
    EXPECT_TRUE(f.cp > 0.0 && std::isfinite(f.cp) && f.w > 0.0 && std::isfinite(f.w));
    EXPECT_TRUE(g.cp > 0.0 && std::isfinite(g.cp) && g.w > 0.0 && std::isfinite(g.w));
  }
  EXPECT_LT(liquid_gap, 1e-3);
  EXPECT_LT(vapour_gap, 0.5);  // the bridge closes with the cube root of Tc - T
  const State exact = StateOfTX(646.5 - 1e-9, 1.0, kCode);
  const State bridged = StateOfTX(646.5 + 1e-9, 1.0, kCode);
  EXPECT_TRUE(AgreesRelative(bridged.v, exact.v, 1e-7));
  EXPECT_TRUE(AgreesRelative(bridged.h, exact.h, 1e-9));
}

// In the near-critical band (P, h) and (P, s) still find a state with the h or s asked for, everywhere
// along the isobar: liquid, then two-phase, then vapour, with T never falling. The saturated vapour there
// is bridged and its h lies above every state of the isobar's jump from the liquid branch to the vapour
// branch, so no target falls into that jump.
TEST(Kkhm69State, InTheNearCriticalBandEveryEnthalpyAndEntropyHasItsState) {
  for (double P : {21.9, 21.99, 22.0, 22.03, 22.06, 22.08, 22.089}) {
    const State f = StateOfPX(P, 0.0, kCode);
    const State g = StateOfPX(P, 1.0, kCode);
    double previous_T = 0.0;
    int previous_phase = 0;
    for (int i = 0; i <= 200; ++i) {
      const double h = f.h - 20.0 + (g.h - f.h + 40.0) * i / 200.0;
      const double s = f.s - 0.03 + (g.s - f.s + 0.06) * i / 200.0;
      SCOPED_TRACE(::testing::Message() << "P=" << P << " h=" << h << " s=" << s);
      const State by_h = StateOfPH(P, h, kCode);
      const State by_s = StateOfPS(P, s, kCode);
      EXPECT_EQ(by_h.status, Status::Ok);
      EXPECT_LE(std::fabs(by_h.h - h), 1e-9 * std::fabs(h));
      EXPECT_LE(std::fabs(by_s.s - s), 1e-9 * std::fabs(s));
      EXPECT_GE(by_h.T, previous_T);
      // Liquid, two-phase, vapour in that order.
      const int phase = by_h.phase == Phase::Liquid ? 1 : by_h.phase == Phase::TwoPhase ? 2 : 3;
      EXPECT_GE(phase, previous_phase);
      previous_T = by_h.T;
      previous_phase = phase;
    }
    EXPECT_EQ(previous_phase, 3);
  }
}

TEST(Kkhm69State, RangeOfValidity) {
  struct Case {
    double T, P;
    Status status;
  };
  constexpr Case kCases[] = {
      {273.16, 0.1, Status::Ok},
      {1573.15, 100.0, Status::Ok},
      {1573.15, 0.001, Status::Ok},
      {273.16, 100.0, Status::Ok},
      {270.0, 1.0, Status::Extrapolated},
      {1600.0, 1.0, Status::Extrapolated},
      {500.0, 120.0, Status::Extrapolated},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "T=" << c.T << " P=" << c.P);
    const State s = StateOfTP(c.T, c.P, kCode);
    EXPECT_EQ(s.status, c.status);
    EXPECT_TRUE(std::isfinite(s.h) && std::isfinite(s.cp));
  }
  EXPECT_EQ(StateOfTX(260.0, 0.0, kCode).status, Status::Extrapolated);  // below the triple point
}

// Every pair with NaN, infinite, zero, negative, huge and tiny arguments: a status, and either a state whose
// numbers are all finite or every number NaN. Never a crash or a hang.
TEST(Kkhm69State, HostileArgumentsGiveAStatusAndNoPlausibleNumbers) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kHuge = 1e300;
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  constexpr double kValues[] = {kNaN,   kInf,  -kInf,  0.0, -1.0,  kHuge,
                                -kHuge, kTiny, 1e-300, 0.5, 300.0, 3000.0};
  using Pair = State (*)(double, double, FormulationCode);
  constexpr Pair kPairs[] = {StateOfTP, StateOfPH, StateOfPS, StateOfHS, StateOfTX, StateOfPX};
  for (Pair pair : kPairs) {
    for (double a : kValues) {
      for (double b : kValues) {
        for (FormulationCode code : {kCode, -kCode}) {
          SCOPED_TRACE(::testing::Message() << "a=" << a << " b=" << b << " code=" << code);
          const State s = pair(a, b, code);
          const double numbers[] = {s.T, s.P, s.v, s.rho, s.h, s.s, s.u};
          if (s.status == Status::Ok || s.status == Status::Extrapolated) {
            EXPECT_NE(s.phase, Phase::Unknown);
            for (double n : numbers) EXPECT_TRUE(std::isfinite(n));
          } else {
            EXPECT_EQ(s.phase, Phase::Unknown);
            for (double n : numbers) EXPECT_TRUE(std::isnan(n));
          }
          if (!std::isfinite(a) || !std::isfinite(b)) {
            EXPECT_EQ(s.status, Status::InvalidArgument);
          }
        }
      }
    }
  }
  EXPECT_EQ(StateOfTP(0.0, 1.0, kCode).status, Status::InvalidArgument);
  EXPECT_EQ(StateOfTP(300.0, -1.0, kCode).status, Status::InvalidArgument);
  EXPECT_EQ(StateOfTX(kTc + 0.01, 0.5, kCode).status, Status::NoSolution);
  EXPECT_EQ(StateOfPX(kPc + 0.01, 0.5, kCode).status, Status::NoSolution);
  EXPECT_EQ(StateOfPH(1.0, 1e5, kCode).status, Status::NoSolution);
  EXPECT_EQ(StateOfHS(100.0, 9.0, kCode).status, Status::NoSolution);
}

}  // namespace
}  // namespace brimwater
