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

// ---------------------------------------------------------------------------------------------------------
// The state interface's face: the Helmholtz function with every first and second derivative from one
// evaluation, and the pressure with its density derivative along an isotherm.

namespace brimwater::kkhm69 {
namespace {

// The density powers of one point: (rho - rho_a1)^k for column 1 and (rho - 1)^k for columns 2 to 7,
// k = 0..7, built once by repeated multiplication.
struct DensityPowers {
  double d1[kPolynomialRows];
  double d2[kPolynomialRows];
  double e;  // exp(-E rho)
};

DensityPowers PowersAt(double rho) {
  DensityPowers p;
  p.d1[0] = 1.0;
  p.d2[0] = 1.0;
  const double d1 = rho - kRhoA1;
  const double d2 = rho - kRhoA;
#pragma GCC unroll 8
  for (int k = 1; k < kPolynomialRows; ++k) {
    p.d1[k] = p.d1[k - 1] * d1;
    p.d2[k] = p.d2[k - 1] * d2;
  }
  p.e = std::exp(-kE * rho);
  return p;
}

// The bracket of column c (from 0) of Q and its first and second density derivatives:
//   B = sum A_ij d^(i-1) + e (A9j + A10j rho),
//   B_rho = sum (i-1) A_ij d^(i-2) + e ((1 - E rho) A10j - E A9j),
//   B_rhorho = sum (i-1)(i-2) A_ij d^(i-3) + E e (E (A9j + A10j rho) - 2 A10j).
struct Bracket {
  double b, b_rho, b_rhorho;
};

template <int kTerms>
Bracket BracketOf(int c, const double* d, double e, double rho) {
  double b = kA[0][c];
  double b_rho = 0.0;
  double b_rhorho = 0.0;
#pragma GCC unroll 8
  for (int r = 1; r < kTerms; ++r) {
    b += kA[r][c] * d[r];
    b_rho += static_cast<double>(r) * kA[r][c] * d[r - 1];
    if (r >= 2) b_rhorho += static_cast<double>(r * (r - 1)) * kA[r][c] * d[r - 2];
  }
  const double exponential = kA9[c] + kA10[c] * rho;
  b += e * exponential;
  b_rho += e * ((1.0 - kE * rho) * kA10[c] - kE * kA9[c]);
  b_rhorho += kE * e * (kE * exponential - 2.0 * kA10[c]);
  return {b, b_rho, b_rhorho};
}

// The seven brackets at one density.
struct Brackets {
  Bracket column[kColumns];
};

Brackets BracketsAt(double rho) {
  const DensityPowers p = PowersAt(rho);
  Brackets b;
  b.column[0] = BracketOf<kPolynomialRows>(0, p.d1, p.e, rho);
  b.column[1] = BracketOf<kPolynomialRows>(1, p.d2, p.e, rho);
#pragma GCC unroll 8
  for (int c = kWideColumns; c < kColumns; ++c) b.column[c] = BracketOf<kNarrowTerms>(c, p.d2, p.e, rho);
  return b;
}

// The temperature factors of the seven columns and their first and second tau derivatives, with
// t = tau - tau_c and u = tau - 2.5: T1 = 1; T2 = t; Tj = t u^(j-2),
// Tj' = u^(j-2) + (j-2) t u^(j-3), Tj'' = 2 (j-2) u^(j-3) + (j-2)(j-3) t u^(j-4) for j = 3..7.
struct Factors {
  double f[kColumns], f_tau[kColumns], f_tautau[kColumns];
};

Factors FactorsAt(double tau) {
  const double t = tau - kTauCritical;
  const double u = tau - kTauA;
  double u_power[kColumns - 1];  // u^0 .. u^5
  u_power[0] = 1.0;
#pragma GCC unroll 8
  for (int k = 1; k < kColumns - 1; ++k) u_power[k] = u_power[k - 1] * u;
  Factors F;
  F.f[0] = 1.0;
  F.f_tau[0] = 0.0;
  F.f_tautau[0] = 0.0;
  F.f[1] = t;
  F.f_tau[1] = 1.0;
  F.f_tautau[1] = 0.0;
#pragma GCC unroll 8
  for (int c = 2; c < kColumns; ++c) {
    const int m = c - 1;  // the exponent j - 2 of u for the published column j = c + 1
    F.f[c] = t * u_power[m];
    F.f_tau[c] = u_power[m] + static_cast<double>(m) * t * u_power[m - 1];
    F.f_tautau[c] = 2.0 * static_cast<double>(m) * u_power[m - 1] +
                    (m >= 2 ? static_cast<double>(m * (m - 1)) * t * u_power[m - 2] : 0.0);
  }
  return F;
}

}  // namespace

numerics::HelmholtzPoint Point(double T, double rho) {
  const double tau = kTauNumerator / T;
  const Brackets b = BracketsAt(rho);
  const Factors F = FactorsAt(tau);
  double q = 0.0, q_rho = 0.0, q_rhorho = 0.0, q_tau = 0.0, q_tautau = 0.0, q_rhotau = 0.0;
#pragma GCC unroll 8
  for (int c = 0; c < kColumns; ++c) {
    const Bracket& B = b.column[c];
    q += F.f[c] * B.b;
    q_rho += F.f[c] * B.b_rho;
    q_rhorho += F.f[c] * B.b_rhorho;
    q_tau += F.f_tau[c] * B.b;
    q_tautau += F.f_tautau[c] * B.b;
    q_rhotau += F.f_tau[c] * B.b_rho;
  }

  // psi0 in theta = T / 1000 = 1 / tau: C1 + C2 theta + ... + C6 theta^5 + (C7 + C8 theta) ln T, and its
  // first and second derivatives in T (d theta / dT = 1 / 1000).
  const double theta = T / kTauNumerator;
  const double ln_T = std::log(T);
  const double k = 1.0 / kTauNumerator;  // d theta / dT
  const double log_part = kC7 + kC8 * theta;
  const double psi0_value =
      kC1 + theta * (kC2 + theta * (kC3 + theta * (kC4 + theta * (kC5 + theta * kC6)))) + log_part * ln_T;
  const double psi0_T =
      k * (kC2 + theta * (2.0 * kC3 + theta * (3.0 * kC4 + theta * (4.0 * kC5 + theta * 5.0 * kC6))) +
           kC8 * ln_T) +
      log_part / T;
  const double psi0_TT =
      k * k * (2.0 * kC3 + theta * (6.0 * kC4 + theta * (12.0 * kC5 + theta * 20.0 * kC6))) +
      2.0 * k * kC8 / T - log_part / (T * T);

  // psi = psi0 + R T (ln rho + rho Q), d tau / dT = -tau / T:
  //   psi_rho = R T (1 / rho + Q + rho Q_rho), psi_rhorho = R T (-1 / rho^2 + 2 Q_rho + rho Q_rhorho),
  //   psi_T = psi0_T + R (ln rho + rho (Q - tau Q_tau)), psi_TT = psi0_TT + R rho tau^2 Q_tautau / T,
  //   psi_Trho = R (1 / rho + Q + rho Q_rho - tau (Q_tau + rho Q_rhotau)).
  const double RT = kGasConstant * T;
  const double inv_rho = 1.0 / rho;
  const double ln_rho = std::log(rho);
  const double rho_q_rho = rho * q_rho;
  return {T,
          rho,
          psi0_value + RT * (ln_rho + rho * q),
          psi0_T + kGasConstant * (ln_rho + rho * (q - tau * q_tau)),
          RT * (inv_rho + q + rho_q_rho),
          psi0_TT + kGasConstant * rho * tau * tau * q_tautau / T,
          kGasConstant * (inv_rho + q + rho_q_rho - tau * (q_tau + rho * q_rhotau)),
          RT * (2.0 * q_rho + rho * q_rhorho - inv_rho * inv_rho)};
}

Isotherm MakeIsotherm(double T) {
  const Factors F = FactorsAt(kTauNumerator / T);
  Isotherm iso;
  iso.T = T;
#pragma GCC unroll 8
  for (int c = 0; c < kColumns; ++c) iso.factor[c] = F.f[c];
  return iso;
}

numerics::ValueSlope PressureOnIsotherm(const Isotherm& iso, double rho) {
  const Brackets b = BracketsAt(rho);
  double q = 0.0, q_rho = 0.0, q_rhorho = 0.0;
#pragma GCC unroll 8
  for (int c = 0; c < kColumns; ++c) {
    q += iso.factor[c] * b.column[c].b;
    q_rho += iso.factor[c] * b.column[c].b_rho;
    q_rhorho += iso.factor[c] * b.column[c].b_rhorho;
  }
  // p = R T rho (1 + rho Q + rho^2 Q_rho), (dp/drho)_T = R T (1 + 2 rho Q + 4 rho^2 Q_rho + rho^3 Q_rhorho).
  const double RT = kGasConstant * iso.T;
  const double rho2 = rho * rho;
  const double rho_q = rho * q;
  const double rho2_q_rho = rho2 * q_rho;
  return {RT * rho * (1.0 + rho_q + rho2_q_rho),
          RT * (1.0 + 2.0 * rho_q + 4.0 * rho2_q_rho + rho * rho2 * q_rhorho)};
}

}  // namespace brimwater::kkhm69
