// The input pairs: round trips from (T, P) through (P, h), (P, s) and (h, s) back to (T, P); two-phase states
// and their continuity with the single-phase states beside the saturation line; (T, x) and (P, x); statuses
// and NaN for what has no answer; English units.
#include <brimwater/props.h>
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>

#include "state/formulation.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr FormulationCode kCodes[] = {-97, -95, -84, -69, -67};

struct Point {
  double T, P;  // K, MPa
};

// Liquid, vapour and supercritical states in every region, near the saturation line, the B23 line, the
// critical point and the pseudo-critical line at 25 MPa (about 657 K), where cp peaks.
constexpr Point kGrid[] = {{280, 0.1},  {300, 100}, {373, 0.1},   {373.2, 0.1}, {450, 10},    {600, 20},
                           {623.1, 17}, {640, 21},  {645, 20.5},  {645, 20},    {647, 22.5},  {650, 25},
                           {657, 25},   {668, 25},  {700, 50},    {660, 30},    {800, 1},     {1000, 80},
                           {1200, 10},  {2000, 40}, {300, 0.001}, {500, 2.6},   {647.5, 22.1}};

// Grid states whose (h, s) a second state shares, across a sub-region boundary where the formulation's
// sub-regions step: there (h, s) returns a state with that h and s, not necessarily the one it came from.
// IFC-67: at 623.15 K sub-region 4 starts about 0.13 kJ/kg lower in h and 1.5e-4 kJ/(kg K) higher in s than
// sub-region 1 ends, so that 623.1 K, 17 MPa (sub-region 1) and 623.224 K, 17.127 MPa (sub-region 4) share h
// and s.
struct Twin {
  FormulationCode code;
  Point point;
};
constexpr Twin kHsTwins[] = {{-67, {623.1, 17}}};

bool HasHsTwin(FormulationCode code, const Point& p) {
  for (const Twin& t : kHsTwins) {
    if (t.code == code && t.point.T == p.T && t.point.P == p.P) return true;
  }
  return false;
}

// How closely (h, s) fixes P where (dh/dP)_s = v is small, in a compressed liquid at low pressure: to the
// rounding noise of the formulation's h and T s divided by v. IFC-67's sub-region 1 carries about 2e-10 kJ/kg
// of it in h and 1e-12 kJ/(kg K) in s at 280 K (the terms of its polynomial in theta reach 1e5 pc vc), which
// leaves P uncertain by about 5e-10 MPa, 5e-9 of 0.1 MPa. Elsewhere it is below 1e-9 of P.
double HsPressureResolution(FormulationCode code) { return code == -67 ? 5e-10 : 0.0; }  // MPa

TEST(StatePairs, RoundTripsThroughEveryPairReturnTheState) {
  for (FormulationCode code : kCodes) {
    for (const Point& p : kGrid) {
      SCOPED_TRACE(::testing::Message() << "code " << code << " T=" << p.T << " P=" << p.P);
      const State tp = StateOfTP(p.T, p.P, code);
      ASSERT_TRUE(std::isfinite(tp.h));
      const State ph = StateOfPH(p.P, tp.h, code);
      const State ps = StateOfPS(p.P, tp.s, code);
      const State hs = StateOfHS(tp.h, tp.s, code);
      EXPECT_TRUE(AgreesRelative(ph.T, p.T, 1e-9)) << "PH";
      EXPECT_TRUE(AgreesRelative(ps.T, p.T, 1e-9)) << "PS";
      EXPECT_EQ(ph.phase, tp.phase);
      if (HasHsTwin(code, p)) {
        EXPECT_LE(std::fabs(hs.h - tp.h), 1e-9 * std::fmax(std::fabs(tp.h), 1.0)) << "HS";
        EXPECT_LE(std::fabs(hs.s - tp.s), 1e-9 * std::fmax(std::fabs(tp.s), 1.0)) << "HS";
      } else {
        EXPECT_TRUE(AgreesRelative(hs.T, p.T, 1e-9)) << "HS";
        EXPECT_LE(std::fabs(hs.P - p.P), 1e-9 * p.P + HsPressureResolution(code)) << "HS";
        EXPECT_EQ(hs.region, tp.region);
      }
      // The residual the solvers promise: 1e-9 of the value.
      EXPECT_LE(std::fabs(ph.h - tp.h), 1e-9 * std::fmax(std::fabs(tp.h), 1.0));
      EXPECT_LE(std::fabs(ps.s - tp.s), 1e-9 * std::fmax(std::fabs(tp.s), 1.0));
    }
  }
}

