# cmake -DOBJDUMP=... -DEXE=... -P check_imports.cmake
# EXE, linked statically, imports only DLLs that every Windows system has.
# (That the build without a listing finds none is an end-to-end test:
# Registry.BuildsWithoutAUsableListing.)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE header COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${header}")
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(TOUPPER "${dll}" upper)
    if(NOT upper MATCHES "^(KERNEL32|MSVCRT|SHELL32)\\.DLL$")
        message(FATAL_ERROR "${EXE} needs ${dll}, beyond the system's DLLs")
    endif()
endforeach()
message(STATUS "${EXE}: ${imports}")
