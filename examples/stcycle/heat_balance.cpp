#include "heat_balance.h"

#include <cmath>

#include "common/cycle.h"

namespace brimwater::stcycle {
namespace {

// ---- Plant data -------------------------------------------------------------------------------------------
constexpr double kLbmPerKg = 2.204622622;

constexpr double kValvePressureDrop = 0.05;        // fraction of throttle pressure
constexpr double kValveEnthalpyDrop = 1.0;         // BTU/lbm
constexpr double kValveFlowCoefficient = 0.00171;  // psia per lbm/hr at the valve outlet
// Stage pressure per unit of flow passing the extraction point, psia per lbm/hr.
constexpr double kExtraction1Coefficient = 0.000285;
constexpr double kExtraction2Coefficient = 4.25e-05;
constexpr double kExtraction3Coefficient = 6.75e-06;
constexpr double kLinePressureDrop = 0.05;    // extraction line to heater shell, fraction
constexpr double kLineEnthalpyDrop = 0.5;     // BTU/lbm
constexpr double kBoilerPressureDrop = 0.15;  // fraction of feed-pump discharge
constexpr double kHeaterTtd = 10.0;           // degF, HP and LP heaters
constexpr double kHeaterDca = 5.0;            // degF, HP and LP heaters
constexpr double kCondensatePumpRise = 1.5;   // discharge as a multiple of extraction 2 pressure
constexpr double kCondensatePumpEfficiency = 0.75;
constexpr double kFeedPumpEfficiency = 0.65;
constexpr double kAnnulusArea = 108.0;                 // ft2
constexpr double kCondenserRise = 32.0 / 600000000.0;  // degF of cooling water per BTU/hr
constexpr double kTolerance = 1e-05;
constexpr int kMaxIterations = 32;

double ThrottleFlowKgPerS(double F1) { return F1 / kLbmPerKg / 3600.0; }

}  // namespace

// ---- Correlations -----------------------------------------------------------------------------------------

double StageEfficiency(double F1) {
  const double d = ThrottleFlowKgPerS(F1);
  return ((-8.288101141e-07 * d + 0.0001991260511) * d - 0.01082475795) * d + 0.7701450149;
}

double WetSteamDensity(double P, double h, FormulationCode formulation) {
  const double Ts = Tsat(P, formulation);
  const double hf = Hf(Ts, formulation);
  const double x = (h - hf) / (Hg(Ts, formulation) - hf);
  const double vf = Vf(Ts, formulation);
  return 1.0 / (vf + (Vg(Ts, formulation) - vf) * x);
}

double ExhaustLoss(double V) {
  return (((0.095908075 * V - 108.1160204) * V + 38062.85256) * V - 1784140.38) / (V * V);
}

double BoilerEfficiency(double F1) {
  const double l = ThrottleFlowKgPerS(F1) / 115.0;
  return (((1.84942 - 0.794407 * l) * l - 1.68) * l + 1.04333) * l + 0.453681;
}

double GeneratorLoss(double k) {
  const double G = std::pow(150000.0, 1.5);
  return (k / G) * ((k / G) * 1500.0 - 65.0) + 850.0;
}

ClosedHeaterResult ClosedHeater(double Fw, double Pw, double hw_in, double Ps, double hs, double TTD,
                                double DCA, FormulationCode formulation) {
  const double Tw_in = TofPH(Pw, hw_in, formulation);
  ClosedHeaterResult r{};
  r.drainH = HofTP(Tw_in + DCA, Ps, formulation);
  r.outletH = HofTP(Tsat(Ps, formulation) - TTD, Pw, formulation);
  r.extractionFlow = Fw * (r.outletH - hw_in) / (hs - r.drainH);
  return r;
}

// ---- One case ---------------------------------------------------------------------------------------------

SteamCaseResult SteamCase(double F1, double T1, double F20, double T20, double PF,
                          FormulationCode formulation, std::FILE* out) {
  std::fprintf(out, "F1=%.0lf, T1=%.1lf, F20=%.0lf, T20=%.0lf, PF=%.3lf\n", F1, T1, F20, T20, PF);

  // Throttle, extraction and condenser pressures (psia) and extraction flows (lbm/hr), iterated.
  double P1 = 1800.0, Pe1 = 250.0, Pe2 = 35.0, Pe3 = 5.0, Pc = 0.8122;
  double Fe1 = 0.12 * F1, Fe2 = 0.08 * F1, Fe3 = 0.04 * F1;
  std::fprintf(out, "it   F3  /  F4      F5 /  F6     F7 / F8      P9 /  P10\n");
  const double eta = StageEfficiency(F1);

  double h1 = 0.0, hv = 0.0, he1 = 0.0, he2 = 0.0, he3 = 0.0, hU = 0.0, hfw = 0.0;
  SteamCaseResult result{};
  for (int i = 0; i < kMaxIterations; ++i) {
    result.iterations = i + 1;
    // Throttle valve.
    h1 = HofTP(T1, P1, formulation);
    const double Pv = (1.0 - kValvePressureDrop) * P1;
    hv = h1 - kValveEnthalpyDrop;

    // Expansion line through the three extraction points to the condenser.
    he1 = cycle::TurbineOutletH(Pv, hv, Pe1, eta, formulation);
    he2 = cycle::TurbineOutletH(Pe1, he1, Pe2, eta, formulation);
    he3 = cycle::TurbineOutletH(Pe2, he2, Pe3, eta, formulation);
    const double hEnd = cycle::TurbineOutletH(Pe3, he3, Pc, eta, formulation);

    // Leaving loss at the exhaust annulus gives the used-energy end point.
    const double Fc = F1 - Fe1 - Fe2 - Fe3;
    const double V = (Fc / kAnnulusArea) / WetSteamDensity(Pc, hEnd, formulation) / 3600.0;
    hU = hEnd + ExhaustLoss(V);

    // Condensate pump to the LP heater.
    const double hc = Hf(Tsat(Pc, formulation), formulation);
    const double Pcp = kCondensatePumpRise * Pe2;
    const double hcp = cycle::PumpOutletH(Pc, hc, Pcp, kCondensatePumpEfficiency, formulation);

    // LP heater on extraction 3; its drain cascades to the condenser.
    const ClosedHeaterResult lp = ClosedHeater(Fc + Fe3, Pcp, hcp, (1.0 - kLinePressureDrop) * Pe3,
                                               he3 - kLineEnthalpyDrop, kHeaterTtd, kHeaterDca, formulation);

    // Deaerator on extraction 2 delivers saturated liquid.
    const double Pda = (1.0 - kLinePressureDrop) * Pe2;
    const double hda = Hf(Tsat(Pda, formulation), formulation);
    const double Fe2New = (hda - lp.outletH) * (Fc + Fe3) / ((he2 - kLineEnthalpyDrop) - hda);

    // Feed pump to the boiler inlet pressure, then the HP heater on extraction 1.
    const double Pfp = P1 / (1.0 - kBoilerPressureDrop);
    const double hfp = cycle::PumpOutletH(Pda, hda, Pfp, kFeedPumpEfficiency, formulation);
    const ClosedHeaterResult hp = ClosedHeater(F1, Pfp, hfp, (1.0 - kLinePressureDrop) * Pe1,
                                               he1 - kLineEnthalpyDrop, kHeaterTtd, kHeaterDca, formulation);
    hfw = hp.outletH;

    // Condenser: the cooling water's rise over its inlet sets the condensing temperature.
    const double Qcond = (lp.drainH - hc) * lp.extractionFlow + (hU - hc) * Fc;
    const double PcNew = Psat(T20 + Qcond * kCondenserRise, formulation);

    std::fprintf(out, "%2i %6.0lf/%6.0lf %6.0lf/%6.0lf %5.0lf/%5.0lf %6.4lf/%6.4lf\n", i, hp.extractionFlow,
                 Fe1, Fe2New, Fe2, lp.extractionFlow, Fe3, PcNew, Pc);

    // Stage pressures implied by the flows now passing each extraction point.
    const double Pe2New = kExtraction2Coefficient * (F1 - Fe1 - Fe2);
    const double Pe3New = kExtraction3Coefficient * Fc;
    const double Pe1New = kExtraction1Coefficient * (F1 - Fe1);

    const double residuals[] = {
        Pe3 / Pe3New - 1.0, hp.extractionFlow / Fe1 - 1.0,
        Fe2New / Fe2 - 1.0, lp.extractionFlow / Fe3 - 1.0,
        PcNew / Pc - 1.0,   Pv / (kValveFlowCoefficient * F1) - 1.0,
        Pe1 / Pe1New - 1.0, Pe2 / Pe2New - 1.0,
    };
    bool converged = true;
    for (double r : residuals) {
      if (!(std::fabs(r) <= kTolerance)) converged = false;
    }
    if (converged) {
      result.converged = true;
      break;
    }

    // Direct substitution.
    Fe1 = hp.extractionFlow;
    Fe2 = Fe2New;
    Fe3 = lp.extractionFlow;
    Pc = PcNew;
    P1 = kValveFlowCoefficient * F1 / (1.0 - kValvePressureDrop);
    Pe1 = Pe1New;
    Pe2 = Pe2New;
    Pe3 = Pe3New;
  }

  // Turbine output with the current extraction flows and the enthalpies of the last evaluation.
  const double gross = (F1 * (hv - he1) + (F1 - Fe1) * (he1 - he2) + (F1 - Fe1 - Fe2) * (he2 - he3) +
                        (F1 - Fe1 - Fe2 - Fe3) * (he3 - hU)) /
                       cycle::kBtuPerHrPerKw;
  // Generator losses depend on the net output itself: five substitutions settle it.
  double k = gross;
  for (int pass = 0; pass < 5; ++pass) k = gross - GeneratorLoss(k);

  result.netOutput = k;
  result.heatInput = F1 * (h1 - hfw) / BoilerEfficiency(F1) / 1000000.0;
  result.heatRate = 1000000.0 * result.heatInput / k;
  std::fprintf(out, "kWnet=%.0lf, Qgross=%.2lf MBTU/hr, HtRt=%.0lf BTU/kWh\n", result.netOutput,
               result.heatInput, result.heatRate);
  return result;
}

}  // namespace brimwater::stcycle
