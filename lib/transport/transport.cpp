// Viscosity and thermal conductivity of one state with their critical enhancements (R12-08 and R15-11,
// one correlation length for both), and the properties derived from them.
#include "transport/transport.h"

#include <cmath>
#include <limits>

namespace brimwater::transport {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// zeta = (d rho_bar / d p_bar)_T_bar = (d rho / d p)_T p* / rho*.
constexpr double kZetaPerDerivative = kReferencePressure / kReferenceDensity;

// The ceiling the bounded derivatives are held to (see TransportOptions::bound_derivatives).
constexpr double kDerivativeCeiling = 1.0e13;

// Negative, above the ceiling, infinite, or NaN (infinity over infinity in kappa): the ceiling.
double Bounded(double x) { return (x >= 0.0 && x <= kDerivativeCeiling) ? x : kDerivativeCeiling; }

double FiniteOrNaN(double x) { return std::isfinite(x) ? x : kNaN; }

}  // namespace

TransportProperties TransportOf(const TransportInput& input, const TransportOptions& options) {
  TransportProperties out{kNaN, kNaN, kNaN, 1.0, 0.0, Enhancement::kNone};
  if (!IsStatePoint(input.T, input.rho)) return out;

  const double T_bar = input.T / kReferenceTemperature;
  const double rho_bar = input.rho / kReferenceDensity;
  const double mu_bar01 = MuBar0(T_bar) * MuBar1(T_bar, rho_bar);
  const double lambda_bar01 = LambdaBar0(T_bar) * LambdaBar1(T_bar, rho_bar);

  // A derivative that is NaN was not supplied: the enhancement that needs it is left out, and said so.
  Enhancement enhancement = options.enhancement;
  const bool thermo = !std::isnan(input.cp) && !std::isnan(input.cv) && !std::isnan(input.drho_dp_T);
  if (enhancement == Enhancement::kScientific && (!thermo || std::isnan(input.drho_dp_T_at_TR))) {
    enhancement = Enhancement::kNone;
  }
  if (enhancement == Enhancement::kIndustrial && !thermo) enhancement = Enhancement::kNone;

  double mu_bar = mu_bar01;
  double lambda_bar = lambda_bar01;
  if (enhancement != Enhancement::kNone) {
    double cp_bar = input.cp / kGasConstant;  // R of R15-11 whatever the equation of state (Eq. 18)
    double kappa = input.cp / input.cv;
    double zeta = input.drho_dp_T * kZetaPerDerivative;
    if (options.bound_derivatives) {
      cp_bar = Bounded(cp_bar);
      kappa = Bounded(kappa);
      zeta = Bounded(zeta);
    }
    const double zeta_at_TR = enhancement == Enhancement::kScientific
                                  ? input.drho_dp_T_at_TR * kZetaPerDerivative
                                  : IndustrialZetaAtTR(rho_bar);
    out.xi = CorrelationLengthBar(T_bar, rho_bar, zeta, zeta_at_TR);
    if (enhancement == Enhancement::kScientific) {
      out.mu_bar2 = MuBar2(out.xi);
      mu_bar *= out.mu_bar2;
    }
    // lambda_bar2 divides by the full reduced viscosity of the form in use: with mu_bar2 in the scientific
    // form, without it in the industrial one (R15-11 Tables 5 and 7 to 9 are reproduced only so).
    out.lambda_bar2 = LambdaBar2(T_bar, rho_bar, cp_bar, kappa, mu_bar, out.xi);
    lambda_bar += out.lambda_bar2;
  }
  out.enhancement = enhancement;
  out.mu = FiniteOrNaN(mu_bar * kReferenceViscosity);
  out.lambda = FiniteOrNaN(lambda_bar * kReferenceConductivity);
  return out;
}

double KinematicViscosity(double mu, double rho) {
  if (!(rho > 0.0)) return kNaN;
  return FiniteOrNaN(mu / (rho * 1.0e3));  // rho in kg/m3
}

double ThermalDiffusivity(double lambda, double rho, double cp) {
  if (!(rho > 0.0) || !(cp > 0.0)) return kNaN;
  return FiniteOrNaN(lambda / (rho * 1.0e3 * cp * 1.0e3));  // rho in kg/m3, cp in J/(kg K)
}

double PrandtlNumber(double mu, double cp, double lambda) {
  // A negative cp (an approximate equation of state at its critical point) has no Prandtl number.
  if (!(lambda > 0.0) || !(cp > 0.0)) return kNaN;
  return FiniteOrNaN(mu * cp * 1.0e3 / lambda);  // cp in J/(kg K)
}

}  // namespace brimwater::transport
