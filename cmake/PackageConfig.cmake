include(CMakePackageConfigHelpers)

# Installs the CMake package of a library target installed with EXPORT <target>Targets, so
# that another project's find_package(<target> CONFIG) gives <target>::<target>. Paths in it
# are relative to the file itself: the installed tree may be moved or staged anywhere.
function(velor_install_package_config target component)
  set(VELOR_PACKAGE ${target})
  set(dir ${CMAKE_INSTALL_LIBDIR}/cmake/${target})
  set(build ${CMAKE_CURRENT_BINARY_DIR}/package-config)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PackageConfig.cmake.in
    ${build}/${target}Config.cmake INSTALL_DESTINATION ${dir})
  write_basic_package_version_file(${build}/${target}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(EXPORT ${target}Targets NAMESPACE ${target}:: DESTINATION ${dir} COMPONENT ${component})
  install(FILES ${build}/${target}Config.cmake ${build}/${target}ConfigVersion.cmake
    DESTINATION ${dir} COMPONENT ${component})
endfunction()
