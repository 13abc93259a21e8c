// NBS/NRC 1984 densities: the saturated and single-phase searches, regression values of them, and the
// near-critical states where the isotherm's loops leave the saturated liquid without a root.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nbs84/nbs84.h"
#include "support/precision.h"

namespace brimwater::nbs84 {
namespace {

using brimwater::testing::AgreesToDigits;

constexpr double kTolerance = 3.4526698300124393e-4;  // the secant's relative pressure tolerance

bool IsRoot(double T, double P, double rho) { return std::fabs(PressureOfTD(T, rho) / P - 1.0) < kTolerance; }

// The liquid spinodal by brute force: walking down the isotherm from a dense liquid in steps of 1e-4 g/cm3,
// the first density where the pressure stops falling.
double LiquidSpinodal(double T) {
  constexpr double kStep = 1e-4;
  double rho = 1.2;
  double p = PressureOfTD(T, rho);
  while (rho > 0.1) {
    const double p_next = PressureOfTD(T, rho - kStep);
    if (p_next >= p) break;
    rho -= kStep;
    p = p_next;
  }
  return rho;
}

// The vapour spinodal likewise: walking up from a dilute gas, the first density where the pressure stops
// rising.
double VapourSpinodal(double T) {
  constexpr double kStep = 1e-4;
  double rho = kStep;
  double p = PressureOfTD(T, rho);
  while (rho < 1.0) {
    const double p_next = PressureOfTD(T, rho + kStep);
    if (p_next <= p) break;
    rho += kStep;
    p = p_next;
  }
  return rho;
}

// Regression values: densities this kernel computed, to six digits. No published table is quoted.
TEST(Nbs84Density, RegressionDensities) {
  constexpr StateSelector kLiquid = StateSelector::SaturatedLiquid;
  constexpr StateSelector kVapour = StateSelector::SaturatedVapour;
  constexpr StateSelector kSingle = StateSelector::SinglePhase;
  struct Row {
    const char* what;
    double T, P;
    StateSelector selector;
    double rho;
  };
  const Row rows[] = {
      {"saturated liquid at 373.15 K", 373.15, 0.0, kLiquid, 0.958465},
      {"saturated vapour at 373.15 K", 373.15, 0.0, kVapour, 0.000596481},
      {"saturated liquid at the triple point", 273.16, 0.0, kLiquid, 0.999474},
      {"compressed liquid", 300.0, 0.1, kSingle, 0.996508},
      {"superheated vapour", 500.0, 0.1, kSingle, 0.000435072},
      {"supercritical start", 1000.0, 100.0, kSingle, 0.265931},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(DensityOfTP(r.T, r.P, r.selector), r.rho, 6));
  }
  EXPECT_EQ(SatLiquidDensity(373.15), DensityOfTP(373.15, 0.0, kLiquid));
  EXPECT_EQ(SatVapourDensity(373.15), DensityOfTP(373.15, 0.0, kVapour));
}

// The reference state: internal energy and entropy of the saturated liquid at 273.16 K are zero.
TEST(Nbs84Density, ReferenceStateZerosAtTheTriplePoint) {
  const double T = 273.16;
  const double rho = SatLiquidDensity(T);
  const double u = EnthalpyOfTD(T, rho) - PressureOfTD(T, rho) / rho;
  EXPECT_NEAR(u, 0.0, 1e-5);
  EXPECT_NEAR(EntropyOfTD(T, rho), 0.0, 1e-7);
}

// 373.15 K at 0.101325 MPa lies above this formulation's saturation pressure (0.101151 MPa): liquid.
TEST(Nbs84Density, NormalBoilingPointIsLiquid) {
  EXPECT_GT(DensityOfTP(373.15, 0.101325, StateSelector::SinglePhase), 0.95);
  EXPECT_LT(DensityOfTP(373.15, 0.101, StateSelector::SinglePhase), 0.001);
}

// At and above the clamp temperature both saturated selectors give the critical density; any selector other
// than 0 and 1 is a single-phase state.
TEST(Nbs84Density, SaturatedStatesAtAndAboveTheClamp) {
  for (const double T : {647.126, 650.0, 1000.0, std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(T);
    EXPECT_EQ(DensityOfTP(T, 0.0, StateSelector::SaturatedLiquid), 0.322);
    EXPECT_EQ(DensityOfTP(T, 0.0, StateSelector::SaturatedVapour), 0.322);
  }
  EXPECT_EQ(DensityOfTP(500.0, 0.1, static_cast<StateSelector>(7)),
            DensityOfTP(500.0, 0.1, StateSelector::SinglePhase));
}

// Where the saturated searches converge on their branch, the result is that of the plain secant, even where
// it stops within tolerance short of the root close to the liquid spinodal (645.7 K, where the spinodal lies
// at 0.3940 g/cm3).
TEST(Nbs84Density, ConvergedSearchesStand) {
  struct Row {
    double T, rho_liquid, rho_vapour;
  };
  const Row rows[] = {
      {600.0, 0.649669, 0.0725198},
      {645.7, 0.403891, 0.222118},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.T);
    EXPECT_TRUE(AgreesToDigits(SatLiquidDensity(r.T), r.rho_liquid, 6));
    EXPECT_TRUE(AgreesToDigits(SatVapourDensity(r.T), r.rho_vapour, 6));
  }
  // At 645.87 K the plain secant meets its tolerance at 0.389400 g/cm3, beyond the liquid spinodal
  // (0.3912 g/cm3) on the loop side: not a liquid density, so the spinodal replaces it.
  EXPECT_GT(SatLiquidDensity(645.87), LiquidSpinodal(645.87) - 2e-4);
  EXPECT_TRUE(AgreesToDigits(SatLiquidDensity(645.87), 0.3912, 4));
}

// From about 645.88 K to 647.126 K the auxiliary vapour-pressure curve lies below the whole liquid branch of
// the isotherm. The plain secant ends there anywhere (negative at 646.77 to 646.84 K, on the vapour root at
// 646.19, 646.39, 646.65, 646.95 and 647.11 K); the saturated liquid is instead the liquid branch's closest
// approach, its pressure minimum, which jumps inward where the equation's inner loop closes (646.74 K).
TEST(Nbs84Density, SaturatedLiquidWithoutRootIsTheLiquidSpinodal) {
  const double temperatures[] = {645.88, 646.19, 646.39, 646.65, 646.77,
                                 646.8,  646.84, 646.95, 647.11, 647.125};
  for (const double T : temperatures) {
    SCOPED_TRACE(T);
    const double rho_f = SatLiquidDensity(T);
    const double rho_g = SatVapourDensity(T);
    const double spinodal = LiquidSpinodal(T);
    EXPECT_GT(PressureOfTD(T, spinodal), SatPressure(T));  // no liquid root
    EXPECT_NEAR(rho_f, spinodal, 2e-4);
    EXPECT_GT(rho_f, rho_g + 0.05);
    EXPECT_TRUE(std::isfinite(EnthalpyOfTD(T, rho_f)));
    EXPECT_TRUE(std::isfinite(EntropyOfTD(T, rho_f)));
  }
  EXPECT_TRUE(AgreesToDigits(SatLiquidDensity(646.8), 0.3162, 3));
  EXPECT_GT(SatLiquidDensity(646.73), 0.36);  // the inner loop's minimum
  EXPECT_LT(SatLiquidDensity(646.75), 0.32);  // the outer loop's minimum
}

// Along the whole saturation line the saturated densities lie on their own branches: the liquid at or above
// the liquid spinodal (a root wherever the branch has one), the vapour a root at or below the vapour
// spinodal.
TEST(Nbs84Density, SaturatedDensitiesOnTheirBranches) {
  int failures = 0;
  for (double T = 273.16; T < kCriticalTemperature; T += (T < 640.0 ? 1.7 : 0.023)) {
    const double Psat = SatPressure(T);
    const double rho_f = SatLiquidDensity(T);
    const double rho_g = SatVapourDensity(T);
    const double liquid_spinodal = LiquidSpinodal(T);
    const bool has_root = PressureOfTD(T, liquid_spinodal) <= Psat;
    const bool ok = rho_f >= liquid_spinodal - 2e-4 && (IsRoot(T, Psat, rho_f) || !has_root) && rho_g > 0.0 &&
                    rho_g <= VapourSpinodal(T) + 2e-4 && IsRoot(T, Psat, rho_g);
    if (!ok && ++failures <= 10) ADD_FAILURE() << "T=" << T << " rho_f=" << rho_f << " rho_g=" << rho_g;
  }
  EXPECT_EQ(failures, 0);
}

TEST(Nbs84Density, NearCriticalSearchesFindTheirRoots) {
  struct Row {
    const char* what;
    double T, P;
    double rho;
    int digits;
  };
  const Row rows[] = {
      // Started from the saturated liquid of its temperature, which the plain secant leaves at 0.365 g/cm3.
      {"compressed liquid at 645.9 K and 100 MPa", 645.9, 100.0, 0.7317, 4},
      // The plain secant wanders to 6.59 g/cm3, past the excluded-volume limit.
      {"supercritical at the clamp temperature", 647.126, 23.55, 0.4858, 4},
      {"supercritical just above the clamp", 647.526, 22.5, 0.4355, 4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const double rho = DensityOfTP(r.T, r.P, StateSelector::SinglePhase);
    EXPECT_TRUE(AgreesToDigits(rho, r.rho, r.digits));
    EXPECT_TRUE(IsRoot(r.T, r.P, rho));
  }
  // The saturated vapour just below the clamp: the plain secant stops on its flatness test at 0.279 g/cm3.
  for (const double T : {647.1215, 647.125, 647.1259}) {
    SCOPED_TRACE(T);
    const double rho_g = SatVapourDensity(T);
    EXPECT_TRUE(IsRoot(T, SatPressure(T), rho_g));
    EXPECT_LT(rho_g, VapourSpinodal(T));
  }
  EXPECT_TRUE(AgreesToDigits(SatVapourDensity(647.125), 0.2457, 4));
}

// Every density of the near-critical band is positive, finite and on the branch its phase asks for: a liquid
// density at or above the liquid spinodal and a root where the branch has one, a vapour density at or below
// the vapour spinodal and a root, a supercritical density a root.
TEST(Nbs84Density, NearCriticalScanIsBranchCorrect) {
  int failures = 0;
  for (int i = 0; i <= 134; ++i) {
    const double T = 645.0 + 0.05 * i;
    const bool subcritical = T < kCriticalTemperature;
    const double liquid_spinodal = subcritical ? LiquidSpinodal(T) : 0.0;
    const double vapour_spinodal = subcritical ? VapourSpinodal(T) : 0.0;
    const double Psat = SatPressure(T);
    for (int j = 0; j <= 121; ++j) {
      const double P = j < 121 ? 20.0 + 0.05 * j : 100.0;
      const double rho = DensityOfTP(T, P, StateSelector::SinglePhase);
      bool ok = rho > 0.0 && std::isfinite(EnthalpyOfTD(T, rho)) && std::isfinite(EntropyOfTD(T, rho));
      if (!subcritical) {
        ok = ok && IsRoot(T, P, rho);
      } else if (P > Psat) {
        const bool has_root = PressureOfTD(T, liquid_spinodal) <= P;
        ok = ok && rho >= liquid_spinodal - 2e-4 && (IsRoot(T, P, rho) || !has_root);
      } else {
        ok = ok && rho <= vapour_spinodal + 2e-4 && IsRoot(T, P, rho);
      }
      if (!ok && ++failures <= 10) ADD_FAILURE() << "T=" << T << " P=" << P << " rho=" << rho;
    }
  }
  EXPECT_EQ(failures, 0);
}

// Over the whole range the single-phase density is a root on its branch: never below the saturated liquid's
// density in the liquid, never above the saturated vapour's in the vapour.
TEST(Nbs84Density, WideScanFindsRoots) {
  int failures = 0;
  for (double T = 273.16; T <= 1500.0; T += 7.3) {
    const double Psat = SatPressure(T);
    const bool subcritical = T < kCriticalTemperature;
    const double rho_f = subcritical ? SatLiquidDensity(T) : 0.0;
    const double rho_g = subcritical ? SatVapourDensity(T) : 0.0;
    for (double lp = -3.0; lp <= 2.0; lp += 0.05) {
      const double P = std::pow(10.0, lp);
      const double rho = DensityOfTP(T, P, StateSelector::SinglePhase);
      bool ok = rho > 0.0 && IsRoot(T, P, rho);
      if (subcritical) ok = ok && (P > Psat ? rho >= rho_f : rho <= rho_g);
      if (!ok && ++failures <= 10) ADD_FAILURE() << "T=" << T << " P=" << P << " rho=" << rho;
    }
  }
  EXPECT_EQ(failures, 0);
}

// Bad arguments run through bounded loops, never a hang or a crash (the sanitizer presets run this too). A
// NaN pressure must not steer a search to a plausible density, nor a NaN temperature a saturated one: NaN.
TEST(Nbs84Density, BadArgumentsTerminateAndNaNStaysNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan, inf, -inf, 0.0, -1.0, 1e-300, 1e300};
  for (const double x : values) {
    SCOPED_TRACE(x);
    (void)SatLiquidDensity(x);
    (void)SatVapourDensity(x);
    (void)DensityOfTP(x, 1.0, StateSelector::SinglePhase);
    for (const double T : {300.0, 500.0, 646.5, 800.0}) (void)DensityOfTP(T, x, StateSelector::SinglePhase);
  }
  for (const double T : {300.0, 500.0, 646.5, 647.2, 800.0}) {
    SCOPED_TRACE(T);
    EXPECT_TRUE(std::isnan(DensityOfTP(T, nan, StateSelector::SinglePhase)));
  }
  EXPECT_TRUE(std::isnan(SatLiquidDensity(nan)));
  EXPECT_TRUE(std::isnan(SatVapourDensity(nan)));
}

}  // namespace
}  // namespace brimwater::nbs84
