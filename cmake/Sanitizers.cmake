# ITARNVALE_SANITIZE builds every target with the named sanitizers (scripts/sanitize sets it:
# "address,undefined" or "thread"). Any report stops the program, so a test that trips one
# fails instead of printing a warning that nobody reads.
set(ITARNVALE_SANITIZE "" CACHE STRING "Sanitizers for every target: empty, address,undefined or thread")
if(ITARNVALE_SANITIZE)
  add_compile_options(-fsanitize=${ITARNVALE_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${ITARNVALE_SANITIZE})
endif()