// Isobars swept in h and in s, from the compressed liquid through the two-phase range (or the pseudo-critical
// line above the critical pressure) to the superheated vapour: every target is met (to the 1e-9 the solvers
// promise), T never falls as h or s rises, and a single-phase result is the stable state at its (T, P), not a
// metastable root of the equation. Where a formulation's equations step at a region boundary, a target inside
// the step has no state; the solver returns the state on the boundary. IAPWS-IF97's regions 2 and 3 meet at
// the B23 line within about 0.1 kJ/kg in h and 1e-4 kJ/(kg K) in s at 60 MPa (a target at 60 MPa and
// 2658.5 kJ/kg falls in the step); IFC-67's sub-regions within 0.24 kJ/kg.
struct Step {
  FormulationCode code;
  double h;  // kJ/kg
  double s;  // kJ/(kg K)
};
constexpr Step kBoundarySteps[] = {
    {-97, 0.1, 1e-4}, {-95, 0.0, 0.0}, {-84, 0.0, 0.0}, {-69, 0.0, 0.0}, {-67, 0.24, 3e-4}};

TEST(StatePairs, IsobarsSweptInHAndSMeetEveryTargetInOrder) {
  enum class Pair { PH, PS };
  for (const Step& step : kBoundarySteps) {
    const FormulationCode code = step.code;
    for (double P : {0.001, 0.1, 1.0, 10.0, 20.0, 22.5, 25.0, 30.0, 60.0, 100.0}) {
      for (Pair pair : {Pair::PH, Pair::PS}) {
        // From the liquid at the triple point to the vapour at 1073.15 K, which every formulation reaches.
        const bool by_h = pair == Pair::PH;
        const State first = StateOfTP(273.16, P, code);
        const State last = StateOfTP(1073.15, P, code);
        constexpr int kTargets = 347;
        double T_before = 0.0;
        for (int i = 0; i <= kTargets; ++i) {
          const double target = by_h ? first.h + (last.h - first.h) * i / kTargets
                                     : first.s + (last.s - first.s) * i / kTargets;
          SCOPED_TRACE(::testing::Message()
                       << "code " << code << (by_h ? " P, h = " : " P, s = ") << P << ", " << target);
          const State st = by_h ? StateOfPH(P, target, code) : StateOfPS(P, target, code);
          ASSERT_TRUE(st.status == Status::Ok || st.status == Status::Extrapolated);
          const double residual = std::fabs((by_h ? st.h : st.s) - target);
          const double promised = 1e-9 * std::fmax(std::fabs(target), 1.0);
          EXPECT_LE(residual, std::fmax(promised, by_h ? step.h : step.s));
          EXPECT_GE(st.T, T_before);
          T_before = st.T;
          if (st.phase != Phase::TwoPhase) {
            // The formulation's own state at (T, P), also where the solver takes it from the equation's
            // (T, rho) without solving the density again: its region, status and derivatives too.
            const State tp = StateOfTP(st.T, P, code);
            EXPECT_EQ(tp.phase, st.phase);
            EXPECT_EQ(tp.region, st.region);
            EXPECT_EQ(tp.status, st.status);
            EXPECT_TRUE(AgreesRelative(tp.v, st.v, 1e-9));
            EXPECT_TRUE(AgreesRelative(tp.cp, st.cp, 1e-8));
            EXPECT_TRUE(AgreesRelative(tp.w, st.w, 1e-8));
          }
        }
      }
    }
  }
}

