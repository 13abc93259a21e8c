// The Windows test host: plays Excel for Brimwater64.xll. It loads the stand-in XLCALL32.DLL and the add-in
// with LoadLibrary, opens the add-in, and checks what it registered and what every export returns against
// the values that the native build computed (one file, written at build time). Run under wine:
//   xll_host.exe registration|refusal|values <add-in> <expected values file>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "excel.h"

namespace {

namespace excel = brimwater::excel;

using OpenFn = int(BRIMWATER_WINAPI*)();
using InfoFn = LPXLOPER(BRIMWATER_WINAPI*)(LPXLOPER);
using OneArgumentFn = LPXLOPER(BRIMWATER_WINAPI*)(double, std::int32_t);
using TwoArgumentFn = LPXLOPER(BRIMWATER_WINAPI*)(double, double, std::int32_t);

int failures = 0;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  ++failures;
}

void Check(bool condition, const std::string& what) {
  if (!condition) Fail(what);
}

template <typename Fn>
Fn Find(HMODULE module, const char* name) {
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) {
    Fail(std::string("no export ") + name);
    std::exit(2);
  }
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// The stand-in's control functions.
struct StandIn {
  void (*reset)();
  void (*refuse)(int);
  int (*registrationCount)();
  int (*argumentCount)(int);
  int (*argumentType)(int, int);
  const char* (*argument)(int, int);
  int (*alertCount)();
  const char* (*alert)(int);
  int (*alertType)(int);
  int (*namesOutstanding)();
  int (*badFrees)();
};

StandIn LoadStandIn(HMODULE host) {
  return {Find<void (*)()>(host, "StandInReset"),
          Find<void (*)(int)>(host, "StandInRefuseRegistration"),
          Find<int (*)()>(host, "StandInRegistrationCount"),
          Find<int (*)(int)>(host, "StandInArgumentCount"),
          Find<int (*)(int, int)>(host, "StandInArgumentType"),
          Find<const char* (*)(int, int)>(host, "StandInArgument"),
          Find<int (*)()>(host, "StandInAlertCount"),
          Find<const char* (*)(int)>(host, "StandInAlert"),
          Find<int (*)(int)>(host, "StandInAlertType"),
          Find<int (*)()>(host, "StandInNamesOutstanding"),
          Find<int (*)()>(host, "StandInBadFrees")};
}

// A text written as 'x' and its bytes in hexadecimal.
std::string FromHex(const std::string& field) {
  std::string bytes;
  const std::string hex = field.substr(1);
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  }
  return bytes;
}

double FromBits(const std::string& hex) {
  const std::uint64_t bits = std::strtoull(hex.c_str(), nullptr, 16);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

struct Expected {
  std::vector<std::vector<std::string>> registrations;
  std::vector<std::vector<std::string>> values;  // name, arity, arguments..., code, result
};

Expected ReadExpected(const char* path) {
  Expected expected;
  std::ifstream file(path);
  if (!file) {
    Fail(std::string("cannot read ") + path);
    std::exit(2);
  }
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    std::vector<std::string> rest;
    for (std::string field; fields >> field;) rest.push_back(field);
    if (kind == "registration") expected.registrations.push_back(rest);
    if (kind == "value") expected.values.push_back(rest);
  }
  return expected;
}

// Every registration argument, byte for byte, as the native build registered it.
void CheckRegistrations(const StandIn& standIn, const Expected& expected, int count) {
  for (int r = 0; r < count; ++r) {
    const std::vector<std::string>& hexes = expected.registrations[static_cast<std::size_t>(r)];
    const std::string label = "registration " + std::to_string(r + 1);
    Check(standIn.argumentCount(r) == static_cast<int>(hexes.size()), label + ": argument count");
    for (int a = 0; a < standIn.argumentCount(r) && a < static_cast<int>(hexes.size()); ++a) {
      Check(standIn.argumentType(r, a) == excel::xltypeStr, label + ": argument type");
      const char* text = standIn.argument(r, a);
      Check(text != nullptr && FromHex(hexes[static_cast<std::size_t>(a)]) == text,
            label + ": argument " + std::to_string(a + 1));
    }
  }
}

