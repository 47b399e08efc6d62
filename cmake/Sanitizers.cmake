# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build (-DVELOR_SANITIZE=ON), and
# libFuzzer's coverage for the fuzz targets (-DVELOR_FUZZ=ON, clang only, implies the
# sanitizers: one clang build serves the sanitized tests and the fuzz targets).
if(VELOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELOR_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  set(VELOR_SANITIZE ON CACHE BOOL "Build with AddressSanitizer and UndefinedBehaviorSanitizer" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(VELOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A shared library must resolve everything it uses itself, except under clang's sanitizers,
# whose runtime is linked into the programs that load the library.
function(velor_no_undefined target)
  if(NOT (VELOR_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
    target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  endif()
endfunction()
