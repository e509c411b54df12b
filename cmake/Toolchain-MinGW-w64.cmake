# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model, so std::thread
# and std::mutex work). Use:
#   cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-MinGW-w64.cmake \
#         -DVORL_WIN64_PREFIX="$(scripts/win64-deps.sh | tail -n 1)" ...
# VORL_WIN64_PREFIX is the folder scripts/win64-deps.sh fills with the Windows builds of the
# libraries Debian ships only for Linux (SDL2, Lua, Dear ImGui, FreeType, stb, googletest, glm).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORL_WIN64_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORL_WIN64_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORL_WIN64_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORL_WIN64_TRIPLET}-windres)
set(CMAKE_AR ${VORL_WIN64_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VORL_WIN64_TRIPLET}-ranlib CACHE FILEPATH "")

# The prefix comes from the command line or, for scripts, from the environment.
if(NOT VORL_WIN64_PREFIX AND DEFINED ENV{VORL_WIN64_PREFIX})
  set(VORL_WIN64_PREFIX "$ENV{VORL_WIN64_PREFIX}")
endif()
set(VORL_WIN64_PREFIX "${VORL_WIN64_PREFIX}"
    CACHE PATH "Prefix with the Windows builds of the dependencies (scripts/win64-deps.sh)")
# try_compile projects read this file again; hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORL_WIN64_PREFIX)

# Search the MinGW sysroot and the dependency prefix for libraries, headers and packages, never
# the Linux system; programs (code generators, pkg-config) still come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VORL_WIN64_TRIPLET})
if(VORL_WIN64_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${VORL_WIN64_PREFIX}")
  # pkg-config must see only the Windows .pc files: LIBDIR replaces the default search path.
  set(ENV{PKG_CONFIG_LIBDIR} "${VORL_WIN64_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  # The prefix's include folder plays the part of /usr/include: headers found there without a
  # package file (glm, <stb/...>) resolve, and their warnings stay out of -Werror like system ones.
  set(CMAKE_C_FLAGS_INIT "-isystem \"${VORL_WIN64_PREFIX}/include\"")
  set(CMAKE_CXX_FLAGS_INIT "-isystem \"${VORL_WIN64_PREFIX}/include\"")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libstdc++/libgcc/libwinpthread DLLs to ship next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# CTest and add_custom_command run the test programs through Wine. WINEDEBUG silences Wine's
# fixme lines; the overrides stop Wine from offering to install Mono and Gecko on a fresh
# WINEPREFIX, which would otherwise block a headless run.
find_program(VORL_WINE NAMES wine wine64)
if(VORL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=" ${VORL_WINE})
endif()
