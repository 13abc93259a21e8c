// The transport properties of the states the pair solvers assemble: one evaluation of the IAPWS correlations
// per state, in the form the formulation calls for, and the validity of the result.
#include "state/transport.h"

#include <cmath>
#include <limits>

#include "transport/transport.h"

namespace brimwater::state {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TransportForm FormOf(transport::Enhancement enhancement) {
  switch (enhancement) {
    case transport::Enhancement::kScientific: return TransportForm::Full;
    case transport::Enhancement::kIndustrial: return TransportForm::Industrial;
    case transport::Enhancement::kNone: break;
  }
  return TransportForm::None;
}

// Inside the ranges of validity of both R12-08 and R15-11 (the stable fluid up to their temperature and
// pressure ceilings).
bool InTransportRange(double T, double P) {
  return transport::ViscosityInRange(T, P) && transport::ConductivityInRange(T, P);
}

// sigma of R1-76(2014) on a formulation's saturation line. The release's sigma vanishes at its critical
// temperature, 647.096 K; a formulation whose own critical point lies higher (IFC-67: 647.3 K) has saturated
// states above it, whose surface tension is zero, not undefined.
double SurfaceTensionOnSaturationLine(const Formulation& f, double T) {
  if (T > transport::kSurfaceTensionCriticalTemperature && T <= f.critical_T) return 0.0;
  return transport::SurfaceTension(T);
}

// (d rho / d P)_T at the reference temperature T_R = 970.644 K and rho, for the full form's Delta chi_bar
// (R12-08 Eq. 21): from the formulation's own equation where (T_R, rho) lies in its range of validity.
// Beyond it, at the high densities where T_R means pressures of gigapascals, an older equation extrapolates
// far from its data (KKHM 1969 above 100 MPa, from 284 kg/m3 at T_R: its zeta at 998 kg/m3 is a tenth of
// what R15-11 Eq. 25 gives, and would enhance the conductivity of cold water by 0.05 %); there Eq. 25,
// IAPWS's correlation of the same reference function, stands in. Inside the range the two agree to 0.3 %
// (KKHM 1969), so the handover moves lambda by less than 1e-4 of itself.
double DerivativeAtReferenceTemperature(const Formulation& f, double rho) {
  const Properties reference = FromHelmholtz(f.helmholtz_point(transport::kReferenceTemperatureR, rho));
  if (f.in_range(reference.T, reference.P)) return reference.drho_dP;
  constexpr double kDerivativePerZeta = transport::kReferenceDensity / transport::kReferencePressure;
  return transport::IndustrialZetaAtTR(rho / transport::kReferenceDensity) * kDerivativePerZeta;
}

}  // namespace

void AddTransport(const Formulation& f, const Properties& p, State& s) {
  transport::TransportInput in{p.T, p.rho, p.cp, p.cv, p.drho_dP, kNaN};
  transport::TransportOptions options;
  if (f.helmholtz_point != nullptr) {
    // The full form: mu_bar2 in mu and in lambda_bar2, zeta at T_R from the formulation's own equation. It
    // needs a stable state: where an equation far outside its range gives cp, cv or (d rho / d P)_T that are
    // not positive, the enhancements are left out (and the form reported as None) rather than turned
    // negative.
    options = {transport::Enhancement::kScientific, false};
    if (p.cp > 0.0 && p.cv > 0.0 && p.drho_dP > 0.0) {
      in.drho_dp_T_at_TR = DerivativeAtReferenceTemperature(f, p.rho);
    }
  } else {
    // The industrial form for an industrial formulation: mu_bar2 = 1 (R12-08), zeta at T_R from R15-11
    // Eq. 25, and cp, cp / cv and zeta bounded where the formulation's derivatives diverge or turn negative
    // at the critical point.
    options = {transport::Enhancement::kIndustrial, true};
  }
  const transport::TransportProperties t = transport::TransportOf(in, options);
  s.mu = t.mu;
  s.lambda = t.lambda;
  s.nu = transport::KinematicViscosity(t.mu, p.rho);
  s.alpha = transport::ThermalDiffusivity(t.lambda, p.rho, p.cp);
  s.Pr = transport::PrandtlNumber(t.mu, p.cp, t.lambda);
  s.transport = FormOf(t.enhancement);
  if (std::isnan(t.mu) || std::isnan(t.lambda)) {
    s.transport_status = Status::NoSolution;
  } else {
    s.transport_status = InTransportRange(p.T, p.P) ? Status::Ok : Status::Extrapolated;
  }
}

void AddSaturatedTransport(const Formulation& f, const Properties& p, State& s) {
  AddTransport(f, p, s);
  s.sigma = SurfaceTensionOnSaturationLine(f, p.T);
  if (s.transport_status == Status::Ok && !transport::SurfaceTensionInRange(p.T)) {
    s.transport_status = Status::Extrapolated;
  }
}

void AddMixtureTransport(const Formulation& f, State& s) {
  s.sigma = SurfaceTensionOnSaturationLine(f, s.T);
  if (std::isnan(s.sigma)) {
    s.transport_status = Status::NoSolution;
  } else {
    s.transport_status = transport::SurfaceTensionInRange(s.T) ? Status::Ok : Status::Extrapolated;
  }
}

}  // namespace brimwater::state
