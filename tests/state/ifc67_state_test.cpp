// IFC-67 through the state interface: the values the 1967 IFC Formulation for Industrial Use gives at its
// reference constants, the sub-region choice, the agreement with the fifteen functions (which evaluate the
// same equations with 32-step bisections), the steps at the sub-region boundaries, the pairs across them,
// and hostile arguments.
#include <brimwater/props.h>
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ifc67/ifc67.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

constexpr FormulationCode kSI = -67;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kEnergy = ifc67::kCriticalPressure * ifc67::kCriticalVolume;  // pc vc, kJ/kg

// The 1967 IFC Formulation for Industrial Use: chi of sub-region 1 at 298.15 K and 0.1 MPa; the K-function
// at 623.15 K (beta_a of the L-function's end point, 16.53512 MPa) and at the normal boiling point (373.15 K,
// 0.101325 MPa, which it reproduces to six digits); and sub-region 3 at its critical constants (theta = chi =
// 1), eps = 30.0536 and sigma = 41.0133, where the state interface puts both saturated phases at Tc.
TEST(Ifc67State, ValuesOfTheFormulationAtItsReferencePoints) {
  struct Row {
    const char* what;
    double actual, expected;
    int digits;
  };
  const State critical = StateOfTX(647.3, 0.0, kSI);
  const Row rows[] = {
      {"chi, sub-region 1, 298.15 K, 0.1 MPa", StateOfTP(298.15, 0.1, kSI).v / ifc67::kCriticalVolume,
       0.316356, 6},
      {"K-function at 623.15 K", StateOfTX(623.15, 0.5, kSI).P, 16.53512, 7},
      {"K-function at 373.15 K", StateOfTX(373.15, 0.5, kSI).P, 0.101325, 6},
      {"eps at the critical point", critical.h / kEnergy, 30.0536, 6},
      {"sigma at the critical point", critical.s * ifc67::kCriticalTemperature / kEnergy, 41.0133, 6},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(r.actual, r.expected, r.digits));
  }
}

TEST(Ifc67State, SubregionAndPhaseByTheFormulationsBoundaries) {
  struct Row {
    double T, P;
    int subregion;
    Phase phase;
  };
  const Row rows[] = {
      {298.15, 0.1, 1, Phase::Liquid},        {573.15, 1.0, 2, Phase::Vapour},
      {623.14, 20.0, 1, Phase::Liquid},       {623.15, 20.0, 4, Phase::Liquid},  // theta(623.15 K) >= theta23
      {630.0, 17.0, 2, Phase::Vapour},        {630.0, 17.5, 3, Phase::Vapour},   // beta_L < beta < beta_K
      {640.0, 25.0, 4, Phase::Liquid},        {647.29, 22.2, 4, Phase::Liquid},
      {647.3, 22.5, 3, Phase::Supercritical}, {647.5, 22.1, 3, Phase::Vapour},
      {650.0, 25.0, 3, Phase::Supercritical}, {800.0, 30.0, 2, Phase::Supercritical},
      {900.0, 50.0, 2, Phase::Supercritical},  // beyond 863.15 K the L-function lies above 100 MPa
      {1000.0, 0.1, 2, Phase::Vapour},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T << " P=" << r.P);
    const State s = StateOfTP(r.T, r.P, kSI);
    EXPECT_EQ(s.status, Status::Ok);
    EXPECT_EQ(s.region, r.subregion);
    EXPECT_EQ(s.phase, r.phase);
  }
  // Exactly at the K-function's pressure below 623.15 K the state is liquid, as in the fifteen functions.
  for (double T : {300.0, 450.0, 600.0}) {
    const double P = ifc67::KPressure(T);
    if (P / ifc67::kCriticalPressure != ifc67::KFunction(T / ifc67::kCriticalTemperature)) continue;
    EXPECT_EQ(StateOfTP(T, P, kSI).region, 1) << T;
  }
}

