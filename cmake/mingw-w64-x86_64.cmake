# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model), used for the game and
# for every library it links (scripts/windows-deps.sh builds those into a prefix of their own).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DBRAKKA_WINDOWS_DEPS=<prefix printed by scripts/windows-deps.sh>
#
# Everything is linked statically (-static: libstdc++, libgcc, winpthread and the libraries of the
# prefix), so a program is one .exe that needs only the DLLs every Windows has. Programs run under
# Wine when they must run during a build or a test.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRAKKA_MINGW_TRIPLE x86_64-w64-mingw32)
set(BRAKKA_MINGW_SYSROOT /usr/${BRAKKA_MINGW_TRIPLE})
set(CMAKE_C_COMPILER ${BRAKKA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRAKKA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRAKKA_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# The dependency prefix: given on the command line, or through the environment so that CMake's own
# test projects (try_compile), which read this file again without the cache, see it too.
if(BRAKKA_WINDOWS_DEPS)
  set(ENV{BRAKKA_WINDOWS_DEPS} "${BRAKKA_WINDOWS_DEPS}")
elseif(DEFINED ENV{BRAKKA_WINDOWS_DEPS})
  set(BRAKKA_WINDOWS_DEPS "$ENV{BRAKKA_WINDOWS_DEPS}")
endif()

# Headers, libraries and packages come from the prefix and the MinGW sysroot only, never from the
# build machine; programs (nasm, pkg-config, windres) from the build machine.
set(CMAKE_FIND_ROOT_PATH ${BRAKKA_MINGW_SYSROOT})
if(BRAKKA_WINDOWS_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${BRAKKA_WINDOWS_DEPS}")
  list(APPEND CMAKE_PREFIX_PATH "${BRAKKA_WINDOWS_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the Windows .pc files, with their static link lines (Libs.private).
set(ENV{PKG_CONFIG_LIBDIR} "${BRAKKA_WINDOWS_DEPS}/lib/pkgconfig:${BRAKKA_MINGW_SYSROOT}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)

# One .exe without DLLs of its own: the static zlib of the sysroot, not its import library.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Programs built here run under Wine when the build or the tests need them run.
find_program(BRAKKA_WINE wine)
if(BRAKKA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRAKKA_WINE})
endif()
