// KKHM 1969 density searches: the saturated liquid and vapour, the single-phase liquid, vapour and
// supercritical branches, and the critical-density return for saturated states at and above 647.245 K.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kkhm69/kkhm69.h"
#include "support/precision.h"

namespace brimwater::kkhm69 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr StateSelector kLiquid = StateSelector::SaturatedLiquid;
constexpr StateSelector kVapour = StateSelector::SaturatedVapour;
constexpr StateSelector kSingle = StateSelector::SinglePhase;

// Each row: the value as quoted in the 1969 check values, and a regression value, this kernel's own result to
// more digits (computed with the full coefficient set), which pins the table transcription further.
struct CheckRow {
  const char* what;
  double actual;
  double quoted;
  int quoted_digits;
  double regression;
  int regression_digits;
};

void ExpectCheckValues(const CheckRow* rows, int count) {
  for (int i = 0; i < count; ++i) {
    const CheckRow& r = rows[i];
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(r.actual, r.quoted, r.quoted_digits));
    EXPECT_TRUE(AgreesToDigits(r.actual, r.regression, r.regression_digits));
  }
}

TEST(Kkhm69Density, SaturatedDensities) {
  const CheckRow rows[] = {
      {"liquid 373.15 K", SatLiquidDensity(373.15), 0.95828834, 8, 0.958288338, 9},
      {"vapour 373.15 K", SatVapourDensity(373.15), 0.00059826257, 8, 0.0005982625684, 10},
      {"liquid 273.16 K", SatLiquidDensity(273.16), 0.9997633, 7, 0.999763347, 9},
  };
  ExpectCheckValues(rows, sizeof rows / sizeof rows[0]);
  EXPECT_EQ(DensityOfTP(373.15, 123.0, kLiquid), SatLiquidDensity(373.15));
  EXPECT_EQ(DensityOfTP(373.15, 123.0, kVapour), SatVapourDensity(373.15));
}

TEST(Kkhm69Density, SinglePhaseBranches) {
  const CheckRow rows[] = {
      {"liquid 300 K, 10 MPa", DensityOfTP(300.0, 10.0, kSingle), 1.0010368, 8, 1.001036795, 10},
      {"vapour 500 K, 1 MPa", DensityOfTP(500.0, 1.0, kSingle), 0.0045330619, 8, 0.00453306194, 9},
      {"supercritical 1000 K, 50 MPa", DensityOfTP(1000.0, 50.0, kSingle), 0.12331546, 8, 0.1233154577, 10},
      {"supercritical 700 K, 100 MPa", DensityOfTP(700.0, 100.0, kSingle), 0.65270802, 8, 0.6527080212, 10},
  };
  ExpectCheckValues(rows, sizeof rows / sizeof rows[0]);
}

// Selector values other than 0 and 1 are the single phase.
TEST(Kkhm69Density, OtherSelectorsAreTheSinglePhase) {
  for (const int value : {2, 3, -1, 1000}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(DensityOfTP(500.0, 1.0, static_cast<StateSelector>(value)), DensityOfTP(500.0, 1.0, kSingle));
  }
}

// The 1969 saturation pressure at 373.15 K is 0.10143127 MPa, so 0.101325 MPa is vapour; and a pressure
// exactly on the saturation line counts as vapour too.
TEST(Kkhm69Density, PhaseVerdictAtTheSaturationLine) {
  const double vapour = DensityOfTP(373.15, 0.101325, kSingle);
  EXPECT_LT(vapour, SatVapourDensity(373.15));
  EXPECT_TRUE(AgreesRelative(vapour, SatVapourDensity(373.15) * 0.101325 / 0.10143127, 1e-3));
  for (const double T : {300.0, 373.15, 500.0, 640.0}) {
    SCOPED_TRACE(T);
    const double on_line = DensityOfTP(T, SatPressure(T), kSingle);
    EXPECT_LE(on_line, SatVapourDensity(T));
    EXPECT_TRUE(AgreesRelative(PressureOfTD(T, on_line), SatPressure(T), 3.5e-4));
    EXPECT_GE(DensityOfTP(T, SatPressure(T) * (1.0 + 1e-9), kSingle), SatLiquidDensity(T));
  }
}

TEST(Kkhm69Density, CriticalDensityForSaturatedStatesAtAndAboveTc) {
  for (const double T : {647.245, 647.3, 700.0, 5000.0, std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(T);
    EXPECT_EQ(DensityOfTP(T, 0.0, kLiquid), 0.316819637748426);
    EXPECT_EQ(DensityOfTP(T, 0.0, kVapour), 0.316819637748426);
    EXPECT_EQ(SatLiquidDensity(T), 0.316819637748426);
    EXPECT_EQ(SatVapourDensity(T), 0.316819637748426);
  }
  EXPECT_NE(SatLiquidDensity(647.24), SatVapourDensity(647.24));
}

// Over the range the 1969 tables cover, every search meets its pressure tolerance on its own branch: a
// liquid never less dense than the saturated liquid, a vapour never denser than the saturated vapour.
TEST(Kkhm69Density, SolvesThePressureAcrossTheTableRange) {
  int states = 0;
  for (double T = 273.16; T <= 1600.0; T += 23.0) {
    for (double P = 0.001; P <= 100.0; P *= 1.7) {
      SCOPED_TRACE(::testing::Message() << "T = " << T << " K, P = " << P << " MPa");
      const double rho = DensityOfTP(T, P, kSingle);
      ASSERT_TRUE(AgreesRelative(PressureOfTD(T, rho), P, 3.5e-4));
      if (T < kCriticalTemperature) {
        if (P > SatPressure(T)) {
          EXPECT_GE(rho, SatLiquidDensity(T));
        } else {
          EXPECT_LE(rho, SatVapourDensity(T));
        }
      }
      ++states;
    }
  }
  EXPECT_GT(states, 1000);
}

TEST(Kkhm69Density, SaturatedDensitiesSolveTheVapourPressure) {
  for (double T = 273.16; T < kCriticalTemperature; T += 3.7) {
    SCOPED_TRACE(T);
    const double Psat = SatPressure(T);
    const double liquid = SatLiquidDensity(T);
    const double vapour = SatVapourDensity(T);
    EXPECT_TRUE(AgreesRelative(PressureOfTD(T, liquid), Psat, 3.5e-4));
    EXPECT_TRUE(AgreesRelative(PressureOfTD(T, vapour), Psat, 3.5e-4));
    EXPECT_GT(liquid, vapour);
  }
}

TEST(Kkhm69Density, HostileArgumentsReturnWithoutHanging) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {std::nan(""), inf, -inf, 0.0, -1.0, 1e-300, 1e300, -1e300, 100.0, 500.0, 1000.0};
  for (const double T : values) {
    for (const double P : values) {
      for (const StateSelector selector : {kLiquid, kVapour, kSingle}) {
        (void)DensityOfTP(T, P, selector);
      }
    }
  }
  // At ordinary temperatures a pressure of zero or below stays a positive, finite density: the floor keeps
  // every step above a quarter of the two current points.
  for (const double P : {0.0, -1.0}) {
    SCOPED_TRACE(P);
    const double rho = DensityOfTP(500.0, P, kSingle);
    EXPECT_GT(rho, 0.0);
    EXPECT_TRUE(std::isfinite(rho));
  }
}

}  // namespace
}  // namespace brimwater::kkhm69
