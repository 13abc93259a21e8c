# Inspecting a cross-built Windows DLL with objdump -p, for the scripts of the tests that cannot run it.
#
#   include(examine_dll.cmake)
#   brimwater_examine_dll(<objdump> <file> <bits> "<export>;..." <imports regex> <dump var> <failures var>)
#
# Runs `objdump -p <file>` and appends to <failures var> one line for each thing amiss: not a PE file of
# <bits> bits, not marked as a DLL, exports other than exactly the names listed (as written: undecorated
# names must be exported undecorated), or a DLL imported whose lower-case name does not match
# <imports regex>. Sets <dump var> to objdump's output and BRIMWATER_DLL_EXPORTS and BRIMWATER_DLL_IMPORTS
# to the names found.
function(brimwater_examine_dll objdump file bits wanted imports_regex dump_var failures_var)
  set(failures "${${failures_var}}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} was not built")
  endif()
  execute_process(COMMAND ${objdump} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${objdump} -p ${file} failed")
  endif()

  if(bits EQUAL 32)
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
  list(SORT wanted)
  if(NOT exports STREQUAL wanted)
    string(APPEND failures "\n  exports are [${exports}], expected exactly [${wanted}]")
  endif()

  # Imports: every DLL named.
  string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
  list(TRANSFORM dlls REPLACE "DLL Name: " "")
  foreach(dll IN LISTS dlls)
    string(TOLOWER "${dll}" lower)
    if(NOT lower MATCHES "${imports_regex}")
      string(APPEND failures "\n  imports ${dll}, which a Windows machine may not have")
    endif()
  endforeach()

  set(${dump_var} "${dump}" PARENT_SCOPE)
  set(${failures_var} "${failures}" PARENT_SCOPE)
  set(BRIMWATER_DLL_EXPORTS "${exports}" PARENT_SCOPE)
  set(BRIMWATER_DLL_IMPORTS "${dlls}" PARENT_SCOPE)
endfunction()
