// IFC-67 kernel (formulation code 67): the 1967 IFC Formulation for Industrial Use, sub-regions 1 to 4.
// The saturation line is the K-function, the boundary between sub-regions 2 and 3 the L-function; sub-regions
// 1 (compressed liquid) and 2 (steam) are Gibbs functions of (theta, beta), sub-regions 3 (near-critical) and
// 4 (the liquid strip from 623.15 K to the critical temperature) Helmholtz functions of (theta, chi).
//
// Units: T in K, P in MPa, v in cm3/g, h in kJ/kg, s in kJ/(kg K). Inside, everything is reduced:
// theta = T / Tc, beta = P / pc, chi = v / vc, eps = h / (pc vc), sigma = s Tc / (pc vc).
#ifndef BRIMWATER_IFC67_IFC67_H
#define BRIMWATER_IFC67_IFC67_H

#include "numerics/fundamental.h"
#include "numerics/kernel_contract.h"

namespace brimwater::ifc67 {

// Reference constants of the formulation.
inline constexpr double kCriticalTemperature = 647.3;          // K, Tc
inline constexpr double kCriticalPressure = 22.12;             // MPa, pc
inline constexpr double kCriticalVolume = 3.1700041527054403;  // cm3/g, vc = 1 / 0.315457 g/cm3
inline constexpr double kTheta23 = 0.9626911787;          // 623.15 K reduced: lower edge of sub-regions 3, 4
inline constexpr double kLowerLimitTemperature = 273.16;  // K
inline constexpr double kLowerLimitPressure = 0.000611244;  // MPa

// Reduced volume, enthalpy and entropy of a critical state; returned for saturated states at and above Tc.
inline constexpr double kCriticalChi = 1.0;
inline constexpr double kCriticalEps = 30.0536;
inline constexpr double kCriticalSigma = 41.0133;

// Saturation line; both clamp at the lower limit (273.16 K, 0.000611244 MPa) and at (Tc, pc). The saturation
// temperature is the 32nd midpoint of a bisection on SatPressure.
double SatPressure(double T);     // MPa
double SatTemperature(double P);  // K

// v, h, s of a state, written to v, h, s in that order.
void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s);
double VolumeOfTP(double T, double P, StateSelector selector);    // cm3/g
double EnthalpyOfTP(double T, double P, StateSelector selector);  // kJ/kg
double EntropyOfTP(double T, double P, StateSelector selector);   // kJ/(kg K)

// K-function: reduced saturation pressure beta_K(theta).
double KFunction(double theta);
// L-function: reduced pressure beta_L(theta) of the boundary between sub-regions 2 and 3, in its end-point
// form (623.15 K on the saturation line, 863.15 K at 100 MPa), and its slope d(beta_L)/d(theta). Neither is
// clamped to the end points.
double LFunction(double theta);
double LFunctionSlope(double theta);

// Reduced volume chi of sub-regions 3 and 4 at (theta, beta), by bisection on beta3 / beta4.
double Subregion3Volume(double theta, double beta);
double Subregion4Volume(double theta, double beta);

// Each sub-region's characteristic function and its first derivatives at one point, from one evaluation of
// its closed-form sums: zeta(theta, beta) of the Gibbs sub-regions 1 and 2 with f_second = d(zeta)/d(beta),
// psi(theta, chi) of the Helmholtz sub-regions 3 and 4 with f_second = d(psi)/d(chi). Sub-region 4 is
// sub-region 3 plus a correction that vanishes at theta = 1.
struct CharacteristicFunction {
  double f;
  double f_theta;
  double f_second;
};
CharacteristicFunction Subregion1Gibbs(double theta, double beta);
CharacteristicFunction Subregion2Gibbs(double theta, double beta);
CharacteristicFunction Subregion3Helmholtz(double theta, double chi);
CharacteristicFunction Subregion4Helmholtz(double theta, double chi);

// The reduced pressure beta = -psi_chi of sub-regions 3 and 4 along one isotherm: the parts that depend on
// theta alone are built once per volume bisection.
struct SubregionIsotherm {
  double theta;
  double t;    // theta - 1
  double u2;   // theta^-2
  double p6;   // sum C6nu theta^(1 - nu)
  double c50;  // 5 C50 (theta - 1) theta^-23
  double y;    // (1 - theta) / (1 - theta23)
  double y3;   // y^3
  double y32;  // y^32
};
SubregionIsotherm MakeSubregionIsotherm(double theta);
double Beta3OnIsotherm(const SubregionIsotherm& isotherm, double chi);
double Beta4OnIsotherm(const SubregionIsotherm& isotherm, double chi);

