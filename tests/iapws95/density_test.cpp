// IAPWS-95 densities of (T, P): the saturated densities on the IF97 saturation line, the single-phase
// densities on the liquid, vapour and supercritical branches, and the search's convergence and safeguards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "iapws95/iapws95.h"
#include "support/precision.h"

namespace brimwater::iapws95 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr StateSelector kLiquid = StateSelector::SaturatedLiquid;
constexpr StateSelector kVapour = StateSelector::SaturatedVapour;
constexpr StateSelector kSingle = StateSelector::SinglePhase;

TEST(Iapws95Saturation, IsTheIf97Line) {
  EXPECT_TRUE(AgreesToDigits(SatTemperature(0.101325), 373.1243, 7));
  EXPECT_TRUE(AgreesToDigits(SatTemperature(1.0), 453.0356, 7));
  EXPECT_TRUE(AgreesToDigits(SatPressure(373.15), 0.101417978, 9));
  EXPECT_EQ(SatPressure(999.0), 22.064);
}

TEST(Iapws95Density, SaturatedAndSinglePhaseValues) {
  struct Row {
    double T, P;
    StateSelector selector;
    double rho;
    int digits;
  };
  const Row rows[] = {
      {373.15, 0.0, kLiquid, 0.958349, 6},    {373.15, 0.0, kVapour, 0.000598171, 6},
      {300.0, 0.1, kSingle, 0.996556, 6},      // liquid branch
      {500.0, 0.1, kSingle, 0.000435042, 6},   // vapour branch
      {1000.0, 100.0, kSingle, 0.265535, 6},   // supercritical start
      {2000.0, 0.01, kSingle, 1.08346e-5, 6},  // supercritical start from a negative fit
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message()
                 << r.T << " K, " << r.P << " MPa, selector " << static_cast<int>(r.selector));
    EXPECT_TRUE(AgreesToDigits(DensityOfTP(r.T, r.P, r.selector), r.rho, r.digits));
  }
}

TEST(Iapws95Density, SaturatedSelectorsAtAndAboveTheCriticalTemperatureGiveTheCriticalDensity) {
  for (double T : {647.096, 647.1, 700.0, 2000.0, 1e6}) {
    SCOPED_TRACE(T);
    EXPECT_EQ(DensityOfTP(T, 0.0, kLiquid), 0.322);
    EXPECT_EQ(DensityOfTP(T, 0.0, kVapour), 0.322);
  }
}

// 0.101325 MPa lies below the IF97 saturation pressure at 373.15 K (0.101418 MPa): vapour.
TEST(Iapws95Density, NormalBoilingPointStateIsVapour) {
  const double rho = DensityOfTP(373.15, 0.101325, kSingle);
  EXPECT_LE(rho, SatVapourDensity(373.15));
  EXPECT_TRUE(AgreesRelative(PressureOfTD(373.15, rho), 0.101325, 3.5e-4));
}

// From 273.16 K to the critical temperature the fits put the saturated vapour search's first or second new
// density within tolerance and the saturated liquid's within four, without the bracketed finish.
TEST(Iapws95Density, SaturatedSearchesConvergeWithinTheirClaims) {
  std::vector<double> temperatures;
  for (double T = 273.16; T < kCriticalTemperature; T += 0.25) temperatures.push_back(T);
  for (double T : {647.0, 647.05, 647.09, 647.0959, 647.09599}) temperatures.push_back(T);
  for (double T : temperatures) {
    SCOPED_TRACE(T);
    numerics::SecantTrace liquid;
    numerics::SecantTrace vapour;
    SatLiquidDensity(T, &liquid);
    SatVapourDensity(T, &vapour);
    EXPECT_TRUE(liquid.converged);
    EXPECT_TRUE(vapour.converged);
    EXPECT_GE(liquid.new_densities, 1);
    EXPECT_LE(liquid.new_densities, 4);
    EXPECT_GE(vapour.new_densities, 1);
    EXPECT_LE(vapour.new_densities, 2);
  }
}

// Single-phase densities keep to their branch: a liquid never below the saturated liquid, a vapour never
// above the saturated vapour, and each reproduces its pressure.
TEST(Iapws95Density, SinglePhaseDensitiesKeepToTheirBranch) {
  for (double T = 280.0; T < kCriticalTemperature; T += 20.0) {
    const double psat = SatPressure(T);
    const double rho_f = SatLiquidDensity(T);
    const double rho_g = SatVapourDensity(T);
    for (double ratio : {0.01, 0.3, 0.9, 1.0, 1.1, 3.0, 30.0}) {
      const double P = psat * ratio;
      SCOPED_TRACE(::testing::Message() << T << " K, " << P << " MPa");
      const double rho = DensityOfTP(T, P, kSingle);
      EXPECT_TRUE(AgreesRelative(PressureOfTD(T, rho), P, 3.5e-4));
      if (ratio > 1.0) {
        EXPECT_GE(rho, rho_f);
      } else {
        EXPECT_LE(rho, rho_g);
      }
    }
  }
}

// At 10 Pa between 600 K and the critical temperature the vapour search starts from a saturated vapour
// density up to 2e6 times the root, and the floor (a quarter of the two current points) lifts every secant
// point far above it: the 32 steps ran out with densities up to four times too high. The bracketed finish
// returns the root; at such pressures water is an ideal gas to far better than 1e-3.
TEST(Iapws95Density, DiluteVapourMatchesTheIdealGas) {
  for (double T = 600.0; T <= 646.5; T += 0.5) {
    SCOPED_TRACE(T);
    const double P = 1e-5;  // MPa
    EXPECT_TRUE(AgreesRelative(DensityOfTP(T, P, kSingle), P / (kGasConstant * T), 1e-3));
  }
  for (double P : {1e-6, 3e-6, 1e-5, 3e-5, 1e-4, 3e-4, 1e-3}) {
    for (double T = 300.0; T <= 1000.0; T += 10.0) {
      SCOPED_TRACE(::testing::Message() << T << " K, " << P << " MPa");
      EXPECT_TRUE(AgreesRelative(DensityOfTP(T, P, kSingle), P / (kGasConstant * T), 1e-3));
    }
  }
}

// Out-of-design arguments end in bounded time and never crash.
TEST(Iapws95Density, UndefinedArgumentsAreSafe) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan, inf, -inf, 0.0, -1.0, 1e-300, 1e300, 250.0, 400.0, 1e4};
  for (double T : values) {
    for (double P : values) {
      for (StateSelector selector : {kLiquid, kVapour, kSingle}) {
        const double rho = DensityOfTP(T, P, selector);
        EnthalpyOfTD(T, rho);
        EntropyOfTD(T, rho);
      }
    }
  }
}

}  // namespace
}  // namespace brimwater::iapws95
