// Properties of a Gibbs-energy formulation at (T, P), and the lever rule for a two-phase mixture. (MPa cm3/g
// is 1000 m2/s2, so w in m/s is the square root of 1000 times v^2 / -(dv/dP)_s.)
#include <cmath>
#include <limits>

#include "state/properties.h"

namespace brimwater::state {

namespace {
constexpr double kSoundFactor = 1000.0;  // (m/s)^2 per MPa cm3/g
}

Properties FromGibbs(const numerics::GibbsPoint& g) {
  const double v = g.g_P;
  const double s = -g.g_T;
  const double h = g.g + g.T * s;
  const double cp = -g.T * g.g_TT;
  const double cv = cp + g.T * g.g_TP * g.g_TP / g.g_PP;
  const double dv_dP_s = g.g_PP + g.T * g.g_TP * g.g_TP / cp;
  return {g.T,
          g.P,
          v,
          1.0 / v,
          h,
          s,
          h - g.P * v,
          cp,
          cv,
          std::sqrt(-kSoundFactor * v * v / dv_dP_s),
          -g.g_PP / (v * v)};
}

Properties Mixture(const Properties& liquid, const Properties& vapour, double x) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double v = liquid.v + x * (vapour.v - liquid.v);
  return {liquid.T,
          liquid.P,
          v,
          1.0 / v,
          liquid.h + x * (vapour.h - liquid.h),
          liquid.s + x * (vapour.s - liquid.s),
          liquid.u + x * (vapour.u - liquid.u),
          nan,
          nan,
          nan,
          nan};
}

}  // namespace brimwater::state
