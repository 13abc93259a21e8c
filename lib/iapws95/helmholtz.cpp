// IAPWS-95 Helmholtz free energy (IAPWS R6-95, Eqs. 4 to 6) and the properties of Table 3 that the kernel
// offers:
//   p = rho R T (1 + delta phir_delta)
//   h = R T (1 + tau (phi0_tau + phir_tau) + delta phir_delta)
//   s = R (tau (phi0_tau + phir_tau) - phi0 - phir)
// with delta = rho / rhoc and tau = Tc / T. Every power goes through GuardedPower, so that the non-analytic
// terms stay finite at the critical point, where Delta = 0 meets a negative exponent.
//
// Inside one call the powers of delta and tau (whole numbers and eighths) and the factors exp(-delta^c) are
// built once by square roots and repeated multiplication, with GuardedPower's treatment of a zero base; of
// the non-analytic terms' fractional powers, q^(2/3) and Delta^(b-1) are taken with GuardedPower and the
// others follow from them by a square root or a product.
#include <cmath>
#include <limits>

#include "iapws95/iapws95.h"

namespace brimwater::iapws95 {
namespace {

// GuardedPower's guards. The exponent guard is single precision's smallest normal number; the base counts as
// zero only below double precision's, since a tiny but nonzero Delta near the critical point must keep its
// ordinary power (Delta^(b-1) large but finite, multiplied by a small Delta_delta).
constexpr double kExponentEpsilon = 1.1754943508222875e-38;
constexpr double kBaseEpsilon = 2.2250738585072014e-308;
constexpr double kPowerCap = 3.4028234663852886e38;

// The q^3.5 and q^2.5 of the non-analytic terms are taken as zero below this.
constexpr double kQEpsilon = 1.1754943508222875e-38;

// Table 1, the ideal-gas part. n0_1 and n0_2 are the 1995 release's values.
constexpr double kN0[] = {-8.32044648201, 6.6832105268, 3.00632, 0.012436,
                          0.97315,        1.27950,      0.96956, 0.24873};
constexpr double kGamma0[] = {1.28728967, 3.53734222, 7.74073708, 9.24437796, 27.5075105};  // for n0_4..n0_8

// Table 2, the residual part.
// Terms 1 to 7, the polynomial terms: n * delta^d * tau^t.
constexpr double kPolyN[] = {
    0.12533547935523e-1, 0.78957634722828e1,   -0.87803203303561e1, 0.31802509345418,
    -0.26145533859358,   -0.78199751687981e-2, 0.88089493102134e-2,
};
constexpr int kPolyD[] = {1, 1, 1, 2, 2, 3, 4};
constexpr double kPolyT[] = {-0.5, 0.875, 1.0, 0.5, 0.75, 0.375, 1.0};
// Terms 8 to 51, the exponential terms: n * delta^d * tau^t * exp(-delta^c).
constexpr double kExpN[] = {
    -0.66856572307965,    0.20433810950965,      -0.66212605039687e-4, -0.19232721156002,
    -0.25709043003438,    0.16074868486251,      -0.40092828925807e-1, 0.39343422603254e-6,
    -0.75941377088144e-5, 0.56250979351888e-3,   -0.15608652257135e-4, 0.11537996422951e-8,
    0.36582165144204e-6,  -0.13251180074668e-11, -0.62639586912454e-9, -0.10793600908932,
    0.17611491008752e-1,  0.22132295167546,      -0.40247669763528,    0.58083399985759,
    0.49969146990806e-2,  -0.31358700712549e-1,  -0.74315929710341,    0.47807329915480,
    0.20527940895948e-1,  -0.13636435110343,     0.14180634400617e-1,  0.83326504880713e-2,
    -0.29052336009585e-1, 0.38615085574206e-1,   -0.20393486513704e-1, -0.16554050063734e-2,
    0.19955571979541e-2,  0.15870308324157e-3,   -0.16388568342530e-4, 0.43613615723811e-1,
    0.34994005463765e-1,  -0.76788197844621e-1,  0.22446277332006e-1,  -0.62689710414685e-4,
    -0.55711118565645e-9, -0.19905718354408,     0.31777497330738,     -0.11841182425981,
};
constexpr int kExpC[] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2,
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 6, 6, 6, 6,
};
constexpr int kExpD[] = {
    1, 1, 1, 2, 2, 3, 4, 4, 5, 7, 9,  10, 11, 13, 15, 1, 2, 2,  2, 3, 4, 4,
    4, 5, 6, 6, 7, 9, 9, 9, 9, 9, 10, 10, 12, 3,  4,  4, 5, 14, 3, 6, 6, 6,
};
constexpr double kExpT[] = {
    4.0, 6.0, 12.0, 1.0,  5.0,  4.0,  2.0,  13.0, 9.0,  3.0,  4.0,  11.0, 4.0,  13.0, 1.0,
    7.0, 1.0, 9.0,  10.0, 10.0, 3.0,  7.0,  10.0, 10.0, 6.0,  10.0, 10.0, 1.0,  2.0,  3.0,
    4.0, 8.0, 6.0,  9.0,  8.0,  16.0, 22.0, 23.0, 23.0, 10.0, 50.0, 44.0, 46.0, 50.0,
};

// Terms 52 to 54, the Gaussian terms: n delta^d tau^t exp(-alpha (delta - eps)^2 - beta (tau - gamma)^2),
// with alpha = 20 and eps = 1 for all three.
constexpr double kGaussN[] = {-0.31306260323435e2, 0.31546140237781e2, -0.25213154341695e4};
constexpr int kGaussD[] = {3, 3, 3};
constexpr double kGaussT[] = {0.0, 1.0, 4.0};
constexpr double kGaussBeta[] = {150.0, 150.0, 250.0};
constexpr double kGaussGamma[] = {1.21, 1.21, 1.25};

// Terms 55 and 56, the non-analytic terms: n Delta^b delta psi, with a = 3.5, A = 0.32 and B = 0.2 for both.
constexpr double kNonAnN[] = {-0.14874640856724, 0.31806110878444};
constexpr double kNonAnBeta[] = {0.3, 0.3};
constexpr double kNonAnB[] = {0.85, 0.95};
constexpr double kNonAnC[] = {28.0, 32.0};
constexpr double kNonAnD[] = {700.0, 800.0};

constexpr int kPolyTerms = 7;
constexpr int kExpTerms = 44;
constexpr int kGaussTerms = 3;
constexpr int kNonAnTerms = 2;
constexpr int kMaxDeltaPower = 15;
constexpr int kMaxTauPower = 50;

constexpr bool ExponentialTermsHaveWholeTauExponents() {
  for (double t : kExpT) {
    if (t != static_cast<double>(static_cast<int>(t)) || t < 1.0 || t > kMaxTauPower) return false;
  }
  for (int d : kExpD) {
    if (d < 1 || d > kMaxDeltaPower) return false;
  }
  return true;
}
static_assert(ExponentialTermsHaveWholeTauExponents(),
              "the exponential terms' powers are built by multiplication");
static_assert(sizeof(kExpN) / sizeof(kExpN[0]) == kExpTerms &&
                  sizeof(kExpC) / sizeof(kExpC[0]) == kExpTerms &&
                  sizeof(kPolyN) / sizeof(kPolyN[0]) == kPolyTerms,
              "Table 2 holds 7 polynomial and 44 exponential terms");

// The polynomial terms' tau exponents are whole eighths and the Gaussian terms' whole numbers, so their
// powers too are built from square roots and products.
constexpr bool PolynomialAndGaussianTauExponentsAreEighths() {
  for (double t : kPolyT) {
    if (t * 8.0 != static_cast<double>(static_cast<int>(t * 8.0)) || t < -1.0 || t > 1.0) return false;
  }
  for (double t : kGaussT) {
    if (t != static_cast<double>(static_cast<int>(t)) || t < 0.0 || t > kMaxTauPower) return false;
  }
  return true;
}
static_assert(PolynomialAndGaussianTauExponentsAreEighths(), "tau powers are built from eighth roots");
static_assert(kNonAnBeta[0] == kNonAnBeta[1], "theta and Delta are shared by the two non-analytic terms");

static_assert(sizeof(TauPowers::tau) / sizeof(double) == kMaxTauPower + 1 &&
                  sizeof(Isotherm::poly_tau) / sizeof(double) == kPolyTerms,
              "the isotherm holds every tau power the sums use");

// tau^0..tau^50 and tau^(j/8) of one temperature, each by one square root or product.
void FillTauPowers(double tau, TauPowers& w) {
  w.tau_zero = std::fabs(tau) < kBaseEpsilon;
  const double t = w.tau_zero ? 0.0 : tau;
  w.tau[0] = 1.0;
  for (int i = 1; i <= kMaxTauPower; ++i) w.tau[i] = w.tau[i - 1] * t;
  const double r2 = std::sqrt(t);
  const double r4 = std::sqrt(r2);
  const double r8 = std::sqrt(r4);
  w.tau_eighth[0] = 1.0;
  w.tau_eighth[1] = r8;
  w.tau_eighth[2] = r4;
  w.tau_eighth[3] = r4 * r8;
  w.tau_eighth[4] = r2;
  w.tau_eighth[5] = r2 * r8;
  w.tau_eighth[6] = r2 * r4;
  w.tau_eighth[7] = r2 * r4 * r8;
}

// The powers delta^0..delta^15 and exp(-delta^c) for the c of Table 2. A base below the smallest normal
// double counts as zero, as in GuardedPower.
struct DeltaPowers {
  double delta[kMaxDeltaPower + 1];
  double exp_delta[7];  // exp(-delta^c), c = 1, 2, 3, 4, 6
};

void FillDeltaPowers(double delta, DeltaPowers& w) {
  const double d = std::fabs(delta) < kBaseEpsilon ? 0.0 : delta;
  w.delta[0] = 1.0;
  for (int i = 1; i <= kMaxDeltaPower; ++i) w.delta[i] = w.delta[i - 1] * d;
  w.exp_delta[0] = 0.0;
  w.exp_delta[1] = std::exp(-w.delta[1]);
  w.exp_delta[2] = std::exp(-w.delta[2]);
  w.exp_delta[3] = std::exp(-w.delta[3]);
  w.exp_delta[4] = std::exp(-w.delta[4]);
  w.exp_delta[5] = 0.0;  // no term has c = 5
  w.exp_delta[6] = std::exp(-w.delta[6]);
}

int Whole(double t) { return static_cast<int>(t); }

// tau^t for t a whole number of eighths, as GuardedPower(tau, t) gives it.
double TauPower(const TauPowers& w, double t) {
  if (w.tau_zero) return GuardedPower(0.0, t);
  const int k = static_cast<int>(t * 8.0);
  const int m = k < 0 ? -k : k;
  const double v = w.tau[m / 8] * w.tau_eighth[m % 8];
  return k < 0 ? 1.0 / v : v;
}

// The quantities of the non-analytic terms, with every fractional power they need from three calls of the
// power function: q = (delta - 1)^2, q^(1/(2 beta) - 1) and q^2.5 (for Delta_delta), theta, Delta, and
// Delta^(b - 1) and Delta^b of each term. A power one higher is the lower one times its base, with
// GuardedPower's values kept where the base counts as zero or is not finite.
struct NonAnalytic {
  double q;
  double q_power;  // q^(1/(2 beta) - 1)
  double q25;      // q^2.5, 0 below kQEpsilon
  double theta;
  double delta_cap;               // Delta
  double cap_power[kNonAnTerms];  // Delta^(b - 1)
  double cap_b[kNonAnTerms];      // Delta^b
};

// x^(e + 1) from x^e = power.
double NextPower(double x, double power, double e) {
  if (std::fabs(x) >= kBaseEpsilon && std::isfinite(x)) return power * x;
  return GuardedPower(x, e + 1.0);
}

NonAnalytic NonAnalyticParts(double delta, double tau) {
  NonAnalytic na{};
  na.q = (delta - 1.0) * (delta - 1.0);
  const double q = na.q;
  constexpr double kQExponent = 1.0 / (2.0 * kNonAnBeta[0]) - 1.0;
  na.q_power = GuardedPower(q, kQExponent);
  na.theta = (1.0 - tau) + 0.32 * NextPower(q, na.q_power, kQExponent);
  if (q < kQEpsilon) {
    na.q25 = 0.0;
    na.delta_cap = na.theta * na.theta;
  } else {
    na.q25 = q * q * std::sqrt(q);
    na.delta_cap = na.theta * na.theta + 0.2 * (na.q25 * q);  // q^3.5
  }
  for (int i = 0; i < kNonAnTerms; ++i) {
    na.cap_power[i] = GuardedPower(na.delta_cap, kNonAnB[i] - 1.0);
    na.cap_b[i] = NextPower(na.delta_cap, na.cap_power[i], kNonAnB[i] - 1.0);
  }
  return na;
}

double Psi(double q, double tau, int i) {
  return std::exp(-kNonAnC[i] * q - kNonAnD[i] * (tau - 1.0) * (tau - 1.0));
}

double GaussExponential(double delta, double tau, int i) {
  const double dd = delta - 1.0;
  const double dt = tau - kGaussGamma[i];
  return std::exp(-20.0 * dd * dd - kGaussBeta[i] * dt * dt);
}

// Terms 52 and 53 share beta and gamma, so their exponential factor is one and the same.
static_assert(kGaussBeta[0] == kGaussBeta[1] && kGaussGamma[0] == kGaussGamma[1],
              "the first two Gaussian terms share their exponential");

// Below this q the non-analytic terms' Delta^b, Delta^(b-1) and Delta_delta are finite, so where both factors
// psi have underflowed to zero (far from the critical isotherm) those terms add exactly zero and are skipped.
constexpr double kNonAnFiniteQ = 1e30;

// phir_delta: terms 1 to 56 with the powers of tau already built.
double ResidualDeltaSum(const TauPowers& tw, const double (&poly_tau)[kPolyTerms], const DeltaPowers& w,
                        double delta, double tau) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (int i = 0; i < kPolyTerms; ++i) sum += kPolyN[i] * kPolyD[i] * w.delta[kPolyD[i] - 1] * poly_tau[i];
#pragma GCC unroll 64
  for (int i = 0; i < kExpTerms; ++i) {
    const int c = kExpC[i];
    const int d = kExpD[i];
    sum += kExpN[i] * w.exp_delta[c] * w.delta[d - 1] * tw.tau[Whole(kExpT[i])] * (d - c * w.delta[c]);
  }
  const double gauss01 = GaussExponential(delta, tau, 0);
  const double gauss[kGaussTerms] = {gauss01, gauss01, GaussExponential(delta, tau, 2)};
#pragma GCC unroll 64
  for (int i = 0; i < kGaussTerms; ++i) {
    sum += kGaussN[i] * w.delta[kGaussD[i]] * tw.tau[Whole(kGaussT[i])] * gauss[i] *
           (kGaussD[i] / delta - 40.0 * (delta - 1.0));
  }
  const double q = (delta - 1.0) * (delta - 1.0);
  const double psi[kNonAnTerms] = {Psi(q, tau, 0), Psi(q, tau, 1)};
  if (psi[0] == 0.0 && psi[1] == 0.0 && q < kNonAnFiniteQ) return sum;
  const NonAnalytic na = NonAnalyticParts(delta, tau);
  const double beta = kNonAnBeta[0];
  const double cap_delta =  // Delta_delta
      (delta - 1.0) * ((2.0 / beta) * 0.32 * na.theta * na.q_power + 1.4 * na.q25);
  for (int i = 0; i < kNonAnTerms; ++i) {
    const double b = kNonAnB[i];
    const double psi_delta = -2.0 * kNonAnC[i] * (delta - 1.0) * psi[i];
    const double cap_b_delta = b * na.cap_power[i] * cap_delta;
    sum += kNonAnN[i] * (na.cap_b[i] * (psi[i] + delta * psi_delta) + cap_b_delta * delta * psi[i]);
  }
  return sum;
}

