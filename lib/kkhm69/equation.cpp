// The 1969 fundamental equation of Keenan, Keyes, Hill and Moore: the residual function Q and its
// derivatives, the ideal-gas part psi0, and the pressure, enthalpy and entropy that follow from them.
#include <cmath>

#include "kkhm69/kkhm69.h"

namespace brimwater::kkhm69 {
namespace {

constexpr int kColumns = 7;
constexpr int kPolynomialRows = 8;
constexpr int kWideColumns = 2;  // columns 1 and 2 sum eight polynomial terms
constexpr int kNarrowTerms = 4;  // columns 3 to 7 sum four; their rows 5 to 8 are zero

// The A table of the 1969 equation (rho in g/cm3): rows i = 1..8 of the polynomial in (rho - rho_aj),
// columns j = 1..7.
constexpr double kA[kPolynomialRows][kColumns] = {
    {29.492937, -5.198586, 6.8335354, -0.1564104, -6.3972405, -3.9661401, -0.69048554},
    {-132.13917, 7.7779182, -26.149751, -0.72546108, 26.409282, 15.453061, 2.7407416},
    {274.64632, -33.301902, 65.326396, -9.2734289, -47.740374, -29.14247, -5.102807},
    {-360.93828, -16.254622, -26.181978, 4.312584, 56.32313, 29.568796, 3.9636085},
    {342.18431, -177.31074, 0.0, 0.0, 0.0, 0.0, 0.0},
    {-244.50042, 127.48742, 0.0, 0.0, 0.0, 0.0, 0.0},
    {155.18535, 137.46153, 0.0, 0.0, 0.0, 0.0, 0.0},
    {5.9728487, 155.97836, 0.0, 0.0, 0.0, 0.0, 0.0},
};
// Row 9, the constant, and row 10, the rho-coefficient, of the exponential term exp(-E rho)(A9j + A10j rho).
constexpr double kA9[kColumns] = {-410.30848, 337.3118, -137.46618, 6.7874983,
                                  136.87317,  79.84797, 13.041253};
constexpr double kA10[kColumns] = {-416.0586, -209.88866, -733.96848, 10.401717,
                                   645.8188,  399.1757,   71.531353};

constexpr double kE = 4.8;                // cm3/g, exponent factor of the exponential terms
constexpr double kRhoA1 = 0.634;          // g/cm3, density offset of column 1
constexpr double kRhoA = 1.0;             // g/cm3, density offset of columns 2 to 7
constexpr double kTauA = 2.5;             // tau offset of columns 2 to 7 (column 1 uses tau_c)
constexpr double kTauNumerator = 1000.0;  // tau = 1000 / T

// Ideal-gas constants C1..C8 (kJ/kg).
constexpr double kC1 = 1857.065;
constexpr double kC2 = 3229.12;
constexpr double kC3 = -419.465;
constexpr double kC4 = 36.6649;
constexpr double kC5 = -20.5516;
constexpr double kC6 = 4.85233;
constexpr double kC7 = 46.0;
constexpr double kC8 = -1011.249;

struct ResidualSums {
  double q;
  double q_rho;
  double q_tau;
};

// Q, Q_rho and Q_tau in one pass over the seven columns; each column's brackets are shared by the three.
// The pressure needs no Q_tau, so WithTau = false leaves it 0. Both loops are unrolled, so that each column's
// branches and table entries are fixed at compile time.
template <bool WithTau = true>
ResidualSums Residual(double tau, double rho) {
  const double e = std::exp(-kE * rho);
  const double t = tau - kTauCritical;  // (tau - tau_c)
  const double u = tau - kTauA;         // (tau - 2.5)
  ResidualSums sums = {0.0, 0.0, 0.0};
  double u_power = 1.0;      // (tau - 2.5)^(j-2) for the factor T_j, from column 3 on
  double u_power_tau = 1.0;  // (tau - 2.5)^(j-3) for the derivative T_j', from column 4 on
  double growth = u + t;     // (tau - 2.5) + (j - 2)(tau - tau_c) for T_j', starting at column 3
  // c counts columns from 0, so the published column is j = c + 1 and row i sits at index i - 1.
#pragma GCC unroll 8
  for (int c = 0; c < kColumns; ++c) {
    const double d = rho - (c == 0 ? kRhoA1 : kRhoA);
    const int terms = c < kWideColumns ? kPolynomialRows : kNarrowTerms;
    // Sum of A_ij d^(i-1) and of (i-1) A_ij d^(i-2), the powers built by repeated multiplication.
    double polynomial = kA[0][c];
    double polynomial_rho = 0.0;
    double d_power = 1.0;  // d^(i-2) for the row i = r + 1 of this pass
#pragma GCC unroll 8
    for (int r = 1; r < terms; ++r) {
      polynomial_rho += static_cast<double>(r) * kA[r][c] * d_power;
      d_power *= d;
      polynomial += kA[r][c] * d_power;
    }
    const double bracket = polynomial + e * (kA9[c] + kA10[c] * rho);
    const double bracket_rho = polynomial_rho + e * ((1.0 - kE * rho) * kA10[c] - kE * kA9[c]);

    double factor = 1.0;      // T_j
    double factor_tau = 0.0;  // T_j'
    if (c == 1) {
      factor = t;
      factor_tau = 1.0;
    } else if (c >= 2) {
      factor_tau = u_power_tau * growth;
      u_power_tau *= u;
      growth += t;
      u_power *= u;
      factor = t * u_power;
    }
    sums.q += factor * bracket;
    sums.q_rho += factor * bracket_rho;
    if constexpr (WithTau) sums.q_tau += factor_tau * bracket;
  }
  return sums;
}

}  // namespace

double Q(double tau, double rho) { return Residual(tau, rho).q; }
double Q_rho(double tau, double rho) { return Residual(tau, rho).q_rho; }
double Q_tau(double tau, double rho) { return Residual(tau, rho).q_tau; }

double psi0(double T) {
  const double tau = kTauNumerator / T;
  const double inv = 1.0 / tau;
  return kC1 + inv * (kC2 + inv * (kC3 + inv * (kC4 + inv * (kC5 + inv * kC6)))) +
         (kC7 + kC8 * inv) * std::log(T);
}

double psi0_tau(double T) {
  const double tau = kTauNumerator / T;
  const double inv = 1.0 / tau;
  const double powers = kC2 + inv * (2.0 * kC3 + inv * (3.0 * kC4 + inv * (4.0 * kC5 + inv * 5.0 * kC6)));
  return -inv * inv * powers - ((std::log(T) + 1.0) * kC8 * inv + kC7) * inv;
}

double PressureOfTD(double T, double rho) {
  const double tau = kTauNumerator / T;
  const ResidualSums r = Residual<false>(tau, rho);
  return ((r.q_rho * rho + r.q) * rho + 1.0) * rho * kGasConstant * T;
}

double EnthalpyOfTD(double T, double rho) {
  const double tau = kTauNumerator / T;
  const ResidualSums r = Residual(tau, rho);
  const double residual = r.q_tau * (tau * rho) + 1.0 + r.q * rho + r.q_rho * (rho * rho);
  return residual * (T * kGasConstant) + psi0(T) + psi0_tau(T) * tau;
}

double EntropyOfTD(double T, double rho) {
  const double tau = kTauNumerator / T;
  const ResidualSums r = Residual(tau, rho);
  return psi0_tau(T) * tau / T - kGasConstant * ((r.q - r.q_tau * tau) * rho + std::log(rho));
}

}  // namespace brimwater::kkhm69
