// Building blocks shared by the plant-model programs: flue-gas enthalpy from a species table and its
// inversion, the log-mean temperature difference, expansion and pumping with an isentropic efficiency, and a
// gas turbine described by correction lines. The HRSG section march and the UA-matching iteration are in
// hrsg.h.
//
// English-unit models: degF, psia, BTU/lbm, lbm/hr, BTU/hr, kW. The blocks keep no state.
#ifndef BRIMWATER_EXAMPLES_COMMON_CYCLE_H
#define BRIMWATER_EXAMPLES_COMMON_CYCLE_H

#include <brimwater/props.h>

#include <array>

namespace brimwater::cycle {

inline constexpr double kBtuPerHrPerKw = 3412.141633;

// Mole fractions in the fixed order N2, O2, CO2, H2O, Ar.
using GasComposition = std::array<double, 5>;
// The same with sulphur dioxide as a sixth species: N2, O2, CO2, H2O, Ar, SO2.
using GasComposition6 = std::array<double, 6>;

// Mass-weighted mixture enthalpy (BTU/lbm) at T (degF). The fractions are not normalised, so a composition
// summing to less than 1 gives the enthalpy of the scaled one.
double GasHofT(GasComposition x, double T);
double GasHofT(GasComposition6 x, double T);

// Temperature (degF) of a mixture enthalpy: 32 halvings of 0..2000 degF, so an enthalpy beyond either end
// gives a temperature within 2000/2^32 degF of that end.
double GasTofH(GasComposition x, double h);
double GasTofH(GasComposition6 x, double h);

// Log-mean of the two end temperature differences; 0 when either end is not positive (a temperature cross),
// the geometric mean when the ends differ by less than 0.001.
double Lmtd(double d1, double d2);

// Outlet enthalpy of an expansion from (Pin, hin) to Pout with isentropic efficiency eta.
double TurbineOutletH(double Pin, double hin, double Pout, double eta, FormulationCode formulation);
// Outlet enthalpy of a pump from (Pin, hin) to Pout with isentropic efficiency eta.
double PumpOutletH(double Pin, double hin, double Pout, double eta, FormulationCode formulation);

// Gas-turbine correction lines about a reference ambient state.
struct GtCorrectionLines {
  double Pref;  // ambient pressure
  double Tref;  // ambient temperature
  double W0;    // output, kW
  double HR0;   // heat rate
  double F0;    // exhaust flow
  double T0;    // exhaust temperature
  double a1;    // output per degree
  double b1;    // heat rate per degree
  double c1;    // exhaust flow per degree
  double d0;    // exhaust temperature per unit of ambient pressure
  double d1;    // exhaust temperature per degree
};

// English machine: psia, degF, kW, BTU/kWh, lbm/hr.
inline constexpr GtCorrectionLines kGtEnglish{14.696,  60.0,    43273.0, 8244.0, 1000000.0, 850.0,
                                              0.00241, 0.00071, 0.00172, 0.912,  0.272};
// SI machine: MPa, K, kW, kJ/kWh, kg/s.
inline constexpr GtCorrectionLines kGtSI{0.101325, 286.0,   46720.0, 8757.0, 300.0, 730.0,
                                         0.00433,  0.00127, 0.0031,  132.3,  0.489};

struct GtPoint {
  double output;              // kW
  double heatRate;            // BTU/kWh or kJ/kWh
  double exhaustFlow;         // lbm/hr or kg/s
  double exhaustTemperature;  // degF or K
};

// Gas-turbine performance at ambient pressure P, temperature T and relative humidity RH (fraction).
GtPoint GtPerformance(double P, double T, double RH, const GtCorrectionLines& machine);

}  // namespace brimwater::cycle

#endif  // BRIMWATER_EXAMPLES_COMMON_CYCLE_H
