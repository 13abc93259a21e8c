// cc3p as a process: the traced case and the three sweeps, line by line in their printed formats.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/tests/run_program.h"

namespace {

using brimwater::testing::Lines;
using brimwater::testing::ProgramRun;
using brimwater::testing::RunProgram;

const char kFailure[] = "iterations failed to converge!";

// A line printed with `format` from numbers that read back from it prints the same again: this checks the
// field widths, decimals and separators of the format at once.
template <class... Values>
std::string Print(const char* format, Values... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

bool IsCompositionLine(const std::string& line, const char* name) {
  char label[16] = {};
  double a = 0, b = 0, c = 0, d = 0, e = 0;
  if (std::sscanf(line.c_str(), "%15[a-z]: %lf,%lf,%lf,%lf,%lf", label, &a, &b, &c, &d, &e) != 6)
    return false;
  return std::string(label) == name &&
         line == Print("%s: %6.4lf,%6.4lf,%6.4lf,%6.4lf,%6.4lf", name, a, b, c, d, e);
}

bool IsIterationLine(const std::string& line, int iteration) {
  int i = -1;
  double f[7] = {};
  if (std::sscanf(line.c_str(), "%d %lf %lf %lf %lf %lf %lf %lf", &i, &f[0], &f[1], &f[2], &f[3], &f[4],
                  &f[5], &f[6]) != 8) {
    return false;
  }
  return i == iteration && line == Print("%2i %5.0lf %5.0lf %6.0lf %3.0lf", i, f[0], f[1], f[2], f[3]) +
                                       Print(" %6.0lf %6.0lf %7.0lf", f[4], f[5], f[6]);
}

struct SweepLine {
  double value, total, heatRate;
};

// Reads the sweep lines of `count` cases starting at line `at`, skipping failure messages (counted).
std::vector<SweepLine> ReadSweep(const std::vector<std::string>& lines, std::size_t& at, int count,
                                 const char* format, int& failures) {
  std::vector<SweepLine> sweep;
  while (at < lines.size() && static_cast<int>(sweep.size()) < count) {
    const std::string& line = lines[at++];
    if (line == kFailure) {
      ++failures;
      continue;
    }
    SweepLine s{};
    EXPECT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf", &s.value, &s.total, &s.heatRate), 3) << line;
    EXPECT_EQ(line, Print(format, s.value, s.total, s.heatRate));
    sweep.push_back(s);
  }
  return sweep;
}

TEST(Cc3pProgram, PrintsTheTracedCaseAndThreeSweeps) {
  const ProgramRun run = RunProgram(PROGRAM_PATH);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GT(lines.size(), 80u);
  ASSERT_EQ(run.out.back(), '\n');

  EXPECT_EQ(lines[0], "three-pressure combined cycle power plant model");
  EXPECT_TRUE(IsCompositionLine(lines[1], "ambient")) << lines[1];
  EXPECT_TRUE(IsCompositionLine(lines[2], "exhaust")) << lines[2];
  EXPECT_TRUE(IsCompositionLine(lines[3], "ductbrn")) << lines[3];
  EXPECT_EQ(lines[4], "it   Flp   Fip    Fhp Tcn   UAlp   UAip    UAhp");

  // Iteration lines until the results; the traced case converges.
  std::size_t at = 5;
  int iteration = 0;
  while (at < lines.size() && lines[at].rfind("GT=", 0) != 0) {
    EXPECT_NE(lines[at], kFailure);
    EXPECT_TRUE(IsIterationLine(lines[at], iteration)) << lines[at];
    ++iteration;
    ++at;
  }
  EXPECT_GE(iteration, 2);
  EXPECT_LE(iteration, 128);
  ASSERT_LT(at + 2, lines.size());

  double gt = 0, st = 0, total = 0, heatRate = 0, gtFuel = 0, dbFuel = 0;
  ASSERT_EQ(std::sscanf(lines[at].c_str(), "GT=%lf kW, ST=%lf kW, total=%lf kW", &gt, &st, &total), 3);
  EXPECT_EQ(lines[at], Print("GT=%.0lf kW, ST=%.0lf kW, total=%.0lf kW", gt, st, total));
  ASSERT_EQ(std::sscanf(lines[at + 1].c_str(), "Heat Rate=%lf BTU/kWh", &heatRate), 1);
  EXPECT_EQ(lines[at + 1], Print("Heat Rate=%.0lf BTU/kWh", heatRate));
  ASSERT_EQ(std::sscanf(lines[at + 2].c_str(), "fuel: GT=%lf, DB=%lf", &gtFuel, &dbFuel), 2);
  EXPECT_EQ(lines[at + 2], Print("fuel: GT=%.0lf, DB=%.0lf", gtFuel, dbFuel));
  EXPECT_EQ(gt, 43273.0);
  EXPECT_GT(st, 0.0);
  EXPECT_GT(heatRate, 5000.0);
  EXPECT_LT(heatRate, 9000.0);
  EXPECT_EQ(gtFuel, 18294.0);  // 43273 kW at 8244 BTU/kWh over 19500 BTU/lbm
  EXPECT_EQ(dbFuel, 2205.0);   // 43000000 / 19500
  at += 3;

  int failures = 0;
  const auto pressure = ReadSweep(lines, at, 21, "%.3lf,%.0lf,%.0lf", failures);
  const auto temperature = ReadSweep(lines, at, 25, "%.0lf,%.0lf,%.0lf", failures);
  const auto humidity = ReadSweep(lines, at, 21, "%.2lf,%.0lf,%.0lf", failures);
  EXPECT_EQ(at, lines.size()) << "unexpected lines after the humidity sweep";
  ASSERT_EQ(pressure.size(), 21u);
  ASSERT_EQ(temperature.size(), 25u);
  ASSERT_EQ(humidity.size(), 21u);
  for (std::size_t k = 0; k < 21; ++k) {
    EXPECT_EQ(Print("%.3lf", pressure[k].value), Print("%.3lf", 13.696 + 0.1 * static_cast<double>(k)));
    EXPECT_EQ(Print("%.2lf", humidity[k].value), Print("%.2lf", 0.05 * static_cast<double>(k)));
  }
  for (std::size_t k = 0; k < 25; ++k) EXPECT_EQ(temperature[k].value, 5.0 * static_cast<double>(k));

  // The ISO point of each sweep is the traced case again.
  EXPECT_NEAR(pressure[10].total, total, 1.0);  // accumulated to 14.695999999999996
  EXPECT_EQ(temperature[12].total, total);
  EXPECT_EQ(humidity[12].total, total);
  EXPECT_EQ(humidity[12].heatRate, heatRate);
  // Denser air makes more power; so does colder air.
  EXPECT_GT(pressure[20].total, pressure[0].total);
  EXPECT_GT(temperature[0].total, temperature[24].total);
  // Every case that failed printed its message once; report how many for the record.
  RecordProperty("failedCases", failures);
  EXPECT_LE(failures, 67);
}

}  // namespace
