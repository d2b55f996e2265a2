# Install rules, in two components:
#   Zarvik  the static library, the public headers, the CMake package (Zarvik::zarvik,
#           zarvik_add_catalogue, zarvik_add_manifest and zarvik_add_gui_test, with the MinGW
#           toolchain files), the message catalogue, the licence, the changelog and the reference,
#           and the test kit (bin/zarvik-probe.exe, bin/zarvik-session and the Wine prefix's
#           settings): everything an application and its tests need, without the demonstration;
#   Velmo   the demonstration program, with a catalogue beside it.
# cmake --install <build> --component Zarvik takes the library alone.
include(CMakePackageConfigHelpers)

set(ZARVIK_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Zarvik")
set(ZARVIK_CATALOGUE_DIR "${CMAKE_INSTALL_DATADIR}/zarvik")

install(TARGETS zarvik EXPORT ZarvikTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Zarvik)
install(DIRECTORY toolkit/include/zarvik DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Zarvik)
install(FILES "${PROJECT_BINARY_DIR}/toolkit/include/zarvik/version.h"
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zarvik COMPONENT Zarvik)
install(FILES toolkit/foundation/zarmsg.zdb DESTINATION ${ZARVIK_CATALOGUE_DIR} COMPONENT Zarvik)
install(FILES LICENSE CHANGELOG.md docs/reference.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT Zarvik)

# The test kit of a Windows build: the driver, exported as Zarvik::probe, and the headless session
# that runs it on Linux with the settings of its Wine prefix.
if(TARGET zarvik_probe)
  install(TARGETS zarvik_probe EXPORT ZarvikTargets
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Zarvik)
  install(PROGRAMS scripts/zarvik-session.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
          RENAME zarvik-session COMPONENT Zarvik)
  install(FILES scripts/wine-prefix.reg DESTINATION ${ZARVIK_CATALOGUE_DIR} COMPONENT Zarvik)
endif()

install(EXPORT ZarvikTargets NAMESPACE Zarvik:: DESTINATION ${ZARVIK_PACKAGE_DIR}
        COMPONENT Zarvik)
configure_package_config_file(cmake/ZarvikConfig.cmake.in
  "${PROJECT_BINARY_DIR}/ZarvikConfig.cmake"
  INSTALL_DESTINATION ${ZARVIK_PACKAGE_DIR}
  PATH_VARS ZARVIK_CATALOGUE_DIR CMAKE_INSTALL_BINDIR)
write_basic_package_version_file("${PROJECT_BINARY_DIR}/ZarvikConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${PROJECT_BINARY_DIR}/ZarvikConfig.cmake"
              "${PROJECT_BINARY_DIR}/ZarvikConfigVersion.cmake"
              cmake/ZarvikCatalogue.cmake
              cmake/ZarvikManifest.cmake
              cmake/zarvik.manifest.in
              cmake/ZarvikTesting.cmake
              cmake/mingw-w64-x86_64.cmake
              cmake/mingw-w64-i686.cmake
        DESTINATION ${ZARVIK_PACKAGE_DIR} COMPONENT Zarvik)
# The toolchain files' emulator, beside them: a consumer needs nothing of the sources.
install(PROGRAMS scripts/wine-run.sh DESTINATION ${ZARVIK_PACKAGE_DIR} COMPONENT Zarvik)

if(TARGET velmo)
  install(TARGETS velmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Velmo)
  install(FILES toolkit/foundation/zarmsg.zdb DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Velmo)
endif()
