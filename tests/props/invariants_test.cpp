// Invariants every formulation must keep, one table over all five: the saturated states meet at the
// critical temperature, the saturation temperature inverts the saturation pressure to the resolution of its
// bisection, and TofPH inverts HofTP to the tolerance of its secant away from the saturation line.
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/precision.h"

namespace brimwater {
namespace {

using brimwater::testing::AgreesRelative;

struct Formulation {
  const char* name;
  FormulationCode code;        // SI
  double critical_T;           // K, the top of its saturation line as the formulation publishes it
  bool saturated_states_meet;  // false for IAPWS-IF97, see below
};

// IAPWS-IF97 keeps a historical convention: its saturated liquid and vapour come from regions 1 and 2 up to
// the critical point, so they do not meet there (at 647.096 K Hf is 1923.9 and Hg 2303.3 kJ/kg).
constexpr Formulation kFormulations[] = {
    {"IFC-67", -67, 647.3, true},         {"KKHM 1969", -69, 647.245, true},
    {"NBS/NRC 1984", -84, 647.126, true}, {"IAPWS-95", -95, 647.096, true},
    {"IAPWS-IF97", -97, 647.096, false},
};
constexpr double kTriplePointTemperature = 273.16;  // K, where every saturation line starts

constexpr double kSameState = 1e-12;  // relative: one state evaluated twice

TEST(Invariants, SaturatedStatesMeetAtTheCriticalTemperature) {
  for (const Formulation& f : kFormulations) {
    for (const double T : {f.critical_T, f.critical_T + 0.5, f.critical_T + 50.0}) {
      SCOPED_TRACE(::testing::Message() << f.name << ", " << T << " K");
      if (f.saturated_states_meet) {
        EXPECT_TRUE(AgreesRelative(Hf(T, f.code), Hg(T, f.code), kSameState));
        EXPECT_TRUE(AgreesRelative(Vf(T, f.code), Vg(T, f.code), kSameState));
        EXPECT_TRUE(AgreesRelative(Sf(T, f.code), Sg(T, f.code), kSameState));
      } else {
        EXPECT_LT(Hf(T, f.code), Hg(T, f.code) - 10.0);
        EXPECT_LT(Vf(T, f.code), Vg(T, f.code));
      }
    }
  }
}

// Tsat bisects Psat 32 times between the triple point and the critical temperature, so it lies within
// (critical_T - 273.16 K) / 2^32 of the root and Psat(Tsat(P)) within the curve's slope times that.
TEST(Invariants, SaturationPressureOfTheSaturationTemperature) {
  for (const Formulation& f : kFormulations) {
    const double resolution = (f.critical_T - kTriplePointTemperature) / 4294967296.0;  // K
    for (const double P : {0.001, 0.01, 0.1, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 21.5, 22.0}) {
      SCOPED_TRACE(::testing::Message() << f.name << ", " << P << " MPa");
      const double Ts = Tsat(P, f.code);
      const double slope = (Psat(Ts + 1e-3, f.code) - Psat(Ts - 1e-3, f.code)) / 2e-3;  // MPa/K
      EXPECT_NEAR(Psat(Ts, f.code), P, 1.5 * slope * resolution + 4e-16 * P);
    }
  }
}

// TofPH stops where h is within 0.01 kJ/kg of the target, so T comes back within 0.01 kJ/kg over the heat
// capacity. States closer than 5 K to the saturation line, where the secant may finish on either side of the
// jump in h, are left out, and so are states above 1073.15 K and 50 MPa, outside the range of IAPWS-IF97
// (where its region-2 enthalpy, extrapolated, is no longer monotonic in T).
TEST(Invariants, TemperatureOfEnthalpyInvertsEnthalpyOfTemperature) {
  constexpr double kEnthalpyTolerance = 0.01;  // kJ/kg
  for (const Formulation& f : kFormulations) {
    for (const double P : {0.01, 0.1, 1.0, 5.0, 10.0, 20.0, 30.0, 50.0, 100.0}) {
      for (const double T : {280.0, 300.0, 400.0, 500.0, 600.0, 640.0, 660.0, 700.0, 900.0, 1200.0, 1450.0}) {
        const double Ts = Tsat(P, f.code);
        if (T < f.critical_T && std::fabs(T - Ts) < 5.0) continue;
        if (T > 1073.15 && P > 50.0) continue;
        SCOPED_TRACE(::testing::Message() << f.name << ", " << T << " K, " << P << " MPa");
        const double H = HofTP(T, P, f.code);
        const double T_h = TofPH(P, H, f.code);
        EXPECT_LT(std::fabs(HofTP(T_h, P, f.code) - H), kEnthalpyTolerance);
        const double cp = (HofTP(T + 0.05, P, f.code) - HofTP(T - 0.05, P, f.code)) / 0.1;  // kJ/(kg K)
        EXPECT_NEAR(T_h, T, 1.01 * kEnthalpyTolerance / cp + 1e-6);
      }
    }
  }
}

}  // namespace
}  // namespace brimwater
