/* Brimwater C interface: the thermodynamic properties of water and steam in five published formulations,
 * for C, and for any language that calls C (Fortran, Julia, C#, VBA, ...).
 *
 * Every function takes doubles and a formulation code and returns a double, exactly as the C++ function of
 * the same name without the bw_ prefix (<brimwater/props.h>), bit for bit. The code's absolute value
 * chooses the formulation:
 *     67 IFC-67 ("ASME")   69 Keenan, Keyes, Hill and Moore 1969 ("KKHM")   84 NBS/NRC 1984
 *     95 IAPWS-95 ("SF95") 97 IAPWS-IF97
 * A code greater than 0 means English units for every argument and the result (degF, psia, ft3/lbm,
 * BTU/lbm, BTU/(lbm degR)); zero or a negative code SI units (K, MPa, cm3/g, kJ/kg, kJ/(kg K)).
 * An unsupported code yields BW_PROPERTY_ERROR (-999.0); bw_Vf, bw_Vg and bw_VofTP return it as it is, the
 * others, with a code greater than 0, pass it through their English output factor (bw_Psat(212, 5) is
 * -144892.6999623). The functions never fail otherwise: no error codes, no exceptions, no allocation,
 * no state; they may be called from any thread.
 *
 * Linking: -lbrimwater (libbrimwater.so), or Brimwater::c with CMake's find_package(Brimwater); on Windows
 * brimwater.dll with its import library libbrimwater.dll.a. On 32-bit Windows the functions use the
 * __stdcall convention and are exported under their plain names, as VBA's Declare and C#'s DllImport
 * expect; elsewhere they use the platform's C convention.
 *
 * Functions to come: the state functions. They will fill a caller's struct and return a status, and the
 * struct carries its own size, so that fields can be added in later versions without breaking callers:
 *   - its first member is `uint32_t size`; the caller sets it to sizeof of the struct it was compiled
 *     with before every call;
 *   - fields are only ever appended at the end, never reordered, resized or removed;
 *   - the library writes only the fields that lie wholly within the caller's size (a field at offset o of
 *     n bytes is written when o + n <= size), so a program built against an older header keeps working
 *     with a newer library, and one built against a newer header learns from an older library, by the
 *     size it finds written back, which fields that library filled;
 *   - a size smaller than the first version's struct is refused with a status, and nothing is written.
 */
#ifndef BRIMWATER_BRIMWATER_H
#define BRIMWATER_BRIMWATER_H

#include <stdint.h>

/* BW_API marks the exported functions; BW_CALL is their calling convention. Define BW_API before including
 * this header to override it (for instance as nothing, to declare the functions for a static link). */
#ifndef BW_API
#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(BW_BUILDING_LIBRARY)
#define BW_API __declspec(dllexport)
#else
#define BW_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define BW_API __attribute__((visibility("default")))
#else
#define BW_API
#endif
#endif

#ifndef BW_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define BW_CALL __stdcall
#else
#define BW_CALL
#endif
#endif

/* The result for an unsupported formulation code. */
#define BW_PROPERTY_ERROR (-999.0)

#ifdef __cplusplus
extern "C" {
#endif

/* Saturation line: pressure of temperature Ts, temperature of pressure Ps. */
BW_API double BW_CALL bw_Psat(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Tsat(double Ps, int32_t formulation);

/* Saturated liquid (f) and saturated vapour (g) at temperature Ts: volume, enthalpy, entropy. */
BW_API double BW_CALL bw_Vf(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Vg(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Hf(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Hg(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Sf(double Ts, int32_t formulation);
BW_API double BW_CALL bw_Sg(double Ts, int32_t formulation);

/* The state at temperature T and pressure P: volume, enthalpy, entropy. */
BW_API double BW_CALL bw_VofTP(double T, double P, int32_t formulation);
BW_API double BW_CALL bw_HofTP(double T, double P, int32_t formulation);
BW_API double BW_CALL bw_SofTP(double T, double P, int32_t formulation);

/* Inverse functions: temperature and entropy of (P, H), temperature and enthalpy of (P, S). */
BW_API double BW_CALL bw_TofPH(double P, double H, int32_t formulation);
BW_API double BW_CALL bw_SofPH(double P, double H, int32_t formulation);
BW_API double BW_CALL bw_TofPS(double P, double S, int32_t formulation);
BW_API double BW_CALL bw_HofPS(double P, double S, int32_t formulation);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* BRIMWATER_BRIMWATER_H */
