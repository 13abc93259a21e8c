// IAPWS-IF97 basic equations of regions 1, 2 and 3 (IAPWS R7-97(2012), Eqs. 7, 15 to 17 and 28) with the
// property relations of Tables 3, 12 and 31:
//   region 1: v = R T pi gamma_pi / P,  h = R T tau gamma_tau,  s = R (tau gamma_tau - gamma)
//   region 2: v = R T pi (gamma0_pi + gammar_pi) / P,  h = R T tau (gamma0_tau + gammar_tau),
//             s = R (tau (gamma0_tau + gammar_tau) - (gamma0 + gammar))
//   region 3: P = rho R T delta phi_delta,  h = R T (tau phi_tau + delta phi_delta),  s = R (tau phi_tau -
//   phi)
// The factor 1000 turns kJ/kg over MPa into m3/kg and kPa into MPa.
//
// Powers are built once per call by repeated multiplication of the base variables. A term whose exponent is 0
// contributes its coefficient and a term multiplied by a zero exponent is left out, so the sums stay finite
// where a base is exactly zero (region 1 at 7.1 - pi = 0, region 2 at tau - 0.5 = 0).
#include <array>
#include <cmath>
#include <cstddef>

#include "if97/if97.h"
#include "numerics/bisection.h"
#include "numerics/branch_root.h"

namespace brimwater::if97 {
namespace {

constexpr double kR = 0.461526;  // kJ/(kg K), specific gas constant

struct Term {
  int I;
  int J;
  double n;
};

struct IdealTerm {
  int J;
  double n;
};

// Region 1: p* = 16.53 MPa, T* = 1386 K.
constexpr double kRegion1PStar = 16.53;   // MPa
constexpr double kRegion1TStar = 1386.0;  // K

// Table 2: coefficients and exponents of the region-1 Gibbs function, gamma = sum n (7.1 - pi)^I (tau
// - 1.222)^J.
constexpr std::array<Term, 34> kRegion1 = {{
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},       {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},       {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},      {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3},    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},     {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},     {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},    {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},     {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},    {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9},    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22}, {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
}};

// Region 2: p* = 1 MPa, T* = 540 K.
constexpr double kRegion2TStar = 540.0;  // K

// Table 10: the ideal-gas part, gamma0 = ln pi + sum n0 tau^J0.
constexpr std::array<IdealTerm, 9> kRegion2Ideal = {{
    {0, -0.96927686500217e1},
    {1, 0.10086655968018e2},
    {-5, -0.56087911283020e-2},
    {-4, 0.71452738081455e-1},
    {-3, -0.40710498223928},
    {-2, 0.14240819171444e1},
    {-1, -0.43839511319450e1},
    {2, -0.28408632460772},
    {3, 0.21268463753307e-1},
}};

// Table 11: the residual part, gammar = sum n pi^I (tau - 0.5)^J.
constexpr std::array<Term, 43> kRegion2Residual = {{
    {1, 0, -0.17731742473213e-2},    {1, 1, -0.17834862292358e-1},    {1, 2, -0.45996013696365e-1},
    {1, 3, -0.57581259083432e-1},    {1, 6, -0.50325278727930e-1},    {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},    {2, 4, -0.39392777243355e-2},    {2, 7, -0.43797295650573e-1},
    {2, 36, -0.26674547914087e-4},   {3, 0, 0.20481737692309e-7},     {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},    {3, 6, -0.15033924542148e-2},    {3, 35, -0.40668253562649e-1},
    {4, 1, -0.78847309559367e-9},    {4, 2, 0.12790717852285e-7},     {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},     {6, 3, -0.16714766451061e-10},   {6, 16, -0.21171472321355e-2},
    {6, 35, -0.23895741934104e2},    {7, 0, -0.59059564324270e-17},   {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},   {8, 8, 0.11256211360459e-10},    {8, 36, -0.82311340897998e1},
    {9, 13, 0.19809712802088e-7},    {10, 4, 0.10406965210174e-18},   {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8},  {16, 29, -0.80882908646985e-10}, {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},     {20, 20, 0.89185845355421e-24},  {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5},  {21, 21, -0.59056029685639e-25}, {22, 53, 0.37826947613457e-5},
    {23, 39, -0.12768608934681e-14}, {24, 26, 0.73087610595061e-28},  {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6},
}};

