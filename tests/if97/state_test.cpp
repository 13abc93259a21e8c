// IAPWS-IF97 B23 boundary and the choice of region for a state.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/if97.h"
#include "support/precision.h"

namespace brimwater::if97 {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

TEST(If97B23, Boundary) {
  EXPECT_TRUE(AgreesToDigits(B23Pressure(623.15), 16.5292, 6));
  EXPECT_TRUE(AgreesRelative(B23Pressure(863.15), 100.0, 1e-5));
  EXPECT_TRUE(AgreesToDigits(B23Pressure(700.0), 30.4772, 6));
}

// The region a state goes to, seen through the equations it must agree with exactly.
TEST(If97StateOfTP, RegionSelection) {
  double v = 0, h = 0, s = 0;
  StateOfTP(700.0, 10.0, StateSelector::SinglePhase, v, h, s);  // below B23 (30.4772 MPa): region 2
  EXPECT_EQ(v, Region2Volume(700.0, 10.0));
  EXPECT_EQ(h, Region2Enthalpy(700.0, 10.0));
  EXPECT_EQ(s, Region2Entropy(700.0, 10.0));

  StateOfTP(640.0, 123.0, StateSelector::SaturatedLiquid, v, h, s);  // region 1 on the saturation line
  const double ps = SatPressure(640.0);
  EXPECT_EQ(v, Region1Volume(640.0, ps));
  EXPECT_EQ(h, Region1Enthalpy(640.0, ps));
  EXPECT_EQ(s, Region1Entropy(640.0, ps));

  StateOfTP(700.0, 5.0, StateSelector::SaturatedVapour, v, h, s);  // clamped to the critical point
  EXPECT_EQ(v, Region2Volume(647.096, 22.064));
  EXPECT_EQ(h, Region2Enthalpy(647.096, 22.064));
  EXPECT_EQ(s, Region2Entropy(647.096, 22.064));

  // A pressure exactly on the saturation line gives the liquid.
  StateOfTP(500.0, SatPressure(500.0), StateSelector::SinglePhase, v, h, s);
  EXPECT_EQ(h, Region1Enthalpy(500.0, SatPressure(500.0)));

  // At 623.15 K the B23 test decides, not the saturation test: 20 MPa is region 3.
  StateOfTP(623.15, 20.0, StateSelector::SinglePhase, v, h, s);
  EXPECT_EQ(v, Region3Volume(623.15, 20.0));
  EXPECT_EQ(h, Region3Enthalpy(623.15, v));

  // Selector values other than 0 and 1 mean single phase.
  StateOfTP(300.0, 3.0, static_cast<StateSelector>(7), v, h, s);
  EXPECT_EQ(v, Region1Volume(300.0, 3.0));
}

TEST(If97StateOfTP, VolumeInCubicCentimetresPerGram) {
  EXPECT_TRUE(AgreesToDigits(VolumeOfTP(300.0, 3.0, StateSelector::SinglePhase), 1.00215168, 9));
}

TEST(If97StateOfTP, Region3ThroughTheVolumeSearch) {
  struct Row {
    double T, P, v, h, s;
  };
  // The release's region-3 verification points, reached from their (rounded) pressures.
  const Row rows[] = {
      {650.0, 25.5837018, 0.002, 1863.43019, 4.05427273},
      {750.0, 78.3095639, 0.002, 2258.68845, 4.46971906},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.T);
    double v = 0, h = 0, s = 0;
    StateOfTP(r.T, r.P, StateSelector::SinglePhase, v, h, s);
    EXPECT_TRUE(AgreesRelative(v, r.v, 1e-7));
    EXPECT_TRUE(AgreesToDigits(h, r.h, 8));
    EXPECT_TRUE(AgreesToDigits(s, r.s, 8));
    EXPECT_TRUE(AgreesRelative(VolumeOfTP(r.T, r.P, StateSelector::SinglePhase), 2.0, 1e-7));
  }
  double v = 0, h = 0, s = 0;
  StateOfTP(623.15, 100.0, StateSelector::SinglePhase, v, h, s);  // just above the bracket's lower end
  EXPECT_TRUE(AgreesToDigits(v, 0.0013117, 5));
}

// Compressed liquid in region 3 must get the liquid root of the isotherm, not a metastable vapour root.
TEST(If97StateOfTP, Region3CompressedLiquidTakesTheLiquidRoot) {
  EXPECT_NEAR(Region3Volume(623.15, 17.0), 0.0017270, 5e-7);
  EXPECT_NEAR(EnthalpyOfTP(623.15, 17.0, StateSelector::SinglePhase), 1667.0, 5.0);
  EXPECT_NEAR(VolumeOfTP(630.0, 18.0, StateSelector::SinglePhase), 1.84, 0.01);

  const double critical_volume = 1.0 / 322.0;
  for (double T = 623.15; T < 647.096; T += 0.5) {
    const double ps = SatPressure(T);
    const double lowest = std::max(B23Pressure(T), 0.0);
    for (double dp : {0.001, 0.01, 0.1, 0.5, 1.0, 3.0}) {
      SCOPED_TRACE(::testing::Message() << "T = " << T << ", dP = " << dp);
      EXPECT_LT(Region3Volume(T, ps + dp), critical_volume);  // liquid
      if (ps - dp > lowest) {
        EXPECT_GT(Region3Volume(T, ps - dp), critical_volume);  // vapour
      }
    }
  }
}

}  // namespace
}  // namespace brimwater::if97
