// IAPWS-IF97 through the state interface, against the computer-program verification tables of IAPWS
// R7-97(2012): regions 1, 2 and 5 at (T, p) (Tables 5, 15, 42), region 3 at (T, rho) and back from its
// printed pressure (Table 33), the saturation equations (Tables 35, 36). Every value is the table's, to its
// nine printed digits (v in m3/kg there, cm3/g here).
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include "if97/if97.h"
#include "state/properties.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesToDigits;

struct Row {
  const char* table;
  double T, p;  // K, MPa
  double v, h, u, s, cp, w;
  int region;
};

// Tables 5, 15 and 42: v (m3/kg), h, u (kJ/kg), s, cp (kJ/(kg K)), w (m/s).
constexpr Row kTables[] = {
    {"Table 5", 300, 3, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1,
     0.150773921e4, 1},
    {"Table 5", 300, 80, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1,
     0.163469054e4, 1},
    {"Table 5", 500, 3, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1,
     0.124071337e4, 1},
    {"Table 15", 300, 0.0035, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1,
     0.427920172e3, 2},
    {"Table 15", 700, 0.0035, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1,
     0.644289068e3, 2},
    {"Table 15", 700, 30, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2,
     0.480386523e3, 2},
    {"Table 42", 1500, 0.5, 0.138455090e1, 0.521976855e4, 0.452749310e4, 0.965408875e1, 0.261609445e1,
     0.917068690e3, 5},
    {"Table 42", 1500, 30, 0.230761299e-1, 0.516723514e4, 0.447495124e4, 0.772970133e1, 0.272724317e1,
     0.928548002e3, 5},
    {"Table 42", 2000, 30, 0.311385219e-1, 0.657122604e4, 0.563707038e4, 0.853640523e1, 0.288569882e1,
     0.106736948e4, 5},
};

TEST(If97State, VerificationTablesOfRegions1To2And5) {
  for (const Row& r : kTables) {
    SCOPED_TRACE(::testing::Message() << r.table << " T=" << r.T << " p=" << r.p);
    const State s = StateOfTP(r.T, r.p, -97);
    EXPECT_EQ(s.status, Status::Ok);
    EXPECT_EQ(s.region, r.region);
    EXPECT_TRUE(AgreesToDigits(s.v / 1000.0, r.v, 9));
    EXPECT_TRUE(AgreesToDigits(s.h, r.h, 9));
    EXPECT_TRUE(AgreesToDigits(s.u, r.u, 9));
    EXPECT_TRUE(AgreesToDigits(s.s, r.s, 9));
    EXPECT_TRUE(AgreesToDigits(s.cp, r.cp, 9));
    EXPECT_TRUE(AgreesToDigits(s.w, r.w, 9));
  }
}

// Table 33: region 3 at (T, rho); rho in kg/m3.
struct Region3Row {
  double T, rho, p, h, u, s, cp, w;
};
constexpr Region3Row kTable33[] = {
    {650, 500, 0.255837018e2, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2, 0.502005554e3},
    {650, 200, 0.222930643e2, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2, 0.383444594e3},
    {750, 500, 0.783095639e2, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1, 0.760696041e3},
};

TEST(If97State, Table33AtTheReleasesTemperatureAndDensity) {
  for (const Region3Row& r : kTable33) {
    SCOPED_TRACE(::testing::Message() << "Table 33 T=" << r.T << " rho=" << r.rho);
    const state::Properties p = state::FromHelmholtz(if97::Region3Point(r.T, r.rho / 1000.0));
    EXPECT_TRUE(AgreesToDigits(p.P, r.p, 9));
    EXPECT_TRUE(AgreesToDigits(p.h, r.h, 9));
    EXPECT_TRUE(AgreesToDigits(p.u, r.u, 9));
    EXPECT_TRUE(AgreesToDigits(p.s, r.s, 9));
    EXPECT_TRUE(AgreesToDigits(p.cp, r.cp, 9));
    EXPECT_TRUE(AgreesToDigits(p.w, r.w, 9));
  }
}

TEST(If97State, Table33FromItsPrintedPressure) {
  // The printed pressure carries nine digits, which fix the density to about 1e-8 relative (1e-6 where the
  // isotherm is flat, at 650 K and 200 kg/m3, 0.3 K above the critical temperature's neighbourhood).
  for (const Region3Row& r : kTable33) {
    SCOPED_TRACE(::testing::Message() << "Table 33 T=" << r.T << " p=" << r.p);
    const State s = StateOfTP(r.T, r.p, -97);
    EXPECT_EQ(s.region, 3);
    EXPECT_TRUE(testing::AgreesRelative(s.rho * 1000.0, r.rho, 2e-6));
    EXPECT_TRUE(testing::AgreesRelative(s.h, r.h, 1e-6));
  }
}

TEST(If97State, SaturationEquationsTables35And36) {
  struct Pair {
    double T, p;
  };
  // Table 35: p_s(T); Table 36: T_s(p).
  for (const Pair& r : {Pair{300, 0.353658941e-2}, Pair{500, 0.263889776e1}, Pair{600, 0.123443146e2}}) {
    EXPECT_TRUE(AgreesToDigits(if97::Region4Pressure(r.T), r.p, 9)) << "Table 35, T = " << r.T;
    EXPECT_TRUE(AgreesToDigits(StateOfTX(r.T, 0.5, -97).P, r.p, 9)) << "Table 35, T = " << r.T;
  }
  for (const Pair& r : {Pair{0.372755919e3, 0.1}, Pair{0.453035632e3, 1}, Pair{0.584149488e3, 10}}) {
    EXPECT_TRUE(AgreesToDigits(if97::Region4Temperature(r.p), r.T, 9)) << "Table 36, p = " << r.p;
    EXPECT_TRUE(AgreesToDigits(StateOfPX(r.p, 0.5, -97).T, r.T, 9)) << "Table 36, p = " << r.p;
  }
}

}  // namespace
}  // namespace brimwater
