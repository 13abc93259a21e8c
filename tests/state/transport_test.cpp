// Transport properties and surface tension through the state interface: the industrial form with
// IAPWS-IF97 against the check tables of IAPWS R15-11 (Tables 7, 8 and 9), the surface tension of
// IAPWS R1-76(2014) on the saturation line (Table 1), which fields a state carries where, the validity
// flags, and the English units against their definitions.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "if97/if97.h"
#include "state/properties.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;
using testing::AgreesToDigits;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// IAPWS R15-11, Tables 7 (IAPWS-IF97 region 1) and 8 (region 2): lambda of the industrial formulation at
// (T, p), mW/(m K), nine digits as printed.
struct TpRow {
  const char* table;
  double T, p;  // K, MPa
  double lambda;
  int region;
};
constexpr TpRow kIndustrialTp[] = {
    {"R15-11 Table 7", 620, 20, 481.485195, 1},
    {"R15-11 Table 7", 620, 50, 545.038940, 1},
    {"R15-11 Table 8", 650, 0.3, 52.2311024, 2},
    {"R15-11 Table 8", 800, 50, 177.709914, 2},
};

TEST(StateTransport, IndustrialFormWithIf97Regions1And2) {
  for (const TpRow& r : kIndustrialTp) {
    SCOPED_TRACE(::testing::Message() << r.table << " T=" << r.T << " p=" << r.p);
    const State s = StateOfTP(r.T, r.p, -97);
    ASSERT_EQ(s.region, r.region);
    EXPECT_EQ(s.transport, TransportForm::Industrial);
    EXPECT_EQ(s.transport_status, Status::Ok);
    EXPECT_TRUE(AgreesToDigits(s.lambda * 1e3, r.lambda, 9));
  }
}

// IAPWS R15-11, Table 9 (IAPWS-IF97 region 3), at (T, rho): rho in kg/m3, lambda in mW/(m K). The state
// interface takes (T, p): the pressure is region 3's at (T, rho), and StateOfTP finds the density again.
struct TdRow {
  const char* table;
  double T, rho;
  double lambda;
};
constexpr TdRow kIndustrialTd[] = {
    {"R15-11 Table 9", 647.35, 222, 366.879411},
    {"R15-11 Table 9", 647.35, 322, 1241.82415},
};

TEST(StateTransport, IndustrialFormWithIf97Region3) {
  for (const TdRow& r : kIndustrialTd) {
    SCOPED_TRACE(::testing::Message() << r.table << " T=" << r.T << " rho=" << r.rho);
    const double p = state::FromHelmholtz(if97::Region3Point(r.T, r.rho / 1000.0)).P;
    const State s = StateOfTP(r.T, p, -97);
    ASSERT_EQ(s.region, 3);
    // The density comes back to 1e-15 at 222 kg/m3 and to 2.6e-12 at 322 kg/m3, where (d rho / d p)_T is
    // 40 times larger and the density search stops within the pressure's rounding noise.
    EXPECT_TRUE(AgreesRelative(s.rho * 1000.0, r.rho, 5e-12));
    EXPECT_EQ(s.transport, TransportForm::Industrial);
    EXPECT_TRUE(AgreesToDigits(s.lambda * 1e3, r.lambda, 9));
  }
}

