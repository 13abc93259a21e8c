// Surface tension, IAPWS R1-76(2014).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "transport/transport.h"

namespace brimwater::transport {
namespace {

// R1-76(2014), Table 1 (a selection of twenty rows): sigma in mN/m, printed with two decimals.
TEST(SurfaceTension, Table1) {
  struct Row {
    double T;      // K
    double sigma;  // mN/m
  };
  const Row rows[] = {
      {273.16, 75.65}, {283.15, 74.22}, {293.15, 72.74}, {303.15, 71.19}, {313.15, 69.60},
      {323.15, 67.94}, {333.15, 66.24}, {343.15, 64.48}, {353.15, 62.67}, {363.15, 60.82},
      {373.15, 58.91}, {393.15, 54.97}, {413.15, 50.86}, {433.15, 46.59}, {453.15, 42.19},
      {473.15, 37.67}, {523.15, 26.04}, {573.15, 14.36}, {623.15, 3.67},  {643.15, 0.39},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "R1-76(2014) Table 1, T = " << r.T << " K");
    EXPECT_NEAR(SurfaceTension(r.T) * 1e3, r.sigma, 0.00505);  // half a unit in the second decimal
  }
}

TEST(SurfaceTension, EndsOfTheRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(SurfaceTension(647.096), 0.0);  // vanishes at the critical point
  EXPECT_TRUE(std::isnan(SurfaceTension(std::nextafter(647.096, 700.0))));
  EXPECT_TRUE(std::isnan(SurfaceTension(700.0)));
  EXPECT_TRUE(std::isnan(SurfaceTension(nan)));
  EXPECT_TRUE(std::isnan(SurfaceTension(-std::numeric_limits<double>::infinity())));
  // Supercooled water down to 248.15 K is the release's extrapolation: a value, but outside the range.
  EXPECT_GT(SurfaceTension(248.15), SurfaceTension(273.16));
  EXPECT_FALSE(SurfaceTensionInRange(248.15));
  EXPECT_TRUE(std::isnan(SurfaceTension(248.0)));
  EXPECT_TRUE(SurfaceTensionInRange(273.16));
  EXPECT_TRUE(SurfaceTensionInRange(647.096));
  EXPECT_FALSE(SurfaceTensionInRange(nan));
}

}  // namespace
}  // namespace brimwater::transport
