// The inverse property functions: wet-state tests, the two secant solvers and their bracketed finish.
#include "props/inverse.h"

#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "if97/if97.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;

double SaturatedH(double Ts, StateSelector s) { return if97::EnthalpyOfTP(Ts, 0.0, s); }
double SaturatedS(double Ts, StateSelector s) { return if97::EntropyOfTP(Ts, 0.0, s); }

// Regression values: temperatures and secant iteration counts these solvers gave with code 97. They pin the
// secant's path, so that a change of its arithmetic shows.
TEST(InverseSolvers, Code97SolutionsRegression) {
  struct Row {
    const char* what;
    bool enthalpy;  // temperature of (P, h), else of (P, s)
    double P, x, T;
    int new_points;
  };
  const Row rows[] = {
      {"TofPH(1, 3000)", true, 1.0, 3000.0, 549.1217, 5},
      {"TofPH(10, 1000)", true, 10.0, 1000.0, 504.9373, 3},
      {"TofPH(0.1, 2000), wet", true, 0.1, 2000.0, 372.7559187, 0},
      {"TofPS(1, 7.0), bracket 453.0356 to 1500 K", false, 1.0, 7.0, 540.9506, 5},
      {"TofPS(10, 2.5), bracket 273.15 to 584.1495 K", false, 10.0, 2.5, 492.7298, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const inverse::TemperatureSolution s =
        r.enthalpy ? inverse::TemperatureOfPH(r.P, r.x, -97) : inverse::TemperatureOfPS(r.P, r.x, -97);
    EXPECT_NEAR(s.T, r.T, r.new_points == 0 ? 5e-8 : 5e-5);
    EXPECT_EQ(s.new_points, r.new_points);
    EXPECT_TRUE(s.secant_solved);
    EXPECT_FALSE(s.bracketed);
    EXPECT_EQ(r.enthalpy ? TofPH(r.P, r.x, -97) : TofPS(r.P, r.x, -97), s.T);
  }
}

// The wet-state tests are inclusive at both ends; inside, the functions interpolate by quality.
TEST(InverseWetStates, InclusiveEndsAndQuality) {
  for (const double P : {0.01, 0.1, 1.0, 10.0, 20.0}) {
    SCOPED_TRACE(P);
    const double Ts = if97::SatTemperature(P);
    const double hf = SaturatedH(Ts, StateSelector::SaturatedLiquid);
    const double hg = SaturatedH(Ts, StateSelector::SaturatedVapour);
    const double sf = SaturatedS(Ts, StateSelector::SaturatedLiquid);
    const double sg = SaturatedS(Ts, StateSelector::SaturatedVapour);
    EXPECT_EQ(TofPH(P, hf, -97), Ts);
    EXPECT_EQ(TofPH(P, hg, -97), Ts);
    EXPECT_EQ(TofPH(P, 0.3 * hf + 0.7 * hg, -97), Ts);
    EXPECT_EQ(TofPS(P, sf, -97), Ts);
    EXPECT_EQ(TofPS(P, sg, -97), Ts);
    EXPECT_TRUE(AgreesRelative(SofPH(P, (hf + hg) / 2, -97), (sf + sg) / 2, 1e-14));
    EXPECT_TRUE(AgreesRelative(HofPS(P, (sf + sg) / 2, -97), (hf + hg) / 2, 1e-14));
    EXPECT_EQ(HofPS(P, sf, -97), hf);
    EXPECT_TRUE(AgreesRelative(SofPH(P, hg, -97), sg, 1e-14));
  }
}

// Next to the saturation line the secant can stall across the jump of h at the saturation temperature; the
// bracketed finish must then find the single-phase root on the right side of the line.
TEST(InverseNearSaturation, EnthalpyJustOutsideTheDome) {
  {
    const double Ts = if97::SatTemperature(10.0);
    const double H = SaturatedH(Ts, StateSelector::SaturatedVapour) + 5.0;
    const double T = TofPH(10.0, H, -97);
    EXPECT_GT(T, Ts);
    EXPECT_LT(std::fabs(HofTP(T, 10.0, -97) - H), 0.01);
  }
  for (double P = 0.5; P <= 21.0; P += 0.5) {
    const double Ts = if97::SatTemperature(P);
    const double hf = SaturatedH(Ts, StateSelector::SaturatedLiquid);
    const double hg = SaturatedH(Ts, StateSelector::SaturatedVapour);
    for (const double dh : {0.02, 0.1, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0}) {
      SCOPED_TRACE(::testing::Message() << "P = " << P << ", dh = " << dh);
      const double T_vapour = TofPH(P, hg + dh, -97);
      EXPECT_GE(T_vapour, Ts);
      EXPECT_LT(std::fabs(HofTP(T_vapour, P, -97) - (hg + dh)), 0.01);
      const double T_liquid = TofPH(P, hf - dh, -97);
      EXPECT_LE(T_liquid, Ts);
      EXPECT_LT(std::fabs(HofTP(T_liquid, P, -97) - (hf - dh)), 0.01);
    }
  }
}

TEST(InverseNearSaturation, EntropyJustOutsideTheDome) {
  for (double P = 0.5; P <= 21.0; P += 0.5) {
    const double Ts = if97::SatTemperature(P);
    const double sf = SaturatedS(Ts, StateSelector::SaturatedLiquid);
    const double sg = SaturatedS(Ts, StateSelector::SaturatedVapour);
    for (const double ds : {1e-4, 1e-3, 1e-2, 5e-2}) {
      SCOPED_TRACE(::testing::Message() << "P = " << P << ", ds = " << ds);
      const double T_vapour = TofPS(P, sg + ds, -97);
      EXPECT_GE(T_vapour, Ts);
      EXPECT_LT(std::fabs(SofTP(T_vapour, P, -97) - (sg + ds)), 1e-5);
      const double T_liquid = TofPS(P, sf - ds, -97);
      EXPECT_LE(T_liquid, Ts);
      EXPECT_LT(std::fabs(SofTP(T_liquid, P, -97) - (sf - ds)), 1e-5);
    }
  }
}

// Saturated-liquid enthalpies that one bit of unit-conversion round-off puts just below hf, as the plant
// models feed them back: the entropy must be the liquid's, not a vapour's.
TEST(InverseNearSaturation, PlantModelFeedback) {
  EXPECT_NEAR(SofPH(86.48057153231602, 287.8079227714974, 97), 0.4606, 5e-4);
  EXPECT_NEAR(SofPH(16.621356603686717, 186.46141957884134, 97), 0.3215, 5e-4);
}

// The same feedback for every formulation: saturated enthalpies in English units, round-tripped through the
// unit conversion, must give the saturated entropies (Sf and Sg divide by 4.186, SofPH by 4.1868).
TEST(InverseNearSaturation, SaturatedEnthalpiesGiveSaturatedEntropiesInEveryFormulation) {
  EXPECT_NEAR(SofPH(0.57266852894741338, 51.074740107233254, 84), 0.0988, 5e-4);  // stcycle, code 84
  for (const FormulationCode code : {67, 69, 84, 95, 97}) {
    for (const double P : {0.5, 1.0, 5.0, 14.7, 50.0, 150.0, 600.0, 1500.0, 2500.0}) {  // psia
      SCOPED_TRACE(::testing::Message() << "code " << code << ", " << P << " psia");
      const double Ts = Tsat(P, code);
      EXPECT_NEAR(SofPH(P, Hf(Ts, code), code) * 4.1868, Sf(Ts, code) * 4.186, 2e-3);
      EXPECT_NEAR(SofPH(P, Hg(Ts, code), code) * 4.1868, Sg(Ts, code) * 4.186, 2e-3);
    }
  }
}

TEST(InverseRoundTrips, Code97AcrossRegions) {
  struct State {
    double T, P;
  };
  const State states[] = {
      {280.0, 0.1},    {300.0, 3.0},        {400.0, 50.0}, {500.0, 3.0},  {600.0, 90.0},        // region 1
      {300.0, 0.0035}, {450.0, 0.1},        {700.0, 10.0}, {900.0, 1.0},  {1400.0, 40.0},       // region 2
      {630.0, 40.0},   {650.0, 25.5837018}, {660.0, 23.0}, {700.0, 50.0}, {750.0, 78.3095639},  // region 3
  };
  for (const State& st : states) {
    SCOPED_TRACE(::testing::Message() << "T = " << st.T << ", P = " << st.P);
    const double h = HofTP(st.T, st.P, -97);
    const double T_h = TofPH(st.P, h, -97);
    EXPECT_LT(std::fabs(HofTP(T_h, st.P, -97) - h), 0.01);
    EXPECT_NEAR(T_h, st.T, 0.01);
    const double s = SofTP(st.T, st.P, -97);
    const double T_s = TofPS(st.P, s, -97);
    EXPECT_LT(std::fabs(SofTP(T_s, st.P, -97) - s), 1e-5);
    EXPECT_NEAR(T_s, st.T, 0.01);
    EXPECT_NEAR(SofPH(st.P, h, -97), s, 1e-4);
    EXPECT_NEAR(HofPS(st.P, s, -97), h, 0.05);
  }
}

// An unsupported code gives PropertyError from every inverse function, passed through the English output
// factor for a positive code. TofPS once returned the middle of its search range, 886.575 K, instead.
TEST(InverseUnsupportedCodes, PropertyError) {
  const FormulationCode codes[] = {0,
                                   5,
                                   -5,
                                   96,
                                   -98,
                                   std::numeric_limits<FormulationCode>::min(),
                                   std::numeric_limits<FormulationCode>::max()};
  for (const FormulationCode code : codes) {
    SCOPED_TRACE(code);
    const bool english = code > 0;
    const double temperature_error = english ? -999.0 * 1.8 - 459.67 : -999.0;
    EXPECT_EQ(TofPH(1000.0, 1400.0, code), temperature_error);
    EXPECT_EQ(TofPS(1000.0, 1.5, code), temperature_error);
    EXPECT_EQ(SofPH(1000.0, 1400.0, code), english ? -999.0 / 4.1868 : -999.0);
    EXPECT_EQ(HofPS(1000.0, 1.5, code), english ? -999.0 / 2.326 : -999.0);
    // Even at pressures below PropertyError no wet-state test is made.
    EXPECT_EQ(TofPS(-5000.0, -5000.0, code), temperature_error);
    EXPECT_EQ(TofPH(-5000.0, -5000.0, code), temperature_error);
    const inverse::TemperatureSolution s = inverse::TemperatureOfPS(1.0, 1.5, code);
    EXPECT_EQ(s.T, PropertyError);
    EXPECT_EQ(s.new_points, 0);
    EXPECT_FALSE(s.secant_solved);
  }
  EXPECT_DOUBLE_EQ(TofPS(1000.0, 1.5, 5), -2257.87);
}

TEST(InverseEnglishUnits, ConvertArgumentsAndResults) {
  const double P = 1000.0, H = 1400.0;  // psia, BTU/lbm
  EXPECT_TRUE(AgreesRelative(TofPH(P, H, 97), TofPH(P / 145.0377377, H * 2.326, -97) * 1.8 - 459.67, 1e-14));
  EXPECT_TRUE(AgreesRelative(SofPH(P, H, 97), SofPH(P / 145.0377377, H * 2.326, -97) / 4.1868, 1e-14));
  const double S = 1.6;  // BTU/(lbm degR)
  EXPECT_TRUE(AgreesRelative(TofPS(P, S, 97), TofPS(P / 145.0377377, S * 4.1868, -97) * 1.8 - 459.67, 1e-14));
  EXPECT_TRUE(AgreesRelative(HofPS(P, S, 97), HofPS(P / 145.0377377, S * 4.1868, -97) / 2.326, 1e-14));
}

}  // namespace
}  // namespace brimwater