void RunRegistration(HMODULE xll, const StandIn& standIn, const Expected& expected) {
  standIn.reset();
  Check(Find<OpenFn>(xll, "xlAutoOpen")() == 1, "xlAutoOpen returns 1");
  Check(standIn.registrationCount() == 15 && expected.registrations.size() == 15, "fifteen registrations");
  CheckRegistrations(standIn, expected, standIn.registrationCount() < 15 ? standIn.registrationCount() : 15);
  Check(standIn.alertCount() == 0, "no alert");
  Check(standIn.namesOutstanding() == 0 && standIn.badFrees() == 0, "file name released once");
  Check(Find<OpenFn>(xll, "xlAutoClose")() == 1, "xlAutoClose returns 1");

  XLOPER name{};
  name.xltype = excel::xltypeStr;
  name.val.str = const_cast<char*>("\x04Psat");
  const LPXLOPER registered = Find<InfoFn>(xll, "xlAutoRegister")(&name);
  Check(registered->xltype == excel::xltypeErr && registered->val.err == excel::xlerrValue,
        "xlAutoRegister returns #VALUE!");

  const InfoFn info = Find<InfoFn>(xll, "xlAddInManagerInfo");
  XLOPER action{};
  action.xltype = excel::xltypeNum;
  action.val.num = 1.0;
  LPXLOPER title = info(&action);
  Check(title->xltype == excel::xltypeStr && std::memcmp(title->val.str,
                                                         "\x18"
                                                         "Brimwater V1.03 Academic",
                                                         25) == 0,
        "xlAddInManagerInfo(1) returns the title");
  action.val.num = 2.0;
  title = info(&action);
  Check(title->xltype == excel::xltypeErr && title->val.err == excel::xlerrValue, "xlAddInManagerInfo(2)");

  Check(Find<OpenFn>(xll, "xlAutoAdd")() == 1, "xlAutoAdd returns 1");
  Check(Find<OpenFn>(xll, "xlAutoRemove")() == 1, "xlAutoRemove returns 1");
  Check(standIn.alertCount() == 2, "two alerts");
  if (standIn.alertCount() == 2) {
    Check(std::strncmp(standIn.alert(0), "Brimwater V1.03 Academic Loaded!\nbuilt on ", 42) == 0,
          "load message");
    Check(std::strncmp(standIn.alert(1), "Brimwater V1.03 Academic Removed!\nbuilt on ", 43) == 0,
          "unload message");
    Check(standIn.alertType(0) == 2 && standIn.alertType(1) == 2, "alert type 2");
  }
}

// Excel refuses the fourth function: the first three stay registered and the add-in says so.
void RunRefusal(HMODULE xll, const StandIn& standIn, const Expected& expected) {
  standIn.reset();
  standIn.refuse(4);
  Check(Find<OpenFn>(xll, "xlAutoOpen")() == 0, "xlAutoOpen returns 0 when refused");
  Check(standIn.registrationCount() == 4, "registration stops at the refused function");
  CheckRegistrations(standIn, expected, standIn.registrationCount() < 4 ? standIn.registrationCount() : 4);
  Check(standIn.alertCount() == 1 && std::strcmp(standIn.alert(0), "Error: Failed to register the XLL!") == 0,
        "failure alert");
  Check(standIn.namesOutstanding() == 0, "file name released");

  standIn.reset();
  Check(Find<OpenFn>(xll, "xlAutoOpen")() == 1, "a later xlAutoOpen registers everything");
  Check(standIn.registrationCount() == 15, "fifteen registrations after the refusal");
}

bool Agrees(double actual, double expected) {
  if (std::isnan(expected)) return std::isnan(actual);
  if (std::isinf(expected)) return actual == expected;
  // Relative 1e-9 (an absolute 1e-9 near zero): the Windows runtime's exp, log and pow may differ from
  // the native ones in the last bit.
  return std::fabs(actual - expected) <= 1e-9 * std::fmax(std::fabs(expected), 1.0);
}

void RunValues(HMODULE xll, const Expected& expected) {
  Check(expected.values.size() > 15, "expected values present");
  for (const std::vector<std::string>& row : expected.values) {
    const int arity = row.size() >= 2 ? std::atoi(row[1].c_str()) : 0;
    if ((arity != 1 && arity != 2) || row.size() != static_cast<std::size_t>(arity) + 4) {
      Fail("malformed expected value");
      continue;
    }
    const std::string& name = row[0];
    const double first = FromBits(row[2]);
    const double second = arity == 2 ? FromBits(row[3]) : 0.0;
    const auto code = static_cast<std::int32_t>(std::atol(row[2 + static_cast<std::size_t>(arity)].c_str()));
    const LPXLOPER result = arity == 1 ? Find<OneArgumentFn>(xll, name.c_str())(first, code)
                                       : Find<TwoArgumentFn>(xll, name.c_str())(first, second, code);
    const double wanted = FromBits(row.back());
    std::ostringstream label;
    label.precision(17);
    label << name << "(" << first;
    if (arity == 2) label << ", " << second;
    label << ", " << code << ") = " << (result->xltype == excel::xltypeNum ? result->val.num : 0.0)
          << ", expected " << wanted;
    Check(result->xltype == excel::xltypeNum && Agrees(result->val.num, wanted), label.str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::printf("usage: xll_host registration|refusal|values <add-in> <expected values file>\n");
    return 2;
  }
  const std::string mode = argv[1];
  HMODULE host = LoadLibraryA("XLCALL32.DLL");
  if (host == nullptr) {
    Fail("cannot load XLCALL32.DLL");
    return 2;
  }
  HMODULE xll = LoadLibraryA(argv[2]);
  if (xll == nullptr) {
    Fail(std::string("cannot load ") + argv[2] + ", error " + std::to_string(GetLastError()));
    return 2;
  }
  const StandIn standIn = LoadStandIn(host);
  const Expected expected = ReadExpected(argv[3]);
  if (mode == "registration") {
    RunRegistration(xll, standIn, expected);
  } else if (mode == "refusal") {
    RunRefusal(xll, standIn, expected);
  } else if (mode == "values") {
    RunValues(xll, expected);
  } else {
    Fail("unknown mode " + mode);
  }
  FreeLibrary(xll);
  FreeLibrary(host);
  std::printf("%s: %d failure(s)\n", mode.c_str(), failures);
  return failures == 0 ? 0 : 1;
}
