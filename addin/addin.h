// The add-in's exports: Excel's entry points and the fifteen worksheet functions. Each worksheet function
// calls the property library, stores the double in the one shared result record and returns its address;
// Excel calls the add-in from its main thread only (the functions are not registered as thread-safe).
#ifndef BRIMWATER_ADDIN_ADDIN_H
#define BRIMWATER_ADDIN_ADDIN_H

#include <cstdint>

#include "excel.h"
#include "registration.h"

extern "C" {

int BRIMWATER_WINAPI xlAutoOpen();
int BRIMWATER_WINAPI xlAutoClose();
LPXLOPER BRIMWATER_WINAPI xlAutoRegister(LPXLOPER name);
int BRIMWATER_WINAPI xlAutoAdd();
int BRIMWATER_WINAPI xlAutoRemove();
LPXLOPER BRIMWATER_WINAPI xlAddInManagerInfo(LPXLOPER action);

LPXLOPER BRIMWATER_WINAPI Psat(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Tsat(double Ps, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Vf(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Vg(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Hf(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Hg(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Sf(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI Sg(double Ts, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI VofTP(double T, double P, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI HofTP(double T, double P, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI SofTP(double T, double P, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI TofPH(double P, double H, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI SofPH(double P, double H, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI TofPS(double P, double S, std::int32_t formulation);
LPXLOPER BRIMWATER_WINAPI HofPS(double P, double S, std::int32_t formulation);

}  // extern "C"

namespace brimwater::addin {

// xlAutoOpen's work on a given table: build the string list, register every function, alert on failure.
// Returns 1 when every function was registered, else 0.
int OpenAddIn(const Record* table);

// The alert texts, stored with a leading blank that is replaced by the length just before use.
inline constexpr char kCantBuildParamsAlert[] = " Error: can't build function params!";
inline constexpr char kRegisterFailedAlert[] = " Error: Failed to register the XLL!";

}  // namespace brimwater::addin

#endif  // BRIMWATER_ADDIN_ADDIN_H
