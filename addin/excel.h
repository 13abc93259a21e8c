// The pieces of Microsoft Excel's C API (XLL) that the add-in uses, written from the published interface:
// the XLOPER value record, the function numbers, the type and error codes, and the two callbacks of the
// host library XLCALL32. The same header serves the Windows builds and the native build of the add-in
// that the unit tests drive, so it also carries the thin portability layer for the calling conventions.
#ifndef BRIMWATER_ADDIN_EXCEL_H
#define BRIMWATER_ADDIN_EXCEL_H

#include <cstddef>
#include <cstdint>

// Excel calls the add-in's exports and Excel4v with the Windows API convention (__stdcall), and Excel4 with
// the C convention because of its variable argument list. Both are the same on x86-64 and on Linux.
#if defined(_WIN32)
#define BRIMWATER_WINAPI __stdcall
#define BRIMWATER_CDECL __cdecl
#else
#define BRIMWATER_WINAPI
#define BRIMWATER_CDECL
#endif

extern "C" {

// A cell reference: rows and columns of one rectangle.
struct XLREF {
  std::uint16_t rwFirst;
  std::uint16_t rwLast;
  std::uint8_t colFirst;
  std::uint8_t colLast;
};

struct XLMREF {
  std::uint16_t count;
  XLREF reftbl[1];
};

// The value record: a union of the value kinds followed by the type word. Strings are byte strings whose
// first byte holds their length (0 to 255), with no terminator, in the Windows-1252 code page.
struct XLOPER {
  union {
    double num;
    char* str;
    std::uint16_t xbool;
    std::uint16_t err;
    std::int16_t w;
    struct {
      std::uint16_t count;
      XLREF ref;
    } sref;
    struct {
      XLMREF* lpmref;
      std::uint32_t idSheet;
    } mref;
    struct {
      XLOPER* lparray;
      std::uint16_t rows;
      std::uint16_t columns;
    } array;
    struct {
      union {
        std::int16_t level;
        std::int16_t tbctrl;
        std::uint32_t idSheet;
      } valflow;
      std::uint16_t rw;
      std::uint8_t col;
      std::uint8_t xlflow;
    } flow;
    struct {
      union {
        std::uint8_t* lpbData;
        void* hdata;
      } h;
      std::int32_t cbData;
    } bigdata;
  } val;
  std::uint16_t xltype;
};

using LPXLOPER = XLOPER*;

// Excel reads the record at these offsets; a different layout would silently garble every value.
static_assert(sizeof(void*) != 4 || (sizeof(XLOPER) == 16 && offsetof(XLOPER, xltype) == 8),
              "32-bit XLOPER: 16 bytes, type word at offset 8");
static_assert(sizeof(void*) != 8 || (sizeof(XLOPER) == 24 && offsetof(XLOPER, xltype) == 16),
              "64-bit XLOPER: 24 bytes, type word at offset 16");

// The host callbacks, imported from XLCALL32.DLL by ordinal (Excel4 is 2, Excel4v is 3).
int BRIMWATER_CDECL Excel4(int xlfn, LPXLOPER operRes, int count, ...);
int BRIMWATER_WINAPI Excel4v(int xlfn, LPXLOPER operRes, int count, LPXLOPER opers[]);

}  // extern "C"

namespace brimwater::excel {

// Record types.
inline constexpr std::uint16_t xltypeNum = 0x0001;
inline constexpr std::uint16_t xltypeStr = 0x0002;
inline constexpr std::uint16_t xltypeErr = 0x0010;
inline constexpr std::uint16_t xltypeInt = 0x0800;

// Error values.
inline constexpr std::uint16_t xlerrValue = 15;  // #VALUE!

// Host function numbers.
inline constexpr int xlfRegister = 149;
inline constexpr int xlFree = 0x4000;
inline constexpr int xlCoerce = 0x4002;
inline constexpr int xlGetName = 0x4009;
inline constexpr int xlcAlert = 0x8076;

// Return codes of Excel4 and Excel4v.
inline constexpr int xlretSuccess = 0;
inline constexpr int xlretInvXloper = 8;
inline constexpr int xlretFailed = 32;

}  // namespace brimwater::excel

#endif  // BRIMWATER_ADDIN_EXCEL_H
