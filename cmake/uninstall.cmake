# Removes what `cmake --install` put in place, as listed in the build
# directory's install_manifest.txt, and the program's own directories that
# are then empty. Run through the build target `uninstall`.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "nothing to remove: ${MANIFEST} does not exist (install first)")
endif()
file(STRINGS "${MANIFEST}" installed)
foreach(file IN LISTS installed)
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        message(STATUS "Removing ${file}")
        file(REMOVE "${file}")
        # Up from the file, each of the program's own directories
        # (.../korvaline, .../korvaline/examples) that is left empty.
        get_filename_component(directory "${file}" DIRECTORY)
        while(directory MATCHES "/korvaline(/examples)?$")
            file(GLOB left "${directory}/*")
            if(left)
                break()
            endif()
            message(STATUS "Removing ${directory}")
            file(REMOVE_RECURSE "${directory}")
            get_filename_component(directory "${directory}" DIRECTORY)
        endwhile()
    else()
        message(STATUS "Already gone: ${file}")
    endif()
endforeach()
