// Transport properties of ordinary water substance, as IAPWS defines them for every equation of state:
//   viscosity: IAPWS R12-08, the IAPWS Formulation 2008 (Huber et al., J. Phys. Chem. Ref. Data 38, 101
//     (2009)), Eqs. 10 to 21 with Tables 1 to 3;
//   thermal conductivity: IAPWS R15-11, the IAPWS Formulation 2011 (Huber et al., J. Phys. Chem. Ref. Data
//     41, 033102 (2012)), Eqs. 16 to 20 and 25 with Tables 1, 2, 3 and 6;
//   surface tension: IAPWS R1-76(2014);
// with the ranges of validity of R12-08 and R15-11, whose lower temperature bound is the melting or the
// sublimation curve of IAPWS R14-08(2011).
//
// The correlations take the thermodynamic state from the caller (T, rho and, for the critical enhancements,
// cp, cv and (d rho / d p)_T) and know no equation of state.
//
// Units: T in K, rho in g/cm3 (the library's density unit), p in MPa, cp and cv in kJ/(kg K), (d rho / d p)_T
// in (g/cm3)/MPa; results in SI: mu in Pa s, lambda in W/(m K), sigma in N/m, the kinematic viscosity and the
// thermal diffusivity in m2/s, the Prandtl number dimensionless. The functions named ...Bar work in the
// releases' reduced variables (T / 647.096 K, rho / 322 kg/m3, p / 22.064 MPa, mu / 1e-6 Pa s, lambda / 1e-3
// W/(m K)), the correlation length xi in nm.
//
// Bad input (NaN or infinite T or rho, T <= 0, rho < 0) gives NaN; rho = 0 is the dilute-gas limit, which
// R15-11 Table 4 verifies. No function throws, loops or allocates; a result is finite or NaN.
#ifndef BRIMWATER_TRANSPORT_TRANSPORT_H
#define BRIMWATER_TRANSPORT_TRANSPORT_H

#include <cmath>

