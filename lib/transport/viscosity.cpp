// Viscosity of ordinary water substance, IAPWS R12-08 (the IAPWS Formulation 2008):
//   mu_bar = mu_bar0(T_bar) mu_bar1(T_bar, rho_bar) mu_bar2(T_bar, rho_bar)                       Eq. 10
// with the correlation length xi of the critical enhancement (Eqs. 20, 21), shared with R15-11.
#include <cmath>
#include <limits>

#include "transport/transport.h"

namespace brimwater::transport {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Table 1: H_i of mu_bar0, Eq. 11.
constexpr double kH[4] = {1.67752, 2.20462, 0.6366564, -0.241605};

// Table 2: the 21 non-zero H_ij of mu_bar1, Eq. 12; i is the power of (1/T_bar - 1), j of (rho_bar - 1).
struct Hij {
  int i, j;
  double H;
};
constexpr Hij kHij[21] = {
    {0, 0, 5.20094e-1},  {1, 0, 8.50895e-2},  {2, 0, -1.08374},    {3, 0, -2.89555e-1}, {0, 1, 2.22531e-1},
    {1, 1, 9.99115e-1},  {2, 1, 1.88797},     {3, 1, 1.26613},     {5, 1, 1.20573e-1},  {0, 2, -2.81378e-1},
    {1, 2, -9.06851e-1}, {2, 2, -7.72479e-1}, {3, 2, -4.89837e-1}, {4, 2, -2.57040e-1}, {0, 3, 1.61913e-1},
    {1, 3, 2.57399e-1},  {0, 4, -3.25372e-2}, {3, 4, 6.98452e-2},  {4, 5, 8.72102e-3},  {3, 6, -4.35673e-3},
    {5, 6, -5.93264e-4},
};

// Table 3: critical-region constants.
constexpr double kXMu = 0.068;              // critical exponent for viscosity
constexpr double kQC = 1.0 / 1.9;           // nm^-1
constexpr double kQD = 1.0 / 1.1;           // nm^-1
constexpr double kNu = 0.630;               // critical exponent
constexpr double kGamma = 1.239;            // critical exponent
constexpr double kXi0 = 0.13;               // nm, amplitude of the correlation length
constexpr double kGamma0 = 0.06;            // amplitude of the susceptibility
constexpr double kXiSeries = 0.3817016416;  // nm, where Eq. 15 hands over to Eq. 16

}  // namespace

double MuBar0(double T_bar) {
  if (!(T_bar > 0.0)) return kNaN;
  const double inv = 1.0 / T_bar;
  const double sum = kH[0] + inv * (kH[1] + inv * (kH[2] + inv * kH[3]));
  return 100.0 * std::sqrt(T_bar) / sum;
}

double MuBar1(double T_bar, double rho_bar) {
  if (!(T_bar > 0.0) || !(rho_bar >= 0.0)) return kNaN;
  double t[6];
  double r[7];
  t[0] = 1.0;
  r[0] = 1.0;
  const double dt = 1.0 / T_bar - 1.0;
  const double dr = rho_bar - 1.0;
  for (int k = 1; k < 6; ++k) t[k] = t[k - 1] * dt;
  for (int k = 1; k < 7; ++k) r[k] = r[k - 1] * dr;
  double sum = 0.0;
  for (const Hij& c : kHij) sum += c.H * t[c.i] * r[c.j];
  return std::exp(rho_bar * sum);
}

double MuBar2(double xi) {
  if (!(xi >= 0.0) || !std::isfinite(xi)) return kNaN;
  const double qc_xi = kQC * xi;
  const double qd_xi = kQD * xi;
  double Y;
  if (xi <= kXiSeries) {
    // Eq. 15: the expansion for small xi, where Eq. 16 loses its digits to cancellation.
    const double qd2 = qd_xi * qd_xi;
    const double qd5 = qd2 * qd2 * qd_xi;
    Y = 0.2 * qc_xi * qd5 * (1.0 - qc_xi + qc_xi * qc_xi - 765.0 / 504.0 * qd2);
  } else {
    const double psi_D = std::acos(1.0 / std::sqrt(1.0 + qd_xi * qd_xi));                            // Eq. 17
    const double w = std::sqrt(std::fabs((qc_xi - 1.0) / (qc_xi + 1.0))) * std::tan(0.5 * psi_D);    // Eq. 19
    const double L = qc_xi > 1.0 ? std::log((1.0 + w) / (1.0 - w)) : 2.0 * std::atan(std::fabs(w));  // Eq. 18
    const double qc2 = qc_xi * qc_xi;
    Y = std::sin(3.0 * psi_D) / 12.0 - std::sin(2.0 * psi_D) / (4.0 * qc_xi) +
        (1.0 - 1.25 * qc2) * std::sin(psi_D) / qc2 -
        ((1.0 - 1.5 * qc2) * psi_D - std::pow(std::fabs(qc2 - 1.0), 1.5) * L) / (qc2 * qc_xi);  // Eq. 16
  }
  return std::exp(kXMu * Y);  // Eq. 14
}

double CorrelationLengthBar(double T_bar, double rho_bar, double zeta, double zeta_at_TR) {
  if (!(T_bar > 0.0) || !(rho_bar >= 0.0)) return kNaN;
  double delta_chi = rho_bar * (zeta - zeta_at_TR * kReducedReferenceTemperature / T_bar);  // Eq. 21
  if (delta_chi < 0.0) delta_chi = 0.0;
  return kXi0 * std::pow(delta_chi / kGamma0, kNu / kGamma);  // Eq. 20
}

double CorrelationLength(double T, double rho, double drho_dp_T, double drho_dp_T_at_TR) {
  if (!IsStatePoint(T, rho)) return kNaN;
  // zeta = (d rho_bar / d p_bar)_T_bar = (d rho / d p)_T p* / rho*.
  constexpr double kZetaPerDerivative = kReferencePressure / kReferenceDensity;
  return CorrelationLengthBar(T / kReferenceTemperature, rho / kReferenceDensity,
                              drho_dp_T * kZetaPerDerivative, drho_dp_T_at_TR * kZetaPerDerivative);
}

double IndustrialViscosity(double T, double rho) {
  if (!IsStatePoint(T, rho)) return kNaN;
  const double T_bar = T / kReferenceTemperature;
  const double mu = MuBar0(T_bar) * MuBar1(T_bar, rho / kReferenceDensity) * kReferenceViscosity;
  return std::isfinite(mu) ? mu : kNaN;
}

}  // namespace brimwater::transport
