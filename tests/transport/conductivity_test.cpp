// Thermal conductivity, IAPWS R15-11, against the release's verification tables at its own (T, rho) inputs.
#include <gtest/gtest.h>

#include "support/precision.h"
#include "transport/transport.h"

namespace brimwater::transport {
namespace {

using brimwater::testing::AgreesToDigits;

// R15-11, Table 4: the correlating equation with lambda_bar2 = 0; lambda in mW/(m K), nine digits.
TEST(Conductivity, Table4WithoutEnhancement) {
  struct Row {
    double T, rho, lambda;  // K, kg/m3, mW/(m K)
  };
  const Row rows[] = {
      {298.15, 0, 18.4341883},
      {298.15, 998, 607.712868},
      {298.15, 1200, 799.038144},
      {873.15, 0, 79.1034659},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "R15-11 Table 4, T = " << r.T << " K, rho = " << r.rho << " kg/m3");
    EXPECT_TRUE(AgreesToDigits(BackgroundConductivity(r.T, r.rho * 1e-3) * 1e3, r.lambda, 9));
  }
}

// R15-11, Table 5 (T = 647.35 K): lambda_bar0, printed above the table, and the lambda_bar1 column.
TEST(Conductivity, Table5DilutePartAndFiniteDensityPart) {
  const double T_bar = 647.35 / kReferenceTemperature;
  EXPECT_TRUE(AgreesToDigits(LambdaBar0(T_bar), 51.5764797, 9));
  struct Row {
    double rho;  // kg/m3
    double lambda_bar1;
    int digits;
  };
  const Row rows[] = {
      {1, 1.0068497, 8},   {122, 2.1445173, 8}, {222, 3.4840736, 8}, {272, 4.2233708, 8},
      {322, 4.9681953, 8}, {372, 5.6961250, 8}, {422, 6.3973429, 8}, {750, 11.5870532, 9},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "R15-11 Table 5, rho = " << r.rho << " kg/m3");
    EXPECT_TRUE(AgreesToDigits(LambdaBar1(T_bar, r.rho / 322.0), r.lambda_bar1, r.digits));
  }
}

TEST(Conductivity, EnhancementVanishesBelowTheReleaseThreshold) {
  // Z(y) = 0 for y = q_D xi < 1.2e-7 (q_D = 1 / 0.40 nm), whatever the other inputs.
  EXPECT_EQ(LambdaBar2(1.0, 1.0, 1e6, 1e3, 40.0, 0.4 * 1.1e-7), 0.0);
  EXPECT_GT(LambdaBar2(1.0, 1.0, 1e6, 1e3, 40.0, 0.4 * 1.3e-7), 0.0);
}

// Eq. 25 picks one column of Table 6 per density range. The five columns fit one curve, the compressibility
// at T_R, piecewise: at each range end the two neighbouring columns agree within 0.2 %, which a misplaced
// coefficient or a wrong choice of column would not.
TEST(Conductivity, IndustrialReferenceColumnsJoinAtTheRangeEnds) {
  EXPECT_DOUBLE_EQ(IndustrialZetaAtTR(0.0), 1.0 / 6.53786807199516);  // rho_bar = 0: only A_00 survives
  const double range_ends[] = {100.0 / 322.0, 250.0 / 322.0, 400.0 / 322.0, 600.0 / 322.0};
  for (double end : range_ends) {
    SCOPED_TRACE(::testing::Message() << "rho = " << end * 322.0 << " kg/m3");
    EXPECT_TRUE(brimwater::testing::AgreesRelative(IndustrialZetaAtTR(end * (1 + 1e-9)),
                                                   IndustrialZetaAtTR(end * (1 - 1e-9)), 2e-3));
  }
}

}  // namespace
}  // namespace brimwater::transport
