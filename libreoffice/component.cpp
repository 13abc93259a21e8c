// The entry point through which LibreOffice's shared-library loader creates the add-in.
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implementationentry.hxx>

#include "addin.h"

namespace brimwater::calc {
namespace {

css::uno::Reference<css::uno::XInterface> SAL_CALL
Create(const css::uno::Reference<css::uno::XComponentContext>&) {
  return static_cast<cppu::OWeakObject*>(new AddIn);
}

rtl::OUString SAL_CALL ImplementationName() { return kImplementationName; }

const cppu::ImplementationEntry kImplementations[] = {
    {Create, ImplementationName, SupportedServiceNames, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace
}  // namespace brimwater::calc

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementationName,
                                                                    void* serviceManager, void* registryKey) {
  return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey,
                                          brimwater::calc::kImplementations);
}
