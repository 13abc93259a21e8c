// The public property functions with formulation code 84: both unit systems, the inverse functions, and the
// near-critical saturated states.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>

#include "nbs84/nbs84.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr FormulationCode kSI = -84;
constexpr FormulationCode kEnglish = 84;

double ToFahrenheit(double T) { return T * 1.8 - 459.67; }
double FromFahrenheit(double T) { return (T + 459.67) / 1.8; }
constexpr double kPsiaPerMPa = 145.0377377;

TEST(Nbs84Props, SaturationLineStepAtTheClamp) {
  EXPECT_TRUE(AgreesToDigits(Psat(647.125999, kSI), 22.0218, 6));
  EXPECT_EQ(Psat(647.126, kSI), 22.055);
  EXPECT_EQ(Psat(273.16, kSI), 6.10716e-4);
  EXPECT_EQ(Tsat(22.055, kSI), 647.126);
  EXPECT_TRUE(AgreesToDigits(Tsat(0.101325, kSI), 373.1982, 7));
  EXPECT_TRUE(AgreesToDigits(Tsat(1.0, kSI), 453.1411, 7));
}

// The same states through English and SI arguments give the same results, converted by the factors of the
// interface.
TEST(Nbs84Props, EnglishAndSIAgree) {
  struct State {
    double T, P;  // K, MPa
  };
  const State states[] = {{300.0, 0.1},  {373.15, 1.0}, {453.0, 0.5},
                          {600.0, 20.0}, {700.0, 25.0}, {1000.0, 100.0}};
  constexpr double kRel = 1e-9;
  for (const State& s : states) {
    SCOPED_TRACE(::testing::Message() << "T=" << s.T << " P=" << s.P);
    const double TF = ToFahrenheit(s.T);
    const double Pp = s.P * kPsiaPerMPa;
    EXPECT_TRUE(AgreesRelative(Psat(TF, kEnglish) / kPsiaPerMPa, Psat(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(FromFahrenheit(Tsat(Pp, kEnglish)), Tsat(s.P, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Vf(TF, kEnglish) * 62.42796058, Vf(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Vg(TF, kEnglish) * 62.42796058, Vg(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Hf(TF, kEnglish) * 2.326, Hf(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Hg(TF, kEnglish) * 2.326, Hg(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Sf(TF, kEnglish) * 4.186, Sf(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(Sg(TF, kEnglish) * 4.186, Sg(s.T, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(VofTP(TF, Pp, kEnglish) * 62.42796058, VofTP(s.T, s.P, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(HofTP(TF, Pp, kEnglish) * 2.326, HofTP(s.T, s.P, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(SofTP(TF, Pp, kEnglish) * 4.1868, SofTP(s.T, s.P, kSI), kRel));
    const double h = HofTP(s.T, s.P, kSI);
    const double S = SofTP(s.T, s.P, kSI);
    EXPECT_TRUE(AgreesRelative(FromFahrenheit(TofPH(Pp, h / 2.326, kEnglish)), TofPH(s.P, h, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(SofPH(Pp, h / 2.326, kEnglish) * 4.1868, SofPH(s.P, h, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(FromFahrenheit(TofPS(Pp, S / 4.1868, kEnglish)), TofPS(s.P, S, kSI), kRel));
    EXPECT_TRUE(AgreesRelative(HofPS(Pp, S / 4.1868, kEnglish) * 2.326, HofPS(s.P, S, kSI), kRel));
  }
}

// The density form: Vf is the reciprocal of the saturated-liquid density, Hf and Sf are evaluated there.
TEST(Nbs84Props, SaturatedPropertiesComeFromTheSaturatedDensities) {
  const double T = 373.15;
  const double rho_f = nbs84::SatLiquidDensity(T);
  const double rho_g = nbs84::SatVapourDensity(T);
  EXPECT_EQ(Vf(T, kSI), 1.0 / rho_f);
  EXPECT_EQ(Vg(T, kSI), 1.0 / rho_g);
  EXPECT_EQ(Hf(T, kSI), nbs84::EnthalpyOfTD(T, rho_f));
  EXPECT_EQ(Sg(T, kSI), nbs84::EntropyOfTD(T, rho_g));
  EXPECT_EQ(Vf(700.0, kSI), 1.0 / 0.322);
  EXPECT_EQ(Vg(700.0, kSI), 1.0 / 0.322);
}

// Where the saturated liquid has no root (about 645.88 K to 647.126 K) its properties are still those of a
// liquid: positive volume below the vapour's, finite enthalpy and entropy below the vapour's.
TEST(Nbs84Props, NearCriticalSaturatedLiquidIsFiniteAndLiquid) {
  for (double T = 645.5; T < 647.126; T += 0.01) {
    SCOPED_TRACE(T);
    const double vf = Vf(T, kSI);
    const double vg = Vg(T, kSI);
    EXPECT_GT(vf, 0.0);
    EXPECT_LT(vf, vg * 0.85);
    EXPECT_LT(Hf(T, kSI), Hg(T, kSI));
    EXPECT_LT(Sf(T, kSI), Sg(T, kSI));
  }
  EXPECT_TRUE(AgreesToDigits(HofTP(645.9, 100.0, kSI), 1656.33, 6));
}

// T -> h -> T and T -> s -> T over liquid, vapour and supercritical states away from the near-critical
// interval, with the entropy of (P, h) and the enthalpy of (P, s) along.
TEST(Nbs84Props, InverseRoundTrips) {
  const double pressures[] = {0.005, 0.1, 1.0, 5.0, 10.0, 20.0, 30.0, 60.0, 100.0};
  const double temperatures[] = {280.0, 320.0, 373.15, 420.0, 480.0,  540.0, 600.0,
                                 630.0, 660.0, 700.0,  850.0, 1100.0, 1400.0};
  for (const double P : pressures) {
    const double Ts = Tsat(P, kSI);
    for (const double T : temperatures) {
      if (std::fabs(T - Ts) < 1.0) continue;  // too close to the line for the solvers' tolerances
      SCOPED_TRACE(::testing::Message() << "T=" << T << " P=" << P);
      const double h = HofTP(T, P, kSI);
      const double s = SofTP(T, P, kSI);
      const double T_h = TofPH(P, h, kSI);
      const double T_s = TofPS(P, s, kSI);
      EXPECT_NEAR(HofTP(T_h, P, kSI), h, 0.01);
      EXPECT_NEAR(T_h, T, 0.02);
      EXPECT_NEAR(SofTP(T_s, P, kSI), s, 1e-5);
      EXPECT_NEAR(T_s, T, 0.02);
      // At constant pressure dh = T ds: the solvers' tolerances in h and s carry over as such.
      EXPECT_NEAR(SofPH(P, h, kSI), s, 0.01 / T);
      EXPECT_NEAR(HofPS(P, s, kSI), h, 1e-5 * T);
    }
  }
}

// Wet states: the saturation temperature and the quality-weighted properties of this formulation's line.
TEST(Nbs84Props, WetStates) {
  for (const double P : {0.01, 0.101325, 1.0, 10.0, 20.0}) {
    SCOPED_TRACE(P);
    const double Ts = Tsat(P, kSI);
    const double hf = Hf(Ts, kSI);
    const double hg = Hg(Ts, kSI);
    const double sf = Sf(Ts, kSI);
    const double sg = Sg(Ts, kSI);
    EXPECT_EQ(TofPH(P, 0.5 * (hf + hg), kSI), Ts);
    EXPECT_EQ(TofPS(P, 0.5 * (sf + sg), kSI), Ts);
    EXPECT_TRUE(AgreesRelative(SofPH(P, 0.5 * (hf + hg), kSI), 0.5 * (sf + sg), 1e-14));
    EXPECT_TRUE(AgreesRelative(HofPS(P, 0.5 * (sf + sg), kSI), 0.5 * (hf + hg), 1e-14));
  }
}

}  // namespace
}  // namespace brimwater