// Regression against the fifteen functions, which evaluate the same equations: sub-regions 1 and 2 and the
// saturation pressure to the last bits; sub-regions 3 and 4 and the saturated states above 623.15 K to the
// resolution of their 32-step volume bisections (measured at most 2.6e-9 in v and 1.2e-6 kJ/kg in h between
// 623.15 K and 700 K); the saturation temperature to that of the 32-step bisection (about 9e-8 K).
TEST(Ifc67State, AgreesWithTheFifteenFunctionsToTheirBisectionsResolution) {
  struct Row {
    double T, P;
    double relative;  // on v and s
    double h;         // kJ/kg
  };
  constexpr double kBits = 1e-13;
  constexpr double kBisected = 1e-8;
  const Row rows[] = {
      {298.15, 0.1, kBits, 1e-12},    {500.0, 50.0, kBits, 1e-12},     {573.15, 1.0, kBits, 1e-12},
      {1000.0, 80.0, kBits, 1e-12},   {630.0, 17.5, kBisected, 2e-6},  {646.5, 21.5, kBisected, 2e-6},
      {640.0, 25.0, kBisected, 2e-6}, {647.2, 22.2, kBisected, 2e-6},  {650.0, 25.0, kBisected, 2e-6},
      {800.0, 80.0, kBisected, 2e-6}, {647.4, 22.12, kBisected, 2e-6},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T << " P=" << r.P);
    const State s = StateOfTP(r.T, r.P, kSI);
    EXPECT_TRUE(AgreesRelative(s.v, VofTP(r.T, r.P, kSI), r.relative));
    EXPECT_NEAR(s.h, HofTP(r.T, r.P, kSI), r.h);
    EXPECT_TRUE(AgreesRelative(s.s, SofTP(r.T, r.P, kSI), r.relative));
  }
  for (double T : {300.0, 450.0, 623.14, 623.15, 630.0, 640.0, 646.0, 647.0, 647.29}) {
    SCOPED_TRACE(::testing::Message() << "saturated at T=" << T);
    const double relative = T < 623.15 ? kBits : kBisected;
    const State f = StateOfTX(T, 0.0, kSI);
    const State g = StateOfTX(T, 1.0, kSI);
    EXPECT_EQ(f.P, Psat(T, kSI));
    EXPECT_TRUE(AgreesRelative(f.v, Vf(T, kSI), relative));
    EXPECT_TRUE(AgreesRelative(g.v, Vg(T, kSI), relative));
    EXPECT_NEAR(f.h, Hf(T, kSI), 2e-6);
    EXPECT_NEAR(g.h, Hg(T, kSI), 2e-6);
    EXPECT_TRUE(AgreesRelative(f.s, Sf(T, kSI), relative));
    EXPECT_TRUE(AgreesRelative(g.s, Sg(T, kSI), relative));
  }
  for (double P : {0.001, 0.1, 1.0, 10.0, 16.5, 20.0, 22.0, 22.11}) {
    EXPECT_NEAR(StateOfPX(P, 0.5, kSI).T, Tsat(P, kSI), 2e-7) << P;
  }
}

// The states either side of a boundary next to (T, P): the last ulps of T (or P) before the sub-region
// changes and the first after, searched downwards and then upwards.
struct Straddle {
  State before, after;
};

Straddle Across(double T, double P, bool along_T) {
  const auto at = [&](double x) { return along_T ? StateOfTP(x, P, kSI) : StateOfTP(T, x, kSI); };
  const double start = along_T ? T : P;
  const int region = at(start).region;
  for (double direction : {-kInf, kInf}) {
    double x = start;
    for (int i = 0; i < 64; ++i) {
      const double next = std::nextafter(x, direction);
      if (at(next).region != region)
        return direction < 0.0 ? Straddle{at(next), at(x)} : Straddle{at(x), at(next)};
      x = next;
    }
  }
  return {at(start), at(start)};
}

// Where sub-region 1 ends: 623.15 K reduced is theta23 = 0.9626911787, 2.7e-8 K below 623.15 K.
constexpr double kSubregion1End = ifc67::kTheta23 * ifc67::kCriticalTemperature;

