// IFC-67 L-function, volume solvers of sub-regions 3 and 4 and the choice of sub-region for a state.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ifc67/ifc67.h"
#include "support/ifc67_subregions.h"
#include "support/precision.h"

namespace brimwater::ifc67 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kSame = 1e-14;  // relative: the same equation evaluated along the same path

struct State {
  double v, h, s;
};

State Evaluate(double T, double P, StateSelector selector) {
  State r{};
  StateOfTP(T, P, selector, r.v, r.h, r.s);
  return r;
}

// The conversion of reduced results to cm3/g, kJ/kg and kJ/(kg K).
State FromReduced(double chi, double eps, double sigma) {
  return {chi * kCriticalVolume, eps * kCriticalPressure * kCriticalVolume,
          sigma * kCriticalPressure * kCriticalVolume / kCriticalTemperature};
}

State Subregion1State(double theta, double beta) {
  return FromReduced(Chi1(theta, beta), Eps1(theta, beta), Sigma1(theta, beta));
}
State Subregion2State(double theta, double beta) {
  return FromReduced(Chi2(theta, beta), Eps2(theta, beta), Sigma2(theta, beta));
}
State Subregion3State(double theta, double chi) {
  return FromReduced(chi, Eps3(theta, chi), Sigma3(theta, chi));
}
State Subregion4State(double theta, double chi) {
  return FromReduced(chi, Eps4(theta, chi), Sigma4(theta, chi));
}

::testing::AssertionResult SameState(const State& actual, const State& expected) {
  if (AgreesRelative(actual.v, expected.v, kSame) && AgreesRelative(actual.h, expected.h, kSame) &&
      AgreesRelative(actual.s, expected.s, kSame)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "state (" << actual.v << ", " << actual.h << ", " << actual.s << ") differs from (" << expected.v
         << ", " << expected.h << ", " << expected.s << ")";
}

// A pressure whose reduced value P / pc is exactly beta, found among the doubles next to beta pc.
double PressureOfReduced(double beta) {
  double P = beta * kCriticalPressure;
  for (int i = 0; i < 16 && P / kCriticalPressure != beta; ++i) {
    P = std::nextafter(P, P / kCriticalPressure < beta ? kInf : -kInf);
  }
  return P;
}

TEST(Ifc67LFunction, EndPointsSlopeAndPublishedQuadratic) {
  EXPECT_TRUE(AgreesRelative(LFunction(0.9626911787), 0.7475191707, 1e-12));
  EXPECT_TRUE(AgreesRelative(LFunction(1.333462073), 4.52079566, 1e-12));
  // The lower end lies on the saturation line: 16.535 MPa at 623.15 K.
  EXPECT_TRUE(AgreesRelative(KFunction(kTheta23), 0.7475191707, 1e-9));
  // The end-point form against the quadratic L0 + L1 theta + L2 theta^2 of the program listings.
  constexpr double kL0 = 1.574373327e1, kL1 = -3.417061978e1, kL2 = 1.931380707e1;
  for (double theta = 0.95; theta <= 1.4; theta += 0.05) {
    SCOPED_TRACE(theta);
    EXPECT_TRUE(AgreesRelative(LFunction(theta), kL0 + theta * (kL1 + theta * kL2), 3e-9));
    EXPECT_TRUE(AgreesRelative(LFunctionSlope(theta), kL1 + 2.0 * kL2 * theta, 3e-9));
    const double step = 1e-5;
    const double central = (LFunction(theta + step) - LFunction(theta - step)) / (2.0 * step);
    EXPECT_TRUE(AgreesRelative(LFunctionSlope(theta), central, 1e-8));
  }
}

// Reference states of the formulation (v in cm3/g, h in kJ/kg, s in kJ/(kg K)), six digits each.
TEST(Ifc67StateOfTP, ReferenceStatesInEachSubregion) {
  struct Row {
    const char* where;
    double T, P;
    StateSelector selector;
    double v, h, s;
  };
  const Row rows[] = {
      {"sub-region 1", 298.15, 0.1, StateSelector::SinglePhase, 1.00285, 104.857, 0.366981},
      {"sub-region 2", 573.15, 1.0, StateSelector::SinglePhase, 257.976, 3052.15, 7.12515},
      {"saturated liquid, sub-region 4", 630.0, 0.0, StateSelector::SaturatedLiquid, 1.83807, 1733.82,
       3.87502},
      {"saturated vapour, sub-region 3", 630.0, 0.0, StateSelector::SaturatedVapour, 7.51734, 2514.83,
       5.11454},
      {"sub-region 4", 640.0, 25.0, StateSelector::SinglePhase, 1.79379, 1758.27, 3.89347},
      {"sub-region 3", 650.0, 25.0, StateSelector::SinglePhase, 2.05269, 1877.10, 4.07757},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.where);
    const State x = Evaluate(r.T, r.P, r.selector);
    EXPECT_TRUE(AgreesToDigits(x.v, r.v, 6));
    EXPECT_TRUE(AgreesToDigits(x.h, r.h, 6));
    EXPECT_TRUE(AgreesToDigits(x.s, r.s, 6));
    EXPECT_TRUE(AgreesToDigits(VolumeOfTP(r.T, r.P, r.selector), r.v, 6));
    EXPECT_TRUE(AgreesToDigits(EnthalpyOfTP(r.T, r.P, r.selector), r.h, 6));
    EXPECT_TRUE(AgreesToDigits(EntropyOfTP(r.T, r.P, r.selector), r.s, 6));
  }
}

