// hrsg3r as a process (its printed table) and as a model (the cold-reheat mixture and the converged HRSG).
#include <brimwater/props.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/cycle.h"
#include "common/tests/printed_lines.h"
#include "common/tests/run_program.h"
#include "hrsg3r_model.h"

namespace brimwater::hrsg3r {
namespace {

using testing::Lines;
using testing::Numbers;
using testing::PrintedAs;

constexpr char kHeader[] = "it  Flp   Fip    Fhp   UAlp   UAip    UAhp";
constexpr char kLineFormat[] = "%2i %5.0lf %5.0lf %6.0lf %6.0lf %6.0lf %7.0lf";
// The converged flows, lbm/hr; a UA within 0.0001 of its target leaves the flow within a few times that
// fraction.
constexpr LevelValues kConvergedFlows{69700.0, 13643.0, 275936.0};
constexpr double kFlowTolerance = 5e-4;

TEST(Hrsg3rProgram, PrintsOnlyTheIterationTableUntilConvergence) {
  const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], kHeader);
  for (std::size_t k = 1; k < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    ASSERT_TRUE(PrintedAs(lines[k], kLineFormat));
    EXPECT_EQ(Numbers(lines[k])[0], static_cast<double>(k - 1));
  }
  const std::vector<double> first = Numbers(lines[1]);
  for (std::size_t level = 0; level < kLevelCount; ++level) EXPECT_EQ(first[1 + level], kStartFlows[level]);
  const std::vector<double> last = Numbers(lines.back());
  for (std::size_t level = 0; level < kLevelCount; ++level) {
    SCOPED_TRACE(level);
    EXPECT_NEAR(last[1 + level], kConvergedFlows[level], kFlowTolerance * kConvergedFlows[level] + 0.5);
    EXPECT_NEAR(last[4 + level], kTargetUa[level], kTolerance * kTargetUa[level] + 0.5);
  }
}

// From the fixed start and from starts so large that the gas cannot carry them (the first evaluations find a
// temperature cross, print zero UA and halve the flows), the matching reaches the same HRSG: every duty and
// log-mean difference positive, the gas cooling along its path, and each UA the sum over its sections.
TEST(Hrsg3rModel, ConvergedHrsgHasPositiveDutiesAndApproaches) {
  const LevelValues starts[] = {kStartFlows, {300000.0, 200000.0, 2000000.0}, {100.0, 100.0, 100.0}};
  const SteamStates s = ComputeSteamStates();
  for (const LevelValues& start : starts) {
    SCOPED_TRACE(start[kHp]);
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    const Outcome outcome = Solve(start, sink);
    std::fclose(sink);
    ASSERT_TRUE(outcome.converged);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
      EXPECT_NEAR(outcome.ua[level] / kTargetUa[level], 1.0, kTolerance);
      EXPECT_NEAR(outcome.flows[level], kConvergedFlows[level], kFlowTolerance * kConvergedFlows[level]);
    }

    const Sections sections = HrsgSections(s, MixColdReheat(s, outcome.flows), outcome.flows);
    cycle::GasComposition6 x = kGasInlet;
    LevelValues ua{};
    double h = cycle::GasHofT(x, kGasInletT);
    double t_in = kGasInletT;
    for (std::size_t k = 0; k < kSectionCount; ++k) {
      SCOPED_TRACE(k);
      const cycle::HrsgSection& section = sections[k];
      EXPECT_GT(section.duty, 0.0);
      h -= section.duty / kGasFlow;
      double t_out = cycle::GasTofH(x, h);
      EXPECT_LT(t_out, t_in);
      if (k == kHpSh2) {
        t_out += kBurnerTemperatureRise;
        x = kGasAfterBurner;
        h = cycle::GasHofT(x, t_out);
      }
      const double lmtd = cycle::Lmtd(t_in - section.waterAtGasInlet, t_out - section.waterAtGasOutlet);
      EXPECT_GT(lmtd, 0.0);
      ua[section.level] += section.duty / lmtd;
      t_in = t_out;
    }
    EXPECT_LT(t_in, kGasInletT);  // the stack
    EXPECT_GT(t_in, kCondensateT);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
      EXPECT_NEAR(ua[level], outcome.ua[level], 1e-9 * outcome.ua[level]);
    }
  }
}

// The cold reheat lies between its two streams: the IP superheater's 600 F steam and the HP turbine
// exhaust, both at 620 psia, and TofPH returns the temperature whose enthalpy is the mixture's.
TEST(Hrsg3rModel, ColdReheatMixesHpExhaustWithIpSteam) {
  const SteamStates s = ComputeSteamStates();
  const double h_hp_exhaust = s.h_hp_steam - 200.0;
  const double t_hp_exhaust = TofPH(620.0, h_hp_exhaust, 97);
  struct Case {
    LevelValues flows;
    double ip_share;  // fraction of the mixed flow from the IP superheater
  };
  const Case cases[] = {{{1.0, 0.0, 1000.0}, 0.0}, {{1.0, 95.0, 100.0}, 0.5}, {{1.0, 1000.0, 0.0}, 1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ip_share);
    const ColdReheat mix = MixColdReheat(s, c.flows);
    const double expected_h = c.ip_share * s.h_ip_steam + (1.0 - c.ip_share) * h_hp_exhaust;
    EXPECT_NEAR(mix.h, expected_h, 1e-12 * expected_h);
    EXPECT_NEAR(HofTP(mix.t, 620.0, 97), mix.h, 0.01);
    EXPECT_GE(mix.t, std::fmin(600.0, t_hp_exhaust) - 0.01);
    EXPECT_LE(mix.t, std::fmax(600.0, t_hp_exhaust) + 0.01);
  }
  EXPECT_GT(t_hp_exhaust, Tsat(620.0, 97));  // the exhaust is still superheated
}

TEST(Hrsg3rModel, SteamStatesRiseAlongEachLevel) {
  const SteamStates s = ComputeSteamStates();
  const double lp[] = {s.h_condensate, s.h_lp_eco, s.hf_lp, s.hg_lp, s.h_lp_steam};
  const double ip[] = {s.h_ip_pump, s.h_ip_eco, s.hg_ip, s.h_ip_steam};
  const double hp[] = {s.h_hp_pump, s.h_hp_eco1, s.h_hp_eco2, s.h_hp_eco3, s.hg_hp, s.h_hp_sh1, s.h_hp_steam};
  for (std::size_t k = 1; k < std::size(lp); ++k) EXPECT_LT(lp[k - 1], lp[k]);
  for (std::size_t k = 1; k < std::size(ip); ++k) EXPECT_LT(ip[k - 1], ip[k]);
  for (std::size_t k = 1; k < std::size(hp); ++k) EXPECT_LT(hp[k - 1], hp[k]);
  EXPECT_LT(s.h_rh1, s.h_hot_reheat);
  // 105, 630 and 2450 psia drums.
  EXPECT_LT(s.t_sat_lp, s.t_sat_ip);
  EXPECT_LT(s.t_sat_ip, s.t_sat_hp);
  EXPECT_LT(s.t_sat_hp, 705.1028);  // below the critical point
}

}  // namespace
}  // namespace brimwater::hrsg3r