namespace brimwater::transport {

// Reference constants of R12-08 and R15-11.
inline constexpr double kReferenceTemperature = 647.096;     // K, T*
inline constexpr double kReferenceDensity = 0.322;           // g/cm3, rho* = 322 kg/m3
inline constexpr double kReferencePressure = 22.064;         // MPa, p*
inline constexpr double kReferenceViscosity = 1.0e-6;        // Pa s, mu*
inline constexpr double kReferenceConductivity = 1.0e-3;     // W/(m K), lambda*
inline constexpr double kGasConstant = 0.46151805;           // kJ/(kg K), R of cp_bar = cp / R (R15-11)
inline constexpr double kReducedReferenceTemperature = 1.5;  // T_R / T*, Table 3 of R12-08 and of R15-11
inline constexpr double kReferenceTemperatureR = 970.644;    // K, T_R = 1.5 T*

// True when T is finite and positive and rho finite and not negative: a point the correlations accept.
inline bool IsStatePoint(double T, double rho) {
  return std::isfinite(T) && T > 0.0 && std::isfinite(rho) && rho >= 0.0;
}

// ---- Viscosity, IAPWS R12-08 --------------------------------------------------------------------------

double MuBar0(double T_bar);                  // dilute-gas part, Eq. 11
double MuBar1(double T_bar, double rho_bar);  // finite-density part, Eq. 12
double MuBar2(double xi);  // critical enhancement from the correlation length (nm), Eqs. 14 to 19

// The correlation length xi in nm, Eqs. 20 and 21, from the reduced derivatives zeta = (d rho_bar / d p_bar)
// at (T_bar, rho_bar) and at (T_bar_R, rho_bar); a negative Delta chi_bar counts as zero (xi = 0). R15-11
// uses the same xi.
double CorrelationLengthBar(double T_bar, double rho_bar, double zeta, double zeta_at_TR);

// The same from the caller's T, rho and (d rho / d p)_T at T and at T_R = 970.644 K; nm.
double CorrelationLength(double T, double rho, double drho_dp_T, double drho_dp_T_at_TR);

// Viscosity with mu_bar2 = 1, the form R12-08 recommends for industrial use; Pa s.
double IndustrialViscosity(double T, double rho);

// ---- Thermal conductivity, IAPWS R15-11 ----------------------------------------------------------------

double LambdaBar0(double T_bar);                  // dilute-gas part, Eq. 16
double LambdaBar1(double T_bar, double rho_bar);  // finite-density part, Eq. 17

// The critical enhancement, Eqs. 18 to 20: cp_bar = cp / R, kappa = cp / cv, mu_bar the reduced viscosity
// (with its own enhancement in the scientific form, with mu_bar2 = 1 in the industrial one), xi in nm.
// Z(y) = 0 for y = q_D xi < 1.2e-7, as the release prescribes.
double LambdaBar2(double T_bar, double rho_bar, double cp_bar, double kappa, double mu_bar, double xi);

// zeta(T_bar_R, rho_bar) of the industrial formulation, Eq. 25 with Table 6, in place of the equation of
// state's derivative at T_R.
double IndustrialZetaAtTR(double rho_bar);

// Thermal conductivity with lambda_bar2 = 0 (lambda_bar0 lambda_bar1, as in R15-11 Table 4); W/(m K).
double BackgroundConductivity(double T, double rho);

// ---- Viscosity and thermal conductivity of one state -----------------------------------------------------

// Which critical enhancement a result carries.
enum class Enhancement {
  kNone,        // mu_bar2 = 1, lambda_bar2 = 0
  kIndustrial,  // mu_bar2 = 1 in mu and in lambda_bar2; zeta at T_R from Eq. 25 of R15-11
  kScientific,  // mu_bar2 from xi in mu and in lambda_bar2; zeta at T_R from the caller's equation of state
};

// What one evaluation of an equation of state supplies. A derivative the formulation cannot supply is NaN;
// drho_dp_T_at_TR is read only by the scientific form.
struct TransportInput {
  double T;                // K
  double rho;              // g/cm3
  double cp;               // kJ/(kg K)
  double cv;               // kJ/(kg K)
  double drho_dp_T;        // (g/cm3)/MPa, (d rho / d p)_T at (T, rho)
  double drho_dp_T_at_TR;  // (g/cm3)/MPa, (d rho / d p)_T at (T_R = 970.644 K, rho)
};

struct TransportOptions {
  Enhancement enhancement = Enhancement::kScientific;
  // Near the critical point an equation of state's cp, cp / cv and (d rho / d p)_T grow without bound (and
  // an approximate one such as IAPWS-IF97 can give them negative): when set, each of cp_bar, kappa and zeta
  // that is negative or above 1e13 (or infinite) is taken as 1e13 in lambda_bar2 and xi, so that lambda
  // stays finite up to the critical point. Meant for the industrial form. UNCONFIRMED: the rule and its 1e13
  // follow R15-11's industrial recommendations as recalled, not checked against the release's text; they act
  // only where a derivative is negative or above 1e13, at the critical point itself.
  bool bound_derivatives = false;
};

struct TransportProperties {
  double mu;                // Pa s
  double lambda;            // W/(m K)
  double xi;                // nm, correlation length; 0 outside the critical region, NaN when not evaluated
  double mu_bar2;           // viscosity enhancement factor; 1 when not applied
  double lambda_bar2;       // reduced conductivity enhancement; 0 when not applied
  Enhancement enhancement;  // the enhancement applied: the one asked for, or kNone when a derivative it
                            // needs is NaN (not supplied)
};

// mu and lambda of one state, xi computed once for both. A point IsStatePoint refuses: mu and lambda NaN. A
// result that would be infinite (derivatives infinite at the critical point, without the bounds) is NaN.
TransportProperties TransportOf(const TransportInput& input, const TransportOptions& options = {});

// ---- Surface tension, IAPWS R1-76(2014) --------------------------------------------------------------

inline constexpr double kSurfaceTensionLowestTemperature = 248.15;  // K, extrapolation into supercooled water
inline constexpr double kTriplePointTemperature = 273.16;           // K, lower end of the validated range
inline constexpr double kSurfaceTensionCriticalTemperature =
    647.096;  // K, Tc of the release, where sigma = 0

// sigma of the saturated liquid against its vapour, N/m: 0 at the critical temperature 647.096 K, NaN above
// it, below 248.15 K and for NaN.
double SurfaceTension(double T);

// True from the triple point to the critical point, the range the release validates (it allows
// extrapolation down to 248.15 K).
bool SurfaceTensionInRange(double T);

// ---- Derived properties ----------------------------------------------------------------------------------

// NaN unless rho, cp and lambda (where they enter) are positive.

double KinematicViscosity(double mu, double rho);                 // m2/s, from Pa s and g/cm3
double ThermalDiffusivity(double lambda, double rho, double cp);  // m2/s, from W/(m K), g/cm3, kJ/(kg K)
double PrandtlNumber(double mu, double cp, double lambda);        // from Pa s, kJ/(kg K), W/(m K)

// ---- Ranges of validity --------------------------------------------------------------------------------

// Melting pressures of ice Ih, III, V, VI and VII and the sublimation pressure of ice Ih, from the equations
// of IAPWS R14-08(2011); MPa. NaN outside each curve's temperature range. UNCONFIRMED against the release's
// text: the coefficients reproduce the release's check values transcribed with them (to six digits) and the
// curves meet at the triple points, but neither was checked against the release itself.
double MeltingPressureIceIh(double T);   // 251.165 K to 273.16 K
double MeltingPressureIceIII(double T);  // 251.165 K to 256.164 K
double MeltingPressureIceV(double T);    // 256.164 K to 273.31 K
double MeltingPressureIceVI(double T);   // 273.31 K to 355 K
double MeltingPressureIceVII(double T);  // 355 K to 715 K
double SublimationPressure(double T);    // 50 K to 273.16 K

// True when (T, p) is a stable fluid state: T at or above the melting temperature of p (p at or above the
// triple-point pressure) or the sublimation temperature of p (below it). False for p <= 0 and for NaN.
bool IsStableFluid(double T, double p);

// True when (T, p) lies in the release's range of validity (stable fluid; R12-08: T <= 1173.15 K up to
// 300 MPa, 873.15 K to 350 MPa, 433.15 K to 500 MPa, 373.15 K to 1000 MPa; R15-11: T <= 1173.15 K up to
// 100 MPa, 874 K to 250 MPa, 573 K to 687 MPa, 403 K to 785 MPa, 348 K to 1000 MPa). IAPWS's summary of
// R12-08 confirms its first step (the stable fluid from the melting curve to 1173 K up to 300 MPa, lower
// ceilings above it up to 1000 MPa); the other steps are UNCONFIRMED against the releases' text.
bool ViscosityInRange(double T, double p);
bool ConductivityInRange(double T, double p);

}  // namespace brimwater::transport

#endif  // BRIMWATER_TRANSPORT_TRANSPORT_H