// Region 3: rho* = 322 kg/m3, T* = 647.096 K.
constexpr int kRegion3StepsPerPass = 32;

// The region-3 volume bracket: 0.0207 and 0.143 ft3/lbm in m3/kg. It holds every region-3 volume, from the
// dense liquid at 623.15 K and 100 MPa to the vapour on the B23 line at 623.15 K.
constexpr double kRegion3VolumeLow = 0.001292258784;        // m3/kg
constexpr double kRegion3VolumeHigh = 0.008927198363;       // m3/kg
constexpr double kCriticalVolume = 1.0 / kCriticalDensity;  // m3/kg
// The start of the state interface's dense-side density searches: delta = 2.5 (805 kg/m3) lies above every
// region-3 density, on the liquid branch where the isotherm is convex. Beyond 100 MPa, where region 3 is
// extrapolated, the density just above 623.15 K passes it (808 kg/m3 at 150 MPa); the start then moves up in
// small steps, since the isotherm stops rising from about 920 kg/m3.
constexpr double kRegion3DenseStart = 2.5;
constexpr double kRegion3DenseOutward = 1.02;
// Table 30: phi = n1 ln delta + sum n delta^I tau^J for i = 2 to 40.
constexpr double kRegion3N1 = 0.10658070028513e1;
constexpr std::array<Term, 39> kRegion3 = {{
    {0, 0, -0.15732845290239e2},   {0, 1, 0.20944396974307e2},    {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},    {0, 10, -0.28080781148620e1},  {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2}, {1, 2, -0.12654315477714e1},   {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},     {1, 17, -0.64207765181607},    {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},     {2, 6, 0.48972281541877e1},    {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1},  {2, 26, 0.12558408424308},     {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},    {3, 4, -0.20189915023570e1},   {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},    {4, 0, 0.43984074473500e-1},   {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},      {4, 26, 0.70522450087967},     {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},     {5, 26, -0.50871062041158},    {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},   {6, 26, 0.16436278447961},     {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1}, {9, 2, 0.57922953628084e-3},   {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4},  {10, 1, -0.16557679795037e-3}, {11, 26, -0.44923899061815e-4},
}};

// x^k for k = 0 .. N-1. Each power is the product of two lower ones (x^k = x^(k/2) x^(k - k/2)), so the
// chain of dependent multiplications is only about log2(N) long. This loop and the coefficient-table sums
// below are unrolled fully: with the exponents known at compile time each term becomes straight-line code.
template <std::size_t N, typename Real>
std::array<Real, N> Powers(const Real& x) {
  std::array<Real, N> p{};
  p[0] = Real{} + 1.0;  // one in every lane
  if constexpr (N > 1) p[1] = x;
#pragma GCC unroll 64
  for (std::size_t k = 2; k < N; ++k) p[k] = p[k / 2] * p[k - k / 2];
  return p;
}

// x^k for k = -Low .. High, stored at index k + Low; the negative powers are powers of 1 / x.
template <int Low, int High>
struct SignedPowers {
  std::array<double, static_cast<std::size_t>(Low + High + 1)> p;
  double operator()(int k) const { return p[static_cast<std::size_t>(k + Low)]; }
};

template <int Low, int High>
SignedPowers<Low, High> MakeSignedPowers(double x) {
  constexpr auto kLow = static_cast<std::size_t>(Low);
  constexpr auto kHigh = static_cast<std::size_t>(High);
  const std::array<double, kHigh + 1> up = Powers<kHigh + 1>(x);
  const std::array<double, kLow + 1> down = Powers<kLow + 1>(1.0 / x);
  SignedPowers<Low, High> s{};
#pragma GCC unroll 64
  for (std::size_t k = 0; k <= kLow; ++k) s.p[kLow - k] = down[k];
#pragma GCC unroll 64
  for (std::size_t k = 1; k <= kHigh; ++k) s.p[kLow + k] = up[k];
  return s;
}

