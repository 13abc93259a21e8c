// Brimwater state interface: every property of a state of water or steam from a common pair of inputs, for
// each of the five formulations as its publication defines it.
//
// The formulation codes and the unit convention are those of the fifteen functions of <brimwater/props.h>:
// the absolute value chooses the formulation (67 IFC-67, 69 KKHM 1969, 84 NBS/NRC 1984, 95 IAPWS-95, 97
// IAPWS-IF97), the sign the units. A code greater than 0 means English units: degF, psia, ft3/lbm, lbm/ft3,
// BTU/lbm, BTU/(lbm degR) (entropies and heat capacities divided by 4.1868 kJ/(kg K)), ft/s, and for the
// transport properties lbm/(ft h), BTU/(h ft degF), lbf/ft and ft2/h. Zero or a negative code means SI units:
// K, MPa, cm3/g, g/cm3, kJ/kg, kJ/(kg K), m/s, Pa s, W/(m K), N/m and m2/s.
//
// Unlike the fifteen functions, which keep their historical conventions, these functions report what went
// wrong in `status` and never return a plausible number where none is meaningful: such values are NaN. They
// are pure and thread-safe, allocate nothing and throw nothing.
#ifndef BRIMWATER_STATE_H
#define BRIMWATER_STATE_H

#include "brimwater/props.h"

namespace brimwater {

enum class Phase : int {
  Unknown = 0,  // no state was found (status other than Ok and Extrapolated)
  Liquid = 1,   // below the critical temperature at or above the saturation pressure, or saturated liquid
  Vapour = 2,   // below the saturation pressure, or above the critical temperature below the critical
                // pressure, or saturated vapour
  Supercritical = 3,  // at or above both the critical temperature and the critical pressure
  TwoPhase = 4,       // a mixture of saturated liquid and vapour, 0 < x < 1
};

// Which form of the IAPWS transport correlations gave a state's viscosity and thermal conductivity. The
// correlations are the IAPWS ones for every formulation; the form follows the formulation: Industrial for
// IAPWS-IF97 and IFC-67, Full for IAPWS-95, NBS/NRC 1984 and KKHM 1969.
enum class TransportForm : int {
  None = 0,        // not evaluated (two-phase mixtures, failed states), or evaluated without either critical
                   // enhancement because the formulation gave no cp, cv or (d rho / d P)_T at the state, or
                   // (full form) gave them not positive, as an equation far outside its range may
  Industrial = 1,  // IAPWS R12-08 without the critical enhancement, R15-11 in its industrial form
  Full = 2,        // both with their critical enhancements, from the formulation's own derivatives
};

enum class Status : int {
  Ok = 0,
  Extrapolated = 1,     // outside the formulation's published range of validity; values computed all the same
  UnsupportedCode = 2,  // the formulation code names no formulation
  InvalidArgument =
      3,           // NaN or infinite input, absolute temperature or pressure not above zero, x outside [0, 1]
  NoSolution = 4,  // no state of the formulation has these inputs (every value NaN)
};

// One state. Which numbers are meaningful: every field for a single-phase state but x, which is NaN there;
// for a two-phase mixture cp, cv and w are NaN (they are not defined for a mixture) and x is its quality; a
// saturated liquid or vapour asked for by quality 0 or 1 has the properties of that phase and x = 0 or 1. On
// UnsupportedCode, InvalidArgument and NoSolution every number is NaN.
struct State {
  double T;    // temperature
  double P;    // pressure
  double v;    // specific volume
  double rho;  // density
  double h;    // specific enthalpy
  double s;    // specific entropy
  double u;    // specific internal energy
  double cp;   // specific isobaric heat capacity
  double cv;   // specific isochoric heat capacity
  double w;    // speed of sound
  double x;    // vapour quality (mass fraction of vapour)
  // Transport properties (IAPWS R12-08, R15-11) and surface tension (IAPWS R1-76(2014)): NaN for a two-phase
  // mixture, except sigma, which is defined on the saturation line only (saturated states and mixtures).
  double mu;      // dynamic viscosity
  double lambda;  // thermal conductivity
  double sigma;   // surface tension
  double nu;      // kinematic viscosity, mu / rho
  double alpha;   // thermal diffusivity, lambda / (rho cp)
  double Pr;      // Prandtl number, mu cp / lambda
  Phase phase;
  // The formulation's region (IAPWS-IF97: 1, 2, 3, 5, and 4 for a two-phase mixture) or sub-region (IFC-67:
  // 1 to 4); 0 for the formulations that have none (IAPWS-95, NBS/NRC 1984, KKHM 1969) and for a two-phase
  // IFC-67 mixture.
  int region;
  Status status;
  TransportForm transport;
  // The transport values' own ranges of validity: Ok inside those of IAPWS R12-08 and R15-11 (the stable
  // fluid from the melting and sublimation curves up to 1173.15 K, with lower ceilings above 100 MPa) and, on
  // the saturation line, of R1-76(2014) (273.16 K to 647.096 K); Extrapolated outside them (values computed
  // all the same); NoSolution where they gave none (a failed state; mu or lambda NaN; sigma NaN for a
  // mixture).
  Status transport_status;
};

// The state at temperature T and pressure P.
State StateOfTP(double T, double P, FormulationCode formulation);
// The state at pressure P with specific enthalpy h.
State StateOfPH(double P, double h, FormulationCode formulation);
// The state at pressure P with specific entropy s.
State StateOfPS(double P, double s, FormulationCode formulation);
// The state with specific enthalpy h and specific entropy s.
State StateOfHS(double h, double s, FormulationCode formulation);
// The saturated state at temperature T with quality x (0 saturated liquid, 1 saturated vapour).
State StateOfTX(double T, double x, FormulationCode formulation);
// The saturated state at pressure P with quality x.
State StateOfPX(double P, double x, FormulationCode formulation);

// Names for messages and output: "ok", "extrapolated", "unsupported code", "invalid argument", "no
// solution"; "unknown", "liquid", "vapour", "supercritical", "two-phase"; "none", "industrial", "full".
const char* StatusName(Status status);
const char* PhaseName(Phase phase);
const char* TransportFormName(TransportForm form);

}  // namespace brimwater

#endif  // BRIMWATER_STATE_H
