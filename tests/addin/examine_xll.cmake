# Inspects a Windows add-in with objdump: a PE DLL of the right machine that exports exactly the six Excel
# entry points and the fifteen worksheet functions under their undecorated names, imports XLCALL32.DLL by
# ordinals 2 and 3 only, and needs no MinGW runtime DLL.
#   cmake -DOBJDUMP=<objdump> -DXLL=<file> -DBITS=32|64 -P examine_xll.cmake
if(NOT EXISTS "${XLL}")
  message(FATAL_ERROR "${XLL} was not built")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${XLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${XLL} failed")
endif()
set(failures "")

if(BITS EQUAL 32)
  set(format "pei-i386")
else()
  set(format "pei-x86-64")
endif()
if(NOT dump MATCHES "file format ${format}")
  string(APPEND failures "\n  not a ${format} file")
endif()
if(NOT dump MATCHES "Characteristics [^\n]*\n([^\n]*\n)*[\t ]*DLL\n")
  string(APPEND failures "\n  not marked as a DLL")
endif()

# Exports: the name pointer table, one "[   n] Name" line per export.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" export_table "${dump}")
string(REGEX MATCHALL "\n[\t ]*.[\t ]*[0-9]+. [^\n]+" exports "${export_table}")
list(TRANSFORM exports REPLACE "^\n[\t ]*.[\t ]*[0-9]+. " "")
list(SORT exports)
set(wanted Hf Hg HofPS HofTP Psat Sf Sg SofPH SofTP TofPH TofPS Tsat Vf Vg VofTP xlAddInManagerInfo xlAutoAdd
           xlAutoClose xlAutoOpen xlAutoRegister xlAutoRemove)
list(SORT wanted)
if(NOT exports STREQUAL wanted)
  string(APPEND failures "\n  exports are [${exports}], expected exactly [${wanted}]")
endif()

# Imports: every DLL named, and the entries of XLCALL32.DLL.
string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
list(TRANSFORM dlls REPLACE "DLL Name: " "")
foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" lower)
  if(NOT lower MATCHES "^(xlcall32\\.dll|kernel32\\.dll|msvcrt\\.dll)$")
    string(APPEND failures "\n  imports ${dll}, which an Excel machine may not have")
  endif()
endforeach()
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
message(STATUS "${XLL}: ${format} DLL; exports ${exports}; imports ${dlls}; XLCALL32.DLL by ordinals 2 and 3")
