// The transport properties of a state: the viscosity (IAPWS R12-08) and the thermal conductivity (IAPWS
// R15-11) at the formulation's own T, rho, cp, cv and (d rho / d P)_T, and the surface tension (IAPWS
// R1-76(2014)) on the saturation line. The correlations are the IAPWS ones for every formulation: none of
// the older formulations defined its own.
//
// Which form: a formulation that supplies its Helmholtz energy at any (T, rho) (Formulation::helmholtz_point:
// IAPWS-95, NBS/NRC 1984, KKHM 1969) gets both correlations with their critical enhancements, zeta at
// T_R = 970.644 K from its own equation (TransportForm::Full); the industrial formulations (IAPWS-IF97,
// IFC-67) get the industrial form of R12-08 and R15-11 (TransportForm::Industrial).
#ifndef BRIMWATER_STATE_TRANSPORT_H
#define BRIMWATER_STATE_TRANSPORT_H

#include "brimwater/state.h"
#include "state/formulation.h"
#include "state/properties.h"

namespace brimwater::state {

// A single-phase state: mu, lambda, nu, alpha, Pr, the form used and transport_status from its properties p
// (internal units); sigma stays NaN.
void AddTransport(const Formulation& f, const Properties& p, State& s);

// A saturated phase asked for by quality 0 or 1: the same, and sigma at its temperature.
void AddSaturatedTransport(const Formulation& f, const Properties& p, State& s);

// A two-phase mixture: sigma at its temperature alone (mu, lambda, nu, alpha and Pr are not defined for a
// mixture and stay NaN).
void AddMixtureTransport(const Formulation& f, State& s);

}  // namespace brimwater::state

#endif  // BRIMWATER_STATE_TRANSPORT_H
