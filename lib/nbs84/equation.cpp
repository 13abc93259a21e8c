// The NBS/NRC 1984 equation of state (Haar, Gallagher and Kell, 1984): A(T, rho) as the sum of
//   base function     A_base = R T [-ln(1-y) - (beta-1)/(1-y) + (alpha+beta+1)/(2(1-y)^2) + 4y(B/b - gamma)
//                                   - (alpha-beta+3)/2 + ln(rho R T / p0)],  y = b rho / 4,
//   residual function A_res  = sum_{1..36} (g/k) tau0^l (1 - e^-rho)^k
//                              + sum_{37..40} g delta_i^k exp(-alpha_i delta_i^m - beta_i tau_i^2),
//   ideal-gas function A_id  = -R T [1 + (C1/theta + C2) ln theta + sum_{3..18} C_i theta^(i-6)],
//   reference term    R (u_ref + s_ref T),
// with tau0 = 647.073/T, theta = T/100, delta_i = rho/rho_i - 1, tau_i = T/T_i - 1. Pressure is
// rho^2 dA/drho and entropy -dA/dT, each written out term by term; h = A + T s + p/rho.
//
// rho is in g/cm3 and b, B in cm3/g, so rho R T is a pressure in MPa and A is in kJ/kg.
#include <array>
#include <cmath>

#include "nbs84/nbs84.h"

