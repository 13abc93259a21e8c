// The public property functions with formulation code 67: English and SI agree, bad input is safe, and the
// inverse functions invert the forward ones.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Fahrenheit(double T) { return T * 1.8 - 459.67; }
double Psia(double P) { return P * 145.0377377; }

// Code 67 takes and returns English units, code -67 SI; the kernel is the same.
TEST(Ifc67Properties, EnglishAndSiAgree) {
  constexpr double kRel = 1e-9;  // the two temperature conversions may differ in the last bits
  for (double T : {300.0, 373.15, 500.0, 623.14, 630.0, 640.0, 700.0}) {
    SCOPED_TRACE(T);
    const double F = Fahrenheit(T);
    EXPECT_TRUE(AgreesRelative(Psat(F, 67), Psia(Psat(T, -67)), kRel));
    EXPECT_TRUE(AgreesRelative(Vf(F, 67), Vf(T, -67) / 62.42796058, kRel));
    EXPECT_TRUE(AgreesRelative(Vg(F, 67), Vg(T, -67) / 62.42796058, kRel));
    EXPECT_TRUE(AgreesRelative(Hf(F, 67), Hf(T, -67) / 2.326, kRel));
    EXPECT_TRUE(AgreesRelative(Hg(F, 67), Hg(T, -67) / 2.326, kRel));
    EXPECT_TRUE(AgreesRelative(Sf(F, 67), Sf(T, -67) / 4.186, kRel));
    EXPECT_TRUE(AgreesRelative(Sg(F, 67), Sg(T, -67) / 4.186, kRel));
  }
  for (double P : {0.01, 0.101325, 1.0, 10.0, 20.0}) {
    SCOPED_TRACE(P);
    EXPECT_TRUE(AgreesRelative(Tsat(Psia(P), 67), Fahrenheit(Tsat(P, -67)), kRel));
  }
  struct Row {
    double T, P;
  };
  // One state in each sub-region: 1, 2, 4, 3 above Tc, 2 beyond 863.15 K.
  const Row states[] = {{298.15, 0.1}, {573.15, 1.0}, {640.0, 25.0}, {650.0, 25.0}, {900.0, 50.0}};
  for (const Row& r : states) {
    SCOPED_TRACE(r.T);
    const double F = Fahrenheit(r.T);
    const double psia = Psia(r.P);
    EXPECT_TRUE(AgreesRelative(VofTP(F, psia, 67), VofTP(r.T, r.P, -67) / 62.42796058, kRel));
    EXPECT_TRUE(AgreesRelative(HofTP(F, psia, 67), HofTP(r.T, r.P, -67) / 2.326, kRel));
    EXPECT_TRUE(AgreesRelative(SofTP(F, psia, 67), SofTP(r.T, r.P, -67) / 4.1868, kRel));
  }
}

TEST(Ifc67Properties, CriticalValuesAboveTheCriticalTemperature) {
  for (double T : {647.3, 700.0}) {
    SCOPED_TRACE(T);
    EXPECT_TRUE(AgreesRelative(Vf(T, -67), 3.1700041527054403, 1e-15));
    EXPECT_TRUE(AgreesRelative(Vg(T, -67), 3.1700041527054403, 1e-15));
    EXPECT_TRUE(brimwater::testing::AgreesToDigits(Hf(T, -67), 2107.373, 7));
    EXPECT_TRUE(brimwater::testing::AgreesToDigits(Hg(T, -67), 2107.373, 7));
    EXPECT_TRUE(brimwater::testing::AgreesToDigits(Sf(T, -67), 4.442875, 7));
    EXPECT_TRUE(brimwater::testing::AgreesToDigits(Sg(T, -67), 4.442875, 7));
  }
}

