// The fifteen public functions as data, for tests that sweep all of them.
#ifndef BRIMWATER_TESTS_SUPPORT_FUNCTIONS_H
#define BRIMWATER_TESTS_SUPPORT_FUNCTIONS_H

#include <brimwater/props.h>

namespace brimwater::testing {

enum class Arguments { Temperature, Pressure, TemperaturePressure, PressureEnthalpy, PressureEntropy };

struct PublicFunction {
  const char* name;
  Arguments arguments;
  double (*one)(double, FormulationCode);
  double (*two)(double, double, FormulationCode);

  int arity() const { return one != nullptr ? 1 : 2; }
  double operator()(double a, double b, FormulationCode code) const {
    return one != nullptr ? one(a, code) : two(a, b, code);
  }
};

inline constexpr PublicFunction kPublicFunctions[] = {
    {"Psat", Arguments::Temperature, Psat, nullptr},
    {"Tsat", Arguments::Pressure, Tsat, nullptr},
    {"Vf", Arguments::Temperature, Vf, nullptr},
    {"Vg", Arguments::Temperature, Vg, nullptr},
    {"Hf", Arguments::Temperature, Hf, nullptr},
    {"Hg", Arguments::Temperature, Hg, nullptr},
    {"Sf", Arguments::Temperature, Sf, nullptr},
    {"Sg", Arguments::Temperature, Sg, nullptr},
    {"VofTP", Arguments::TemperaturePressure, nullptr, VofTP},
    {"HofTP", Arguments::TemperaturePressure, nullptr, HofTP},
    {"SofTP", Arguments::TemperaturePressure, nullptr, SofTP},
    {"TofPH", Arguments::PressureEnthalpy, nullptr, TofPH},
    {"SofPH", Arguments::PressureEnthalpy, nullptr, SofPH},
    {"TofPS", Arguments::PressureEntropy, nullptr, TofPS},
    {"HofPS", Arguments::PressureEntropy, nullptr, HofPS},
};

// The ten supported codes: each formulation in SI and in English units.
inline constexpr FormulationCode kValidCodes[] = {-67, 67, -69, 69, -84, 84, -95, 95, -97, 97};

}  // namespace brimwater::testing

#endif  // BRIMWATER_TESTS_SUPPORT_FUNCTIONS_H
