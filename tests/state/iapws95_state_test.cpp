// IAPWS-95 through the state interface, against the verification tables of IAPWS R6-95(2018): the
// single-phase table at (T, rho) and back from its printed pressure (Table 7), the two-phase table at 275,
// 450 and 625 K (Table 8), and the triple point; then what the release leaves to the implementation: the
// saturated states up to the critical point, the saturation temperature of a pressure, the side of the
// saturation line, the range of validity and bad input. Published values are in kg/m3 where the interface
// works in g/cm3.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws95/iapws95.h"
#include "state/properties.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

constexpr FormulationCode kCode = -95;

// Table 7: T (K), rho (kg/m3), p (MPa), cv (kJ/(kg K)), w (m/s), s (kJ/(kg K)).
struct Table7Row {
  double T, rho, p, cv, w, s;
};
constexpr Table7Row kTable7[] = {
    {300, 0.9965560e3, 0.992418352e-1, 0.413018112e1, 0.150151914e4, 0.393062643},
    {300, 0.1005308e4, 0.200022515e2, 0.406798347e1, 0.153492501e4, 0.387405401},
    {300, 0.1188202e4, 0.700004704e3, 0.346135580e1, 0.244357992e4, 0.132609616},
    {500, 0.4350000, 0.999679423e-1, 0.150817541e1, 0.548314253e3, 0.794488271e1},
    {500, 0.4532000e1, 0.999938125, 0.166991025e1, 0.535739001e3, 0.682502725e1},
    {500, 0.8380250e3, 0.100003858e2, 0.322106219e1, 0.127128441e4, 0.256690919e1},
    {500, 0.1084564e4, 0.700000405e3, 0.307437693e1, 0.241200877e4, 0.203237509e1},
    {647, 0.3580000e3, 0.220384756e2, 0.618315728e1, 0.252145078e3, 0.432092307e1},
    {900, 0.2410000, 0.100062559, 0.175890657e1, 0.724027147e3, 0.916653194e1},
    {900, 0.5261500e2, 0.200000690e2, 0.193510526e1, 0.698445674e3, 0.659070225e1},
    {900, 0.8707690e3, 0.700000006e3, 0.266422350e1, 0.201933608e4, 0.417223802e1},
};

TEST(Iapws95State, Table7AtTheReleasesTemperatureAndDensity) {
  for (const Table7Row& r : kTable7) {
    SCOPED_TRACE(::testing::Message() << "Table 7 T=" << r.T << " rho=" << r.rho);
    const state::Properties p = state::FromHelmholtz(iapws95::PointOfTD(r.T, r.rho / 1000.0));
    EXPECT_TRUE(AgreesToDigits(p.P, r.p, 9));
    EXPECT_TRUE(AgreesToDigits(p.cv, r.cv, 9));
    EXPECT_TRUE(AgreesToDigits(p.w, r.w, 9));
    EXPECT_TRUE(AgreesToDigits(p.s, r.s, 9));
  }
}

TEST(Iapws95State, Table7FromItsPrintedPressure) {
  // The printed pressure (nine digits) fixes the density to half a unit of its last digit times
  // (drho/dp)_T: to 1e-14 for the compressed liquid, to 1.3e-6 at 647 K and 358 kg/m3, where the isotherm
  // is nearly flat. The other properties follow within ten times that share, or their nine digits.
  for (const Table7Row& r : kTable7) {
    SCOPED_TRACE(::testing::Message() << "Table 7 T=" << r.T << " p=" << r.p);
    const State s = StateOfTP(r.T, r.p, kCode);
    EXPECT_EQ(s.status, Status::Ok);
    const double half_digit = 0.5 * std::pow(10.0, std::floor(std::log10(r.p)) - 8.0);  // MPa
    const state::Properties at = state::FromHelmholtz(iapws95::PointOfTD(r.T, s.rho));
    const double rho_uncertainty = half_digit * at.drho_dP * 1000.0;  // kg/m3
    EXPECT_NEAR(s.rho * 1000.0, r.rho, rho_uncertainty + 0.5e-7 * r.rho);
    const double relative = std::fmax(5e-9, 10.0 * rho_uncertainty / r.rho);
    EXPECT_TRUE(AgreesRelative(s.cv, r.cv, relative));
    EXPECT_TRUE(AgreesRelative(s.w, r.w, relative));
    EXPECT_TRUE(AgreesRelative(s.s, r.s, relative));
  }
  // The near-critical row in particular, which a density search stopped at a relative pressure tolerance of
  // 3.45e-4 misses by 4 % (344 kg/m3): 358 kg/m3 to the six digits its pressure fixes.
  EXPECT_NEAR(StateOfTP(647.0, 22.0384756, kCode).rho * 1000.0, 358.0, 5e-4);
}

