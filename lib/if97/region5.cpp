// IAPWS-IF97 region 5, the high-temperature region 1073.15 K < T <= 2273.15 K at p <= 50 MPa (IAPWS
// R7-97(2012), Eqs. 32 to 34, Tables 37 and 38, the revised region 5 of 2007): gamma = gamma0 + gammar with
//   gamma0 = ln pi + sum n0 tau^J0,  gammar = sum n pi^I tau^J,  pi = P / 1 MPa, tau = 1000 K / T,
// returned as the dimensional Gibbs function and its derivatives.
#include <array>
#include <cmath>

#include "if97/if97.h"

namespace brimwater::if97 {
namespace {

constexpr double kR = 0.461526;    // kJ/(kg K)
constexpr double kTStar = 1000.0;  // K

struct IdealTerm {
  int J;
  double n;
};

struct Term {
  int I;
  int J;
  double n;
};

// Table 37: the ideal-gas part.
constexpr std::array<IdealTerm, 6> kIdeal = {{
    {0, -0.13179983674201e2},
    {1, 0.68540841634434e1},
    {-3, -0.24805148933466e-1},
    {-2, 0.36901534980333},
    {-1, -0.31161318213925e1},
    {2, -0.32961626538917},
}};

// Table 38: the residual part.
constexpr std::array<Term, 6> kResidual = {{
    {1, 1, 0.15736404855259e-2},
    {1, 2, 0.90153761673944e-3},
    {1, 3, -0.50270077677648e-2},
    {2, 3, 0.22440037409485e-5},
    {2, 9, -0.41163275453471e-5},
    {3, 7, 0.37919454822955e-7},
}};

// x^k for k = 0 .. N - 1.
template <std::size_t N>
std::array<double, N> Powers(double x) {
  std::array<double, N> p{};
  p[0] = 1.0;
  for (std::size_t k = 1; k < N; ++k) p[k] = p[k - 1] * x;
  return p;
}

std::size_t Index(int k) { return static_cast<std::size_t>(k); }

}  // namespace

numerics::GibbsPoint Region5Point(double T, double P) {
  const double pi = P;
  const double tau = kTStar / T;
  const std::array<double, 4> p = Powers<4>(pi);
  const std::array<double, 10> t = Powers<10>(tau);
  const double inv_tau = 1.0 / tau;
  const std::array<double, 6> r = Powers<6>(inv_tau);  // tau^-k
  // tau^J for J = -5 .. 9 without a general power: negative exponents from the reciprocal.
  const auto tau_power = [&](int J) { return J >= 0 ? t[Index(J)] : r[Index(-J)]; };

  double g = std::log(pi), g_pi = 1.0 / pi, g_pipi = -1.0 / (pi * pi);
  double g_tau = 0.0, g_tautau = 0.0, g_pitau = 0.0;
  for (const IdealTerm& term : kIdeal) {
    g += term.n * tau_power(term.J);
    if (term.J != 0) {
      g_tau += term.n * term.J * tau_power(term.J - 1);
      if (term.J != 1) g_tautau += term.n * term.J * (term.J - 1) * tau_power(term.J - 2);
    }
  }
  for (const Term& term : kResidual) {
    const double pI = p[Index(term.I)];
    const double pI1 = p[Index(term.I - 1)];
    const double tJ = t[Index(term.J)];
    const double tJ1 = t[Index(term.J - 1)];
    g += term.n * pI * tJ;
    g_pi += term.n * term.I * pI1 * tJ;
    if (term.I != 1) g_pipi += term.n * term.I * (term.I - 1) * p[Index(term.I - 2)] * tJ;
    g_tau += term.n * term.J * pI * tJ1;
    if (term.J != 1) g_tautau += term.n * term.J * (term.J - 1) * pI * t[Index(term.J - 2)];
    g_pitau += term.n * term.I * term.J * pI1 * tJ1;
  }
  return {T,
          P,
          kR * T * g,
          kR * (g - tau * g_tau),
          kR * T * g_pi,
          kR * tau * tau * g_tautau / T,
          kR * (g_pi - tau * g_pitau),
          kR * T * g_pipi};
}

}  // namespace brimwater::if97
