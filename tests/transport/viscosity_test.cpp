// Viscosity, IAPWS R12-08, against the release's verification tables at its own (T, rho) inputs.
#include <gtest/gtest.h>

#include <cmath>

#include "support/precision.h"
#include "transport/transport.h"

namespace brimwater::transport {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

// R12-08, Table 4: Eq. 10 with mu_bar2 = 1; mu in uPa s, with the digits the table prints.
TEST(Viscosity, Table4WithoutEnhancement) {
  struct Row {
    double T, rho, mu;  // K, kg/m3, uPa s
    int digits;
  };
  const Row rows[] = {
      {298.15, 998, 889.735100, 9}, {298.15, 1200, 1437.649467, 10}, {373.15, 1000, 307.883622, 9},
      {433.15, 1, 14.538324, 8},    {433.15, 1000, 217.685358, 9},   {873.15, 1, 32.619287, 8},
      {873.15, 100, 35.802262, 8},  {873.15, 600, 77.430195, 8},     {1173.15, 1, 44.217245, 8},
      {1173.15, 100, 47.640433, 8}, {1173.15, 400, 64.154608, 8},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "R12-08 Table 4, T = " << r.T << " K, rho = " << r.rho << " kg/m3");
    EXPECT_TRUE(AgreesToDigits(IndustrialViscosity(r.T, r.rho * 1e-3) * 1e6, r.mu, r.digits));
  }
}

// R12-08, Table 5 (T = 647.35 K): the enhancement mu_bar2 of the printed correlation length xi, and mu
// from the printed mu_bar2 with this code's mu_bar0 and mu_bar1.
struct NearCriticalRow {
  double rho;  // kg/m3
  double xi;   // nm
  double mu_bar2;
  double mu;  // uPa s
};
constexpr NearCriticalRow kTable5[] = {
    {122, 0.309247, 1.00000289, 25.520677},  // xi below 0.3817016416 nm: the series, Eq. 15
    {222, 1.571405, 1.00375120, 31.337589},  // q_C xi < 1: L(w) = 2 arctan|w|
    {272, 5.266522, 1.03416789, 36.228143},  // q_C xi > 1: L(w) = ln[(1 + w)/(1 - w)]
    {322, 16.590209, 1.09190440, 42.961579}, {372, 5.603768, 1.03665871, 45.688204},
    {422, 1.876244, 1.00596332, 49.436256},
};

TEST(Viscosity, Table5EnhancementFromCorrelationLength) {
  for (const NearCriticalRow& r : kTable5) {
    SCOPED_TRACE(::testing::Message()
                 << "R12-08 Table 5, rho = " << r.rho << " kg/m3, xi = " << r.xi << " nm");
    EXPECT_TRUE(AgreesToDigits(MuBar2(r.xi), r.mu_bar2, 9));
  }
}

TEST(Viscosity, Table5FiniteDensityPart) {
  const double T_bar = 647.35 / kReferenceTemperature;
  for (const NearCriticalRow& r : kTable5) {
    SCOPED_TRACE(::testing::Message() << "R12-08 Table 5, rho = " << r.rho << " kg/m3");
    const double mu = MuBar0(T_bar) * MuBar1(T_bar, r.rho / 322.0) * r.mu_bar2;
    EXPECT_TRUE(AgreesToDigits(mu, r.mu, 8));
  }
}

// Eqs. 15 and 16 describe one function: the release hands over at xi = 0.3817016416 nm, where they agree.
TEST(Viscosity, EnhancementContinuousWhereSeriesHandsOver) {
  const double handover = 0.3817016416;
  EXPECT_TRUE(
      AgreesRelative(MuBar2(std::nextafter(handover, 0.0)), MuBar2(std::nextafter(handover, 1.0)), 1e-12));
  EXPECT_EQ(MuBar2(0.0), 1.0);
  // q_C xi = 1 (xi = 1.9 nm), where L(w) changes form and |(q_C xi)^2 - 1| vanishes.
  EXPECT_TRUE(AgreesRelative(MuBar2(1.9 * (1 - 1e-12)), MuBar2(1.9 * (1 + 1e-12)), 1e-12));
  EXPECT_TRUE(std::isfinite(MuBar2(1.9)));
}

TEST(Viscosity, CorrelationLengthFollowsTheReleaseRules) {
  // Delta chi_bar = rho_bar [zeta - zeta_R T_bar_R / T_bar] negative: xi = 0, no enhancement.
  EXPECT_EQ(CorrelationLengthBar(1.1, 1.0, 0.1, 1.0), 0.0);
  // Eq. 20 at Delta chi_bar = Gamma0: xi = xi0 = 0.13 nm.
  EXPECT_TRUE(AgreesRelative(CorrelationLengthBar(1.5, 1.0, 0.06 + 1.0, 1.0), 0.13, 1e-15));
  // The same through the caller's units: zeta = (d rho / d p)_T p* / rho*.
  EXPECT_TRUE(AgreesRelative(CorrelationLength(1.5 * 647.096, 0.322, 1.06 * 0.322 / 22.064, 0.322 / 22.064),
                             0.13, 1e-14));
}

}  // namespace
}  // namespace brimwater::transport
