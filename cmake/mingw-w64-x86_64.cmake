# Cross-builds hexalune.exe for 64-bit Windows with Debian's mingw-w64
# (package g++-mingw-w64-x86-64-posix):
#
#   cmake --preset windows && cmake --build --preset windows
#
# The executables are linked statically, so they need nothing but the DLLs
# every Windows system has. CTest runs the cross-built tests through wine
# when it is installed.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HEXALUNE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HEXALUNE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HEXALUNE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${HEXALUNE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HEXALUNE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++, libgcc or winpthread DLLs beside the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian installs wine64 outside PATH; the wine package adds a wine command.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(HEXALUNE_WINE NAMES wine wine64 PATHS /usr/lib/wine)
    if(HEXALUNE_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${HEXALUNE_WINE})
    endif()
endif()
