# Inspects brimwater.dll with objdump and its import library with nm: a PE DLL of the right machine that
# exports exactly the bw_ functions (the fifteen, the six state functions and the two names) under their
# plain names and needs no MinGW runtime DLL. For 32 bits, the import library must name each function with
# its __stdcall decoration and the size of its arguments (_bw_Psat@12: a double and a 32-bit code;
# _bw_HofTP@20: two doubles and the code; _bw_StateOfTP@24: two doubles, the code and the struct's address;
# _bw_StatusName@4: a 32-bit value), which is what a C caller's compiler asks for and what proves the
# functions use the convention VBA's Declare needs.
#   cmake -DOBJDUMP=<objdump> -DNM=<nm> -DDLL=<file> -DIMPORT_LIBRARY=<file> -DBITS=32|64 -P examine_dll.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../support/examine_dll.cmake)

set(failures "")
set(one_argument Psat Tsat Vf Vg Hf Hg Sf Sg)
set(two_arguments VofTP HofTP SofTP TofPH SofPH TofPS HofPS)
set(states StateOfTP StateOfPH StateOfPS StateOfHS StateOfTX StateOfPX)
set(names StatusName PhaseName)
set(wanted ${one_argument} ${two_arguments} ${states} ${names})
list(TRANSFORM wanted PREPEND bw_)
brimwater_examine_dll(${OBJDUMP} ${DLL} ${BITS} "${wanted}" "^(kernel32\\.dll|msvcrt\\.dll)$" dump failures)

if(BITS EQUAL 32)
  execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} ${IMPORT_LIBRARY} failed")
  endif()
  string(REGEX MATCHALL "[\t ]T[\t ]+_bw_[^\n]+" stubs "${symbols}")
  list(TRANSFORM stubs REPLACE "^[\t ]T[\t ]+" "")
  list(SORT stubs)
  set(decorated "")
  foreach(name IN LISTS one_argument)
    list(APPEND decorated _bw_${name}@12)
  endforeach()
  foreach(name IN LISTS two_arguments)
    list(APPEND decorated _bw_${name}@20)
  endforeach()
  foreach(name IN LISTS states)
    list(APPEND decorated _bw_${name}@24)
  endforeach()
  foreach(name IN LISTS names)
    list(APPEND decorated _bw_${name}@4)
  endforeach()
  list(SORT decorated)
  if(NOT stubs STREQUAL decorated)
    string(APPEND failures "\n  ${IMPORT_LIBRARY} names [${stubs}], expected [${decorated}]")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "${DLL}:${failures}")
endif()
message(STATUS "${DLL}: ${BITS}-bit DLL; exports ${BRIMWATER_DLL_EXPORTS}; imports ${BRIMWATER_DLL_IMPORTS}")
