# Windows builds (MinGW or MSVC): the application icon, the version record,
# the application manifest and, in the programs that read it, the MA-L
# listing are resources of each executable, compiled from
# src/windows/hexalune.rc.in.

enable_language(RC)

# windows.h without the min and max macros and the rarely used APIs.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)

if(MSVC)
    # The resource script supplies the manifest; the linker must not add one.
    add_link_options(/MANIFEST:NO)
endif()

set(HEXALUNE_WINDOWS_DIR ${PROJECT_SOURCE_DIR}/src/windows)

# hexalune_add_windows_resources(<target> <program> <summary> <description>
# [<listing>]): an object library holding the resources of <program>.exe:
# <listing> as CSVFILE 1 (none for a build without a listing), the icon, a
# version record whose file description is <summary>, and a manifest that
# describes the program as <description>. Editing the listing, the icon or
# the manifest recompiles the resources.
function(hexalune_add_windows_resources target program summary description)
    set(HEXALUNE_PROGRAM ${program})
    set(HEXALUNE_SUMMARY ${summary})
    set(HEXALUNE_DESCRIPTION ${description})
    # The manifest's assembly name: Hexalune, Hexalune.batch.
    string(REGEX REPLACE "^hexalune" "Hexalune" HEXALUNE_ASSEMBLY ${program})
    string(REPLACE "-" "." HEXALUNE_ASSEMBLY ${HEXALUNE_ASSEMBLY})
    set(HEXALUNE_ICON ${HEXALUNE_WINDOWS_DIR}/hexalune.ico)
    set(HEXALUNE_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${HEXALUNE_WINDOWS_DIR}/hexalune.manifest.in ${HEXALUNE_MANIFEST} @ONLY)
    set(depends ${HEXALUNE_ICON} ${HEXALUNE_MANIFEST} ${ARGN})
    if(ARGN)
        set(HEXALUNE_LISTING_RESOURCE "1 CSVFILE \"${ARGN}\"")
    else()
        set(HEXALUNE_LISTING_RESOURCE "// (none in this build)")
    endif()
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${HEXALUNE_WINDOWS_DIR}/hexalune.rc.in ${script} @ONLY)
    add_library(${target} OBJECT ${script})
    set_property(SOURCE ${script} TARGET_DIRECTORY ${target}
                 APPEND PROPERTY OBJECT_DEPENDS ${depends})
endfunction()

# hexalune_add_windows_listing(<target> [<file>]): hexalune.exe's resources,
# with <file> as its listing or without a listing.
function(hexalune_add_windows_listing target)
    hexalune_add_windows_resources(${target} hexalune
        "Hexalune MAC address converter and OUI lookup"
        "Converts MAC address to different formats and displays OUI info if available." ${ARGN})
endfunction()
