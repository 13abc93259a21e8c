// hrsg3 as a process (a run that does not end by itself, and one limited by its argument) and as a model
// (the starting-flow sequence and the converged HRSG of every solve).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/cycle.h"
#include "common/tests/printed_lines.h"
#include "common/tests/run_program.h"
#include "hrsg3_model.h"

namespace brimwater::hrsg3 {
namespace {

using testing::Lines;
using testing::Numbers;
using testing::PrintedAs;

constexpr char kHeader[] = "it  Flp   Fip    Fhp   UAlp   UAip   UAhp";
constexpr char kLineFormat[] = "%2i %5.0lf %5.0lf %6.0lf %6.0lf %6.0lf %6.0lf";
// The flows every solve converges to, lbm/hr; a UA within 0.0001 of its target leaves the flow within a
// few times that fraction.
constexpr LevelValues kConvergedFlows{19083.0, 10596.0, 96373.0};
constexpr double kFlowTolerance = 5e-4;

// The printed lines split into solves, each starting with its header line.
std::vector<std::vector<std::string>> SplitSolves(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> solves;
  for (const std::string& line : lines) {
    if (line == kHeader) solves.emplace_back();
    if (!solves.empty()) solves.back().push_back(line);
  }
  return solves;
}

// One converged solve as printed: header, iterations numbered from 0 without gaps, the starting flows on
// the first line, and on the last line every UA within the tolerance (plus the rounding of the print).
void ExpectConvergedSolve(const std::vector<std::string>& solve, const LevelValues& start) {
  ASSERT_GE(solve.size(), 2u);
  EXPECT_EQ(solve[0], kHeader);
  for (std::size_t k = 1; k < solve.size(); ++k) {
    SCOPED_TRACE(solve[k]);
    ASSERT_TRUE(PrintedAs(solve[k], kLineFormat));
    EXPECT_EQ(Numbers(solve[k])[0], static_cast<double>(k - 1));
  }
  const std::vector<double> first = Numbers(solve[1]);
  for (std::size_t level = 0; level < kLevelCount; ++level) EXPECT_EQ(first[1 + level], start[level]);
  const std::vector<double> last = Numbers(solve.back());
  for (std::size_t level = 0; level < kLevelCount; ++level) {
    EXPECT_NEAR(last[4 + level], kTargetUa[level], kTolerance * kTargetUa[level] + 0.5);
  }
}

// The first starting flows, three per solve: 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962 are
// the first values of the sequence.
const LevelValues kStarts[] = {
    {4200.0, 846800.0, 633500.0}, {650100.0, 917000.0, 572500.0}, {147900.0, 935900.0, 696300.0}};

TEST(Hrsg3Model, RandomSequenceFromStateOne) {
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  RandomSequence sequence;
  for (int value : expected) EXPECT_EQ(NextRandom(sequence), value);
}

TEST(Hrsg3Model, StartingFlowsStayWithinTheirRange) {
  RandomSequence sequence;
  for (const LevelValues& start : kStarts) EXPECT_EQ(DrawStartingFlows(sequence), start);
  double lowest = 1e9;
  double highest = 0.0;
  for (int draw = 0; draw < 20000; ++draw) {
    for (double f : DrawStartingFlows(sequence)) {
      lowest = std::fmin(lowest, f);
      highest = std::fmax(highest, f);
    }
  }
  EXPECT_GE(lowest, 100.0);
  EXPECT_LE(highest, 1000000.0);
}

// Every solve converges to the same HRSG: all duties and log-mean differences positive, the gas cooling
// along its path to a stack temperature below its inlet, and each level's UA the sum over its sections.
TEST(Hrsg3Model, EverySolveConvergesToTheSameHrsg) {
  RandomSequence sequence;
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  const SteamStates s = ComputeSteamStates();
  for (int solve = 0; solve < 25; ++solve) {
    SCOPED_TRACE(solve);
    const Outcome outcome = Solve(sequence, sink);
    ASSERT_TRUE(outcome.converged);
    EXPECT_LE(outcome.iterations, cycle::kUaMatchingIterations);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
      EXPECT_NEAR(outcome.ua[level] / kTargetUa[level], 1.0, kTolerance);
      EXPECT_NEAR(outcome.flows[level], kConvergedFlows[level], kFlowTolerance * kConvergedFlows[level]);
    }

    const Sections sections = HrsgSections(s, outcome.flows);
    LevelValues ua{};
    double h = cycle::GasHofT(kGas, kGasInletT);
    double t_in = kGasInletT;
    for (const cycle::HrsgSection& section : sections) {
      EXPECT_GT(section.duty, 0.0);
      h -= section.duty / kGasFlow;
      const double t_out = cycle::GasTofH(kGas, h);
      EXPECT_LT(t_out, t_in);
      const double lmtd = cycle::Lmtd(t_in - section.waterAtGasInlet, t_out - section.waterAtGasOutlet);
      EXPECT_GT(lmtd, 0.0);
      ua[section.level] += section.duty / lmtd;
      t_in = t_out;
    }
    EXPECT_LT(t_in, kGasInletT);
    EXPECT_GT(t_in, kCondensateT);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
      EXPECT_NEAR(ua[level], outcome.ua[level], 1e-9 * outcome.ua[level]);
    }
  }
  std::fclose(sink);
}

