# Warnings for the project's own code: on, and errors.
add_library(kelvane_warnings INTERFACE)
target_compile_options(kelvane_warnings INTERFACE
  -Wall -Wextra -Werror -Wno-unused-parameter)

# Fuzzing (fuzz preset, clang): every library is instrumented for coverage; the fuzz
# targets link libFuzzer's driver themselves.
option(KELVANE_FUZZ "Build the libFuzzer targets instead of the test suite" OFF)
if(KELVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Sanitizers, chosen by the presets.
set(KELVANE_SANITIZE "" CACHE STRING "Sanitizers: empty, 'address,undefined' or 'thread'")
if(KELVANE_SANITIZE)
  add_compile_options(-fsanitize=${KELVANE_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${KELVANE_SANITIZE})
endif()
