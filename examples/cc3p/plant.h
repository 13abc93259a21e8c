// Three-pressure reheat combined-cycle plant at off-design ambient conditions: one gas turbine, a duct
// burner, a fourteen-section HRSG, HP/IP/LP steam turbine and a water-cooled condenser.
#ifndef BRIMWATER_EXAMPLES_CC3P_PLANT_H
#define BRIMWATER_EXAMPLES_CC3P_PLANT_H

#include <cstdio>

#include "common/cycle.h"

namespace brimwater::cc3p {

// Saturation pressure of water (psia) at T (degF), the moist-air correlation of this model.
double VapourPressure(double T);
// Mass of water vapour per mass of dry air at ambient pressure P (psia), temperature T (degF) and relative
// humidity RH (fraction, 1 = saturated).
double HumidityRatio(double P, double T, double RH);
// Mole fractions of moist ambient air.
cycle::GasComposition AmbientAir(double P, double T, double RH);
// Mole fractions after burning fuel flow Ff in gas flow Fa (lbm/hr), the flows taken as amounts, with the
// fuel ratio r: with m = r / (r + 1), O2 falls by ((1 - m) + 0.5 m) Ff, CO2 rises by (1 - m) Ff and H2O by
// 0.5 m Ff.
cycle::GasComposition CombustionProducts(cycle::GasComposition x, double Fa, double Ff, double r);

struct PlantResult {
  double gasTurbine;      // kW
  double steamTurbine;    // net of auxiliaries and pumps, kW
  double total;           // kW
  double heatRate;        // gas turbine plus duct burner heat input per kW, BTU/kWh
  double hpTurbine;       // kW
  double ipTurbine;       // kW
  double lpTurbine;       // kW
  double condensatePump;  // kW
  double ipFeedPump;      // kW
  double hpFeedPump;      // kW
  double gtFuel;          // lbm/hr
  double ductBurnerFuel;  // lbm/hr
  bool converged;
};

// One case: ambient pressure P (psia), temperature T (degF), relative humidity RH (fraction), cooling water
// Tcw (degF), duct-burner heat input Qdb (BTU/hr). The verbose case prints the gas compositions, every
// iteration and the results to `out`; every case prints the failure message there if it does not converge.
PlantResult PlantCase(double P, double T, double RH, double Tcw, double Qdb, bool verbose, std::FILE* out);

}  // namespace brimwater::cc3p

#endif  // BRIMWATER_EXAMPLES_CC3P_PLANT_H
