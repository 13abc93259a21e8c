// The dispatch on the formulation code, in internal units and without unit conversion. The public functions
// and the inverse solvers reach the kernels only through these operations. Each uses the code's absolute
// value and returns PropertyError for an unsupported code.
#ifndef BRIMWATER_PROPS_DISPATCH_H
#define BRIMWATER_PROPS_DISPATCH_H

#include "numerics/kernel_contract.h"
#include "props/props.h"

namespace brimwater::dispatch {

enum class Formulation { Unsupported, Ifc67, Kkhm69, Nbs84, Iapws95, If97 };

// The formulation that a code selects. A code whose absolute value cannot be formed (the most negative 32-bit
// integer) is unsupported.
Formulation FormulationOf(FormulationCode code);

// True when the code's formulation has a kernel to answer it.
bool IsSupported(FormulationCode code);

double SatPressure(double T, FormulationCode code);     // MPa
double SatTemperature(double P, FormulationCode code);  // K

// v (cm3/g), h (kJ/kg) and s (kJ/(kg K)) of the state (T, P, selector).
double Volume(double T, double P, StateSelector selector, FormulationCode code);
double Enthalpy(double T, double P, StateSelector selector, FormulationCode code);
double Entropy(double T, double P, StateSelector selector, FormulationCode code);

}  // namespace brimwater::dispatch

#endif  // BRIMWATER_PROPS_DISPATCH_H
