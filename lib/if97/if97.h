// IAPWS-IF97 kernel (formulation code 97): the region-4 saturation line, the B23 boundary, and the basic
// equations of regions 1, 2 and 3 (IAPWS R7-97(2012)). Region 5 and the backward equations are not used:
// the saturation temperature is found by bisection and region 2 serves every high-temperature state.
//
// Units: T in K, P in MPa, h in kJ/kg, s in kJ/(kg K); v in m3/kg inside this kernel, except VolumeOfTP,
// which returns cm3/g as every kernel's volume accessor does.
#ifndef BRIMWATER_IF97_IF97_H
#define BRIMWATER_IF97_IF97_H

#include "numerics/fundamental.h"
#include "numerics/kernel_contract.h"

namespace brimwater::if97 {

inline constexpr double kTriplePointTemperature = 273.16;   // K, lower end of the saturation line
inline constexpr double kTriplePointPressure = 6.11657e-4;  // MPa
inline constexpr double kCriticalTemperature = 647.096;     // K
inline constexpr double kCriticalPressure = 22.064;         // MPa
inline constexpr double kCriticalDensity = 322.0;           // kg/m3
inline constexpr double kRegion3StartTemperature = 623.15;  // K

// Saturation line (region 4, Eq. 30) and its inverse by 32 bisection steps; both clamp at the triple and
// critical points.
double SatPressure(double T);
double SatTemperature(double P);

// Boundary between regions 2 and 3 (Eq. 5).
double B23Pressure(double T);

// v (m3/kg), h and s of a state; written to v, h, s in that order.
void StateOfTP(double T, double P, StateSelector selector, double& v, double& h, double& s);
double VolumeOfTP(double T, double P, StateSelector selector);  // cm3/g
double EnthalpyOfTP(double T, double P, StateSelector selector);
double EntropyOfTP(double T, double P, StateSelector selector);

// The region-3 specific volume (m3/kg) at which Region3Pressure(T, v) equals P.
double Region3Volume(double T, double P);

// Basic equations. Regions 1 and 2 take (T, P); region 3 takes (T, v in m3/kg).
double Region1Volume(double T, double P);
double Region1Enthalpy(double T, double P);
double Region1Entropy(double T, double P);
double Region2Volume(double T, double P);
double Region2Enthalpy(double T, double P);
double Region2Entropy(double T, double P);
double Region3Pressure(double T, double v);
double Region3Enthalpy(double T, double v);
double Region3Entropy(double T, double v);

// ---- The release's own face, for the state interface ----------------------------------------------------

// Range of validity: 273.15 K <= T <= 1073.15 K at p <= 100 MPa, and 1073.15 K < T <= 2273.15 K at p <= 50
// MPa.
inline constexpr double kLowestTemperature = 273.15;     // K
inline constexpr double kHighestTemperature = 2273.15;   // K
inline constexpr double kHighestPressure = 100.0;        // MPa
inline constexpr double kRegion5HighestPressure = 50.0;  // MPa
bool InRangeOfValidity(double T, double P);

// Region 4: the saturation-pressure equation (Eq. 30) and its closed-form inverse, the saturation-temperature
// equation (Eq. 31), as they stand (valid from 273.15 K / 611.213 Pa to the critical point; unclamped).
double Region4Pressure(double T);     // MPa
double Region4Temperature(double P);  // K

// The region of (T, P) by the release's boundaries: 1, 2, 3 or 5, and below the critical temperature whether
// P lies at or above the saturation curve (the liquid side). Outside the range of validity the nearest
// region's equation extrapolates: below 273.15 K region 1 or 2 by the saturation curve, above 863.15 K and
// 100 MPa region 2, above 1073.15 K region 5.
struct RegionOfState {
  int region;
  bool liquid_side;
};
RegionOfState RegionOfTP(double T, double P);

// The basic equations as fundamental equations, value and first and second derivatives from one evaluation:
// regions 1, 2 (Eqs. 7, 15) and 5 (Eq. 32) as g(T, P), region 3 (Eq. 28) as a(T, rho) with rho in g/cm3.
numerics::GibbsPoint Region1Point(double T, double P);
numerics::GibbsPoint Region2Point(double T, double P);
numerics::GibbsPoint Region5Point(double T, double P);
numerics::HelmholtzPoint Region3Point(double T, double rho);

// The region-3 density (g/cm3) at which Eq. 28 gives the pressure P, to the last bits of the pressure, on the
// liquid or vapour branch of the isotherm below the critical temperature (on its one branch at and above it,
// where both give the same). NaN where the branch does not reach P.
enum class Region3Branch { Liquid, Vapour };
double Region3Density(double T, double P, Region3Branch branch);

}  // namespace brimwater::if97

#endif  // BRIMWATER_IF97_IF97_H
