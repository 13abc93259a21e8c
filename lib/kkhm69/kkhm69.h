// Keenan, Keyes, Hill and Moore 1969 kernel (formulation code 69): the fundamental equation for the specific
// Helmholtz function of the 1969 Steam Tables, psi(rho, T) = psi0(T) + R T (ln rho + rho Q(rho, tau)), with
// tau = 1000 / T, and the vapour-pressure equation that accompanies it. The fifteen functions' densities come
// from the shared safeguarded secant, started from this formulation's own fits; the state interface's from
// Newton steps on one branch of the isotherm, to the last bits of the pressure.
//
// Units: T in K, P in MPa, rho in g/cm3 (so rho R T is in MPa), h and psi in kJ/kg, s in kJ/(kg K).
#ifndef BRIMWATER_KKHM69_KKHM69_H
#define BRIMWATER_KKHM69_KKHM69_H

#include "numerics/branch_root.h"
#include "numerics/fundamental.h"
#include "numerics/kernel_contract.h"

namespace brimwater::kkhm69 {

inline constexpr double kGasConstant = 0.461504339;            // kJ/(kg K)
inline constexpr double kCriticalTemperature = 647.245;        // K, end of the saturation line
inline constexpr double kCriticalPressure = 22.0894;           // MPa
inline constexpr double kCriticalDensity = 0.316819637748426;  // g/cm3, saturated states at and above Tc
inline constexpr double kTauCritical = 1.5450100039397754;     // 1000 / 647.245
inline constexpr double kTriplePointTemperature = 273.16;      // K, lower end of the saturation line
inline constexpr double kTriplePointPressure = 0.000612049;    // MPa

// The residual function Q(rho, tau) of the 1969 equation and its partial derivatives.
double Q(double tau, double rho);
double Q_rho(double tau, double rho);
double Q_tau(double tau, double rho);

// The ideal-gas part psi0(T) (kJ/kg) and its derivative with respect to tau = 1000 / T.
double psi0(double T);
double psi0_tau(double T);

double PressureOfTD(double T, double rho);  // MPa
double EnthalpyOfTD(double T, double rho);  // kJ/kg
double EntropyOfTD(double T, double rho);   // kJ/(kg K)

// The 1969 vapour-pressure equation and its inverse by 32 bisection steps; both clamp at 273.16 K /
// 0.000612049 MPa and at 647.245 K / 22.0894 MPa.
double SatPressure(double T);
double SatTemperature(double P);

// The vapour-pressure equation as it stands (unclamped; the state interface extrapolates it below the triple
// point), and its inverse solved by Newton steps until the residual is at the last few bits, from
// kLowestVapourPressureTemperature to the critical point (NaN for a pressure below that range or above pc).
inline constexpr double kLowestVapourPressureTemperature = 200.0;  // K
double VapourPressure(double T);
double VapourPressureTemperature(double P);

// Start densities (g/cm3) of the searches: the liquid fit at T, and the vapour fit at T and its
// saturation pressure Psat.
double LiquidStartDensity(double T);
double VapourStartDensity(double T, double Psat);

// Roots of PressureOfTD on the liquid and vapour branch of the isotherm at SatPressure(T).
double SatLiquidDensity(double T);
double SatVapourDensity(double T);

double DensityOfTP(double T, double P, StateSelector selector);  // g/cm3

// The state interface's face: every derivative from one evaluation, densities to the last bits.

// psi(T, rho) with its first and second partial derivatives in T and rho (kJ/kg, K, g/cm3), from one
// evaluation of the powers and the exponential.
numerics::HelmholtzPoint Point(double T, double rho);

// One isotherm of the equation: the temperature factors of Q's seven columns, formed once, and the
// pressure (MPa) with its slope (dp/drho)_T at a density on it.
struct Isotherm {
  double T;
  double factor[7];  // T_j(tau), j = 1..7
};
Isotherm MakeIsotherm(double T);
numerics::ValueSlope PressureOnIsotherm(const Isotherm& isotherm, double rho);

// The density (g/cm3) at which the equation gives P on the liquid or the vapour branch of the isotherm at T,
// to the last bits of the pressure; NaN where no root is found. Where the vapour branch ends below P (just
// below the vapour-pressure line near Tc) the vapour search may end at the liquid branch's root instead, the
// equation's only state at (T, P).
enum class Branch { Liquid, Vapour };
double Density(double T, double P, Branch branch);

// The density of the single-phase state at (T, P): on the liquid branch above the vapour pressure, on the
// vapour branch at or below it (or, where that branch ends below P, just under the vapour-pressure line from
// 646.9036 K on, on the liquid branch, the equation's only state there), on the one branch at and above Tc.
double SinglePhaseDensity(double T, double P);

// The saturated states at T as the 1969 tables define them: the pressure from the vapour-pressure equation
// and the liquid and vapour densities of the fundamental equation at that pressure. At and above Tc both are
// the critical state, the equation's state at Tc and pc. Near Tc, where the equation has no saturated vapour,
// the vapour density is bridged to the critical state (see density.cpp).
struct Saturation {
  double P;           // MPa
  double rho_liquid;  // g/cm3
  double rho_vapour;  // g/cm3
};
Saturation SaturationAt(double T);

}  // namespace brimwater::kkhm69

#endif  // BRIMWATER_KKHM69_KKHM69_H
