# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# Qt's std::thread use needs). Used for Qt itself and for the calculator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Every program stands alone: the compiler's runtime (libgcc, libstdc++, winpthread) is linked
# in as Qt is, and code and data that nothing reaches are left out of it.
# The same sources give the same bytes wherever they are built and whenever: the source and
# build folders are mapped to fixed names in what the compiler writes (__FILE__, debug data),
# and the linker leaves the build time out of the PE header.
set(reproducible_flags "\"-ffile-prefix-map=${CMAKE_SOURCE_DIR}=src\" \
\"-ffile-prefix-map=${CMAKE_BINARY_DIR}=build\"")
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections ${reproducible_flags}")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections ${reproducible_flags}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections -Wl,--no-insert-timestamp")

# Libraries and headers come from the mingw sysroot and the prefixes named in
# CMAKE_PREFIX_PATH (the cross-built Qt); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and build-time tools run through Wine.
find_program(DUCTCALC_WINE wine)
if(DUCTCALC_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DUCTCALC_WINE})
endif()
