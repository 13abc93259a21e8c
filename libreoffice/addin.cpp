#include "addin.h"

#include <com/sun/star/sheet/LocalizedName.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <cstddef>
#include <string_view>

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

const Function* FindByName(const OUString& name) {
  const OString utf8 = rtl::OUStringToOString(name, RTL_TEXTENCODING_UTF8);
  return FindFunction(std::string_view(utf8.getStr(), static_cast<std::size_t>(utf8.getLength())));
}

const Argument* FindByPosition(const OUString& functionName, sal_Int32 position) {
  if (position < 0) return nullptr;
  const OString utf8 = rtl::OUStringToOString(functionName, RTL_TEXTENCODING_UTF8);
  return FindArgument(std::string_view(utf8.getStr(), static_cast<std::size_t>(utf8.getLength())),
                      static_cast<std::size_t>(position));
}

}  // namespace

css::uno::Sequence<OUString> SAL_CALL SupportedServiceNames() {
  const OUString names[] = {kAddInService, kServiceName};
  return css::uno::Sequence<OUString>(names, 2);
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
