// Excel's entry points and the fifteen worksheet functions. The add-in only converts and forwards: every
// property comes from the property library, and every string Excel sees is length-prefixed.
#include "addin.h"

#include <brimwater/props.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace brimwater::addin {
namespace {

// The alert box type that xlcAlert shows: an information message with an OK button.
constexpr std::int16_t kAlertInformation = 2;

// Registered as worksheet functions (macro type 1), with no shortcut and no help topic.
constexpr char kMacroType[] = "1";

// The string list, kept from xlAutoOpen to the end of the process. A second xlAutoOpen replaces it.
StringList string_list;

// The one result record shared by the worksheet functions.
XLOPER result;

XLOPER ErrorRecord(std::uint16_t error) {
  XLOPER record{};
  record.val.err = error;
  record.xltype = excel::xltypeErr;
  return record;
}

XLOPER IntegerRecord(std::int16_t value) {
  XLOPER record{};
  record.val.w = value;
  record.xltype = excel::xltypeInt;
  return record;
}

XLOPER StringRecord(char* prefixed) {
  XLOPER record{};
  record.val.str = prefixed;
  record.xltype = excel::xltypeStr;
  return record;
}

// Shows a message stored with a leading blank: the blank becomes the length of the text after it.
void ShowAlert(char* stored) {
  std::size_t length = std::strlen(stored);
  if (length == 0) return;
  if (length > kMaxStringLength + 1) length = kMaxStringLength + 1;
  stored[0] = static_cast<char>(length - 1);
  XLOPER message = StringRecord(stored);
  XLOPER type = IntegerRecord(kAlertInformation);
  Excel4(excel::xlcAlert, nullptr, 2, &message, &type);
}

// The constant alert texts are copied first: string literals must not be written to.
template <std::size_t N>
void ShowConstantAlert(const char (&stored)[N]) {
  static_assert(N - 2 <= kMaxStringLength, "an alert text must fit a length-prefixed string");
  char message[N];
  std::memcpy(message, stored, N);
  ShowAlert(message);
}

// " <title> Loaded!" or " <title> Removed!", then the compiler's build date and time on a second line.
void ShowBuildMessage(const char* format) {
  char message[kArgumentTextBuffer];
  std::snprintf(message, sizeof message, format, kTitle + 1, __DATE__, __TIME__);
  ShowAlert(message);
}

std::string Prefixed(const std::string& text) { return static_cast<char>(text.size()) + text; }

// Registers one function through xlfRegister; true when Excel accepted it.
bool RegisterFunction(XLOPER& moduleName, const FunctionStrings& strings) {
  std::vector<std::string> buffers = {Prefixed(strings.procedure),
                                      Prefixed(strings.typeText),
                                      Prefixed(strings.procedure),
                                      Prefixed(strings.argumentText),
                                      Prefixed(kMacroType),
                                      std::string(kTitle),
                                      Prefixed(""),
                                      Prefixed(""),
                                      Prefixed(strings.functionHelp)};
  for (const std::string& help : strings.argumentHelps) buffers.push_back(Prefixed(help));

  std::vector<XLOPER> records;
  records.reserve(buffers.size());
  for (std::string& buffer : buffers) records.push_back(StringRecord(buffer.data()));
  std::vector<LPXLOPER> arguments = {&moduleName};
  for (XLOPER& record : records) arguments.push_back(&record);

  XLOPER registerId = ErrorRecord(excel::xlerrValue);
  return Excel4v(excel::xlfRegister, &registerId, static_cast<int>(arguments.size()), arguments.data()) ==
         excel::xlretSuccess;
}

LPXLOPER ReturnNumber(double value) {
  result.val.num = value;
  result.xltype = excel::xltypeNum;
  return &result;
}

}  // namespace

