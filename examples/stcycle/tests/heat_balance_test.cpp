// Correlations, the closed feedwater heater and the physics of single steam-turbine cases.
#include "heat_balance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "support/precision.h"

namespace brimwater::stcycle {
namespace {

using brimwater::testing::AgreesRelative;

constexpr FormulationCode kIf97 = 97;

TEST(Correlations, StayInTheirPhysicalRangeOverTheSweptFlows) {
  for (double F1 : {500000.0, 750000.0, 1000000.0, 1250000.0}) {
    EXPECT_GT(StageEfficiency(F1), 0.6) << F1;
    EXPECT_LT(StageEfficiency(F1), 0.95) << F1;
    EXPECT_GT(BoilerEfficiency(F1), 0.6) << F1;
    EXPECT_LT(BoilerEfficiency(F1), 0.95) << F1;
  }
  EXPECT_TRUE(AgreesRelative(StageEfficiency(0.0), 0.7701450149, 1e-15));
  EXPECT_TRUE(AgreesRelative(BoilerEfficiency(0.0), 0.453681, 1e-15));
  EXPECT_TRUE(AgreesRelative(GeneratorLoss(0.0), 850.0, 1e-15));
  // 100 MW costs about 1 MW in the generator.
  EXPECT_GT(GeneratorLoss(100000.0), 700.0);
  EXPECT_LT(GeneratorLoss(100000.0), 1200.0);
}

TEST(ExhaustLoss, TypicalAndLowAnnulusVelocities) {
  // A few tens of BTU/lbm at the usual 400-1000 ft/s; very low velocities drive it large and negative.
  for (double V : {400.0, 700.0, 1000.0}) {
    EXPECT_GT(ExhaustLoss(V), 0.0) << V;
    EXPECT_LT(ExhaustLoss(V), 60.0) << V;
  }
  EXPECT_LT(ExhaustLoss(10.0), -10000.0);
}

TEST(WetSteamDensity, QualityZeroAndOneAreTheSaturatedStates) {
  for (double P : {0.5, 1.0, 5.0}) {
    const double Ts = Tsat(P, kIf97);
    EXPECT_TRUE(AgreesRelative(WetSteamDensity(P, Hf(Ts, kIf97), kIf97), 1.0 / Vf(Ts, kIf97), 1e-12)) << P;
    EXPECT_TRUE(AgreesRelative(WetSteamDensity(P, Hg(Ts, kIf97), kIf97), 1.0 / Vg(Ts, kIf97), 1e-12)) << P;
  }
  // Steam tables: 1 psia saturated vapour occupies 333.5 ft3/lbm.
  EXPECT_TRUE(AgreesRelative(WetSteamDensity(1.0, Hg(Tsat(1.0, kIf97), kIf97), kIf97), 1.0 / 333.5, 2e-3));
}

TEST(ClosedHeater, MeetsItsTerminalDifferenceAndDrainApproach) {
  // HP heater: 1000000 lbm/hr of feedwater at 2100 psia and 350 degF, extraction steam at 250 psia.
  const double Pw = 2100.0, Ps = 237.5, hs = 1250.0;
  const double hw_in = HofTP(350.0, Pw, kIf97);
  const ClosedHeaterResult r = ClosedHeater(1000000.0, Pw, hw_in, Ps, hs, 10.0, 5.0, kIf97);
  EXPECT_NEAR(TofPH(Pw, r.outletH, kIf97), Tsat(Ps, kIf97) - 10.0, 1e-3);
  EXPECT_NEAR(TofPH(Ps, r.drainH, kIf97), 355.0, 1e-3);
  // Heat given by the extraction steam equals heat taken by the feedwater.
  EXPECT_TRUE(AgreesRelative(r.extractionFlow * (hs - r.drainH), 1000000.0 * (r.outletH - hw_in), 1e-12));
  EXPECT_GT(r.extractionFlow, 0.0);
}

SteamCaseResult QuietCase(double F1, double T1, double T20, FormulationCode code = kIf97) {
  std::FILE* sink = std::tmpfile();
  const SteamCaseResult r = SteamCase(F1, T1, 7750000.0, T20, 0.85, code, sink);
  std::fclose(sink);
  return r;
}

TEST(SteamCase, ConvergesToAPlausibleHeatBalance) {
  const SteamCaseResult r = QuietCase(1000000.0, 1000.0, 60.0);
  EXPECT_TRUE(r.converged);
  EXPECT_LE(r.iterations, 16);
  EXPECT_GT(r.netOutput, 80000.0);  // 100 to 160 kWh per 1000 lbm of throttle steam
  EXPECT_LT(r.netOutput, 160000.0);
  EXPECT_GT(r.heatRate, 8000.0);
  EXPECT_LT(r.heatRate, 15000.0);
  EXPECT_TRUE(AgreesRelative(r.heatRate, 1000000.0 * r.heatInput / r.netOutput, 1e-14));
}

TEST(SteamCase, HotterSteamAndColderWaterImproveTheCycle) {
  const SteamCaseResult base = QuietCase(750000.0, 1000.0, 60.0);
  const SteamCaseResult hotter = QuietCase(750000.0, 1050.0, 60.0);
  const SteamCaseResult colder = QuietCase(750000.0, 1000.0, 40.0);
  EXPECT_GT(hotter.netOutput, base.netOutput);
  EXPECT_LT(hotter.heatRate, base.heatRate);
  EXPECT_GT(colder.netOutput, base.netOutput);
  EXPECT_LT(colder.heatRate, base.heatRate);
}

TEST(SteamCase, UnsupportedCodeEndsAfterItsIterationsWithoutHanging) {
  for (FormulationCode code : {0, 5, -1}) {
    const SteamCaseResult r = QuietCase(500000.0, 950.0, 40.0, code);
    EXPECT_FALSE(r.converged) << code;
    EXPECT_EQ(r.iterations, 32) << code;
  }
}

}  // namespace
}  // namespace brimwater::stcycle
