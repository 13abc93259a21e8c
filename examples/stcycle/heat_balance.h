// Heat balance of a condensing steam turbine with three extractions: a closed HP heater, an open deaerating
// heater and a closed LP heater, a water-cooled condenser and a boiler described by an efficiency curve.
#ifndef BRIMWATER_EXAMPLES_STCYCLE_HEAT_BALANCE_H
#define BRIMWATER_EXAMPLES_STCYCLE_HEAT_BALANCE_H

#include <brimwater/props.h>

#include <cstdio>

namespace brimwater::stcycle {

// Isentropic efficiency of every expansion at throttle flow F1 (lbm/hr).
double StageEfficiency(double F1);
// Density (lbm/ft3) of steam at P (psia) and enthalpy h (BTU/lbm) by its quality, which is not limited to
// 0..1 so that slightly superheated exhaust still gives a number.
double WetSteamDensity(double P, double h, FormulationCode formulation);
// Exhaust (leaving) loss, BTU/lbm, at annulus velocity V (ft/s).
double ExhaustLoss(double V);
// Boiler efficiency (fraction) at throttle flow F1 (lbm/hr).
double BoilerEfficiency(double F1);
// Generator losses, kW, at output k (kW).
double GeneratorLoss(double k);

struct ClosedHeaterResult {
  double extractionFlow;  // lbm/hr
  double drainH;          // BTU/lbm, drain leaving the drain cooler
  double outletH;         // BTU/lbm, feedwater leaving
};

// Closed feedwater heater: feedwater flow Fw at pressure Pw entering with enthalpy hw_in, heated by
// extraction steam of enthalpy hs at shell pressure Ps; terminal temperature difference TTD and drain-cooler
// approach DCA in degF.
ClosedHeaterResult ClosedHeater(double Fw, double Pw, double hw_in, double Ps, double hs, double TTD,
                                double DCA, FormulationCode formulation);

struct SteamCaseResult {
  double netOutput;  // kW
  double heatInput;  // MBTU/hr, gross fuel heat
  double heatRate;   // BTU/kWh
  int iterations;    // evaluations made
  bool converged;
};

// One case: throttle flow F1 (lbm/hr), throttle temperature T1 (degF), cooling-water flow F20 (lbm/hr,
// printed only), cooling-water inlet temperature T20 (degF) and power factor PF (printed only). Prints its
// input line, every iteration and its result line to `out`.
SteamCaseResult SteamCase(double F1, double T1, double F20, double T20, double PF,
                          FormulationCode formulation, std::FILE* out);

}  // namespace brimwater::stcycle

#endif  // BRIMWATER_EXAMPLES_STCYCLE_HEAT_BALANCE_H