// h and s at (T, P) fed back to TofPH and TofPS return T, in each sub-region. The solvers stop within
// 0.01 kJ/kg or 1e-5 kJ/(kg K), a few millikelvin.
TEST(Ifc67Properties, InverseFunctionsRoundTrip) {
  struct Row {
    const char* where;
    double T, P;
  };
  const Row rows[] = {
      {"sub-region 1", 300.0, 0.1},  {"sub-region 1", 400.0, 5.0},  {"sub-region 1", 500.0, 20.0},
      {"sub-region 1", 600.0, 50.0}, {"sub-region 2", 400.0, 0.1},  {"sub-region 2", 573.15, 1.0},
      {"sub-region 2", 700.0, 10.0}, {"sub-region 2", 900.0, 50.0}, {"sub-region 2", 1200.0, 5.0},
      {"sub-region 3", 630.0, 17.5}, {"sub-region 3", 650.0, 25.0}, {"sub-region 3", 700.0, 60.0},
      {"sub-region 4", 630.0, 30.0}, {"sub-region 4", 640.0, 25.0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.where << " at " << r.T << " K, " << r.P << " MPa");
    const double h = HofTP(r.T, r.P, -67);
    const double s = SofTP(r.T, r.P, -67);
    EXPECT_NEAR(TofPH(r.P, h, -67), r.T, 0.01);
    EXPECT_NEAR(TofPS(r.P, s, -67), r.T, 0.01);
    EXPECT_NEAR(SofPH(r.P, h, -67), s, 2e-5);
    EXPECT_NEAR(HofPS(r.P, s, -67), h, 0.02);
    // The same in English units.
    const double F = Fahrenheit(r.T);
    const double psia = Psia(r.P);
    EXPECT_NEAR(TofPH(psia, HofTP(F, psia, 67), 67), F, 0.018);
    EXPECT_NEAR(TofPS(psia, SofTP(F, psia, 67), 67), F, 0.018);
  }
}

// A wet state returns the saturation temperature itself, and SofPH / HofPS interpolate by quality.
TEST(Ifc67Properties, WetStatesReturnTheSaturationTemperature) {
  for (double P : {0.01, 0.101325, 1.0, 10.0, 20.0}) {
    SCOPED_TRACE(P);
    const double Ts = Tsat(P, -67);
    const double hf = Hf(Ts, -67), hg = Hg(Ts, -67), sf = Sf(Ts, -67), sg = Sg(Ts, -67);
    EXPECT_TRUE(AgreesRelative(TofPH(P, 0.5 * (hf + hg), -67), Ts, 1e-15));
    EXPECT_TRUE(AgreesRelative(TofPS(P, 0.5 * (sf + sg), -67), Ts, 1e-15));
    EXPECT_TRUE(AgreesRelative(SofPH(P, 0.5 * (hf + hg), -67), 0.5 * (sf + sg), 1e-12));
    EXPECT_TRUE(AgreesRelative(HofPS(P, 0.5 * (sf + sg), -67), 0.5 * (hf + hg), 1e-12));
  }
}

// NaN, infinities, zero, negative and huge arguments return a number (possibly NaN or infinite) without
// crashing or hanging; a NaN temperature or pressure comes back as NaN rather than as a plausible value.
TEST(Ifc67Properties, BadInputIsSafe) {
  const double bad[] = {kNaN, kInf, -kInf, 0.0, -1.0, -1e300, 1e300, 1e-300};
  for (int code : {67, -67}) {
    for (double x : bad) {
      SCOPED_TRACE(::testing::Message() << "code " << code << ", argument " << x);
      const double saturation[] = {Psat(x, code), Tsat(x, code), Vf(x, code), Vg(x, code),
                                   Hf(x, code),   Hg(x, code),   Sf(x, code), Sg(x, code)};
      for (double y : saturation) (void)y;
      for (double other : {300.0, 1.0, x}) {
        (void)VofTP(x, other, code);
        (void)HofTP(x, other, code);
        (void)SofTP(other, x, code);
        (void)TofPH(x, other, code);
        (void)TofPS(other, x, code);
        (void)SofPH(x, other, code);
        (void)HofPS(other, x, code);
      }
    }
    SCOPED_TRACE(code);
    EXPECT_TRUE(std::isnan(Psat(kNaN, code)));
    EXPECT_TRUE(std::isnan(Tsat(kNaN, code)));
    EXPECT_TRUE(std::isnan(Vf(kNaN, code)));
    EXPECT_TRUE(std::isnan(Hg(kNaN, code)));
    EXPECT_TRUE(std::isnan(VofTP(kNaN, 1.0, code)));
    EXPECT_TRUE(std::isnan(HofTP(500.0, kNaN, code)));
    EXPECT_TRUE(std::isnan(SofTP(kNaN, kNaN, code)));
    EXPECT_TRUE(std::isnan(VofTP(kInf, 10.0, code)));  // sub-region 3 at an infinite temperature
  }
}

}  // namespace
}  // namespace brimwater