// Across IAPWS-IF97's region boundaries mu and lambda move no more than the equations' own inconsistency
// there moves rho and cp (at the boundary of regions 2 and 3 rho by 1.8e-4 and cp by 3e-3 at 700 K).
TEST(StateTransport, ContinuousAcrossRegionBoundaries) {
  struct Case {
    const char* what;
    double T1, p1, T2, p2;  // K, MPa, either side
    double tolerance;       // relative
  };
  const double b23 = if97::B23Pressure(700);
  const Case cases[] = {
      {"regions 1 and 3 at 20 MPa", 623.15 - 1e-9, 20, 623.15 + 1e-9, 20, 1e-4},
      {"regions 1 and 3 at 50 MPa", 623.15 - 1e-9, 50, 623.15 + 1e-9, 50, 1e-4},
      {"regions 2 and 3 at 700 K", 700, b23 * (1 - 1e-12), 700, b23 * (1 + 1e-12), 1e-3},
      {"regions 2 and 5 at 10 MPa", 1073.15 - 1e-9, 10, 1073.15 + 1e-9, 10, 1e-4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const State a = StateOfTP(c.T1, c.p1, -97);
    const State b = StateOfTP(c.T2, c.p2, -97);
    ASSERT_NE(a.region, b.region);
    EXPECT_TRUE(AgreesRelative(a.mu, b.mu, c.tolerance));
    EXPECT_TRUE(AgreesRelative(a.lambda, b.lambda, c.tolerance));
  }
}

// IAPWS R1-76(2014), Table 1: sigma in mN/m, two decimals as printed, on IAPWS-IF97's saturation line, for
// the saturated liquid, the saturated vapour and a mixture alike.
struct SigmaRow {
  double T;  // K
  double sigma;
};
constexpr SigmaRow kSurfaceTension[] = {
    {273.16, 75.65}, {283.15, 74.22}, {293.15, 72.74}, {303.15, 71.19}, {313.15, 69.60},
    {323.15, 67.94}, {333.15, 66.24}, {343.15, 64.48}, {353.15, 62.67}, {363.15, 60.82},
    {373.15, 58.91}, {393.15, 54.97}, {413.15, 50.86}, {433.15, 46.59}, {453.15, 42.19},
    {473.15, 37.67}, {523.15, 26.04}, {573.15, 14.36}, {623.15, 3.67},  {643.15, 0.39},
};

TEST(StateTransport, SurfaceTensionOnTheSaturationLine) {
  for (const SigmaRow& r : kSurfaceTension) {
    SCOPED_TRACE(::testing::Message() << "R1-76(2014) Table 1, T=" << r.T);
    for (double x : {0.0, 0.5, 1.0}) {
      const State s = StateOfTX(r.T, x, -97);
      EXPECT_NEAR(s.sigma * 1e3, r.sigma, 0.00505) << "x = " << x;
      EXPECT_EQ(s.transport_status, Status::Ok) << "x = " << x;
    }
  }
  // From pressure and quality as well: 0.1 MPa, where IAPWS-IF97 boils at 372.755919 K (R7-97(2012)
  // Table 35), a little below R1-76's 100 degC row.
  const State boiling = StateOfPX(0.1, 0.0, -97);
  EXPECT_GT(boiling.sigma * 1e3, 58.91);
  EXPECT_LT(boiling.sigma * 1e3, 59.0);
}

// Which fields a state carries, for every formulation: a single-phase state everything but sigma; a
// saturated phase everything; a mixture sigma alone; a failed state nothing. The form is the formulation's:
// industrial for IAPWS-IF97 and IFC-67, full for the Helmholtz-energy formulations.
TEST(StateTransport, FieldsByKindOfState) {
  using Pair = State (*)(double, double, FormulationCode);
  struct Case {
    const char* what;
    Pair pair;
    double a, b;
    bool transport, sigma;
    Status transport_status;
  };
  const Case cases[] = {
      {"compressed liquid", StateOfTP, 300, 10, true, false, Status::Ok},
      {"superheated vapour", StateOfPH, 1, 3000, true, false, Status::Ok},
      {"supercritical", StateOfPS, 25, 5, true, false, Status::Ok},
      {"expansion line", StateOfHS, 2800, 6.5, true, false, Status::Ok},
      {"saturated liquid", StateOfTX, 450, 0, true, true, Status::Ok},
      {"saturated vapour", StateOfPX, 1, 1, true, true, Status::Ok},
      {"saturated vapour near the critical point", StateOfTX, 640, 1, true, true, Status::Ok},
      {"mixture", StateOfPX, 0.007, 0.9, false, true, Status::Ok},
      {"wet steam from (h, s)", StateOfHS, 2000, 6, false, true, Status::Ok},
      {"no solution", StateOfTX, 700, 0.5, false, false, Status::NoSolution},
      {"invalid argument", StateOfTP, kNaN, 1, false, false, Status::NoSolution},
  };
  for (FormulationCode code : {-97, -95, -69, -67}) {
    const bool full = code == -95 || code == -69;
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "code " << code << ": " << c.what);
      const State s = c.pair(c.a, c.b, code);
      for (double value : {s.mu, s.lambda, s.nu, s.alpha, s.Pr}) {
        EXPECT_EQ(std::isfinite(value) && value > 0.0, c.transport) << value;
        if (!c.transport) {
          EXPECT_TRUE(std::isnan(value));
        }
      }
      EXPECT_EQ(std::isfinite(s.sigma) && s.sigma > 0.0, c.sigma);
      if (!c.sigma) {
        EXPECT_TRUE(std::isnan(s.sigma));
      }
      const TransportForm evaluated = full ? TransportForm::Full : TransportForm::Industrial;
      EXPECT_EQ(s.transport, c.transport ? evaluated : TransportForm::None);
      EXPECT_EQ(s.transport_status, c.transport_status);
    }
  }
  const State unsupported = StateOfTP(300, 1, 5);
  EXPECT_TRUE(std::isnan(unsupported.mu) && std::isnan(unsupported.sigma));
  EXPECT_EQ(unsupported.transport, TransportForm::None);
  EXPECT_EQ(unsupported.transport_status, Status::NoSolution);
}

