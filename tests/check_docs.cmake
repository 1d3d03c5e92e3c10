# The documents against the code, run as a test with
#   cmake -DSOURCE=<source dir> -DWORK=<scratch dir> -DVERSION=<project version>
#         -DTOKEN_LIMIT=<the prompt token limit> -P check_docs.cmake
# It checks that hexalune's manual page, the reference for its behaviour,
# states the prompt token limit the program has; that the change log's
# newest entry is the project version and names the embedded listing's date
# (as data/README.md gives it); that no source, test, script or build file
# writes the version out (it comes from project()); and that README's
# install commands, run as written, build neither tests nor benchmarks.

cmake_minimum_required(VERSION 3.21)

set(problems "")
macro(problem text)
    string(APPEND problems "\n  ${text}")
endmacro()

# read_token keeps one character past the limit main gives it (its unit
# test, ReadToken.StopsJustPastTheLimit), so that many are kept.
if(TOKEN_LIMIT MATCHES "^([0-9]+)$")
    math(EXPR kept "${CMAKE_MATCH_1} + 1")
    set(doc doc/hexalune.1.in)
    file(READ ${SOURCE}/${doc} text)
    if(NOT text MATCHES "cut off after[ \n]+([0-9,]+)[ \n]+characters")
        problem("${doc} does not say \"cut off after N characters\" of a prompt token")
    else()
        string(REPLACE "," "" stated ${CMAKE_MATCH_1})
        if(NOT stated EQUAL kept)
            problem("${doc} says a token is cut off after ${CMAKE_MATCH_1} characters; ${kept} are kept")
        endif()
    endif()
else()
    problem("no -DTOKEN_LIMIT=N, the limit hexalune is built with")
endif()

file(READ ${SOURCE}/CHANGELOG.md changelog)
if(NOT changelog MATCHES "\n## ([^ \n]+) ")
    problem("CHANGELOG.md has no version heading")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    problem("CHANGELOG.md's newest entry is ${CMAKE_MATCH_1}, the project version ${VERSION}")
endif()
file(READ ${SOURCE}/data/README.md provenance)
if(NOT provenance MATCHES "published[ \n]+on[ \n]+([0-9-]+)")
    problem("data/README.md does not say when the listing was published")
elseif(NOT changelog MATCHES "listing of[ \n]+${CMAKE_MATCH_1}")
    problem("CHANGELOG.md does not name the listing of ${CMAKE_MATCH_1}")
endif()

file(GLOB_RECURSE sources LIST_DIRECTORIES false
     ${SOURCE}/src/* ${SOURCE}/tests/* ${SOURCE}/cmake/* ${SOURCE}/scripts/*
     ${SOURCE}/fuzz/* ${SOURCE}/bench/* ${SOURCE}/doc/* ${SOURCE}/.ci/*)
list(FILTER sources EXCLUDE REGEX "\\.ico$")
foreach(file IN LISTS sources)
    file(READ ${file} text)
    string(FIND "${text}" "${VERSION}" at)
    if(NOT at EQUAL -1)
        file(RELATIVE_PATH name ${SOURCE} ${file})
        problem("${name} writes out the version ${VERSION}; take it from project()")
    endif()
endforeach()

# README's "Installing" configure command, run into a scratch directory.
file(READ ${SOURCE}/README.md readme)
if(NOT readme MATCHES "\n## Installing\n(.*)")
    problem("README.md has no \"Installing\" section")
elseif(NOT CMAKE_MATCH_1 MATCHES "\n    cmake --preset ([^ \n]+)")
    problem("README.md's \"Installing\" section configures no preset (cmake --preset NAME)")
else()
    file(REMOVE_RECURSE ${WORK}/readme-install)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} --preset ${CMAKE_MATCH_1}
                            -B ${WORK}/readme-install RESULT_VARIABLE status
                    OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        problem("README.md's install configure command fails: ${errors}")
    else()
        file(READ ${WORK}/readme-install/CMakeCache.txt cache)
        foreach(option HEXALUNE_BUILD_TESTS HEXALUNE_BUILD_BENCHMARKS)
            if(NOT cache MATCHES "\n${option}:BOOL=OFF\n")
                problem("README.md's install commands build with ${option} on")
            endif()
        endforeach()
    endif()
endif()

if(problems)
    message(FATAL_ERROR "The documents do not match the code:${problems}")
endif()
message(STATUS "The documents match the code")
