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
  const double v = 1.0 / rho;
  const double rho2 = rho * rho;
  const double P = rho2 * f.a_rho;
  const double s = -f.a_T;
  const double u = f.a + f.T * s;
  const double cv = -f.T * f.a_TT;
  const double dp_drho = 2.0 * rho * f.a_rho + rho2 * f.a_rhorho;
  const double dp_dT = rho2 * f.a_Trho;
  const double drho_dP = 1.0 / dp_drho;
  // T (dp/dT)^2 / rho^2, which cp and w^2 share.
  const double a = f.T * dp_dT * dp_dT * (v * v);
  const double cp = cv + a * drho_dP;
  const double w2 = dp_drho + a / cv;
  return {f.T,       P,
          v,         rho,
          u + P * v, s,
          u,         cp,
          cv,        std::sqrt(kSoundFactor * w2),
          drho_dP,   dp_dT * (v * v) * drho_dP};
}

}  // namespace brimwater::state
