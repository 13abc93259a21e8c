// What every formulation kernel offers, in internal units (T in K, P in MPa, v in cm3/g, density in g/cm3,
// h in kJ/kg, s in kJ/(kg K)):
//   SatPressure(T), SatTemperature(P): the saturation line, clamped at the formulation's triple point and
//     critical point (so SatPressure(999.0) is the critical pressure).
//   State form (IFC-67, IAPWS-IF97): StateOfTP(T, P, selector, v, h, s) and the accessors VolumeOfTP,
//     EnthalpyOfTP, EntropyOfTP.
//   Density form (KKHM 1969, NBS/NRC 1984, IAPWS-95): DensityOfTP(T, P, selector), EnthalpyOfTD(T, rho),
//     EntropyOfTD(T, rho).
// Kernels never validate their arguments and never fail: every iteration is bounded and returns its last
// estimate.
#ifndef BRIMWATER_PROPS_KERNEL_H
#define BRIMWATER_PROPS_KERNEL_H

namespace brimwater {

// Which state a kernel evaluates. Kernels treat every value other than 0 and 1 as SinglePhase.
enum class StateSelector : int {
  SaturatedLiquid = 0,  // saturated liquid at T; the pressure argument is ignored
  SaturatedVapour = 1,  // saturated vapour at T; the pressure argument is ignored
  SinglePhase = 2,      // the state at (T, P), the phase following from T and P
};

// The saturation temperature of P as every formulation finds it: the inverse of its saturation-pressure
// curve by 32 bisection steps between the lower limit and the critical point, clamped like the curve, and the
// last midpoint returned. A NaN pressure would steer the bisection to the lower limit and return a plausible
// temperature, so it gives NaN.
template <double (*SatPressure)(double)>
double SatTemperatureByBisection(double P, double lower_T, double lower_P, double critical_T,
                                 double critical_P) {
  constexpr int kSteps = 32;
  if (P != P) return P;
  if (P <= lower_P) return lower_T;
  if (P >= critical_P) return critical_T;
  double lo = lower_T;
  double hi = critical_T;
  double mid = lo;
  for (int i = 0; i < kSteps; ++i) {
    mid = (hi + lo) * 0.5;
    if (P > SatPressure(mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return mid;
}

}  // namespace brimwater

#endif  // BRIMWATER_PROPS_KERNEL_H
