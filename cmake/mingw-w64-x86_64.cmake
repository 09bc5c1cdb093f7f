# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix
# thread model, whose C++ runtime has std::thread and friends).
# Libraries come only from FROSTHEM_WINDOWS_PREFIX, where
# scripts/build-windows.sh builds them, never from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FROSTHEM_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FROSTHEM_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FROSTHEM_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${FROSTHEM_MINGW}-windres)

set(FROSTHEM_WINDOWS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build-windows/prefix"
    CACHE PATH "Where the Windows builds of the libraries are installed")
get_filename_component(FROSTHEM_WINDOWS_PREFIX "${FROSTHEM_WINDOWS_PREFIX}" ABSOLUTE)

set(CMAKE_FIND_ROOT_PATH "${FROSTHEM_WINDOWS_PREFIX}" /usr/${FROSTHEM_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the prefix only; the static libraries list what they need
# in Libs.private (SDL's Windows libraries, libpng's zlib).
set(ENV{PKG_CONFIG_LIBDIR} "${FROSTHEM_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
