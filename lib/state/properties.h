// The thermodynamic properties of one phase at one point, in internal units, and the relations that form them
// from a fundamental equation: once for a Helmholtz-energy form a(T, rho), once for a Gibbs-energy form
// g(T, P). Every formulation's kernel supplies its function and derivatives from one evaluation; these
// relations are the only place the properties are derived.
#ifndef BRIMWATER_STATE_PROPERTIES_H
#define BRIMWATER_STATE_PROPERTIES_H

#include <limits>

#include "numerics/fundamental.h"

namespace brimwater::state {

// T in K, P in MPa, v in cm3/g, rho in g/cm3, h and u in kJ/kg, s, cp and cv in kJ/(kg K), w in m/s.
// drho_dP is the isothermal derivative (d rho / d P)_T in (g/cm3)/MPa, which the transport properties need;
// dv_dT the isobaric derivative (d v / d T)_P in cm3/(g K), which the (h, s) solver needs.
struct Properties {
  double T;
  double P;
  double v;
  double rho;
  double h;
  double s;
  double u;
  double cp;
  double cv;
  double w;
  double drho_dP;
  double dv_dT = std::numeric_limits<double>::quiet_NaN();
};

// p = rho^2 a_rho, s = -a_T, u = a + T s, h = u + p / rho, cv = -T a_TT, and with (dp/drho)_T =
// 2 rho a_rho + rho^2 a_rhorho and (dp/dT)_rho = rho^2 a_Trho: cp = cv + T (dp/dT)^2 / (rho^2 (dp/drho)),
// w^2 = (dp/drho)_T + T (dp/dT)^2 / (rho^2 cv), (dv/dT)_P = (dp/dT)_rho / (rho^2 (dp/drho)_T).
Properties FromHelmholtz(const numerics::HelmholtzPoint& f);

// v = g_P, s = -g_T, h = g + T s, u = h - P v, cp = -T g_TT, cv = cp + T g_TP^2 / g_PP,
// w^2 = -v^2 / (g_PP + T g_TP^2 / cp), (dv/dT)_P = g_TP.
Properties FromGibbs(const numerics::GibbsPoint& g);

// A mixture of two saturated phases at quality x (0 < x < 1): v, h, s and u by the lever rule, rho = 1 / v,
// cp, cv, w, drho_dP and dv_dT NaN.
Properties Mixture(const Properties& liquid, const Properties& vapour, double x);

}  // namespace brimwater::state

#endif  // BRIMWATER_STATE_PROPERTIES_H
