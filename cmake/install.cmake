# Installs the static library, the public headers, the catalogue and the demonstration program,
# with a CMake package so that applications can find_package(Zarvik) and link Zarvik::zarvik.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS zarvik EXPORT ZarvikTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY toolkit/include/zarvik DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES toolkit/foundation/zarmsg.zdb DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET velmo)
  install(TARGETS velmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT ZarvikTargets NAMESPACE Zarvik:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Zarvik)
configure_package_config_file(cmake/ZarvikConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/ZarvikConfig.cmake"
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Zarvik)
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/ZarvikConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/ZarvikConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/ZarvikConfigVersion.cmake"
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Zarvik)
