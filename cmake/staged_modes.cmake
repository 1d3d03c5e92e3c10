# Run by cpack for every package once its files are staged, before it packs
# them: the staged directories get mode 0755. install() makes them with the
# umask's modes, and the packages would record those.
file(GLOB_RECURSE directories LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(directory IN LISTS directories)
    if(IS_DIRECTORY ${directory})
        file(CHMOD ${directory} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                            GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()
