# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE).

# Every file in every package carries the same time, the last commit's
# (cmake/reproducible.cmake), unless SOURCE_DATE_EPOCH says otherwise.
if(CPACK_HEXALUNE_SOURCE_DATE_EPOCH AND "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_HEXALUNE_SOURCE_DATE_EPOCH})
endif()

# A .zip records local times: make them UTC, whatever the time zone.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(ENV{TZ} UTC0)
endif()

if(CPACK_GENERATOR STREQUAL "DEB")
    # Each Debian package's description starts with its own synopsis line;
    # without this the shared summary would be put in front of both.
    unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
    # Manual pages compressed; the licence as copyright, a Debian change
    # log and the lintian overrides added.
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_finish.cmake)
    # The modes of the members of the .deb's outer archive.
    set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_finish.cmake)
endif()

# The staged directories' modes, whatever the umask (after the Debian
# additions above).
list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/staged_modes.cmake)