// How far the properties step where one sub-region's equation hands over to the next. The bounds are the
// measured steps, rounded up (regression values, not the formulation's published consistency, which is not
// at hand): where sub-region 1 meets sub-region 4 at 623.15 K (measured from 16.6 MPa to 100 MPa: v 1.3e-4
// relative, h 0.155 kJ/kg, s 1.9e-4 kJ/(kg K), cp 1.2 %, w 0.6 %), and where sub-region 2 meets sub-region 3
// on the L-function from 623.15 K to 863.15 K (v 5.5e-4, h 0.24 kJ/kg, s 3.5e-4 kJ/(kg K), cp 6.7 %, w 1.2
// %). Sub-region 4 meets sub-region 3 at Tc without a step: its correction starts with y^3.
TEST(Ifc67State, StepsAtTheSubregionBoundaries) {
  struct Bound {
    const char* where;
    int before, after;
    double v, h, s, cp, w;  // relative, kJ/kg, kJ/(kg K), relative, relative
  };
  const auto check = [](const Bound& b, const Straddle& x) {
    ASSERT_EQ(x.before.region, b.before);
    ASSERT_EQ(x.after.region, b.after);
    EXPECT_LE(std::fabs(x.after.v / x.before.v - 1.0), b.v);
    EXPECT_LE(std::fabs(x.after.h - x.before.h), b.h);
    EXPECT_LE(std::fabs(x.after.s - x.before.s), b.s);
    EXPECT_LE(std::fabs(x.after.cp / x.before.cp - 1.0), b.cp);
    EXPECT_LE(std::fabs(x.after.w / x.before.w - 1.0), b.w);
  };
  const Bound one_four{"1 | 4 at 623.15 K", 1, 4, 2e-4, 0.2, 2.5e-4, 0.015, 0.008};
  for (double P : {16.6, 17.0, 20.0, 25.0, 30.0, 40.0, 50.0, 70.0, 100.0}) {
    SCOPED_TRACE(::testing::Message() << one_four.where << ", P=" << P);
    check(one_four, Across(kSubregion1End, P, true));
  }
  const Bound two_three{"2 | 3 on the L-function", 2, 3, 7e-4, 0.3, 4.5e-4, 0.08, 0.015};
  for (double T = 623.16; T <= 863.15; T += 5.0) {
    SCOPED_TRACE(::testing::Message() << two_three.where << ", T=" << T);
    const double P = ifc67::LFunction(T / ifc67::kCriticalTemperature) * ifc67::kCriticalPressure;
    check(two_three, Across(T, P, false));
  }
  const Bound four_three{"4 | 3 at Tc", 4, 3, 1e-13, 1e-10, 1e-13, 1e-12, 1e-13};
  for (double P : {22.5, 25.0, 50.0, 100.0}) {
    SCOPED_TRACE(::testing::Message() << four_three.where << ", P=" << P);
    check(four_three, Across(647.3, P, true));
  }
}

// Across the saturation line the single-phase states continue the saturated ones (the same sub-region and
// branch on each side), on both sides of 623.15 K and close to Tc.
TEST(Ifc67State, SinglePhaseStatesMeetTheSaturatedOnes) {
  for (double T : {300.0, 500.0, 623.1, 623.2, 635.0, 646.0, 647.25}) {
    SCOPED_TRACE(T);
    const State f = StateOfTX(T, 0.0, kSI);
    const State g = StateOfTX(T, 1.0, kSI);
    const State liquid = StateOfTP(T, f.P * (1.0 + 1e-13), kSI);
    const State vapour = StateOfTP(T, f.P * (1.0 - 1e-13), kSI);
    EXPECT_EQ(liquid.region, f.region);
    EXPECT_EQ(vapour.region, g.region);
    EXPECT_EQ(liquid.phase, Phase::Liquid);
    EXPECT_EQ(vapour.phase, Phase::Vapour);
    for (const auto& [single, saturated] : {std::pair{liquid, f}, {vapour, g}}) {
      EXPECT_TRUE(AgreesRelative(single.v, saturated.v, 1e-8));
      EXPECT_TRUE(AgreesRelative(single.h, saturated.h, 1e-10));
      EXPECT_TRUE(AgreesRelative(single.s, saturated.s, 1e-10));
      EXPECT_TRUE(AgreesRelative(single.cp, saturated.cp, 1e-6));
      EXPECT_TRUE(AgreesRelative(single.w, saturated.w, 1e-6));
    }
  }
}

