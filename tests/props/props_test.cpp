// The public property functions: formulation codes, unit conversion and PropertyError.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "if97/if97.h"
#include "props/units.h"
#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;
using brimwater::testing::AgreesToDigits;

constexpr FormulationCode kMinCode = std::numeric_limits<FormulationCode>::min();
constexpr FormulationCode kMaxCode = std::numeric_limits<FormulationCode>::max();

using SaturationFunction = double (*)(double, FormulationCode);
using StateFunction = double (*)(double, double, FormulationCode);

TEST(PropsUnits, Code97AtTheNormalBoilingPoint) {
  struct Row {
    const char* name;
    SaturationFunction f;
    double expected;
    int digits;
  };
  // 212 degF = 373.15 K, English units.
  const Row rows[] = {
      {"Psat", Psat, 14.709434, 8}, {"Vf", Vf, 0.01671455, 7}, {"Vg", Vg, 26.780638, 8},
      {"Hf", Hf, 180.18020, 8},     {"Hg", Hg, 1150.28892, 9}, {"Sf", Sf, 0.3122347, 7},
      {"Sg", Sg, 1.7568268, 8},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(AgreesToDigits(r.f(212.0, 97), r.expected, r.digits));
  }
}

TEST(PropsUnits, SaturationLineEnds) {
  // 32 degF is 273.15 K, at or below the triple point: 6.11657e-4 MPa.
  EXPECT_TRUE(AgreesToDigits(Psat(32.0, 97), 0.0887133475, 9));
  // 3500 psia is above the critical pressure: 647.096 K.
  EXPECT_TRUE(AgreesRelative(Tsat(3500.0, 97), 705.1028, 1e-12));
  EXPECT_EQ(Psat(373.15, -97), if97::SatPressure(373.15));
  EXPECT_EQ(Tsat(1.0, -97), if97::SatTemperature(1.0));
}

// English results are the SI kernel values passed through the published factors, in both directions.
TEST(PropsUnits, EnglishAndSiAgree) {
  struct State {
    double T, P;  // K, MPa
  };
  const State states[] = {{300.0, 3.0}, {500.0, 0.5}, {700.0, 30.0}, {650.0, 25.5837018}, {1000.0, 0.01}};
  for (const State& st : states) {
    SCOPED_TRACE(st.T);
    const double t_f = st.T * 1.8 - 459.67;
    const double p_psia = st.P * 145.0377377;
    EXPECT_TRUE(AgreesRelative(VofTP(t_f, p_psia, 97), VofTP(st.T, st.P, -97) / 62.42796058, 1e-11));
    EXPECT_TRUE(AgreesRelative(HofTP(t_f, p_psia, 97), HofTP(st.T, st.P, -97) / 2.326, 1e-11));
    EXPECT_TRUE(AgreesRelative(SofTP(t_f, p_psia, 97), SofTP(st.T, st.P, -97) / 4.1868, 1e-11));
  }
  // Sf and Sg divide by 4.186, SofTP by 4.1868: the same kernel value gives English results in that ratio.
  const double t_f = 400.0;
  const double T = units::TemperatureIn(t_f);
  const double ps = if97::SatPressure(T);
  EXPECT_EQ(Sf(t_f, 97), if97::EntropyOfTP(T, 0.0, StateSelector::SaturatedLiquid) / 4.186);
  EXPECT_EQ(SofTP(t_f, ps * 145.0377377, 97) * 4.1868,
            if97::EntropyOfTP(T, units::PressureIn(ps * 145.0377377), StateSelector::SinglePhase));
  EXPECT_EQ(Sg(t_f, 97), if97::EntropyOfTP(T, 0.0, StateSelector::SaturatedVapour) / 4.186);
  EXPECT_EQ(Tsat(Psat(t_f, 97), 97), units::TemperatureOut(if97::SatTemperature(
                                         units::PressureIn(units::PressureOut(if97::SatPressure(T))))));
}

