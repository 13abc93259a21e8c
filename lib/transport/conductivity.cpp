// Thermal conductivity of ordinary water substance, IAPWS R15-11 (the IAPWS Formulation 2011):
//   lambda_bar = lambda_bar0(T_bar) lambda_bar1(T_bar, rho_bar) + lambda_bar2(T_bar, rho_bar)
// with the industrial reference zeta(T_bar_R, rho_bar) of Eq. 25.
#include <cmath>
#include <limits>

#include "transport/transport.h"

namespace brimwater::transport {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Table 1: L_k of lambda_bar0, Eq. 16.
constexpr double kL[5] = {2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3, 4.096266e-4};

// Table 2: L_ij of lambda_bar1, Eq. 17; rows i (power of 1/T_bar - 1), columns j (power of rho_bar - 1).
constexpr double kLij[5][6] = {
    {1.60397357, -0.646013523, 0.111443906, 0.102997357, -0.0504123634, 0.00609859258},
    {2.33771842, -2.78843778, 1.53616167, -0.463045512, 0.0832827019, -0.00719201245},
    {2.19650529, -4.54580785, 3.55777244, -1.40944978, 0.275418278, -0.0205938816},
    {-1.21051378, 1.60812989, -0.621178141, 0.0716373224, 0, 0},
    {-2.7203370, 4.57586331, -3.18369245, 1.1168348, -0.19268305, 0.012913842},
};

// Table 3: critical-region constants (nu, gamma, xi0, Gamma0 and T_bar_R are those of R12-08).
constexpr double kCapitalLambda = 177.8514;
constexpr double kQD = 1.0 / 0.40;     // nm^-1
constexpr double kSmallestY = 1.2e-7;  // below it Z(y) = 0, Eq. 19

// Table 6: A_ij of Eq. 25, rows i (power of rho_bar), columns j (density range, below).
constexpr double kA[6][5] = {
    {6.53786807199516, 6.52717759281799, 5.35500529896124, 1.55225959906681, 1.11999926419994},
    {-5.61149954923348, -6.30816983387575, -3.96415689925446, 0.464621290821181, 0.595748562571649},
    {3.39624167361325, 8.08379285492595, 8.91990208918795, 8.93237374861479, 9.88952565078920},
    {-2.27492629730878, -9.82240510197603, -12.0338729505790, -11.0321960061126, -10.3255051147040},
    {10.2631854662709, 12.1358413791395, 9.19494865194302, 6.16780999933360, 4.66861294457414},
    {1.97815050331519, -5.54349664571295, -2.16866274479712, -0.965458722086812, -0.503243546373828},
};
// Upper ends of the density ranges of the columns j = 0 to 3 (100, 250, 400 and 600 kg/m3, reduced).
constexpr double kColumnEnd[4] = {0.310559006, 0.776397516, 1.242236025, 1.863354037};

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double LambdaBar0(double T_bar) {
  if (!(T_bar > 0.0)) return kNaN;
  const double inv = 1.0 / T_bar;
  const double sum = kL[0] + inv * (kL[1] + inv * (kL[2] + inv * (kL[3] + inv * kL[4])));
  return std::sqrt(T_bar) / sum;
}

double LambdaBar1(double T_bar, double rho_bar) {
  if (!(T_bar > 0.0) || !(rho_bar >= 0.0)) return kNaN;
  const double dt = 1.0 / T_bar - 1.0;
  const double dr = rho_bar - 1.0;
  double sum = 0.0;
  for (int i = 4; i >= 0; --i) {
    const double* row = kLij[i];
    const double inner = row[0] + dr * (row[1] + dr * (row[2] + dr * (row[3] + dr * (row[4] + dr * row[5]))));
    sum = sum * dt + inner;
  }
  return std::exp(rho_bar * sum);
}

double LambdaBar2(double T_bar, double rho_bar, double cp_bar, double kappa, double mu_bar, double xi) {
  const double y = kQD * xi;  // Eq. 20
  if (!(y >= 0.0) || !(rho_bar >= 0.0)) return kNaN;
  if (y < kSmallestY) return 0.0;
  const double inv_kappa = 1.0 / kappa;
  const double Z = 2.0 / (kPi * y) *
                   (((1.0 - inv_kappa) * std::atan(y) + inv_kappa * y) -
                    (1.0 - std::exp(-1.0 / (1.0 / y + y * y / (3.0 * rho_bar * rho_bar)))));  // Eq. 19
  return kCapitalLambda * rho_bar * cp_bar * T_bar * Z / mu_bar;                              // Eq. 18
}

double IndustrialZetaAtTR(double rho_bar) {
  if (!(rho_bar >= 0.0)) return kNaN;
  int j = 4;
  for (int k = 0; k < 4; ++k) {
    if (rho_bar <= kColumnEnd[k]) {
      j = k;
      break;
    }
  }
  double sum = 0.0;
  for (int i = 5; i >= 0; --i) sum = sum * rho_bar + kA[i][j];
  return 1.0 / sum;  // Eq. 25
}

double BackgroundConductivity(double T, double rho) {
  if (!IsStatePoint(T, rho)) return kNaN;
  const double T_bar = T / kReferenceTemperature;
  const double lambda =
      LambdaBar0(T_bar) * LambdaBar1(T_bar, rho / kReferenceDensity) * kReferenceConductivity;
  return std::isfinite(lambda) ? lambda : kNaN;
}

}  // namespace brimwater::transport
