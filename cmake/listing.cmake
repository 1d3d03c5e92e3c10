# How the registry listing gets into the image: on Windows, as resource
# CSVFILE 1 of the executable (cmake/windows.cmake), beside the icon, the
# version record and the manifest that are resources anyway; on every other
# target, as a C++ source that listing_to_source, a small C++ program of
# this project, generates from the listing when the program is built. Any
# C++17 compiler but MSVC reads that source, and any object format carries
# it. Against the assembler's .incbin (ELF only) it costs a build 0.5 s for
# the tool and 0.1 s for the 4.3 MB source (g++ 12 -O3), and hexalune runs
# the same: 89,269,028 instructions against 89,268,254 (valgrind
# --tool=callgrind build/release/hexalune 00:80:10:A4:00:0C), 1.00-1.01x
# the time (bench/paired_runs.py, 40 pairs).

# A cross build runs the generators, built for the target, through its
# emulator (qemu, wine).
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "A cross build runs listing_to_source and owner_table_source "
                        "through CMAKE_CROSSCOMPILING_EMULATOR, which is not set")
endif()

# The generators' writing of the sources they make.
add_library(hexalune_generated_source OBJECT
            ${PROJECT_SOURCE_DIR}/src/registry/generated_source.cpp)
target_include_directories(hexalune_generated_source PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(hexalune_generated_source PRIVATE hexalune_warnings)
if(NOT WIN32)
    add_executable(hexalune_listing_to_source
                   ${PROJECT_SOURCE_DIR}/src/registry/listing_to_source.cpp)
    target_link_libraries(hexalune_listing_to_source PRIVATE hexalune_generated_source
                          hexalune_warnings)
endif()

# hexalune_add_listing(<target> [<file>]): an object library that links
# <file> into the image as the registry listing, or no listing at all. The
# object is rebuilt whenever <file> changes. On Windows the object holds
# hexalune.exe's resources (cmake/windows.cmake).
function(hexalune_add_listing target)
    if(WIN32)
        hexalune_add_windows_listing(${ARGV})
        return()
    endif()
    if(ARGC EQUAL 1)
        add_library(${target} OBJECT ${PROJECT_SOURCE_DIR}/src/registry/embedded_listing_none.cpp)
    else()
        set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
        add_custom_command(OUTPUT ${source}
                           COMMAND hexalune_listing_to_source ${ARGV1} ${source}
                           DEPENDS hexalune_listing_to_source ${ARGV1}
                           COMMENT "Generating the listing source ${target}.cpp" VERBATIM)
        add_library(${target} OBJECT ${source})
        # One literal of some megabytes, which is what it is meant to be; its
        # debug information would be a second copy of it.
        # A source's options come after the warnings its target takes, so
        # this one is not turned back on by clang's -Wpedantic.
        set_source_files_properties(${source} PROPERTIES COMPILE_OPTIONS
            "$<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wno-overlength-strings;-g0>")
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