TEST(PropsUnits, ConversionFactors) {
  EXPECT_EQ(units::TemperatureIn(212.0), (212.0 + 459.67) / 1.8);
  EXPECT_EQ(units::TemperatureOut(373.15), 373.15 * 1.8 - 459.67);
  EXPECT_EQ(units::PressureIn(14.7), 14.7 / 145.0377377);
  EXPECT_EQ(units::PressureOut(0.1), 0.1 * 145.0377377);
  EXPECT_EQ(units::VolumeOut(1.0), 1.0 / 62.42796058);
  EXPECT_EQ(units::EnthalpyIn(1000.0), 1000.0 * 2.326);
  EXPECT_EQ(units::EnthalpyOut(2326.0), 2326.0 / 2.326);
  EXPECT_EQ(units::EntropyIn(1.0), 4.1868);
  EXPECT_EQ(units::EntropyOut(4.1868), 1.0);
  EXPECT_EQ(units::SaturatedEntropyOut(4.186), 1.0);
}

TEST(PropsCodes, SignChoosesUnitsAbsoluteValueChoosesFormulation) {
  EXPECT_EQ(HofTP(500.0, 1.0, -97), if97::EnthalpyOfTP(500.0, 1.0, StateSelector::SinglePhase));
  EXPECT_EQ(Psat(373.15, 0), PropertyError);  // 0 is SI and unsupported
  EXPECT_EQ(Psat(500.0, -97), if97::SatPressure(500.0));
}

// Every unsupported code against the eleven forward functions, with the exact value each returns.
TEST(PropsCodes, PropertyErrorMatrix) {
  struct Row {
    const char* name;
    double (*f)(FormulationCode);
    double english;  // the result for an unsupported code > 0
  };
  const Row rows[] = {
      {"Psat", [](FormulationCode c) { return Psat(212.0, c); }, -999.0 * 145.0377377},
      {"Tsat", [](FormulationCode c) { return Tsat(14.7, c); }, -999.0 * 1.8 - 459.67},
      {"Vf", [](FormulationCode c) { return Vf(212.0, c); }, -999.0},
      {"Vg", [](FormulationCode c) { return Vg(212.0, c); }, -999.0},
      {"Hf", [](FormulationCode c) { return Hf(212.0, c); }, -999.0 / 2.326},
      {"Hg", [](FormulationCode c) { return Hg(212.0, c); }, -999.0 / 2.326},
      {"Sf", [](FormulationCode c) { return Sf(212.0, c); }, -999.0 / 4.186},
      {"Sg", [](FormulationCode c) { return Sg(212.0, c); }, -999.0 / 4.186},
      {"VofTP", [](FormulationCode c) { return VofTP(500.0, 100.0, c); }, -999.0},
      {"HofTP", [](FormulationCode c) { return HofTP(500.0, 100.0, c); }, -999.0 / 2.326},
      {"SofTP", [](FormulationCode c) { return SofTP(500.0, 100.0, c); }, -999.0 / 4.1868},
  };
  const FormulationCode codes[] = {0, 5, -5, 96, 98, -98, kMinCode, kMaxCode, kMinCode + 1, 970, -1};
  for (const Row& r : rows) {
    for (const FormulationCode code : codes) {
      SCOPED_TRACE(::testing::Message() << r.name << " code " << code);
      EXPECT_EQ(r.f(code), code > 0 ? r.english : -999.0);
    }
  }
  EXPECT_DOUBLE_EQ(Psat(212.0, 5), -144892.6999623);
  EXPECT_DOUBLE_EQ(Tsat(212.0, 5), -2257.87);
}

TEST(PropsCodes, FiniteAtZeroBases) {
  EXPECT_TRUE(std::isfinite(HofTP(1080.0, 1.0, -97)));
  EXPECT_TRUE(std::isfinite(SofTP(1080.0, 1.0, -97)));
  EXPECT_TRUE(std::isfinite(VofTP(1080.0, 1.0, -97)));
  EXPECT_TRUE(std::isfinite(HofTP(400.0, 117.363, -97)));
  EXPECT_TRUE(std::isfinite(VofTP(400.0, 117.363, -97)));
}

}  // namespace
}  // namespace brimwater
