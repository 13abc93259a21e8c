// IAPWS-95 kernel (formulation code 95): the scientific formulation's Helmholtz free energy (IAPWS R6-95,
// Eqs. 4 to 6, Tables 1 and 2), pressure, enthalpy and entropy of (T, rho), and the densities of (T, P) found
// with the shared density secant. The saturation line is that of IAPWS-IF97 (region 4), used unchanged.
// Below these historical operations, the release's own face for the state interface.
//
// Units: T in K, rho in g/cm3, P in MPa, h in kJ/kg, s in kJ/(kg K).
#ifndef BRIMWATER_IAPWS95_IAPWS95_H
#define BRIMWATER_IAPWS95_IAPWS95_H

#include "if97/if97.h"
#include "numerics/branch_root.h"
#include "numerics/density_secant.h"
#include "numerics/fundamental.h"
#include "numerics/kernel_contract.h"
#include "numerics/phase_equilibrium.h"

namespace brimwater::iapws95 {

inline constexpr double kCriticalTemperature = 647.096;  // K
inline constexpr double kCriticalDensity = 0.322;        // g/cm3
inline constexpr double kCriticalPressure = 22.064;      // MPa, of the IF97 saturation line
inline constexpr double kGasConstant = 0.46151805;       // kJ/(kg K); with rho in g/cm3, rho R T is in MPa

// x^e with the guards that keep the Helmholtz sums finite at the critical point: an exponent below
// 1.1754943508222875e-38 in magnitude gives 1; a base below the smallest normal double counts as zero and
// gives 0 for e > 0 and -/+3.4028234663852886e38 (by the sign of x) for e <= 0.
double GuardedPower(double x, double e);

// The dimensionless Helmholtz free energy and its first derivatives, delta = rho / 0.322, tau = 647.096 / T.
double IdealHelmholtz(double delta, double tau);          // phi0, Eq. 5
double IdealHelmholtzTau(double tau);                     // phi0_tau
double ResidualHelmholtz(double delta, double tau);       // phir, Eq. 6
double ResidualHelmholtzDelta(double delta, double tau);  // phir_delta
double ResidualHelmholtzTau(double delta, double tau);    // phir_tau

double PressureOfTD(double T, double rho);  // MPa

// What a density search at fixed temperature reuses from one pressure evaluation to the next: tau and its
// powers tau^0..tau^50 and tau^(j/8), j = 0..7, and the seven polynomial terms' tau^t. Built once per search;
// PressureOnIsotherm(MakeIsotherm(T), rho) is PressureOfTD(T, rho) to the last bit.
struct TauPowers {
  double tau[51];
  double tau_eighth[8];
  bool tau_zero;  // tau below the smallest normal double counts as zero, as in GuardedPower
};
struct Isotherm {
  double T;
  double tau;
  TauPowers powers;
  double poly_tau[7];
};
Isotherm MakeIsotherm(double T);
double PressureOnIsotherm(const Isotherm& isotherm, double rho);  // MPa
double EnthalpyOfTD(double T, double rho);                        // kJ/kg
double EntropyOfTD(double T, double rho);                         // kJ/(kg K)

// The saturation line is IAPWS-IF97's.
using if97::SatPressure;
using if97::SatTemperature;

// Start densities of the searches: fits to the saturated liquid density and to the saturated vapour's and
// the supercritical fluid's compressibility factor.
double SatLiquidDensityFit(double T);
double SatVapourDensityFit(double T, double Psat);
double SupercriticalDensityFit(double T, double P);

// The densities on the liquid and the vapour branch of the isotherm at the saturation pressure; 0.322 at and
// above the critical temperature. `trace`, when given, receives what the search did.
double SatLiquidDensity(double T, numerics::SecantTrace* trace = nullptr);
double SatVapourDensity(double T, numerics::SecantTrace* trace = nullptr);

// The density of the state (T, P, selector); P is not used for the saturated selectors.
double DensityOfTP(double T, double P, StateSelector selector);

// ---- The release's own face, for the state interface -----------------------------------------------------
//
// IAPWS R6-95(2018) as it stands: the ideal-gas part with the current n0_1 and n0_2 of Table 1 (the
// historical functions above keep the 1995 values), the saturated states from the phase-equilibrium
// condition on the equation itself, and densities to the last bits of the pressure.

// Range of validity (IAPWS R6-95(2018), section 6.1; Wagner and Pruss 2002, section 7.1): the stable fluid
// from the melting-pressure curve to 1273 K at pressures up to 1000 MPa; the lowest temperature on the
// melting curve is 251.165 K (at 209.9 MPa). The melting curves themselves are not part of this kernel; a
// simple bound that stays on the fluid side of them stands in: 273.16 K (the triple point, above the melting
// temperatures of ices Ih, III and V up to 620 MPa), and above 620 MPa a line rising at 0.0875 K/MPa, above
// the melting curve of ice VI (273.31 K at 632.4 MPa, rising at 0.0874 K/MPa there and more slowly beyond:
// about 300 K at 1000 MPa). The compressed liquid below the bound is flagged as extrapolated.
inline constexpr double kTriplePointTemperature = 273.16;  // K
inline constexpr double kIceBoundPressure = 620.0;         // MPa, where the line begins
inline constexpr double kIceBoundSlope = 0.0875;           // K/MPa
inline constexpr double kHighestTemperature = 1273.0;      // K
inline constexpr double kHighestPressure = 1000.0;         // MPa
bool InRangeOfValidity(double T, double P);

// What every point on one isotherm shares: the tau-dependent factors of every term of Eqs. 5 and 6, built
// once per temperature.
struct IsothermTerms {
  double T;
  double tau;
  double ideal;            // phi0 - ln delta
  double ideal_tau;        // tau phi0_tau
  double ideal_tautau;     // tau^2 phi0_tautau
  double poly[7];          // n tau^t of terms 1 to 7
  double exponential[44];  // n tau^t of terms 8 to 51
  double gauss[3];         // n tau^t exp(-beta (tau - gamma)^2) of terms 52 to 54
  double gauss_t[3];       // t - 2 beta tau (tau - gamma)
  double psi_tau[2];       // exp(-D (tau - 1)^2) of terms 55 and 56
  bool non_analytic;       // whether terms 55 and 56 can matter on this isotherm
};
IsothermTerms MakeIsothermTerms(double T);

// The Helmholtz energy a = R T phi(delta, tau) with its first and second derivatives (IAPWS R6-95(2018),
// Eqs. 4 to 6, Tables 4 and 5), from one evaluation of every term.
numerics::HelmholtzPoint PointOnIsotherm(const IsothermTerms& isotherm, double rho);
numerics::HelmholtzPoint PointOfTD(double T, double rho);

// The pressure p = rho R T (1 + delta phir_delta) (MPa) and its slope (dp/drho)_T (MPa cm3/g) on the
// isotherm.
numerics::ValueSlope PressureAndSlope(const IsothermTerms& isotherm, double rho);

// The density (g/cm3) at which the equation gives the pressure P, to the last bits of the pressure, on the
// liquid or the vapour branch of the isotherm below the critical temperature, and on its one branch at and
// above it (where both give the same). NaN where the branch does not reach P.
enum class DensityBranch { Liquid, Vapour };
double DensityOnBranch(const IsothermTerms& isotherm, double P, DensityBranch branch);
double DensityOnBranch(double T, double P, DensityBranch branch);
// The equation at that density (NaN where there is none).
numerics::HelmholtzPoint PointOnBranch(double T, double P, DensityBranch branch);

// The saturated liquid and vapour at T from the phase-equilibrium condition (equal pressure and Gibbs
// energy), with the equation at both densities; `converged` false (and NaN) below 240 K. The equilibrium is
// solved to within kEquilibriumLimit of the critical temperature (its densities stay resolved in double
// precision to about 4e-8 of Tc); between there and Tc the densities join the critical point as the
// square root of Tc - T, the exponent the equation's coexistence curve takes there, and the pressure
// linearly in T. At and above the critical temperature both phases are the critical point.
inline constexpr double kEquilibriumLimit = 1e-4;  // K below the critical temperature
numerics::Coexistence SaturatedDensities(double T);
// The saturation pressure (MPa) at T from the same condition: SaturatedDensities(T).P.
double SaturationPressure(double T);
// The saturation temperature (K) at P from the same condition, by Newton steps on T and both densities
// together (numerics::SaturationOfPressure) from IAPWS-IF97's saturation temperature; the critical
// temperature at and above the equation's critical pressure, NaN where P is not positive or the
// temperature would lie below 240 K.
double SaturationTemperature(double P);

}  // namespace brimwater::iapws95

#endif  // BRIMWATER_IAPWS95_IAPWS95_H
