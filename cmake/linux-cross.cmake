# Cross-builds hexalune for another Linux architecture with Debian's cross
# compilers (package g++-TRIPLE) and runs what it builds under qemu-user
# (package qemu-user-static):
#
#   cmake --preset arm64 && cmake --build --preset arm64 && ctest --preset arm64
#
# HEXALUNE_CROSS_ARCH (the preset's name) is i386 (32-bit), arm64 or s390x
# (big-endian). scripts/test-cross builds and tests each of them.

set(HEXALUNE_CROSS_ARCH "" CACHE STRING "Target architecture: i386, arm64 or s390x")
# The compiler checks configure projects of their own with this file.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HEXALUNE_CROSS_ARCH)

if(HEXALUNE_CROSS_ARCH STREQUAL "i386")
    set(CMAKE_SYSTEM_PROCESSOR i686)
    set(hexalune_qemu qemu-i386-static)
elseif(HEXALUNE_CROSS_ARCH STREQUAL "arm64")
    set(CMAKE_SYSTEM_PROCESSOR aarch64)
    set(hexalune_qemu qemu-aarch64-static)
elseif(HEXALUNE_CROSS_ARCH STREQUAL "s390x")
    set(CMAKE_SYSTEM_PROCESSOR s390x)
    set(hexalune_qemu qemu-s390x-static)
else()
    message(FATAL_ERROR "HEXALUNE_CROSS_ARCH must be i386, arm64 or s390x")
endif()
set(CMAKE_SYSTEM_NAME Linux)
set(hexalune_triple ${CMAKE_SYSTEM_PROCESSOR}-linux-gnu)

set(CMAKE_C_COMPILER ${hexalune_triple}-gcc)
set(CMAKE_CXX_COMPILER ${hexalune_triple}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${hexalune_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the target's programs under qemu, with the target's shared
# libraries where Debian installs them.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(HEXALUNE_QEMU ${hexalune_qemu})
    if(HEXALUNE_QEMU)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${HEXALUNE_QEMU} -L /usr/${hexalune_triple})
    endif()
endif()
