// IAPWS-IF97 region equations against the release's computer-program verification values (Tables 5, 15
// and 33 of IAPWS R7-97(2012)), to the nine significant digits printed there.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/precision.h"

namespace brimwater::if97 {
namespace {

using brimwater::testing::AgreesToDigits;

struct TPPoint {
  const char* source;
  double T, P;
  double v, h, s;
};

TEST(If97Regions, Region1VerificationValues) {
  const TPPoint points[] = {
      {"Table 5, T = 300 K, p = 3 MPa", 300.0, 3.0, 0.00100215168, 115.331273, 0.392294792},
      {"Table 5, T = 300 K, p = 80 MPa", 300.0, 80.0, 0.000971180894, 184.142828, 0.368563852},
      {"Table 5, T = 500 K, p = 3 MPa", 500.0, 3.0, 0.00120241800, 975.542239, 2.58041912},
  };
  for (const TPPoint& p : points) {
    SCOPED_TRACE(p.source);
    EXPECT_TRUE(AgreesToDigits(Region1Volume(p.T, p.P), p.v, 9));
    EXPECT_TRUE(AgreesToDigits(Region1Enthalpy(p.T, p.P), p.h, 9));
    EXPECT_TRUE(AgreesToDigits(Region1Entropy(p.T, p.P), p.s, 9));
  }
}

TEST(If97Regions, Region2VerificationValues) {
  const TPPoint points[] = {
      {"Table 15, T = 300 K, p = 0.0035 MPa", 300.0, 0.0035, 39.4913866, 2549.91145, 8.52238967},
      {"Table 15, T = 700 K, p = 0.0035 MPa", 700.0, 0.0035, 92.3015898, 3335.68375, 10.1749996},
      {"Table 15, T = 700 K, p = 30 MPa", 700.0, 30.0, 0.00542946619, 2631.49474, 5.17540298},
  };
  for (const TPPoint& p : points) {
    SCOPED_TRACE(p.source);
    EXPECT_TRUE(AgreesToDigits(Region2Volume(p.T, p.P), p.v, 9));
    EXPECT_TRUE(AgreesToDigits(Region2Enthalpy(p.T, p.P), p.h, 9));
    EXPECT_TRUE(AgreesToDigits(Region2Entropy(p.T, p.P), p.s, 9));
  }
}

TEST(If97Regions, Region3VerificationValues) {
  struct Point {
    const char* source;
    double T, v;
    double P, h, s;
  };
  const Point points[] = {
      {"Table 33, T = 650 K, rho = 500 kg/m3", 650.0, 0.002, 25.5837018, 1863.43019, 4.05427273},
      {"Table 33, T = 650 K, rho = 200 kg/m3", 650.0, 0.005, 22.2930643, 2375.12401, 4.85438792},
      {"Table 33, T = 750 K, rho = 500 kg/m3", 750.0, 0.002, 78.3095639, 2258.68845, 4.46971906},
  };
  for (const Point& p : points) {
    SCOPED_TRACE(p.source);
    EXPECT_TRUE(AgreesToDigits(Region3Pressure(p.T, p.v), p.P, 9));
    EXPECT_TRUE(AgreesToDigits(Region3Enthalpy(p.T, p.v), p.h, 9));
    EXPECT_TRUE(AgreesToDigits(Region3Entropy(p.T, p.v), p.s, 9));
  }
}

// The region-1 and region-2 Gibbs functions summed term by term with the general power function, which
// takes 0^0 as 1; the kernel's nested powers must agree with it also where a base is exactly zero.
struct GibbsTerm {
  int I, J;
  double n;
};

// The region-1 terms with I <= 1 (Table 2, i = 1 to 14) carry gamma_pi at 7.1 - pi = 0; the others vanish.
constexpr GibbsTerm kRegion1Leading[] = {
    {1, -9, 0.28319080123804e-3}, {1, -7, -0.60706301565874e-3}, {1, -1, -0.18990068218419e-1},
    {1, 0, -0.32529748770505e-1}, {1, 1, -0.21841717175414e-1},  {1, 3, -0.52838357969930e-4},
};
constexpr GibbsTerm kRegion1Constant[] = {
    {0, -2, 0.14632971213167},    {0, -1, -0.84548187169114},  {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},   {0, 2, -0.95791963387872},   {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1}, {0, 5, 0.81214629983568e-3},
};

TEST(If97Regions, Region1StaysFiniteWhereSevenPointOneMinusPiIsZero) {
  const double T = 400.0;
  const double P = 7.1 * 16.53;  // 117.363 MPa
  const double a = 7.1 - P / 16.53;
  const double b = 1386.0 / T - 1.222;
  double gamma_pi = 0.0;
  double tau_gamma_tau = 0.0;
  for (const GibbsTerm& t : kRegion1Leading) gamma_pi -= t.n * t.I * std::pow(a, t.I - 1) * std::pow(b, t.J);
  for (const GibbsTerm& t : kRegion1Constant) {
    tau_gamma_tau += t.n * t.J * std::pow(b, t.J - 1) * (1386.0 / T);
  }
  for (const GibbsTerm& t : kRegion1Leading) {
    tau_gamma_tau += t.n * t.J * std::pow(a, t.I) * std::pow(b, t.J - 1) * (1386.0 / T);
  }
  const double v = Region1Volume(T, P);
  const double h = Region1Enthalpy(T, P);
  ASSERT_TRUE(std::isfinite(v));
  ASSERT_TRUE(std::isfinite(h));
  ASSERT_TRUE(std::isfinite(Region1Entropy(T, P)));
  if (a == 0.0) {
    // Only the I <= 1 terms survive; compare with their plain sum.
    EXPECT_TRUE(brimwater::testing::AgreesRelative(v, 0.461526 * T * gamma_pi / (1000.0 * 16.53), 1e-12));
    EXPECT_TRUE(brimwater::testing::AgreesRelative(h, 0.461526 * T * tau_gamma_tau, 1e-12));
  }
  // Continuity through the zero of the base.
  EXPECT_TRUE(brimwater::testing::AgreesRelative(h, Region1Enthalpy(T, P * (1 + 1e-12)), 1e-9));
  EXPECT_TRUE(brimwater::testing::AgreesRelative(v, Region1Volume(T, P * (1 - 1e-12)), 1e-9));
}

TEST(If97Regions, Region2StaysFiniteWhereTauMinusHalfIsZero) {
  const double T = 1080.0;  // tau - 0.5 = 540 / 1080 - 0.5 = 0 exactly
  for (const double P : {0.001, 1.0, 10.0, 50.0}) {
    SCOPED_TRACE(P);
    const double v = Region2Volume(T, P);
    const double h = Region2Enthalpy(T, P);
    const double s = Region2Entropy(T, P);
    ASSERT_TRUE(std::isfinite(v) && std::isfinite(h) && std::isfinite(s));
    // Each property must be continuous through T = 1080 K; its neighbours are evaluated with a nonzero base.
    EXPECT_TRUE(brimwater::testing::AgreesRelative(v, Region2Volume(T * (1 + 1e-12), P), 1e-9));
    EXPECT_TRUE(brimwater::testing::AgreesRelative(h, Region2Enthalpy(T * (1 - 1e-12), P), 1e-9));
    EXPECT_TRUE(brimwater::testing::AgreesRelative(s, Region2Entropy(T * (1 + 1e-12), P), 1e-9));
  }
}

}  // namespace
}  // namespace brimwater::if97