TEST(StatePairs, TwoPhaseStatesMixTheSaturatedPhasesAndMeetTheSinglePhaseOnes) {
  for (FormulationCode code : kCodes) {
    for (double P : {0.001, 0.1, 1.0, 10.0, 16.0, 18.0, 21.0, 22.0}) {
      SCOPED_TRACE(::testing::Message() << "code " << code << " P=" << P);
      const State f = StateOfPX(P, 0.0, code);
      const State g = StateOfPX(P, 1.0, code);
      ASSERT_EQ(f.phase, Phase::Liquid);
      ASSERT_EQ(g.phase, Phase::Vapour);
      ASSERT_LT(f.h, g.h);
      const State mid = StateOfPH(P, 0.5 * (f.h + g.h), code);
      EXPECT_EQ(mid.phase, Phase::TwoPhase);
      EXPECT_TRUE(AgreesRelative(mid.x, 0.5, 1e-12));
      EXPECT_TRUE(AgreesRelative(mid.s, 0.5 * (f.s + g.s), 1e-12));
      EXPECT_TRUE(std::isnan(mid.cp) && std::isnan(mid.cv) && std::isnan(mid.w));
      const State by_s = StateOfPS(P, 0.25 * f.s + 0.75 * g.s, code);
      EXPECT_TRUE(AgreesRelative(by_s.x, 0.75, 1e-12));
      // Just outside the dome the single-phase states continue the saturated ones. (KKHM 1969 bridges its
      // saturated vapour to the critical state from 646.5 K, 21.8945 MPa, where the equation's own saturated
      // vapour runs into the isotherm's spinodal; there the single-phase vapour continues it in h, but in T
      // and v only to within 0.008 K and 7e-5, which kkhm69_state_test checks.)
      const State below = StateOfPH(P, f.h - 1e-6, code);
      const State above = StateOfPH(P, g.h + 1e-6, code);
      EXPECT_EQ(below.phase, Phase::Liquid);
      EXPECT_EQ(above.phase, Phase::Vapour);
      EXPECT_NEAR(below.T, f.T, 1e-5);
      EXPECT_TRUE(AgreesRelative(below.v, f.v, 1e-6));
      if (!(code == -69 && P > 21.8945)) {
        EXPECT_NEAR(above.T, g.T, 1e-5);
        EXPECT_TRUE(AgreesRelative(above.v, g.v, 1e-6));
      }
      // (h, s) of a wet state finds it.
      const State hs = StateOfHS(mid.h, mid.s, code);
      EXPECT_EQ(hs.phase, Phase::TwoPhase);
      EXPECT_TRUE(AgreesRelative(hs.P, P, 1e-9));
      EXPECT_TRUE(AgreesRelative(hs.x, 0.5, 1e-7));
    }
  }
}

// A target a few ulps outside the two-phase range (an h or s carried over from a saturated state, rounded)
// is that saturated phase: not the other phase's equation evaluated at the saturation temperature, which the
// formulation's own choice of phase gives there half the time (liquid h 39.7 kJ/kg for a vapour target of
// 2518 kJ/kg at 1.18 kPa, before).
TEST(StatePairs, TargetsWithinRoundingOfASaturatedPhaseAreThatPhase) {
  constexpr double kUlp = std::numeric_limits<double>::epsilon();
  for (FormulationCode code : kCodes) {
    for (double P : {0.001, 0.00118374, 0.1, 0.5, 1.0, 3.0, 10.0, 16.0, 21.0}) {
      const State sat[] = {StateOfPX(P, 0.0, code), StateOfPX(P, 1.0, code)};
      for (const State& edge : sat) {
        const double outward = edge.phase == Phase::Vapour ? 1.0 : -1.0;
        for (int k = 1; k <= 6; ++k) {
          SCOPED_TRACE(::testing::Message() << "code " << code << " P=" << P << " " << PhaseName(edge.phase)
                                            << " " << k << " ulps outside");
          const double scale = 1.0 + outward * k * kUlp;
          const State by_h = StateOfPH(P, edge.h * scale, code);
          const State by_s = StateOfPS(P, edge.s * scale, code);
          EXPECT_EQ(by_h.phase, edge.phase);
          EXPECT_EQ(by_s.phase, edge.phase);
          EXPECT_TRUE(AgreesRelative(by_h.s, edge.s, 1e-9)) << by_h.s << " against " << edge.s;
          EXPECT_TRUE(AgreesRelative(by_s.h, edge.h, 1e-9)) << by_s.h << " against " << edge.h;
        }
      }
    }
  }
}

