// Brimwater: thermodynamic properties of water and steam in five published formulations.
//
// Every function takes its arguments and a FormulationCode and returns a double. The code's absolute value
// chooses the formulation (67 IFC-67, 69 Keenan-Keyes-Hill-Moore 1969, 84 NBS/NRC 1984, 95 IAPWS-95,
// 97 IAPWS-IF97); a code greater than 0 means English units (degF, psia, ft3/lbm, BTU/lbm, BTU/(lbm degR)),
// zero or a negative code SI units (K, MPa, cm3/g, kJ/kg, kJ/(kg K)). An unsupported code yields
// PropertyError (-999.0), for some functions passed through the English output factor.
// The functions are pure: no state, no allocation, safe to call from any thread.
#ifndef BRIMWATER_PROPS_H
#define BRIMWATER_PROPS_H

#include <cstdint>

namespace brimwater {

using FormulationCode = std::int32_t;

inline constexpr double PropertyError = -999.0;

// Saturation line.
double Psat(double Ts, FormulationCode formulation);
double Tsat(double Ps, FormulationCode formulation);

// Saturated liquid (f) and saturated vapour (g) at temperature Ts.
double Vf(double Ts, FormulationCode formulation);
double Vg(double Ts, FormulationCode formulation);
double Hf(double Ts, FormulationCode formulation);
double Hg(double Ts, FormulationCode formulation);
double Sf(double Ts, FormulationCode formulation);
double Sg(double Ts, FormulationCode formulation);

// The state at temperature T and pressure P.
double VofTP(double T, double P, FormulationCode formulation);
double HofTP(double T, double P, FormulationCode formulation);
double SofTP(double T, double P, FormulationCode formulation);

// Inverse functions: temperature and entropy of (P, H), temperature and enthalpy of (P, S).
double TofPH(double P, double H, FormulationCode formulation);
double SofPH(double P, double H, FormulationCode formulation);
double TofPS(double P, double S, FormulationCode formulation);
double HofPS(double P, double S, FormulationCode formulation);

}  // namespace brimwater

#endif  // BRIMWATER_PROPS_H