TEST(Ifc67StateOfTP, SaturatedStatesAtAndAboveTheCriticalTemperatureAreTheCriticalPoint) {
  for (double T : {647.3, 700.0, 1500.0, kInf}) {
    for (StateSelector selector : {StateSelector::SaturatedLiquid, StateSelector::SaturatedVapour}) {
      SCOPED_TRACE(T);
      const State x = Evaluate(T, 99.0, selector);
      EXPECT_TRUE(AgreesRelative(x.v, 3.1700041527054403, 1e-15));
      EXPECT_TRUE(AgreesToDigits(x.h, 2107.373, 7));
      EXPECT_TRUE(AgreesToDigits(x.s, 4.442875, 7));
    }
  }
}

// At 623.15 K theta is not below theta23: the saturated liquid is sub-region 4 and the vapour
// sub-region 3; at 623.14 K they are sub-regions 1 and 2. The pressure argument is ignored.
TEST(Ifc67StateOfTP, SaturatedSubregionEitherSideOf623K) {
  const double above = 623.15 / kCriticalTemperature;
  ASSERT_GE(above, kTheta23);
  const double beta_above = KFunction(above);
  EXPECT_TRUE(SameState(Evaluate(623.15, 5.0, StateSelector::SaturatedLiquid),
                        Subregion4State(above, Subregion4Volume(above, beta_above))));
  EXPECT_TRUE(SameState(Evaluate(623.15, 5.0, StateSelector::SaturatedVapour),
                        Subregion3State(above, Subregion3Volume(above, beta_above))));

  const double below = 623.14 / kCriticalTemperature;
  ASSERT_LT(below, kTheta23);
  const double beta_below = KFunction(below);
  EXPECT_TRUE(
      SameState(Evaluate(623.14, 5.0, StateSelector::SaturatedLiquid), Subregion1State(below, beta_below)));
  EXPECT_TRUE(
      SameState(Evaluate(623.14, 5.0, StateSelector::SaturatedVapour), Subregion2State(below, beta_below)));

  // The saturated-liquid entropy on either side (the published coefficients give 3.779920 at 623.14 K).
  EXPECT_TRUE(AgreesToDigits(EntropyOfTP(623.14, 0.0, StateSelector::SaturatedLiquid), 3.77992, 6));
  EXPECT_TRUE(AgreesToDigits(EntropyOfTP(623.16, 0.0, StateSelector::SaturatedLiquid), 3.78027, 6));
}

