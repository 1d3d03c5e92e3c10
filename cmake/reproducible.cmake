# Reproducible builds: two builds of the same commit, from different
# directories and at different times, give the same bytes (executables,
# libraries and packages). scripts/test-reproducible checks it.

# The time every package records, in seconds since the epoch: the
# SOURCE_DATE_EPOCH of the environment when set, else the time of the last
# commit, else nothing (the packages then record when they were made).
set(HEXALUNE_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(HEXALUNE_SOURCE_DATE_EPOCH STREQUAL "")
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE HEXALUNE_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
endif()
if(NOT HEXALUNE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    set(HEXALUNE_SOURCE_DATE_EPOCH "")
endif()

# No build or source path in the objects of a release build: __FILE__ and
# debug information name files relative to the source and build trees
# (debug builds keep whole paths for the debugger). The build tree's map
# comes last, so that it wins for a build tree inside the source tree.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options("$<$<CONFIG:Release,MinSizeRel>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                        "$<$<CONFIG:Release,MinSizeRel>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>")
endif()

# Static libraries without time stamps, owners or modes of their members.
foreach(lang C CXX)
    set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()

# No link time in the PE header of Windows executables.
if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
endif()

# Installed directories have the same mode whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