// phir_tau: terms 1 to 56 with the powers of tau and delta already built.
double ResidualTauSum(const TauPowers& tw, const DeltaPowers& w, double delta, double tau) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (int i = 0; i < kPolyTerms; ++i) {
    sum += kPolyN[i] * kPolyT[i] * w.delta[kPolyD[i]] * TauPower(tw, kPolyT[i] - 1.0);
  }
#pragma GCC unroll 64
  for (int i = 0; i < kExpTerms; ++i) {
    const int t = Whole(kExpT[i]);
    sum += kExpN[i] * kExpT[i] * w.delta[kExpD[i]] * tw.tau[t - 1] * w.exp_delta[kExpC[i]];
  }
  const double gauss01 = GaussExponential(delta, tau, 0);
  const double gauss[kGaussTerms] = {gauss01, gauss01, GaussExponential(delta, tau, 2)};
#pragma GCC unroll 64
  for (int i = 0; i < kGaussTerms; ++i) {
    sum += kGaussN[i] * w.delta[kGaussD[i]] * tw.tau[Whole(kGaussT[i])] * gauss[i] *
           (kGaussT[i] / tau - 2.0 * kGaussBeta[i] * (tau - kGaussGamma[i]));
  }
  const NonAnalytic na = NonAnalyticParts(delta, tau);
  for (int i = 0; i < kNonAnTerms; ++i) {
    const double b = kNonAnB[i];
    const double psi = Psi(na.q, tau, i);
    const double cap_b_tau = -2.0 * na.theta * b * na.cap_power[i];
    const double psi_tau = -2.0 * kNonAnD[i] * (tau - 1.0) * psi;
    sum += kNonAnN[i] * delta * (cap_b_tau * psi + na.cap_b[i] * psi_tau);
  }
  return sum;
}

