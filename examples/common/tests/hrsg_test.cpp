// HRSG section march with its validity rules, and the UA-matching step with its damping.
#include "common/hrsg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "common/tests/run_program.h"
#include "support/precision.h"

namespace brimwater::cycle {
namespace {

using brimwater::testing::AgreesRelative;

constexpr GasComposition kExhaust{0.746, 0.124, 0.038, 0.083, 0.009};
constexpr GasComposition kFired{0.744, 0.119, 0.04, 0.088, 0.009};
constexpr double kGasFlow = 1000000.0;  // lbm/hr

// Superheater (level 1) above an evaporator (level 0), gas entering at 1000 degF.
std::array<HrsgSection, 2> TwoSections(double superheaterDuty, double evaporatorDuty) {
  return {{{superheaterDuty, 800.0, 500.0, 1}, {evaporatorDuty, 500.0, 480.0, 0}}};
}

TEST(HrsgUa, MarchesTheGasAndRoutesEachSectionToItsLevel) {
  const auto sections = TwoSections(2.0e7, 8.0e7);
  const std::array<double, 2> ua = HrsgUa<2>(sections, kExhaust, 1000.0, kGasFlow);

  const double h0 = GasHofT(kExhaust, 1000.0);
  const double t1 = GasTofH(kExhaust, h0 - 2.0e7 / kGasFlow);
  const double t2 = GasTofH(kExhaust, h0 - 1.0e8 / kGasFlow);
  EXPECT_TRUE(AgreesRelative(ua[1], 2.0e7 / Lmtd(1000.0 - 800.0, t1 - 500.0), 1e-9));
  EXPECT_TRUE(AgreesRelative(ua[0], 8.0e7 / Lmtd(t1 - 500.0, t2 - 480.0), 1e-9));
  // The gas cools by roughly duty / (flow cp) with cp near 0.27.
  EXPECT_NEAR(1000.0 - t1, 2.0e7 / kGasFlow / 0.27, 8.0);
}

TEST(HrsgUa, AnyInvalidSectionZeroesEveryLevel) {
  struct Row {
    const char* what;
    double superheaterDuty, evaporatorDuty;
  };
  const Row rows[] = {
      {"zero duty", 2.0e7, 0.0},
      {"negative duty", -1.0, 8.0e7},
      {"duty not a number", std::numeric_limits<double>::quiet_NaN(), 8.0e7},
      {"gas cooled below the evaporator (temperature cross)", 2.0e7, 4.0e8},
  };
  for (const Row& r : rows) {
    const auto ua = HrsgUa<2>(TwoSections(r.superheaterDuty, r.evaporatorDuty), kExhaust, 1000.0, kGasFlow);
    EXPECT_EQ(ua[0], 0.0) << r.what;
    EXPECT_EQ(ua[1], 0.0) << r.what;
  }
}

TEST(HrsgUa, DuctBurnerBetweenSections) {
  const auto sections = TwoSections(2.0e7, 8.0e7);
  const auto plain = HrsgUa<2>(sections, kExhaust, 1000.0, kGasFlow);

  // An unfired burner with an unchanged gas leaves the UA as it was (to the bisection width).
  const GasChange<GasComposition> cold{GasChangeKind::DuctBurner, 0, 0.0, 0.0, 0.0, kExhaust};
  const auto unfired = HrsgUa<2>(sections, kExhaust, 1000.0, kGasFlow, cold);
  EXPECT_TRUE(AgreesRelative(unfired[0], plain[0], 1e-12));
  EXPECT_TRUE(AgreesRelative(unfired[1], plain[1], 1e-12));

  // Firing 3e7 BTU/hr raises the gas leaving the superheater by that heat over the flow before firing, and
  // the flow grows by the fuel for every section downstream.
  const double fuel = 3.0e7 / 19500.0;
  const GasChange<GasComposition> fired{GasChangeKind::DuctBurner, 0, 3.0e7, fuel, 0.0, kFired};
  const auto ua = HrsgUa<2>(sections, kExhaust, 1000.0, kGasFlow, fired);
  const double hBurner = GasHofT(kExhaust, 1000.0) - 2.0e7 / kGasFlow + 3.0e7 / kGasFlow;
  const double tBurner = GasTofH(kFired, hBurner);
  const double tStack = GasTofH(kFired, hBurner - 8.0e7 / (kGasFlow + fuel));
  EXPECT_TRUE(AgreesRelative(ua[1], 2.0e7 / Lmtd(200.0, tBurner - 500.0), 1e-12));
  EXPECT_TRUE(AgreesRelative(ua[0], 8.0e7 / Lmtd(tBurner - 500.0, tStack - 480.0), 1e-12));
  EXPECT_LT(ua[0], plain[0]);  // hotter gas, less surface needed
}

TEST(HrsgUa, FixedTemperatureRiseBetweenSections) {
  const std::array<HrsgSection, 2> sections{{{2.0e7, 975.0, 900.0, 0}, {8.0e7, 900.0, 480.0, 0}}};
  const GasChange<GasComposition> rise{GasChangeKind::TemperatureRise, 0, 0.0, 0.0, 100.0, kFired};
  const auto ua = HrsgUa<1>(sections, kExhaust, 1100.0, kGasFlow, rise);
  const double tRaised = GasTofH(kExhaust, GasHofT(kExhaust, 1100.0) - 2.0e7 / kGasFlow) + 100.0;
  const double tStack = GasTofH(kFired, GasHofT(kFired, tRaised) - 8.0e7 / kGasFlow);
  const double expected =
      2.0e7 / Lmtd(125.0, tRaised - 900.0) + 8.0e7 / Lmtd(tRaised - 900.0, tStack - 480.0);
  EXPECT_TRUE(AgreesRelative(ua[0], expected, 1e-12));
}

TEST(UaMatching, FailureBeforeAnyUpdateHalvesTheFlowsAndKeepsTheDamping) {
  std::array<double, 3> flows{100.0, 200.0, 400.0};
  UaDamping damping;
  const std::array<double, 3> target{1.0, 1.0, 1.0};
  EXPECT_EQ(UaMatching(flows, {0.0, 0.0, 0.0}, target, 1e-3, damping), UaStep::Failed);
  EXPECT_EQ(flows, (std::array<double, 3>{50.0, 100.0, 200.0}));
  EXPECT_EQ(damping.count, 1.0);
  EXPECT_EQ(damping.updates, 0);
}

TEST(UaMatching, FailureAfterAnUpdateTightensTheDampingByTwo) {
  std::array<double, 1> flows{100.0};
  UaDamping damping;
  EXPECT_EQ(UaMatching(flows, {0.5}, {1.0}, 1e-3, damping), UaStep::Updated);
  EXPECT_EQ(damping.updates, 1);
  EXPECT_EQ(UaMatching(flows, {std::nan("")}, {1.0}, 1e-3, damping), UaStep::Failed);
  EXPECT_EQ(damping.count, 3.0);
  EXPECT_EQ(UaMatching(flows,
                       {
                           1.0,
                       },
                       {1.0}, 1e-3, damping),
            UaStep::Converged);
  EXPECT_EQ(UaMatching(flows, {-1.0}, {1.0}, 1e-3, damping), UaStep::Failed);
  EXPECT_EQ(damping.count, 5.0);
}

TEST(UaMatching, UpdateIsClampedToTheDampedFactor) {
  struct Row {
    double count;  // damping count n, so the factor r = 1 + 1/n
    double ua;     // against a target of 1000
    double expected;
  };
  const Row rows[] = {
      {1.0, 1.0, 200.0},          // far too little surface: F r
      {1.0, 1.0e9, 50.00005},     // far too much: at n = 1 the mean stays above F / 2 = F / r
      {1.0, 800.0, 112.5},        // inside the limits: the mean of F and F UA*/UA
      {3.0, 1.0, 100.0 * 4 / 3},  // tightened after a failure
      {3.0, 1.0e9, 75.0},
  };
  for (const Row& r : rows) {
    std::array<double, 1> flows{100.0};
    UaDamping damping{r.count, 1};
    EXPECT_EQ(UaMatching(flows, {r.ua}, {1000.0}, 1e-3, damping), UaStep::Updated);
    EXPECT_TRUE(AgreesRelative(flows[0], r.expected, 1e-14)) << r.count << ", " << r.ua;
  }
}

TEST(UaMatching, ConvergesOnlyWhenEveryLevelAndTheCallersTestsHold) {
  const std::array<double, 2> target{75000.0, 50000.0};
  struct Row {
    std::array<double, 2> ua;
    bool otherTests;
    UaStep expected;
  };
  const Row rows[] = {
      {{75070.0, 49960.0}, true, UaStep::Converged},
      {{75080.0, 49960.0}, true, UaStep::Updated},   // 0.00107 off
      {{75070.0, 49960.0}, false, UaStep::Updated},  // condenser not settled
  };
  for (const Row& r : rows) {
    std::array<double, 2> flows{1000.0, 2000.0};
    UaDamping damping;
    EXPECT_EQ(UaMatching(flows, r.ua, target, 1e-3, damping, r.otherTests), r.expected);
  }
}

// A toy plant of one level whose UA is 10 per unit of flow and which cannot be evaluated above a flow of
// 1000.
constexpr double kToyLimit = 1000.0;
constexpr IterationTable<1> kToyTable{"it    F    UA\n", {4}, {5}};

TEST(SolveUndamped, HalvesSilentlyThenMovesHalfwayToTheTarget) {
  FlowSolve<1> outcome{};
  const std::string text = brimwater::testing::PrintedText([&](std::FILE* out) {
    const auto toy = [](const std::array<double, 1>& f) -> std::optional<std::array<double, 1>> {
      if (f[0] > kToyLimit) return std::nullopt;
      return std::array<double, 1>{10.0 * f[0]};
    };
    outcome = SolveUndamped<1>({4000.0}, {5000.0}, 1e-4, 32, toy, kToyTable, out);
  });
  // 4000 and 2000 fail and print nothing; 1000 gives twice the target, so the flow moves to 750.
  const std::string first = "it    F    UA\n 2 1000 10000\n 3  750  7500\n";
  EXPECT_EQ(text.substr(0, first.size()), first);
  ASSERT_TRUE(outcome.converged);
  EXPECT_NEAR(outcome.flows[0], 500.0, 500.0 * 1e-4);
  EXPECT_NEAR(outcome.ua[0], 5000.0, 5000.0 * 1e-4);
  // Each update halves the distance to the target flow, 500 at iteration 2: within 1e-4 of 500 after 14
  // updates (500 / 2^14 < 0.05), so the solve converges at iteration 16, its 17th.
  EXPECT_EQ(outcome.iterations, 17);
}

TEST(SolveUaMatching, EndsWithTheFailureMessageAfterItsIterations) {
  FlowSolve<1> outcome{};
  const std::string text = brimwater::testing::PrintedText([&](std::FILE* out) {
    const auto never = [](const std::array<double, 1>&) { return std::array<double, 1>{0.0}; };
    outcome = SolveUaMatching<1>({1.0}, {5000.0}, 1e-4, never, kToyTable, out);
  });
  const std::string first = "it    F    UA\n 0    1     0\n";
  EXPECT_EQ(text.substr(0, first.size()), first);
  const std::string message = kNotConvergedMessage;
  ASSERT_GE(text.size(), message.size());
  EXPECT_EQ(text.substr(text.size() - message.size()), message);
  EXPECT_FALSE(outcome.converged);
  EXPECT_EQ(outcome.iterations, kUaMatchingIterations);
  EXPECT_EQ(outcome.flows[0], std::ldexp(1.0, 1 - kUaMatchingIterations));  // halved before each retry
}

}  // namespace
}  // namespace brimwater::cycle
