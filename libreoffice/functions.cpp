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

}  // namespace

const std::array<Function, 15> kFunctions = {{
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
