// IFC-67 saturation line: the K-function, its clamps and its inverse.
#include <gtest/gtest.h>

#include <limits>

#include "ifc67/ifc67.h"
#include "support/precision.h"

namespace brimwater::ifc67 {
namespace {

using brimwater::testing::AgreesToDigits;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Ifc67Saturation, ClampsAtTheLowerLimitAndTheCriticalPoint) {
  struct Row {
    double x, expected;
  };
  const Row pressures[] = {{273.16, 0.000611244}, {200.0, 0.000611244}, {-kInf, 0.000611244}, {647.3, 22.12},
                           {700.0, 22.12},        {999.0, 22.12},       {kInf, 22.12}};
  for (const Row& r : pressures) {
    SCOPED_TRACE(r.x);
    EXPECT_EQ(SatPressure(r.x), r.expected);  // the clamps return the constants themselves
  }
  const Row temperatures[] = {{0.000611244, 273.16}, {0.0, 273.16}, {-1.0, 273.16}, {-kInf, 273.16},
                              {22.12, 647.3},        {30.0, 647.3}, {kInf, 647.3}};
  for (const Row& r : temperatures) {
    SCOPED_TRACE(r.x);
    EXPECT_EQ(SatTemperature(r.x), r.expected);
  }
}

TEST(Ifc67Saturation, SatPressure) {
  struct Row {
    double T, P;
    int digits;
  };
  const Row rows[] = {
      {623.15, 16.5351, 6},   // the lower edge of sub-regions 3 and 4
      {373.15, 0.101325, 6},  // the normal boiling point
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.T);
    EXPECT_TRUE(AgreesToDigits(SatPressure(r.T), r.P, r.digits));
  }
}

TEST(Ifc67Saturation, SatTemperatureInvertsSatPressureToTheBisectionResolution) {
  // 32 halvings of 273.16 K .. 647.3 K leave about 9e-8 K.
  for (double T : {273.2, 300.0, 373.15, 450.0, 550.0, 623.15, 640.0, 647.2}) {
    SCOPED_TRACE(T);
    EXPECT_NEAR(SatTemperature(SatPressure(T)), T, 2e-7);
  }
}

}  // namespace
}  // namespace brimwater::ifc67