// Between R1-76's critical temperature, 647.096 K, and a formulation's own higher one (IFC-67 647.3 K, KKHM
// 1969 647.245 K) the saturated states have sigma = 0, flagged extrapolated.
TEST(StateTransport, SurfaceTensionAboveTheReleasesCriticalTemperature) {
  for (FormulationCode code : {-67, -69}) {
    SCOPED_TRACE(::testing::Message() << "code " << code);
    for (double x : {0.0, 0.5, 1.0}) {
      const State s = StateOfTX(647.2, x, code);
      ASSERT_EQ(s.status, Status::Ok);
      EXPECT_EQ(s.sigma, 0.0);
      EXPECT_EQ(s.transport_status, Status::Extrapolated);
    }
  }
}

// Every pair gives the transport properties of the state it finds, bit for bit those of (T, P) there.
TEST(StateTransport, EveryPairGivesTheTransportOfItsState) {
  struct Case {
    const char* what;
    State state;
  };
  const Case cases[] = {
      {"(P, h) liquid", StateOfPH(10, 1000, -97)},
      {"(P, s) vapour", StateOfPS(1, 7, -97)},
      {"(h, s) vapour", StateOfHS(3000, 7, -97)},
      {"(h, s) liquid", StateOfHS(1000, 2.5, -97)},
      {"(h, s) supercritical", StateOfHS(2500, 5, -97)},
      {"(h, s) near the critical point", StateOfHS(1900, 4.1, -97)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.state.status, Status::Ok);
    const State tp = StateOfTP(c.state.T, c.state.P, -97);
    EXPECT_EQ(c.state.mu, tp.mu);
    EXPECT_EQ(c.state.lambda, tp.lambda);
    EXPECT_EQ(c.state.Pr, tp.Pr);
    EXPECT_EQ(c.state.transport, TransportForm::Industrial);
    EXPECT_EQ(c.state.transport_status, tp.transport_status);
  }
}

TEST(StateTransport, DerivedPropertiesFromTheSameState) {
  // nu = mu / rho, alpha = lambda / (rho cp), Pr = mu cp / lambda, in SI (rho in kg/m3, cp in J/(kg K)).
  for (const State& s : {StateOfTP(300, 10, -97), StateOfTP(800, 1, -97), StateOfTX(600, 0, -97)}) {
    EXPECT_TRUE(AgreesRelative(s.nu, s.mu / (s.rho * 1e3), 1e-15));
    EXPECT_TRUE(AgreesRelative(s.alpha, s.lambda / (s.rho * 1e3 * s.cp * 1e3), 1e-15));
    EXPECT_TRUE(AgreesRelative(s.Pr, s.mu * s.cp * 1e3 / s.lambda, 1e-15));
  }
}

// The validity flags follow the ranges of R12-08 and R15-11 (and of R1-76(2014) on the saturation line),
// whatever the formulation's own.
TEST(StateTransport, ValidityOfTheCorrelations) {
  struct Case {
    const char* what;
    State state;
    Status status, transport_status;
  };
  const Case cases[] = {
      {"ambient liquid", StateOfTP(298.15, 0.101325, -97), Status::Ok, Status::Ok},
      {"above 1173.15 K", StateOfTP(1500, 1, -97), Status::Ok, Status::Extrapolated},
      {"R15-11 ends at 874 K above 100 MPa; IF97 at 100 MPa", StateOfTP(900, 120, -97), Status::Extrapolated,
       Status::Extrapolated},
      {"both releases cover 400 K at 200 MPa, IF97 does not", StateOfTP(400, 200, -97), Status::Extrapolated,
       Status::Ok},
      // At 273.15 K ice Ih melts at 0.135 MPa (IAPWS R14-08): liquid at 0.1 MPa is metastable.
      {"below the melting curve", StateOfTP(273.15, 0.1, -97), Status::Ok, Status::Extrapolated},
      {"saturated below the triple point", StateOfTX(273.15, 0, -97), Status::Ok, Status::Extrapolated},
      {"saturated at the triple point", StateOfTX(273.16, 0, -97), Status::Ok, Status::Ok},
      {"mixture at the triple point", StateOfTX(273.16, 0.5, -97), Status::Ok, Status::Ok},
      {"mixture below it", StateOfTX(273.155, 0.5, -97), Status::Ok, Status::Extrapolated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.state.status, c.status);
    EXPECT_EQ(c.state.transport_status, c.transport_status);
    EXPECT_TRUE(std::isfinite(c.state.sigma) || std::isfinite(c.state.mu));
  }
}

