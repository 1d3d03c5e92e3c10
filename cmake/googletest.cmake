# GoogleTest for the tests: the installed package natively; built from
# source when cross-compiling (Debian's libgtest-dev libraries are native
# only, but its googletest package ships the sources in /usr/src/googletest)
# or when HEXALUNE_GOOGLETEST_SOURCE names a source tree.

set(HEXALUNE_GOOGLETEST_SOURCE "" CACHE PATH
    "GoogleTest source tree to build instead of using an installed GoogleTest")
if(CMAKE_CROSSCOMPILING AND NOT HEXALUNE_GOOGLETEST_SOURCE)
    set(HEXALUNE_GOOGLETEST_SOURCE /usr/src/googletest)
endif()

if(HEXALUNE_GOOGLETEST_SOURCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${HEXALUNE_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL)
    foreach(library gtest gtest_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()
