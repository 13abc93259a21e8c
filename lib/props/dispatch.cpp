// Dispatch of the internal-unit operations to the formulation kernels. State-form kernels (IFC-67, IF97)
// answer v, h and s at (T, P) directly; density-form kernels (KKHM 1969, NBS/NRC 1984, IAPWS-95) find the
// density first and evaluate their equation at (T, rho).
#include "props/dispatch.h"

#include <limits>

#include "if97/if97.h"

namespace brimwater::dispatch {

Formulation FormulationOf(FormulationCode code) {
  if (code == std::numeric_limits<FormulationCode>::min()) return Formulation::Unsupported;
  switch (code < 0 ? -code : code) {
    case 67: return Formulation::Ifc67;
    case 69: return Formulation::Kkhm69;
    case 84: return Formulation::Nbs84;
    case 95: return Formulation::Iapws95;
    case 97: return Formulation::If97;
    default: return Formulation::Unsupported;
  }
}

double SatPressure(double T, FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return if97::SatPressure(T);
    case Formulation::Ifc67:
    case Formulation::Kkhm69:
    case Formulation::Nbs84:
    case Formulation::Iapws95:
    case Formulation::Unsupported: break;
  }
  return PropertyError;
}

double SatTemperature(double P, FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return if97::SatTemperature(P);
    case Formulation::Ifc67:
    case Formulation::Kkhm69:
    case Formulation::Nbs84:
    case Formulation::Iapws95:
    case Formulation::Unsupported: break;
  }
  return PropertyError;
}

double Volume(double T, double P, StateSelector selector, FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return if97::VolumeOfTP(T, P, selector);
    case Formulation::Ifc67:
    case Formulation::Kkhm69:
    case Formulation::Nbs84:
    case Formulation::Iapws95:
    case Formulation::Unsupported: break;
  }
  return PropertyError;
}

double Enthalpy(double T, double P, StateSelector selector, FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return if97::EnthalpyOfTP(T, P, selector);
    case Formulation::Ifc67:
    case Formulation::Kkhm69:
    case Formulation::Nbs84:
    case Formulation::Iapws95:
    case Formulation::Unsupported: break;
  }
  return PropertyError;
}

double Entropy(double T, double P, StateSelector selector, FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return if97::EntropyOfTP(T, P, selector);
    case Formulation::Ifc67:
    case Formulation::Kkhm69:
    case Formulation::Nbs84:
    case Formulation::Iapws95:
    case Formulation::Unsupported: break;
  }
  return PropertyError;
}

}  // namespace brimwater::dispatch