TEST(StatePairs, AtTheCriticalTemperatureTheSaturatedPhasesMeet) {
  struct Critical {
    FormulationCode code;
    double T;  // K, the end of the formulation's saturation line
  };
  // NBS/NRC 1984: the equation's own critical point, where its phase equilibrium closes.
  constexpr Critical kCritical[] = {
      {-97, 647.096}, {-95, 647.096}, {-84, 647.15814124}, {-69, 647.245}, {-67, 647.3}};
  for (const Critical& c : kCritical) {
    const FormulationCode code = c.code;
    SCOPED_TRACE(::testing::Message() << "code " << code);
    const State f = StateOfTX(c.T, 0.0, code);
    const State g = StateOfTX(c.T, 1.0, code);
    EXPECT_TRUE(AgreesRelative(f.h, g.h, 1e-9));
    EXPECT_TRUE(AgreesRelative(f.v, g.v, 1e-9));
    EXPECT_FALSE(f.cp < 0.0) << "cp diverges at the critical point; it is never negative";
    // Approaching it, the two branches close in continuously.
    const State f1 = StateOfTX(c.T - 0.096, 0.0, code);
    const State g1 = StateOfTX(c.T - 0.096, 1.0, code);
    EXPECT_LT(f1.v, f.v);
    EXPECT_GT(g1.v, g.v);
    EXPECT_LT(g1.h - f1.h, 150.0);  // IAPWS-IF97 94 kJ/kg, IAPWS-95 119 kJ/kg, 0.096 K below Tc
  }
}

// Near the critical point (T, P) fixes the density only to a few digits, since cp diverges: the last bit of
// T spans up to about 1 kJ/kg of h. (P, h), (P, s) and (h, s) there still meet their target to the promised
// 1e-9, on the isobar of the formulation's critical pressure and within 1e-12 and 1e-9 of it, and v rises
// with h and s along each isobar. (IFC-67 is not among them: its sub-regions 3 and 4 leave a gap of up to
// 0.25 kJ/kg in h at the critical point, where the state on the boundary is returned.)
TEST(StatePairs, AroundTheCriticalPointEveryTargetIsMet) {
  constexpr FormulationCode kHelmholtzCodes[] = {-97, -95, -84, -69};
  constexpr double kCriticalT[] = {647.096, 647.096, 647.15814124, 647.245};  // as in the test above
  for (int i = 0; i < 4; ++i) {
    const FormulationCode code = kHelmholtzCodes[i];
    const State critical = StateOfTX(kCriticalT[i], 0.0, code);
    ASSERT_TRUE(std::isfinite(critical.h)) << code;
    for (double offset : {-1e-9, -1e-12, 0.0, 1e-12, 1e-9}) {
      const double P = critical.P * (1.0 + offset);
      for (const bool by_h : {true, false}) {
        constexpr int kTargets = 400;
        const double centre = by_h ? critical.h : critical.s;
        const double width = by_h ? 3.0 : 0.005;  // kJ/kg, kJ/(kg K): either side of the critical point
        double v_before = 0.0;
        for (int k = 0; k <= kTargets; ++k) {
          const double target = centre - width + 2.0 * width * k / kTargets;
          SCOPED_TRACE(::testing::Message() << "code " << code << std::setprecision(17) << " P " << P
                                            << (by_h ? " h " : " s ") << target);
          const State st = by_h ? StateOfPH(P, target, code) : StateOfPS(P, target, code);
          ASSERT_EQ(st.status, Status::Ok);
          EXPECT_LE(std::fabs((by_h ? st.h : st.s) - target), 1e-9 * std::fabs(target));
          EXPECT_EQ(st.P, P);
          EXPECT_GE(st.v, v_before);
          v_before = st.v;
          // (h, s) finds the state again (a sample: near the critical point it searches along the isentrope).
          if (k % 40 == 0) {
            const State hs = StateOfHS(st.h, st.s, code);
            EXPECT_LE(std::fabs(hs.h - st.h), 1e-9 * std::fabs(st.h));
            EXPECT_LE(std::fabs(hs.s - st.s), 1e-9 * std::fabs(st.s));
          }
        }
      }
    }
  }
}

