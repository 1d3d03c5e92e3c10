# How the registry listing gets into the image. HEXALUNE_EMBED is one of
#   auto      the target's own mechanism: resource on Windows, incbin on ELF
#             with GCC or Clang, source anywhere else (macOS, for one);
#   incbin    the assembler's .incbin (ELF of any word size and byte order);
#   resource  resource CSVFILE 1 of the executable (Windows);
#   source    a C++ source generated from the listing at build time by
#             listing_to_source, a small C++ program of this project (built
#             for the target: cross builds run it through
#             CMAKE_CROSSCOMPILING_EMULATOR). Any C++17 compiler but MSVC,
#             whose string literals are too short for the listing.
# Every one of them gives the same program output.

set(HEXALUNE_EMBED auto CACHE STRING
    "How the registry listing is embedded: auto, incbin, resource or source")
set_property(CACHE HEXALUNE_EMBED PROPERTY STRINGS auto incbin resource source)

set(hexalune_embed ${HEXALUNE_EMBED})
if(hexalune_embed STREQUAL "auto")
    if(WIN32)
        set(hexalune_embed resource)
    elseif(CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        set(hexalune_embed incbin)
    else()
        set(hexalune_embed source)
    endif()
elseif(NOT hexalune_embed MATCHES "^(incbin|resource|source)$")
    message(FATAL_ERROR "HEXALUNE_EMBED must be auto, incbin, resource or source, not "
                        "\"${HEXALUNE_EMBED}\"")
endif()
if(WIN32 AND NOT hexalune_embed STREQUAL "resource")
    # The resources (icon, version record, manifest) are there anyway.
    message(FATAL_ERROR "Windows builds embed the listing as a resource (HEXALUNE_EMBED=resource)")
elseif(NOT WIN32 AND hexalune_embed STREQUAL "resource")
    message(FATAL_ERROR "HEXALUNE_EMBED=resource needs a Windows target")
elseif(hexalune_embed STREQUAL "source" AND CMAKE_CROSSCOMPILING
       AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "HEXALUNE_EMBED=source in a cross build runs listing_to_source "
                        "through CMAKE_CROSSCOMPILING_EMULATOR, which is not set")
endif()
message(STATUS "Registry listing embedded by: ${hexalune_embed}")

if(hexalune_embed STREQUAL "source")
    add_executable(hexalune_listing_to_source
                   ${PROJECT_SOURCE_DIR}/src/registry/listing_to_source.cpp)
    target_link_libraries(hexalune_listing_to_source PRIVATE hexalune_warnings)
endif()

# hexalune_add_listing(<target> [<file>]): an object library that links
# <file> into the image as the registry listing, or no listing at all. The
# object is rebuilt whenever <file> changes. On Windows the object holds
# hexalune.exe's resources (cmake/windows.cmake).
function(hexalune_add_listing target)
    if(hexalune_embed STREQUAL "resource")
        hexalune_add_windows_listing(${ARGV})
        return()
    endif()
    set(registry ${PROJECT_SOURCE_DIR}/src/registry)
    if(ARGC EQUAL 1)
        add_library(${target} OBJECT ${registry}/embedded_listing_none.cpp)
    elseif(hexalune_embed STREQUAL "incbin")
        set(source ${registry}/embedded_listing_incbin.cpp)
        add_library(${target} OBJECT ${source})
        target_compile_definitions(${target} PRIVATE HEXALUNE_LISTING_PATH="${ARGV1}")
        set_property(SOURCE ${source} TARGET_DIRECTORY ${target}
                     APPEND PROPERTY OBJECT_DEPENDS ${ARGV1})
    else()
        set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
        add_custom_command(OUTPUT ${source}
                           COMMAND hexalune_listing_to_source ${ARGV1} ${source}
                           DEPENDS hexalune_listing_to_source ${ARGV1}
                           COMMENT "Generating the listing source ${target}.cpp" VERBATIM)
        add_library(${target} OBJECT ${source})
        # One literal of some megabytes, which is what it is meant to be; its
        # debug information would be a second copy of it.
        target_compile_options(${target} PRIVATE
                               $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wno-overlength-strings -g0>)
    endif()
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PRIVATE hexalune_warnings)
endfunction()

# What data/README.md (the listings' provenance) records: the date they
# were published, which the manual pages and hexalune-batch --version
# quote, and the package they were taken from; and the MA-L listing's
# size, which hexalune's heap set-up goes by (src/platform/listings.h.in).
set(hexalune_provenance ${PROJECT_SOURCE_DIR}/data/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${hexalune_provenance}
             ${PROJECT_SOURCE_DIR}/data/oui.csv ${PROJECT_SOURCE_DIR}/data/mam.csv
             ${PROJECT_SOURCE_DIR}/data/oui36.csv ${PROJECT_SOURCE_DIR}/data/iab.csv)
file(READ ${hexalune_provenance} hexalune_provenance_text)
set(hexalune_date_pattern "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]")
if(NOT hexalune_provenance_text MATCHES "published[ \t\r\n]+on[ \t\r\n]+(${hexalune_date_pattern})")
    message(FATAL_ERROR "data/README.md must say when the listings were published "
                        "(\"published on YYYY-MM-DD\")")
endif()
set(HEXALUNE_LISTING_DATE ${CMAKE_MATCH_1})
if(NOT hexalune_provenance_text MATCHES "`ieee-data`[ \t\r\n]+package,?[ \t\r\n]+version[ \t\r\n]+([0-9.]+)")
    message(FATAL_ERROR "data/README.md must name the ieee-data version the listings come from "
                        "(\"`ieee-data` package, version N\")")
endif()
set(HEXALUNE_LISTING_PACKAGE "Debian ieee-data ${CMAKE_MATCH_1}")
file(SIZE ${PROJECT_SOURCE_DIR}/data/oui.csv HEXALUNE_MA_L_BYTES)