std::size_t Index(int k) { return static_cast<std::size_t>(k); }

// ---- Region 1 -------------------------------------------------------------------------------------------

struct Region1Bases {
  std::array<double, 33> a;  // (7.1 - pi)^I, I = 0 .. 32
  SignedPowers<42, 17> b;    // (tau - 1.222)^J, J = -42 .. 17
  double tau;
};

Region1Bases MakeRegion1Bases(double T, double P) {
  const double pi = P / kRegion1PStar;
  const double tau = kRegion1TStar / T;
  return {Powers<33>(7.1 - pi), MakeSignedPowers<42, 17>(tau - 1.222), tau};
}

double Region1Gamma(const Region1Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion1) sum += t.n * x.a[Index(t.I)] * x.b(t.J);
  return sum;
}

double Region1GammaPi(const Region1Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion1) {
    if (t.I != 0) sum -= t.n * t.I * x.a[Index(t.I - 1)] * x.b(t.J);
  }
  return sum;
}

double Region1GammaTau(const Region1Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion1) {
    if (t.J != 0) sum += t.n * t.J * x.a[Index(t.I)] * x.b(t.J - 1);
  }
  return sum;
}

// ---- Region 2 -------------------------------------------------------------------------------------------

struct Region2Bases {
  std::array<double, 25> pi;  // pi^I, I = 0 .. 24
  std::array<double, 59> b;   // (tau - 0.5)^J, J = 0 .. 58
  SignedPowers<6, 3> tau;     // tau^J0, J0 = -6 .. 3
  double pi1;
};

Region2Bases MakeRegion2Bases(double T, double P) {
  const double tau = kRegion2TStar / T;
  return {Powers<25>(P), Powers<59>(tau - 0.5), MakeSignedPowers<6, 3>(tau), P};
}

double Region2IdealGamma(const Region2Bases& x) {
  double sum = std::log(x.pi1);
#pragma GCC unroll 64
  for (const IdealTerm& t : kRegion2Ideal) sum += t.n * x.tau(t.J);
  return sum;
}

double Region2IdealGammaTau(const Region2Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const IdealTerm& t : kRegion2Ideal) {
    if (t.J != 0) sum += t.n * t.J * x.tau(t.J - 1);
  }
  return sum;
}

double Region2ResidualGamma(const Region2Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion2Residual) sum += t.n * x.pi[Index(t.I)] * x.b[Index(t.J)];
  return sum;
}

// pi times d(gammar)/d(pi): every residual term has I >= 1.
double Region2ResidualPiGammaPi(const Region2Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion2Residual) sum += t.n * t.I * x.pi[Index(t.I)] * x.b[Index(t.J)];
  return sum;
}

double Region2ResidualGammaTau(const Region2Bases& x) {
  double sum = 0.0;
#pragma GCC unroll 64
  for (const Term& t : kRegion2Residual) {
    if (t.J != 0) sum += t.n * t.J * x.pi[Index(t.I)] * x.b[Index(t.J - 1)];
  }
  return sum;
}

// ---- Region 3 -------------------------------------------------------------------------------------------

// On an isotherm the region-3 sums are polynomials in delta: phi = n1 ln delta + sum_I c_I delta^I with
// c_I = sum over the terms of that I of n tau^J. The volume search evaluates the pressure 64 times on one
// isotherm, so the coefficients are formed once and each pressure is a Horner sum of twelve terms.
struct Region3Isotherm {
  std::array<double, 12> c;          // c_I = sum n tau^J
  std::array<double, 12> tau_c_tau;  // sum n J tau^J, the coefficients of tau phi_tau
};

Region3Isotherm MakeRegion3Isotherm(double T) {
  const std::array<double, 27> tau = Powers<27>(kCriticalTemperature / T);
  Region3Isotherm iso{};
#pragma GCC unroll 64
  for (const Term& t : kRegion3) {
    iso.c[Index(t.I)] += t.n * tau[Index(t.J)];
    iso.tau_c_tau[Index(t.I)] += t.n * t.J * tau[Index(t.J)];
  }
  return iso;
}

