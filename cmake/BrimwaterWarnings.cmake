# Warning flags shared by every Brimwater target.
add_library(brimwater_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(brimwater_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wdouble-promotion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
  if(BRIMWATER_WERROR)
    target_compile_options(brimwater_warnings INTERFACE -Werror)
  endif()
endif()
