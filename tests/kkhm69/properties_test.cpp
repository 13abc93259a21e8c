// Code 69 through the public functions: saturated properties, the critical-density volume, English units,
// the inverse functions and hostile arguments.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kkhm69/kkhm69.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

TEST(Kkhm69Properties, SaturatedStates) {
  struct Row {
    const char* what;
    double value;
    double quoted;
    int digits;
  };
  const Row rows[] = {
      {"Psat(373.15)", Psat(373.15, -69), 0.10143127, 8},
      {"Tsat(0.101325)", Tsat(0.101325, -69), 373.12062, 8},
      {"Vf(373.15)", Vf(373.15, -69), 1.0 / 0.95828834, 8},
      {"Vg(373.15)", Vg(373.15, -69), 1.0 / 0.00059826257, 8},
      {"Hf(373.15)", Hf(373.15, -69), 419.09, 5},
      {"Sf(373.15)", Sf(373.15, -69), 1.30675, 6},
      {"Hg(373.15)", Hg(373.15, -69), 2676.05, 6},
      {"Sg(373.15)", Sg(373.15, -69), 7.3544, 5},
      {"Hf(273.16)", Hf(273.16, -69), 0.0573, 3},
      {"Sf(273.16)", Sf(273.16, -69), -0.00006, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(r.value, r.quoted, r.digits));
  }
  // Regression values: the triple-point liquid as this kernel computes it, beyond the quoted digits.
  EXPECT_NEAR(Hf(273.16, -69), 0.05731738535, 1e-9);
  EXPECT_NEAR(Sf(273.16, -69), -0.00006059500286, 1e-12);
}

// At and above 647.245 K both saturated states are the critical density.
TEST(Kkhm69Properties, SaturatedVolumesAtAndAboveTc) {
  for (const double T : {647.245, 650.0, 1000.0}) {
    SCOPED_TRACE(T);
    EXPECT_TRUE(AgreesToDigits(Vf(T, -69), 3.15637, 6));
    EXPECT_TRUE(AgreesToDigits(Vg(T, -69), 3.15637, 6));
    EXPECT_EQ(Hf(T, -69), Hg(T, -69));
    EXPECT_EQ(Sf(T, -69), Sg(T, -69));
  }
  EXPECT_EQ(Psat(700.0, -69), 22.0894);
  EXPECT_EQ(Tsat(25.0, -69), 647.245);
}

TEST(Kkhm69Properties, EnglishUnits) {
  // 212 degF is 373.15 K.
  EXPECT_TRUE(AgreesRelative(Psat(212.0, 69), Psat(373.15, -69) * 145.0377377, 1e-12));
  EXPECT_TRUE(AgreesRelative(Sf(212.0, 69), Sf(373.15, -69) / 4.186, 1e-12));
  EXPECT_TRUE(
      AgreesRelative(VofTP(212.0, 14.5, 69), VofTP(373.15, 14.5 / 145.0377377, -69) / 62.42796058, 1e-12));
  EXPECT_TRUE(AgreesRelative(SofTP(212.0, 14.5, 69), SofTP(373.15, 14.5 / 145.0377377, -69) / 4.1868, 1e-12));
}

TEST(Kkhm69Properties, InverseRoundTrips) {
  struct State {
    double T, P;
  };
  const State states[] = {
      {280.0, 0.1},  {300.0, 10.0},  {450.0, 50.0},  {600.0, 20.0},   // liquid
      {400.0, 0.1},  {500.0, 1.0},   {700.0, 10.0},  {1000.0, 0.01},  // vapour
      {650.0, 25.0}, {700.0, 100.0}, {1200.0, 50.0},                  // supercritical
  };
  for (const State& st : states) {
    SCOPED_TRACE(::testing::Message() << "T = " << st.T << ", P = " << st.P);
    const double h = HofTP(st.T, st.P, -69);
    const double s = SofTP(st.T, st.P, -69);
    EXPECT_NEAR(TofPH(st.P, h, -69), st.T, 0.01);
    EXPECT_NEAR(TofPS(st.P, s, -69), st.T, 0.01);
    EXPECT_NEAR(SofPH(st.P, h, -69), s, 1e-4);
    EXPECT_NEAR(HofPS(st.P, s, -69), h, 0.05);
  }
}

// A state inside the dome: the inverse functions answer at the 1969 saturation temperature.
TEST(Kkhm69Properties, WetStates) {
  for (const double P : {0.01, 0.101325, 1.0, 10.0}) {
    SCOPED_TRACE(P);
    const double Ts = Tsat(P, -69);
    const double hf = Hf(Ts, -69), hg = Hg(Ts, -69);
    const double sf = Sf(Ts, -69), sg = Sg(Ts, -69);
    EXPECT_EQ(TofPH(P, 0.5 * (hf + hg), -69), Ts);
    EXPECT_EQ(TofPS(P, 0.5 * (sf + sg), -69), Ts);
    EXPECT_TRUE(AgreesRelative(SofPH(P, 0.5 * (hf + hg), -69), 0.5 * (sf + sg), 1e-12));
  }
}

}  // namespace
}  // namespace brimwater
