// IAPWS-95 densities of (T, P): the saturated densities on the IF97 saturation line, the single-phase
// densities on the liquid, vapour and supercritical branches, and the search's convergence and safeguards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws95/iapws95.h"
#include "support/precision.h"

namespace brimwater::iapws95 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr StateSelector kLiquid = StateSelector::SaturatedLiquid;
constexpr StateSelector kVapour = StateSelector::SaturatedVapour;
constexpr StateSelector kSingle = StateSelector::SinglePhase;

TEST(Iapws95Saturation, IsTheIf97Line) {
  EXPECT_TRUE(AgreesToDigits(SatTemperature(0.101325), 373.1243, 7));
  EXPECT_TRUE(AgreesToDigits(SatTemperature(1.0), 453.0356, 7));
  EXPECT_TRUE(AgreesToDigits(SatPressure(373.15), 0.101417978, 9));
  EXPECT_EQ(SatPressure(999.0), 22.064);
}

TEST(Iapws95Density, SaturatedAndSinglePhaseValues) {
  struct Row {
    double T, P;
    StateSelector selector;
    double rho;
    int digits;
  };
  const Row rows[] = {
      {373.15, 0.0, kLiquid, 0.958349, 6},    {373.15, 0.0, kVapour, 0.000598171, 6},
      {300.0, 0.1, kSingle, 0.996556, 6},      // liquid branch
      {500.0, 0.1, kSingle, 0.000435042, 6},   // vapour branch
      {1000.0, 100.0, kSingle, 0.265535, 6},   // supercritical start
      {2000.0, 0.01, kSingle, 1.08346e-5, 6},  // supercritical start from a negative fit
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message()
                 << r.T << " K, " << r.P << " MPa, selector " << static_cast<int>(r.selector));
    EXPECT_TRUE(AgreesToDigits(DensityOfTP(r.T, r.P, r.selector), r.rho, r.digits));
  }
}
}  // namespace
}  // namespace brimwater::iapws95
