// One point of a fundamental equation: the function and its first and second derivatives, in the library's
// internal units, as a formulation's kernel evaluates them together. The state interface turns either form
// into every thermodynamic property with relations written once for each form.
#ifndef BRIMWATER_NUMERICS_FUNDAMENTAL_H
#define BRIMWATER_NUMERICS_FUNDAMENTAL_H

namespace brimwater::numerics {

// The specific Helmholtz energy a(T, rho) and its partial derivatives at (T, rho). T in K, rho in g/cm3 and a
// in kJ/kg, so that rho^2 a_rho is a pressure in MPa and a_T an entropy in kJ/(kg K).
struct HelmholtzPoint {
  double T;
  double rho;
  double a;
  double a_T;
  double a_rho;
  double a_TT;
  double a_Trho;
  double a_rhorho;
};

// The specific Gibbs energy g(T, P) and its partial derivatives at (T, P). T in K, P in MPa and g in kJ/kg,
// so that g_P is a specific volume in cm3/g and g_T an entropy in kJ/(kg K).
struct GibbsPoint {
  double T;
  double P;
  double g;
  double g_T;
  double g_P;
  double g_TT;
  double g_TP;
  double g_PP;
};

}  // namespace brimwater::numerics

#endif  // BRIMWATER_NUMERICS_FUNDAMENTAL_H