// Above the critical temperature every Helmholtz-energy equation's isotherm rises through every density the
// searches reach, so that a state on it at (T, P) is unique: (P, h) and (P, s) above the critical pressure
// and temperature take the equation's (T, rho) where their steps converge, without a density solve to confirm
// it. Checked from just above each formulation's critical temperature to 30 K above it, up to the density at
// the highest pressure searched (IAPWS-IF97 region 3 150 MPa, 0.78 g/cm3; the others 1500 MPa). IF97's
// region-3 equation turns down only from about 0.92 g/cm3, far outside its region.
TEST(StatePairs, AboveTheCriticalTemperatureEachEquationsIsothermsRise) {
  struct Equation {
    FormulationCode code;
    double densest;  // g/cm3
  };
  for (const Equation& eq :
       {Equation{-97, 0.85}, Equation{-95, 1.3}, Equation{-84, 1.3}, Equation{-69, 1.3}}) {
    const state::Formulation& f = *state::FormulationOf(eq.code);
    ASSERT_NE(f.density_equation, nullptr);
    ASSERT_LT(StateOfTP(f.critical_T + 0.01, f.search_P_max, eq.code).rho, eq.densest);
    for (double dT = 0.01; dT <= 30.0; dT += 0.1) {
      const double T = f.critical_T + dT;
      for (double rho = 0.01; rho <= eq.densest; rho += 0.002) {  // g/cm3
        const numerics::HelmholtzPoint e = f.density_equation(T, rho);
        const double p_rho = 2.0 * rho * e.a_rho + rho * rho * e.a_rhorho;
        ASSERT_GT(p_rho, 0.0) << "code " << eq.code << " T " << T << " rho " << rho;
      }
    }
  }
}

TEST(StatePairs, WhatHasNoAnswerIsNaNWithItsStatus) {
  struct Case {
    const char* what;
    State state;
    Status status;
  };
  const Case cases[] = {
      {"unsupported code", StateOfTP(300, 1, 5), Status::UnsupportedCode},
      {"code 0", StateOfPH(1, 1000, 0), Status::UnsupportedCode},
      {"most negative code", StateOfTX(300, 0.5, std::numeric_limits<FormulationCode>::min()),
       Status::UnsupportedCode},
      {"NaN temperature", StateOfTP(kNaN, 1, -97), Status::InvalidArgument},
      {"infinite pressure", StateOfTP(300, kInf, -97), Status::InvalidArgument},
      {"zero pressure", StateOfPH(0, 100, -97), Status::InvalidArgument},
      {"negative temperature", StateOfTP(-1, 1, -97), Status::InvalidArgument},
      {"quality above 1", StateOfTX(300, 1.5, -97), Status::InvalidArgument},
      {"NaN quality", StateOfPX(1, kNaN, -97), Status::InvalidArgument},
      {"NaN entropy", StateOfHS(1000, kNaN, -97), Status::InvalidArgument},
      {"above the critical temperature", StateOfTX(700, 0.5, -97), Status::NoSolution},
      {"above the critical pressure", StateOfPX(30, 0.5, -97), Status::NoSolution},
      {"enthalpy beyond the hottest state", StateOfPH(1, 1e5, -97), Status::NoSolution},
      {"enthalpy below the coldest state", StateOfPH(1, -500, -97), Status::NoSolution},
      {"entropy and enthalpy of no state", StateOfHS(100, 9, -97), Status::NoSolution},
      // IAPWS-IF97's region 2 extrapolated to 300 MPa at 1040 K gives a negative volume: no state.
      {"a negative volume far outside the range", StateOfTP(1040, 300, -97), Status::NoSolution},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.state.status, c.status);
    EXPECT_EQ(c.state.phase, Phase::Unknown);
    for (double value : {c.state.T, c.state.P, c.state.v, c.state.rho, c.state.h, c.state.s, c.state.u,
                         c.state.cp, c.state.cv, c.state.w, c.state.x}) {
      EXPECT_TRUE(std::isnan(value));
    }
  }
}

