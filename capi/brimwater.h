/* Brimwater C interface: the thermodynamic properties of water and steam in five published formulations,
 * for C, and for any language that calls C (Fortran, Julia, C#, VBA, ...).
 *
 * The fifteen property functions take doubles and a formulation code and return a double, exactly as the
 * C++ function of the same name without the bw_ prefix (<brimwater/props.h>), bit for bit. The code's
 * absolute value chooses the formulation:
 *     67 IFC-67 ("ASME")   69 Keenan, Keyes, Hill and Moore 1969 ("KKHM")   84 NBS/NRC 1984
 *     95 IAPWS-95 ("SF95") 97 IAPWS-IF97
 * A code greater than 0 means English units for every argument and the result (degF, psia, ft3/lbm,
 * BTU/lbm, BTU/(lbm degR)); zero or a negative code SI units (K, MPa, cm3/g, kJ/kg, kJ/(kg K)).
 * An unsupported code yields BW_PROPERTY_ERROR (-999.0); bw_Vf, bw_Vg and bw_VofTP return it as it is, the
 * others, with a code greater than 0, pass it through their English output factor (bw_Psat(212, 5) is
 * -144892.6999623). These functions never fail otherwise: no error codes, no exceptions, no allocation,
 * no state; they may be called from any thread.
 *
 * Linking: -lbrimwater (libbrimwater.so), or Brimwater::c with CMake's find_package(Brimwater); on Windows
 * brimwater.dll with its import library libbrimwater.dll.a. On 32-bit Windows the functions use the
 * __stdcall convention and are exported under their plain names, as VBA's Declare and C#'s DllImport
 * expect; elsewhere they use the platform's C convention.
 *
 * The state functions bw_StateOfTP ... bw_StateOfPX give every property of one state from a pair of inputs,
 * as the C++ functions of the same name without the prefix (<brimwater/state.h>) give it, bit for bit, with
 * the same codes and units; they fill a caller's bw_state and return its status. Unlike the fifteen, they
 * report what went wrong in the status and never return a plausible number where none is meaningful: such
 * values are NaN. They too are pure and may be called from any thread.
 *
 * bw_state carries its own size, so that fields can be added in later versions without breaking callers:
 *   - its first member is `uint32_t size`; the caller sets it to sizeof of the struct it was compiled with
 *     (BW_STATE_SIZE_1, 160 bytes, with this header) before every call;
 *   - fields are only ever appended at the end, never reordered, resized or removed;
 *   - the library writes only the fields that lie wholly within the caller's size (a field at offset o of
 *     n bytes is written when o + n <= size), and writes back into `size` the number of bytes it filled:
 *     a program built against an older header keeps working with a newer library, and one built against a
 *     newer header learns from an older library, by the size it finds written back, which fields that
 *     library filled (the bytes beyond are not touched);
 *   - a null pointer, or a size smaller than the first version's struct (BW_STATE_SIZE_1), is refused with
 *     BW_STATUS_BAD_STRUCT, and nothing is written.
 * The struct has no padding: its 32-bit integers come first, in an even number, then the doubles, so that
 * it has the same layout under every packing rule (a VBA Type, a C# struct, a Fortran bind(C) type, on 32
 * and 64 bits).
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

/* A state's status (bw_state.status and the state functions' result); the values of brimwater::Status. */
#define BW_STATUS_OK 0
#define BW_STATUS_EXTRAPOLATED 1     /* outside the formulation's range of validity; computed all the same */
#define BW_STATUS_UNSUPPORTED_CODE 2 /* the formulation code names no formulation of the state functions */
#define BW_STATUS_INVALID_ARGUMENT 3 /* NaN or infinite input, T or P not above zero, x outside [0, 1] */
#define BW_STATUS_NO_SOLUTION 4      /* no state of the formulation has these inputs */
/* The C interface's own: a null bw_state pointer or a size below BW_STATE_SIZE_1; nothing was written.
 * Far beyond the library's statuses, which count up from 0. */
#define BW_STATUS_BAD_STRUCT 100

/* A state's phase (bw_state.phase); the values of brimwater::Phase. */
#define BW_PHASE_UNKNOWN 0 /* no state was found (a status other than ok and extrapolated) */
#define BW_PHASE_LIQUID 1
#define BW_PHASE_VAPOUR 2
#define BW_PHASE_SUPERCRITICAL 3
#define BW_PHASE_TWO_PHASE 4 /* a mixture of saturated liquid and vapour, 0 < x < 1 */

