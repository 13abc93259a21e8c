// hrsg2 as a process (its printed table) and as a model (the converged HRSG and the halving of the flows).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/tests/printed_lines.h"
#include "common/tests/run_program.h"
#include "hrsg2_model.h"

namespace brimwater::hrsg2 {
namespace {

using testing::Lines;
using testing::Numbers;
using testing::PrintedAs;

constexpr char kHeader[] = "it  Flp    Fhp   UAlp   UAhp";
constexpr char kLineFormat[] = "%2i %5.0lf %6.0lf %6.0lf %6.0lf";
// Converged flows of this model, lbm/hr. The LP flow approaches its value slowly, from above, so a UA
// within 0.0001 of its target leaves it within a few times that fraction.
constexpr LevelValues kConvergedFlows{16890.0, 106413.0};
constexpr double kFlowTolerance = 5e-4;

std::string SolveText(const LevelValues& start, Outcome* outcome) {
  return testing::PrintedText([&](std::FILE* out) { *outcome = Solve(start, out); });
}

TEST(Hrsg2Program, PrintsHeaderAndOneLinePerIterationUntilBothTargets) {
  const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], kHeader);
  int previous = -1;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    EXPECT_TRUE(PrintedAs(lines[k], kLineFormat));
    const int iteration = static_cast<int>(Numbers(lines[k]).at(0));
    EXPECT_GT(iteration, previous);
    previous = iteration;
  }
  EXPECT_EQ(previous, static_cast<int>(lines.size()) - 2);  // no evaluation failed from the fixed start
  EXPECT_LT(previous, kMaxIterations);
  // The last line is the converged one: both UA within 0.0001 of their targets.
  const std::vector<double> last = Numbers(lines.back());
  ASSERT_EQ(last.size(), 5u);
  for (std::size_t level = 0; level < kLevelCount; ++level) {
    EXPECT_NEAR(last[1 + level], kConvergedFlows[level], kFlowTolerance * kConvergedFlows[level]);
    EXPECT_NEAR(last[3 + level], kTargetUa[level], kTolerance * kTargetUa[level] + 0.5);
  }
}

TEST(Hrsg2Model, ConvergedHrsgHasPositiveDutiesAndApproaches) {
  Outcome outcome{};
  SolveText(kStartFlows, &outcome);
  ASSERT_TRUE(outcome.converged);
  for (std::size_t level = 0; level < kLevelCount; ++level) {
    EXPECT_NEAR(outcome.ua[level] / kTargetUa[level], 1.0, kTolerance);
  }

  const SteamStates s = ComputeSteamStates();
  const double gas_cp = MeanGasCp();
  const Evaluation e = Evaluate(s, gas_cp, outcome.flows);
  ASSERT_TRUE(e.valid);
  double total_duty = 0.0;
  double t_in = kGasInletT;
  for (int k = 0; k < kSectionCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_GT(e.duty[k], 0.0);
    EXPECT_GT(e.lmtd[k], 0.0);
    EXPECT_LT(e.t_gas[k], t_in);
    t_in = e.t_gas[k];
    total_duty += e.duty[k];
  }
  EXPECT_LT(e.t_gas[kLpEc], kGasInletT);
  EXPECT_GT(e.t_gas[kLpEc], kCondensateT);
  // The HP evaporator's gas stays above HP saturation, the LP evaporator's above LP saturation.
  EXPECT_GT(e.t_gas[kHpEv], s.t_sat_hp - 20.0);
  EXPECT_GT(e.t_gas[kLpEv], s.t_sat_lp - 5.0);
  const double gas_heat = kGasFlow * gas_cp * (kGasInletT - e.t_gas[kLpEc]);
  EXPECT_NEAR(gas_heat, total_duty, 1e-9 * gas_heat);
}

TEST(Hrsg2Model, SteamStatesFollowThePressureLevels) {
  const SteamStates s = ComputeSteamStates();
  // 80 psia and 1825 psia drums.
  EXPECT_NEAR(s.t_sat_lp, 312.0, 0.5);
  EXPECT_NEAR(s.t_sat_hp, 623.0, 0.5);
  EXPECT_LT(s.h_condensate, s.h_lp_eco);
  EXPECT_LT(s.h_lp_eco, s.hf_lp);
  EXPECT_LT(s.hf_lp, s.hg_lp);
  EXPECT_LT(s.hg_lp, s.h_lp_steam);
  EXPECT_LT(s.hf_lp, s.h_hp_eco1);
  EXPECT_LT(s.h_hp_eco1, s.h_hp_eco2);
  EXPECT_LT(s.h_hp_eco2, s.hg_hp);
  EXPECT_LT(s.hg_hp, s.h_hp_steam);
}

// Flows too large for the gas cross temperatures; each such evaluation halves both flows and prints no line,
// so the printed iteration numbers skip it.
TEST(Hrsg2Model, HalvedFlowsLeaveGapsInTheIterationNumbers) {
  struct Case {
    LevelValues start;
    int first_printed;
  };
  const Case cases[] = {{kStartFlows, 0}, {{40000.0, 400000.0}, 2}, {{160000.0, 1600000.0}, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first_printed);
    Outcome outcome{};
    const std::vector<std::string> lines = Lines(SolveText(c.start, &outcome));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(static_cast<int>(Numbers(lines[1]).at(0)), c.first_printed);
    EXPECT_TRUE(outcome.converged);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
      EXPECT_NEAR(outcome.flows[level], kConvergedFlows[level], kFlowTolerance * kConvergedFlows[level]);
    }
  }
}

}  // namespace
}  // namespace brimwater::hrsg2
