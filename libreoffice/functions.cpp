#include "functions.h"

namespace brimwater::calc {
namespace {

constexpr std::string_view kFormulationHelp = "67=ASME, 69=KKHM, 84=NBS/NRC, 95=SF95, 97=IF97";
constexpr std::string_view kSatTemperatureHelp = "saturation temperature [°F:K]";
constexpr std::string_view kSatPressureHelp = "saturation pressure [psia:MPa]";
constexpr std::string_view kTemperatureHelp = "temperature [°F:K]";
constexpr std::string_view kPressureHelp = "pressure [psia:MPa]";
constexpr std::string_view kEnthalpyHelp = "enthalpy [BTU/lbm:kJ/kg]";
constexpr std::string_view kEntropyHelp = "entropy [BTU/lbm/°R:kJ/kg/°K]";

constexpr Argument kFormulation = {"formulation", kFormulationHelp};
constexpr Argument kTs = {"Ts", kSatTemperatureHelp};
constexpr Argument kPs = {"Ps", kSatPressureHelp};
constexpr Argument kT = {"T", kTemperatureHelp};
constexpr Argument kP = {"P", kPressureHelp};
constexpr Argument kH = {"H", kEnthalpyHelp};
constexpr Argument kS = {"S", kEntropyHelp};
constexpr Argument kNone = {};

// BwState: the properties and their units as the other functions write them, [English:SI].
constexpr std::string_view kStateHelp =
    "property of a state given by an input pair: T, P, v, rho, h, s, u, cp, cv, w, x, mu, lambda, sigma, nu, "
    "alpha, Pr, region, phase or status; beyond the formulation's range of validity the value is "
    "extrapolated (status 1)";
constexpr Argument kStateProperty = {
    "property",
    "T [°F:K], P [psia:MPa], v [ft³/lbm:cm³/g], rho [lbm/ft³:g/cm³], h, u [BTU/lbm:kJ/kg], s, cp, cv "
    "[BTU/lbm/°R:kJ/kg/°K], w [ft/s:m/s], x quality, mu [lbm/ft/h:Pa s], lambda [BTU/h/ft/°F:W/m/°K], sigma "
    "[lbf/ft:N/m], nu, alpha [ft²/h:m²/s], Pr, region (IF97 1 to 5, IFC-67 1 to 4, else 0), phase (1 liquid, "
    "2 vapor, 3 supercritical, 4 two-phase), status (0 ok, 1 extrapolated)"};
constexpr Argument kStatePair = {"pair", "TP, PH, PS, HS, TX or PX: what a and b are"};
constexpr Argument kStateA = {"a",
                              "T [°F:K], P [psia:MPa] or H [BTU/lbm:kJ/kg], as the pair's first letter says"};
constexpr Argument kStateB = {
    "b",
    "P [psia:MPa], H [BTU/lbm:kJ/kg], S [BTU/lbm/°R:kJ/kg/°K] or quality X (0 to 1), as the pair's second "
    "letter says"};

}  // namespace

const std::array<Function, 16> kFunctions = {{
    {"Psat", kSatPressureHelp, 2, {kTs, kFormulation, kNone}},
    {"Tsat", kSatTemperatureHelp, 2, {kPs, kFormulation, kNone}},
    {"Vf", "specific volume of saturated liquid [ft³/lbm:cm³/g]", 2, {kTs, kFormulation, kNone}},
    {"Vg", "specific volume of saturated vapor [ft³/lbm:cm³/g]", 2, {kTs, kFormulation, kNone}},
    {"Hf", "enthalpy of saturated liquid [BTU/lbm:kJ/kg]", 2, {kTs, kFormulation, kNone}},
    {"Hg", "enthalpy of saturated vapor [BTU/lbm:kJ/kg]", 2, {kTs, kFormulation, kNone}},
    {"Sf", "entropy of saturated liquid [BTU/lbm/°R:kJ/kg/°K]", 2, {kTs, kFormulation, kNone}},
    {"Sg", "entropy of saturated vapor [BTU/lbm/°R:kJ/kg/°K]", 2, {kTs, kFormulation, kNone}},
    {"VofTP", "specific volume [ft³/lbm:cm³/g]", 3, {kT, kP, kFormulation}},
    {"HofTP", kEnthalpyHelp, 3, {kT, kP, kFormulation}},
    {"SofTP", kEntropyHelp, 3, {kT, kP, kFormulation}},
    {"TofPH", kTemperatureHelp, 3, {kP, kH, kFormulation}},
    {"SofPH", kEntropyHelp, 3, {kP, kH, kFormulation}},
    {"TofPS", kTemperatureHelp, 3, {kP, kS, kFormulation}},
    {"HofPS", kEnthalpyHelp, 3, {kP, kS, kFormulation}},
    {"BwState", kStateHelp, 5, {kStateProperty, kStatePair, kStateA, kStateB, kFormulation}},
}};

const Function* FindFunction(std::string_view name) {
  for (const Function& function : kFunctions) {
    if (function.name == name) return &function;
  }
  return nullptr;
}

const Argument* FindArgument(std::string_view functionName, std::size_t position) {
  const Function* function = FindFunction(functionName);
  if (function == nullptr || position >= function->argumentCount) return nullptr;
  return &function->arguments[position];
}

}  // namespace brimwater::calc
