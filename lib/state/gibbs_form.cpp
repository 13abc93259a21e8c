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
  const double rho = 1.0 / v;
  const double s = -g.g_T;
  const double h = g.g + g.T * s;
  const double cp = -g.T * g.g_TT;
  // cp g_PP + T g_TP^2 = cv g_PP = cp (dv/dP)_s: one quotient each for cv and w.
  const double n = cp * g.g_PP + g.T * g.g_TP * g.g_TP;
  return {g.T,
          g.P,
          v,
          rho,
          h,
          s,
          h - g.P * v,
          cp,
          n / g.g_PP,
          std::sqrt(-kSoundFactor * v * v * cp / n),
          -g.g_PP * (rho * rho),
          g.g_TP};
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
          nan,
          nan};
}

}  // namespace brimwater::state
