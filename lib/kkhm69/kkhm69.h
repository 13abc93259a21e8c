// Keenan, Keyes, Hill and Moore 1969 kernel (formulation code 69): the fundamental equation for the specific
// Helmholtz function of the 1969 Steam Tables, psi(rho, T) = psi0(T) + R T (ln rho + rho Q(rho, tau)), with
// tau = 1000 / T, and the vapour-pressure equation that accompanies it. Densities come from the shared
// safeguarded secant, started from this formulation's own fits.
//
// Units: T in K, P in MPa, rho in g/cm3 (so rho R T is in MPa), h and psi in kJ/kg, s in kJ/(kg K).
#ifndef BRIMWATER_KKHM69_KKHM69_H
#define BRIMWATER_KKHM69_KKHM69_H

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

// Start densities (g/cm3) of the searches: the liquid fit at T, and the vapour fit at T and its
// saturation pressure Psat.
double LiquidStartDensity(double T);
double VapourStartDensity(double T, double Psat);

// Roots of PressureOfTD on the liquid and vapour branch of the isotherm at SatPressure(T).
double SatLiquidDensity(double T);
double SatVapourDensity(double T);

double DensityOfTP(double T, double P, StateSelector selector);  // g/cm3

}  // namespace brimwater::kkhm69

#endif  // BRIMWATER_KKHM69_KKHM69_H
