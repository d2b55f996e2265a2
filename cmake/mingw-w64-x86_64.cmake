# Cross build for 64-bit Windows with MinGW-w64 (POSIX threads); tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages are looked for in the MinGW root and then in the prefixes the user gives
# (CMAKE_PREFIX_PATH), so that an installed Zarvik is found like any other package.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Programs and tests run under Wine: scripts/wine-run.sh in the sources, wine-run.sh beside this
# file once installed with the package.
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
endif()