void PolynomialTauPowers(const TauPowers& tw, double (&poly_tau)[kPolyTerms]) {
  for (int i = 0; i < kPolyTerms; ++i) poly_tau[i] = TauPower(tw, kPolyT[i]);
}

}  // namespace

double GuardedPower(double x, double e) {
  if (std::fabs(e) < kExponentEpsilon) return 1.0;
  if (std::fabs(x) >= kBaseEpsilon) return std::pow(x, e);
  if (e > 0.0) return 0.0;
  return x < 0.0 ? -kPowerCap : kPowerCap;
}

namespace {

// The ideal-gas part's factors exp(-gamma0_i tau), shared by phi0 and phi0_tau.
struct IdealExponentials {
  double e[5];
};

IdealExponentials IdealExponentialsOf(double tau) {
  IdealExponentials x{};
  for (int i = 0; i < 5; ++i) x.e[i] = std::exp(-kGamma0[i] * tau);
  return x;
}

double IdealSum(double delta, double tau, const IdealExponentials& x) {
  double sum = std::log(delta) + kN0[0] + kN0[1] * tau + kN0[2] * std::log(tau);
  for (int i = 0; i < 5; ++i) sum += kN0[i + 3] * std::log(1.0 - x.e[i]);
  return sum;
}

double IdealTauSum(double tau, const IdealExponentials& x) {
  double sum = kN0[1] + kN0[2] / tau;
  for (int i = 0; i < 5; ++i) sum += kN0[i + 3] * kGamma0[i] * (GuardedPower(1.0 - x.e[i], -1.0) - 1.0);
  return sum;
}

// phir: terms 1 to 56 with the powers of tau and delta already built.
double ResidualSum(const TauPowers& tw, const DeltaPowers& w, double delta, double tau) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (int i = 0; i < kPolyTerms; ++i) sum += kPolyN[i] * w.delta[kPolyD[i]] * TauPower(tw, kPolyT[i]);
#pragma GCC unroll 64
  for (int i = 0; i < kExpTerms; ++i) {
    sum += kExpN[i] * w.delta[kExpD[i]] * tw.tau[Whole(kExpT[i])] * w.exp_delta[kExpC[i]];
  }
  const double gauss01 = GaussExponential(delta, tau, 0);
  const double gauss[kGaussTerms] = {gauss01, gauss01, GaussExponential(delta, tau, 2)};
#pragma GCC unroll 64
  for (int i = 0; i < kGaussTerms; ++i) {
    sum += kGaussN[i] * w.delta[kGaussD[i]] * tw.tau[Whole(kGaussT[i])] * gauss[i];
  }
  const NonAnalytic na = NonAnalyticParts(delta, tau);
  for (int i = 0; i < kNonAnTerms; ++i) {
    sum += kNonAnN[i] * na.cap_b[i] * delta * Psi(na.q, tau, i);
  }
  return sum;
}

}  // namespace

