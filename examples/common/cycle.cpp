#include "common/cycle.h"

#include <cmath>
#include <cstddef>

namespace brimwater::cycle {
namespace {

// Ideal-gas enthalpy of one species as a cubic in temperature: h = c0 + c1 T + c2 T^2 + c3 T^3,
// T in degF, h in BTU/lbm; M is the molar mass.
struct Species {
  double c0, c1, c2, c3, M;
};

// In the order N2, O2, CO2, H2O, Ar, SO2.
constexpr std::array<Species, 6> kSpecies{{
    {-0.1823844, 0.245008, 9.515373e-06, 1.27892e-09, 28.013},
    {-0.01173314, 0.2177264, 1.570874e-06, 1.001867e-09, 31.998},
    {0.001374508, 0.1873375, 3.953234e-06, 1.303025e-10, 44.01},
    {9.393189e-05, 0.4431567, 6.169783e-08, 9.216964e-12, 18.015},
    {7.922561e-14, 0.1242788, -2.526427e-18, 9.458965e-22, 39.948},
    {1.495539e-05, 0.1417236, 1.93181e-08, 1.479716e-12, 64.066},
}};

template <std::size_t N>
double MixtureHofT(const std::array<double, N>& x, double T) {
  double weighted = 0.0;
  double mass = 0.0;
  for (std::size_t i = 0; i < N; ++i) {
    const Species& s = kSpecies[i];
    const double molarMass = x[i] * s.M;
    weighted += molarMass * (((s.c3 * T + s.c2) * T + s.c1) * T + s.c0);
    mass += molarMass;
  }
  return weighted / mass;
}

template <std::size_t N>
double MixtureTofH(const std::array<double, N>& x, double h) {
  double low = 0.0;      // degF
  double high = 2000.0;  // degF
  double mid = 0.0;
  for (int halving = 0; halving < 32; ++halving) {
    mid = (high + low) * 0.5;
    if (MixtureHofT(x, mid) < h) {
      low = mid;
    } else {
      high = mid;
    }
  }
  return mid;
}

}  // namespace

double GasHofT(GasComposition x, double T) { return MixtureHofT(x, T); }
double GasHofT(GasComposition6 x, double T) { return MixtureHofT(x, T); }
double GasTofH(GasComposition x, double h) { return MixtureTofH(x, h); }
double GasTofH(GasComposition6 x, double h) { return MixtureTofH(x, h); }

double Lmtd(double d1, double d2) {
  if (d1 <= 0.0 || d2 <= 0.0) return 0.0;
  if (std::fabs(d1 - d2) < 0.001) return std::sqrt(d1 * d2);
  return (d1 - d2) / std::log(d1 / d2);
}

double TurbineOutletH(double Pin, double hin, double Pout, double eta, FormulationCode formulation) {
  const double isentropic = HofPS(Pout, SofPH(Pin, hin, formulation), formulation);
  return hin + (isentropic - hin) * eta;
}

double PumpOutletH(double Pin, double hin, double Pout, double eta, FormulationCode formulation) {
  const double isentropic = HofPS(Pout, SofPH(Pin, hin, formulation), formulation);
  return hin + (isentropic - hin) / eta;
}

GtPoint GtPerformance(double P, double T, double RH, const GtCorrectionLines& machine) {
  const double dT = T - machine.Tref;
  const double dRH = RH - 0.6;
  GtPoint gt{};
  gt.output = machine.W0 * (P / machine.Pref) * (1.0 - machine.a1 * dT) * (1.0 + 0.00655 * dRH);
  gt.heatRate = machine.HR0 * (machine.Pref / P) * (1.0 + machine.b1 * dT) * (1.0 + 0.00153 * dRH);
  gt.exhaustFlow = machine.F0 * (P / machine.Pref) * (1.0 - machine.c1 * dT) * (1.0 - 0.00533 * dRH);
  gt.exhaustTemperature = machine.T0 + machine.d0 * (P - machine.Pref) + machine.d1 * dT + 2.39 * dRH;
  return gt;
}

}  // namespace brimwater::cycle
