# Applied to every target of the project through velor_target_defaults().
function(velor_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
