// Flue-gas enthalpy and its inversion, log-mean temperature difference, turbine and pump, gas turbine.
#include "common/cycle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/precision.h"

namespace brimwater::cycle {
namespace {

using brimwater::testing::AgreesRelative;

constexpr GasComposition kExhaust{0.746, 0.124, 0.038, 0.083, 0.009};
constexpr GasComposition6 kExhaust6{0.746, 0.124, 0.038, 0.083, 0.009, 0.0};
constexpr GasComposition6 kSulphurous{0.74, 0.12, 0.04, 0.08, 0.009, 0.011};
constexpr double kBisectionWidth = 2000.0 / 4294967296.0;  // degF after 32 halvings of 0..2000

TEST(Lmtd, EndDifferences) {
  struct Row {
    double d1, d2, expected;
  };
  const Row rows[] = {
      {20.0, 20.0, 20.0},
      {20.0, 20.0005, std::sqrt(20.0 * 20.0005)},  // nearly equal ends: geometric mean
      {30.0, 10.0, 20.0 / std::log(3.0)},
      {10.0, 30.0, 20.0 / std::log(3.0)},
      {20.0, 0.0, 0.0},  // pinch of zero
      {0.0, 20.0, 0.0},
      {-5.0, 40.0, 0.0},  // temperature cross
      {40.0, -5.0, 0.0},
  };
  for (const Row& r : rows) {
    EXPECT_TRUE(AgreesRelative(Lmtd(r.d1, r.d2), r.expected, 1e-14)) << r.d1 << ", " << r.d2;
  }
  EXPECT_EQ(Lmtd(20.0, 0.0), 0.0);  // exactly zero: the HRSG validity rule tests for it
  EXPECT_EQ(Lmtd(std::nan(""), 10.0) > 0.0, false);
}

TEST(GasTofH, InvertsGasHofTWithinOneBisectionWidth) {
  for (double T : {0.5, 60.0, 300.0, 850.0, 1100.0, 1999.5}) {
    EXPECT_NEAR(GasTofH(kExhaust, GasHofT(kExhaust, T)), T, kBisectionWidth) << T;
    EXPECT_NEAR(GasTofH(kExhaust6, GasHofT(kExhaust6, T)), T, kBisectionWidth) << T;
    EXPECT_NEAR(GasTofH(kSulphurous, GasHofT(kSulphurous, T)), T, kBisectionWidth) << T;
  }
}

TEST(GasTofH, EnthalpyBeyondTheRangeGivesTheNearerEnd) {
  EXPECT_NEAR(GasTofH(kExhaust, GasHofT(kExhaust, -100.0)), 0.0, kBisectionWidth);
  EXPECT_NEAR(GasTofH(kExhaust, GasHofT(kExhaust, 3000.0)), 2000.0, kBisectionWidth);
  EXPECT_NEAR(GasTofH(kExhaust, -1e300), 0.0, kBisectionWidth);
  const double fromNan = GasTofH(kExhaust, std::nan(""));
  EXPECT_TRUE(fromNan >= 0.0 && fromNan <= 2000.0);
}

TEST(GasHofT, IsAMassWeightedMeanSoScalingTheFractionsChangesNothing) {
  GasComposition half{};
  for (std::size_t i = 0; i < half.size(); ++i) half[i] = 0.5 * kExhaust[i];
  for (double T : {0.0, 500.0, 850.0, 2000.0}) {
    EXPECT_TRUE(AgreesRelative(GasHofT(half, T), GasHofT(kExhaust, T), 1e-14)) << T;
  }
  // SO2 at zero fraction leaves the five-species mixture as it was.
  EXPECT_TRUE(AgreesRelative(GasHofT(kExhaust6, 850.0), GasHofT(kExhaust, 850.0), 1e-15));
}

TEST(GasHofT, SpeciesTable) {
  // One species alone is its own cubic: nitrogen at 1000 degF and water vapour at 500 degF.
  EXPECT_TRUE(AgreesRelative(GasHofT(GasComposition{1, 0, 0, 0, 0}, 1000.0),
                             -0.1823844 + 245.008 + 9.515373 + 1.27892, 1e-14));
  EXPECT_TRUE(AgreesRelative(GasHofT(GasComposition{0, 0, 0, 1, 0}, 500.0),
                             9.393189e-05 + 221.57835 + 0.0154244575 + 0.001152120500, 1e-14));
  EXPECT_TRUE(AgreesRelative(GasHofT(GasComposition6{0, 0, 0, 0, 0, 1}, 100.0),
                             1.495539e-05 + 14.17236 + 1.93181e-04 + 1.479716e-06, 1e-14));
  // Exhaust gas: a mean specific heat near 0.27 BTU/(lbm degF) between 300 and 1000 degF.
  const double cp = (GasHofT(kExhaust, 1000.0) - GasHofT(kExhaust, 300.0)) / 700.0;
  EXPECT_GT(cp, 0.25);
  EXPECT_LT(cp, 0.29);
}

TEST(GtPerformance, ReferenceAmbientGivesTheRatedPoint) {
  struct Row {
    const GtCorrectionLines& machine;
    double output, heatRate, flow, exhaustT;
  };
  const Row rows[] = {
      {kGtEnglish, 43273.0, 8244.0, 1000000.0, 850.0},
      {kGtSI, 46720.0, 8757.0, 300.0, 730.0},
  };
  for (const Row& r : rows) {
    const GtPoint gt = GtPerformance(r.machine.Pref, r.machine.Tref, 0.6, r.machine);
    EXPECT_TRUE(AgreesRelative(gt.output, r.output, 1e-15));
    EXPECT_TRUE(AgreesRelative(gt.heatRate, r.heatRate, 1e-15));
    EXPECT_TRUE(AgreesRelative(gt.exhaustFlow, r.flow, 1e-15));
    EXPECT_TRUE(AgreesRelative(gt.exhaustTemperature, r.exhaustT, 1e-15));
  }
}

TEST(GtPerformance, CorrectionLines) {
  // 40 degF hotter, 1 psi lower, dry air.
  const GtPoint gt = GtPerformance(13.696, 100.0, 0.0, kGtEnglish);
  const double p = 13.696 / 14.696;
  EXPECT_TRUE(AgreesRelative(gt.output, 43273.0 * p * (1.0 - 0.00241 * 40.0) * (1.0 - 0.00655 * 0.6), 1e-14));
  EXPECT_TRUE(
      AgreesRelative(gt.heatRate, 8244.0 / p * (1.0 + 0.00071 * 40.0) * (1.0 - 0.00153 * 0.6), 1e-14));
  EXPECT_TRUE(
      AgreesRelative(gt.exhaustFlow, 1e6 * p * (1.0 - 0.00172 * 40.0) * (1.0 + 0.00533 * 0.6), 1e-14));
  EXPECT_TRUE(AgreesRelative(gt.exhaustTemperature, 850.0 - 0.912 + 0.272 * 40.0 - 2.39 * 0.6, 1e-14));
}

TEST(TurbineAndPump, EfficiencyScalesTheIsentropicChange) {
  constexpr FormulationCode kIf97 = 97;
  // HP steam at 1000 psia, 1000 degF expanded to 100 psia; condensate at 1 psia pumped to 1000 psia.
  const double hSteam = HofTP(1000.0, 1000.0, kIf97);
  const double hIsentropic = TurbineOutletH(1000.0, hSteam, 100.0, 1.0, kIf97);
  EXPECT_TRUE(AgreesRelative(SofPH(100.0, hIsentropic, kIf97), SofPH(1000.0, hSteam, kIf97), 1e-4));
  const double hReal = TurbineOutletH(1000.0, hSteam, 100.0, 0.82, kIf97);
  EXPECT_TRUE(AgreesRelative(hSteam - hReal, 0.82 * (hSteam - hIsentropic), 1e-12));
  EXPECT_LT(hIsentropic, hReal);
  EXPECT_LT(hReal, hSteam);

  const double Tc = Tsat(1.0, kIf97);
  const double hc = Hf(Tc, kIf97);
  const double hPumpIdeal = PumpOutletH(1.0, hc, 1000.0, 1.0, kIf97);
  const double hPump = PumpOutletH(1.0, hc, 1000.0, 0.85, kIf97);
  EXPECT_TRUE(AgreesRelative(hPump - hc, (hPumpIdeal - hc) / 0.85, 1e-12));
  // About v dP: 0.0161 ft3/lbm times 999 psi is 2.98 BTU/lbm.
  EXPECT_GT(hPumpIdeal - hc, 2.5);
  EXPECT_LT(hPumpIdeal - hc, 3.5);
}

}  // namespace
}  // namespace brimwater::cycle