int OpenAddIn(const Record* table) {
  std::optional<StringList> list = BuildStringList(table, kArgumentHelpCap);
  if (!list) {
    ShowConstantAlert(kCantBuildParamsAlert);
    return 0;
  }
  string_list = std::move(*list);

  XLOPER moduleName = ErrorRecord(excel::xlerrValue);
  const bool haveName = Excel4(excel::xlGetName, &moduleName, 0) == excel::xlretSuccess;
  int registered = 1;
  for (const FunctionStrings& strings : string_list) {
    if (!RegisterFunction(moduleName, strings)) {
      // The functions registered so far stay registered; there is no retry.
      ShowConstantAlert(kRegisterFailedAlert);
      registered = 0;
      break;
    }
  }
  // Excel allocated the name; it is released on failure too, or every failed open would leak it.
  if (haveName) Excel4(excel::xlFree, nullptr, 1, &moduleName);
  return registered;
}

}  // namespace brimwater::addin

namespace addin = brimwater::addin;
namespace excel = brimwater::excel;

extern "C" {

int BRIMWATER_WINAPI xlAutoOpen() { return addin::OpenAddIn(addin::kRegistrationTable); }

// Nothing is unregistered or released: the registrations last until Excel unloads the add-in.
int BRIMWATER_WINAPI xlAutoClose() { return 1; }

LPXLOPER BRIMWATER_WINAPI xlAutoRegister(LPXLOPER /*name*/) {
  static XLOPER value_error;
  value_error.val.err = excel::xlerrValue;
  value_error.xltype = excel::xltypeErr;
  return &value_error;
}

int BRIMWATER_WINAPI xlAutoAdd() {
  addin::ShowBuildMessage(" %s Loaded!\nbuilt on %s at %s");
  return 1;
}

int BRIMWATER_WINAPI xlAutoRemove() {
  addin::ShowBuildMessage(" %s Removed!\nbuilt on %s at %s");
  return 1;
}

// The add-in manager asks for the add-in's name with action 1; anything else is #VALUE!.
LPXLOPER BRIMWATER_WINAPI xlAddInManagerInfo(LPXLOPER action) {
  static char title[sizeof addin::kTitle];
  static XLOPER info;
  XLOPER target = addin::IntegerRecord(static_cast<std::int16_t>(excel::xltypeInt));
  // Starts as #VALUE!, so that a refused coercion is never read as an integer.
  XLOPER coerced = addin::ErrorRecord(excel::xlerrValue);
  if (action != nullptr) Excel4(excel::xlCoerce, &coerced, 2, action, &target);
  if (coerced.xltype == excel::xltypeInt && coerced.val.w == 1) {
    std::memcpy(title, addin::kTitle, sizeof title);
    info = addin::StringRecord(title);
  } else {
    info = addin::ErrorRecord(excel::xlerrValue);
  }
  return &info;
}

LPXLOPER BRIMWATER_WINAPI Psat(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Psat(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Tsat(double Ps, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Tsat(Ps, formulation));
}
LPXLOPER BRIMWATER_WINAPI Vf(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Vf(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Vg(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Vg(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Hf(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Hf(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Hg(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Hg(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Sf(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Sf(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI Sg(double Ts, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::Sg(Ts, formulation));
}
LPXLOPER BRIMWATER_WINAPI VofTP(double T, double P, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::VofTP(T, P, formulation));
}
LPXLOPER BRIMWATER_WINAPI HofTP(double T, double P, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::HofTP(T, P, formulation));
}
LPXLOPER BRIMWATER_WINAPI SofTP(double T, double P, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::SofTP(T, P, formulation));
}
LPXLOPER BRIMWATER_WINAPI TofPH(double P, double H, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::TofPH(P, H, formulation));
}
LPXLOPER BRIMWATER_WINAPI SofPH(double P, double H, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::SofPH(P, H, formulation));
}
LPXLOPER BRIMWATER_WINAPI TofPS(double P, double S, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::TofPS(P, S, formulation));
}
LPXLOPER BRIMWATER_WINAPI HofPS(double P, double S, std::int32_t formulation) {
  return addin::ReturnNumber(brimwater::HofPS(P, S, formulation));
}

}  // extern "C"