// Round trips in every sub-region, close to the boundaries but outside the bands where a step makes a pair
// ambiguous, and the two-phase states between sub-regions 4 and 3.
TEST(Ifc67State, RoundTripsInEverySubregion) {
  struct Point {
    double T, P;
  };
  const Point points[] = {{290, 0.001}, {400, 80},   {620, 16.0},   {623.0, 40},   {625, 30},
                          {630, 17.5},  {646, 22.0}, {647.2, 22.2}, {700, 40},     {850, 95},
                          {640, 18.0},  {855, 99},   {1000, 10},    {1073.15, 100}};
  for (const Point& p : points) {
    SCOPED_TRACE(::testing::Message() << "T=" << p.T << " P=" << p.P);
    const State tp = StateOfTP(p.T, p.P, kSI);
    ASSERT_EQ(tp.status, Status::Ok);
    const State ph = StateOfPH(p.P, tp.h, kSI);
    const State ps = StateOfPS(p.P, tp.s, kSI);
    const State hs = StateOfHS(tp.h, tp.s, kSI);
    for (const State& back : {ph, ps, hs}) {
      EXPECT_EQ(back.region, tp.region);
      EXPECT_TRUE(AgreesRelative(back.T, p.T, 1e-9));
      EXPECT_TRUE(AgreesRelative(back.P, p.P, 1e-9));
    }
  }
  for (double P : {16.6, 18.0, 21.0, 22.1}) {
    SCOPED_TRACE(P);
    const State wet = StateOfPX(P, 0.3, kSI);
    EXPECT_EQ(StateOfPX(P, 0.0, kSI).region, 4);
    EXPECT_EQ(StateOfPX(P, 1.0, kSI).region, 3);
    const State hs = StateOfHS(wet.h, wet.s, kSI);
    EXPECT_EQ(hs.phase, Phase::TwoPhase);
    EXPECT_EQ(hs.region, 0);
    EXPECT_TRUE(AgreesRelative(hs.P, P, 1e-9));
    EXPECT_TRUE(AgreesRelative(hs.x, 0.3, 1e-7));
  }
}

// Where sub-region 4's enthalpy starts below sub-region 1's (h steps down by about 0.13 kJ/kg on an isobar
// at 623.15 K), an enthalpy in the overlap belongs to two states, one on each side; the (P, h) solver
// returns one of them, to its promised residual.
TEST(Ifc67State, AnEnthalpyInTheOverlapAt623KFindsAState) {
  for (double P : {17.0, 30.0, 70.0}) {
    SCOPED_TRACE(P);
    const Straddle x = Across(kSubregion1End, P, true);
    ASSERT_LT(x.after.h, x.before.h);
    const double h = 0.5 * (x.before.h + x.after.h);
    const State ph = StateOfPH(P, h, kSI);
    EXPECT_EQ(ph.status, Status::Ok);
    EXPECT_LE(std::fabs(ph.h - h), 1e-9 * h);
    EXPECT_NEAR(ph.T, 623.15, 0.05);
  }
}

// Range of validity: 273.15 K to 1073.15 K at up to 100 MPa.
TEST(Ifc67State, OutsideTheRangeOfValidityValuesAreFlaggedExtrapolated) {
  struct Row {
    double T, P;
    Status status;
  };
  const Row rows[] = {
      {273.15, 0.1, Status::Ok},
      {1073.15, 100.0, Status::Ok},
      {1073.15, 0.001, Status::Ok},
      {273.0, 0.1, Status::Extrapolated},
      {260.0, 1.0, Status::Extrapolated},
      {1100.0, 1.0, Status::Extrapolated},
      {300.0, 110.0, Status::Extrapolated},
      {700.0, 120.0, Status::Extrapolated},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "T=" << r.T << " P=" << r.P);
    const State s = StateOfTP(r.T, r.P, kSI);
    EXPECT_EQ(s.status, r.status);
    EXPECT_TRUE(std::isfinite(s.h) && std::isfinite(s.cp) && std::isfinite(s.w));
  }
  // Below 273.16 K the fifteen functions clamp the saturation line; the state interface extrapolates it.
  const State cold = StateOfTX(260.0, 0.0, kSI);
  EXPECT_EQ(cold.status, Status::Extrapolated);
  EXPECT_LT(cold.P, Psat(260.0, kSI));
}