double IdealHelmholtz(double delta, double tau) { return IdealSum(delta, tau, IdealExponentialsOf(tau)); }

double IdealHelmholtzTau(double tau) { return IdealTauSum(tau, IdealExponentialsOf(tau)); }

double ResidualHelmholtz(double delta, double tau) {
  TauPowers tw;
  FillTauPowers(tau, tw);
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  return ResidualSum(tw, w, delta, tau);
}

double ResidualHelmholtzDelta(double delta, double tau) {
  TauPowers tw;
  FillTauPowers(tau, tw);
  double poly_tau[kPolyTerms];
  PolynomialTauPowers(tw, poly_tau);
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  return ResidualDeltaSum(tw, poly_tau, w, delta, tau);
}

double ResidualHelmholtzTau(double delta, double tau) {
  TauPowers tw;
  FillTauPowers(tau, tw);
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  return ResidualTauSum(tw, w, delta, tau);
}

Isotherm MakeIsotherm(double T) {
  Isotherm iso{};
  iso.T = T;
  iso.tau = kCriticalTemperature / T;
  FillTauPowers(iso.tau, iso.powers);
  PolynomialTauPowers(iso.powers, iso.poly_tau);
  return iso;
}

double PressureOnIsotherm(const Isotherm& iso, double rho) {
  const double delta = rho / kCriticalDensity;
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  return rho * kGasConstant * iso.T *
         (1.0 + delta * ResidualDeltaSum(iso.powers, iso.poly_tau, w, delta, iso.tau));
}