TEST(Iapws95State, Table8SaturatedStatesByPhaseEquilibrium) {
  // Table 8: p_sigma (MPa), rho', rho'' (kg/m3), h', h'' (kJ/kg), s', s'' (kJ/(kg K)).
  struct Row {
    double T, p, rho_liquid, rho_vapour, h_liquid, h_vapour, s_liquid, s_vapour;
  };
  constexpr Row kTable8[] = {
      {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972202e1, 0.250428995e4, 0.283094670e-1,
       0.910660121e1},
      {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1,
       0.660921221e1},
      {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4, 0.380194683e1,
       0.518506121e1},
  };
  for (const Row& r : kTable8) {
    SCOPED_TRACE(::testing::Message() << "Table 8 T=" << r.T);
    const State f = StateOfTX(r.T, 0.0, kCode);
    const State g = StateOfTX(r.T, 1.0, kCode);
    EXPECT_EQ(f.status, Status::Ok);
    EXPECT_EQ(f.phase, Phase::Liquid);
    EXPECT_EQ(g.phase, Phase::Vapour);
    EXPECT_TRUE(AgreesToDigits(f.P, r.p, 9));
    EXPECT_TRUE(AgreesToDigits(g.P, r.p, 9));
    EXPECT_TRUE(AgreesToDigits(f.rho * 1000.0, r.rho_liquid, 9));
    EXPECT_TRUE(AgreesToDigits(g.rho * 1000.0, r.rho_vapour, 9));
    EXPECT_TRUE(AgreesToDigits(f.h, r.h_liquid, 9));
    EXPECT_TRUE(AgreesToDigits(g.h, r.h_vapour, 9));
    EXPECT_TRUE(AgreesToDigits(f.s, r.s_liquid, 9));
    EXPECT_TRUE(AgreesToDigits(g.s, r.s_vapour, 9));
    // And back from the pressure: the saturation temperature inverts the same equilibrium.
    EXPECT_TRUE(AgreesRelative(StateOfPX(r.p, 0.5, kCode).T, r.T, 2e-9));
  }
}

TEST(Iapws95State, TriplePoint) {
  // The phase equilibrium at 273.16 K: p = 611.654771 Pa, rho' = 999.792520 kg/m3, rho'' = 4.85457572e-3
  // kg/m3, values computed from IAPWS-95 and confirmed in quadruple precision by Feistel et al., Ocean
  // Science 4, 275 (2008). The zero of u and s lies on that saturated liquid (IAPWS R6-95(2018), Table 1's
  // n0_1 and n0_2).
  const State f = StateOfTX(273.16, 0.0, kCode);
  const State g = StateOfTX(273.16, 1.0, kCode);
  EXPECT_EQ(f.status, Status::Ok);
  EXPECT_TRUE(AgreesToDigits(f.P * 1e6, 611.654771, 9));
  EXPECT_TRUE(AgreesToDigits(f.rho * 1000.0, 999.792520, 9));
  EXPECT_TRUE(AgreesToDigits(g.rho * 1000.0, 4.85457572e-3, 9));
  EXPECT_LT(std::fabs(f.u), 1e-9);   // kJ/kg
  EXPECT_LT(std::fabs(f.s), 1e-12);  // kJ/(kg K)
}

