# Install rules and packages. One build directory makes one kind of package:
#   Windows (MinGW-w64 cross build)   ZIP: korvaline.exe and CR LF texts (README.txt
#                                     from doc/README-windows.txt), flat, and the
#                                     sample profile in examples/
#   KORVALINE_STATIC=ON               TGZ: bin/, share/man/man1/, share/doc/korvaline/
#                                     (examples/ in it), share/bash-completion/
#   otherwise                         DEB: /usr/bin, a gzipped manual page, and
#                                     Debian's copyright and changelog.gz (KORVALINE_DEBIAN=ON),
#                                     the examples and the bash completion as in the TGZ
# scripts/package builds all three into dist/.

set(KORVALINE_MAINTAINER "KORVALINE developers <korvaline@example.org>"
    CACHE STRING "Maintainer written into the Debian package and its changelog")

set(doc_sources ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)
set(sample_profile ${PROJECT_SOURCE_DIR}/examples/profiles/dual-source.ini)

if(WIN32)
    # Everything at the top of the zip, texts with CR LF line endings.
    install(TARGETS korvaline RUNTIME DESTINATION .)
    set(text_script ${PROJECT_SOURCE_DIR}/cmake/windows_text.cmake)
    set(windows_texts ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt)
    # README.txt is for the user of the PC, not the developer's README.md.
    set(windows_readme ${PROJECT_SOURCE_DIR}/doc/README-windows.txt)
    add_custom_command(
        OUTPUT ${windows_texts}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${windows_readme}
                -DOUTPUT=${PROJECT_BINARY_DIR}/README.txt -P ${text_script}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/LICENSE
                -DOUTPUT=${PROJECT_BINARY_DIR}/LICENSE.txt -P ${text_script}
        DEPENDS ${windows_readme} ${PROJECT_SOURCE_DIR}/LICENSE ${text_script}
        VERBATIM)
    # The scripts need a POSIX shell; the profile serves the PC as it is.
    set(windows_profile ${PROJECT_BINARY_DIR}/examples/dual-source.ini)
    add_custom_command(
        OUTPUT ${windows_profile}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${sample_profile} -DOUTPUT=${windows_profile}
                -P ${text_script}
        DEPENDS ${sample_profile} ${text_script}
        VERBATIM)
    add_custom_target(windows_examples ALL DEPENDS ${windows_profile})
    install(FILES ${windows_profile} DESTINATION examples)
    find_program(KORVALINE_GROFF groff)
    find_program(KORVALINE_COL col)
    if(KORVALINE_GROFF AND KORVALINE_COL)
        add_custom_command(
            OUTPUT ${PROJECT_BINARY_DIR}/korvaline-manual.txt
            COMMAND ${CMAKE_COMMAND} -DMANUAL=ON -DGROFF=${KORVALINE_GROFF} -DCOL=${KORVALINE_COL}
                    -DINPUT=${PROJECT_BINARY_DIR}/korvaline.1
                    -DOUTPUT=${PROJECT_BINARY_DIR}/korvaline-manual.txt -P ${text_script}
            DEPENDS ${PROJECT_BINARY_DIR}/korvaline.1 ${text_script}
            VERBATIM)
        list(APPEND windows_texts ${PROJECT_BINARY_DIR}/korvaline-manual.txt)
    else()
        message(WARNING "groff or col not found: the manual page is left out of the Windows files")
    endif()
    add_custom_target(windows_texts ALL DEPENDS ${windows_texts})
    install(FILES ${windows_texts} DESTINATION .)
else()
    install(TARGETS korvaline RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # The examples where Debian keeps a package's, and the completion where
    # bash-completion loads it the first time korvaline is completed.
    install(FILES ${PROJECT_SOURCE_DIR}/examples/slurm/korvaline-array.sh
                  ${PROJECT_SOURCE_DIR}/examples/xargs/korvaline-xargs.sh ${sample_profile}
            DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
    install(FILES ${PROJECT_SOURCE_DIR}/completion/korvaline.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME korvaline)
    if(KORVALINE_DEBIAN)
        # Debian wants manual pages and the changelog compressed with
        # gzip -9n, and the licence as the file 'copyright'.
        file(READ ${PROJECT_SOURCE_DIR}/LICENSE KORVALINE_LICENSE_TEXT)
        string(STRIP "${KORVALINE_LICENSE_TEXT}" KORVALINE_LICENSE_TEXT)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
        # The date follows SOURCE_DATE_EPOCH when it is set, as scripts/package does.
        string(TIMESTAMP KORVALINE_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
        configure_file(cmake/debian/copyright.in debian/copyright @ONLY)
        configure_file(cmake/debian/changelog.in debian/changelog @ONLY)
        set(gzipped ${PROJECT_BINARY_DIR}/korvaline.1.gz ${PROJECT_BINARY_DIR}/debian/changelog.gz)
        add_custom_command(
            OUTPUT ${gzipped}
            COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/korvaline.1 ${PROJECT_BINARY_DIR}/debian/changelog
            DEPENDS ${PROJECT_BINARY_DIR}/korvaline.1 ${PROJECT_BINARY_DIR}/debian/changelog
            VERBATIM)
        add_custom_target(debian_files ALL DEPENDS ${gzipped})
        install(FILES ${PROJECT_BINARY_DIR}/korvaline.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_BINARY_DIR}/debian/copyright
                      ${PROJECT_BINARY_DIR}/debian/changelog.gz
                DESTINATION ${CMAKE_INSTALL_DOCDIR})
    else()
        install(FILES ${PROJECT_BINARY_DIR}/korvaline.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        install(FILES ${doc_sources} DESTINATION ${CMAKE_INSTALL_DOCDIR})
    endif()
endif()

# `cmake --build DIR --target uninstall` removes what `cmake --install DIR` installed.
add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
            -P ${PROJECT_SOURCE_DIR}/cmake/uninstall.cmake
    VERBATIM)

string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" korvaline_arch)
if(korvaline_arch MATCHES "^(amd64|x64)$")
    set(korvaline_arch x86_64)
endif()
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(korvaline_system windows)
else()
    if(KORVALINE_STATIC)
        set(CPACK_GENERATOR TGZ)
    else()
        set(CPACK_GENERATOR DEB)
    endif()
    string(TOLOWER "${CMAKE_SYSTEM_NAME}" korvaline_system)
endif()

set(CPACK_PACKAGE_NAME korvaline)
set(CPACK_PACKAGE_VENDOR "The KORVALINE developers")
set(CPACK_PACKAGE_CONTACT "${KORVALINE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "saint.ini set-up from X-ray detector frames and P4P data")
set(CPACK_PACKAGE_DESCRIPTION
    "KORVALINE prepares the integration of one crystal's detector frames by the
integration program saint. Run in the directory of the frames, it asks for
the project name, finds the runs of frames and how many frames each holds,
reads the title, lattice centering and Laue symbol from the P4P file, and
writes saint.ini, the settings file that saint reads.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${korvaline_system}-${korvaline_arch})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
