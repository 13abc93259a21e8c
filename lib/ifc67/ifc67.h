// IFC-67 kernel (formulation code 67): the 1967 IFC Formulation for Industrial Use, sub-regions 1 to 4.
// The saturation line is the K-function, the boundary between sub-regions 2 and 3 the L-function; sub-regions
// 1 (compressed liquid) and 2 (steam) are Gibbs functions of (theta, beta), sub-regions 3 (near-critical) and
// 4 (the liquid strip from 623.15 K to the critical temperature) Helmholtz functions of (theta, chi).
//
// Units: T in K, P in MPa, v in cm3/g, h in kJ/kg, s in kJ/(kg K). Inside, everything is reduced:
// theta = T / Tc, beta = P / pc, chi = v / vc, eps = h / (pc vc), sigma = s Tc / (pc vc).
#ifndef BRIMWATER_IFC67_IFC67_H
#define BRIMWATER_IFC67_IFC67_H

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

}  // namespace brimwater::ifc67

#endif  // BRIMWATER_IFC67_IFC67_H
