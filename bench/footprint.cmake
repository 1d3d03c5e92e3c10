# The cost of one whole run of the program, against its budget: the
# instructions it executes (callgrind) and its peak resident memory. Run as
# a test (label footprint) with
#   cmake -DEXE=<hexalune> -DVALGRIND=<valgrind> -P footprint.cmake
cmake_minimum_required(VERSION 3.21)

set(address 00:80:10:A4:00:0C)
set(max_instructions 100000000)
math(EXPR max_rss_kib "24 * 1024")

execute_process(COMMAND ${VALGRIND} --tool=callgrind --callgrind-out-file=/dev/null ${EXE} ${address}
                OUTPUT_QUIET ERROR_VARIABLE callgrind RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT callgrind MATCHES "Collected : ([0-9]+)")
    message(FATAL_ERROR "callgrind failed (${status}):\n${callgrind}")
endif()
set(instructions ${CMAKE_MATCH_1})

# GNU time reports the peak of the program alone (it is itself small).
execute_process(COMMAND /usr/bin/time -f "%M %R" ${EXE} ${address}
                OUTPUT_QUIET ERROR_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT usage MATCHES "([0-9]+) ([0-9]+)\n?$")
    message(FATAL_ERROR "/usr/bin/time failed (${status}):\n${usage}")
endif()
set(rss_kib ${CMAKE_MATCH_1})
message(STATUS "hexalune ${address}: ${instructions} instructions (callgrind), "
               "peak RSS ${rss_kib} KiB, ${CMAKE_MATCH_2} minor page faults")

if(instructions GREATER max_instructions)
    message(SEND_ERROR "more than ${max_instructions} instructions")
endif()
if(rss_kib GREATER max_rss_kib)
    message(SEND_ERROR "peak RSS above ${max_rss_kib} KiB")
endif()
