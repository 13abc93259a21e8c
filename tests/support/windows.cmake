# The Windows builds that the host tests examine. With the MinGW-w64 cross compilers, the default
# configuration also cross-builds the Windows deliverables (Brimwater32.xll and Brimwater64.xll, brimwater.dll
# 32- and 64-bit, and their test programs), configured like the mingw32 and mingw64 presets, into
# build/<preset>/windows/mingw32 and .../mingw64; with wine, the tests run the 64-bit ones in a private wine
# prefix. This kernel runs no 32-bit programs, so the 32-bit builds are inspected with objdump only.
#
# Included once by tests/CMakeLists.txt; the test folders below it find:
#   brimwater_windows_dir         where the two cross builds are
#   brimwater_windows_builds      true when they are configured; else brimwater_windows_missing says why
#   BRIMWATER_MINGW32_OBJDUMP, BRIMWATER_MINGW64_OBJDUMP, BRIMWATER_MINGW32_NM
#   brimwater_wine_tests          true when wine can run them too; else brimwater_wine_missing says why
#   brimwater_wine                the command that runs a Windows program in the private prefix
#   the test fixture "wineprefix", which every wine test requires
#   brimwater_skipped_test(name what reason): a test that only reports why a group of tests cannot run here
set(brimwater_windows_dir ${PROJECT_BINARY_DIR}/windows)
find_program(BRIMWATER_MINGW32_CXX i686-w64-mingw32-g++)
find_program(BRIMWATER_MINGW64_CXX x86_64-w64-mingw32-g++)
find_program(BRIMWATER_MINGW32_OBJDUMP i686-w64-mingw32-objdump)
find_program(BRIMWATER_MINGW64_OBJDUMP x86_64-w64-mingw32-objdump)
find_program(BRIMWATER_MINGW32_NM i686-w64-mingw32-nm)
find_program(BRIMWATER_WINE NAMES wine wine-stable)

function(brimwater_skipped_test name what reason)
  message(STATUS "${what} skipped: ${reason}")
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "${what} skipped: ${reason}")
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped")
endfunction()

set(brimwater_windows_builds FALSE)
set(brimwater_wine_tests FALSE)
if(CMAKE_CXX_FLAGS MATCHES "sanitize")
  set(brimwater_windows_missing
      "the sanitizer builds do not cross-build for Windows; the default preset runs these tests")
  set(brimwater_wine_missing "${brimwater_windows_missing}")
  return()
elseif(NOT BRIMWATER_MINGW32_CXX OR NOT BRIMWATER_MINGW64_CXX OR NOT BRIMWATER_MINGW32_OBJDUMP
       OR NOT BRIMWATER_MINGW64_OBJDUMP OR NOT BRIMWATER_MINGW32_NM)
  set(brimwater_windows_missing "the MinGW-w64 cross compilers are not installed (apt-get install mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64)")
  set(brimwater_wine_missing "${brimwater_windows_missing}")
  return()
endif()

# The two cross builds. They rebuild on every build of this tree (cheaply when nothing changed), so the
# Windows files always match the sources.
include(ExternalProject)
foreach(bits 32 64)
  ExternalProject_Add(brimwater_mingw${bits}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${brimwater_windows_dir}/mingw${bits}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw${bits}.cmake
               -DCMAKE_BUILD_TYPE=Release -DBRIMWATER_WERROR=${BRIMWATER_WERROR}
               -DBRIMWATER_BUILD_TESTS=OFF -DBRIMWATER_BUILD_BENCH=OFF -DBRIMWATER_BUILD_ADDIN_ONLY=ON
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    EXCLUDE_FROM_ALL OFF)
endforeach()
set(brimwater_windows_builds TRUE)

if(NOT BRIMWATER_WINE)
  set(brimwater_wine_missing "wine is not installed (apt-get install wine64 wine)")
  return()
endif()
set(brimwater_wine ${CMAKE_COMMAND} -E env WINEPREFIX=${brimwater_windows_dir}/wineprefix WINEDEBUG=-all
                   "WINEDLLOVERRIDES=mscoree,mshtml=" ${BRIMWATER_WINE})
add_test(NAME windows.wineprefix COMMAND ${brimwater_wine} cmd /c exit 0)
set_tests_properties(windows.wineprefix PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 300)
set(brimwater_wine_tests TRUE)
