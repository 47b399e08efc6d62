# Manual pages made at build time from the programs' own --help and --version by help2man, so
# a page never says other than the program: a new option reaches the page with the next build.
#
#   velor_man_page(TARGET "what it is" [COMMANDS cmd...])
#
# makes man/TARGET.1 (and the installed man/TARGET.1.gz) in the build tree. The COMMANDS' own
# --help ("TARGET cmd --help") become the page's COMMANDS section; app's or tool's
# TARGET.h2m beside the CMakeLists.txt, when there is one, adds sections of its own (files,
# exit status, see also).
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

function(velor_man_page target summary)
  cmake_parse_arguments(ARG "" "" "COMMANDS" ${ARGN})
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
  set(extra ${CMAKE_CURRENT_SOURCE_DIR}/${target}.h2m)
  if(NOT EXISTS ${extra})
    set(extra "")
  endif()
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
            "-DSUMMARY=${summary}" "-DCOMMANDS=${ARG_COMMANDS}" -DEXTRA=${extra}
            -DHELP2MAN=${HELP2MAN} -DGZIP=${GZIP} -DVERSION=${PROJECT_VERSION}
            -DDATE_EPOCH=${VELOR_RELEASE_EPOCH}
            -DPAGE=${page} -P ${PROJECT_SOURCE_DIR}/cmake/ManPageBuild.cmake
    DEPENDS ${target} ${extra} ${PROJECT_SOURCE_DIR}/cmake/ManPageBuild.cmake
    COMMENT "Writing the manual page ${target}(1)"
    VERBATIM)
  add_custom_target(${target}_man_page ALL DEPENDS ${page} ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
