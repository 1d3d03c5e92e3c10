# Windows builds (MinGW or MSVC): the registry listing, the application
# icon, the version record and the application manifest are resources of
# each executable, compiled from src/windows/hexalune.rc.in.

enable_language(RC)

# windows.h without the min and max macros and the rarely used APIs.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)

if(MSVC)
    # The resource script supplies the manifest; the linker must not add one.
    add_link_options(/MANIFEST:NO)
endif()

set(HEXALUNE_WINDOWS_DIR ${PROJECT_SOURCE_DIR}/src/windows)
configure_file(${HEXALUNE_WINDOWS_DIR}/hexalune.manifest.in
               ${PROJECT_BINARY_DIR}/generated/hexalune.manifest @ONLY)

# hexalune_add_windows_listing(<target> [<file>]): an object library holding
# the executable's resources, with <file> as the listing (CSVFILE number 1)
# or without a listing. Editing the listing, the icon or the manifest
# recompiles the resources.
function(hexalune_add_windows_listing target)
    set(HEXALUNE_ICON ${HEXALUNE_WINDOWS_DIR}/hexalune.ico)
    set(HEXALUNE_MANIFEST ${PROJECT_BINARY_DIR}/generated/hexalune.manifest)
    set(depends ${HEXALUNE_ICON} ${HEXALUNE_MANIFEST})
    if(ARGC GREATER 1)
        set(HEXALUNE_LISTING_RESOURCE "1 CSVFILE \"${ARGV1}\"")
        list(APPEND depends ${ARGV1})
    else()
        set(HEXALUNE_LISTING_RESOURCE "// (none in this build)")
    endif()
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${HEXALUNE_WINDOWS_DIR}/hexalune.rc.in ${script} @ONLY)
    add_library(${target} OBJECT ${script})
    set_property(SOURCE ${script} TARGET_DIRECTORY ${target}
                 APPEND PROPERTY OBJECT_DEPENDS ${depends})
endfunction()
