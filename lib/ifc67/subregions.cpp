// IFC-67 sub-region equations (The 1967 IFC Formulation for Industrial Use), each evaluated in closed form
// from the analytic derivatives of its characteristic function:
//   sub-regions 1, 2 (Gibbs, zeta(theta, beta)):    chi = zeta_beta,  eps = zeta - theta zeta_theta,
//                                                    sigma = -zeta_theta
//   sub-regions 3, 4 (Helmholtz, psi(theta, chi)):  beta = -psi_chi,  eps = psi - theta psi_theta + chi beta,
//                                                    sigma = -psi_theta
// Integer powers are built by repeated multiplication and the sums in nested form.
#include <array>
#include <cmath>
#include <cstddef>

#include "ifc67/ifc67.h"

namespace brimwater::ifc67 {
namespace {

using Derivatives = CharacteristicFunction;

// ---- Sub-region 1: constants A0 to A22 and a1 to a12 ----------------------------------------------------

constexpr double kA0 = 6.824687741e3;
// A1 .. A10, the coefficients of theta^(nu - 1).
constexpr std::array<double, 10> kA1To10 = {
    -5.422063673e2,  // A1
    -2.096666205e4,  // A2
    3.941286787e4,   // A3
    -6.733277739e4,  // A4
    9.902381028e4,   // A5
    -1.093911774e5,  // A6
    8.590841667e4,   // A7
    -4.511168742e4,  // A8
    1.418138926e4,   // A9
    -2.017271113e3,  // A10
};
constexpr double kA11 = 7.982692717;
constexpr double kA12 = -2.616571843e-2;
constexpr double kA13 = 1.522411790e-3;
constexpr double kA14 = 2.284279054e-2;
constexpr double kA15 = 2.421647003e2;
constexpr double kA16 = 1.269716088e-10;
constexpr double kA17 = 2.074838328e-7;
constexpr double kA18 = 2.174020350e-8;
constexpr double kA19 = 1.105710498e-9;
constexpr double kA20 = 1.293441934e1;
constexpr double kA21 = 1.308119072e-5;
constexpr double kA22 = 6.047626338e-14;

constexpr double ka1 = 8.438375405e-1;
constexpr double ka2 = 5.362162162e-4;
constexpr double ka3 = 1.72;
constexpr double ka4 = 7.342278489e-2;
constexpr double ka5 = 4.975858870e-2;
constexpr double ka6 = 6.537154300e-1;
constexpr double ka7 = 1.150e-6;
constexpr double ka8 = 1.5108e-5;
constexpr double ka9 = 1.4188e-1;
constexpr double ka10 = 7.002753165;
constexpr double ka11 = 2.995284926e-4;
constexpr double ka12 = 2.04e-1;

constexpr double kMinusFiveSeventeenths = -0.29411764705882354;  // the exponent -5/17 of Z

// ---- Sub-region 2: constants I1, b, B0, B0nu, B(mu lambda), b(mu lambda), B9lambda -----------------------

constexpr double kI1 = 4.260321148;
constexpr double kb = 7.633333333e-1;
constexpr double kB0 = 1.683599274e1;
// B01 .. B05, the coefficients of theta^(nu - 1).
constexpr std::array<double, 5> kB0nu = {
    2.856067796e1,    // B01
    -5.438923329e1,   // B02
    4.330662834e-1,   // B03
    -6.547711697e-1,  // B04
    8.565182058e-2,   // B05
};

// One sum over lambda: coefficients and the exponents of X that go with them.
struct XSeries {
  std::size_t terms;
  std::array<double, 3> coefficient;
  std::array<std::size_t, 3> exponent;
};

// B(mu lambda) X^z(mu lambda) for mu = 1 .. 8.
constexpr std::array<XSeries, 8> kBmu = {{
    {2, {6.670375918e-2, 1.388983801, 0.0}, {13, 3, 0}},
    {3, {8.390104328e-2, 2.614670893e-2, -3.373439453e-2}, {18, 2, 1}},
    {2, {4.520918904e-1, 1.069036614e-1, 0.0}, {18, 10, 0}},
    {2, {-5.975336707e-1, -8.847535804e-2, 0.0}, {25, 14, 0}},
    {3, {5.958051609e-1, -5.159303373e-1, 2.075021122e-1}, {32, 28, 24}},
    {2, {1.190610271e-1, -9.867174132e-2, 0.0}, {12, 11, 0}},
    {2, {1.683998803e-1, -5.809438001e-2, 0.0}, {24, 18, 0}},
    {2, {6.552390126e-3, 5.710218649e-4, 0.0}, {24, 14, 0}},
}};

// b(mu lambda) X^x(mu lambda), the denominator sums of mu = 6 .. 8.
constexpr std::array<XSeries, 3> kbmu = {{
    {1, {4.006073948e-1, 0.0, 0.0}, {14, 0, 0}},
    {1, {8.636081627e-2, 0.0, 0.0}, {19, 0, 0}},
    {2, {-8.532322921e-1, 3.460208861e-1, 0.0}, {54, 27, 0}},
}};

constexpr std::size_t kHighestXPower = 54;

// B90 .. B96, the coefficients of X^lambda in the term beyond the L-function.
constexpr std::array<double, 7> kB9 = {
    1.936587558e2,   // B90
    -1.388522425e3,  // B91
    4.126607219e3,   // B92
    -6.508211677e3,  // B93
    5.745984054e3,   // B94
    -2.693088365e3,  // B95
    5.235718623e2,   // B96
};

// ---- Sub-region 3: constants C00 to C78 -----------------------------------------------------------------

// One bracket of psi3: Ck1 chi + sum Ck(j+1) chi^(-j) + Ck,last ln chi.
template <std::size_t N>
struct ChiSeries {
  double linear;
  std::array<double, N> inverse;  // coefficients of chi^-1 .. chi^-N
  double log;
};

constexpr double kC00 = -6.8399;
// The bracket free of theta: C01, C02 .. C011, C012.
constexpr ChiSeries<10> kC0 = {
    -1.7226042e-2,
    {-7.77175039, 4.20460752, -2.76807038, 2.10419707, -1.14649588, 2.23138085e-1, 1.16250363e-1,
     -8.20900544e-2, 1.94129239e-2, -1.69470576e-3},
    -4.311577033,
};
// The bracket of (theta - 1): C11, C12 .. C16, C17.
constexpr ChiSeries<5> kC1 = {
    7.08636085e-1,
    {1.23679455e1, -1.20389004e1, 5.40437422, -9.93865043e-1, 6.27523182e-2},
    -7.74743016,
};
// The bracket of (theta - 1)^2: C21, C22 .. C27, C28.
constexpr ChiSeries<6> kC2 = {
    -4.29885092,
    {4.31430538e1, -1.41619313e1, 4.04172459, 1.55546326, -1.66568935, 3.24881158e-1},
    2.93655325e1,
};
// The bracket of (theta - 1)^3: C31, C32 .. C39, C310.
constexpr ChiSeries<8> kC3 = {
    7.94841842e-6,
    {8.08859747e1, -8.3615338e1, 3.58636517e1, 7.51895954, -1.2616064e1, 1.09717462, 2.12145492,
     -5.46529566e-1},
    8.32875413,
};
constexpr double kC40 = 2.75971776e-6;   // (theta - 1) theta^-23
constexpr double kC50 = -5.09073985e-4;  // (theta - 1) theta^-23 chi^-5
constexpr double kC60 = 2.10636332e2;    // theta ln theta
// C61 .. C65, the coefficients of chi^6 theta^(-nu - 1).
constexpr std::array<double, 5> kC6 = {
    5.528935335e-2,   // C61
    -2.336365955e-1,  // C62
    3.69707142e-1,    // C63
    -2.59641547e-1,   // C64
    6.828087013e-2,   // C65
};
// C70 .. C78, the coefficients of (theta - 1)^(nu + 1).
constexpr std::array<double, 9> kC7 = {
    -2.571600553e2,  // C70
    -1.518783715e2,  // C71
    2.220723208e1,   // C72
    -1.80203957e2,   // C73
    2.35709622e3,    // C74
    -1.462335698e4,  // C75
    4.54291663e4,    // C76
    -7.053556432e4,  // C77
    4.381571428e4,   // C78
};

// ---- Sub-region 4: constants D30 to D52 -----------------------------------------------------------------

constexpr std::array<double, 5> kD3 = {-1.717616747, 3.526389875, -2.690899373, 0.9070982605, -0.1138791156};
constexpr std::array<double, 5> kD4 = {1.301023613, -2.642777743, 1.996765362, -0.6661557013, 0.08270860589};
constexpr std::array<double, 3> kD5 = {0.0003426663535, -0.001236521258, 0.001155018309};

// 1 / (1 - theta23): the factor of d(y)/d(theta) with y = (1 - theta) / (1 - theta23).
constexpr double kYScale = 1.0 / (1.0 - kTheta23);

// ---- Helpers --------------------------------------------------------------------------------------------

// sum c[k] x^k and its derivative sum k c[k] x^(k-1), in nested form.
template <std::size_t N>
void Polynomial(const std::array<double, N>& c, double x, double& value, double& slope) {
  value = c[N - 1];
  slope = 0.0;
  for (std::size_t k = N - 1; k-- > 0;) {
    slope = slope * x + value;
    value = value * x + c[k];
  }
}

// One psi3 bracket G(chi) = linear chi + sum inverse[j-1] chi^-j + log ln chi, and dG/dchi.
template <std::size_t N>
void Bracket(const ChiSeries<N>& c, double w, double log_chi, double& value, double& slope) {
  // With w = 1 / chi: sum inverse[j-1] w^j = w P(w), and its chi-derivative is -w^2 (P(w) + w P'(w)).
  double p = 0.0;
  double dp = 0.0;
  Polynomial(c.inverse, w, p, dp);
  value = c.linear / w + w * p + c.log * log_chi;
  slope = c.linear - w * w * (p + w * dp) + c.log * w;
}

// Only the chi-derivative of one psi3 bracket: the sub-region 3 bisection needs nothing else.
template <std::size_t N>
double BracketSlope(const ChiSeries<N>& c, double w) {
  // sum j inverse[j-1] w^(j-1), nested.
  double s = static_cast<double>(N) * c.inverse[N - 1];
  for (std::size_t j = N - 1; j > 0; --j) s = s * w + static_cast<double>(j) * c.inverse[j - 1];
  return c.linear - w * w * s + c.log * w;
}

// ---- Sub-region 1 ---------------------------------------------------------------------------------------

Derivatives Subregion1Derivatives(double theta, double beta) {
  const double theta2 = theta * theta;
  const double theta6 = theta2 * theta2 * theta2;
  const double theta10 = theta6 * theta2 * theta2;
  const double theta11 = theta10 * theta;
  const double theta18 = theta11 * theta6 * theta;
  const double theta19 = theta18 * theta;
  const double theta20 = theta19 * theta;
  const double ln_theta = std::log(theta);

  // Y, Z and their derivatives.
  const double y = 1.0 - ka1 * theta2 - ka2 / theta6;
  const double y_theta = -2.0 * ka1 * theta + 6.0 * ka2 / (theta6 * theta);
  const double root = std::sqrt(ka3 * y * y - 2.0 * ka4 * theta + 2.0 * ka5 * beta);
  const double z = y + root;
  const double z_m5 = std::pow(z, kMinusFiveSeventeenths);  // Z^(-5/17)
  const double z_12 = z * z_m5;                             // Z^(12/17)

  double poly = 0.0;
  double poly_theta = 0.0;
  Polynomial(kA1To10, theta, poly, poly_theta);

  // A11 Z^(12/17) ((17/29) Z - (17/12) Y): d/dZ = A11 Z^(-5/17) root, d/dY = -(17/12) A11 Z^(12/17).
  const double zterm = kA11 * z_12 * ((17.0 / 29.0) * z - (17.0 / 12.0) * y);
  const double zterm_theta =
      kA11 * z_m5 * (root * y_theta + ka3 * y * y_theta - ka4) - (17.0 / 12.0) * kA11 * z_12 * y_theta;
  const double zterm_beta = kA11 * ka5 * z_m5;

  // (A12 + A13 theta + A14 theta^2 + A15 (a6 - theta)^10 + A16 / (a7 + theta^19)) beta
  const double d6 = ka6 - theta;
  const double d6_2 = d6 * d6;
  const double d6_4 = d6_2 * d6_2;
  const double d6_9 = d6_4 * d6_4 * d6;
  const double inv7 = 1.0 / (ka7 + theta19);
  const double lin = kA12 + kA13 * theta + kA14 * theta2 + kA15 * d6_9 * d6 + kA16 * inv7;
  const double lin_theta =
      kA13 + 2.0 * kA14 * theta - 10.0 * kA15 * d6_9 - 19.0 * kA16 * theta18 * inv7 * inv7;

  // -(A17 beta + A18 beta^2 + A19 beta^3) / (a8 + theta^11)
  const double inv8 = 1.0 / (ka8 + theta11);
  const double cubic = beta * (kA17 + beta * (kA18 + beta * kA19));
  const double cubic_beta = kA17 + beta * (2.0 * kA18 + beta * 3.0 * kA19);

  // -A20 theta^18 (a9 + theta^2) ((a10 + beta)^-3 + a11 beta)
  const double inv10 = 1.0 / (ka10 + beta);
  const double inv10_3 = inv10 * inv10 * inv10;
  const double bracket20 = inv10_3 + ka11 * beta;
  const double factor20 = theta18 * (ka9 + theta2);
  const double factor20_theta = 18.0 * ka9 * theta18 / theta + 20.0 * theta19;

  const double beta2 = beta * beta;
  const double beta3 = beta2 * beta;

  Derivatives d{};
  d.f = kA0 * theta * (1.0 - ln_theta) + poly + zterm + lin * beta - inv8 * cubic -
        kA20 * factor20 * bracket20 + kA21 * (ka12 - theta) * beta3 + kA22 / theta20 * beta3 * beta;
  d.f_theta = -kA0 * ln_theta + poly_theta + zterm_theta + lin_theta * beta +
              11.0 * theta10 * inv8 * inv8 * cubic - kA20 * factor20_theta * bracket20 - kA21 * beta3 -
              20.0 * kA22 / (theta20 * theta) * beta3 * beta;
  d.f_second = zterm_beta + lin - inv8 * cubic_beta - kA20 * factor20 * (ka11 - 3.0 * inv10_3 * inv10) +
               3.0 * kA21 * (ka12 - theta) * beta2 + 4.0 * kA22 / theta20 * beta3;
  return d;
}

// ---- Sub-region 2 ---------------------------------------------------------------------------------------

// zeta2 without the ideal-gas term I1 theta ln beta, which cancels from eps2; the caller adds it where
// needed.
Derivatives Subregion2Derivatives(double theta, double beta) {
  std::array<double, kHighestXPower + 1> xp{};
  xp[0] = 1.0;
  xp[1] = std::exp(kb * (1.0 - theta));
  for (std::size_t k = 2; k <= kHighestXPower; ++k) xp[k] = xp[k - 1] * xp[1];

  // sum c X^e and its theta-derivative -b sum e c X^e.
  const auto series = [&xp](const XSeries& s, double& value, double& slope) {
    value = 0.0;
    slope = 0.0;
    for (std::size_t i = 0; i < s.terms; ++i) {
      const double term = s.coefficient[i] * xp[s.exponent[i]];
      value += term;
      slope -= kb * static_cast<double>(s.exponent[i]) * term;
    }
  };

  const double ln_theta = std::log(theta);
  double poly = 0.0;
  double poly_theta = 0.0;
  Polynomial(kB0nu, theta, poly, poly_theta);

  Derivatives d{};
  d.f = kB0 * theta * (1.0 - ln_theta) + poly;
  d.f_theta = -kB0 * ln_theta + poly_theta;
  d.f_second = 0.0;

  // -sum(mu = 1..5) beta^mu sum B X^z
  double beta_mu = 1.0;  // beta^(mu - 1)
  for (std::size_t mu = 1; mu <= 5; ++mu) {
    double s = 0.0;
    double s_theta = 0.0;
    series(kBmu[mu - 1], s, s_theta);
    d.f_second -= static_cast<double>(mu) * beta_mu * s;
    beta_mu *= beta;
    d.f -= beta_mu * s;
    d.f_theta -= beta_mu * s_theta;
  }

  // -sum(mu = 6..8) N / (beta^(2 - mu) + Q)
  const double inv_beta = 1.0 / beta;
  const double inv_beta4 = inv_beta * inv_beta * inv_beta * inv_beta;
  double inv_beta_power = inv_beta4;  // beta^(2 - mu)
  for (std::size_t mu = 6; mu <= 8; ++mu) {
    double n = 0.0;
    double n_theta = 0.0;
    double q = 0.0;
    double q_theta = 0.0;
    series(kBmu[mu - 1], n, n_theta);
    series(kbmu[mu - 6], q, q_theta);
    const double den = inv_beta_power + q;
    d.f -= n / den;
    d.f_theta -= (n_theta * den - n * q_theta) / (den * den);
    d.f_second -= static_cast<double>(mu - 2) * inv_beta_power * inv_beta * n / (den * den);
    inv_beta_power *= inv_beta;
  }

  // beta (beta / beta_L)^10 sum B9 X^lambda
  const double beta_l = LFunction(theta);
  const double ratio = beta / beta_l;
  const double ratio2 = ratio * ratio;
  const double ratio4 = ratio2 * ratio2;
  const double ratio10 = ratio4 * ratio4 * ratio2;
  double p9 = 0.0;
  double p9_x = 0.0;
  Polynomial(kB9, xp[1], p9, p9_x);
  const double p9_theta = -kb * xp[1] * p9_x;
  d.f += beta * ratio10 * p9;
  d.f_theta += beta * ratio10 * (p9_theta - 10.0 * p9 * LFunctionSlope(theta) / beta_l);
  d.f_second += 11.0 * ratio10 * p9;
  return d;
}

// ---- Sub-region 3 ---------------------------------------------------------------------------------------

Derivatives Subregion3Derivatives(double theta, double chi) {
  const double w = 1.0 / chi;
  const double ln_chi = std::log(chi);
  const double t = theta - 1.0;
  const double u = 1.0 / theta;

  double g0 = 0.0, g0_chi = 0.0, g1 = 0.0, g1_chi = 0.0, g2 = 0.0, g2_chi = 0.0, g3 = 0.0, g3_chi = 0.0;
  Bracket(kC0, w, ln_chi, g0, g0_chi);
  Bracket(kC1, w, ln_chi, g1, g1_chi);
  Bracket(kC2, w, ln_chi, g2, g2_chi);
  Bracket(kC3, w, ln_chi, g3, g3_chi);

  // (theta - 1) theta^-23 (C40 + C50 chi^-5); d/dtheta of (theta - 1) theta^-23 is theta^-24 (23 - 22 theta).
  const double u2 = u * u;
  const double u4 = u2 * u2;
  const double u8 = u4 * u4;
  const double u23 = u8 * u8 * u4 * u2 * u;
  const double w5 = w * w * w * w * w;
  const double c45 = kC40 + kC50 * w5;

  // chi^6 sum C6nu theta^(-nu-1) = chi^6 u^2 P(u); its theta-derivative is -chi^6 u^3 (2 P(u) + u P'(u)).
  const double chi3 = chi * chi * chi;
  const double chi6 = chi3 * chi3;
  double p6 = 0.0;
  double p6_u = 0.0;
  Polynomial(kC6, u, p6, p6_u);

  // sum C7nu t^(nu + 1) = t P(t).
  double p7 = 0.0;
  double p7_t = 0.0;
  Polynomial(kC7, t, p7, p7_t);

  Derivatives d{};
  d.f = kC00 + g0 + t * (g1 + t * (g2 + t * g3)) + t * u23 * c45 + chi6 * u2 * p6 +
        kC60 * theta * std::log(theta) + t * p7;
  d.f_theta = g1 + t * (2.0 * g2 + t * 3.0 * g3) + u23 * u * (23.0 - 22.0 * theta) * c45 -
              chi6 * u2 * u * (2.0 * p6 + u * p6_u) + kC60 * (std::log(theta) + 1.0) + p7 + t * p7_t;
  d.f_second = g0_chi + t * (g1_chi + t * (g2_chi + t * g3_chi)) - 5.0 * kC50 * t * u23 * w5 * w +
               6.0 * chi3 * chi * chi * u2 * p6;
  return d;
}

// ---- Sub-region 4 ---------------------------------------------------------------------------------------

// The parts of the sub-region 4 correction: y = (1 - theta) / (1 - theta23), E3 and E4 = sum D(mu nu)
// chi^-nu with their chi-weighted sums sum nu D(mu nu) chi^-nu, and F = sum D5nu chi^nu likewise.
struct Correction4 {
  double y;
  std::array<double, 2> e;   // E3, E4
  std::array<double, 2> ne;  // sum nu D3nu chi^-nu, sum nu D4nu chi^-nu
  double f;
  double nf;  // sum nu D5nu chi^nu
};

Correction4 MakeCorrection4(double theta, double chi) {
  Correction4 c{};
  c.y = (1.0 - theta) / (1.0 - kTheta23);
  const double w = 1.0 / chi;
  double w_nu = 1.0;
  for (std::size_t nu = 0; nu < kD3.size(); ++nu) {
    const double a3 = kD3[nu] * w_nu;
    const double a4 = kD4[nu] * w_nu;
    c.e[0] += a3;
    c.e[1] += a4;
    c.ne[0] += static_cast<double>(nu) * a3;
    c.ne[1] += static_cast<double>(nu) * a4;
    w_nu *= w;
  }
  double chi_nu = 1.0;
  for (std::size_t nu = 0; nu < kD5.size(); ++nu) {
    c.f += kD5[nu] * chi_nu;
    c.nf += static_cast<double>(nu) * kD5[nu] * chi_nu;
    chi_nu *= chi;
  }
  return c;
}

double Y31(double y) {
  const double y2 = y * y;
  const double y4 = y2 * y2;
  const double y8 = y4 * y4;
  const double y16 = y8 * y8;
  return y16 * y8 * y4 * y2 * y;
}

}  // namespace

// ---- Sub-region 1 ---------------------------------------------------------------------------------------

CharacteristicFunction Subregion1Gibbs(double theta, double beta) {
  return Subregion1Derivatives(theta, beta);
}

ReducedState Subregion1State(double theta, double beta) {
  const Derivatives d = Subregion1Derivatives(theta, beta);
  return {d.f_second, d.f - theta * d.f_theta, -d.f_theta};
}

// ---- Sub-region 2 ---------------------------------------------------------------------------------------

// The ideal-gas term I1 theta ln(beta) joins the sums here.
CharacteristicFunction Subregion2Gibbs(double theta, double beta) {
  const Derivatives d = Subregion2Derivatives(theta, beta);
  return {d.f + kI1 * theta * std::log(beta), d.f_theta + kI1 * std::log(beta),
          kI1 * theta / beta + d.f_second};
}

ReducedState Subregion2State(double theta, double beta) {
  const Derivatives d = Subregion2Derivatives(theta, beta);
  return {kI1 * theta / beta + d.f_second, d.f - theta * d.f_theta, -(d.f_theta + kI1 * std::log(beta))};
}

// ---- Sub-region 3 ---------------------------------------------------------------------------------------

CharacteristicFunction Subregion3Helmholtz(double theta, double chi) {
  return Subregion3Derivatives(theta, chi);
}

SubregionIsotherm MakeSubregionIsotherm(double theta) {
  SubregionIsotherm iso{};
  iso.theta = theta;
  iso.t = theta - 1.0;
  const double u = 1.0 / theta;
  iso.u2 = u * u;
  const double u4 = iso.u2 * iso.u2;
  const double u8 = u4 * u4;
  const double u23 = u8 * u8 * u4 * iso.u2 * u;
  iso.c50 = 5.0 * kC50 * iso.t * u23;
  double p6_u = 0.0;
  Polynomial(kC6, u, iso.p6, p6_u);
  iso.y = (1.0 - theta) / (1.0 - kTheta23);
  iso.y3 = iso.y * iso.y * iso.y;
  iso.y32 = Y31(iso.y) * iso.y;
  return iso;
}

double Beta3OnIsotherm(const SubregionIsotherm& iso, double chi) {
  const double w = 1.0 / chi;
  const double t = iso.t;
  const double w2 = w * w;
  const double w6 = w2 * w2 * w2;
  const double chi2 = chi * chi;
  const double chi5 = chi2 * chi2 * chi;
  const double psi_chi = BracketSlope(kC0, w) +
                         t * (BracketSlope(kC1, w) + t * (BracketSlope(kC2, w) + t * BracketSlope(kC3, w))) -
                         iso.c50 * w6 + 6.0 * chi5 * iso.u2 * iso.p6;
  return -psi_chi;
}

ReducedState Subregion3State(double theta, double chi) {
  const Derivatives d = Subregion3Derivatives(theta, chi);
  return {chi, d.f - theta * d.f_theta - chi * d.f_second, -d.f_theta};
}

// ---- Sub-region 4 ---------------------------------------------------------------------------------------

double Beta4OnIsotherm(const SubregionIsotherm& iso, double chi) {
  const Correction4 c = MakeCorrection4(iso.theta, chi);
  const double w = 1.0 / chi;
  // sum(mu) y^mu sum(nu) nu D(mu nu) chi^(-nu-1) - y^32 sum(nu) nu D5nu chi^(nu-1)
  return Beta3OnIsotherm(iso, chi) + iso.y3 * (c.ne[0] + iso.y * c.ne[1]) * w - iso.y32 * c.nf * w;
}

namespace {

// eps4 and sigma4 from the sub-region 3 values at the same (theta, chi) and the sub-region 4 correction.
double Eps4FromEps3(double eps3, const Correction4& c) {
  const double y = c.y;
  const double y2 = y * y;
  const double y31 = Y31(y);
  // sum(mu = 3, 4) y^(mu-1) sum(nu) D(mu nu) chi^-nu ((nu + 1 - mu) y + mu / (1 - theta23)), split into
  // the nu-weighted and plain sums.
  const double mu3 = y2 * ((c.ne[0] + (1.0 - 3.0) * c.e[0]) * y + 3.0 * kYScale * c.e[0]);
  const double mu4 = y2 * y * ((c.ne[1] + (1.0 - 4.0) * c.e[1]) * y + 4.0 * kYScale * c.e[1]);
  // - y^31 sum(nu) D5nu chi^nu ((nu + 31) y - 32 / (1 - theta23))
  const double d5 = -y31 * ((c.nf + 31.0 * c.f) * y - 32.0 * kYScale * c.f);
  return eps3 + mu3 + mu4 + d5;
}

double Sigma4FromSigma3(double sigma3, const Correction4& c) {
  const double y = c.y;
  const double y2 = y * y;
  return sigma3 + (3.0 * y2 * c.e[0] + 4.0 * y2 * y * c.e[1] + 32.0 * Y31(y) * c.f) * kYScale;
}

}  // namespace

CharacteristicFunction Subregion4Helmholtz(double theta, double chi) {
  const Derivatives d3 = Subregion3Derivatives(theta, chi);
  const Correction4 c = MakeCorrection4(theta, chi);
  const double y3 = c.y * c.y * c.y;
  const double y32 = Y31(c.y) * c.y;
  const double w = 1.0 / chi;
  // psi4 = psi3 + sum(mu = 3, 4) y^mu E_mu + y^32 F; E_mu falls and F rises with chi.
  return {d3.f + y3 * (c.e[0] + c.y * c.e[1]) + y32 * c.f, -Sigma4FromSigma3(-d3.f_theta, c),
          d3.f_second - y3 * (c.ne[0] + c.y * c.ne[1]) * w + y32 * c.nf * w};
}

ReducedState Subregion4State(double theta, double chi) {
  const ReducedState s3 = Subregion3State(theta, chi);
  const Correction4 c = MakeCorrection4(theta, chi);
  return {chi, Eps4FromEps3(s3.eps, c), Sigma4FromSigma3(s3.sigma, c)};
}

// ---- The sub-region equations as fundamental equations ----------------------------------------------------
//
// Each characteristic function with its first and second derivatives in its two reduced arguments from one
// pass, then in the library's units: with E = pc vc (kJ/kg), g = E zeta, g_T = E zeta_theta / Tc,
// g_P = vc zeta_beta, g_TT = E zeta_thetatheta / Tc^2, g_TP = vc zeta_thetabeta / Tc, g_PP = vc zeta_betabeta
// / pc for sub-regions 1 and 2; and with chi = 1 / (rho vc), so that d(chi)/d(rho) = -vc chi^2: a = E psi,
// a_T = E psi_theta / Tc, a_rho = -E vc chi^2 psi_chi, a_TT = E psi_thetatheta / Tc^2, a_Trho = -E vc chi^2
// psi_thetachi / Tc, a_rhorho = E vc^2 chi^3 (2 psi_chi + chi psi_chichi) for sub-regions 3 and 4.

namespace {

// A reduced characteristic function and its derivatives in theta and in x (beta or chi).
struct SecondDerivatives {
  double f, f_t, f_x, f_tt, f_tx, f_xx;
};

constexpr double kEnergy = kCriticalPressure * kCriticalVolume;  // pc vc, kJ/kg

// sum c[k] x^k with its first and second derivatives, in nested form.
template <std::size_t N>
void Polynomial2(const std::array<double, N>& c, double x, double& value, double& slope, double& curvature) {
  value = c[N - 1];
  slope = 0.0;
  double half_curvature = 0.0;
  for (std::size_t k = N - 1; k-- > 0;) {
    half_curvature = half_curvature * x + slope;
    slope = slope * x + value;
    value = value * x + c[k];
  }
  curvature = 2.0 * half_curvature;
}

// ---- Sub-region 1 ---------------------------------------------------------------------------------------

SecondDerivatives Subregion1Second(double theta, double beta) {
  const double theta2 = theta * theta;
  const double theta4 = theta2 * theta2;
  const double theta8 = theta4 * theta4;
  const double theta9 = theta8 * theta;
  const double theta10 = theta9 * theta;
  const double theta11 = theta10 * theta;
  const double theta16 = theta8 * theta8;
  const double theta17 = theta16 * theta;
  const double theta18 = theta17 * theta;
  const double theta19 = theta18 * theta;
  const double inv = 1.0 / theta;
  const double inv2 = inv * inv;
  const double inv6 = inv2 * inv2 * inv2;
  const double inv7 = inv6 * inv;
  const double inv8 = inv7 * inv;
  const double inv20 = 1.0 / (theta19 * theta);
  const double inv21 = inv20 * inv;
  const double inv22 = inv21 * inv;
  const double ln_theta = std::log(theta);
  const double beta2 = beta * beta;
  const double beta3 = beta2 * beta;

  // A11 Z^(12/17) ((17/29) Z - (17/12) Y) as S(Y, Z) = A11 ((17/29) Z^(29/17) - (17/12) Y Z^(12/17)):
  // S_Z = A11 Z^(-5/17) R, S_Y = -(17/12) A11 Z^(12/17), S_ZZ = A11 Z^(-5/17) (1 - (5/17) R / Z),
  // S_YZ = -A11 Z^(-5/17), S_YY = 0, with R = Z - Y = (a3 Y^2 - 2 a4 theta + 2 a5 beta)^(1/2).
  const double y = 1.0 - ka1 * theta2 - ka2 * inv6;
  const double y_t = -2.0 * ka1 * theta + 6.0 * ka2 * inv7;
  const double y_tt = -2.0 * ka1 - 42.0 * ka2 * inv8;
  const double r = std::sqrt(ka3 * y * y - 2.0 * ka4 * theta + 2.0 * ka5 * beta);
  const double r_t = (ka3 * y * y_t - ka4) / r;
  const double r_b = ka5 / r;
  const double r_tt = (ka3 * (y_t * y_t + y * y_tt) - r_t * r_t) / r;
  const double r_tb = -r_t * r_b / r;
  const double r_bb = -r_b * r_b / r;
  const double z = y + r;
  const double z_t = y_t + r_t;
  const double z_m5 = std::pow(z, kMinusFiveSeventeenths);  // Z^(-5/17)
  const double z_12 = z * z_m5;                             // Z^(12/17)
  const double s_z = kA11 * z_m5 * r;
  const double s_y = -(17.0 / 12.0) * kA11 * z_12;
  const double s_zz = kA11 * z_m5 * (1.0 - (5.0 / 17.0) * r / z);
  const double s_yz = -kA11 * z_m5;
  const double zterm = kA11 * z_12 * ((17.0 / 29.0) * z - (17.0 / 12.0) * y);
  const double zterm_t = s_y * y_t + s_z * z_t;
  const double zterm_b = s_z * r_b;
  const double zterm_tt = 2.0 * s_yz * y_t * z_t + s_zz * z_t * z_t + s_y * y_tt + s_z * (y_tt + r_tt);
  const double zterm_tb = s_yz * y_t * r_b + s_zz * z_t * r_b + s_z * r_tb;
  const double zterm_bb = s_zz * r_b * r_b + s_z * r_bb;

  double poly = 0.0, poly_t = 0.0, poly_tt = 0.0;
  Polynomial2(kA1To10, theta, poly, poly_t, poly_tt);

  // (A12 + A13 theta + A14 theta^2 + A15 (a6 - theta)^10 + A16 / (a7 + theta^19)) beta
  const double d6 = ka6 - theta;
  const double d6_2 = d6 * d6;
  const double d6_4 = d6_2 * d6_2;
  const double d6_8 = d6_4 * d6_4;
  const double d6_9 = d6_8 * d6;
  const double i7 = 1.0 / (ka7 + theta19);
  const double lin = kA12 + kA13 * theta + kA14 * theta2 + kA15 * d6_9 * d6 + kA16 * i7;
  const double lin_t = kA13 + 2.0 * kA14 * theta - 10.0 * kA15 * d6_9 - 19.0 * kA16 * theta18 * i7 * i7;
  const double lin_tt =
      2.0 * kA14 + 90.0 * kA15 * d6_8 + kA16 * theta17 * i7 * i7 * (-342.0 + 722.0 * theta19 * i7);

  // -(A17 beta + A18 beta^2 + A19 beta^3) / (a8 + theta^11)
  const double i8 = 1.0 / (ka8 + theta11);
  const double i8_t = -11.0 * theta10 * i8 * i8;
  const double i8_tt = theta9 * i8 * i8 * (-110.0 + 242.0 * theta11 * i8);
  const double cubic = beta * (kA17 + beta * (kA18 + beta * kA19));
  const double cubic_b = kA17 + beta * (2.0 * kA18 + beta * 3.0 * kA19);
  const double cubic_bb = 2.0 * kA18 + 6.0 * kA19 * beta;

  // -A20 theta^18 (a9 + theta^2) ((a10 + beta)^-3 + a11 beta)
  const double f20 = theta18 * (ka9 + theta2);
  const double f20_t = 18.0 * ka9 * theta17 + 20.0 * theta19;
  const double f20_tt = 306.0 * ka9 * theta16 + 380.0 * theta18;
  const double i10 = 1.0 / (ka10 + beta);
  const double i10_3 = i10 * i10 * i10;
  const double b20 = i10_3 + ka11 * beta;
  const double b20_b = ka11 - 3.0 * i10_3 * i10;
  const double b20_bb = 12.0 * i10_3 * i10 * i10;

  const double a21 = kA21 * (ka12 - theta);

  SecondDerivatives d{};
  d.f = kA0 * theta * (1.0 - ln_theta) + poly + zterm + lin * beta - i8 * cubic - kA20 * f20 * b20 +
        a21 * beta3 + kA22 * inv20 * beta3 * beta;
  d.f_t = -kA0 * ln_theta + poly_t + zterm_t + lin_t * beta - i8_t * cubic - kA20 * f20_t * b20 -
          kA21 * beta3 - 20.0 * kA22 * inv21 * beta3 * beta;
  d.f_x = zterm_b + lin - i8 * cubic_b - kA20 * f20 * b20_b + 3.0 * a21 * beta2 + 4.0 * kA22 * inv20 * beta3;
  d.f_tt = -kA0 * inv + poly_tt + zterm_tt + lin_tt * beta - i8_tt * cubic - kA20 * f20_tt * b20 +
           420.0 * kA22 * inv22 * beta3 * beta;
  d.f_tx = zterm_tb + lin_t - i8_t * cubic_b - kA20 * f20_t * b20_b - 3.0 * kA21 * beta2 -
           80.0 * kA22 * inv21 * beta3;
  d.f_xx = zterm_bb - i8 * cubic_bb - kA20 * f20 * b20_bb + 6.0 * a21 * beta + 12.0 * kA22 * inv20 * beta2;
  return d;
}

// ---- Sub-region 2 ---------------------------------------------------------------------------------------

SecondDerivatives Subregion2Second(double theta, double beta) {
  std::array<double, kHighestXPower + 1> xp{};
  xp[0] = 1.0;
  xp[1] = std::exp(kb * (1.0 - theta));
  for (std::size_t k = 2; k <= kHighestXPower; ++k) xp[k] = xp[k - 1] * xp[1];

  // sum c X^e with d/dtheta = -b sum e c X^e and d2/dtheta2 = b^2 sum e^2 c X^e (d(X)/d(theta) = -b X).
  struct Series {
    double v, t, tt;
  };
  const auto series = [&xp](const XSeries& s) {
    Series r{0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < s.terms; ++i) {
      const double e = static_cast<double>(s.exponent[i]);
      const double term = s.coefficient[i] * xp[s.exponent[i]];
      r.v += term;
      r.t -= kb * e * term;
      r.tt += kb * kb * e * e * term;
    }
    return r;
  };

  const double ln_theta = std::log(theta);
  const double ln_beta = std::log(beta);
  const double inv_beta = 1.0 / beta;
  double poly = 0.0, poly_t = 0.0, poly_tt = 0.0;
  Polynomial2(kB0nu, theta, poly, poly_t, poly_tt);

  SecondDerivatives d{};
  d.f = kI1 * theta * ln_beta + kB0 * theta * (1.0 - ln_theta) + poly;
  d.f_t = kI1 * ln_beta - kB0 * ln_theta + poly_t;
  d.f_tt = -kB0 / theta + poly_tt;
  d.f_x = kI1 * theta * inv_beta;
  d.f_tx = kI1 * inv_beta;
  d.f_xx = -kI1 * theta * inv_beta * inv_beta;

  // -sum(mu = 1..5) beta^mu S_mu
  double beta_mu2 = 0.0;  // beta^(mu - 2)
  double beta_mu1 = 1.0;  // beta^(mu - 1)
  for (std::size_t mu = 1; mu <= 5; ++mu) {
    const Series s = series(kBmu[mu - 1]);
    const double m = static_cast<double>(mu);
    const double beta_mu = beta_mu1 * beta;
    d.f -= beta_mu * s.v;
    d.f_t -= beta_mu * s.t;
    d.f_tt -= beta_mu * s.tt;
    d.f_x -= m * beta_mu1 * s.v;
    d.f_tx -= m * beta_mu1 * s.t;
    d.f_xx -= m * (m - 1.0) * beta_mu2 * s.v;
    beta_mu2 = beta_mu1;
    beta_mu1 = beta_mu;
  }

  // -sum(mu = 6..8) N / D with D = beta^-k + Q, k = mu - 2.
  const double inv_beta2 = inv_beta * inv_beta;
  double power = inv_beta2 * inv_beta2;  // beta^-k
  for (std::size_t mu = 6; mu <= 8; ++mu) {
    const double k = static_cast<double>(mu - 2);
    const Series n = series(kBmu[mu - 1]);
    const Series q = series(kbmu[mu - 6]);
    const double den = power + q.v;
    const double i1 = 1.0 / den;
    const double i2 = i1 * i1;
    const double i3 = i2 * i1;
    const double den_b = -k * power * inv_beta;
    const double den_bb = k * (k + 1.0) * power * inv_beta2;
    d.f -= n.v * i1;
    d.f_t += -n.t * i1 + n.v * q.t * i2;
    d.f_tt += -n.tt * i1 + (2.0 * n.t * q.t + n.v * q.tt) * i2 - 2.0 * n.v * q.t * q.t * i3;
    d.f_x += n.v * den_b * i2;
    d.f_tx += n.t * den_b * i2 - 2.0 * n.v * den_b * q.t * i3;
    d.f_xx += n.v * den_bb * i2 - 2.0 * n.v * den_b * den_b * i3;
    power *= inv_beta;
  }

  // beta (beta / beta_L)^10 P9(X): with r = beta_L' / beta_L, d/dtheta of beta_L^-10 P9 is beta_L^-10
  // (P9_theta - 10 r P9), and its second derivative beta_L^-10 (P9_thetatheta - 20 r P9_theta + (110 r^2 -
  // 10 beta_L'' / beta_L) P9).
  const double beta_l = LFunction(theta);
  const double rate = LFunctionSlope(theta) / beta_l;
  const double curvature = LFunctionCurvature() / beta_l;
  const double ratio = beta / beta_l;
  const double ratio2 = ratio * ratio;
  const double ratio4 = ratio2 * ratio2;
  const double ratio10 = ratio4 * ratio4 * ratio2;
  double p9 = 0.0, p9_x = 0.0, p9_xx = 0.0;
  Polynomial2(kB9, xp[1], p9, p9_x, p9_xx);
  const double p9_t = -kb * xp[1] * p9_x;
  const double p9_tt = kb * kb * xp[1] * (p9_x + xp[1] * p9_xx);
  const double h_t = p9_t - 10.0 * rate * p9;
  d.f += beta * ratio10 * p9;
  d.f_t += beta * ratio10 * h_t;
  d.f_tt += beta * ratio10 * (p9_tt - 20.0 * rate * p9_t + (110.0 * rate * rate - 10.0 * curvature) * p9);
  d.f_x += 11.0 * ratio10 * p9;
  d.f_tx += 11.0 * ratio10 * h_t;
  d.f_xx += 110.0 * ratio10 * p9 * inv_beta;
  return d;
}

// ---- Sub-region 3 ---------------------------------------------------------------------------------------

// One psi3 bracket G(chi) = linear chi + sum c_j chi^-j + log ln chi with G' and G''. With w = 1 / chi and
// P(w) = sum c_j w^(j-1): sum c_j w^j = w P, G' = linear - w^2 (P + w P') + log w and
// G'' = w^3 (2 P + 4 w P' + w^2 P'') - log w^2.
template <std::size_t N>
void Bracket2(const ChiSeries<N>& c, double w, double log_chi, double& value, double& slope,
              double& curvature) {
  double p = 0.0, dp = 0.0, ddp = 0.0;
  Polynomial2(c.inverse, w, p, dp, ddp);
  const double w2 = w * w;
  value = c.linear / w + w * p + c.log * log_chi;
  slope = c.linear - w2 * (p + w * dp) + c.log * w;
  curvature = w2 * w * (2.0 * p + w * (4.0 * dp + w * ddp)) - c.log * w2;
}

// Only G' and G'' of one bracket, for the density solvers: sum j c_j w^(j-1) and sum j (j+1) c_j w^(j-1).
template <std::size_t N>
void BracketSlopes(const ChiSeries<N>& c, double w, double& slope, double& curvature) {
  double s1 = static_cast<double>(N) * c.inverse[N - 1];
  double s2 = static_cast<double>(N * (N + 1)) * c.inverse[N - 1];
  for (std::size_t j = N - 1; j > 0; --j) {
    s1 = s1 * w + static_cast<double>(j) * c.inverse[j - 1];
    s2 = s2 * w + static_cast<double>(j * (j + 1)) * c.inverse[j - 1];
  }
  const double w2 = w * w;
  slope = c.linear - w2 * s1 + c.log * w;
  curvature = w2 * w * s2 - c.log * w2;
}

SecondDerivatives Subregion3Second(double theta, double chi) {
  const double w = 1.0 / chi;
  const double ln_chi = std::log(chi);
  const double t = theta - 1.0;
  const double u = 1.0 / theta;

  double g0 = 0.0, g0_x = 0.0, g0_xx = 0.0, g1 = 0.0, g1_x = 0.0, g1_xx = 0.0;
  double g2 = 0.0, g2_x = 0.0, g2_xx = 0.0, g3 = 0.0, g3_x = 0.0, g3_xx = 0.0;
  Bracket2(kC0, w, ln_chi, g0, g0_x, g0_xx);
  Bracket2(kC1, w, ln_chi, g1, g1_x, g1_xx);
  Bracket2(kC2, w, ln_chi, g2, g2_x, g2_xx);
  Bracket2(kC3, w, ln_chi, g3, g3_x, g3_xx);

  // (theta - 1) theta^-23 (C40 + C50 chi^-5): the theta-factor's derivatives are theta^-24 (23 - 22 theta)
  // and theta^-25 (506 theta - 552).
  const double u2 = u * u;
  const double u4 = u2 * u2;
  const double u8 = u4 * u4;
  const double u23 = u8 * u8 * u4 * u2 * u;
  const double u24 = u23 * u;
  const double u25 = u24 * u;
  const double w5 = w * w * w * w * w;
  const double w6 = w5 * w;
  const double c45 = kC40 + kC50 * w5;
  const double g45 = t * u23;
  const double g45_t = u24 * (23.0 - 22.0 * theta);
  const double g45_tt = u25 * (506.0 * theta - 552.0);

  // chi^6 q(theta) with q = sum C6nu theta^(-nu-1), q' = -sum (nu+1) C6nu theta^(-nu-2),
  // q'' = sum (nu+1)(nu+2) C6nu theta^(-nu-3).
  double q = 0.0, q_t = 0.0, q_tt = 0.0;
  double u_power = u2;  // theta^(-nu-1)
  for (std::size_t i = 0; i < kC6.size(); ++i) {
    const double e = static_cast<double>(i + 2);  // nu + 1
    q += kC6[i] * u_power;
    q_t -= e * kC6[i] * u_power * u;
    q_tt += e * (e + 1.0) * kC6[i] * u_power * u2;
    u_power *= u;
  }
  const double chi2 = chi * chi;
  const double chi4 = chi2 * chi2;
  const double chi5 = chi4 * chi;
  const double chi6 = chi5 * chi;

  // sum C7nu t^(nu + 1) = t P(t).
  double p7 = 0.0, p7_t = 0.0, p7_tt = 0.0;
  Polynomial2(kC7, t, p7, p7_t, p7_tt);
  const double ln_theta = std::log(theta);

  SecondDerivatives d{};
  d.f = kC00 + g0 + t * (g1 + t * (g2 + t * g3)) + g45 * c45 + chi6 * q + kC60 * theta * ln_theta + t * p7;
  d.f_t =
      g1 + t * (2.0 * g2 + t * 3.0 * g3) + g45_t * c45 + chi6 * q_t + kC60 * (ln_theta + 1.0) + p7 + t * p7_t;
  d.f_tt = 2.0 * g2 + 6.0 * t * g3 + g45_tt * c45 + chi6 * q_tt + kC60 * u + 2.0 * p7_t + t * p7_tt;
  d.f_x = g0_x + t * (g1_x + t * (g2_x + t * g3_x)) - 5.0 * kC50 * g45 * w6 + 6.0 * chi5 * q;
  d.f_tx = g1_x + t * (2.0 * g2_x + t * 3.0 * g3_x) - 5.0 * kC50 * g45_t * w6 + 6.0 * chi5 * q_t;
  d.f_xx = g0_xx + t * (g1_xx + t * (g2_xx + t * g3_xx)) + 30.0 * kC50 * g45 * w6 * w + 30.0 * chi4 * q;
  return d;
}

// ---- Sub-region 4 ---------------------------------------------------------------------------------------

// The sub-region 4 correction's chi-dependent sums: E_mu = sum D(mu nu) chi^-nu (mu = 3, 4) with E_mu' =
// -w sum nu D chi^-nu and E_mu'' = w^2 sum nu (nu + 1) D chi^-nu, and F = sum D5nu chi^nu with F' = w sum nu
// D5nu chi^nu and F'' = 2 D52.
struct Correction4Second {
  std::array<double, 2> e, e_x, e_xx;
  double f, f_x, f_xx;
};

Correction4Second MakeCorrection4Second(double chi) {
  Correction4Second c{};
  const double w = 1.0 / chi;
  double w_nu = 1.0;
  for (std::size_t nu = 0; nu < kD3.size(); ++nu) {
    const double n = static_cast<double>(nu);
    for (std::size_t m = 0; m < 2; ++m) {
      const double term = (m == 0 ? kD3[nu] : kD4[nu]) * w_nu;
      c.e[m] += term;
      c.e_x[m] -= n * term;
      c.e_xx[m] += n * (n + 1.0) * term;
    }
    w_nu *= w;
  }
  for (std::size_t m = 0; m < 2; ++m) {
    c.e_x[m] *= w;
    c.e_xx[m] *= w * w;
  }
  double chi_nu = 1.0;
  for (std::size_t nu = 0; nu < kD5.size(); ++nu) {
    c.f += kD5[nu] * chi_nu;
    c.f_x += static_cast<double>(nu) * kD5[nu] * chi_nu;
    chi_nu *= chi;
  }
  c.f_x *= w;
  c.f_xx = 2.0 * kD5[2];
  return c;
}

// psi4 = psi3 + y^3 E3 + y^4 E4 + y^32 F, y = (1 - theta) / (1 - theta23), d(y)/d(theta) = -1 / (1 -
// theta23).
SecondDerivatives Subregion4Second(double theta, double chi) {
  SecondDerivatives d = Subregion3Second(theta, chi);
  const Correction4Second c = MakeCorrection4Second(chi);
  const double y = (1.0 - theta) / (1.0 - kTheta23);
  const double y2 = y * y;
  const double y3 = y2 * y;
  const double y4 = y2 * y2;
  const double y8 = y4 * y4;
  const double y16 = y8 * y8;
  const double y30 = y16 * y8 * y4 * y2;
  const double y31 = y30 * y;
  const double y32 = y31 * y;
  d.f += y3 * c.e[0] + y4 * c.e[1] + y32 * c.f;
  d.f_x += y3 * c.e_x[0] + y4 * c.e_x[1] + y32 * c.f_x;
  d.f_xx += y3 * c.e_xx[0] + y4 * c.e_xx[1] + y32 * c.f_xx;
  d.f_t -= kYScale * (3.0 * y2 * c.e[0] + 4.0 * y3 * c.e[1] + 32.0 * y31 * c.f);
  d.f_tx -= kYScale * (3.0 * y2 * c.e_x[0] + 4.0 * y3 * c.e_x[1] + 32.0 * y31 * c.f_x);
  d.f_tt += kYScale * kYScale * (6.0 * y * c.e[0] + 12.0 * y2 * c.e[1] + 992.0 * y30 * c.f);
  return d;
}

numerics::GibbsPoint GibbsPointOf(const SecondDerivatives& d, double T, double P) {
  constexpr double kTc = kCriticalTemperature;
  return {T,
          P,
          kEnergy * d.f,
          kEnergy * d.f_t / kTc,
          kCriticalVolume * d.f_x,
          kEnergy * d.f_tt / (kTc * kTc),
          kCriticalVolume * d.f_tx / kTc,
          kCriticalVolume * d.f_xx / kCriticalPressure};
}

numerics::HelmholtzPoint HelmholtzPointOf(const SecondDerivatives& d, double T, double rho, double chi) {
  constexpr double kTc = kCriticalTemperature;
  const double scale = kEnergy * kCriticalVolume * chi * chi;  // E vc chi^2
  return {T,
          rho,
          kEnergy * d.f,
          kEnergy * d.f_t / kTc,
          -scale * d.f_x,
          kEnergy * d.f_tt / (kTc * kTc),
          -scale * d.f_tx / kTc,
          scale * kCriticalVolume * chi * (2.0 * d.f_x + chi * d.f_xx)};
}

}  // namespace

numerics::GibbsPoint Subregion1Point(double T, double P) {
  return GibbsPointOf(Subregion1Second(T / kCriticalTemperature, P / kCriticalPressure), T, P);
}

numerics::GibbsPoint Subregion2Point(double T, double P) {
  return GibbsPointOf(Subregion2Second(T / kCriticalTemperature, P / kCriticalPressure), T, P);
}

numerics::HelmholtzPoint Subregion3Point(double T, double rho) {
  const double chi = 1.0 / (rho * kCriticalVolume);
  return HelmholtzPointOf(Subregion3Second(T / kCriticalTemperature, chi), T, rho, chi);
}

numerics::HelmholtzPoint Subregion4Point(double T, double rho) {
  const double chi = 1.0 / (rho * kCriticalVolume);
  return HelmholtzPointOf(Subregion4Second(T / kCriticalTemperature, chi), T, rho, chi);
}

PressureSlope Subregion3PressureSlope(const SubregionIsotherm& iso, double chi) {
  const double w = 1.0 / chi;
  const double t = iso.t;
  double g0 = 0.0, g0_x = 0.0, g1 = 0.0, g1_x = 0.0, g2 = 0.0, g2_x = 0.0, g3 = 0.0, g3_x = 0.0;
  BracketSlopes(kC0, w, g0, g0_x);
  BracketSlopes(kC1, w, g1, g1_x);
  BracketSlopes(kC2, w, g2, g2_x);
  BracketSlopes(kC3, w, g3, g3_x);
  const double w2 = w * w;
  const double w6 = w2 * w2 * w2;
  const double chi2 = chi * chi;
  const double chi4 = chi2 * chi2;
  const double q = iso.u2 * iso.p6;  // sum C6nu theta^(-nu-1)
  // psi_chi and psi_chichi; iso.c50 = 5 C50 (theta - 1) theta^-23.
  const double psi_x = g0 + t * (g1 + t * (g2 + t * g3)) - iso.c50 * w6 + 6.0 * chi4 * chi * q;
  const double psi_xx = g0_x + t * (g1_x + t * (g2_x + t * g3_x)) + 6.0 * iso.c50 * w6 * w + 30.0 * chi4 * q;
  return {-psi_x, -psi_xx};
}

PressureSlope Subregion4PressureSlope(const SubregionIsotherm& iso, double chi) {
  const PressureSlope p3 = Subregion3PressureSlope(iso, chi);
  const Correction4Second c = MakeCorrection4Second(chi);
  const double y4 = iso.y3 * iso.y;
  return {p3.beta - (iso.y3 * c.e_x[0] + y4 * c.e_x[1] + iso.y32 * c.f_x),
          p3.beta_chi - (iso.y3 * c.e_xx[0] + y4 * c.e_xx[1] + iso.y32 * c.f_xx)};
}

}  // namespace brimwater::ifc67
