# Warnings for the project's own code: on, and errors.
add_library(kelvane_warnings INTERFACE)
target_compile_options(kelvane_warnings INTERFACE
  -Wall -Wextra -Werror -Wno-unused-parameter)

# Sanitizers, chosen by the presets.
set(KELVANE_SANITIZE "" CACHE STRING "Sanitizers: empty, 'address,undefined' or 'thread'")
if(KELVANE_SANITIZE)
  add_compile_options(-fsanitize=${KELVANE_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${KELVANE_SANITIZE})
endif()
