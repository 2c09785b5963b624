# Warnings are errors everywhere in the project's own code.
add_compile_options(-Wall -Wextra -Werror -Wno-error=deprecated-declarations)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

if(TAVROLIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(TAVROLIN_FUZZ)
  # Every library is instrumented, so coverage inside the decoders steers the fuzzers; only the
  # fuzz programs themselves link the fuzzer's main, the other programs its runtime without it.
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()
