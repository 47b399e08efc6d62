# Applied to every target of the project through velor_target_defaults().
function(velor_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # Every program of a sanitizer build carries the sanitizers' options and suppressions.
  get_target_property(type ${target} TYPE)
  if(VELOR_SANITIZE AND type STREQUAL "EXECUTABLE")
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/SanitizerDefaults.cpp)
  endif()
endfunction()
