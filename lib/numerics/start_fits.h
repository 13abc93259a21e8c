// Start densities for the density searches of the Helmholtz-function formulations (NBS/NRC 1984 and
// IAPWS-95 use the same fits, each with its own critical constants): the saturated liquid density, and the
// compressibility factor of the saturated vapour and of the supercritical fluid, as functions of the reduced
// temperature and pressure. The fits belong to the programs that solve those equations, not to either
// formulation.
//
// The converged densities depend on the start values to the last bit, and the two kernels evaluate the fits
// in different arithmetic: the cube root by cbrt or by pow(x, 1/3), the vapour polynomial nested or
// expanded. Each kernel keeps its own form; the coefficients and the liquid fit's nested sum exist once.
#ifndef BRIMWATER_NUMERICS_START_FITS_H
#define BRIMWATER_NUMERICS_START_FITS_H

#include <cmath>

namespace brimwater::numerics::start_fit {

// Saturated liquid: rho = rho_c + sum c_i a^i, a = (1 - T/Tc)^(1/3), coefficients c_1 .. c_6 (g/cm3).
inline constexpr double kLiquid[] = {1.81999672256, -11.4769902281, 46.2620966218,
                                     -88.382040957, 82.6149432834,  -30.510632553};

// Saturated vapour: Z = z_0 + z_1 Tr + z_2 Tr^2 + z_3 Tr^3 + z_c (1 - Tr)^(1/3), rho = Psat / (Z R T).
inline constexpr double kVapour[] = {0.66743, -1.4087, 3.5799, -2.6054};  // z_0 .. z_3
inline constexpr double kVapourCubeRoot = 0.58211;                        // z_c

// Supercritical fluid: A = a_0 + a_1 (T/Tc - 1) / 1.5, Z = (1 - A) + 2 A Pr / (1 + Pr^2), rho = P / (Z R T).
inline constexpr double kSupercritical0 = 0.233;  // a_0
inline constexpr double kSupercritical1 = 0.767;  // a_1
inline constexpr double kSupercriticalSpan = 1.5;

// The two cube roots the kernels take.
inline double CubeRootByCbrt(double x) { return std::cbrt(x); }
inline double CubeRootByPow(double x) { return std::pow(x, 1.0 / 3.0); }

// The saturated-liquid fit at T for a formulation with critical temperature critical_T (K) and critical
// density critical_rho (g/cm3), its sum nested.
template <double (*CubeRoot)(double)>
double SatLiquidDensity(double T, double critical_T, double critical_rho) {
  const double a = CubeRoot(1.0 - T / critical_T);
  double sum = kLiquid[5];
  for (int i = 4; i >= 0; --i) sum = sum * a + kLiquid[i];
  return critical_rho + sum * a;
}

}  // namespace brimwater::numerics::start_fit

#endif  // BRIMWATER_NUMERICS_START_FITS_H
