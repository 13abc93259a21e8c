// The two temperature solvers behind the inverse property functions, in internal units (T in K, P in MPa,
// h in kJ/kg, s in kJ/(kg K)). They call only the internal-unit dispatch, so they serve every formulation.
#ifndef BRIMWATER_PROPS_INVERSE_H
#define BRIMWATER_PROPS_INVERSE_H

#include "props/props.h"

namespace brimwater::inverse {

// A solver's temperature with what it took to find it.
struct TemperatureSolution {
  double T;            // K
  int new_points;      // secant estimates formed (0 for a wet state)
  bool secant_solved;  // the secant met its own convergence test, or the state was wet
  bool bracketed;      // the safeguarded bracketed search finished the job
};

// Temperature of (P, h): the saturation temperature for a wet state, otherwise the secant on h(T, P) = H
// between 273.15 K and 1500 K, finished by a bracketed search when the secant does not converge.
// PropertyError for an unsupported code.
TemperatureSolution TemperatureOfPH(double P, double H, FormulationCode code);

// Temperature of (P, s): likewise on s(T, P) = S, with the secant's step limited to half the distance to the
// ends of the initial bracket. PropertyError for an unsupported code.
TemperatureSolution TemperatureOfPS(double P, double S, FormulationCode code);

}  // namespace brimwater::inverse

#endif  // BRIMWATER_PROPS_INVERSE_H
