// hrsg1 as a process (its printed table) and as a model (the converged HRSG and the halving of the flow).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/tests/printed_lines.h"
#include "common/tests/run_program.h"
#include "hrsg1_model.h"

namespace brimwater::hrsg1 {
namespace {

using testing::Lines;
using testing::Numbers;
using testing::PrintedAs;

constexpr char kLineFormat[] = "%2i %3.0lf %4.0lf";
// The converged steam flow; a UA within 0.0001 of its target leaves the flow within about that fraction.
constexpr double kConvergedFlow = 371.24;
constexpr double kFlowTolerance = 1e-4;

// Runs the solve into a scratch file and returns what it printed.
std::string SolveText(double start_flow, Outcome* outcome) {
  return testing::PrintedText([&](std::FILE* out) { *outcome = Solve(start_flow, out); });
}

TEST(Hrsg1Program, PrintsHeaderAndOneLinePerIterationUntilTheTargetUa) {
  const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "it flo  UA");
  int previous = -1;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    EXPECT_TRUE(PrintedAs(lines[k], kLineFormat));
    const int iteration = static_cast<int>(Numbers(lines[k]).at(0));
    EXPECT_GT(iteration, previous);
    previous = iteration;
  }
  // From the fixed start no evaluation fails, so the iterations are numbered without gaps.
  EXPECT_EQ(previous, static_cast<int>(lines.size()) - 2);
  // The last line is the converged one: UA within 0.0001 of 8000, printed without decimals.
  const std::vector<double> last = Numbers(lines.back());
  ASSERT_EQ(last.size(), 3u);
  EXPECT_NEAR(last[2], kTargetUa, 1.0);
  EXPECT_NEAR(last[1], 371.0, 0.5);
}

TEST(Hrsg1Model, ConvergedHrsgHasPositiveDutiesAndApproaches) {
  Outcome outcome{};
  SolveText(kStartFlow, &outcome);
  ASSERT_TRUE(outcome.converged);
  EXPECT_NEAR(outcome.ua[0] / kTargetUa, 1.0, kTolerance);
  EXPECT_NEAR(outcome.flows[0], kConvergedFlow, kFlowTolerance * kConvergedFlow);

  const SteamStates s = ComputeSteamStates();
  // 8250 kPa drum: saturation near 297.2 degC, 250 K of superheat.
  EXPECT_NEAR(s.t_sat, 297.165, 0.01);
  EXPECT_LT(s.h_feed, s.h_eco);
  EXPECT_LT(s.h_eco, s.h_sat_vap);
  EXPECT_LT(s.h_sat_vap, s.h_steam);

  const Evaluation e = Evaluate(s, MeanGasCp(), outcome.flows[0]);
  ASSERT_TRUE(e.valid);
  EXPECT_NEAR(e.ua, outcome.ua[0], 1e-9 * outcome.ua[0]);
  for (double q : {e.q_sh, e.q_ev, e.q_ec}) EXPECT_GT(q, 0.0);
  for (double d : {e.lmtd_sh, e.lmtd_ev, e.lmtd_ec}) EXPECT_GT(d, 0.0);
  // The gas cools through each section, stays above the water it heats, and leaves below its inlet.
  EXPECT_LT(e.t_gas1, kGasInletT);
  EXPECT_LT(e.t_gas2, e.t_gas1);
  EXPECT_LT(e.t_stack, e.t_gas2);
  EXPECT_GT(e.t_gas1, s.t_sat);
  EXPECT_GT(e.t_stack, kFeedwaterT);
  // What the water takes up the gas gives off.
  const double gas_heat = kGasFlow * MeanGasCp() * (kGasInletT - e.t_stack);
  EXPECT_NEAR(gas_heat, e.q_sh + e.q_ev + e.q_ec, 1e-9 * gas_heat);
}

// A flow too large for the gas crosses temperatures; each such evaluation halves the flow and prints no
// line, so the printed iteration numbers skip it, and the solve still reaches the same flow.
TEST(Hrsg1Model, HalvedFlowsLeaveGapsInTheIterationNumbers) {
  struct Case {
    double start_flow;
    int first_printed;  // iterations before it halved the flow
  };
  const Case cases[] = {{kStartFlow, 0}, {800.0, 1}, {4000.0, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start_flow);
    Outcome outcome{};
    const std::vector<std::string> lines = Lines(SolveText(c.start_flow, &outcome));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "it flo  UA");
    EXPECT_EQ(static_cast<int>(Numbers(lines[1]).at(0)), c.first_printed);
    EXPECT_TRUE(outcome.converged);
    EXPECT_NEAR(outcome.flows[0], kConvergedFlow, kFlowTolerance * kConvergedFlow);
  }
}

}  // namespace
}  // namespace brimwater::hrsg1
