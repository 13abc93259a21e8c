// Conversion between the English interface units and the internal units (K, MPa, cm3/g, kJ/kg, kJ/(kg K)).
// Temperatures going in: add 459.67, then divide by 1.8; going out: multiply by 1.8, then subtract.
#ifndef BRIMWATER_PROPS_UNITS_H
#define BRIMWATER_PROPS_UNITS_H

#include "props/props.h"

namespace brimwater::units {

inline constexpr double kRankineOffset = 459.67;          // degF to degR
inline constexpr double kKelvinPerRankine = 1.8;          // degR per K
inline constexpr double kPsiaPerMPa = 145.0377377;        // psia per MPa
inline constexpr double kCm3gPerFt3lbm = 62.42796058;     // (cm3/g) per (ft3/lbm)
inline constexpr double kKJkgPerBtulbm = 2.326;           // (kJ/kg) per (BTU/lbm)
inline constexpr double kEntropyFactor = 4.1868;          // (kJ/(kg K)) per (BTU/(lbm degR))
inline constexpr double kSaturatedEntropyFactor = 4.186;  // the factor Sf and Sg divide by

inline double TemperatureIn(double t_f) { return (t_f + kRankineOffset) / kKelvinPerRankine; }
inline double TemperatureOut(double t_k) { return t_k * kKelvinPerRankine - kRankineOffset; }
inline double PressureIn(double p_psia) { return p_psia / kPsiaPerMPa; }
inline double PressureOut(double p_mpa) { return p_mpa * kPsiaPerMPa; }
inline double VolumeOut(double v_cm3g) { return v_cm3g / kCm3gPerFt3lbm; }
inline double EnthalpyIn(double h_btulbm) { return h_btulbm * kKJkgPerBtulbm; }
inline double EnthalpyOut(double h_kjkg) { return h_kjkg / kKJkgPerBtulbm; }
inline double EntropyIn(double s_english) { return s_english * kEntropyFactor; }
inline double EntropyOut(double s_si) { return s_si / kEntropyFactor; }
inline double SaturatedEntropyOut(double s_si) { return s_si / kSaturatedEntropyFactor; }

// A code greater than 0 asks for English units, zero or a negative code for SI.
inline bool IsEnglish(FormulationCode code) { return code > 0; }

// An argument in the code's units converted to internal units, and a result in internal units converted to
// the code's units, by one of the conversions above: In<PressureIn>(p, code), Out<EnthalpyOut>(h, code).
template <double (*Conversion)(double)>
double In(double x, FormulationCode code) {
  return IsEnglish(code) ? Conversion(x) : x;
}
template <double (*Conversion)(double)>
double Out(double x, FormulationCode code) {
  return IsEnglish(code) ? Conversion(x) : x;
}

// The state interface's further English units, from the exact definitions of the foot (0.3048 m), the pound
// (0.45359237 kg), the pound-force (4.4482216152605 N) and the International Table BTU (2.326 kJ/kg per
// BTU/lbm, so 1055.05585262 J), and the hour.
inline constexpr double kFeetPerMetre = 1.0 / 0.3048;
inline constexpr double kSecondsPerHour = 3600.0;
inline constexpr double kJoulesPerBtu = 2326.0 * 0.45359237;
inline constexpr double kLbmFtHPerPaS = 0.3048 * kSecondsPerHour / 0.45359237;  // lbm/(ft h) per Pa s
inline constexpr double kBtuHFtFPerWMK = kSecondsPerHour * 0.3048 / (kJoulesPerBtu * 1.8);  // per W/(m K)
inline constexpr double kLbfFtPerNM = 0.3048 / 4.4482216152605;                             // lbf/ft per N/m
inline constexpr double kFt2HPerM2S = kFeetPerMetre * kFeetPerMetre * kSecondsPerHour;      // ft2/h per m2/s

inline double DensityOut(double rho_gcm3) { return rho_gcm3 * kCm3gPerFt3lbm; }
inline double SpeedOut(double w_ms) { return w_ms * kFeetPerMetre; }
inline double ViscosityOut(double mu_pas) { return mu_pas * kLbmFtHPerPaS; }
inline double ConductivityOut(double lambda_wmk) { return lambda_wmk * kBtuHFtFPerWMK; }
inline double SurfaceTensionOut(double sigma_nm) { return sigma_nm * kLbfFtPerNM; }
inline double DiffusivityOut(double m2s) { return m2s * kFt2HPerM2S; }

}  // namespace brimwater::units

#endif  // BRIMWATER_PROPS_UNITS_H
