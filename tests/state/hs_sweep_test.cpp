// (h, s) over every formulation's surface: the (h, s) of a grid of single-phase states (liquid, vapour,
// supercritical; beside the saturation line, the critical point and the region and sub-region boundaries) and
// of two-phase states lead back to the state they came from, and (h, s) pairs no state has give NoSolution.
#include <brimwater/state.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/precision.h"

namespace brimwater {
namespace {

using testing::AgreesRelative;

constexpr FormulationCode kCodes[] = {-97, -95, -84, -69, -67};

// The residual the inverse pairs promise: 1e-9 of max(|h|, 1 kJ/kg), and of max(|s|, 1 kJ/(kg K)).
::testing::AssertionResult MatchesHs(const State& got, double h, double s) {
  if (std::fabs(got.h - h) <= 1e-9 * std::fmax(std::fabs(h), 1.0) &&
      std::fabs(got.s - s) <= 1e-9 * std::fmax(std::fabs(s), 1.0)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "h " << got.h << " s " << got.s << " for " << h << ", " << s;
}

// Temperatures (K) and pressures (MPa) of the grid: across the liquid and the vapour, within 0.05 K of IF97's
// 623.15 K and 1073.15 K and IFC-67's 623.15 K boundaries, along IF97's B23 line (863.15 K at 100 MPa, 623.15
// K at 16.53 MPa), beside the saturation pressures of the temperatures below the critical one, and around
// every formulation's critical point (647.096 K to 647.3 K, 22.064 MPa to 22.12 MPa).
constexpr double kGridT[] = {275,   300, 350,  400,    450,    500,  550,  600,  623.1, 623.2,
                             630,   640, 645,  646,    648,    650,  660,  700,  800,   863.1,
                             863.2, 900, 1000, 1073.1, 1073.2, 1200, 1500, 2000, 2273};
constexpr double kGridP[] = {0.001, 0.003, 0.01, 0.1, 0.5,  1,  3,  7,  10, 15, 16.5, 16.6,
                             18,    20,    21.5, 22,  22.2, 23, 25, 30, 40, 50, 80,   100};

// Near the critical point (h, s) fixes T and P poorly: (dh/dP)_s and (dh/dT)_s both tend to what the
// saturation line's slope leaves, and the rounding noise of h and s moves T and P far more than elsewhere.
// There only the residual is checked.
bool NearCritical(double T, double P) { return std::fabs(T - 647.2) < 5.0 && std::fabs(P - 22.1) < 2.0; }

// How closely (h, s) fixes P of a compressed liquid at low pressure, where (dh/dP)_s = v is about 1 cm3/g:
// the noise of h - T s (1e-12 of 1000 kJ/kg, 2e-10 kJ/kg for IFC-67's sub-region 1, whose polynomial's terms
// reach 1e5 pc vc) divided by v.
double PressureResolution(FormulationCode code) { return code == -67 ? 1e-9 : 1e-10; }  // MPa

TEST(StateHsSweep, SinglePhaseStatesOfTheGridComeBack) {
  for (FormulationCode code : kCodes) {
    int checked = 0;
    for (double T : kGridT) {
      for (double P : kGridP) {
        const State tp = StateOfTP(T, P, code);
        if (tp.status != Status::Ok) continue;  // within the formulation's range of validity
        SCOPED_TRACE(::testing::Message() << "code " << code << " T=" << T << " P=" << P);
        const State hs = StateOfHS(tp.h, tp.s, code);
        ASSERT_TRUE(hs.status == Status::Ok || hs.status == Status::Extrapolated);
        EXPECT_TRUE(MatchesHs(hs, tp.h, tp.s));
        ++checked;
        // IFC-67 from 16.6 MPa up: sub-region 4 starts at 623.15 K about 0.13 kJ/kg lower in h and 1.5e-4
        // kJ/(kg K) higher in s than sub-region 1 ends, so that states 0.05 K either side of it share h and s
        // with a state about 0.1 K away on the other side; which of the two (h, s) gives is not defined.
        const bool twin = code == -67 && (T == 623.1 || T == 623.2) && P >= 16.6;
        if (NearCritical(T, P) || twin) continue;
        EXPECT_EQ(hs.phase, tp.phase);
        EXPECT_EQ(hs.region, tp.region);
        EXPECT_TRUE(AgreesRelative(hs.T, T, 1e-9));
        EXPECT_LE(std::fabs(hs.P - P), 1e-9 * P + PressureResolution(code));
      }
    }
    EXPECT_GT(checked, 200) << "code " << code;
  }
}

// Wet states whose (h, s) a second state shares. KKHM 1969 keeps its tables' saturation line, which its
// equation's liquid meets only to about 1e-7 of h: near the triple point the saturated liquid's h and s are
// also those of a mixture of quality 1.1e-4 some 0.067 K colder, because there the wet isotherms run within
// v dPs (a few 1e-6 kJ/kg) of the saturated liquid's line on the Mollier chart. IFC-67 at 623 K: the mixture
// of quality 0.001 shares h and s with a sub-region-4 liquid at 623.22 K, across the step at 623.15 K. For
// these (h, s) gives a state with that h and s, not necessarily the one it came from.
struct WetTwin {
  FormulationCode code;
  double T, x;
};
constexpr WetTwin kWetTwins[] = {{-69, 275, 0.0}, {-69, 300, 0.0}, {-67, 623, 0.001}};

bool HasWetTwin(FormulationCode code, double T, double x) {
  for (const WetTwin& t : kWetTwins) {
    if (t.code == code && t.T == T && t.x == x) return true;
  }
  return false;
}

TEST(StateHsSweep, TwoPhaseStatesAndTheSaturatedPhasesComeBack) {
  // The saturated phases themselves (x = 0 and 1) too: at the saturation temperature (h, s) is solved for
  // their quality lands a few ulps inside or outside [0, 1], or the single-phase state on the saturation line
  // matches (h, s) to the last bits; they come back as a mixture of quality within 1e-9 of theirs, as the
  // saturated phase or as the single-phase state (x NaN) on the saturation line.
  constexpr double kT[] = {275, 300, 373.15, 433.9, 450, 500, 550, 600, 623, 630, 640, 645};
  constexpr double kX[] = {0.0, 0.001, 0.1, 0.5, 0.9, 0.999, 1.0};
  for (FormulationCode code : kCodes) {
    for (double T : kT) {
      for (double x : kX) {
        SCOPED_TRACE(::testing::Message() << "code " << code << " T=" << T << " x=" << x);
        const State tx = StateOfTX(T, x, code);
        ASSERT_EQ(tx.status, Status::Ok);
        const State hs = StateOfHS(tx.h, tx.s, code);
        ASSERT_EQ(hs.status, Status::Ok);
        EXPECT_TRUE(MatchesHs(hs, tx.h, tx.s));
        if (HasWetTwin(code, T, x)) continue;
        EXPECT_TRUE(AgreesRelative(hs.T, T, 1e-9));
        EXPECT_LE(std::fabs(hs.P - tx.P), 1e-9 * tx.P + PressureResolution(code));
        if (x > 0.0 && x < 1.0) {
          EXPECT_EQ(hs.phase, Phase::TwoPhase);
          EXPECT_NEAR(hs.x, x, 1e-9);
        } else if (std::isnan(hs.x)) {
          EXPECT_EQ(hs.phase, x == 0.0 ? Phase::Liquid : Phase::Vapour);
        } else {
          EXPECT_NEAR(hs.x, x, 1e-9);
        }
      }
    }
  }
}

TEST(StateHsSweep, PairsNoStateHasGiveNoSolution) {
  struct Case {
    const char* what;
    double h, s;  // kJ/kg, kJ/(kg K)
  };
  const Case cases[] = {
      {"a liquid's enthalpy with a vapour's entropy", 100, 9},
      {"entropy above the dilute vapour's at 1e-6 MPa", 2500, 14},
      {"enthalpy below the coldest liquid's", -500, 0},
      {"a cold liquid's entropy at an enthalpy it reaches only far above the highest pressure", 4000, 1},
      {"entropy far above any state's", 2000, 20},
      // The dilute vapour of this h and s lies below the lowest temperature searched (250 K); the search on
      // the isentrope ends at that temperature's isobar, where h steps from no state to a vapour 216 kJ/kg
      // above the target.
      {"a vapour colder than the search", 2243.93, 11.41},
      {"a liquid's enthalpy at the dilute vapour's entropy", 37.58, 8.80},
  };
  for (FormulationCode code : kCodes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "code " << code << ": " << c.what);
      const State hs = StateOfHS(c.h, c.s, code);
      EXPECT_EQ(hs.status, Status::NoSolution);
      EXPECT_EQ(hs.phase, Phase::Unknown);
      EXPECT_TRUE(std::isnan(hs.T) && std::isnan(hs.P) && std::isnan(hs.h));
    }
    const double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(StateOfHS(kInf, 7, code).status, Status::InvalidArgument);
    EXPECT_EQ(StateOfHS(2500, -kInf, code).status, Status::InvalidArgument);
  }
}

}  // namespace
}  // namespace brimwater
