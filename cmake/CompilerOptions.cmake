# Warnings and floating-point settings shared by every target. The same
# arithmetic on every target: no fused multiply-add contraction, and SSE2
# (not x87) for 32-bit x86 so that the flush-to-zero mode applies.
add_compile_options(-Wall -Wextra -Werror -Wshadow -ffp-contract=off)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "i686|i386|x86$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(WIN32)
  # Self-contained binaries: the runtime libraries are linked in, so only
  # Windows' own DLLs are imported.
  add_link_options(-static-libgcc -static-libstdc++ -static)
endif()

set(VRELS_SANITIZER "" CACHE STRING "address, thread or empty")
# Fuzzing: everything is built with coverage for libFuzzer and with the
# address and undefined-behaviour sanitizers; the fuzz targets link the
# fuzzer's own main.
if(VRELS_FUZZ)
  set(VRELS_SANITIZER "fuzz")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VRELS_SANITIZER STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VRELS_SANITIZER STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Optimised Linux builds are optimised across translation units (link-time
# optimisation): the processing loop's small per-chunk calls are inlined.
# This changes no result: the same arithmetic, only arranged differently.
# MinGW's link-time optimisation produced DLLs that jumped to a bad address
# on their first processing call under wine, so the Windows builds go
# without it.
if(NOT VRELS_SANITIZER AND NOT WIN32)
  include(CheckIPOSupported)
  check_ipo_supported(RESULT VRELS_IPO_SUPPORTED OUTPUT VRELS_IPO_MESSAGE LANGUAGES CXX)
  if(VRELS_IPO_SUPPORTED)
    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELWITHDEBINFO ON)
  else()
    message(STATUS "link-time optimisation not available: ${VRELS_IPO_MESSAGE}")
  endif()
endif()