namespace brimwater::nbs84 {
namespace {

constexpr double kR = kGasConstant;            // kJ/(kg K)
constexpr double kT0 = 647.073;                // K, reducing temperature of the base and residual functions
constexpr double kP0 = 0.101325;               // MPa, reference pressure of the base function's logarithm
constexpr double kURef = 4321.900017;          // reference-state constant of A, times R
constexpr double kSRef = 7.640203087;          // reference-state constant of A, times R T
constexpr double kRSRef = 3.5261065287122397;  // R s_ref, as it enters the entropy

// Base-function constants alpha = 11, beta = 133/3, gamma = 3.5, in the combinations in which they enter.
constexpr double kAlpha = 11.0;
constexpr double kBeta = 44.333333333333336;
constexpr double kGamma = 3.5;
constexpr double kBetaMinus1 = 43.333333333333336;                // beta - 1
constexpr double kAlphaBetaPlus1 = 56.333333333333336;            // alpha + beta + 1
constexpr double kHalfAlphaBetaPlus1 = 28.166666666666668;        // (alpha + beta + 1) / 2
constexpr double kMinusHalfAlphaMinusBeta3 = 15.166666666666668;  // -(alpha - beta + 3) / 2
constexpr double kEntropyConstant = 16.166666666666668;           // -(alpha - beta + 3) / 2 + 1

// Excluded volume b(T) = b0 + b1 ln(T/T0) + b3 tau0^3 + b5 tau0^5 and second virial coefficient
// B(T) = B0 + B1 tau0 + B2 tau0^2 + B4 tau0^4, both in cm3/g.
constexpr double kB0 = 0.7478629;
constexpr double kB1Log = -0.3540782;
constexpr double kB3 = 0.007159876;
constexpr double kB5 = -0.003528426;
constexpr double kVirial0 = 1.1278334;
constexpr double kVirial1 = -0.5944001;
constexpr double kVirial2 = -5.010996;
constexpr double kVirial4 = 0.63684256;

// Residual function, first group: (g/k) tau0^l (1 - e^-rho)^k, g in kJ/kg.
struct PowerTerm {
  int k;
  int l;
  double g;
};

constexpr int kMaxK = 9;  // largest k of the first group
constexpr int kMaxL = 6;  // largest l of the first group

constexpr std::array<PowerTerm, 36> kResidual = {{
    {1, 1, -530.6297},  {1, 2, 2274.49},    {1, 4, 787.7933},   {1, 6, -69.83053},   // 1 to 4
    {2, 1, 17863.83},   {2, 2, -39514.73},  {2, 4, 33803.88},   {2, 6, -13855.05},   // 5 to 8
    {3, 1, -256374.4},  {3, 2, 482125.8},   {3, 4, -341830.2},  {3, 6, 122231.6},    // 9 to 12
    {4, 1, 1179743.0},  {4, 2, -2173481.0}, {4, 4, 1082995.0},  {4, 6, -254420.0},   // 13 to 16
    {5, 1, -3137778.0}, {5, 2, 5291191.0},  {5, 4, -1380258.0}, {5, 6, -251099.1},   // 17 to 20
    {6, 1, 4656183.0},  {6, 2, -7275278.0}, {6, 4, 417742.5},   {6, 6, 1401636.0},   // 21 to 24
    {7, 1, -3155523.0}, {7, 2, 4792967.0},  {7, 4, 409126.7},   {7, 6, -1362637.0},  // 25 to 28
    {9, 1, 696252.2},   {9, 2, -1083490.0}, {9, 4, -227228.3},  {9, 6, 383654.9},    // 29 to 32
    {3, 0, 6883.326},   {3, 3, 21757.25},   {1, 3, -2662.794},  {5, 3, -70730.42},   // 33 to 36
}};

// Residual function, second group: g delta_i^k exp(-alpha_i delta_i^m - beta_i tau_i^2), with
// delta_i = rho/rho_i - 1 and tau_i = T/T_i - 1. These terms shape the near-critical region (37 to 39)
// and the dense cold liquid (40).
struct GaussTerm {
  double g;  // kJ/kg
  int k;
  int m;
  double rho_i;  // g/cm3
  double T_i;    // K
  double alpha_i;
  double beta_i;
};

constexpr std::array<GaussTerm, 4> kGauss = {{
    {-0.225, 0, 2, 0.319, 640.0, 34.0, 20000.0},  // 37
    {-1.68, 2, 2, 0.319, 640.0, 40.0, 20000.0},   // 38
    {0.055, 0, 2, 0.319, 641.6, 30.0, 40000.0},   // 39
    {-93.0, 0, 4, 1.55, 270.0, 1053.0, 25.0},     // 40
}};

// Ideal-gas function coefficients C1 to C18, used with theta = T/100.
constexpr std::array<double, 18> kC = {{19.73027, 20.96627, -0.4834295, 6.057432, 22.56024, -9.875324,
                                        -4.313554, 0.4581558, -0.0477549, 0.004123846, -0.0002792905,
                                        1.448169e-05, -5.647366e-07, 1.620045e-08, -3.303823e-10,
                                        4.519161e-12, -3.707341e-14, 1.375461e-16}};

constexpr double kExpUnderflow = -746.0;  // exp of anything below rounds to 0 in double precision

// x^n for a small non-negative integer n.
inline double IntPower(double x, int n) {
  double r = 1.0;
  for (int i = 0; i < n; ++i) r *= x;
  return r;
}

// b, B and their temperature derivatives at T.
struct BaseCoefficients {
  double b;   // cm3/g
  double B;   // cm3/g
  double db;  // cm3/(g K)
  double dB;  // cm3/(g K)
};

BaseCoefficients BaseCoefficientsOf(double T) {
  const double tau = kT0 / T;
  const double tau2 = tau * tau;
  const double tau3 = tau2 * tau;
  const double tau4 = tau2 * tau2;
  const double tau5 = tau4 * tau;
  const double tau6 = tau3 * tau3;
  BaseCoefficients c{};
  c.b = kB0 + kB1Log * std::log(T / kT0) + kB3 * tau3 + kB5 * tau5;
  c.B = kVirial0 + kVirial1 * tau + kVirial2 * tau2 + kVirial4 * tau4;
  c.db = kB1Log / T - (3.0 * kB3 * tau4 + 5.0 * kB5 * tau6) / kT0;
  c.dB = -(kVirial1 * tau2 + 2.0 * kVirial2 * tau3 + 4.0 * kVirial4 * tau5) / kT0;
  return c;
}

// Powers tau0^0 .. tau0^(kMaxL + 1) and (1 - e^-rho)^0 .. (1 - e^-rho)^kMaxK.
struct ResidualPowers {
  std::array<double, kMaxL + 2> tau;
  std::array<double, kMaxK + 1> x;
};

ResidualPowers ResidualPowersOf(double tau0, double x) {
  ResidualPowers p{};
  p.tau[0] = 1.0;
  for (std::size_t i = 1; i < p.tau.size(); ++i) p.tau[i] = p.tau[i - 1] * tau0;
  p.x[0] = 1.0;
  for (std::size_t i = 1; i < p.x.size(); ++i) p.x[i] = p.x[i - 1] * x;
  return p;
}

inline std::size_t Index(int n) { return static_cast<std::size_t>(n); }

// exp(-alpha_i delta_i^m - beta_i tau_i^2) of one second-group term.
// Far from its centre a term's exponential underflows to exactly zero; skipping the call there (the vapour
// and gas states for terms 37 to 40) gives the same result without the slow underflow path of exp.
inline double GaussFactor(const GaussTerm& t, double delta, double tau) {
  const double exponent = -t.alpha_i * IntPower(delta, t.m) - t.beta_i * tau * tau;
  return exponent < kExpUnderflow ? 0.0 : std::exp(exponent);
}

// sum_{3..18} C_i theta^(i-6) in nested form.
double IdealPolynomial(double theta) {
  double sum = kC[17];
  for (std::size_t i = 17; i-- > 2;) sum = sum * theta + kC[i];
  return sum / (theta * theta * theta);
}

// sum_{3..18} (i-5) C_i theta^(i-6) in nested form.
double IdealEntropyPolynomial(double theta) {
  double sum = 13.0 * kC[17];
  for (std::size_t i = 17; i-- > 2;) sum = sum * theta + (static_cast<double>(i) - 4.0) * kC[i];
  return sum / (theta * theta * theta);
}

}  // namespace

double HelmholtzOfTD(double T, double rho) {
  const BaseCoefficients c = BaseCoefficientsOf(T);
  const double y = c.b * rho / 4.0;
  const double one_y = 1.0 - y;
  const double base =
      kR * T *
      (-std::log(one_y) - kBetaMinus1 / one_y + kHalfAlphaBetaPlus1 / (one_y * one_y) +
       4.0 * y * (c.B / c.b - kGamma) + kMinusHalfAlphaMinusBeta3 + std::log(rho * kR * T / kP0));

  const ResidualPowers p = ResidualPowersOf(kT0 / T, 1.0 - std::exp(-rho));
  double residual = 0.0;
  for (const PowerTerm& t : kResidual) {
    residual += t.g / static_cast<double>(t.k) * p.tau[Index(t.l)] * p.x[Index(t.k)];
  }
  for (const GaussTerm& t : kGauss) {
    const double delta = rho / t.rho_i - 1.0;
    const double tau = T / t.T_i - 1.0;
    residual += t.g * IntPower(delta, t.k) * GaussFactor(t, delta, tau);
  }

  const double theta = T / 100.0;
  const double ideal = -kR * T * (1.0 + (kC[0] / theta + kC[1]) * std::log(theta) + IdealPolynomial(theta));

  return base + residual + ideal + kR * (kURef + kSRef * T);
}

Isotherm MakeIsotherm(double T) {
  static_assert(sizeof(Isotherm::g_tau) / sizeof(double) == kResidual.size() &&
                    sizeof(Isotherm::gauss_tau) / sizeof(double) == kGauss.size(),
                "one entry per residual term");
  Isotherm iso{};
  iso.T = T;
  const BaseCoefficients c = BaseCoefficientsOf(T);
  iso.b = c.b;
  iso.virial_ratio = c.B / c.b - kGamma;
  const ResidualPowers p = ResidualPowersOf(kT0 / T, 0.0);
  for (std::size_t i = 0; i < kResidual.size(); ++i)
    iso.g_tau[i] = kResidual[i].g * p.tau[Index(kResidual[i].l)];
  for (std::size_t i = 0; i < kGauss.size(); ++i) {
    const double tau = T / kGauss[i].T_i - 1.0;
    iso.gauss_tau[i] = kGauss[i].beta_i * tau * tau;
  }
  return iso;
}

double PressureOnIsotherm(const Isotherm& iso, double rho) {
  const double y = iso.b * rho / 4.0;
  const double one_y = 1.0 - y;
  const double base =
      rho * kR * iso.T *
      ((1.0 + kAlpha * y + kBeta * y * y) / (one_y * one_y * one_y) + 4.0 * y * iso.virial_ratio);

  const double e = std::exp(-rho);
  const double x = 1.0 - e;
  std::array<double, kMaxK + 1> xp{};
  xp[0] = 1.0;
  for (std::size_t i = 1; i < xp.size(); ++i) xp[i] = xp[i - 1] * x;
  double sum = 0.0;
#pragma GCC unroll 64
  for (std::size_t i = 0; i < kResidual.size(); ++i) sum += iso.g_tau[i] * xp[Index(kResidual[i].k - 1)] * e;
#pragma GCC unroll 8
  for (std::size_t i = 0; i < kGauss.size(); ++i) {
    const GaussTerm& t = kGauss[i];
    const double delta = rho / t.rho_i - 1.0;
    // For k = 0 the term k delta^(k-1) vanishes.
    const double slope = (t.k > 0 ? static_cast<double>(t.k) * IntPower(delta, t.k - 1) : 0.0) -
                         t.alpha_i * static_cast<double>(t.m) * IntPower(delta, t.k + t.m - 1);
    const double exponent = -t.alpha_i * IntPower(delta, t.m) - iso.gauss_tau[i];
    const double factor = exponent < kExpUnderflow ? 0.0 : std::exp(exponent);
    sum += t.g / t.rho_i * factor * slope;
  }
  return base + rho * rho * sum;
}

double PressureOfTD(double T, double rho) { return PressureOnIsotherm(MakeIsotherm(T), rho); }

double EntropyOfTD(double T, double rho) {
  const BaseCoefficients c = BaseCoefficientsOf(T);
  const double y = c.b * rho / 4.0;
  const double one_y = 1.0 - y;
  const double one_y2 = one_y * one_y;
  const double Tdb = T * c.db;
  const double base =
      kR * (std::log(one_y) + kBetaMinus1 / one_y - kHalfAlphaBetaPlus1 / one_y2 -
            (c.b + Tdb) * rho * (c.B / c.b - kGamma) - kEntropyConstant - std::log(rho * kR * T / kP0) -
            (Tdb * rho / 4.0) * (1.0 / one_y - kBetaMinus1 / one_y2 + kAlphaBetaPlus1 / (one_y2 * one_y)) -
            rho * (T * c.dB - Tdb * c.B / c.b));

  const ResidualPowers p = ResidualPowersOf(kT0 / T, 1.0 - std::exp(-rho));
  double residual = 0.0;
  for (const PowerTerm& t : kResidual) {
    residual += t.g * (static_cast<double>(t.l) / static_cast<double>(t.k)) * p.tau[Index(t.l + 1)] *
                p.x[Index(t.k)] / kT0;
  }
  for (const GaussTerm& t : kGauss) {
    const double delta = rho / t.rho_i - 1.0;
    const double tau = T / t.T_i - 1.0;
    residual += 2.0 * t.g * t.beta_i * tau * IntPower(delta, t.k) * GaussFactor(t, delta, tau) / t.T_i;
  }

  const double theta = T / 100.0;
  const double ideal =
      kR * (kC[1] * (std::log(theta) + 1.0) + kC[0] / theta + 1.0 + IdealEntropyPolynomial(theta));

  return base + residual + ideal - kRSRef;
}

double EnthalpyOfTD(double T, double rho) {
  return HelmholtzOfTD(T, rho) + T * EntropyOfTD(T, rho) + PressureOfTD(T, rho) / rho;
}

// ---- The equation as a fundamental equation, for the state interface ------------------------------------
//
// A(T, rho) with its first and second derivatives, each group of terms differentiated once more than the
// historical operations above need:
//   base     A = R T F,  F = G(y) + rho C + ln(rho R T / p0) + const,  C = B - gamma b,
//            G(y) = -ln(1-y) - (beta-1)/(1-y) + (alpha+beta+1)/(2(1-y)^2)   (4y(B/b - gamma) = rho C);
//   first residual group  (g/k) tau0^l x^k,  x = 1 - e^-rho;
//   second residual group g delta^k exp(-alpha delta^m) exp(-beta tau^2);
//   ideal-gas function    -R T [1 + (C1/theta + C2) ln theta + sum C_i theta^n],  n = i - 6,
// with everything that depends on T alone formed once per isotherm (IsothermTerms).
//
// The first residual group's terms reach 1e6 kJ/kg in the dense liquid and cancel to a few hundred: summed in
// double precision they leave noise of 1e-8 kJ/kg in h and 3e-9 MPa in p, which the inverse pairs would see
// (at 0.1 MPa that is 3e-8 of the pressure). Its products and sums are formed in extended precision instead;
// tau0 and x themselves are rounded once, as the arguments are.
namespace {

using Wide = long double;

// The logarithms of T's reference values, so that one logarithm of T serves b(T), ln(R T / p0) and ln theta.
constexpr double kLnT0 = 6.4724591165752;         // ln 647.073
constexpr double kLnRPerP0 = 1.5161922174342617;  // ln(0.46152 / 0.101325)
constexpr double kLn100 = 4.605170185988092;      // ln 100

// The ideal-gas sum sum_{3..18} C_i theta^n with the weights n and n (n+1) (n = i - 6), which give
// theta P' and 2 theta P' + theta^2 P''.
constexpr std::array<double, 18> WeightedIdeal(int power) {
  std::array<double, 18> w{};
  for (int i = 2; i < 18; ++i) {
    const double n = static_cast<double>(i - 5);  // kC[i] is C_(i+1), of theta^(i+1-6)
    w[static_cast<std::size_t>(i)] = kC[static_cast<std::size_t>(i)] * (power == 1 ? n : n * (n + 1.0));
  }
  return w;
}

constexpr std::array<double, 18> kCn = WeightedIdeal(1);
constexpr std::array<double, 18> kCnn1 = WeightedIdeal(2);

// G(y) and its first two derivatives.
struct HardSphere {
  double G, G_y, G_yy;
};

HardSphere HardSphereOf(double y) {
  const double r = 1.0 / (1.0 - y);
  const double r2 = r * r;
  return {-std::log(1.0 - y) - kBetaMinus1 * r + kHalfAlphaBetaPlus1 * r2,
          r - kBetaMinus1 * r2 + kAlphaBetaPlus1 * r2 * r,
          r2 - 2.0 * kBetaMinus1 * r2 * r + 3.0 * kAlphaBetaPlus1 * r2 * r2};
}

Wide ToWide(double x) { return static_cast<Wide>(x); }

// One second-group term on the isotherm (tau = T / T_i - 1): g D e^(L + M) and its first two density
// derivatives, with D = delta^k, L = -alpha delta^m, M = -beta tau^2 and, in delta, (D e^L)' = (D' + D L')
// e^L and (D e^L)'' = (D'' + 2 D' L' + D (L'' + L'^2)) e^L. Zero where the exponential underflows.
struct GaussValue {
  double f, f_rho, f_rhorho;
};

GaussValue GaussTermOf(const GaussTerm& term, double tau, double rho) {
  const double delta = rho / term.rho_i - 1.0;
  const double delta_m1 = IntPower(delta, term.m - 1);
  const double exponent = -term.alpha_i * delta_m1 * delta - term.beta_i * tau * tau;
  if (exponent < kExpUnderflow) return {0.0, 0.0, 0.0};
  const double E = term.g * std::exp(exponent);
  const double k = static_cast<double>(term.k);
  const double m = static_cast<double>(term.m);
  const double D = IntPower(delta, term.k);
  const double D1 = term.k > 0 ? k * IntPower(delta, term.k - 1) : 0.0;
  const double D2 = term.k > 1 ? k * (k - 1.0) * IntPower(delta, term.k - 2) : 0.0;
  const double L1 = -term.alpha_i * m * delta_m1;
  const double L2 = -term.alpha_i * m * (m - 1.0) * IntPower(delta, term.m - 2);
  return {D * E, (D1 + D * L1) * E / term.rho_i,
          (D2 + 2.0 * D1 * L1 + D * (L2 + L1 * L1)) * E / (term.rho_i * term.rho_i)};
}

}  // namespace

IsothermTerms MakeIsothermTerms(double T) {
  IsothermTerms t{};
  t.T = T;
  const double inv_T = 1.0 / T;
  const double inv_T2 = inv_T * inv_T;

  // b and B with their temperature derivatives: d(tau0^n)/dT = -n tau0^n / T, d2(tau0^n)/dT2 =
  // n (n+1) tau0^n / T^2.
  const double ln_T = std::log(T);
  const double tau = kT0 * inv_T;
  const double tau2 = tau * tau;
  const double tau3 = tau2 * tau;
  const double tau4 = tau2 * tau2;
  const double tau5 = tau4 * tau;
  t.b = kB0 + kB1Log * (ln_T - kLnT0) + kB3 * tau3 + kB5 * tau5;
  t.b_T = (kB1Log - 3.0 * kB3 * tau3 - 5.0 * kB5 * tau5) * inv_T;
  t.b_TT = (-kB1Log + 12.0 * kB3 * tau3 + 30.0 * kB5 * tau5) * inv_T2;
  const double B = kVirial0 + kVirial1 * tau + kVirial2 * tau2 + kVirial4 * tau4;
  const double B_T = -(kVirial1 * tau + 2.0 * kVirial2 * tau2 + 4.0 * kVirial4 * tau4) * inv_T;
  const double B_TT = (2.0 * kVirial1 * tau + 6.0 * kVirial2 * tau2 + 20.0 * kVirial4 * tau4) * inv_T2;
  t.C = B - kGamma * t.b;
  t.C_T = B_T - kGamma * t.b_T;
  t.C_TT = B_TT - kGamma * t.b_TT;
  t.log_RT_p0 = ln_T + kLnRPerP0;

  // First residual group, by powers of x: the sums of g tau0^l, l g tau0^l and l (l+1) g tau0^l over the
  // terms of each k.
  Wide tau_l[kMaxL + 1];
  tau_l[0] = 1.0L;
  for (std::size_t l = 1; l <= kMaxL; ++l) tau_l[l] = tau_l[l - 1] * ToWide(tau);
  for (const PowerTerm& term : kResidual) {
    const Wide g = ToWide(term.g) * tau_l[Index(term.l)];
    const Wide l = static_cast<Wide>(term.l);
    t.column[Index(term.k - 1)] += g;
    t.column_l[Index(term.k - 1)] += l * g;
    t.column_ll1[Index(term.k - 1)] += l * (l + 1.0L) * g;
  }

  for (std::size_t i = 0; i < kGauss.size(); ++i) t.gauss_tau[i] = T / kGauss[i].T_i - 1.0;

  // Ideal-gas function, with I = 1 + (C1/theta + C2) ln theta + P(theta): A = -R T I,
  // A_T = -R (I + theta I_theta), A_TT = -R (C2 - C1/theta + 2 theta P' + theta^2 P'') / T; and the
  // reference-state term R (u_ref + s_ref T).
  const double theta = T / 100.0;
  const double ln_theta = ln_T - kLn100;
  double s0 = kC[17];
  double s1 = kCn[17];
  double s2 = kCnn1[17];
  for (std::size_t i = 17; i-- > 2;) {
    s0 = s0 * theta + kC[i];
    s1 = s1 * theta + kCn[i];
    s2 = s2 * theta + kCnn1[i];
  }
  const double inv_theta3 = 1.0 / (theta * theta * theta);
  const double I = 1.0 + (kC[0] / theta + kC[1]) * ln_theta + s0 * inv_theta3;
  const double theta_I = kC[0] * (1.0 - ln_theta) / theta + kC[1] + s1 * inv_theta3;
  t.ideal = -kR * T * I + kR * (kURef + kSRef * T);
  t.ideal_T = -kR * (I + theta_I) + kRSRef;
  t.ideal_TT = -kR * (kC[1] - kC[0] / theta + s2 * inv_theta3) * inv_T;
  return t;
}

numerics::HelmholtzPoint PointOnIsotherm(const IsothermTerms& t, double rho) {
  const double T = t.T;
  const double inv_T = 1.0 / T;
  const double RT = kR * T;

  // Base function.
  const double y = 0.25 * t.b * rho;
  const double y_T = 0.25 * t.b_T * rho;
  const HardSphere g = HardSphereOf(y);
  const double F = g.G + rho * t.C + kMinusHalfAlphaMinusBeta3 + std::log(rho) + t.log_RT_p0;
  const double F_rho = 0.25 * t.b * g.G_y + t.C + 1.0 / rho;
  const double F_rhorho = 0.0625 * t.b * t.b * g.G_yy - 1.0 / (rho * rho);
  const double F_T = g.G_y * y_T + rho * t.C_T + inv_T;
  const double F_TT = g.G_yy * y_T * y_T + g.G_y * 0.25 * t.b_TT * rho + rho * t.C_TT - inv_T * inv_T;
  const double F_Trho = g.G_yy * y_T * 0.25 * t.b + g.G_y * 0.25 * t.b_T + t.C_T;
  double a = RT * F + t.ideal;
  double a_T = kR * (F + T * F_T) + t.ideal_T;
  double a_rho = RT * F_rho;
  double a_TT = kR * (2.0 * F_T + T * F_TT) + t.ideal_TT;
  double a_Trho = kR * (F_rho + T * F_Trho);
  double a_rhorho = RT * F_rhorho;

  // First residual group, in nested form over k: d(x^k)/drho = k x^(k-1) e and d2(x^k)/drho2 =
  // k x^(k-2) e ((k-1) e - x), with e = e^-rho; d(tau0^l)/dT = -l tau0^l / T.
  const double e = std::exp(-rho);
  const Wide x = static_cast<Wide>(-std::expm1(-rho));
  Wide r = 0.0L, r_l = 0.0L, r_ll1 = 0.0L;    // sum x^k / k times the column sums of g, l g, l(l+1) g
  Wide r_x = 0.0L, r_xl = 0.0L, r_xx = 0.0L;  // sum x^(k-1) times g and l g; sum (k-1) x^(k-2) g
  for (std::size_t j = kMaxK; j-- > 0;) {
    // Column j holds the terms of power k = j + 1.
    const Wide inv_k = 1.0L / static_cast<Wide>(j + 1);
    r = r * x + t.column[j] * inv_k;
    r_l = r_l * x + t.column_l[j] * inv_k;
    r_ll1 = r_ll1 * x + t.column_ll1[j] * inv_k;
    if (j > 0) r_xx = r_xx * x + static_cast<Wide>(j) * t.column[j];
    r_x = r_x * x + t.column[j];
    r_xl = r_xl * x + t.column_l[j];
  }
  a += static_cast<double>(r * x);
  a_T -= static_cast<double>(r_l * x) * inv_T;
  a_TT += static_cast<double>(r_ll1 * x) * inv_T * inv_T;
  a_rho += static_cast<double>(r_x) * e;
  a_Trho -= static_cast<double>(r_xl) * e * inv_T;
  a_rhorho += (static_cast<double>(r_xx) * e - static_cast<double>(r_x)) * e;

  // Second residual group, with M_T = -2 beta tau / T_i and M_TT = -2 beta / T_i^2.
#pragma GCC unroll 8
  for (std::size_t i = 0; i < kGauss.size(); ++i) {
    const GaussTerm& term = kGauss[i];
    const GaussValue f = GaussTermOf(term, t.gauss_tau[i], rho);
    const double M_T = -2.0 * term.beta_i * t.gauss_tau[i] / term.T_i;
    const double M_TT = -2.0 * term.beta_i / (term.T_i * term.T_i);
    a += f.f;
    a_T += f.f * M_T;
    a_TT += f.f * (M_TT + M_T * M_T);
    a_rho += f.f_rho;
    a_Trho += f.f_rho * M_T;
    a_rhorho += f.f_rhorho;
  }
  return {T, rho, a, a_T, a_rho, a_TT, a_Trho, a_rhorho};
}

numerics::HelmholtzPoint PointOfTD(double T, double rho) {
  return PointOnIsotherm(MakeIsothermTerms(T), rho);
}

numerics::ValueSlope PressureAndSlopeOnIsotherm(const IsothermTerms& t, double rho) {
  // Base: p = rho R T (Z(y) + rho C), Z = (1 + alpha y + beta y^2) / (1-y)^3, so that
  // dp/drho = R T (Z + y Z' + 2 rho C).
  const double RT = kR * t.T;
  const double y = t.b * rho / 4.0;
  const double r = 1.0 / (1.0 - y);
  const double r3 = r * r * r;
  const double numerator = 1.0 + kAlpha * y + kBeta * y * y;
  const double Z = numerator * r3;
  const double Z_y = ((kAlpha + 2.0 * kBeta * y) + 3.0 * numerator * r) * r3;
  double p = rho * RT * (Z + rho * t.C);
  double p_rho = RT * (Z + y * Z_y + 2.0 * rho * t.C);

  // Residual: p = rho^2 S, dp/drho = 2 rho S + rho^2 S'. First group: S = sum g tau0^l x^(k-1) e and
  // S' = sum g tau0^l ((k-1) x^(k-2) e - x^(k-1)) e, in nested form over k, in extended precision.
  const double e = std::exp(-rho);
  const Wide x = static_cast<Wide>(-std::expm1(-rho));
  Wide sum = t.column[kMaxK - 1];
  Wide sum_x = static_cast<Wide>(kMaxK - 1) * t.column[kMaxK - 1];  // sum (k-1) c_k x^(k-2)
  for (std::size_t j = kMaxK - 1; j-- > 0;) {
    sum = sum * x + t.column[j];
    if (j > 0) sum_x = sum_x * x + static_cast<Wide>(j) * t.column[j];
  }
  double S = static_cast<double>(sum);
  double S_rho = (static_cast<double>(sum_x) * e - S) * e;
  S *= e;
  // Second group: each term's dA/drho adds to S, its d2A/drho2 to S'.
#pragma GCC unroll 8
  for (std::size_t i = 0; i < kGauss.size(); ++i) {
    const GaussValue f = GaussTermOf(kGauss[i], t.gauss_tau[i], rho);
    S += f.f_rho;
    S_rho += f.f_rhorho;
  }
  p += rho * rho * S;
  p_rho += rho * (2.0 * S + rho * S_rho);
  return {p, p_rho};
}

}  // namespace brimwater::nbs84
