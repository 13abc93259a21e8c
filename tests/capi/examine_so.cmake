# Inspects libbrimwater.so: its soname carries the major version, and the only symbols it defines for other
# programs are the bw_ functions (the fifteen, the six state functions and the two names), each in the
# version node BRIMWATER_1 (which the dynamic symbol
# table lists as a symbol of its own).
#   cmake -DNM=<nm> -DOBJDUMP=<objdump> -DLIBRARY=<file> -DSONAME=<libbrimwater.so.N> -P examine_so.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} -D --defined-only ${LIBRARY} failed")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${LIBRARY} failed")
endif()
set(failures "")

# One "<address> <type> <name>" line per symbol.
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
list(TRANSFORM lines REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "")
list(SORT lines)
set(wanted BRIMWATER_1)
foreach(name Hf Hg HofPS HofTP Psat Sf Sg SofPH SofTP TofPH TofPS Tsat Vf Vg VofTP
             StateOfTP StateOfPH StateOfPS StateOfHS StateOfTX StateOfPX StatusName PhaseName)
  list(APPEND wanted bw_${name}@@BRIMWATER_1)
endforeach()
list(SORT wanted)
if(NOT lines STREQUAL wanted)
  string(APPEND failures "\n  defines [${lines}] for other programs, expected exactly [${wanted}]")
endif()

if(NOT headers MATCHES "\n[\t ]*SONAME[\t ]+([^\n]+)\n")
  string(APPEND failures "\n  has no soname")
elseif(NOT CMAKE_MATCH_1 STREQUAL SONAME)
  string(APPEND failures "\n  has the soname ${CMAKE_MATCH_1}, expected ${SONAME}")
endif()

if(failures)
  message(FATAL_ERROR "${LIBRARY}:${failures}")
endif()
message(STATUS "${LIBRARY}: soname ${SONAME}; defines ${lines}")
