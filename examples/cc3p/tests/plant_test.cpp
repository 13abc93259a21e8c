// Moist air, combustion products and the physics of the traced plant case.
#include "plant.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/precision.h"

namespace brimwater::cc3p {
namespace {

using brimwater::testing::AgreesRelative;

double Sum(const cycle::GasComposition& x) { return x[0] + x[1] + x[2] + x[3] + x[4]; }

TEST(VapourPressure, FollowsTheSaturationLine) {
  // The moist-air correlation is a fit: within 1.5% of IAPWS-IF97 between freezing and boiling.
  for (double T : {32.0, 60.0, 100.0, 150.0, 212.0}) {
    EXPECT_TRUE(AgreesRelative(VapourPressure(T), Psat(T, 97), 1.5e-2)) << T;
  }
  EXPECT_TRUE(AgreesRelative(VapourPressure(212.0), 14.696, 1e-15));
}

TEST(HumidityRatio, DryMoistAndSaturatedAir) {
  struct Row {
    double P, T, RH, expected, relative;
  };
  const Row rows[] = {
      {14.696, 60.0, 0.0, 0.0, 0.0},
      {14.696, 60.0, 1.0, 0.01104, 1e-2},  // psychrometric chart: 77 grains per lbm of dry air
      {14.696, 60.0, 0.5, 0.00549, 1e-2},
      {14.696, 100.0, 1.0, 0.0432, 1e-2},
  };
  for (const Row& r : rows) {
    const double w = HumidityRatio(r.P, r.T, r.RH);
    if (r.expected == 0.0) {
      EXPECT_EQ(w, 0.0);
    } else {
      EXPECT_TRUE(AgreesRelative(w, r.expected, r.relative)) << r.T << ", " << r.RH;
    }
  }
  // Just below saturation the moist branch meets the saturated one.
  EXPECT_TRUE(
      AgreesRelative(HumidityRatio(14.696, 60.0, 0.999999999), HumidityRatio(14.696, 60.0, 1.0), 1e-8));
  // Vapour pressure at or above the ambient: the partial pressure of dry air is held at 0.01 psia.
  EXPECT_TRUE(AgreesRelative(HumidityRatio(1.0, 212.0, 0.5), 0.6219800100122563 * 7.348 / 0.01, 1e-12));
}

TEST(AmbientAir, FractionsSumToOneAndDryAirHasNoWater) {
  const cycle::GasComposition dry = AmbientAir(14.696, 60.0, 0.0);
  EXPECT_EQ(dry[3], 0.0);
  EXPECT_TRUE(AgreesRelative(dry[0], 0.7808, 1e-15));
  for (double RH : {0.0, 0.6, 1.0}) {
    const cycle::GasComposition x = AmbientAir(14.696, 90.0, RH);
    EXPECT_TRUE(AgreesRelative(Sum(x), 1.0, 1e-14)) << RH;
  }
  // Saturated air at 60 degF and 1 atm: the mole fraction of water is near Ps / P (the model scales the mass
  // fraction by the molar-mass ratio, which overstates it by w, here 1.1%, relative).
  EXPECT_TRUE(AgreesRelative(AmbientAir(14.696, 60.0, 1.0)[3], VapourPressure(60.0) / 14.696, 1.2e-2));
}

TEST(CombustionProducts, BurnsOxygenIntoCarbonDioxideAndWater) {
  const cycle::GasComposition air = AmbientAir(14.696, 60.0, 0.6);
  const cycle::GasComposition same = CombustionProducts(air, 1.0e6, 0.0, 3.5);
  for (std::size_t i = 0; i < air.size(); ++i) EXPECT_TRUE(AgreesRelative(same[i], air[i], 1e-15)) << i;

  const cycle::GasComposition burnt = CombustionProducts(air, 1.0e6, 1.8e4, 3.5);
  EXPECT_TRUE(AgreesRelative(Sum(burnt), 1.0, 1e-14));
  EXPECT_LT(burnt[1], air[1]);
  EXPECT_GT(burnt[2], air[2]);
  EXPECT_GT(burnt[3], air[3]);
  // Amounts per 1e6 of air: O2 loses (1 - m) + m/2 of the fuel, CO2 gains 1 - m, H2O gains m/2.
  const double m = 3.5 / 4.5;
  const double total =
      1.0e6 * Sum(air) - (1.0 - m) * 1.8e4 - 0.5 * m * 1.8e4 + (1.0 - m) * 1.8e4 + 0.5 * m * 1.8e4;
  EXPECT_TRUE(AgreesRelative(burnt[2], (air[2] * 1.0e6 + (1.0 - m) * 1.8e4) / total, 1e-14));
}

TEST(PlantCase, TracedCaseConvergesToAPlausibleHeatBalance) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  const PlantResult r = PlantCase(14.696, 60.0, 0.6, 60.0, 43000000.0, true, sink);
  std::fclose(sink);

  EXPECT_TRUE(r.converged);
  for (double kW : {r.hpTurbine, r.ipTurbine, r.lpTurbine, r.condensatePump, r.ipFeedPump, r.hpFeedPump}) {
    EXPECT_GT(kW, 0.0);
  }
  EXPECT_GT(r.steamTurbine, 0.0);
  EXPECT_GT(r.total, r.gasTurbine);
  EXPECT_TRUE(AgreesRelative(r.total, r.gasTurbine + r.steamTurbine, 1e-15));
  EXPECT_GT(r.heatRate, 5000.0);
  EXPECT_LT(r.heatRate, 9000.0);
  EXPECT_TRUE(AgreesRelative(r.ductBurnerFuel, 43000000.0 / 19500.0, 1e-15));
  EXPECT_TRUE(AgreesRelative(r.gasTurbine, 43273.0, 1e-15));
  EXPECT_TRUE(AgreesRelative(r.gtFuel, 43273.0 * 8244.0 / 19500.0, 1e-15));
  // Pumps take a small share of what the turbines make.
  EXPECT_LT(r.condensatePump + r.ipFeedPump + r.hpFeedPump, 0.05 * (r.hpTurbine + r.ipTurbine + r.lpTurbine));
}

// Without supplementary firing the UA matching of this plant ends in a two-point cycle and reports failure,
// but the case still ends with finite results.
TEST(PlantCase, UnfiredCaseBurnsNoDuctFuelAndEndsNormally) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  const PlantResult fired = PlantCase(14.696, 60.0, 0.6, 60.0, 43000000.0, false, sink);
  const PlantResult unfired = PlantCase(14.696, 60.0, 0.6, 60.0, 0.0, false, sink);
  std::fclose(sink);
  EXPECT_EQ(unfired.ductBurnerFuel, 0.0);
  EXPECT_GT(unfired.steamTurbine, 0.0);
  EXPECT_LT(unfired.steamTurbine, fired.steamTurbine);
  EXPECT_GT(unfired.heatRate, 5000.0);
  EXPECT_LT(unfired.heatRate, 9000.0);
}

}  // namespace
}  // namespace brimwater::cc3p
