# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE).
if(CPACK_GENERATOR STREQUAL "DEB")
    # Each Debian package's description starts with its own synopsis line;
    # without this the shared summary would be put in front of both.
    unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
    # Manual pages compressed, the licence as copyright.
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_finish.cmake)
endif()
