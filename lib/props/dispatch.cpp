// Dispatch of the internal-unit operations to the formulation kernels. Each kernel plugs in as one table of
// its operations: state-form kernels (IFC-67, IF97) answer v, h and s at (T, P) directly; density-form
// kernels (KKHM 1969, NBS/NRC 1984, IAPWS-95) find the density first and evaluate their equation at (T, rho).
#include "props/dispatch.h"

#include <limits>

#include "iapws95/iapws95.h"
#include "if97/if97.h"
#include "ifc67/ifc67.h"
#include "kkhm69/kkhm69.h"
#include "nbs84/nbs84.h"

namespace brimwater::dispatch {
namespace {

struct KernelOperations {
  double (*sat_pressure)(double T);
  double (*sat_temperature)(double P);
  double (*volume)(double T, double P, StateSelector selector);    // cm3/g
  double (*enthalpy)(double T, double P, StateSelector selector);  // kJ/kg
  double (*entropy)(double T, double P, StateSelector selector);   // kJ/(kg K)
};

// The density form: v = 1 / rho, h and s evaluated at (T, rho) with rho = DensityOfTP(T, P, selector).
using DensityOfTP = double (*)(double T, double P, StateSelector selector);
using PropertyOfTD = double (*)(double T, double rho);

template <DensityOfTP Density>
double DensityFormVolume(double T, double P, StateSelector selector) {
  return 1.0 / Density(T, P, selector);
}

template <DensityOfTP Density, PropertyOfTD Property>
double DensityFormProperty(double T, double P, StateSelector selector) {
  return Property(T, Density(T, P, selector));
}

template <double (*SatP)(double), double (*SatT)(double), DensityOfTP Density, PropertyOfTD Enthalpy,
          PropertyOfTD Entropy>
constexpr KernelOperations DensityForm() {
  return {SatP, SatT, DensityFormVolume<Density>, DensityFormProperty<Density, Enthalpy>,
          DensityFormProperty<Density, Entropy>};
}

constexpr KernelOperations kNbs84 = DensityForm<nbs84::SatPressure, nbs84::SatTemperature, nbs84::DensityOfTP,
                                                nbs84::EnthalpyOfTD, nbs84::EntropyOfTD>();

constexpr KernelOperations kIf97 = {if97::SatPressure, if97::SatTemperature, if97::VolumeOfTP,
                                    if97::EnthalpyOfTP, if97::EntropyOfTP};
constexpr KernelOperations kIfc67 = {ifc67::SatPressure, ifc67::SatTemperature, ifc67::VolumeOfTP,
                                     ifc67::EnthalpyOfTP, ifc67::EntropyOfTP};
constexpr KernelOperations kIapws95 =
    DensityForm<iapws95::SatPressure, iapws95::SatTemperature, iapws95::DensityOfTP, iapws95::EnthalpyOfTD,
                iapws95::EntropyOfTD>();
constexpr KernelOperations kKkhm69 =
    DensityForm<kkhm69::SatPressure, kkhm69::SatTemperature, kkhm69::DensityOfTP, kkhm69::EnthalpyOfTD,
                kkhm69::EntropyOfTD>();

// The operations of a code's formulation, or nullptr where the code is unsupported or its kernel absent.
const KernelOperations* KernelOf(FormulationCode code) {
  switch (FormulationOf(code)) {
    case Formulation::If97: return &kIf97;
    case Formulation::Ifc67: return &kIfc67;
    case Formulation::Kkhm69: return &kKkhm69;
    case Formulation::Nbs84: return &kNbs84;
    case Formulation::Iapws95: return &kIapws95;
    case Formulation::Unsupported: return nullptr;
  }
  return nullptr;
}

}  // namespace

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

bool IsSupported(FormulationCode code) { return KernelOf(code) != nullptr; }

double SatPressure(double T, FormulationCode code) {
  const KernelOperations* k = KernelOf(code);
  return k ? k->sat_pressure(T) : PropertyError;
}

double SatTemperature(double P, FormulationCode code) {
  const KernelOperations* k = KernelOf(code);
  return k ? k->sat_temperature(P) : PropertyError;
}

double Volume(double T, double P, StateSelector selector, FormulationCode code) {
  const KernelOperations* k = KernelOf(code);
  return k ? k->volume(T, P, selector) : PropertyError;
}

double Enthalpy(double T, double P, StateSelector selector, FormulationCode code) {
  const KernelOperations* k = KernelOf(code);
  return k ? k->enthalpy(T, P, selector) : PropertyError;
}

double Entropy(double T, double P, StateSelector selector, FormulationCode code) {
  const KernelOperations* k = KernelOf(code);
  return k ? k->entropy(T, P, selector) : PropertyError;
}

}  // namespace brimwater::dispatch