double Delta(double v) { return 1.0 / (kCriticalDensity * v); }

// sum_I c_I delta^I in nested form.
double Region3Sum(const std::array<double, 12>& c, double delta) {
  double sum = c[11];
  for (std::size_t i = 11; i-- > 0;) sum = sum * delta + c[i];
  return sum;
}

// delta phi_delta = n1 + sum_I I c_I delta^I, in nested form.
double Region3DeltaPhiDelta(const Region3Isotherm& iso, double delta) {
  double sum = 11.0 * iso.c[11];
  for (std::size_t i = 11; i-- > 1;) sum = sum * delta + static_cast<double>(i) * iso.c[i];
  return kRegion3N1 + sum * delta;
}

double Region3PressureOnIsotherm(const Region3Isotherm& iso, double T, double v) {
  return kR * T * Region3DeltaPhiDelta(iso, Delta(v)) / (1000.0 * v);
}

}  // namespace

double Region1Volume(double T, double P) {
  // R T pi gamma_pi / (1000 P) with pi / P = 1 / p*, which keeps P = 0 finite.
  return kR * T * Region1GammaPi(MakeRegion1Bases(T, P)) / (1000.0 * kRegion1PStar);
}

double Region1Enthalpy(double T, double P) {
  const Region1Bases x = MakeRegion1Bases(T, P);
  return kR * T * x.tau * Region1GammaTau(x);
}

double Region1Entropy(double T, double P) {
  const Region1Bases x = MakeRegion1Bases(T, P);
  return kR * (x.tau * Region1GammaTau(x) - Region1Gamma(x));
}

double Region2Volume(double T, double P) {
  // pi (gamma0_pi + gammar_pi) = 1 + pi gammar_pi.
  return kR * T * (1.0 + Region2ResidualPiGammaPi(MakeRegion2Bases(T, P))) / (1000.0 * P);
}

double Region2Enthalpy(double T, double P) {
  const Region2Bases x = MakeRegion2Bases(T, P);
  return kR * kRegion2TStar * (Region2IdealGammaTau(x) + Region2ResidualGammaTau(x));
}

double Region2Entropy(double T, double P) {
  const Region2Bases x = MakeRegion2Bases(T, P);
  const double tau = kRegion2TStar / T;
  return kR * (tau * (Region2IdealGammaTau(x) + Region2ResidualGammaTau(x)) -
               (Region2IdealGamma(x) + Region2ResidualGamma(x)));
}

double Region3Pressure(double T, double v) { return Region3PressureOnIsotherm(MakeRegion3Isotherm(T), T, v); }

double Region3Enthalpy(double T, double v) {
  const Region3Isotherm iso = MakeRegion3Isotherm(T);
  const double delta = Delta(v);
  return kR * T * (Region3Sum(iso.tau_c_tau, delta) + Region3DeltaPhiDelta(iso, delta));
}

double Region3Entropy(double T, double v) {
  const Region3Isotherm iso = MakeRegion3Isotherm(T);
  const double delta = Delta(v);
  return kR * (Region3Sum(iso.tau_c_tau, delta) - (kRegion3N1 * std::log(delta) + Region3Sum(iso.c, delta)));
}

double Region3Volume(double T, double P) {
  double lo = kRegion3VolumeLow;
  double top = kRegion3VolumeHigh;
  // Below the critical temperature the isotherm has up to three roots in the bracket (liquid, unstable,
  // metastable vapour). Search only the branch that the phase implies, so that compressed liquid gets the
  // liquid root.
  if (T < kCriticalTemperature) {
    if (P >= SatPressure(T)) {
      top = kCriticalVolume;
    } else {
      lo = kCriticalVolume;
    }
  }
  // Two passes: the second starts again from the top of the bracket and keeps the lower end that the first
  // pass reached. The pressure falls as the volume grows.
  const Region3Isotherm iso = MakeRegion3Isotherm(T);
  const auto locate = [&iso, T, P](double v) {
    return Region3PressureOnIsotherm(iso, T, v) > P ? numerics::Side::Above : numerics::Side::AtOrBelow;
  };
  const numerics::Bisected first = numerics::Bisection(lo, top, kRegion3StepsPerPass, locate);
  return numerics::Bisection(first.lo, top, kRegion3StepsPerPass, locate).mid;
}

