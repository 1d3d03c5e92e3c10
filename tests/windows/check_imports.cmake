# cmake -DOBJDUMP=... -DEXE=... -DNO_LISTING=... -P check_imports.cmake
# EXE, linked statically, imports only DLLs that every Windows system has;
# NO_LISTING, a build without a listing, carries no CSVFILE resource.
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
execute_process(COMMAND ${OBJDUMP} -p ${NO_LISTING} OUTPUT_VARIABLE header
                COMMAND_ERROR_IS_FATAL ANY)
if(header MATCHES ": CSVFILE,")
    message(FATAL_ERROR "${NO_LISTING} carries a CSVFILE resource")
endif()