double PressureOfTD(double T, double rho) { return PressureOnIsotherm(MakeIsotherm(T), rho); }

double EnthalpyOfTD(double T, double rho) {
  const double delta = rho / kCriticalDensity;
  const double tau = kCriticalTemperature / T;
  TauPowers tw;
  FillTauPowers(tau, tw);
  double poly_tau[kPolyTerms];
  PolynomialTauPowers(tw, poly_tau);
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  return kGasConstant * T *
         (1.0 + tau * (IdealHelmholtzTau(tau) + ResidualTauSum(tw, w, delta, tau)) +
          delta * ResidualDeltaSum(tw, poly_tau, w, delta, tau));
}

double EntropyOfTD(double T, double rho) {
  const double delta = rho / kCriticalDensity;
  const double tau = kCriticalTemperature / T;
  TauPowers tw;
  FillTauPowers(tau, tw);
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  const IdealExponentials x = IdealExponentialsOf(tau);
  return kGasConstant * (tau * (IdealTauSum(tau, x) + ResidualTauSum(tw, w, delta, tau)) -
                         IdealSum(delta, tau, x) - ResidualSum(tw, w, delta, tau));
}

}  // namespace brimwater::iapws95

// ---- The release's own face: a(T, rho) with every first and second derivative from one evaluation --------
//
// IAPWS R6-95(2018), Table 4 (the ideal-gas part and its derivatives) and Table 5 (the residual part's). The
// sums over terms 1 to 54 are formed scaled, as delta phi_delta, delta^2 phi_deltadelta, tau phi_tau,
// tau^2 phi_tautau and delta tau phi_deltatau, which turns every derivative of a term into the term times a
// factor; the non-analytic terms 55 and 56 are summed as they stand. Everything that depends on tau alone is
// built once per isotherm (MakeIsothermTerms), so a density search pays only for the delta parts.
namespace brimwater::iapws95 {
namespace {

// Table 1 of IAPWS R6-95(2018): n0_1 and n0_2 as the current release gives them, which put u' = 0 and s' = 0
// for the saturated liquid at the triple point to the digits of Tables 7 and 8 (the historical functions keep
// the 1995 values, kN0 above).
constexpr double kN0Current1 = -8.3204464837497;
constexpr double kN0Current2 = 6.6832105275932;

// The non-analytic terms: A, B, a and beta of Table 2 (the same for terms 55 and 56), and the constants of
// Delta_deltadelta (Table 5) that follow from them.
constexpr double kA = 0.32;
constexpr double kB = 0.2;
constexpr double kSmallA = 3.5;
constexpr double kBeta = 0.3;
constexpr double kDeltaDeltaTheta = 2.0 / kBeta + (4.0 / kBeta) * (1.0 / (2.0 * kBeta) - 1.0);
constexpr double kDeltaDeltaQ25 = 2.0 * kB * kSmallA + 4.0 * kB * kSmallA * (kSmallA - 1.0);
constexpr double kDeltaDeltaQ73 = 2.0 * kA * kA / (kBeta * kBeta);
static_assert(kNonAnBeta[0] == kBeta, "the non-analytic terms' beta");

// psi's tau factor exp(-D (tau - 1)^2) below which terms 55 and 56 change no sum by more than its last bits
// (outside 515 K to 870 K): there |tau - 1| > 0.25, so Delta > 0.06, and the factors beside psi stay below
// about 1e4 for every density up to 1.3 g/cm3.
constexpr double kNegligiblePsi = 1e-20;

// The Gaussian terms' alpha, and their tau^2 phi_tautau factor beyond (t - 2 beta tau (tau - gamma))^2.
constexpr double kGaussAlpha = 20.0;

struct Sums {
  double f, d, dd, t, tt, dt;  // phi and its derivatives, scaled or not as the caller says
};

// Terms 55 and 56 with their derivatives (Table 5), unscaled. At the critical point itself Delta = 0: the
// first derivatives and phi_deltadelta, phi_deltatau vanish there, and phi_tautau diverges; term 55 (b =
// 0.85, n < 0) is the more singular, so phi_tautau -> -infinity (cv -> +infinity).
Sums NonAnalyticSums(const IsothermTerms& iso, double delta) {
  const double tau = iso.tau;
  const NonAnalytic na = NonAnalyticParts(delta, tau);
  if (na.delta_cap < kBaseEpsilon) {
    return {0.0, 0.0, 0.0, 0.0, -std::numeric_limits<double>::infinity(), 0.0};
  }
  const double dm1 = delta - 1.0;
  const double tm1 = tau - 1.0;
  const double q = na.q;
  const double cap = na.delta_cap;  // Delta
  const double cap_d = dm1 * ((2.0 / kBeta) * kA * na.theta * na.q_power + 2.0 * kB * kSmallA * na.q25);
  const double cap_dd = kA * na.theta * na.q_power * kDeltaDeltaTheta + kDeltaDeltaQ25 * na.q25 +
                        kDeltaDeltaQ73 * q * na.q_power * na.q_power;
  // theta^2 Delta^(b-2), Delta_delta^2 Delta^(b-2) and theta Delta_delta Delta^(b-2) as Delta^(b-1) times a
  // ratio of order one, which stays finite where Delta^(b-2) alone would overflow.
  const double theta2_ratio = na.theta * na.theta / cap;
  const double cap_d2_ratio = cap_d * cap_d / cap;
  const double theta_cap_d_ratio = na.theta * cap_d / cap;
  const double e_q = std::exp(-4.0 * q);  // exp(-C q) for C = 28 and 32 as its 7th and 8th powers
  const double e_q2 = e_q * e_q;
  const double e_q4 = e_q2 * e_q2;
  const double e_c[kNonAnTerms] = {e_q4 * e_q2 * e_q, e_q4 * e_q4};
  static_assert(kNonAnC[0] == 28.0 && kNonAnC[1] == 32.0, "exp(-C q) as powers of exp(-4 q)");
  Sums s{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  for (int i = 0; i < kNonAnTerms; ++i) {
    const double n = kNonAnN[i];
    const double b = kNonAnB[i];
    const double C = kNonAnC[i];
    const double D = kNonAnD[i];
    const double psi = e_c[i] * iso.psi_tau[i];
    const double psi_d = -2.0 * C * dm1 * psi;
    const double psi_dd = (2.0 * C * q - 1.0) * 2.0 * C * psi;
    const double psi_t = -2.0 * D * tm1 * psi;
    const double psi_tt = (2.0 * D * tm1 * tm1 - 1.0) * 2.0 * D * psi;
    const double psi_dt = 4.0 * C * D * dm1 * tm1 * psi;
    const double b1 = na.cap_power[i];  // Delta^(b-1)
    const double db = na.cap_b[i];      // Delta^b
    const double db_d = b * b1 * cap_d;
    const double db_dd = b * b1 * (cap_dd + (b - 1.0) * cap_d2_ratio);
    const double db_t = -2.0 * na.theta * b * b1;
    const double db_tt = 2.0 * b * b1 + 4.0 * b * (b - 1.0) * b1 * theta2_ratio;
    const double db_dt =
        -kA * b * (2.0 / kBeta) * b1 * dm1 * na.q_power - 2.0 * b * (b - 1.0) * b1 * theta_cap_d_ratio;
    s.f += n * db * delta * psi;
    s.d += n * (db * (psi + delta * psi_d) + db_d * delta * psi);
    s.dd +=
        n * (db * (2.0 * psi_d + delta * psi_dd) + 2.0 * db_d * (psi + delta * psi_d) + db_dd * delta * psi);
    s.t += n * delta * (db_t * psi + db * psi_t);
    s.tt += n * delta * (db_tt * psi + 2.0 * db_t * psi_t + db * psi_tt);
    s.dt += n * (db * (psi_t + delta * psi_dt) + delta * db_d * psi_t + db_t * (psi + delta * psi_d) +
                 db_dt * delta * psi);
  }
  return s;
}

// Terms 1 to 54, scaled: f = phi, d = delta phi_delta, dd = delta^2 phi_deltadelta, t = tau phi_tau,
// tt = tau^2 phi_tautau, dt = delta tau phi_deltatau. With `all` false only d and dd are formed (the
// pressure and its slope).
template <bool all>
Sums AnalyticSums(const IsothermTerms& iso, const DeltaPowers& w, double delta) {
  Sums s{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
#pragma GCC unroll 64
  for (int i = 0; i < kPolyTerms; ++i) {
    const double term = iso.poly[i] * w.delta[kPolyD[i]];
    const double d = kPolyD[i];
    const double t = kPolyT[i];
    s.d += d * term;
    s.dd += d * (d - 1.0) * term;
    if constexpr (all) {
      s.f += term;
      s.t += t * term;
      s.tt += t * (t - 1.0) * term;
      s.dt += d * t * term;
    }
  }
#pragma GCC unroll 64
  for (int i = 0; i < kExpTerms; ++i) {
    const int c = kExpC[i];
    const double term = iso.exponential[i] * w.delta[kExpD[i]] * w.exp_delta[c];
    const double g = kExpD[i] - c * w.delta[c];  // d - c delta^c
    const double t = kExpT[i];
    s.d += g * term;
    s.dd += (g * (g - 1.0) - c * c * w.delta[c]) * term;
    if constexpr (all) {
      s.f += term;
      s.t += t * term;
      s.tt += t * (t - 1.0) * term;
      s.dt += t * g * term;
    }
  }
  const double dm1 = delta - 1.0;
  const double e_delta = std::exp(-kGaussAlpha * dm1 * dm1);
  const double g_delta = 2.0 * kGaussAlpha * delta * dm1;  // d - g_delta is the Gaussian delta factor
#pragma GCC unroll 64
  for (int i = 0; i < kGaussTerms; ++i) {
    const double d = kGaussD[i];
    const double term = iso.gauss[i] * w.delta[kGaussD[i]] * e_delta;
    const double gd = d - g_delta;
    s.d += gd * term;
    s.dd += (gd * gd - d - 2.0 * kGaussAlpha * delta * delta) * term;
    if constexpr (all) {
      const double gt = iso.gauss_t[i];
      s.f += term;
      s.t += gt * term;
      s.tt += (gt * gt - kGaussT[i] - 2.0 * kGaussBeta[i] * iso.tau * iso.tau) * term;
      s.dt += gd * gt * term;
    }
  }
  return s;
}

}  // namespace

IsothermTerms MakeIsothermTerms(double T) {
  IsothermTerms iso{};
  iso.T = T;
  iso.tau = kCriticalTemperature / T;
  const double tau = iso.tau;
  // Table 4: phi0 = ln delta + n1 + n2 tau + n3 ln tau + sum n_i ln(1 - exp(-gamma_i tau)), i = 4..8.
  iso.ideal = kN0Current1 + kN0Current2 * tau + kN0[2] * std::log(tau);
  iso.ideal_tau = kN0Current2 * tau + kN0[2];
  iso.ideal_tautau = -kN0[2];
  for (int i = 0; i < 5; ++i) {
    const double x = kGamma0[i] * tau;
    const double one_minus_e = -std::expm1(-x);                // 1 - exp(-gamma tau)
    const double e_ratio = (1.0 - one_minus_e) / one_minus_e;  // exp(-x) / (1 - exp(-x))
    iso.ideal += kN0[i + 3] * std::log(one_minus_e);
    iso.ideal_tau += kN0[i + 3] * x * e_ratio;
    iso.ideal_tautau -= kN0[i + 3] * x * x * e_ratio / one_minus_e;
  }
  TauPowers tw;
  FillTauPowers(tau, tw);
  for (int i = 0; i < kPolyTerms; ++i) iso.poly[i] = kPolyN[i] * TauPower(tw, kPolyT[i]);
  for (int i = 0; i < kExpTerms; ++i) iso.exponential[i] = kExpN[i] * tw.tau[Whole(kExpT[i])];
  for (int i = 0; i < kGaussTerms; ++i) {
    const double dt = tau - kGaussGamma[i];
    iso.gauss[i] = kGaussN[i] * tw.tau[Whole(kGaussT[i])] * std::exp(-kGaussBeta[i] * dt * dt);
    iso.gauss_t[i] = kGaussT[i] - 2.0 * kGaussBeta[i] * tau * dt;
  }
  for (int i = 0; i < kNonAnTerms; ++i) iso.psi_tau[i] = std::exp(-kNonAnD[i] * (tau - 1.0) * (tau - 1.0));
  iso.non_analytic = iso.psi_tau[0] >= kNegligiblePsi || iso.psi_tau[1] >= kNegligiblePsi;
  return iso;
}

numerics::HelmholtzPoint PointOnIsotherm(const IsothermTerms& iso, double rho) {
  const double delta = rho / kCriticalDensity;
  const double tau = iso.tau;
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  const Sums r = AnalyticSums<true>(iso, w, delta);
  const Sums na = iso.non_analytic ? NonAnalyticSums(iso, delta) : Sums{0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  // phi and its derivatives, scaled as the sums are (Table 4 for the ideal-gas part: phi0_delta = 1 / delta,
  // phi0_deltadelta = -1 / delta^2, phi0_deltatau = 0).
  const double phi = iso.ideal + std::log(delta) + r.f + na.f;
  const double phi_d = 1.0 + r.d + delta * na.d;                      // delta phi_delta
  const double phi_dd = -1.0 + r.dd + delta * delta * na.dd;          // delta^2 phi_deltadelta
  const double phi_t = iso.ideal_tau + r.t + tau * na.t;              // tau phi_tau
  const double phi_tt = iso.ideal_tautau + r.tt + tau * tau * na.tt;  // tau^2 phi_tautau
  const double phi_dt = r.dt + delta * tau * na.dt;                   // delta tau phi_deltatau
  // a = R T phi with d tau / dT = -tau / T and d delta / d rho = 1 / rho.
  const double RT = kGasConstant * iso.T;
  return {iso.T,
          rho,
          RT * phi,
          kGasConstant * (phi - phi_t),
          RT * phi_d / rho,
          kGasConstant * phi_tt / iso.T,
          kGasConstant * (phi_d - phi_dt) / rho,
          RT * phi_dd / (rho * rho)};
}

numerics::HelmholtzPoint PointOfTD(double T, double rho) {
  return PointOnIsotherm(MakeIsothermTerms(T), rho);
}

numerics::ValueSlope PressureAndSlope(const IsothermTerms& iso, double rho) {
  const double delta = rho / kCriticalDensity;
  DeltaPowers w;
  FillDeltaPowers(delta, w);
  const Sums r = AnalyticSums<false>(iso, w, delta);
  double d = r.d;
  double dd = r.dd;
  if (iso.non_analytic) {
    const Sums na = NonAnalyticSums(iso, delta);
    d += delta * na.d;
    dd += delta * delta * na.dd;
  }
  // p = rho R T (1 + delta phir_delta), (dp/drho)_T = R T (1 + 2 delta phir_delta + delta^2 phir_deltadelta).
  const double RT = kGasConstant * iso.T;
  return {rho * RT * (1.0 + d), RT * (1.0 + 2.0 * d + dd)};
}

}  // namespace brimwater::iapws95