TEST(StatePairs, OutsideTheRangeOfValidityValuesAreFlaggedExtrapolated) {
  EXPECT_EQ(StateOfTP(300, 150, -97).status, Status::Extrapolated);  // above 100 MPa
  EXPECT_EQ(StateOfTP(1500, 60, -97).status, Status::Extrapolated);  // region 5 above 50 MPa
  EXPECT_EQ(StateOfTP(2400, 1, -97).status, Status::Extrapolated);   // above 2273.15 K
  EXPECT_EQ(StateOfTP(260, 1, -97).status, Status::Extrapolated);    // below 273.15 K
  EXPECT_EQ(StateOfTP(1073.15, 100, -97).status, Status::Ok);        // the corner
  EXPECT_EQ(StateOfTP(2273.15, 50, -97).status, Status::Ok);
  EXPECT_TRUE(std::isfinite(StateOfTP(260, 1, -97).h));
  // Region 3 extrapolated above 100 MPa, up to the 150 MPa the inverse pairs search: just above 623.15 K its
  // density exceeds 805 kg/m3, beyond every density of region 3 in its range. (P, h) finds these states;
  // (T, P) finds them too, and the round trip closes.
  for (double T : {623.16, 623.5, 624.5}) {
    for (double P : {120.0, 140.0, 150.0}) {
      SCOPED_TRACE(::testing::Message() << "T " << T << " P " << P);
      const State tp = StateOfTP(T, P, -97);
      ASSERT_EQ(tp.status, Status::Extrapolated);
      EXPECT_EQ(tp.region, 3);
      const State ph = StateOfPH(P, tp.h, -97);
      EXPECT_TRUE(AgreesRelative(ph.T, T, 1e-9));
      EXPECT_TRUE(AgreesRelative(ph.rho, tp.rho, 1e-9));
    }
  }
}

TEST(StatePairs, EnglishUnitsByTheCodesSign) {
  // 1000 degF and 800 psia against the same state in SI units, and the conversions of every unit.
  const State e = StateOfTP(1000, 800, 97);
  const State s = StateOfTP((1000 + 459.67) / 1.8, 800 / 145.0377377, -97);
  EXPECT_TRUE(AgreesRelative(e.T, 1000, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.P, 800, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.v, s.v / 62.42796058, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.rho, s.rho * 62.42796058, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.h, s.h / 2.326, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.u, s.u / 2.326, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.s, s.s / 4.1868, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.cp, s.cp / 4.1868, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.cv, s.cv / 4.1868, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.w, s.w / 0.3048, 1e-13));
  // The enthalpy agrees with the fifteen functions' HofTP in the single phase, which both take from region 2.
  EXPECT_TRUE(AgreesRelative(e.h, HofTP(1000, 800, 97), 1e-12));
  const State back = StateOfPH(800, e.h, 97);
  EXPECT_TRUE(AgreesRelative(back.T, 1000, 1e-10));
  // IAPWS R7-97(2012), Table 36: T_s(0.1 MPa) = 372.755919 K, here 0.1 MPa in psia and the result in degF.
  const State wet = StateOfPX(14.50377377, 0.5, 97);
  EXPECT_TRUE(testing::AgreesToDigits((wet.T + 459.67) / 1.8, 0.372755919e3, 9));
}

}  // namespace
}  // namespace brimwater
