// IAPWS-IF97 region 4: the saturation line and its inverse.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/precision.h"

namespace brimwater::if97 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

TEST(If97Saturation, SatPressure) {
  struct Row {
    double T, P;
    int digits;
  };
  const Row rows[] = {
      {300.0, 0.00353658941, 9},  // Table 35 of IAPWS R7-97(2012)
      {500.0, 2.63889776, 9},     // Table 35
      {600.0, 12.3443146, 9},     // Table 35
      {273.17, 6.121016e-4, 7},   // just above the triple point: from the equation
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.T);
    EXPECT_TRUE(AgreesToDigits(SatPressure(r.T), r.P, r.digits));
  }
}

TEST(If97Saturation, ClampsAtTheTriplePointAndTheCriticalPoint) {
  EXPECT_EQ(SatPressure(273.16), 6.11657e-4);
  EXPECT_EQ(SatPressure(273.15), 6.11657e-4);
  EXPECT_EQ(SatPressure(-1e300), 6.11657e-4);
  EXPECT_EQ(SatPressure(647.096), 22.064);
  EXPECT_EQ(SatPressure(999.0), 22.064);
  EXPECT_EQ(SatTemperature(6.11657e-4), 273.16);
  EXPECT_EQ(SatTemperature(0.0), 273.16);
  EXPECT_EQ(SatTemperature(22.064), 647.096);
  EXPECT_EQ(SatTemperature(1e300), 647.096);
  // A NaN pressure is no saturation pressure: NaN, not the triple point a bisection would drift to.
  EXPECT_TRUE(std::isnan(SatTemperature(std::nan(""))));
}

TEST(If97Saturation, SatTemperatureWithinAMicrokelvin) {
  struct Row {
    double P, T;
  };
  const Row rows[] = {{0.1, 372.755919}, {1.0, 453.035632}, {10.0, 584.149488}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.P);
    EXPECT_NEAR(SatTemperature(r.P), r.T, 1e-6);
  }
}

}  // namespace
}  // namespace brimwater::if97
