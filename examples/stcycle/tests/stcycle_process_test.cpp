// stcycle as a process: 480 case blocks and the timing line on standard output, the sweep progress and the
// timing line on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/tests/run_program.h"

namespace {

using brimwater::testing::Lines;
using brimwater::testing::ProgramRun;
using brimwater::testing::RunProgram;

template <class... Values>
std::string Print(const char* format, Values... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

bool IsTimingLine(const std::string& line) {
  int cases = 0;
  double seconds = -1.0;
  if (std::sscanf(line.c_str(), "%d cases in %lf seconds", &cases, &seconds) != 2) return false;
  return cases == 480 && seconds >= 0.0 && line == Print("%i cases in %.3lf seconds", cases, seconds);
}

struct CaseBlock {
  double F1, T1, F20, T20, PF;
  int iterations;
};

// Splits standard output into case blocks, checking every line's format on the way.
std::vector<CaseBlock> ReadBlocks(const std::vector<std::string>& lines, bool checkIterationFormat) {
  std::vector<CaseBlock> blocks;
  std::size_t at = 0;
  while (at < lines.size() && lines[at].rfind("F1=", 0) == 0) {
    CaseBlock b{};
    EXPECT_EQ(std::sscanf(lines[at].c_str(), "F1=%lf, T1=%lf, F20=%lf, T20=%lf, PF=%lf", &b.F1, &b.T1, &b.F20,
                          &b.T20, &b.PF),
              5);
    EXPECT_EQ(lines[at],
              Print("F1=%.0lf, T1=%.1lf, F20=%.0lf, T20=%.0lf, PF=%.3lf", b.F1, b.T1, b.F20, b.T20, b.PF));
    ++at;
    EXPECT_EQ(lines[at], "it   F3  /  F4      F5 /  F6     F7 / F8      P9 /  P10");
    ++at;
    while (at < lines.size() && lines[at].rfind("kWnet=", 0) != 0) {
      if (checkIterationFormat) {
        int i = -1;
        double v[8] = {};
        EXPECT_EQ(std::sscanf(lines[at].c_str(), "%d %lf/%lf %lf/%lf %lf/%lf %lf/%lf", &i, &v[0], &v[1],
                              &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]),
                  9)
            << lines[at];
        EXPECT_EQ(i, b.iterations);
        EXPECT_EQ(lines[at], Print("%2i %6.0lf/%6.0lf %6.0lf/%6.0lf %5.0lf/%5.0lf %6.4lf/%6.4lf", i, v[0],
                                   v[1], v[2], v[3], v[4], v[5], v[6], v[7]));
      }
      ++b.iterations;
      ++at;
    }
    if (at == lines.size()) break;
    double kW = 0, Q = 0, HR = 0;
    EXPECT_EQ(std::sscanf(lines[at].c_str(), "kWnet=%lf, Qgross=%lf MBTU/hr, HtRt=%lf BTU/kWh", &kW, &Q, &HR),
              3);
    if (checkIterationFormat) {
      EXPECT_EQ(lines[at], Print("kWnet=%.0lf, Qgross=%.2lf MBTU/hr, HtRt=%.0lf BTU/kWh", kW, Q, HR));
    }
    ++at;
    blocks.push_back(b);
  }
  EXPECT_EQ(at + 1, lines.size()) << "expected only the timing line after the case blocks";
  return blocks;
}

// The sweep's progress and the timing line, after the note on the units when `note` is set.
void ExpectStandardError(const std::string& err, bool note = false) {
  std::vector<std::string> lines = Lines(err);
  if (note) {
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind("stcycle: note: the plant data are in English units; code ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("meaningless"), std::string::npos) << lines[0];
    lines.erase(lines.begin());
  }
  ASSERT_EQ(lines.size(), 5u) << err;
  EXPECT_EQ(lines[0], "PF=0.85");
  EXPECT_EQ(lines[1], "PF=0.90");
  EXPECT_EQ(lines[2], "PF=0.95");
  EXPECT_EQ(lines[3], "PF=1.00");
  EXPECT_TRUE(IsTimingLine(lines[4])) << lines[4];
}

TEST(StcycleProgram, RunsTheGridOf480CasesAndTimesIt) {
  const ProgramRun run = RunProgram(PROGRAM_PATH);
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectStandardError(run.err);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(IsTimingLine(lines.back())) << lines.back();

  const std::vector<CaseBlock> blocks = ReadBlocks(lines, true);
  ASSERT_EQ(blocks.size(), 480u);
  // Outermost power factor, then cooling water, throttle flow, throttle temperature innermost.
  EXPECT_EQ(blocks.front().F1, 500000.0);
  EXPECT_EQ(blocks.front().T1, 950.0);
  EXPECT_EQ(blocks.front().T20, 40.0);
  EXPECT_EQ(blocks.front().PF, 0.85);
  EXPECT_EQ(blocks[1].T1, 975.0);
  EXPECT_EQ(blocks[5].F1, 750000.0);
  EXPECT_EQ(blocks[20].T20, 50.0);
  EXPECT_EQ(blocks[120].PF, 0.9);
  EXPECT_EQ(blocks.back().F1, 1250000.0);
  EXPECT_EQ(blocks.back().T1, 1050.0);
  EXPECT_EQ(blocks.back().T20, 90.0);
  EXPECT_EQ(blocks.back().PF, 1.0);
  int slowest = 0;
  for (const CaseBlock& b : blocks) {
    EXPECT_EQ(b.F20, 7750000.0);
    slowest = std::max(slowest, b.iterations);
  }
  EXPECT_LT(slowest, 32) << "some case ran out of iterations";
  RecordProperty("mostIterations", slowest);
}

// Text that is no number reads as 0 (SI units, no formulation); a number beyond the 32-bit range is held at
// its end; either way every property call yields PropertyError, and the grid still runs to its end after a
// note on standard error.
TEST(StcycleProgram, ArgumentThatIsNoCodeStillEndsNormally) {
  for (const char* argument : {"abc", "''", "99999999999999999999", "-99999999999999999999", "5"}) {
    SCOPED_TRACE(argument);
    const ProgramRun run = RunProgram(PROGRAM_PATH, argument);
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectStandardError(run.err, true);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(IsTimingLine(lines.back()));
    const std::vector<CaseBlock> blocks = ReadBlocks(lines, false);
    ASSERT_EQ(blocks.size(), 480u);
    for (const CaseBlock& b : blocks) ASSERT_EQ(b.iterations, 32);
  }
}

// An SI code reads the English plant data as kelvins and megapascals: the grid runs, after the note.
TEST(StcycleProgram, SiCodeRunsWithANote) {
  const ProgramRun run = RunProgram(PROGRAM_PATH, "-97");
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectStandardError(run.err, true);
  EXPECT_NE(Lines(run.err)[0].find("code -97 "), std::string::npos);
  EXPECT_EQ(ReadBlocks(Lines(run.out), false).size(), 480u);
}

}  // namespace
