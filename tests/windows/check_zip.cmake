# cmake -DCPACK=... -DBIN=... -DWORK=... -DVERSION=... -P check_zip.cmake
# The download cpack makes in BIN, hexalune-VERSION-win64.zip, holds the
# program, its documents and the manual as text in one folder, and nothing
# else; it is unpacked into WORK for the end-to-end test of its program.
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
set(expected CHANGELOG.md LICENSE README.md hexalune-batch.exe hexalune-batch.txt hexalune.exe
    hexalune.txt oui-listing.md)
list(TRANSFORM expected PREPEND ${folder}/)
if(NOT members STREQUAL expected)
    message(FATAL_ERROR "${folder}.zip holds ${members}")
endif()
