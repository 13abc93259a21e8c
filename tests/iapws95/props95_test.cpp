// Code 95 through the public functions: SI and English units agree, the saturated selectors and single-phase
// states reach the kernel, and the inverse functions invert the forward ones across the phases.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws95/iapws95.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;

// English arguments are converted in, results out, by the factors of the interface; computing the SI
// arguments the same way leaves nothing but the output factor between the two results.
TEST(Iapws95Public, EnglishAndSiUnitsAgree) {
  struct Row {
    double t_f, p_psia;
  };
  const Row rows[] = {{80.0, 14.7},    {212.0, 14.7},    {400.0, 100.0},
                      {700.0, 1000.0}, {1000.0, 4000.0}, {2000.0, 1.0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.t_f << " F, " << r.p_psia << " psia");
    const double T = (r.t_f + 459.67) / 1.8;
    const double P = r.p_psia / 145.0377377;
    EXPECT_TRUE(AgreesRelative(VofTP(r.t_f, r.p_psia, 95), VofTP(T, P, -95) / 62.42796058, 1e-15));
    EXPECT_TRUE(AgreesRelative(HofTP(r.t_f, r.p_psia, 95), HofTP(T, P, -95) / 2.326, 1e-15));
    EXPECT_TRUE(AgreesRelative(SofTP(r.t_f, r.p_psia, 95), SofTP(T, P, -95) / 4.1868, 1e-15));
    EXPECT_TRUE(AgreesRelative(Psat(r.t_f, 95), Psat(T, -95) * 145.0377377, 1e-15));
    EXPECT_TRUE(AgreesRelative(Vf(r.t_f, 95), Vf(T, -95) / 62.42796058, 1e-15));
    EXPECT_TRUE(AgreesRelative(Vg(r.t_f, 95), Vg(T, -95) / 62.42796058, 1e-15));
    EXPECT_TRUE(AgreesRelative(Hf(r.t_f, 95), Hf(T, -95) / 2.326, 1e-15));
    EXPECT_TRUE(AgreesRelative(Hg(r.t_f, 95), Hg(T, -95) / 2.326, 1e-15));
    EXPECT_TRUE(AgreesRelative(Sf(r.t_f, 95), Sf(T, -95) / 4.186, 1e-15));  // 4.186 for Sf and Sg
    EXPECT_TRUE(AgreesRelative(Sg(r.t_f, 95), Sg(T, -95) / 4.186, 1e-15));
  }
  EXPECT_TRUE(AgreesRelative(Tsat(14.7, 95), Tsat(14.7 / 145.0377377, -95) * 1.8 - 459.67, 1e-15));
}

TEST(Iapws95Public, ReachesTheKernel) {
  const double rho_f = iapws95::SatLiquidDensity(373.15);
  const double rho_g = iapws95::SatVapourDensity(373.15);
  EXPECT_EQ(Vf(373.15, -95), 1.0 / rho_f);
  EXPECT_EQ(Vg(373.15, -95), 1.0 / rho_g);
  EXPECT_EQ(Hf(373.15, -95), iapws95::EnthalpyOfTD(373.15, rho_f));
  EXPECT_EQ(Sg(373.15, -95), iapws95::EntropyOfTD(373.15, rho_g));
  EXPECT_EQ(Psat(373.15, -95), Psat(373.15, -97));  // the IF97 saturation line
  EXPECT_EQ(Tsat(1.0, -95), Tsat(1.0, -97));
  EXPECT_TRUE(AgreesRelative(VofTP(300.0, 0.1, -95), 1.0 / 0.996556, 1e-6));
  EXPECT_EQ(Vf(700.0, -95), 1.0 / 0.322);  // saturated states above the critical temperature
  EXPECT_EQ(Vg(700.0, -95), 1.0 / 0.322);
}

// TofPH stops within 0.01 kJ/kg and TofPS within 1e-5 kJ/(kg K) of the target, so the temperature comes
// back within a few millikelvin wherever the heat capacity is that of water or steam.
TEST(Iapws95Public, InverseRoundTrips) {
  struct Row {
    const char* phase;
    double T, P;
  };
  const Row rows[] = {
      {"liquid", 280.0, 0.1},          {"liquid", 300.0, 1.0},         {"liquid", 400.0, 5.0},
      {"liquid", 500.0, 10.0},         {"liquid", 600.0, 20.0},        {"vapour", 400.0, 0.1},
      {"vapour", 500.0, 1.0},          {"vapour", 700.0, 5.0},         {"vapour", 900.0, 10.0},
      {"vapour", 1200.0, 0.01},        {"vapour", 640.0, 19.0},        {"supercritical", 650.0, 25.0},
      {"supercritical", 700.0, 30.0},  {"supercritical", 800.0, 50.0}, {"supercritical", 1000.0, 100.0},
      {"supercritical", 1400.0, 40.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.phase << " " << r.T << " K, " << r.P << " MPa");
    const double h = HofTP(r.T, r.P, -95);
    const double s = SofTP(r.T, r.P, -95);
    const double t_h = TofPH(r.P, h, -95);
    const double t_s = TofPS(r.P, s, -95);
    EXPECT_NEAR(t_h, r.T, 0.01);
    EXPECT_NEAR(t_s, r.T, 0.01);
    EXPECT_NEAR(HofTP(t_h, r.P, -95), h, 0.011);
    EXPECT_NEAR(SofTP(t_s, r.P, -95), s, 1.1e-5);
    EXPECT_NEAR(SofPH(r.P, h, -95), s, 1e-4);
    EXPECT_NEAR(HofPS(r.P, s, -95), h, 0.05);
  }
}

}  // namespace
}  // namespace brimwater
