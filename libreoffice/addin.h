// The Calc add-in: one UNO object that offers the library's fifteen functions and BWSTATE, a property of
// a state of the state interface, as worksheet functions.
//
// Calc finds it as an implementation of com.sun.star.sheet.AddIn, reads its functions from XBrimwater by
// introspection, their display names and help texts from XAddIn, and the names they have in Excel files from
// XCompatibilityNames. Each function only calls the library: the fifteen return their results, PropertyError
// included, to the cell as numbers, as the Excel add-in returns them; BWSTATE turns what the state interface
// reports as failed into Calc errors.
#ifndef BRIMWATER_LIBREOFFICE_ADDIN_H
#define BRIMWATER_LIBREOFFICE_ADDIN_H

#include <brimwater/props.h>

#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XServiceName.hpp>
#include <com/sun/star/sheet/XAddIn.hpp>
#include <com/sun/star/sheet/XCompatibilityNames.hpp>
#include <cppuhelper/implbase5.hxx>
#include <org/brimwater/calc/XBrimwater.hpp>
#include <rtl/ustring.hxx>

namespace brimwater::calc {

// The implementation name, and the service name under which Calc creates the add-in.
inline constexpr char kImplementationName[] = "org.brimwater.calc.BrimwaterAddIn";
// Calc stores a worksheet function in ODF files as this service name, a dot and the method name
// (ORG.BRIMWATER.CALC.BRIMWATER.PSAT): renaming the service would orphan the formulas of saved documents.
inline constexpr char kServiceName[] = "org.brimwater.calc.Brimwater";
inline constexpr char kAddInService[] = "com.sun.star.sheet.AddIn";

// The services the add-in offers: Calc's add-in service and its own.
css::uno::Sequence<rtl::OUString> SAL_CALL SupportedServiceNames();

class AddIn : public cppu::WeakImplHelper5<org::brimwater::calc::XBrimwater, css::sheet::XAddIn,
                                           css::sheet::XCompatibilityNames, css::lang::XServiceName,
                                           css::lang::XServiceInfo> {
 public:
  // XBrimwater: the worksheet functions, each the library function of the same name.
  double SAL_CALL Psat(double Ts, sal_Int32 formulation) override { return brimwater::Psat(Ts, formulation); }
  double SAL_CALL Tsat(double Ps, sal_Int32 formulation) override { return brimwater::Tsat(Ps, formulation); }
  double SAL_CALL Vf(double Ts, sal_Int32 formulation) override { return brimwater::Vf(Ts, formulation); }
  double SAL_CALL Vg(double Ts, sal_Int32 formulation) override { return brimwater::Vg(Ts, formulation); }
  double SAL_CALL Hf(double Ts, sal_Int32 formulation) override { return brimwater::Hf(Ts, formulation); }
  double SAL_CALL Hg(double Ts, sal_Int32 formulation) override { return brimwater::Hg(Ts, formulation); }
  double SAL_CALL Sf(double Ts, sal_Int32 formulation) override { return brimwater::Sf(Ts, formulation); }
  double SAL_CALL Sg(double Ts, sal_Int32 formulation) override { return brimwater::Sg(Ts, formulation); }
  double SAL_CALL VofTP(double T, double P, sal_Int32 formulation) override {
    return brimwater::VofTP(T, P, formulation);
  }
  double SAL_CALL HofTP(double T, double P, sal_Int32 formulation) override {
    return brimwater::HofTP(T, P, formulation);
  }
  double SAL_CALL SofTP(double T, double P, sal_Int32 formulation) override {
    return brimwater::SofTP(T, P, formulation);
  }
  double SAL_CALL TofPH(double P, double H, sal_Int32 formulation) override {
    return brimwater::TofPH(P, H, formulation);
  }
  double SAL_CALL SofPH(double P, double H, sal_Int32 formulation) override {
    return brimwater::SofPH(P, H, formulation);
  }
  double SAL_CALL TofPS(double P, double S, sal_Int32 formulation) override {
    return brimwater::TofPS(P, S, formulation);
  }
  double SAL_CALL HofPS(double P, double S, sal_Int32 formulation) override {
    return brimwater::HofPS(P, S, formulation);
  }
  // The property of the state that the pair's a and b give. Throws IllegalArgumentException (Err:502) for an
  // unknown property or pair, a code the state interface does not offer and arguments outside every state
  // (a temperature or pressure not above zero, a quality outside 0 to 1), NoConvergenceException (Err:523)
  // when no state of the formulation has these inputs. A property the state does not have (x of a
  // single-phase state, cp of a two-phase mixture) is NaN, which Calc shows as #NUM!.
  double SAL_CALL BwState(const rtl::OUString& property, const rtl::OUString& pair, double a, double b,
                          sal_Int32 formulation) override;

  // XAddIn. The texts are English whatever the locale; an unknown function or argument gets an empty text.
  rtl::OUString SAL_CALL getProgrammaticFuntionName(const rtl::OUString& displayName) override;
  rtl::OUString SAL_CALL getDisplayFunctionName(const rtl::OUString& programmaticName) override;
  rtl::OUString SAL_CALL getFunctionDescription(const rtl::OUString& programmaticName) override;
  rtl::OUString SAL_CALL getDisplayArgumentName(const rtl::OUString& programmaticName,
                                                sal_Int32 argument) override;
  rtl::OUString SAL_CALL getArgumentDescription(const rtl::OUString& programmaticName,
                                                sal_Int32 argument) override;
  rtl::OUString SAL_CALL getProgrammaticCategoryName(const rtl::OUString& programmaticName) override;
  rtl::OUString SAL_CALL getDisplayCategoryName(const rtl::OUString& programmaticName) override;

  // XLocalizable, through XAddIn: the locale is only kept to be reported back.
  void SAL_CALL setLocale(const css::lang::Locale& locale) override { locale_ = locale; }
  css::lang::Locale SAL_CALL getLocale() override { return locale_; }

  // XCompatibilityNames: the name of each function in Excel files, the Excel add-in's own.
  css::uno::Sequence<css::sheet::LocalizedName> SAL_CALL
  getCompatibilityNames(const rtl::OUString& programmaticName) override;

  // XServiceName
  rtl::OUString SAL_CALL getServiceName() override { return kServiceName; }

  // XServiceInfo
  rtl::OUString SAL_CALL getImplementationName() override { return kImplementationName; }
  sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override;
  css::uno::Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override {
    return SupportedServiceNames();
  }

 private:
  css::lang::Locale locale_;
};

}  // namespace brimwater::calc

#endif  // BRIMWATER_LIBREOFFICE_ADDIN_H