// ---- The basic equations as fundamental equations -------------------------------------------------------
//
// Each region's Gibbs (regions 1, 2) or Helmholtz (region 3) function with its first and second derivatives
// from one pass over its table, turned into the dimensional derivatives of g(T, P) or a(T, rho) that the
// state interface's property relations take (IAPWS R7-97(2012), Tables 4, 13 and 32 give the same relations
// in reduced form). With pi = P / p*, tau = T* / T: g = R T gamma, g_T = R (gamma - tau gamma_tau), g_P = R T
// gamma_pi / p*, g_TT = R tau^2 gamma_tautau / T, g_TP = R (gamma_pi - tau gamma_pitau) / p*, g_PP = R T
// gamma_pipi / p*^2; and with delta = rho / rho_c: a = R T phi, a_T = R (phi - tau phi_tau), a_rho = R T
// phi_delta / rho_c, a_TT = R tau^2 phi_tautau / T, a_Trho = R (phi_delta - tau phi_deltatau) / rho_c,
// a_rhorho = R T phi_deltadelta / rho_c^2. kJ/kg per MPa is cm3/g, so g_P comes out in cm3/g.

namespace {

// The dimensionless function and its derivatives with respect to its two reduced variables (x = pi or delta,
// y = tau).
struct Reduced {
  double f, f_x, f_y, f_xx, f_xy, f_yy;
};

// With tau = T* / T, g_TT = R tau^2 gamma_tautau / T = (R / T*) tau^3 gamma_tautau: no division by T.
numerics::GibbsPoint GibbsOfReduced(const Reduced& r, double T, double P, double inv_p_star, double tau,
                                    double inv_T_star) {
  const double R_T = kR * T;
  return {T,
          P,
          R_T * r.f,
          kR * (r.f - tau * r.f_y),
          R_T * r.f_x * inv_p_star,
          (kR * inv_T_star) * (tau * tau * tau) * r.f_yy,
          kR * (r.f_x - tau * r.f_xy) * inv_p_star,
          R_T * r.f_xx * (inv_p_star * inv_p_star)};
}

constexpr double kCriticalDensityGcm3 = kCriticalDensity / 1000.0;  // g/cm3

// Two doubles in one register: GCC's and Clang's vector extension, one SSE2 instruction per operation on
// x86-64 (whose baseline SSE2 is), two scalar ones elsewhere. Each lane is rounded as the scalar operation
// would be, so the results do not depend on the machine.
// No function takes or returns a Pair by value: where SSE is not enabled (32-bit MinGW) that would change the
// calling convention.
typedef double Pair __attribute__((vector_size(16)));

// The sums over a table {I, J, n} of n x^I y^J and its derivatives, grouped by I (the table is ordered by I
// and, within one I, by J). For each I the sums over J of n y^J, n J y^J and n J (J - 1) y^J (y^0, y^1 and
// y^2 times the y-derivatives) are taken in nested (Horner) form, two of them to a Pair: (n y^J, n J y^J)
// and (n J (J - 1) y^J, n y^J). The sums over I then take x^I and its x-derivatives, and one multiplication
// by 1 / y or 1 / y^2 at the end gives the y-derivatives. `x(k)` gives x^k (k >= 0) and `y(k)` gives y^k in
// both lanes of a Pair; y must not be zero.
template <std::size_t NTerms, typename XPowers, typename YPowers>
Reduced GroupedSums(const std::array<Term, NTerms>& table, const XPowers& x, const YPowers& y, double inv_y) {
  Pair f_fy{};     // (f, y f_y)
  Pair fx_fxy{};   // (f_x, y f_xy)
  Pair fyy_fxx{};  // (y^2 f_yy, f_xx)
  Pair a{};        // (sum n y^J, sum n J y^J) over the terms of one I
  Pair b{};        // (sum n J (J - 1) y^J, sum n y^J)
#pragma GCC unroll 64
  for (std::size_t j = 0; j < NTerms; ++j) {
    const std::size_t k = NTerms - 1 - j;  // from the last term back
    const Term& t = table[k];
    const Pair ca{t.n, t.n * t.J};
    const Pair cb{t.n * t.J * (t.J - 1), t.n};
    if (k + 1 == NTerms || table[k + 1].I != t.I) {
      a = ca;  // the highest J of this I
      b = cb;
    } else {
      const Pair& gap = y(table[k + 1].J - t.J);
      a = a * gap + ca;
      b = b * gap + cb;
    }
    if (k > 0 && table[k - 1].I == t.I) continue;
    // The lowest J of this I: the group is complete.
    if (t.J != 0) {
      a *= y(t.J);
      b *= y(t.J);
    }
    const int i = t.I;
    const double xi = x(i);
    f_fy += Pair{xi, xi} * a;
    if (i >= 1) {
      const double di = i * x(i - 1);
      fx_fxy += Pair{di, di} * a;
    }
    fyy_fxx += Pair{xi, i >= 2 ? i * (i - 1) * x(i >= 2 ? i - 2 : 0) : 0.0} * b;
  }
  return {f_fy[0], fx_fxy[0], f_fy[1] * inv_y, fyy_fxx[1], fx_fxy[1] * inv_y, fyy_fxx[0] * (inv_y * inv_y)};
}

}  // namespace

