// Heat-recovery steam generator (HRSG) section model and the iteration that adjusts the steam flows of each
// pressure level until its required heat-transfer capacity (UA) matches the installed one.
//
// An HRSG is an ordered list of sections along the gas path, from the gas inlet to the stack. Each section
// heats one water/steam stream of one pressure level; its duty is given, the gas enthalpy falls by
// duty / gas flow across it, and its required UA is duty / Lmtd(hot-end difference, cold-end difference).
#ifndef BRIMWATER_EXAMPLES_COMMON_HRSG_H
#define BRIMWATER_EXAMPLES_COMMON_HRSG_H

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <optional>

#include "common/cycle.h"

namespace brimwater::cycle {

inline constexpr int kUaMatchingIterations = 128;
inline constexpr char kNotConvergedMessage[] = "iterations failed to converge!\n";

struct HrsgSection {
  double duty;              // heat taken up by the water/steam, BTU/hr
  double waterAtGasInlet;   // water/steam temperature forming the hot-end difference
  double waterAtGasOutlet;  // water/steam temperature forming the cold-end difference
  std::size_t level;        // pressure level whose UA the section adds to
};

// A change of the gas between two sections, applied to the gas leaving section `afterSection` (gas order,
// from 0), so that this section's cold end and the next section's hot end both see the changed gas.
enum class GasChangeKind {
  DuctBurner,       // enthalpy rises by heat / gas flow, then the flow grows by the fuel
  TemperatureRise,  // temperature rises by a fixed amount; the enthalpy follows from the new composition
};

template <class Composition>
struct GasChange {
  GasChangeKind kind;
  std::size_t afterSection;
  double heat;              // BTU/hr fired (DuctBurner)
  double fuel;              // lbm/hr added to the gas flow (DuctBurner)
  double temperatureRise;   // degF (TemperatureRise)
  Composition composition;  // the gas from there on
};

namespace detail {

template <std::size_t L, std::size_t N, class Composition>
std::array<double, L> HrsgUa(const std::array<HrsgSection, N>& sections, Composition x, double gasTemperature,
                             double gasFlow, const GasChange<Composition>* change) {
  std::array<double, L> ua{};
  // A non-positive duty (a section that would cool its stream) leaves the state unusable: no march.
  for (const HrsgSection& s : sections) {
    if (!(s.duty > 0.0)) return ua;
  }

  std::array<double, N> lmtd{};
  double h = GasHofT(x, gasTemperature);
  double gasIn = gasTemperature;
  for (std::size_t k = 0; k < N; ++k) {
    h -= sections[k].duty / gasFlow;
    double gasOut = 0.0;
    if (change != nullptr && change->afterSection == k) {
      if (change->kind == GasChangeKind::DuctBurner) {
        h += change->heat / gasFlow;
        x = change->composition;
        gasOut = GasTofH(x, h);
        gasFlow += change->fuel;
      } else {
        gasOut = GasTofH(x, h) + change->temperatureRise;
        x = change->composition;
        h = GasHofT(x, gasOut);
      }
    } else {
      gasOut = GasTofH(x, h);
    }
    lmtd[k] = Lmtd(gasIn - sections[k].waterAtGasInlet, gasOut - sections[k].waterAtGasOutlet);
    gasIn = gasOut;
  }

  // A temperature cross anywhere (or a pinch of zero) invalidates every level.
  for (double d : lmtd) {
    if (!(d > 0.0)) return ua;
  }
  for (std::size_t k = 0; k < N; ++k) {
    if (sections[k].level < L) ua[sections[k].level] += sections[k].duty / lmtd[k];
  }
  return ua;
}

}  // namespace detail

// UA of each of L pressure levels, or all 0 when any duty or any log-mean difference is not positive.
// The gas enters at gasTemperature with composition x and flow gasFlow.
template <std::size_t L, std::size_t N, class Composition>
std::array<double, L> HrsgUa(const std::array<HrsgSection, N>& sections, Composition x, double gasTemperature,
                             double gasFlow) {
  return detail::HrsgUa<L>(sections, x, gasTemperature, gasFlow,
                           static_cast<const GasChange<Composition>*>(nullptr));
}

// The same with a duct burner or a fixed temperature rise between two sections.
template <std::size_t L, std::size_t N, class Composition>
std::array<double, L> HrsgUa(const std::array<HrsgSection, N>& sections, Composition x, double gasTemperature,
                             double gasFlow, const GasChange<Composition>& change) {
  return detail::HrsgUa<L>(sections, x, gasTemperature, gasFlow, &change);
}

// State of one UA-matching solve: the damping count n (each update may change a flow by a factor of at most
// 1 + 1/n) and the number of successful updates so far.
struct UaDamping {
  double count = 1.0;
  int updates = 0;
};

enum class UaStep {
  Failed,     // some UA was not positive: every flow was halved
  Converged,  // every UA is within the tolerance of its target (and the caller's own tests hold)
  Updated,    // the flows were moved toward their targets
};

// One step of the UA matching after an evaluation of the plant with the current flows. A failed evaluation
// halves every flow and, once an update has succeeded, tightens the damping (n += 2), so that an iteration
// which overshoots into an impossible state comes back more gently.
template <std::size_t L>
UaStep UaMatching(std::array<double, L>& flows, const std::array<double, L>& ua,
                  const std::array<double, L>& target, double tolerance, UaDamping& damping,
                  bool otherTestsHold = true) {
  for (double u : ua) {
    if (!(u > 0.0)) {
      for (double& f : flows) f *= 0.5;
      if (damping.updates > 0) damping.count += 2.0;
      return UaStep::Failed;
    }
  }
  bool converged = otherTestsHold;
  for (std::size_t k = 0; k < L; ++k) {
    if (!(std::fabs(ua[k] / target[k] - 1.0) < tolerance)) converged = false;
  }
  if (converged) return UaStep::Converged;

  ++damping.updates;
  const double r = 1.0 / damping.count + 1.0;
  for (std::size_t k = 0; k < L; ++k) {
    double f = flows[k] * (target[k] / ua[k] + 1.0) * 0.5;
    if (f > flows[k] * r) f = flows[k] * r;
    if (f < flows[k] / r) f = flows[k] / r;
    flows[k] = f;
  }
  return UaStep::Updated;
}

// How a solve prints its iterations: a header line, then for each iteration the iteration number ("%2i"),
// every flow and every UA, each as " %W.0lf" with its own width W, and a line end.
template <std::size_t L>
struct IterationTable {
  const char* header;  // with its line end
  std::array<int, L> flowWidths;
  std::array<int, L> uaWidths;
};

// Outcome of a solve on the steam flows of L pressure levels.
template <std::size_t L>
struct FlowSolve {
  bool converged;
  int iterations;  // iterations run, failed evaluations included
  // Flows and UA of the last evaluation (of the last one that gave a UA, in the undamped solve).
  std::array<double, L> flows;
  std::array<double, L> ua;
};

namespace detail {

template <std::size_t L>
void PrintColumns(std::FILE* out, const std::array<int, L>& widths, const std::array<double, L>& values) {
  for (std::size_t k = 0; k < L; ++k) std::fprintf(out, " %*.0lf", widths[k], values[k]);
}

}  // namespace detail

// The UA matching from `start`: prints the table's header, then every iteration (the flows before the plant
// is evaluated, its UA after), until every level is within `tolerance` of its target; after
// kUaMatchingIterations without convergence it prints kNotConvergedMessage. `evaluate(flows)` returns the
// UA of each level, all 0 when the plant cannot be evaluated at those flows.
template <std::size_t L, class Evaluate>
FlowSolve<L> SolveUaMatching(const std::array<double, L>& start, const std::array<double, L>& target,
                             double tolerance, Evaluate evaluate, const IterationTable<L>& table,
                             std::FILE* out) {
  std::array<double, L> flows = start;
  UaDamping damping;
  FlowSolve<L> outcome{false, 0, flows, {}};
  std::fputs(table.header, out);
  for (int i = 0; i < kUaMatchingIterations; ++i) {
    std::fprintf(out, "%2i", i);
    detail::PrintColumns(out, table.flowWidths, flows);
    const std::array<double, L> ua = evaluate(flows);
    detail::PrintColumns(out, table.uaWidths, ua);
    std::fputc('\n', out);
    outcome = FlowSolve<L>{false, i + 1, flows, ua};
    if (UaMatching(flows, ua, target, tolerance, damping) == UaStep::Converged) {
      outcome.converged = true;
      return outcome;
    }
  }
  std::fputs(kNotConvergedMessage, out);
  return outcome;
}

// The simpler, undamped iteration of the small HRSG models: an evaluation that gives no UA halves every flow
// and prints nothing (so the printed iteration numbers can have gaps); otherwise the iteration is printed
// and, unless every level is within `tolerance` of its target, each flow moves halfway toward the flow that
// would give its target UA, without limits. After `maxIterations` it ends without a message.
// `evaluate(flows)` returns the UA of each level, or nothing when the plant cannot be evaluated.
template <std::size_t L, class Evaluate>
FlowSolve<L> SolveUndamped(const std::array<double, L>& start, const std::array<double, L>& target,
                           double tolerance, int maxIterations, Evaluate evaluate,
                           const IterationTable<L>& table, std::FILE* out) {
  std::array<double, L> flows = start;
  FlowSolve<L> outcome{false, 0, flows, {}};
  std::fputs(table.header, out);
  for (int i = 0; i < maxIterations; ++i) {
    outcome.iterations = i + 1;
    const std::optional<std::array<double, L>> ua = evaluate(flows);
    if (!ua) {
      for (double& f : flows) f *= 0.5;
      continue;
    }
    std::fprintf(out, "%2i", i);
    detail::PrintColumns(out, table.flowWidths, flows);
    detail::PrintColumns(out, table.uaWidths, *ua);
    std::fputc('\n', out);
    outcome.flows = flows;
    outcome.ua = *ua;
    bool converged = true;
    for (std::size_t k = 0; k < L; ++k) {
      if (!(std::fabs((*ua)[k] / target[k] - 1.0) < tolerance)) converged = false;
    }
    if (converged) {
      outcome.converged = true;
      return outcome;
    }
    for (std::size_t k = 0; k < L; ++k) flows[k] = flows[k] * (target[k] / (*ua)[k] + 1.0) * 0.5;
  }
  return outcome;
}

}  // namespace brimwater::cycle

#endif  // BRIMWATER_EXAMPLES_COMMON_HRSG_H
