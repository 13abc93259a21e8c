# Inspects a Windows add-in with objdump: a PE DLL of the right machine that exports exactly the six Excel
# entry points and the fifteen worksheet functions under their undecorated names, imports XLCALL32.DLL by
# ordinals 2 and 3 only, and needs no MinGW runtime DLL.
#   cmake -DOBJDUMP=<objdump> -DXLL=<file> -DBITS=32|64 -P examine_xll.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../support/examine_dll.cmake)

set(failures "")
set(wanted Hf Hg HofPS HofTP Psat Sf Sg SofPH SofTP TofPH TofPS Tsat Vf Vg VofTP xlAddInManagerInfo xlAutoAdd
           xlAutoClose xlAutoOpen xlAutoRegister xlAutoRemove)
brimwater_examine_dll(${OBJDUMP} ${XLL} ${BITS} "${wanted}" "^(xlcall32\\.dll|kernel32\\.dll|msvcrt\\.dll)$"
                      dump failures)

# The entries of XLCALL32.DLL.
string(REGEX MATCH "DLL Name: XLCALL32\\.DLL\n[^\n]*Member-Name[^\n]*\n([^\n]+\n)*" xlcall "${dump}")
string(REGEX MATCHALL "\n[\t ]*[0-9a-fA-F]+[\t ]+[0-9]+[\t ]+[^\n]*" entries "${xlcall}")
list(TRANSFORM entries STRIP)
list(TRANSFORM entries REPLACE "^[0-9a-fA-F]+[\t ]+0*([0-9]+)[\t ]+(.*)$" "\\1 \\2")
if(NOT entries STREQUAL "2 <none>;3 <none>")
  string(APPEND failures "\n  XLCALL32.DLL imports are [${entries}], expected ordinals 2 and 3 without names")
endif()

if(failures)
  message(FATAL_ERROR "${XLL}:${failures}")
endif()
message(STATUS "${XLL}: ${BITS}-bit DLL; exports ${BRIMWATER_DLL_EXPORTS}; imports ${BRIMWATER_DLL_IMPORTS}; "
               "XLCALL32.DLL by ordinals 2 and 3")
