// What every formulation kernel offers, in internal units (T in K, P in MPa, v in cm3/g, density in g/cm3,
// h in kJ/kg, s in kJ/(kg K)):
//   SatPressure(T), SatTemperature(P): the saturation line, clamped at the formulation's triple point and
//     critical point (so SatPressure(999.0) is the critical pressure).
//   State form (the Gibbs-function formulations): StateOfTP(T, P, selector, v, h, s) and the accessors
//     VolumeOfTP, EnthalpyOfTP, EntropyOfTP.
//   Density form (the Helmholtz-function formulations): DensityOfTP(T, P, selector), EnthalpyOfTD(T, rho),
//     EntropyOfTD(T, rho).
// Kernels never validate their arguments and never fail: every iteration is bounded and returns its last
// estimate. The property dispatch states which formulation takes which form.
#ifndef BRIMWATER_NUMERICS_KERNEL_CONTRACT_H
#define BRIMWATER_NUMERICS_KERNEL_CONTRACT_H

namespace brimwater {

// Which state a kernel evaluates. Kernels treat every value other than 0 and 1 as SinglePhase.
enum class StateSelector : int {
  SaturatedLiquid = 0,  // saturated liquid at T; the pressure argument is ignored
  SaturatedVapour = 1,  // saturated vapour at T; the pressure argument is ignored
  SinglePhase = 2,      // the state at (T, P), the phase following from T and P
};

}  // namespace brimwater

#endif  // BRIMWATER_NUMERICS_KERNEL_CONTRACT_H