numerics::GibbsPoint Region1Point(double T, double P) {
  // gamma = sum n (7.1 - pi)^I (tau - 1.222)^J; d/dpi brings down -I. (tau - 1.222 >= 1 throughout region 1.)
  const double pi = P * (1.0 / kRegion1PStar);
  const double tau = kRegion1TStar / T;
  const std::array<double, 33> a = Powers<33>(7.1 - pi);
  const double y = tau - 1.222;
  const double inv_y = 1.0 / y;
  const std::array<Pair, 18> up = Powers<18>(Pair{y, y});
  const std::array<Pair, 42> down = Powers<42>(Pair{inv_y, inv_y});
  Reduced r = GroupedSums(
      kRegion1, [&a](int k) { return a[Index(k)]; },
      [&up, &down](int k) -> const Pair& { return k >= 0 ? up[Index(k)] : down[Index(-k)]; }, inv_y);
  // The sums were taken in (7.1 - pi): each derivative in pi changes the sign.
  r.f_x = -r.f_x;
  r.f_xy = -r.f_xy;
  return GibbsOfReduced(r, T, P, 1.0 / kRegion1PStar, tau, 1.0 / kRegion1TStar);
}

numerics::GibbsPoint Region2Point(double T, double P) {
  // gamma = ln pi + sum n0 tau^J0 + sum n pi^I (tau - 0.5)^J, p* = 1 MPa.
  const double pi = P;
  const double tau = kRegion2TStar / T;
  const std::array<double, 25> p = Powers<25>(pi);
  // At tau - 0.5 = 0 exactly (1080 K, beyond region 2) the sums are taken at 1e-100 instead, where they
  // equal their limits to the last bit.
  const double y = tau == 0.5 ? 1e-100 : tau - 0.5;
  const std::array<Pair, 59> b = Powers<59>(Pair{y, y});
  // tau^J0 for J0 = -7 .. 3, the negative powers from 1 / tau = T / T*.
  const std::array<double, 4> up = Powers<4>(tau);
  const std::array<double, 8> down = Powers<8>(T * (1.0 / kRegion2TStar));
  const auto t0 = [&up, &down](int k) { return k >= 0 ? up[Index(k)] : down[Index(-k)]; };
  Reduced r = GroupedSums(
      kRegion2Residual, [&p](int k) { return p[Index(k)]; },
      [&b](int k) -> const Pair& { return b[Index(k)]; }, 1.0 / y);
  const double inv_pi = 1.0 / pi;
  r.f += std::log(pi);
  r.f_x += inv_pi;
  r.f_xx -= inv_pi * inv_pi;
#pragma GCC unroll 64
  for (const IdealTerm& t : kRegion2Ideal) {
    r.f += t.n * t0(t.J);
    if (t.J != 0) {
      r.f_y += t.n * t.J * t0(t.J - 1);
      if (t.J != 1) r.f_yy += t.n * t.J * (t.J - 1) * t0(t.J - 2);
    }
  }
  return GibbsOfReduced(r, T, P, 1.0, tau, 1.0 / kRegion2TStar);
}

