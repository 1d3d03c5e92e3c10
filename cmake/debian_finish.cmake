# Run by cpack for the Debian packages after it has staged their files and
# before it packs them: manual pages are compressed with gzip -9n (no name
# or time stamp, so the package is reproducible) and every package gets
# the licence as /usr/share/doc/<package>/copyright, as Debian expects.

file(GLOB_RECURSE pages LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER pages INCLUDE REGEX "/share/man/man[1-9]/[^/]+\\.[1-9]$")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip ${page} failed")
    endif()
endforeach()

if(DEFINED CPACK_PACKAGING_INSTALL_PREFIX)
    set(prefix ${CPACK_PACKAGING_INSTALL_PREFIX})
else()
    set(prefix /usr)
endif()
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
    string(TOUPPER ${component} upper)
    set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
    set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${component})
    if(NOT package OR NOT IS_DIRECTORY ${staged})
        message(FATAL_ERROR "no Debian package name or staged files for component ${component}")
    endif()
    file(MAKE_DIRECTORY ${staged}${prefix}/share/doc/${package})
    file(COPY_FILE ${CPACK_RESOURCE_FILE_LICENSE} ${staged}${prefix}/share/doc/${package}/copyright)
endforeach()