// Sub-region 4 is a fitted correction, so the saturated properties step a little at 623.15 K: the liquid by
// about -2.5e-4 cm3/g, -0.16 kJ/kg and +9.4e-5 kJ/(kg K), the vapour by about -6.8e-5 cm3/g and +0.05 kJ/kg.
TEST(Ifc67StateOfTP, SaturatedPropertiesStepOnlySlightlyAt623K) {
  const double theta = 623.15 / kCriticalTemperature;
  const double beta = KFunction(theta);
  const State liquid1 = Subregion1State(theta, beta);
  const State liquid4 = Subregion4State(theta, Subregion4Volume(theta, beta));
  const State vapour2 = Subregion2State(theta, beta);
  const State vapour3 = Subregion3State(theta, Subregion3Volume(theta, beta));
  struct Row {
    const char* what;
    double step, limit;
  };
  const Row rows[] = {
      {"liquid v", liquid4.v - liquid1.v, 1e-3}, {"liquid h", liquid4.h - liquid1.h, 0.5},
      {"liquid s", liquid4.s - liquid1.s, 5e-4}, {"vapour v", vapour3.v - vapour2.v, 1e-3},
      {"vapour h", vapour3.h - vapour2.h, 0.5},  {"vapour s", vapour3.s - vapour2.s, 5e-4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_LT(std::fabs(r.step), r.limit) << r.step;
  }
  EXPECT_NEAR(liquid4.v - liquid1.v, -2.5e-4, 0.1e-4);
  EXPECT_NEAR(liquid4.h - liquid1.h, -0.16, 0.01);
  EXPECT_NEAR(liquid4.s - liquid1.s, 9.4e-5, 0.1e-5);
}

TEST(Ifc67StateOfTP, SinglePhaseSubregionChoice) {
  // Exactly on the saturation pressure below 623.15 K: liquid, sub-region 1.
  for (double T : {300.0, 450.0, 623.14}) {
    SCOPED_TRACE(T);
    const double theta = T / kCriticalTemperature;
    const double P = PressureOfReduced(KFunction(theta));
    ASSERT_EQ(P / kCriticalPressure, KFunction(theta));
    EXPECT_TRUE(
        SameState(Evaluate(T, P, StateSelector::SinglePhase), Subregion1State(theta, KFunction(theta))));
    // Just below it: steam, sub-region 2.
    double below = P;
    while (below / kCriticalPressure >= KFunction(theta)) below = std::nextafter(below, 0.0);
    EXPECT_TRUE(SameState(Evaluate(T, below, StateSelector::SinglePhase),
                          Subregion2State(theta, below / kCriticalPressure)));
  }

  // 900 K lies above the upper end of the L-function (863.15 K), so 50 MPa is still sub-region 2.
  const double theta900 = 900.0 / kCriticalTemperature;
  EXPECT_GT(LFunction(theta900), 4.52079566);
  EXPECT_TRUE(SameState(Evaluate(900.0, 50.0, StateSelector::SinglePhase),
                        Subregion2State(theta900, 50.0 / kCriticalPressure)));

  // Above the critical temperature and above the L-function: sub-region 3.
  const double theta700 = 700.0 / kCriticalTemperature;
  EXPECT_TRUE(SameState(Evaluate(700.0, 60.0, StateSelector::SinglePhase),
                        Subregion3State(theta700, Subregion3Volume(theta700, 60.0 / kCriticalPressure))));
  // Between 623.15 K and Tc, between the L-function and the saturation line: sub-region 3 (vapour).
  const double theta630 = 630.0 / kCriticalTemperature;
  const double beta630 = 17.5 / kCriticalPressure;
  ASSERT_LT(LFunction(theta630), beta630);
  ASSERT_LT(beta630, KFunction(theta630));
  EXPECT_TRUE(SameState(Evaluate(630.0, 17.5, StateSelector::SinglePhase),
                        Subregion3State(theta630, Subregion3Volume(theta630, beta630))));
  // Below the L-function: sub-region 2.
  EXPECT_TRUE(SameState(Evaluate(630.0, 15.0, StateSelector::SinglePhase),
                        Subregion2State(theta630, 15.0 / kCriticalPressure)));
}

// beta exactly on the L-function is not sub-region 2. Not every reduced pressure is P / pc of some double P,
// so the test takes the temperatures where one is.
TEST(Ifc67StateOfTP, PressureExactlyOnTheLFunctionIsNotSubregion2) {
  int tested = 0;
  for (double T = 700.0; T < 860.0; T += 10.0) {
    const double theta = T / kCriticalTemperature;
    const double beta = LFunction(theta);
    const double P = PressureOfReduced(beta);
    if (P / kCriticalPressure != beta) continue;
    SCOPED_TRACE(T);
    ++tested;
    const State x = Evaluate(T, P, StateSelector::SinglePhase);
    EXPECT_TRUE(SameState(x, Subregion3State(theta, Subregion3Volume(theta, beta))));
    EXPECT_FALSE(AgreesRelative(x.v, Subregion2State(theta, beta).v, 1e-9));
  }
  EXPECT_GE(tested, 3);
}

// Above the saturation pressure between 623.15 K and Tc the liquid is sub-region 4, unless its solve misses
// the pressure by more than 1e-5 (reduced); then sub-region 3 answers. At 625 K and 116.5 MPa the
// sub-region 4 liquid lies below the volume bracket.
TEST(Ifc67StateOfTP, Subregion4FallsBackToSubregion3WhenItsSolveMisses) {
  const double theta = 625.0 / kCriticalTemperature;
  const double good = 100.0 / kCriticalPressure;
  const double chi_good = Subregion4Volume(theta, good);
  ASSERT_LE(std::fabs(Beta4(theta, chi_good) - good), 1e-5);
  EXPECT_TRUE(
      SameState(Evaluate(625.0, 100.0, StateSelector::SinglePhase), Subregion4State(theta, chi_good)));

  const double missed = 116.5 / kCriticalPressure;
  ASSERT_GT(std::fabs(Beta4(theta, Subregion4Volume(theta, missed)) - missed), 1e-5);
  EXPECT_TRUE(SameState(Evaluate(625.0, 116.5, StateSelector::SinglePhase),
                        Subregion3State(theta, Subregion3Volume(theta, missed))));
}

TEST(Ifc67StateOfTP, SelectorsOtherThanLiquidAndVapourAreSinglePhase) {
  const State single = Evaluate(573.15, 1.0, StateSelector::SinglePhase);
  for (int selector : {2, 3, -1, 1000}) {
    SCOPED_TRACE(selector);
    EXPECT_TRUE(SameState(Evaluate(573.15, 1.0, static_cast<StateSelector>(selector)), single));
  }
}

TEST(Ifc67VolumeSolvers, MeetThePressureTheyAreAskedFor) {
  struct Row {
    double T, P;
  };
  // Sub-region 3 on both sides of 642.56 K, where the second pass begins, and above Tc.
  const Row rows3[] = {{630.0, 18.0}, {640.0, 20.0}, {645.0, 21.5}, {650.0, 25.0}, {700.0, 60.0}};
  for (const Row& r : rows3) {
    SCOPED_TRACE(r.T);
    const double theta = r.T / kCriticalTemperature;
    const double beta = r.P / kCriticalPressure;
    EXPECT_NEAR(Beta3(theta, Subregion3Volume(theta, beta)), beta, 1e-7);
  }
  const Row rows4[] = {{625.0, 20.0}, {635.0, 50.0}, {647.0, 22.1}};
  for (const Row& r : rows4) {
    SCOPED_TRACE(r.T);
    const double theta = r.T / kCriticalTemperature;
    const double beta = r.P / kCriticalPressure;
    EXPECT_NEAR(Beta4(theta, Subregion4Volume(theta, beta)), beta, 1e-7);
  }
}

}  // namespace
}  // namespace brimwater::ifc67