// chi, eps and sigma of one state from a single evaluation of the characteristic function's derivatives:
// sub-regions 1 and 2 chi = zeta_beta, eps = zeta - theta zeta_theta, sigma = -zeta_theta; sub-regions 3 and
// 4 (where chi is the argument) eps = psi - theta psi_theta - chi psi_chi, sigma = -psi_theta.
struct ReducedState {
  double chi;
  double eps;
  double sigma;
};
ReducedState Subregion1State(double theta, double beta);
ReducedState Subregion2State(double theta, double beta);
ReducedState Subregion3State(double theta, double chi);
ReducedState Subregion4State(double theta, double chi);

// ---- The formulation's own face, for the state interface -------------------------------------------------
//
// Every function here evaluates the formulation at the point it is given, without the clamps of the
// historical operations above, and solves to the last bits of its residual where the historical operations
// bisect a fixed number of times.

// Range of validity of the 1967 IFC Formulation for Industrial Use: 273.15 K <= T <= 1073.15 K at
// 0 < p <= 100 MPa (sub-regions 1 to 4 and the K-function cover it; below 273.15 K, above 1073.15 K and above
// 100 MPa the equations of the nearest sub-region extrapolate).
inline constexpr double kLowestTemperature = 273.15;    // K
inline constexpr double kHighestTemperature = 1073.15;  // K
inline constexpr double kHighestPressure = 100.0;       // MPa
bool InRangeOfValidity(double T, double P);

// The K-function as a saturation pressure (MPa) at T, unclamped, and its inverse (K), solved by Newton steps
// on ln(beta_K) until its residual is at the last bits, which are those of the pressure. The inverse covers
// kKInverseLowestTemperature to Tc (pc itself gives Tc) and is NaN beyond.
inline constexpr double kKInverseLowestTemperature = 250.0;  // K: beta_K still rises smoothly there
double KPressure(double T);
double KTemperature(double P);

// The curvature d2(beta_L)/d(theta)2 of the L-function, a quadratic in theta.
double LFunctionCurvature();

// Which side of the K-function a Helmholtz sub-region's density lies on: the liquid (or, above Tc, the
// dense single) branch of an isotherm, or its vapour branch.
enum class Branch { Liquid, Vapour };

// The sub-region 3 density (g/cm3) at (T, P), to the last bits of the pressure, on the given branch of the
// isotherm: below Tc the liquid branch from the small-volume end of the sub-region (chi = 0.4077), the vapour
// branch from its large-volume end (chi = 2.816); at and above Tc the one branch, from the large-volume end.
// NaN where the branch does not reach P.
double Subregion3Density(double T, double P, Branch branch);
// The sub-region 4 density (g/cm3) at (T, P), to the last bits of the pressure: the liquid root between the
// small-volume end chi = 0.4077 and chi = 12.02 theta - 10.94, the range of the historical volume
// bisection; NaN where the sub-region 4 equation does not reach P there (the state is then sub-region 3's).
double Subregion4Density(double T, double P);

// The sub-region of a single-phase state (T, P) by the boundaries of the historical selection (the K-function
// below 623.15 K, the L-function above, sub-region 4 on the liquid side below Tc where its equation reaches
// P, else sub-region 3), the side of the K-function (Liquid at or above it, Vapour below; above Tc Liquid in
// sub-region 3, Vapour in sub-region 2) and the density of the Helmholtz sub-regions 3 and 4 (NaN for 1, 2).
struct SubregionState {
  int subregion;
  Branch side;
  double rho;  // g/cm3
};
SubregionState SubregionOfTP(double T, double P);

// The saturated liquid and vapour at T < Tc as IFC-67 defines them: at the K-function pressure, the liquid in
// sub-region 1 below 623.15 K and in sub-region 4 above (sub-region 3's liquid branch where sub-region 4
// does not reach the pressure), the vapour in sub-region 2 below 623.15 K and on sub-region 3's vapour
// branch above.
struct SaturatedPair {
  double P;  // MPa
  SubregionState liquid;
  SubregionState vapour;
};
SaturatedPair SaturatedOfT(double T);

// Each sub-region's characteristic function with its first and second derivatives from one evaluation, in
// the library's units: sub-regions 1 and 2 as g(T, P) = pc vc zeta(theta, beta), sub-regions 3 and 4 as
// a(T, rho) = pc vc psi(theta, chi) with chi = 1 / (rho vc) (pc vc is in kJ/kg).
numerics::GibbsPoint Subregion1Point(double T, double P);
numerics::GibbsPoint Subregion2Point(double T, double P);
numerics::HelmholtzPoint Subregion3Point(double T, double rho);
numerics::HelmholtzPoint Subregion4Point(double T, double rho);

// The reduced pressure beta = -psi_chi of sub-regions 3 and 4 and its chi-derivative -psi_chichi along one
// isotherm, for the density solvers.
struct PressureSlope {
  double beta;
  double beta_chi;
};
PressureSlope Subregion3PressureSlope(const SubregionIsotherm& isotherm, double chi);
PressureSlope Subregion4PressureSlope(const SubregionIsotherm& isotherm, double chi);

}  // namespace brimwater::ifc67

#endif  // BRIMWATER_IFC67_IFC67_H
