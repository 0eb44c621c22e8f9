# Warnings for the project's own targets; third-party headers are included as system headers.
add_library(tundrel_warnings INTERFACE)
target_compile_options(tundrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports impossible overlaps inside std::string's inlined copies at -O2.
  target_compile_options(tundrel_warnings INTERFACE -Wno-restrict)
endif()
if(TUNDREL_WERROR)
  target_compile_options(tundrel_warnings INTERFACE -Werror)
endif()
