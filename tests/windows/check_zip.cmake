# cmake -DCPACK=... -DBIN=... -DWORK=... -DVERSION=... -P check_zip.cmake
# The download cpack makes in BIN, hexalune-VERSION-win64.zip, holds the
# programs, the guide and the documents in one folder, and nothing else,
# every text with CR LF line endings; it is unpacked into WORK for the
# end-to-end test of its program.
set(folder hexalune-${VERSION}-win64)
execute_process(COMMAND ${CPACK} WORKING_DIRECTORY ${BIN} RESULT_VARIABLE status
                OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()
file(REMOVE_RECURSE ${WORK})
file(ARCHIVE_EXTRACT INPUT ${BIN}/${folder}.zip DESTINATION ${WORK})
file(GLOB_RECURSE members LIST_DIRECTORIES false RELATIVE ${WORK} ${WORK}/*)
list(SORT members)
set(expected CHANGELOG.md LICENSE README.md WINDOWS.txt hexalune-batch.exe hexalune.exe
    oui-listing.md)
list(TRANSFORM expected PREPEND ${folder}/)
if(NOT members STREQUAL expected)
    message(FATAL_ERROR "${folder}.zip holds ${members}")
endif()
foreach(member IN LISTS members)
    if(NOT member MATCHES "\\.exe$")
        # As hexadecimal bytes: file(READ) drops the CR before a line feed.
        file(READ ${WORK}/${member} hex HEX)
        string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
        string(REPLACE "0d 0a " "" bare "${bytes}")
        if(bytes STREQUAL bare OR bare MATCHES "(^| )0[ad] ")
            message(FATAL_ERROR "${member} has line endings other than CR LF")
        endif()
    endif()
endforeach()
