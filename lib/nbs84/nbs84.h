// NBS/NRC 1984 kernel (formulation code 84): the equation of state of Haar, Gallagher and Kell (1984) for the
// Helmholtz free energy A(T, rho), an auxiliary vapour-pressure curve of its own, and the densities found by
// the shared secant on the equation's pressure.
//
// Units: T in K, P in MPa, rho in g/cm3, A and h in kJ/kg, s in kJ/(kg K).
#ifndef BRIMWATER_NBS84_NBS84_H
#define BRIMWATER_NBS84_NBS84_H

#include "numerics/kernel_contract.h"

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

}  // namespace brimwater::nbs84

#endif  // BRIMWATER_NBS84_NBS84_H
