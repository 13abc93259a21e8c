// Inverse property functions: temperature and entropy of (P, h), temperature and enthalpy of (P, s).
#include "props/props.h"

namespace brimwater {

double TofPH(double, double, FormulationCode) { return PropertyError; }
double SofPH(double, double, FormulationCode) { return PropertyError; }
double TofPS(double, double, FormulationCode) { return PropertyError; }
double HofPS(double, double, FormulationCode) { return PropertyError; }

}  // namespace brimwater
