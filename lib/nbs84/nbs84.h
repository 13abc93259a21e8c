// NBS/NRC 1984 kernel (formulation code 84): the equation of state of Haar, Gallagher and Kell (1984) for the
// Helmholtz free energy A(T, rho), an auxiliary vapour-pressure curve of its own, and the densities found by
// the shared secant on the equation's pressure.
//
// Units: T in K, P in MPa, rho in g/cm3, A and h in kJ/kg, s in kJ/(kg K).
#ifndef BRIMWATER_NBS84_NBS84_H
#define BRIMWATER_NBS84_NBS84_H

#include "numerics/branch_root.h"
#include "numerics/fundamental.h"
#include "numerics/kernel_contract.h"
#include "numerics/phase_equilibrium.h"

namespace brimwater::nbs84 {

inline constexpr double kCriticalTemperature = 647.126;     // K, top of the saturation line
inline constexpr double kCriticalPressure = 22.055;         // MPa
inline constexpr double kCriticalDensity = 0.322;           // g/cm3
inline constexpr double kGasConstant = 0.46152;             // kJ/(kg K)
inline constexpr double kTriplePointTemperature = 273.16;   // K, lower end of the saturation line
inline constexpr double kTriplePointPressure = 6.10716e-4;  // MPa

// The equation of state: A = A_base + A_residual + A_ideal + R (u_ref + s_ref T), and from it
// p = rho^2 dA/drho, s = -dA/dT and h = A + T s + p/rho.
double HelmholtzOfTD(double T, double rho);  // kJ/kg
double PressureOfTD(double T, double rho);   // MPa

// What the pressure along one isotherm reuses from one density to the next: the base function's b and
// B / b - gamma, the first-group terms' g tau0^l and the second-group terms' beta_i tau_i^2. Built once per
// search; PressureOnIsotherm(MakeIsotherm(T), rho) is PressureOfTD(T, rho) to the last bit.
struct Isotherm {
  double T;             // K
  double b;             // cm3/g
  double virial_ratio;  // B / b - gamma
  double g_tau[36];     // terms 1 to 36
  double gauss_tau[4];  // terms 37 to 40
};
Isotherm MakeIsotherm(double T);
double PressureOnIsotherm(const Isotherm& isotherm, double rho);  // MPa
double EntropyOfTD(double T, double rho);                         // kJ/(kg K)
double EnthalpyOfTD(double T, double rho);                        // kJ/kg

// The auxiliary vapour-pressure curve (reference temperature 647.25 K), clamped at 273.16 K and 647.126 K,
// and its inverse by 32 bisection steps.
double SatPressure(double T);
double SatTemperature(double P);

// Densities on the isotherm of the equation of state: the saturated liquid and vapour at SatPressure(T), and
// the state (T, P, selector) of the kernel contract.
double SatLiquidDensity(double T);
double SatVapourDensity(double T);
double DensityOfTP(double T, double P, StateSelector selector);

// ---- The equation's own face, for the state interface ----------------------------------------------------
//
// The equation as Haar, Gallagher and Kell define the fluid by it: the saturated states from its own phase
// equilibrium (equal pressure and Gibbs energy of liquid and vapour), of which the vapour-pressure curve
// above is an auxiliary fit, and densities solved until the pressure residual is at its last bits.

// The equation's own critical point, where the last loop of its isotherms closes ((dp/drho)_T and
// (d2p/drho2)_T both zero): computed from the equation with the coefficients above (regression values,
// T and P to 10 digits, rho to 7), not the auxiliary curve's end at 647.126 K and 22.055 MPa.
inline constexpr double kEquationCriticalTemperature = 647.15814124;  // K
inline constexpr double kEquationCriticalDensity = 0.2977760;         // g/cm3
inline constexpr double kEquationCriticalPressure = 22.061338738;     // MPa

// Everything of A(T, rho) that depends on T alone, formed once per isotherm: the base function's b and
// C = B - gamma b with their temperature derivatives, the first residual group's sums of g tau0^l (and of
// l g tau0^l, l (l+1) g tau0^l) over the terms of each power k of x = 1 - e^-rho, in extended precision
// (in double precision these sums cancel to noise of 1e-8 kJ/kg and 3e-9 MPa in the dense liquid), the
// second group's tau_i, and the ideal-gas and reference terms with their derivatives.
struct IsothermTerms {
  double T;               // K
  double b, b_T, b_TT;    // cm3/g, per K, per K^2
  double C, C_T, C_TT;    // cm3/g, per K, per K^2
  double log_RT_p0;       // ln(R T / p0)
  long double column[9];  // [k - 1]
  long double column_l[9];
  long double column_ll1[9];
  double gauss_tau[4];              // T / T_i - 1
  double ideal, ideal_T, ideal_TT;  // kJ/kg, kJ/(kg K), kJ/(kg K^2)
};
IsothermTerms MakeIsothermTerms(double T);

// A(T, rho) with its first and second derivatives from one evaluation (powers and exponentials built once).
numerics::HelmholtzPoint PointOnIsotherm(const IsothermTerms& isotherm, double rho);
numerics::HelmholtzPoint PointOfTD(double T, double rho);

// The pressure and its slope (dp/drho)_T on an isotherm, to the last bits of the terms.
numerics::ValueSlope PressureAndSlopeOnIsotherm(const IsothermTerms& isotherm, double rho);

// The density (g/cm3) of pressure P on the liquid or the vapour branch of the isotherm T, to the last bits of
// the pressure; NaN where the branch does not reach P. Above the critical temperature the isotherm has one
// branch and both give its root. Never a root of the loops between the spinodals.
enum class IsothermBranch { Liquid, Vapour };
double DensityOnBranch(const IsothermTerms& isotherm, double P, IsothermBranch branch);
double DensityOnBranch(double T, double P, IsothermBranch branch);

// The stable density at (T, P): below the critical temperature on the liquid branch at and above the
// equilibrium saturation pressure, on the vapour branch below it (decided by the lower Gibbs energy where P
// is close to it); above, the isotherm's one root (its branch then says which side of the critical
// density it lies on). NaN where there is none.
struct StableDensity {
  double rho;  // g/cm3
  IsothermBranch branch;
};
StableDensity StableDensityOnIsotherm(const IsothermTerms& isotherm, double P);

// The saturation pressure of the phase equilibrium by a fit (within 4e-4 in ln P from 250 K to the
// critical point): where it places P clearly, the phase needs no equilibrium solution.
double SaturationPressureEstimate(double T);  // MPa

// The saturated states at T from the phase equilibrium: the common pressure (the vapour's, whose pressure
// carries no cancellation) and both densities, converged to the last bits of the two Gibbs energies. Within
// 0.1 mK of the critical temperature, where the two phases are no longer told apart in double precision, the
// densities follow the classical square-root law to the critical point, and the pressure a straight line.
// NaN at and above the critical temperature (the critical point itself is kEquationCritical*) and where no
// equilibrium is found.
numerics::Coexistence CoexistenceOfT(double T);

// The temperature (K) of the phase equilibrium at pressure P (Newton steps on T with the Clausius-Clapeyron
// slope); the critical temperature at the critical pressure, NaN above it and for P not above zero.
double CoexistenceTemperature(double P);

}  // namespace brimwater::nbs84

#endif  // BRIMWATER_NBS84_NBS84_H
