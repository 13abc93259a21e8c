// The stand-in for XLCALL32: Excel4 and Excel4v for the calls the add-in makes, with a record of each.
#include "standin.h"

#include <cmath>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "excel.h"

namespace {

namespace excel = brimwater::excel;

constexpr int kMaxArguments = 255;   // Excel 2007 and later take at most 255 arguments per call
constexpr int kInvalidFunction = 2;  // xlretInvXlfn

struct Argument {
  int type;
  std::string text;
};

struct Alert {
  std::string message;
  int type;
};

struct Host {
  int refuse = 0;
  std::vector<std::vector<Argument>> registrations;
  std::vector<Alert> alerts;
  std::vector<std::unique_ptr<char[]>> names;
  int badFrees = 0;
};

Host& TheHost() {
  static Host host;
  return host;
}

std::string Decoded(const XLOPER& record) {
  if (record.xltype != excel::xltypeStr || record.val.str == nullptr) return {};
  const auto length = static_cast<unsigned char>(record.val.str[0]);
  return std::string(record.val.str + 1, length);
}

int Register(LPXLOPER result, int count, LPXLOPER* arguments) {
  Host& host = TheHost();
  std::vector<Argument> recorded;
  for (int i = 0; i < count; ++i) recorded.push_back({arguments[i]->xltype, Decoded(*arguments[i])});
  host.registrations.push_back(std::move(recorded));
  const int number = static_cast<int>(host.registrations.size());
  if (number == host.refuse) {
    if (result != nullptr) {
      result->val.err = excel::xlerrValue;
      result->xltype = excel::xltypeErr;
    }
    return excel::xlretFailed;
  }
  if (result != nullptr) {
    result->val.num = number;  // the register id
    result->xltype = excel::xltypeNum;
  }
  return excel::xlretSuccess;
}

int GetName(LPXLOPER result) {
  if (result == nullptr) return excel::xlretInvXloper;
  const std::size_t length = sizeof kStandInFileName - 1;
  auto name = std::make_unique<char[]>(length + 1);
  name[0] = static_cast<char>(length);
  std::memcpy(name.get() + 1, kStandInFileName, length);
  result->val.str = name.get();
  result->xltype = excel::xltypeStr;
  TheHost().names.push_back(std::move(name));
  return excel::xlretSuccess;
}

int Free(int count, LPXLOPER* arguments) {
  Host& host = TheHost();
  for (int i = 0; i < count; ++i) {
    if (arguments[i]->xltype != excel::xltypeStr) continue;
    bool found = false;
    for (auto it = host.names.begin(); it != host.names.end(); ++it) {
      if (it->get() == arguments[i]->val.str) {
        host.names.erase(it);
        found = true;
        break;
      }
    }
    if (!found) ++host.badFrees;
  }
  return excel::xlretSuccess;
}

int ShowAlert(int count, LPXLOPER* arguments) {
  if (count != 2) return excel::xlretFailed;
  const int type = arguments[1]->xltype == excel::xltypeInt ? arguments[1]->val.w : -1;
  TheHost().alerts.push_back({Decoded(*arguments[0]), type});
  return excel::xlretSuccess;
}

// Numbers and integers become integers; every other type is refused and the result left untouched.
int Coerce(LPXLOPER result, int count, LPXLOPER* arguments) {
  if (count != 2 || result == nullptr) return excel::xlretFailed;
  const XLOPER& source = *arguments[0];
  if (arguments[1]->xltype != excel::xltypeInt || arguments[1]->val.w != excel::xltypeInt) {
    return excel::xlretFailed;
  }
  std::int16_t value = 0;
  if (source.xltype == excel::xltypeInt) {
    value = source.val.w;
  } else if (source.xltype == excel::xltypeNum && std::fabs(source.val.num) < 32767.5) {
    value = static_cast<std::int16_t>(std::lround(source.val.num));
  } else {
    return excel::xlretFailed;
  }
  result->val.w = value;
  result->xltype = excel::xltypeInt;
  return excel::xlretSuccess;
}

int Call(int xlfn, LPXLOPER result, int count, LPXLOPER* arguments) {
  if (count < 0 || count > kMaxArguments) return excel::xlretFailed;
  for (int i = 0; i < count; ++i) {
    if (arguments[i] == nullptr) return excel::xlretInvXloper;
  }
  switch (xlfn) {
    case excel::xlfRegister: return Register(result, count, arguments);
    case excel::xlGetName: return GetName(result);
    case excel::xlFree: return Free(count, arguments);
    case excel::xlcAlert: return ShowAlert(count, arguments);
    case excel::xlCoerce: return Coerce(result, count, arguments);
    default: return kInvalidFunction;
  }
}

const Argument* FindArgument(int registration, int argument) {
  const Host& host = TheHost();
  if (registration < 0 || registration >= StandInRegistrationCount()) return nullptr;
  const auto& arguments = host.registrations[static_cast<std::size_t>(registration)];
  if (argument < 0 || argument >= static_cast<int>(arguments.size())) return nullptr;
  return &arguments[static_cast<std::size_t>(argument)];
}

}  // namespace

extern "C" {

int BRIMWATER_CDECL Excel4(int xlfn, LPXLOPER operRes, int count, ...) {
  if (count < 0 || count > kMaxArguments) return excel::xlretFailed;
  LPXLOPER arguments[kMaxArguments] = {};
  va_list list;
  va_start(list, count);
  for (int i = 0; i < count; ++i) arguments[i] = va_arg(list, LPXLOPER);
  va_end(list);
  return Call(xlfn, operRes, count, arguments);
}

int BRIMWATER_WINAPI Excel4v(int xlfn, LPXLOPER operRes, int count, LPXLOPER opers[]) {
  if (count > 0 && opers == nullptr) return excel::xlretInvXloper;
  return Call(xlfn, operRes, count, opers);
}

void StandInReset() { TheHost() = Host{}; }
void StandInRefuseRegistration(int n) { TheHost().refuse = n; }

int StandInRegistrationCount() { return static_cast<int>(TheHost().registrations.size()); }

int StandInArgumentCount(int registration) {
  if (registration < 0 || registration >= StandInRegistrationCount()) return 0;
  return static_cast<int>(TheHost().registrations[static_cast<std::size_t>(registration)].size());
}

int StandInArgumentType(int registration, int argument) {
  const Argument* found = FindArgument(registration, argument);
  return found == nullptr ? 0 : found->type;
}

const char* StandInArgument(int registration, int argument) {
  const Argument* found = FindArgument(registration, argument);
  return found == nullptr || found->type != excel::xltypeStr ? nullptr : found->text.c_str();
}

int StandInAlertCount() { return static_cast<int>(TheHost().alerts.size()); }

const char* StandInAlert(int alert) {
  if (alert < 0 || alert >= StandInAlertCount()) return nullptr;
  return TheHost().alerts[static_cast<std::size_t>(alert)].message.c_str();
}

int StandInAlertType(int alert) {
  if (alert < 0 || alert >= StandInAlertCount()) return 0;
  return TheHost().alerts[static_cast<std::size_t>(alert)].type;
}

int StandInNamesOutstanding() { return static_cast<int>(TheHost().names.size()); }
int StandInBadFrees() { return TheHost().badFrees; }

}  // extern "C"