TEST(Iapws95State, SaturatedStatesJoinTheCriticalPoint) {
  // The equilibrium is solved up to kEquilibriumLimit below Tc and carried on to the critical point from
  // there: the two phases close in monotonically and continuously and meet at (Tc, rhoc), where the equation
  // gives p = 22.064 MPa. So close to Tc the equal Gibbs energies fix the densities only to about 2e-6 in
  // double precision (the phases differ by 1 % there); across the join they agree to that.
  const double Tc = iapws95::kCriticalTemperature;
  const double join = Tc - iapws95::kEquilibriumLimit;
  double previous_liquid = std::numeric_limits<double>::infinity();
  double previous_vapour = 0.0;
  for (double below : {1.0, 0.1, 1e-2, 1e-3, 3e-4, 1e-4, 5e-5, 1e-5, 1e-6, 1e-8, 0.0}) {
    SCOPED_TRACE(::testing::Message() << "Tc - " << below << " K");
    const State f = StateOfTX(Tc - below, 0.0, kCode);
    const State g = StateOfTX(Tc - below, 1.0, kCode);
    ASSERT_EQ(f.status, Status::Ok);
    EXPECT_LT(f.rho, previous_liquid);
    EXPECT_GT(g.rho, previous_vapour);
    EXPECT_GE(f.rho, g.rho);
    EXPECT_LE(f.h, g.h);
    previous_liquid = f.rho;
    previous_vapour = g.rho;
  }
  const numerics::Coexistence below_join = iapws95::SaturatedDensities(join - 1e-9);
  const numerics::Coexistence above_join = iapws95::SaturatedDensities(join + 1e-9);
  EXPECT_TRUE(AgreesRelative(below_join.rho_liquid, above_join.rho_liquid, 1e-5));
  EXPECT_TRUE(AgreesRelative(below_join.rho_vapour, above_join.rho_vapour, 1e-5));
  EXPECT_TRUE(AgreesRelative(below_join.P, above_join.P, 1e-10));
  const State c = StateOfTX(Tc, 0.0, kCode);
  EXPECT_EQ(c.rho, iapws95::kCriticalDensity);
  EXPECT_TRUE(AgreesToDigits(c.P, 22.064, 9));
  EXPECT_EQ(StateOfTX(Tc, 1.0, kCode).h, c.h);
}

TEST(Iapws95State, SaturationTemperatureInvertsTheEquilibrium) {
  for (double P : {611.657e-6, 1e-3, 0.101325, 1.0, 10.0, 20.0, 22.0, 22.06, 22.06398, 22.0639999}) {
    SCOPED_TRACE(::testing::Message() << "P=" << P);
    const State wet = StateOfPX(P, 0.5, kCode);
    ASSERT_EQ(wet.status, Status::Ok);
    EXPECT_TRUE(AgreesRelative(StateOfTX(wet.T, 0.5, kCode).P, P, 1e-13));
  }
  // (The equation's own critical pressure, p(Tc, rhoc), lies a few 1e-11 MPa above 22.064 MPa.)
  EXPECT_NEAR(StateOfPX(22.064, 0.5, kCode).T, iapws95::kCriticalTemperature, 1e-9);
}

TEST(Iapws95State, TheSideOfTheSaturationLineIsThisEquationsOwn) {
  // Near 456 K the IAPWS-IF97 saturation pressure lies 1.8e-4 below this equation's: between the two the
  // state is vapour, and just beyond either side the single-phase state continues the saturated one (to the
  // densities' noise of about 2e-6 within 1e-4 K of Tc).
  struct Case {
    double T, tolerance;
  };
  for (const Case& c :
       {Case{280.0, 1e-9}, Case{456.11, 1e-9}, Case{600.0, 1e-9}, Case{647.0, 1e-9}, Case{647.0959, 1e-5}}) {
    SCOPED_TRACE(::testing::Message() << "T=" << c.T);
    const State f = StateOfTX(c.T, 0.0, kCode);
    const State g = StateOfTX(c.T, 1.0, kCode);
    const State above = StateOfTP(c.T, f.P * (1.0 + 1e-12), kCode);
    const State below = StateOfTP(c.T, f.P * (1.0 - 1e-12), kCode);
    EXPECT_EQ(above.phase, Phase::Liquid);
    EXPECT_EQ(below.phase, Phase::Vapour);
    EXPECT_TRUE(AgreesRelative(above.rho, f.rho, c.tolerance));
    EXPECT_TRUE(AgreesRelative(below.rho, g.rho, c.tolerance));
  }
  const double T = 456.11;
  const State between = StateOfTP(T, 0.5 * (StateOfTX(T, 0.0, kCode).P + if97::Region4Pressure(T)), kCode);
  EXPECT_EQ(between.phase, Phase::Vapour);
}