// Bad input never crashes or hangs: every answer is either a finite state or NaN throughout with a status
// that says why.
TEST(Ifc67State, HostileArgumentsGiveAStatusAndNaN) {
  struct Case {
    const char* what;
    State state;
    Status status;
  };
  const Case cases[] = {
      {"NaN temperature", StateOfTP(kNaN, 1, kSI), Status::InvalidArgument},
      {"infinite temperature", StateOfTP(kInf, 1, kSI), Status::InvalidArgument},
      {"zero temperature", StateOfTP(0, 1, kSI), Status::InvalidArgument},
      {"negative pressure", StateOfTP(300, -1, kSI), Status::InvalidArgument},
      {"infinite enthalpy", StateOfPH(1, kInf, kSI), Status::InvalidArgument},
      {"NaN entropy", StateOfPS(1, kNaN, kSI), Status::InvalidArgument},
      {"negative quality", StateOfTX(400, -0.1, kSI), Status::InvalidArgument},
      {"zero pressure and quality", StateOfPX(0, 0, kSI), Status::InvalidArgument},
      {"huge temperature", StateOfTP(1e300, 1, kSI), Status::NoSolution},
      {"huge pressure, liquid", StateOfTP(300, 1e300, kSI), Status::NoSolution},
      {"huge pressure, near-critical", StateOfTP(650, 1e300, kSI), Status::NoSolution},
      {"beyond sub-region 4's liquid", StateOfTP(630, 1000, kSI), Status::NoSolution},
      {"huge enthalpy", StateOfPH(1, 1e300, kSI), Status::NoSolution},
      {"huge negative entropy", StateOfPS(10, -1e300, kSI), Status::NoSolution},
      {"huge enthalpy and entropy", StateOfHS(1e300, 1e300, kSI), Status::NoSolution},
      {"enthalpy and entropy of no state", StateOfHS(100, 9, kSI), Status::NoSolution},
      {"above Tc", StateOfTX(647.31, 0.5, kSI), Status::NoSolution},
      {"above pc", StateOfPX(22.13, 0.5, kSI), Status::NoSolution},
      {"huge pressure and quality", StateOfPX(1e300, 1, kSI), Status::NoSolution},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.state.status, c.status);
    for (double value : {c.state.T, c.state.P, c.state.v, c.state.rho, c.state.h, c.state.s, c.state.u,
                         c.state.cp, c.state.cv, c.state.w, c.state.x}) {
      EXPECT_TRUE(std::isnan(value));
    }
  }
  // Extreme but valid arguments: a finite state, or NaN throughout where the equations overflow (sub-region
  // 2's beta^-6 below about 1e-43 MPa).
  for (const State& s : {StateOfTP(300, 1e-300, kSI), StateOfTP(300, 1e-30, kSI), StateOfTX(1e-300, 0.5, kSI),
                         StateOfPX(1e-300, 0.5, kSI), StateOfPH(1e-300, 2500, kSI), StateOfHS(-1e300, 5, kSI),
                         StateOfTP(1e-300, 1e-300, kSI)}) {
    EXPECT_TRUE(s.status == Status::NoSolution || s.status == Status::Extrapolated || s.status == Status::Ok);
    if (s.status == Status::NoSolution) {
      EXPECT_TRUE(std::isnan(s.h));
    } else {
      EXPECT_TRUE(std::isfinite(s.h));
    }
  }
}

}  // namespace
}  // namespace brimwater