// At the critical point cp and (d rho / d p)_T diverge (IAPWS-IF97's critical state has them infinite): the
// industrial form's bounds keep lambda finite and enhanced, the thermal diffusivity goes to zero, the Prandtl
// number has no finite value (NaN), and sigma is zero.
TEST(StateTransport, CriticalPointOfIf97) {
  const State s = StateOfTX(if97::kCriticalTemperature, 0, -97);
  ASSERT_EQ(s.cp, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isfinite(s.lambda));
  EXPECT_GT(s.lambda, 1.0);  // W/(m K): the enhancement, a thousand times the background
  EXPECT_TRUE(std::isfinite(s.mu));
  EXPECT_EQ(s.transport_status, Status::Ok);
  EXPECT_EQ(s.alpha, 0.0);
  EXPECT_TRUE(std::isnan(s.Pr));
  EXPECT_EQ(s.sigma, 0.0);
}

// Each English unit against its definition: the foot 0.3048 m, the pound 0.45359237 kg, the pound-force the
// pound times standard gravity 9.80665 m/s2, the International Table BTU per pound 2.326 kJ/kg, the hour
// 3600 s and the degree Fahrenheit 1/1.8 K.
TEST(StateTransport, EnglishUnitsByTheCodesSign) {
  constexpr double kFoot = 0.3048;                              // m
  constexpr double kPound = 0.45359237;                         // kg
  constexpr double kPoundForce = kPound * 9.80665;              // N
  constexpr double kBtu = 2326.0 * kPound;                      // J
  constexpr double kHour = 3600.0;                              // s
  constexpr double kRankine = 1.0 / 1.8;                        // K
  const double lbm_ft_h = kPound / (kFoot * kHour);             // Pa s
  const double btu_h_ft_f = kBtu / (kHour * kFoot * kRankine);  // W/(m K)
  const double lbf_ft = kPoundForce / kFoot;                    // N/m
  const double ft2_h = kFoot * kFoot / kHour;                   // m2/s
  // Published conversion factors as a check on the definitions above (NIST SP 811, Appendix B.8):
  // 1 lb/(ft h) = 4.133789e-4 Pa s, 1 BTU_IT/(h ft degF) = 1.730735 W/(m K), 1 lbf/ft = 14.59390 N/m,
  // 1 ft2/h = 2.58064e-5 m2/s.
  EXPECT_TRUE(AgreesToDigits(lbm_ft_h, 4.133789e-4, 7));
  EXPECT_TRUE(AgreesToDigits(btu_h_ft_f, 1.730735, 7));
  EXPECT_TRUE(AgreesToDigits(lbf_ft, 14.59390, 7));
  EXPECT_TRUE(AgreesToDigits(ft2_h, 2.58064e-5, 6));

  // 1000 degF and 800 psia (superheated), and saturated liquid at 212 degF.
  const State e = StateOfTP(1000, 800, 97);
  const State s = StateOfTP((1000 + 459.67) / 1.8, 800 / 145.0377377, -97);
  EXPECT_TRUE(AgreesRelative(e.mu * lbm_ft_h, s.mu, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.lambda * btu_h_ft_f, s.lambda, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.nu * ft2_h, s.nu, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.alpha * ft2_h, s.alpha, 1e-13));
  EXPECT_TRUE(AgreesRelative(e.Pr, s.Pr, 1e-13));
  EXPECT_EQ(e.transport, s.transport);
  EXPECT_EQ(e.transport_status, s.transport_status);
  const State ef = StateOfTX(212, 0, 97);
  const State sf = StateOfTX(373.15, 0, -97);
  EXPECT_TRUE(AgreesRelative(ef.sigma * lbf_ft, sf.sigma, 1e-13));
  EXPECT_TRUE(AgreesRelative(ef.mu * lbm_ft_h, sf.mu, 1e-13));
}

}  // namespace
}  // namespace brimwater