TEST(Iapws95State, RoundTripsWhereOnlyThisEquationReaches) {
  // The compressed liquid up to 1000 MPa, the supercooled liquid and the hot vapour: (T, P) through (P, h),
  // (P, s) and (h, s) and back, as the shared pair tests do within IAPWS-IF97's range.
  struct Point {
    double T, P;
  };
  for (const Point& p : {Point{300, 700}, Point{500, 1000}, Point{1273, 1000}, Point{1000, 300},
                         Point{260, 200}, Point{2273, 1}, Point{700, 0.001}}) {
    SCOPED_TRACE(::testing::Message() << "T=" << p.T << " P=" << p.P);
    const State tp = StateOfTP(p.T, p.P, kCode);
    ASSERT_TRUE(std::isfinite(tp.h));
    const State ph = StateOfPH(p.P, tp.h, kCode);
    const State ps = StateOfPS(p.P, tp.s, kCode);
    const State hs = StateOfHS(tp.h, tp.s, kCode);
    EXPECT_TRUE(AgreesRelative(ph.T, p.T, 1e-9));
    EXPECT_TRUE(AgreesRelative(ps.T, p.T, 1e-9));
    EXPECT_TRUE(AgreesRelative(hs.T, p.T, 1e-9));
    EXPECT_TRUE(AgreesRelative(hs.P, p.P, 1e-9));
    // The status is that of the state found: at 1273 K, the edge of the range of validity, the last bit of
    // the T found decides it.
    EXPECT_EQ(ph.status, StateOfTP(ph.T, p.P, kCode).status);
  }
}

TEST(Iapws95State, RangeOfValidity) {
  struct Case {
    double T, P;
    Status status;
  };
  constexpr Case kCases[] = {
      {300, 0.1, Status::Ok},
      {273.16, 100, Status::Ok},
      {273.1, 100, Status::Extrapolated},  // below the triple point
      {1273, 1000, Status::Ok},
      {1274, 1, Status::Extrapolated},
      {500, 1001, Status::Extrapolated},
      {300, 700, Status::Ok},             // Table 7
      {280, 700, Status::Extrapolated},   // beside the melting curve of ice VI (279 K there)
      {300, 1000, Status::Extrapolated},  // ice VI melts near 300 K at 1000 MPa
      {2000, 10, Status::Extrapolated},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "T=" << c.T << " P=" << c.P);
    const State s = StateOfTP(c.T, c.P, kCode);
    EXPECT_EQ(s.status, c.status);
    EXPECT_TRUE(std::isfinite(s.h));
  }
}

TEST(Iapws95State, BadInputIsRejectedOrAnsweredInBoundedTime) {
  // Every pair with non-finite, zero, negative, tiny and huge arguments: no crash, no hang, and a state
  // claimed (Ok or Extrapolated) always has finite T, P, v, h and s.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan,  inf,   -inf,   0.0, -1.0,  5e-324, 1e-300,
                           1e-8, 200.0, 3000.0, 1e6, 1e300, 1.7e308};
  using Pair = State (*)(double, double, FormulationCode);
  const Pair pairs[] = {StateOfTP, StateOfPH, StateOfPS, StateOfHS, StateOfTX, StateOfPX};
  for (const Pair pair : pairs) {
    for (double a : values) {
      for (double b : values) {
        SCOPED_TRACE(::testing::Message() << a << ", " << b);
        const State s = pair(a, b, kCode);
        if (!std::isfinite(a) || !std::isfinite(b)) {
          EXPECT_EQ(s.status, Status::InvalidArgument);
        }
        if (s.status == Status::Ok || s.status == Status::Extrapolated) {
          EXPECT_TRUE(std::isfinite(s.T) && std::isfinite(s.P) && std::isfinite(s.v) && std::isfinite(s.h) &&
                      std::isfinite(s.s));
        } else {
          EXPECT_TRUE(std::isnan(s.T) && std::isnan(s.h) && std::isnan(s.rho));
        }
      }
    }
  }
}

}  // namespace
}  // namespace brimwater
