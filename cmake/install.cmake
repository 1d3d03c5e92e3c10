# Installation. For users: the program, its manual page and its documents
# (component Runtime), hexalune-batch likewise. For developers: the
# libraries with their public headers and a CMake package, so that
# find_package(hexalune CONFIG) gives hexalune::notation,
# hexalune::registry and hexalune::registries (component Development).
# Paths follow GNUInstallDirs.

# GNUInstallDirs picks Debian's multiarch library directory only for native
# builds; a cross build for /usr gets the target's own. The first inclusion
# of GNUInstallDirs caches the directory, so this file comes before any other.
if(CMAKE_CROSSCOMPILING AND CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_PREFIX STREQUAL "/usr"
   AND EXISTS /etc/debian_version)
    set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

option(HEXALUNE_INSTALL "Generate the install and package rules" ${PROJECT_IS_TOP_LEVEL})

# The manual pages, with the version, the release's date (the change log's
# newest entry) and the listings' date filled in.
file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md hexalune_changelog)
if(NOT hexalune_changelog MATCHES "\n## [^ \n]+ [^ \n]+ (${hexalune_date_pattern})\n")
    message(FATAL_ERROR "CHANGELOG.md's newest entry must read \"## VERSION — YYYY-MM-DD\"")
endif()
set(HEXALUNE_RELEASE_DATE ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set(hexalune_manuals "")
foreach(program hexalune hexalune-batch)
    set(page ${PROJECT_BINARY_DIR}/doc/${program}.1)
    configure_file(${PROJECT_SOURCE_DIR}/doc/${program}.1.in ${page} @ONLY)
    list(APPEND hexalune_manuals ${page})
endforeach()

if(NOT HEXALUNE_INSTALL)
    return()
endif()

# Anything installed without a component belongs to the program's package.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME Runtime)

if(WIN32)
    # One folder: the programs, a guide for cmd and PowerShell in place of
    # the manual pages, and the documents, all text with CR LF line endings
    # so that every Windows editor shows it as written.
    set(windows_docs ${PROJECT_BINARY_DIR}/windows-docs)
    configure_file(${PROJECT_SOURCE_DIR}/doc/windows.txt.in ${windows_docs}/WINDOWS.txt @ONLY
                   NEWLINE_STYLE CRLF)
    foreach(document README.md LICENSE CHANGELOG.md oui-listing.md)
        set(source ${PROJECT_SOURCE_DIR}/${document})
        if(document STREQUAL "oui-listing.md")
            set(source ${hexalune_provenance})
        endif()
        file(READ ${source} text)
        string(REPLACE "\r\n" "\n" text "${text}")  # if file(READ) kept a CR
        string(REPLACE "\n" "\r\n" text "${text}")
        file(WRITE ${windows_docs}/${document} "${text}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    endforeach()
    install(TARGETS hexalune hexalune-batch RUNTIME DESTINATION . COMPONENT Runtime)
    install(FILES ${windows_docs}/WINDOWS.txt ${windows_docs}/README.md ${windows_docs}/LICENSE
                  ${windows_docs}/CHANGELOG.md ${windows_docs}/oui-listing.md
            DESTINATION . COMPONENT Runtime)
else()
    install(TARGETS hexalune hexalune-batch
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
    install(FILES ${hexalune_manuals} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
                  ${PROJECT_SOURCE_DIR}/CHANGELOG.md
            DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
    install(FILES ${hexalune_provenance} RENAME oui-listing.md
            DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
endif()

# The libraries. The registry library carries the MA-L listing, so that
# load_resource_data works in every program linked with it; the registries
# library the owner table compiled from all four.
set_target_properties(hexalune_notation PROPERTIES EXPORT_NAME notation)
set_target_properties(hexalune_registry PROPERTIES EXPORT_NAME registry)
set_target_properties(hexalune_registries PROPERTIES EXPORT_NAME registries)
install(TARGETS hexalune_notation hexalune_registry hexalune_registries
        EXPORT hexaluneTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# Public headers, included as <hexalune/notation/parse.h>. They include
# their siblings by name only, so the directories keep their layout. The
# registry's embedded_listing.h, csv_rows.h, owner_table_data.h and
# owner_table_fast.h are internal and stay behind.
set(hexalune_public_headers
    notation/bytes.h
    notation/eui64.h
    notation/parse.h
    notation/random_mac.h
    notation/render.h
    notation/well_known.h
    registry/csv_line_reader.h
    registry/csv_record_reader.h
    registry/listing_record.h
    registry/lookup.h
    registry/oui_info.h
    registry/registries.h
    registry/resource.h
    registry/short_name.h)
foreach(header ${hexalune_public_headers})
    get_filename_component(header_dir ${header} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/src/${header}
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/hexalune/${header_dir}
            COMPONENT Development)
endforeach()

# The CMake package: relocatable, so a staged tree works wherever it lies.
set(hexalune_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/hexalune)
install(EXPORT hexaluneTargets
        NAMESPACE hexalune::
        DESTINATION ${hexalune_cmake_dir}
        COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/hexaluneConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/hexaluneConfig.cmake
                              INSTALL_DESTINATION ${hexalune_cmake_dir})
# 0.x releases: only the same major.minor version is compatible.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/hexaluneConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/hexaluneConfig.cmake
              ${PROJECT_BINARY_DIR}/hexaluneConfigVersion.cmake
        DESTINATION ${hexalune_cmake_dir} COMPONENT Development)
