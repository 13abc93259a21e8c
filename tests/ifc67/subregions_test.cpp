// IFC-67 sub-region equations: published values, and the closed-form chi/beta, eps and sigma of each
// sub-region against finite differences of its characteristic function.
#include <gtest/gtest.h>

#include <cmath>

#include "ifc67/ifc67.h"
#include "support/ifc67_subregions.h"
#include "support/precision.h"

namespace brimwater::ifc67 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

using Function = double (*)(double, double);

// Five-point central difference of f(theta, x) in theta and in x; step h_theta, h_x.
double DerivativeTheta(Function f, double theta, double x, double h) {
  return (8.0 * (f(theta + h, x) - f(theta - h, x)) - (f(theta + 2.0 * h, x) - f(theta - 2.0 * h, x))) /
         (12.0 * h);
}

double DerivativeX(Function f, double theta, double x, double h) {
  return (8.0 * (f(theta, x + h) - f(theta, x - h)) - (f(theta, x + 2.0 * h) - f(theta, x - 2.0 * h))) /
         (12.0 * h);
}

// Agreement within `tolerance` of `scale`: differences of a function with large cancelling terms carry
// rounding proportional to its size, not to the derivative's.
::testing::AssertionResult Close(double actual, double expected, double scale) {
  constexpr double kTolerance = 2e-8;
  if (std::fabs(actual - expected) <= kTolerance * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "closed form " << actual << ", finite difference " << expected;
}

struct Point {
  double theta, x;
};

// Gibbs sub-regions: chi = zeta_beta, sigma = -zeta_theta, eps = zeta - theta zeta_theta.
void CheckGibbs(Function zeta, Function chi, Function eps, Function sigma, const Point& p) {
  SCOPED_TRACE(::testing::Message() << "theta " << p.theta << ", beta " << p.x);
  const double z_theta = DerivativeTheta(zeta, p.theta, p.x, 1e-3);
  const double z_beta = DerivativeX(zeta, p.theta, p.x, 1e-3 * p.x);
  const double e = zeta(p.theta, p.x) - p.theta * z_theta;
  EXPECT_TRUE(Close(chi(p.theta, p.x), z_beta, std::fabs(z_beta) + 1.0));
  EXPECT_TRUE(Close(sigma(p.theta, p.x), -z_theta, std::fabs(z_theta) + 1.0));
  EXPECT_TRUE(Close(eps(p.theta, p.x), e, std::fabs(e) + 1.0));
}

// Helmholtz sub-regions: beta = -psi_chi, sigma = -psi_theta, eps = psi - theta psi_theta + chi beta.
void CheckHelmholtz(Function psi, Function beta, Function eps, Function sigma, const Point& p) {
  SCOPED_TRACE(::testing::Message() << "theta " << p.theta << ", chi " << p.x);
  const double p_theta = DerivativeTheta(psi, p.theta, p.x, 1e-4);
  const double p_chi = DerivativeX(psi, p.theta, p.x, 1e-4);
  const double e = psi(p.theta, p.x) - p.theta * p_theta - p.x * p_chi;
  EXPECT_TRUE(Close(beta(p.theta, p.x), -p_chi, std::fabs(p_chi) + 1.0));
  EXPECT_TRUE(Close(sigma(p.theta, p.x), -p_theta, std::fabs(p_theta) + 1.0));
  EXPECT_TRUE(Close(eps(p.theta, p.x), e, std::fabs(e) + 1.0));
}

TEST(Ifc67Subregions, Subregion1DerivativesOfZeta) {
  const Point points[] = {{298.15 / 647.3, 0.1 / 22.12}, {0.5, 0.01}, {0.6, 1.0}, {0.8, 2.0}, {0.95, 4.0}};
  for (const Point& p : points) CheckGibbs(Zeta1, Chi1, Eps1, Sigma1, p);
}

TEST(Ifc67Subregions, Subregion2DerivativesOfZeta) {
  const Point points[] = {
      {573.15 / 647.3, 1.0 / 22.12}, {0.6, 0.001}, {0.9, 0.3}, {1.2, 2.0}, {900.0 / 647.3, 50.0 / 22.12},
  };
  for (const Point& p : points) CheckGibbs(Zeta2, Chi2, Eps2, Sigma2, p);
}

TEST(Ifc67Subregions, Subregion3DerivativesOfPsi) {
  const Point points[] = {{0.965, 0.5}, {0.97, 2.3}, {1.0, 1.0}, {1.05, 0.6}, {1.2, 2.5}};
  for (const Point& p : points) CheckHelmholtz(Psi3, Beta3, Eps3, Sigma3, p);
}

TEST(Ifc67Subregions, Subregion4DerivativesOfPsi) {
  const Point points[] = {{0.9627, 0.55}, {0.97, 0.58}, {0.99, 0.62}, {0.999, 0.9}};
  for (const Point& p : points) CheckHelmholtz(Psi4, Beta4, Eps4, Sigma4, p);
}

// The characteristic functions' own first derivatives, which the sub-region 4 correction composes from
// sub-region 3's, against differences of their values.
TEST(Ifc67Subregions, CharacteristicFunctionDerivatives) {
  using Characteristic = CharacteristicFunction (*)(double, double);
  struct Row {
    const char* what;
    Characteristic function;
    Point point;
    double step_second;  // relative to the point's second variable
  };
  const Row rows[] = {
      {"sub-region 1", Subregion1Gibbs, {0.6, 1.0}, 1e-3},
      {"sub-region 2", Subregion2Gibbs, {0.9, 0.3}, 1e-3},
      {"sub-region 3", Subregion3Helmholtz, {0.97, 2.3}, 1e-4},
      {"sub-region 4", Subregion4Helmholtz, {0.97, 0.58}, 1e-4},
      {"sub-region 4", Subregion4Helmholtz, {0.99, 0.62}, 1e-4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const auto value = [&r](double theta, double x) { return r.function(theta, x).f; };
    const double h_theta = 1e-4;
    const double h_x = r.step_second * r.point.x;
    const double theta = r.point.theta;
    const double x = r.point.x;
    const double d_theta = (8.0 * (value(theta + h_theta, x) - value(theta - h_theta, x)) -
                            (value(theta + 2.0 * h_theta, x) - value(theta - 2.0 * h_theta, x))) /
                           (12.0 * h_theta);
    const double d_x = (8.0 * (value(theta, x + h_x) - value(theta, x - h_x)) -
                        (value(theta, x + 2.0 * h_x) - value(theta, x - 2.0 * h_x))) /
                       (12.0 * h_x);
    const CharacteristicFunction c = r.function(theta, x);
    EXPECT_TRUE(Close(c.f_theta, d_theta, std::fabs(d_theta) + std::fabs(c.f)));
    EXPECT_TRUE(Close(c.f_second, d_x, std::fabs(d_x) + std::fabs(c.f)));
  }
}

TEST(Ifc67Subregions, PublishedValues) {
  struct Row {
    const char* what;
    double actual, expected;
    int digits;
  };
  const Row rows[] = {
      {"chi1 at 298.15 K, 0.1 MPa", Chi1(298.15 / 647.3, 0.1 / 22.12), 0.316356, 6},
      {"beta3 at the critical point", Beta3(1.0, 1.0), 1.0000, 5},
      {"eps3 at the critical point", Eps3(1.0, 1.0), 30.0536, 6},
      {"sigma3 at the critical point", Sigma3(1.0, 1.0), 41.0133, 6},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(AgreesToDigits(r.actual, r.expected, r.digits));
  }
}

// At theta = 1 the sub-region 4 correction vanishes (y = 0).
TEST(Ifc67Subregions, Subregion4EqualsSubregion3AtTheCriticalTemperature) {
  for (double chi : {0.45, 0.7, 1.0, 1.6, 2.5}) {
    SCOPED_TRACE(chi);
    EXPECT_TRUE(AgreesRelative(Beta4(1.0, chi), Beta3(1.0, chi), 1e-15));
    EXPECT_TRUE(AgreesRelative(Eps4(1.0, chi), Eps3(1.0, chi), 1e-15));
    EXPECT_TRUE(AgreesRelative(Sigma4(1.0, chi), Sigma3(1.0, chi), 1e-15));
    EXPECT_TRUE(AgreesRelative(Psi4(1.0, chi), Psi3(1.0, chi), 1e-15));
  }
}

}  // namespace
}  // namespace brimwater::ifc67
