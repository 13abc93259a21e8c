# Installs the build tree into a scratch prefix, then configures, builds and runs the consumer project's two
# programs against it. Arguments: BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
                        -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the consumer failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the consumer failed: ${rc}")
endif()
foreach(consumer consumer consumer_c)
  execute_process(COMMAND ${WORK_DIR}/build/${consumer} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  message(STATUS "${consumer}: HofTP(1000, 800, 97) = ${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${consumer} failed: ${rc}")
  endif()
endforeach()

# The C program runs on the installed shared library, not on the build tree's.
execute_process(COMMAND ldd ${WORK_DIR}/build/consumer_c OUTPUT_VARIABLE libraries RESULT_VARIABLE rc)
if(rc EQUAL 0 AND NOT libraries MATCHES "libbrimwater\\.so\\.[0-9]+ => ${WORK_DIR}/prefix/")
  message(FATAL_ERROR "consumer_c does not load the installed libbrimwater.so:\n${libraries}")
endif()
