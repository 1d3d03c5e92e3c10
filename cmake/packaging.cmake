# Packages, built with `cpack` in the build directory: on Linux a .tar.gz of
# the whole installation and two Debian packages, hexalune (the programs,
# their manual pages and documents) and libhexalune-dev (the libraries, their
# headers and the CMake package); on Windows hexalune-<version>-win64.zip
# with the programs, a guide for cmd and PowerShell and the documents.

if(NOT HEXALUNE_INSTALL)
    return()
endif()

set(CPACK_PACKAGE_NAME hexalune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quorvel)
set(HEXALUNE_PACKAGE_MAINTAINER "Quorvel <hexalune@quorvel.example>" CACHE STRING
    "Maintainer of the packages, as \"Name <address>\" (the Debian Maintainer field)")
if(NOT HEXALUNE_PACKAGE_MAINTAINER MATCHES "^[^<>]*[^ <>] <[^<>@ ]+@[^<>@ ]+>$")
    message(FATAL_ERROR "HEXALUNE_PACKAGE_MAINTAINER must read \"Name <address>\", "
                        "not \"${HEXALUNE_PACKAGE_MAINTAINER}\"")
endif()
set(CPACK_PACKAGE_CONTACT "${HEXALUNE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
# Read by cpack: the time the packages record (cmake/reproducible.cmake).
set(CPACK_HEXALUNE_SOURCE_DATE_EPOCH "${HEXALUNE_SOURCE_DATE_EPOCH}")

if(WIN32)
    # For users: the program and its documents, no libraries.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_COMPONENTS_ALL Runtime)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(CPACK_PACKAGE_FILE_NAME hexalune-${PROJECT_VERSION}-win64)
    else()
        set(CPACK_PACKAGE_FILE_NAME hexalune-${PROJECT_VERSION}-win32)
    endif()
else()
    set(CPACK_GENERATOR TGZ)
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
        list(APPEND CPACK_GENERATOR DEB)
    endif()
    if(HEXALUNE_CROSS_ARCH)
        # A cross build (cmake/linux-cross.cmake) is packed for its own
        # architecture, whose Debian name HEXALUNE_CROSS_ARCH is.
        set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${HEXALUNE_CROSS_ARCH})
        set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${HEXALUNE_CROSS_ARCH})
    endif()
endif()

# The archives hold one tree: everything on Linux, only the Runtime
# component on Windows.
if(WIN32)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
endif()

# Debian: one package per component, named and described the Debian way.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HEXALUNE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SOURCE hexalune)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME hexalune)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION net)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "MAC address converter with an embedded IEEE OUI registry
Hexalune prints one MAC address in every notation a network engineer
needs: EUI-48 and EUI-64 in hexadecimal, bit-reversed, dot, byte-string,
integer and base-16 form, the MAC-48 and EUI-48 encapsulations in EUI-64
and the IPv6 link-local address (modified EUI-64, RFC 4291).

It also looks the address's OUI up in the IEEE MA-L registry listing of
${HEXALUNE_LISTING_DATE}, which is built into the executable. The program
reads no files, opens no network connection and keeps no state.

hexalune-batch converts lists of addresses, from its arguments or standard
input, into JSON Lines or CSV records with the same notations, the group
and local bits, and the owner from the whole IEEE registry (MA-L, MA-M,
MA-S and IAB, longest prefix first); with --registry it reads the listings
that the ieee-data package keeps up to date.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS ieee-data)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libhexalune-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "MAC address notation and IEEE OUI registry library for C++
The static C++17 libraries behind the hexalune tool, with their headers
and a CMake package: find_package(hexalune CONFIG) gives the targets
hexalune::notation and hexalune::registry.

hexalune::notation parses MAC address text and renders addresses in
EUI-48, EUI-64, bit-reversed, dot and integer notation, with the
encapsulations in EUI-64 and the IPv6 link-local address.

hexalune::registry reads the IEEE MA-L listing and looks OUIs up; it
carries the listing of ${HEXALUNE_LISTING_DATE} itself.")

# The program's dependencies are found by dpkg-shlibdeps (package
# dpkg-dev), which cpack runs on the files that `file` reports as
# dynamically linked ELF: none for the default static build, the C and C++
# runtime libraries for a build with HEXALUNE_STATIC=OFF.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    find_program(HEXALUNE_DPKG_SHLIBDEPS dpkg-shlibdeps)
    find_program(HEXALUNE_FILE file)
    if(HEXALUNE_DPKG_SHLIBDEPS AND HEXALUNE_FILE)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    else()
        message(STATUS "dpkg-shlibdeps (dpkg-dev) or file not found: "
                       "the hexalune .deb would declare no dependencies")
    endif()
endif()

# Generator-specific settings, read when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_generator_options.cmake)

include(CPack)
