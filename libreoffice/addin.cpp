#include "addin.h"

#include <array>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/LocalizedName.hpp>
#include <com/sun/star/sheet/NoConvergenceException.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <cstddef>
#include <string_view>

#include "bwstate.h"
#include "functions.h"

namespace brimwater::calc {
namespace {

using rtl::OString;
using rtl::OUString;

// Calc knows a fixed set of categories and files every other one under "Add-In"; it shows no category
// display names of add-ins.
constexpr char kCategory[] = "Add-In";
constexpr char kDisplayCategory[] = "Brimwater";

OUString FromUtf8(std::string_view text) {
  return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string_view View(const OString& utf8) {
  return std::string_view(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

const Function* FindByName(const OUString& name) {
  const OString utf8 = rtl::OUStringToOString(name, RTL_TEXTENCODING_UTF8);
  return FindFunction(View(utf8));
}

const Argument* FindByPosition(const OUString& functionName, sal_Int32 position) {
  if (position < 0) return nullptr;
  const OString utf8 = rtl::OUStringToOString(functionName, RTL_TEXTENCODING_UTF8);
  return FindArgument(View(utf8), static_cast<std::size_t>(position));
}

// The names of a BWSTATE table, for messages: "T, P, v, ...".
template <typename Entry, std::size_t N>
OUString Names(const std::array<Entry, N>& table) {
  OUString names;
  for (const Entry& entry : table) {
    if (!names.isEmpty()) names += ", ";
    names += FromUtf8(entry.name);
  }
  return names;
}

// BWSTATE's arguments by position, as IllegalArgumentException names them.
enum StateArgument : sal_Int16 { kProperty = 0, kPair = 1, kFirstInput = 2, kFormulation = 4 };

}  // namespace

css::uno::Sequence<OUString> SAL_CALL SupportedServiceNames() {
  const OUString names[] = {kAddInService, kServiceName};
  return css::uno::Sequence<OUString>(names, 2);
}

double AddIn::BwState(const OUString& property, const OUString& pair, double a, double b,
                      sal_Int32 formulation) {
  const css::uno::Reference<css::uno::XInterface> context = static_cast<cppu::OWeakObject*>(this);
  const OString propertyName = rtl::OUStringToOString(property, RTL_TEXTENCODING_UTF8);
  const StateProperty* wanted = FindStateProperty(View(propertyName));
  if (wanted == nullptr) {
    throw css::lang::IllegalArgumentException(
        "BWSTATE: unknown property '" + property + "'; one of " + Names(kStateProperties), context,
        kProperty);
  }
  const OString pairName = rtl::OUStringToOString(pair, RTL_TEXTENCODING_UTF8);
  const StatePair* solver = FindStatePair(View(pairName));
  if (solver == nullptr) {
    throw css::lang::IllegalArgumentException(
        "BWSTATE: unknown input pair '" + pair + "'; one of " + Names(kStatePairs), context, kPair);
  }

  const State state = solver->solve(a, b, formulation);
  switch (state.status) {
    case Status::Ok:
    case Status::Extrapolated: return wanted->read(state);
    case Status::UnsupportedCode:
      throw css::lang::IllegalArgumentException(
          "BWSTATE: the state interface offers no formulation of code " + OUString::number(formulation),
          context, kFormulation);
    case Status::InvalidArgument:
      // The state interface does not say which of a and b it refuses; a stands for both.
      throw css::lang::IllegalArgumentException(
          "BWSTATE: no state has these inputs: a temperature or pressure not above zero, a quality outside 0 "
          "to 1, or a number that is not finite",
          context, kFirstInput);
    case Status::NoSolution:
      throw css::sheet::NoConvergenceException(
          "BWSTATE: no state of formulation " + OUString::number(formulation) + " has " +
              FromUtf8(solver->name) + " = " + OUString::number(a) + ", " + OUString::number(b),
          context);
  }
  // A status this host does not know yet: an error, never a number that might be taken for a property.
  throw css::sheet::NoConvergenceException("BWSTATE: the state interface reported an unknown status",
                                           context);
}

OUString AddIn::getProgrammaticFuntionName(const OUString& displayName) {
  for (const Function& function : kFunctions) {
    const OUString name = FromUtf8(function.name);
    if (name.equalsIgnoreAsciiCase(displayName)) return name;
  }
  return {};
}

OUString AddIn::getDisplayFunctionName(const OUString& programmaticName) {
  const Function* function = FindByName(programmaticName);
  return function != nullptr ? FromUtf8(function->name) : OUString();
}

OUString AddIn::getFunctionDescription(const OUString& programmaticName) {
  const Function* function = FindByName(programmaticName);
  return function != nullptr ? FromUtf8(function->help) : OUString();
}

OUString AddIn::getDisplayArgumentName(const OUString& programmaticName, sal_Int32 argument) {
  const Argument* found = FindByPosition(programmaticName, argument);
  return found != nullptr ? FromUtf8(found->name) : OUString();
}

OUString AddIn::getArgumentDescription(const OUString& programmaticName, sal_Int32 argument) {
  const Argument* found = FindByPosition(programmaticName, argument);
  return found != nullptr ? FromUtf8(found->help) : OUString();
}

OUString AddIn::getProgrammaticCategoryName(const OUString&) { return kCategory; }

OUString AddIn::getDisplayCategoryName(const OUString&) { return kDisplayCategory; }

css::uno::Sequence<css::sheet::LocalizedName> AddIn::getCompatibilityNames(const OUString& programmaticName) {
  const Function* function = FindByName(programmaticName);
  if (function == nullptr) return {};
  const css::sheet::LocalizedName name(css::lang::Locale("en", "US", ""), FromUtf8(function->name));
  return css::uno::Sequence<css::sheet::LocalizedName>(&name, 1);
}

sal_Bool AddIn::supportsService(const OUString& name) { return cppu::supportsService(this, name); }

}  // namespace brimwater::calc
