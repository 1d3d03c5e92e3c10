# Run by cpack for the Debian packages after it has staged their files and
# before it packs them: manual pages are compressed with gzip -9n (no name
# or time stamp, so the package is reproducible); every package gets the
# licence as /usr/share/doc/<package>/copyright and a Debian change log
# (changelog.gz, which points to CHANGELOG.md), as Debian expects, and its
# lintian overrides from cmake/debian/<package>.lintian-overrides if there
# are any. The files it adds get fixed modes, whatever the umask (the
# directories get theirs from staged_modes.cmake).
#
# Run again after packing (CPACK_PACKAGE_FILES set), it gives the members of
# each .deb's outer ar archive, which cpack writes with the umask's modes,
# the mode 0644 dpkg-deb gives them.

if(DEFINED CPACK_PACKAGE_FILES)
    foreach(deb IN LISTS CPACK_PACKAGE_FILES)
        if(NOT deb MATCHES "\\.deb$")
            continue()
        endif()
        file(SIZE ${deb} total)
        set(offset 8)  # after "!<arch>\n"; each member has a 60-byte header
        while(offset LESS total)
            file(READ ${deb} header OFFSET ${offset} LIMIT 60)
            string(SUBSTRING "${header}" 48 10 size)
            string(STRIP "${size}" size)
            math(EXPR mode_offset "${offset} + 40")
            execute_process(COMMAND sh -c "printf '100644  ' | dd of=\"$0\" bs=1 seek=$1 conv=notrunc status=none"
                                    ${deb} ${mode_offset}
                            RESULT_VARIABLE status)
            if(NOT status EQUAL 0 OR NOT size MATCHES "^[0-9]+$")
                message(FATAL_ERROR "cannot set the member modes of ${deb}")
            endif()
            math(EXPR offset "${offset} + 60 + ${size} + ${size} % 2")
        endwhile()
    endforeach()
    return()
endif()

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
# The change log's date is the packages' time (SOURCE_DATE_EPOCH, set by
# cpack_generator_options.cmake), which string(TIMESTAMP) honours.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(regular OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
    string(TOUPPER ${component} upper)
    set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
    set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${component})
    if(NOT package OR NOT IS_DIRECTORY ${staged})
        message(FATAL_ERROR "no Debian package name or staged files for component ${component}")
    endif()
    set(doc ${staged}${prefix}/share/doc/${package})
    file(MAKE_DIRECTORY ${doc})
    configure_file(${CPACK_RESOURCE_FILE_LICENSE} ${doc}/copyright COPYONLY)
    file(WRITE ${doc}/changelog
         "${CPACK_DEBIAN_PACKAGE_SOURCE} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
         "  * Release ${CPACK_PACKAGE_VERSION}. The changes are listed in CHANGELOG.md,\n"
         "    installed with the hexalune package in /usr/share/doc/hexalune.\n\n"
         " -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${date}\n")
    execute_process(COMMAND gzip -9nf ${doc}/changelog RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip ${doc}/changelog failed")
    endif()
    set(overrides ${CMAKE_CURRENT_LIST_DIR}/debian/${package}.lintian-overrides)
    if(EXISTS ${overrides})
        file(MAKE_DIRECTORY ${staged}${prefix}/share/lintian/overrides)
        configure_file(${overrides} ${staged}${prefix}/share/lintian/overrides/${package} COPYONLY)
    endif()
    file(GLOB_RECURSE added LIST_DIRECTORIES false ${doc}/* ${staged}${prefix}/share/lintian/*)
    file(CHMOD ${added} PERMISSIONS ${regular})
endforeach()
