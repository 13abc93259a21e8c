// Properties of a Helmholtz-energy formulation at (T, rho). (MPa per g/cm3 is 1000 m2/s2, so w in m/s is the
// square root of 1000 times the derivative in MPa cm3/g.)
#include <cmath>

#include "state/properties.h"

namespace brimwater::state {

namespace {
constexpr double kSoundFactor = 1000.0;  // (m/s)^2 per MPa cm3/g
}

Properties FromHelmholtz(const numerics::HelmholtzPoint& f) {
  const double rho = f.rho;
  const double rho2 = rho * rho;
  const double P = rho2 * f.a_rho;
  const double s = -f.a_T;
  const double u = f.a + f.T * s;
  const double cv = -f.T * f.a_TT;
  const double dp_drho = 2.0 * rho * f.a_rho + rho2 * f.a_rhorho;
  const double dp_dT = rho2 * f.a_Trho;
  const double cp = cv + f.T * dp_dT * dp_dT / (rho2 * dp_drho);
  const double w2 = dp_drho + f.T * dp_dT * dp_dT / (rho2 * cv);
  return {f.T, P, 1.0 / rho, rho, u + P / rho, s, u, cp, cv, std::sqrt(kSoundFactor * w2), 1.0 / dp_drho};
}

}  // namespace brimwater::state
