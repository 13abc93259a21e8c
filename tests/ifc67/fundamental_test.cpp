// IFC-67's face for the state interface: each sub-region's characteristic function with its second
// derivatives from one evaluation, against the historical one-evaluation states and against differences of
// its own first derivatives; the density solvers of sub-regions 3 and 4 at the last bits of the pressure; the
// K-function's inverse at the last bits of theta.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ifc67/ifc67.h"
#include "support/precision.h"

namespace brimwater::ifc67 {
namespace {

using brimwater::testing::AgreesRelative;
using numerics::GibbsPoint;
using numerics::HelmholtzPoint;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kEnergy = kCriticalPressure * kCriticalVolume;  // pc vc, kJ/kg

// Agreement within `relative` of `scale`: a second derivative formed from differences carries the rounding
// of the first derivatives it is formed from, which is proportional to their size.
::testing::AssertionResult Close(double actual, double expected, double scale, double relative) {
  if (std::fabs(actual - expected) <= relative * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "analytic " << actual << ", difference " << expected;
}

// Five-point central difference of f(x) with step h.
template <typename F>
double Difference(const F& f, double x, double h) {
  return (8.0 * (f(x + h) - f(x - h)) - (f(x + 2.0 * h) - f(x - 2.0 * h))) / (12.0 * h);
}

struct Point {
  int subregion;
  double T, second;  // K, and P (MPa) for the Gibbs sub-regions or rho (g/cm3) for the Helmholtz ones
};

// The first derivatives are the historical ones: v, h and s from the point equal chi, eps and sigma of the
// historical one-evaluation state at the same (theta, beta) or (theta, chi).
TEST(Ifc67Fundamental, FirstDerivativesAreTheHistoricalStates) {
  constexpr double kSame = 1e-13;
  for (const Point& p :
       {Point{1, 298.15, 0.1}, Point{1, 600.0, 80.0}, Point{2, 573.15, 1.0}, Point{2, 900.0, 50.0}}) {
    SCOPED_TRACE(::testing::Message() << "sub-region " << p.subregion << " T=" << p.T << " P=" << p.second);
    const bool one = p.subregion == 1;
    const GibbsPoint g = one ? Subregion1Point(p.T, p.second) : Subregion2Point(p.T, p.second);
    const double theta = p.T / kCriticalTemperature;
    const double beta = p.second / kCriticalPressure;
    const ReducedState r = one ? Subregion1State(theta, beta) : Subregion2State(theta, beta);
    EXPECT_TRUE(AgreesRelative(g.g_P, r.chi * kCriticalVolume, kSame));
    EXPECT_TRUE(AgreesRelative(g.g - p.T * g.g_T, r.eps * kEnergy, kSame));
    EXPECT_TRUE(AgreesRelative(-g.g_T, r.sigma * kEnergy / kCriticalTemperature, kSame));
  }
  for (const Point& p :
       {Point{3, 650.0, 0.5}, Point{3, 630.0, 0.13}, Point{4, 630.0, 0.55}, Point{4, 646.0, 0.42}}) {
    SCOPED_TRACE(::testing::Message() << "sub-region " << p.subregion << " T=" << p.T << " rho=" << p.second);
    const bool three = p.subregion == 3;
    const HelmholtzPoint a = three ? Subregion3Point(p.T, p.second) : Subregion4Point(p.T, p.second);
    const double theta = p.T / kCriticalTemperature;
    const double chi = 1.0 / (p.second * kCriticalVolume);
    const ReducedState r = three ? Subregion3State(theta, chi) : Subregion4State(theta, chi);
    const SubregionIsotherm iso = MakeSubregionIsotherm(theta);
    const double beta = three ? Beta3OnIsotherm(iso, chi) : Beta4OnIsotherm(iso, chi);
    const double P = p.second * p.second * a.a_rho;
    EXPECT_TRUE(AgreesRelative(P, beta * kCriticalPressure, kSame));
    EXPECT_TRUE(AgreesRelative(a.a - p.T * a.a_T + P / p.second, r.eps * kEnergy, kSame));
    EXPECT_TRUE(AgreesRelative(-a.a_T, r.sigma * kEnergy / kCriticalTemperature, kSame));
  }
}

// The second derivatives against five-point differences of the first, in both variables (the mixed one
// both ways), in every sub-region. The temperature steps are short (1e-5 T): the X^54 terms of sub-region 2
// and the y^32 term of sub-region 4 (y changes 27 times faster than theta) have large higher derivatives.
TEST(Ifc67Fundamental, SecondDerivativesAreThoseOfTheFirst) {
  constexpr double kTolerance = 1e-8;
  const Point gibbs[] = {{1, 298.15, 0.1}, {1, 450.0, 30.0}, {1, 620.0, 100.0}, {2, 300.0, 0.001},
                         {2, 573.15, 1.0}, {2, 640.0, 17.0}, {2, 900.0, 50.0}};
  for (const Point& p : gibbs) {
    SCOPED_TRACE(::testing::Message() << "sub-region " << p.subregion << " T=" << p.T << " P=" << p.second);
    const auto at = [&p](double T, double P) {
      return p.subregion == 1 ? Subregion1Point(T, P) : Subregion2Point(T, P);
    };
    const GibbsPoint g = at(p.T, p.second);
    // Sub-region 1's polynomial in theta cancels to a millionth of its terms: there a longer step.
    const double hT = (p.subregion == 1 ? 1e-3 : 1e-5) * p.T;
    const double hP = 1e-3 * p.second;
    const auto g_T_of_T = [&](double T) { return at(T, p.second).g_T; };
    const auto g_T_of_P = [&](double P) { return at(p.T, P).g_T; };
    const auto g_P_of_T = [&](double T) { return at(T, p.second).g_P; };
    const auto g_P_of_P = [&](double P) { return at(p.T, P).g_P; };
    const double scale_T = std::fabs(g.g_T) / p.T;
    const double scale_P = std::fabs(g.g_P) / p.second;
    EXPECT_TRUE(Close(g.g_TT, Difference(g_T_of_T, p.T, hT), scale_T, kTolerance)) << "g_TT";
    EXPECT_TRUE(Close(g.g_TP, Difference(g_T_of_P, p.second, hP), scale_T + scale_P, kTolerance)) << "g_TP";
    EXPECT_TRUE(Close(g.g_TP, Difference(g_P_of_T, p.T, hT), scale_T + scale_P, kTolerance)) << "g_PT";
    EXPECT_TRUE(Close(g.g_PP, Difference(g_P_of_P, p.second, hP), scale_P, kTolerance)) << "g_PP";
  }
  const Point helmholtz[] = {{3, 630.0, 0.13}, {3, 647.3, 0.315}, {3, 650.0, 0.5}, {3, 850.0, 0.6},
                             {4, 624.0, 0.57}, {4, 640.0, 0.5},   {4, 647.2, 0.4}};
  for (const Point& p : helmholtz) {
    SCOPED_TRACE(::testing::Message() << "sub-region " << p.subregion << " T=" << p.T << " rho=" << p.second);
    const auto at = [&p](double T, double rho) {
      return p.subregion == 3 ? Subregion3Point(T, rho) : Subregion4Point(T, rho);
    };
    const HelmholtzPoint a = at(p.T, p.second);
    const double hT = 1e-5 * p.T;
    const double hr = 1e-4 * p.second;
    const auto a_T_of_T = [&](double T) { return at(T, p.second).a_T; };
    const auto a_T_of_rho = [&](double rho) { return at(p.T, rho).a_T; };
    const auto a_rho_of_T = [&](double T) { return at(T, p.second).a_rho; };
    const auto a_rho_of_rho = [&](double rho) { return at(p.T, rho).a_rho; };
    const double scale_T = (std::fabs(a.a) + std::fabs(a.a_T) * p.T) / (p.T * p.T);
    const double scale_rho = (std::fabs(a.a) + std::fabs(a.a_rho) * p.second) / (p.second * p.second);
    const double scale_mixed = std::fabs(a.a_T) / p.second + std::fabs(a.a_rho) / p.T;
    EXPECT_TRUE(Close(a.a_TT, Difference(a_T_of_T, p.T, hT), scale_T, kTolerance)) << "a_TT";
    EXPECT_TRUE(Close(a.a_Trho, Difference(a_T_of_rho, p.second, hr), scale_mixed, kTolerance)) << "a_Trho";
    EXPECT_TRUE(Close(a.a_Trho, Difference(a_rho_of_T, p.T, hT), scale_mixed, kTolerance)) << "a_rhoT";
    EXPECT_TRUE(Close(a.a_rhorho, Difference(a_rho_of_rho, p.second, hr), scale_rho, kTolerance))
        << "a_rhorho";
  }
}

// At Tc sub-region 4's correction and its first and second theta-derivatives vanish (y^3 leads it), so the
// two Helmholtz sub-regions give the same point there: cp and w do not step where sub-region 4 ends.
TEST(Ifc67Fundamental, Subregion4MeetsSubregion3AtTheCriticalTemperature) {
  for (double rho : {0.35, 0.45, 0.55}) {
    SCOPED_TRACE(rho);
    const HelmholtzPoint a3 = Subregion3Point(kCriticalTemperature, rho);
    const HelmholtzPoint a4 = Subregion4Point(kCriticalTemperature, rho);
    for (const auto& [x3, x4] : {std::pair{a3.a, a4.a},
                                 {a3.a_T, a4.a_T},
                                 {a3.a_rho, a4.a_rho},
                                 {a3.a_TT, a4.a_TT},
                                 {a3.a_Trho, a4.a_Trho},
                                 {a3.a_rhorho, a4.a_rhorho}}) {
      EXPECT_TRUE(AgreesRelative(x4, x3, 1e-15));
    }
  }
}

// The densities reproduce the pressure at its last bits, where the historical bisections leave up to 1e-7 in
// beta; each on its branch of the isotherm.
TEST(Ifc67Fundamental, DensitiesMeetThePressureAtItsLastBits) {
  struct Row {
    const char* where;
    double T, P;
    int subregion;
    Branch branch;
  };
  const Row rows[] = {
      {"vapour just above 623.15 K", 623.2, 16.543, 3, Branch::Vapour},
      {"vapour", 630.0, 17.5, 3, Branch::Vapour},
      {"vapour close to Tc", 647.2, 22.09, 3, Branch::Vapour},
      {"just above Tc", 647.4, 22.2, 3, Branch::Liquid},
      {"dense, above Tc", 650.0, 25.0, 3, Branch::Liquid},
      {"where the isotherm turns over at small volume", 800.0, 90.0, 3, Branch::Liquid},
      {"upper end of the L-function", 863.0, 100.0, 3, Branch::Liquid},
      {"liquid at 623.15 K", 623.15, 16.54, 4, Branch::Liquid},
      {"liquid", 640.0, 25.0, 4, Branch::Liquid},
      {"liquid close to Tc", 647.29, 22.118, 4, Branch::Liquid},
      {"compressed liquid", 635.0, 100.0, 4, Branch::Liquid},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.where);
    const double rho = r.subregion == 3 ? Subregion3Density(r.T, r.P, r.branch) : Subregion4Density(r.T, r.P);
    const HelmholtzPoint a = r.subregion == 3 ? Subregion3Point(r.T, rho) : Subregion4Point(r.T, rho);
    EXPECT_TRUE(AgreesRelative(rho * rho * a.a_rho, r.P, 1e-13));
    EXPECT_GT(a.a_rhorho * rho + 2.0 * a.a_rho, 0.0);  // (dP/drho)_T > 0: a stable branch
    const SubregionState chosen = SubregionOfTP(r.T, r.P);
    EXPECT_EQ(chosen.subregion, r.subregion);
    EXPECT_EQ(chosen.rho, rho);
  }
  // Both branches at the saturation pressure: the liquid denser than the critical volume's, the vapour less.
  for (double T : {623.15, 630.0, 640.0, 646.0, 647.2}) {
    SCOPED_TRACE(T);
    const SaturatedPair sat = SaturatedOfT(T);
    EXPECT_EQ(sat.P, KPressure(T));
    EXPECT_EQ(sat.liquid.subregion, 4);
    EXPECT_EQ(sat.vapour.subregion, 3);
    EXPECT_GT(sat.liquid.rho, 1.0 / kCriticalVolume);
    EXPECT_LT(sat.vapour.rho, 1.0 / kCriticalVolume);
  }
}

TEST(Ifc67Fundamental, KTemperatureInvertsTheKFunctionAtItsLastBits) {
  for (double P : {1e-4, 0.000611244, 0.001, 0.101325, 1.0, 10.0, 16.5351, 20.0, 22.0, 22.119, 22.1199999}) {
    SCOPED_TRACE(P);
    const double T = KTemperature(P);
    EXPECT_TRUE(AgreesRelative(KPressure(T), P, 5e-14));
    // The historical bisection stops 32 halvings short of it (about 9e-8 K) and clamps at 273.16 K.
    if (P > kLowerLimitPressure) {
      EXPECT_NEAR(T, SatTemperature(P), 2e-7);
    }
  }
  EXPECT_EQ(KTemperature(kCriticalPressure), kCriticalTemperature);
  for (double P : {22.13, 30.0, 0.0, -1.0, 1e-12, kNaN, kInf}) {
    SCOPED_TRACE(P);
    EXPECT_TRUE(std::isnan(KTemperature(P)));  // above Tc's pressure, not a pressure, or below 250 K
  }
}

}  // namespace
}  // namespace brimwater::ifc67