TEST(Hrsg3Model, SteamStatesRiseAlongEachLevel) {
  const SteamStates s = ComputeSteamStates();
  const double lp[] = {s.h_condensate, s.h_lp_eco, s.hf_lp, s.hg_lp, s.h_lp_steam};
  const double ip[] = {s.h_ip_pump, s.h_ip_eco, s.hg_ip, s.h_ip_steam};
  const double hp[] = {s.h_hp_pump, s.h_hp_eco1, s.h_hp_eco2, s.h_hp_eco3, s.hg_hp, s.h_hp_steam};
  for (std::size_t k = 1; k < std::size(lp); ++k) EXPECT_LT(lp[k - 1], lp[k]);
  for (std::size_t k = 1; k < std::size(ip); ++k) EXPECT_LT(ip[k - 1], ip[k]);
  for (std::size_t k = 1; k < std::size(hp); ++k) EXPECT_LT(hp[k - 1], hp[k]);
  EXPECT_LT(s.t_sat_lp, s.t_sat_ip);
  EXPECT_LT(s.t_sat_ip, s.t_sat_hp);
}

// Without an argument the run goes on as long as the solves converge; stopped after a second, it has
// printed solve after solve, each with its own header and converged.
TEST(Hrsg3Program, RunsUntilStoppedPrintingEverySolve) {
  const testing::ProgramRun run = testing::RunProgram("timeout", "1 '" PROGRAM_PATH "'");
  EXPECT_EQ(run.status, 124) << "the run ended by itself";
  EXPECT_EQ(run.err, "");
  const std::vector<std::vector<std::string>> solves = SplitSolves(Lines(run.out));
  ASSERT_GE(solves.size(), 4u);  // the last one may be cut short
  RandomSequence sequence;
  const std::size_t checked = std::min<std::size_t>(solves.size() - 1, 200);
  for (std::size_t k = 0; k < checked; ++k) {
    SCOPED_TRACE(k);
    const LevelValues start = DrawStartingFlows(sequence);
    if (k < std::size(kStarts)) {
      EXPECT_EQ(start, kStarts[k]);
    }
    ExpectConvergedSolve(solves[k], start);
  }
  EXPECT_EQ(run.out.find("iterations failed to converge!"), std::string::npos);
}

TEST(Hrsg3Program, ArgumentLimitsTheNumberOfSolves) {
  const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH, "3");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::vector<std::string>> solves = SplitSolves(Lines(run.out));
  ASSERT_EQ(solves.size(), 3u);
  EXPECT_EQ(Lines(run.out)[0], kHeader);
  for (std::size_t k = 0; k < solves.size(); ++k) {
    SCOPED_TRACE(k);
    ExpectConvergedSolve(solves[k], kStarts[k]);
  }
}

// Output that cannot be written ends the run with a message instead of letting it go on unseen.
TEST(Hrsg3Program, StopsWhenItsOutputCannotBeWritten) {
  const testing::ProgramRun run =
      testing::RunProgram("timeout", "10 sh -c 'exec \"$0\" >/dev/full' '" PROGRAM_PATH "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "hrsg3: cannot write the output\n");
}

TEST(Hrsg3Program, RefusesABadArgument) {
  const char* arguments[] = {"0", "-3", "abc", "3x", "' 3'", "''", "1.5", "99999999999999999999999", "3 4"};
  for (const char* argument : arguments) {
    SCOPED_TRACE(argument);
    const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH, argument);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("usage: hrsg3 [solves]\n", 0), 0u);
  }
}

}  // namespace
}  // namespace brimwater::hrsg3