numerics::HelmholtzPoint Region3Point(double T, double rho) {
  // phi = n1 ln delta + sum n delta^I tau^J.
  const double delta = rho / kCriticalDensityGcm3;
  const double tau = kCriticalTemperature / T;
  const std::array<double, 12> d = Powers<12>(delta);
  const std::array<double, 27> t = Powers<27>(tau);
  const double inv_delta = 1.0 / delta;
  Reduced r{kRegion3N1 * std::log(delta),
            kRegion3N1 * inv_delta,
            0.0,
            -kRegion3N1 * inv_delta * inv_delta,
            0.0,
            0.0};
#pragma GCC unroll 64
  for (const Term& term : kRegion3) {
    const double n = term.n;
    const double dI = d[Index(term.I)];
    const double tJ = t[Index(term.J)];
    r.f += n * dI * tJ;
    if (term.I != 0) {
      const double dI1 = d[Index(term.I - 1)];
      r.f_x += n * term.I * dI1 * tJ;
      if (term.I != 1) r.f_xx += n * term.I * (term.I - 1) * d[Index(term.I - 2)] * tJ;
      if (term.J != 0) r.f_xy += n * term.I * term.J * dI1 * t[Index(term.J - 1)];
    }
    if (term.J != 0) {
      r.f_y += n * term.J * dI * t[Index(term.J - 1)];
      if (term.J != 1) r.f_yy += n * term.J * (term.J - 1) * dI * t[Index(term.J - 2)];
    }
  }
  constexpr double inv_rc = 1.0 / kCriticalDensityGcm3;
  const double R_T = kR * T;
  return {T,
          rho,
          R_T * r.f,
          kR * (r.f - tau * r.f_y),
          R_T * r.f_x * inv_rc,
          (kR / kCriticalTemperature) * (tau * tau * tau) * r.f_yy,
          kR * (r.f_x - tau * r.f_xy) * inv_rc,
          R_T * r.f_xx * (inv_rc * inv_rc)};
}

double Region3Density(double T, double P, Region3Branch branch) {
  // On an isotherm p(delta) = rho_c R T (n1 delta + sum_I I c_I delta^(I+1)), a polynomial in delta whose
  // coefficients are formed once. The liquid and the dense single root are approached from above, where the
  // isotherm is convex; the vapour from below, from the ideal-gas density, where it is concave.
  const Region3Isotherm iso = MakeRegion3Isotherm(T);
  const double scale = kCriticalDensityGcm3 * kR * T;  // MPa
  const auto pressure = [&](double delta) {
    double sum = 11.0 * 12.0 * iso.c[11];
    double sum_d = 11.0 * iso.c[11];
    for (std::size_t i = 11; i-- > 1;) {
      const double k = static_cast<double>(i);
      sum = sum * delta + k * (k + 1.0) * iso.c[i];
      sum_d = sum_d * delta + k * iso.c[i];
    }
    // sum_d * delta = sum_I I c_I delta^I, sum = sum_I I (I + 1) c_I delta^(I - 1)
    const double value = scale * delta * (kRegion3N1 + sum_d * delta) - P;
    const double slope = scale * (kRegion3N1 + sum * delta);
    return numerics::ValueSlope{value, slope};
  };
  double delta;
  if (branch == Region3Branch::Vapour) {
    const double ideal = P / scale;  // the ideal-gas delta, below the vapour's
    delta = numerics::BranchRoot(pressure, ideal, numerics::Approach::FromBelow, 0.5);
  } else {
    delta = numerics::BranchRoot(pressure, kRegion3DenseStart, numerics::Approach::FromAbove,
                                 kRegion3DenseOutward);
  }
  return delta * kCriticalDensityGcm3;
}
}  // namespace brimwater::if97
