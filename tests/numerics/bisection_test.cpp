// The shared bisections on functions whose roots are known exactly.
#include "numerics/bisection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brimwater::numerics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Side RootOfTwoAbove(double x) { return x * x < 2.0 ? Side::Above : Side::AtOrBelow; }

// p(T) = T^2 / 1000 MPa as a saturation curve between 1 K (0.001 MPa) and 100 K (10 MPa).
double SquareCurve(double T) { return T * T / 1000.0; }
double SquareCurveTemperature(double P) {
  return SatTemperatureByBisection<SquareCurve>(P, 1.0, SquareCurve(1.0), 100.0, SquareCurve(100.0));
}

TEST(Bisection, HalvesTheBracketOncePerStep) {
  struct Row {
    double lo, hi;
    int steps;
  };
  const Row rows[] = {{0.0, 2.0, 10}, {1.0, 2.0, 32}, {-5.0, 40.0, 52}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.steps);
    const Bisected b = Bisection(r.lo, r.hi, r.steps, RootOfTwoAbove);
    EXPECT_NEAR(b.hi - b.lo, (r.hi - r.lo) / std::ldexp(1.0, r.steps), 1e-15 * (r.hi - r.lo));
    EXPECT_TRUE(b.mid == b.lo || b.mid == b.hi);  // the last midpoint became one end
    EXPECT_LE(b.lo, std::sqrt(2.0));
    EXPECT_GE(b.hi, std::sqrt(2.0));
  }
}

TEST(Bisection, AnUndefinedMidpointGivesNaN) {
  const Bisected b =
      Bisection(0.0, 2.0, 32, [](double x) { return x < 0.7 ? Side::Undefined : Side::AtOrBelow; });
  EXPECT_TRUE(std::isnan(b.mid));
  EXPECT_TRUE(std::isnan(b.lo));
  EXPECT_TRUE(std::isnan(b.hi));
}

TEST(SatTemperatureByBisection, InvertsTheCurveAndClampsAtItsEnds) {
  const double resolution = 99.0 / 4294967296.0;  // 32 halvings of 1 K .. 100 K
  for (const double P : {0.0011, 0.1, 2.5, 9.99}) {
    SCOPED_TRACE(P);
    EXPECT_NEAR(SquareCurveTemperature(P), std::sqrt(1000.0 * P), resolution);
  }
  EXPECT_EQ(SquareCurveTemperature(0.001), 1.0);
  EXPECT_EQ(SquareCurveTemperature(-1.0), 1.0);
  EXPECT_EQ(SquareCurveTemperature(10.0), 100.0);
  EXPECT_EQ(SquareCurveTemperature(std::numeric_limits<double>::infinity()), 100.0);
  EXPECT_TRUE(std::isnan(SquareCurveTemperature(kNaN)));
}

TEST(BracketAndBisect, FindsTheRootFromAFarStart) {
  const auto cube = [](double x) { return x * x * x; };
  struct Row {
    double target, start;
  };
  const Row rows[] = {{8.0, 1e-6}, {8.0, 1e6}, {1e-9, 3.0}, {27.0, 3.0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.target << " from " << r.start);
    const double x = BracketAndBisect(cube, r.target, r.start, 1.25, 200);
    EXPECT_NEAR(x, std::cbrt(r.target), 4e-16 * std::cbrt(r.target));
  }
}

// Without a usable target, start or bracket the start comes back unchanged.
TEST(BracketAndBisect, ReturnsTheStartWhereItCannotBracket) {
  const auto cube = [](double x) { return x * x * x; };
  const auto flat = [](double) { return 1.0; };
  EXPECT_EQ(BracketAndBisect(cube, 0.0, 2.0, 1.25, 64), 2.0);
  EXPECT_EQ(BracketAndBisect(cube, -8.0, 2.0, 1.25, 64), 2.0);
  EXPECT_EQ(BracketAndBisect(cube, kNaN, 2.0, 1.25, 64), 2.0);
  EXPECT_TRUE(std::isnan(BracketAndBisect(cube, 8.0, kNaN, 1.25, 64)));
  EXPECT_EQ(BracketAndBisect(cube, 8.0, -2.0, 1.25, 64), -2.0);
  EXPECT_EQ(BracketAndBisect(flat, 8.0, 2.0, 1.25, 64), 2.0);
  EXPECT_EQ(BracketAndBisect(cube, 1e30, 1.0, 1.25, 64), 1.0);  // 1.25^64 falls short of 1e10
}

}  // namespace
}  // namespace brimwater::numerics