/* Which form of the IAPWS transport correlations gave mu and lambda (bw_state.transport); the values of
 * brimwater::TransportForm. */
#define BW_TRANSPORT_NONE 0       /* not evaluated (two-phase mixtures, failed states) */
#define BW_TRANSPORT_INDUSTRIAL 1 /* without the critical enhancement */
#define BW_TRANSPORT_FULL 2       /* with the critical enhancement */

/* sizeof(bw_state) in its first version: the smallest size the state functions accept. */
#define BW_STATE_SIZE_1 160u

/* One state. For a single-phase state every number is meaningful but x, which is NaN; for a two-phase
 * mixture cp, cv and w are NaN and x is its quality; a saturated liquid or vapour asked for by quality 0 or 1
 * has the properties of that phase. With BW_STATUS_UNSUPPORTED_CODE, BW_STATUS_INVALID_ARGUMENT and
 * BW_STATUS_NO_SOLUTION every number is NaN. Units: English for a code greater than 0, SI otherwise, as the
 * comments give them (SI / English). */
typedef struct bw_state {
  uint32_t size;            /* set by the caller; written back as the bytes the library filled */
  int32_t phase;            /* BW_PHASE_... */
  int32_t region;           /* IF97 region 1, 2, 3, 5 (4: two-phase), IFC-67 sub-region 1 to 4, else 0 */
  int32_t status;           /* BW_STATUS_...: also the state function's result */
  int32_t transport;        /* BW_TRANSPORT_... */
  int32_t transport_status; /* the transport correlations' own range: ok, extrapolated or no solution */
  double T;                 /* temperature, K / degF */
  double P;                 /* pressure, MPa / psia */
  double v;                 /* specific volume, cm3/g / ft3/lbm */
  double rho;               /* density, g/cm3 / lbm/ft3 */
  double h;                 /* specific enthalpy, kJ/kg / BTU/lbm */
  double s;                 /* specific entropy, kJ/(kg K) / BTU/(lbm degR) */
  double u;                 /* specific internal energy, kJ/kg / BTU/lbm */
  double cp;                /* specific isobaric heat capacity, kJ/(kg K) / BTU/(lbm degR) */
  double cv;                /* specific isochoric heat capacity, kJ/(kg K) / BTU/(lbm degR) */
  double w;                 /* speed of sound, m/s / ft/s */
  double x;                 /* vapour quality (mass fraction of vapour) */
  double mu;                /* dynamic viscosity, Pa s / lbm/(ft h) */
  double lambda;            /* thermal conductivity, W/(m K) / BTU/(h ft degF) */
  double sigma;             /* surface tension (saturated states only), N/m / lbf/ft */
  double nu;                /* kinematic viscosity, m2/s / ft2/h */
  double alpha;             /* thermal diffusivity, m2/s / ft2/h */
  double Pr;                /* Prandtl number */
} bw_state;

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

/* State functions: fill *state (whose size the caller has set) and return its status. The pairs: temperature
 * and pressure; pressure and specific enthalpy; pressure and specific entropy; specific enthalpy and specific
 * entropy; temperature and quality, pressure and quality (saturated states: x = 0 saturated liquid, x = 1
 * saturated vapour). */
BW_API int32_t BW_CALL bw_StateOfTP(double T, double P, int32_t formulation, bw_state* state);
BW_API int32_t BW_CALL bw_StateOfPH(double P, double h, int32_t formulation, bw_state* state);
BW_API int32_t BW_CALL bw_StateOfPS(double P, double s, int32_t formulation, bw_state* state);
BW_API int32_t BW_CALL bw_StateOfHS(double h, double s, int32_t formulation, bw_state* state);
BW_API int32_t BW_CALL bw_StateOfTX(double T, double x, int32_t formulation, bw_state* state);
BW_API int32_t BW_CALL bw_StateOfPX(double P, double x, int32_t formulation, bw_state* state);

/* Names for messages and output, static strings never to be freed, never null: "ok", "extrapolated",
 * "unsupported code", "invalid argument", "no solution", "bad struct"; "unknown", "liquid", "vapour",
 * "supercritical", "two-phase". A value that names nothing gives "unknown". */
BW_API const char* BW_CALL bw_StatusName(int32_t status);
BW_API const char* BW_CALL bw_PhaseName(int32_t phase);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* BRIMWATER_BRIMWATER_H */
