# Warnings for the project's own targets; third-party headers are included as system headers.
add_library(tundrel_warnings INTERFACE)
target_compile_options(tundrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
if(TUNDREL_WERROR)
  target_compile_options(tundrel_warnings INTERFACE -Werror)
endif()
