// The registration table and the list builder. Help texts are stored in Windows-1252, the code page Excel
// reads XLOPER strings in: the degree sign is the byte 0xB0 (octal \260) and the superscript three the byte
// 0xB3 (octal \263).
#include "registration.h"

#include <cstring>

namespace brimwater::addin {
namespace {

constexpr char kFormulationHelp[] = "67=ASME, 69=KKHM, 84=NBS/NRC, 95=SF95, 97=IF97";
constexpr char kSatTemperatureHelp[] = "saturation temperature [\260F:K]";
constexpr char kSatPressureHelp[] = "saturation pressure [psia:MPa]";
constexpr char kTemperatureHelp[] = "temperature [\260F:K]";
constexpr char kPressureHelp[] = "pressure [psia:MPa]";
constexpr char kEnthalpyHelp[] = "enthalpy [BTU/lbm:kJ/kg]";
constexpr char kEntropyHelp[] = "entropy [BTU/lbm/\260R:kJ/kg/\260K]";

constexpr Entry kEnd = {0, nullptr, nullptr};
constexpr Entry kFormulation = {'J', "formulation", kFormulationHelp};
constexpr Entry kTs = {'B', "Ts", kSatTemperatureHelp};
constexpr Entry kT = {'B', "T", kTemperatureHelp};
constexpr Entry kP = {'B', "P", kPressureHelp};
constexpr Entry kH = {'B', "H", kEnthalpyHelp};
constexpr Entry kS = {'B', "S", kEntropyHelp};

constexpr Entry kPsat[] = {{'R', "Psat", kSatPressureHelp}, kTs, kFormulation, kEnd};
constexpr Entry kTsat[] = {
    {'R', "Tsat", kSatTemperatureHelp}, {'B', "Ps", kSatPressureHelp}, kFormulation, kEnd};
constexpr Entry kVf[] = {
    {'R', "Vf", "specific volume of saturated liquid [ft\263/lbm:cm\263/g]"}, kTs, kFormulation, kEnd};
constexpr Entry kVg[] = {
    {'R', "Vg", "specific volume of saturated vapor [ft\263/lbm:cm\263/g]"}, kTs, kFormulation, kEnd};
constexpr Entry kHf[] = {
    {'R', "Hf", "enthalpy of saturated liquid [BTU/lbm:kJ/kg]"}, kTs, kFormulation, kEnd};
constexpr Entry kHg[] = {{'R', "Hg", "enthalpy of saturated vapor [BTU/lbm:kJ/kg]"}, kTs, kFormulation, kEnd};
constexpr Entry kSf[] = {
    {'R', "Sf", "entropy of saturated liquid [BTU/lbm/\260R:kJ/kg/\260K]"}, kTs, kFormulation, kEnd};
constexpr Entry kSg[] = {
    {'R', "Sg", "entropy of saturated vapor [BTU/lbm/\260R:kJ/kg/\260K]"}, kTs, kFormulation, kEnd};
constexpr Entry kVofTP[] = {
    {'R', "VofTP", "specific volume [ft\263/lbm:cm\263/g]"}, kT, kP, kFormulation, kEnd};
constexpr Entry kHofTP[] = {{'R', "HofTP", kEnthalpyHelp}, kT, kP, kFormulation, kEnd};
constexpr Entry kSofTP[] = {{'R', "SofTP", kEntropyHelp}, kT, kP, kFormulation, kEnd};
constexpr Entry kTofPH[] = {{'R', "TofPH", kTemperatureHelp}, kP, kH, kFormulation, kEnd};
constexpr Entry kSofPH[] = {{'R', "SofPH", kEntropyHelp}, kP, kH, kFormulation, kEnd};
constexpr Entry kTofPS[] = {{'R', "TofPS", kTemperatureHelp}, kP, kS, kFormulation, kEnd};
constexpr Entry kHofPS[] = {{'R', "HofPS", kEnthalpyHelp}, kP, kS, kFormulation, kEnd};
constexpr Entry kEndOfTable[] = {kEnd};

constexpr char kEtc[] = ", etc.";

// A text that a length-prefixed string can carry.
bool Fits(const char* text) { return std::strlen(text) <= kMaxStringLength; }

std::size_t ArgumentCount(Record record) {
  std::size_t count = 0;
  while (record[count + 1].letter != 0) ++count;
  return count;
}

// Builds the strings of one record, or nothing when the record cannot be registered.
std::optional<FunctionStrings> BuildFunctionStrings(Record record, std::size_t argumentHelpCap) {
  const std::size_t arguments = ArgumentCount(record);
  // Counted before anything is built, so that the type text never outgrows its buffer.
  if (arguments > kMaxArguments) return std::nullopt;

  char typeText[kTypeTextBuffer] = {};
  char argumentText[kArgumentTextBuffer] = {};
  std::size_t typeLength = 0;
  std::size_t argumentLength = 0;
  typeText[typeLength++] = record[0].letter;
  for (std::size_t i = 1; i <= arguments; ++i) {
    typeText[typeLength++] = record[i].letter;
    const std::size_t nameLength = std::strlen(record[i].name);
    const std::size_t separator = i > 1 ? 1 : 0;
    // Keep room for the terminator; a longer argument text would not fit a length-prefixed string either.
    if (argumentLength + separator + nameLength >= kArgumentTextBuffer) return std::nullopt;
    if (separator != 0) argumentText[argumentLength++] = ',';
    std::memcpy(argumentText + argumentLength, record[i].name, nameLength);
    argumentLength += nameLength;
  }

  if (!Fits(record[0].name) || !Fits(record[0].help)) return std::nullopt;
  FunctionStrings strings;
  strings.procedure = record[0].name;
  strings.typeText.assign(typeText, typeLength);
  strings.argumentText.assign(argumentText, argumentLength);
  strings.functionHelp = record[0].help;

  const std::size_t helps = arguments < argumentHelpCap ? arguments : argumentHelpCap;
  for (std::size_t i = 1; i <= helps; ++i) {
    std::string help = record[i].help;
    if (i == helps && arguments > helps) help += kEtc;
    if (help.size() > kMaxStringLength) return std::nullopt;
    strings.argumentHelps.push_back(std::move(help));
  }
  return strings;
}

}  // namespace

const Record kRegistrationTable[] = {kPsat,  kTsat,  kVf,    kVg,    kHf,    kHg,    kSf,    kSg,
                                     kVofTP, kHofTP, kSofTP, kTofPH, kSofPH, kTofPS, kHofPS, kEndOfTable};

std::optional<StringList> BuildStringList(const Record* table, std::size_t argumentHelpCap) {
  StringList list;
  for (const Record* record = table; (*record)[0].letter != 0; ++record) {
    std::optional<FunctionStrings> strings = BuildFunctionStrings(*record, argumentHelpCap);
    if (!strings) return std::nullopt;
    list.push_back(std::move(*strings));
  }
  return list;
}

}  // namespace brimwater::addin
