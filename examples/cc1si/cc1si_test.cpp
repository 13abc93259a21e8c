// cc1si as a process (its printed iteration and result lines) and as a model (the converged plant, the
// halving of the steam flow, the condensing temperature it prints).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cc1si_model.h"
#include "common/cycle.h"
#include "common/tests/printed_lines.h"
#include "common/tests/run_program.h"

namespace brimwater::cc1si {
namespace {

using testing::Lines;
using testing::Numbers;
using testing::PrintedAs;

constexpr char kHeader[] = "it Fstm Tcond UAtot";
constexpr char kLineFormat[] = "%2i %4.2lf %5.1lf %5.1lf";
// The converged case: steam flow (kg/s) and condensing temperature (K); a UA within 0.0001 of its target
// leaves the flow within a few times that fraction.
constexpr double kConvergedFlow = 6.779;
constexpr double kFlowTolerance = 5e-4;
constexpr double kConvergedCondensingT = 302.945;

cycle::GtPoint CaseGasTurbine() {
  return cycle::GtPerformance(kAmbient.pressure, kAmbient.temperature, kAmbient.humidity, cycle::kGtSI);
}

std::string CaseText(double start_flow_divisor, Outcome* outcome) {
  return testing::PrintedText([&](std::FILE* out) { *outcome = RunCase(kAmbient, start_flow_divisor, out); });
}

TEST(Cc1siProgram, PrintsIterationsThenNetOutputAndHeatRate) {
  const testing::ProgramRun run = testing::RunProgram(PROGRAM_PATH);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], kHeader);
  for (std::size_t k = 1; k + 1 < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    ASSERT_TRUE(PrintedAs(lines[k], kLineFormat));
    EXPECT_EQ(Numbers(lines[k])[0], static_cast<double>(k - 1));  // no halving from the fixed start
  }
  const std::vector<double> last = Numbers(lines[lines.size() - 2]);
  EXPECT_NEAR(last[1], kConvergedFlow, 0.005 + kFlowTolerance * kConvergedFlow);
  EXPECT_NEAR(last[2], kConvergedCondensingT, 0.05 + 0.01);
  EXPECT_NEAR(last[3], kTargetUa, 0.05 + kTolerance * kTargetUa);

  double net = 0.0;
  double heat_rate = 0.0;
  ASSERT_EQ(std::sscanf(lines.back().c_str(), "kWnet=%lf, kJ/kWh=%lf", &net, &heat_rate), 2) << lines.back();
  char expected[96];
  std::snprintf(expected, sizeof expected, "kWnet=%.0lf, kJ/kWh=%.0lf", net, heat_rate);
  EXPECT_EQ(lines.back(), expected);
  // The heat rate counts the gas-turbine fuel only.
  const cycle::GtPoint gt = CaseGasTurbine();
  EXPECT_NEAR(heat_rate, gt.output * gt.heatRate / net, 0.5 + 0.5 * gt.output * gt.heatRate / (net * net));
  EXPECT_GT(net, gt.output);
}

// A first steam flow too large for the HRSG (its pressure beyond the critical point, or its heat beyond what
// the gas can give) fails; each failed evaluation halves the flow and prints no line, so the printed
// iteration numbers begin later, and the case still reaches the same plant.
TEST(Cc1siModel, HalvedFlowsLeaveGapsInTheIterationNumbers) {
  struct Case {
    double start_flow_divisor;
    int first_printed;
  };
  const Case cases[] = {{kStartFlowDivisor, 0}, {20.0, 1}, {10.0, 2}, {5.0, 3}, {1.0, 5}, {1000.0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start_flow_divisor);
    Outcome outcome{};
    const std::vector<std::string> lines = Lines(CaseText(c.start_flow_divisor, &outcome));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(Numbers(lines[1]).at(0), c.first_printed);
    EXPECT_TRUE(outcome.converged);
    EXPECT_NEAR(outcome.steam_flow, kConvergedFlow, kFlowTolerance * kConvergedFlow);
    EXPECT_EQ(lines.back().rfind("kWnet=", 0), 0u);
  }
}

TEST(Cc1siModel, ConvergedPlantBalances) {
  Outcome outcome{};
  CaseText(kStartFlowDivisor, &outcome);
  ASSERT_TRUE(outcome.converged);
  EXPECT_NEAR(outcome.ua / kTargetUa, 1.0, kTolerance);
  EXPECT_NEAR(outcome.steam_flow, kConvergedFlow, kFlowTolerance * kConvergedFlow);

  const cycle::GtPoint gt = CaseGasTurbine();
  const Evaluation e = Evaluate(gt, kAmbient.cooling_water_t, outcome.steam_flow, outcome.condensing_t);
  ASSERT_TRUE(e.valid);
  EXPECT_NEAR(e.new_condensing_t, outcome.condensing_t, kCondenserTolerance);
  for (double q : {e.q_sh, e.q_ev, e.q_ec}) EXPECT_GT(q, 0.0);
  for (double d : {e.lmtd_sh, e.lmtd_ev, e.lmtd_ec}) EXPECT_GT(d, 0.0);
  // The gas cools through each section and leaves below its inlet and above the boiling water.
  EXPECT_LT(e.t_gas1, gt.exhaustTemperature);
  EXPECT_LT(e.t_gas2, e.t_gas1);
  EXPECT_LT(e.t_stack, e.t_gas2);
  EXPECT_GT(e.t_gas2, e.drum_t - 5.0);
  const double gas_heat = gt.exhaustFlow * kGasCp * (gt.exhaustTemperature - e.t_stack);
  EXPECT_NEAR(gas_heat, e.q_sh + e.q_ev + e.q_ec, 1e-9 * gas_heat);
  // Turbine and pump: the expansion gives work, the pump takes it, the net adds 90% of the turbine.
  EXPECT_GT(e.turbine_power, 0.0);
  EXPECT_GT(e.h_pump, e.h_condensate);
  const double pump_power = (e.h_pump - e.h_condensate) * outcome.steam_flow;
  EXPECT_NEAR(e.net_power, 0.9 * e.turbine_power + gt.output - pump_power, 1e-9 * e.net_power);
  // The condenser rejects the exhaust heat into the cooling water at 1000 kW/K.
  const double rejected = (e.h_exhaust - e.h_condensate) * outcome.steam_flow;
  EXPECT_NEAR(e.new_condensing_t - kAmbient.cooling_water_t, rejected / 1000.0, 1e-9 * rejected);
  EXPECT_GT(e.new_condensing_t, kAmbient.cooling_water_t);
}

// The condensing temperature on an iteration line is the new estimate from that evaluation's condenser
// duty, not the temperature the evaluation started from.
TEST(Cc1siModel, PrintsTheNewCondensingTemperature) {
  Outcome outcome{};
  const std::vector<std::string> lines = Lines(CaseText(kStartFlowDivisor, &outcome));
  ASSERT_GE(lines.size(), 2u);
  const cycle::GtPoint gt = CaseGasTurbine();
  const double start_t = kAmbient.cooling_water_t + 10.0;
  const Evaluation first =
      Evaluate(gt, kAmbient.cooling_water_t, gt.exhaustFlow / kStartFlowDivisor, start_t);
  char expected[64];
  std::snprintf(expected, sizeof expected, kLineFormat, 0, gt.exhaustFlow / kStartFlowDivisor,
                first.new_condensing_t, first.ua);
  EXPECT_EQ(lines[1], expected);
  EXPECT_GT(first.new_condensing_t - start_t, 1.0);  // far enough apart to tell them apart on the line
}

}  // namespace
}  // namespace brimwater::cc1si
