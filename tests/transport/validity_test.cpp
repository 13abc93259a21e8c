// Ranges of validity of R12-08 and R15-11, bounded below by the melting and sublimation curves of IAPWS
// R14-08(2011).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/precision.h"
#include "transport/transport.h"

namespace brimwater::transport {
namespace {

using brimwater::testing::AgreesToDigits;

// R14-08(2011), the release's check values for computer programs (p in MPa, six significant digits).
TEST(Validity, MeltingAndSublimationCheckValues) {
  EXPECT_TRUE(AgreesToDigits(MeltingPressureIceIh(260.0), 138.268, 6));
  EXPECT_TRUE(AgreesToDigits(MeltingPressureIceIII(254.0), 268.685, 6));
  EXPECT_TRUE(AgreesToDigits(MeltingPressureIceV(265.0), 479.640, 6));
  EXPECT_TRUE(AgreesToDigits(MeltingPressureIceVI(320.0), 1356.76, 6));
  EXPECT_TRUE(AgreesToDigits(MeltingPressureIceVII(550.0), 6308.71, 6));
  EXPECT_TRUE(AgreesToDigits(SublimationPressure(230.0), 8.94735e-6, 6));
}

// The melting curves meet at the liquid's triple points with the ices, to the digits of the pressures R14-08
// gives for those points.
TEST(Validity, MeltingCurvesMeetAtTheTriplePoints) {
  EXPECT_NEAR(MeltingPressureIceIh(273.16), 611.657e-6, 1e-12);
  EXPECT_NEAR(SublimationPressure(273.16), 611.657e-6, 1e-12);
  EXPECT_NEAR(MeltingPressureIceIh(251.165), MeltingPressureIceIII(251.165), 5e-3);
  EXPECT_NEAR(MeltingPressureIceIII(256.164), MeltingPressureIceV(256.164), 5e-3);
  EXPECT_NEAR(MeltingPressureIceV(273.31), MeltingPressureIceVI(273.31), 5e-3);
  EXPECT_NEAR(MeltingPressureIceVI(355.0), MeltingPressureIceVII(355.0), 5e-3);
  EXPECT_TRUE(std::isnan(MeltingPressureIceIh(250.0)));
}

TEST(Validity, RangesOfTheReleases) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* what;
    double T, p;  // K, MPa
    bool viscosity, conductivity;
  };
  const Row rows[] = {
      {"liquid at ambient conditions", 298.15, 0.101325, true, true},
      {"top of both ranges at low pressure", 1173.15, 0.1, true, true},
      {"above 1173.15 K", 1173.16, 0.1, false, false},
      {"R12-08 to 1173.15 K up to 300 MPa; R15-11 to 573 K above 250 MPa", 1000.0, 300.0, true, false},
      {"R12-08 to 873.15 K up to 350 MPa", 873.16, 350.0, false, false},
      {"R12-08 to 433.15 K up to 500 MPa; R15-11 to 573 K up to 687 MPa", 500.0, 500.0, false, true},
      {"R12-08 to 373.15 K up to 1000 MPa; R15-11 to 403 K up to 785 MPa", 400.0, 750.0, false, true},
      {"R15-11 to 348 K above 785 MPa", 350.0, 800.0, true, false},
      {"above 1000 MPa", 400.0, 1000.1, false, false},
      {"ice Ih at atmospheric pressure", 260.0, 0.1, false, false},
      {"liquid below 273.16 K, above the ice Ih melting curve", 260.0, 200.0, true, true},
      {"ice V at 260 K", 260.0, 450.0, false, false},
      {"ice VI at 300 K, 1000 MPa", 300.0, 1000.0, false, false},
      {"liquid at the triple point, 350.1 MPa", 273.16, 350.1, true, true},
      {"liquid at the triple point, 600 MPa (ice V melts at 629 MPa)", 273.16, 600.0, true, true},
      {"ice V at the triple point's temperature, 650 MPa", 273.16, 650.0, false, false},
      {"liquid at 310 K, 1000 MPa", 310.0, 1000.0, true, true},
      {"vapour below the triple point, under the sublimation curve", 250.0, 1e-6, true, true},
      {"ice Ih above the sublimation curve", 250.0, 1e-4, false, false},
      {"zero pressure", 300.0, 0.0, false, false},
      {"negative pressure", 300.0, -1.0, false, false},
      {"NaN temperature", nan, 1.0, false, false},
      {"NaN pressure", 300.0, nan, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(ViscosityInRange(r.T, r.p), r.viscosity);
    EXPECT_EQ(ConductivityInRange(r.T, r.p), r.conductivity);
  }
}

}  // namespace
}  // namespace brimwater::transport
