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

}  // namespace brimwater::cycle

#endif  // BRIMWATER_EXAMPLES_COMMON_HRSG_H
