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
