# Installation layout: the programs in lib/quorvel, linked from bin/; what is the same on every
# architecture (templates with their player, layout and embed pages, the user's manual, the
# windows' translations) in share/quorvel, linked from lib/quorvel, where the programs find it
# beside them as in build/bin;
# plus the desktop entry, icons, MIME type and AppStream data.
# SPDX-License-Identifier: GPL-3.0-or-later
set(QUORVEL_LIB_DIR lib/quorvel)
set(QUORVEL_SHARE_DIR share/quorvel)
if(QUORVEL_GUI)
    install(TARGETS quorvel quorvel-cli RUNTIME DESTINATION ${QUORVEL_LIB_DIR})
else()
    install(TARGETS quorvel-cli RUNTIME DESTINATION ${QUORVEL_LIB_DIR})
endif()
# The keyring module in a folder beside them, where they open it (in a folder of its own, it is
# no library for the system's linker to know: no ldconfig call when the package comes or goes).
install(TARGETS quorvel-keyring LIBRARY DESTINATION ${QUORVEL_LIB_DIR}/modules)
set(QUORVEL_SHARED_CONTENT template files manual)
if(QUORVEL_GUI)
    list(APPEND QUORVEL_SHARED_CONTENT translations) # the windows' texts in other languages
endif()
foreach(content ${QUORVEL_SHARED_CONTENT})
    install(DIRECTORY ${QUORVEL_BIN_DIR}/${content} DESTINATION ${QUORVEL_SHARE_DIR})
endforeach()

set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir}/bin ${link_dir}/lib)
foreach(program quorvel quorvel-cli)
    file(CREATE_LINK ../${QUORVEL_LIB_DIR}/${program} ${link_dir}/bin/${program} SYMBOLIC)
    install(FILES ${link_dir}/bin/${program} DESTINATION bin)
endforeach()
foreach(content ${QUORVEL_SHARED_CONTENT})
    file(CREATE_LINK ../../${QUORVEL_SHARE_DIR}/${content} ${link_dir}/lib/${content} SYMBOLIC)
    install(FILES ${link_dir}/lib/${content} DESTINATION ${QUORVEL_LIB_DIR})
endforeach()

set(pkg ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${pkg}/io.quorvel.Designer.desktop DESTINATION share/applications)
install(FILES ${pkg}/io.quorvel.Designer.metainfo.xml DESTINATION share/metainfo)
install(FILES ${pkg}/io.quorvel.Designer.mime.xml DESTINATION share/mime/packages
        RENAME io.quorvel.Designer.xml)
install(FILES ${pkg}/io.quorvel.Designer.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${pkg}/icons/${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME io.quorvel.Designer.png)
endforeach()

# Documentation as Debian wants it: the licence in machine-readable form, and the changelog and
# manual pages compressed without a time stamp, so the same sources give the same package.
find_program(QUORVEL_GZIP gzip REQUIRED)
set(doc_dir ${CMAKE_BINARY_DIR}/package-doc)
set(compressed_docs)
foreach(source debian/changelog man/quorvel.1 man/quorvel-cli.1)
    get_filename_component(name ${source} NAME)
    add_custom_command(
        OUTPUT ${doc_dir}/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${doc_dir}
        COMMAND ${QUORVEL_GZIP} -9nc ${pkg}/${source} > ${doc_dir}/${name}.gz
        DEPENDS ${pkg}/${source}
        COMMENT "Compressing ${name} for the package")
    list(APPEND compressed_docs ${doc_dir}/${name}.gz)
endforeach()
add_custom_target(quorvel_package_docs ALL DEPENDS ${compressed_docs})
install(FILES ${pkg}/debian/copyright ${doc_dir}/changelog.gz DESTINATION share/doc/quorvel)
install(FILES ${doc_dir}/quorvel.1.gz ${doc_dir}/quorvel-cli.1.gz DESTINATION share/man/man1)

# Installing and packaging take what the build made: they do not build every target first (tests
# and benchmarks are not installed).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "Quorvel <support@quorvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for event calendars on web sites")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The Plendix Flash Event Calendar designer makes an event calendar for a web
site. Start from a template, edit the titles, options, colours, pictures,
music and events, and watch a live preview. The project is saved as a .qvp
archive, published to a folder with the HTML code that embeds it in a page,
and uploaded by FTP. Visitors' browsers show the calendar with an HTML5
player that comes with every template.

The command-line tool quorvel-cli packs, publishes and uploads projects
without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorvel.invalid/)
# Depends is computed from the libraries the programs link (dpkg-shlibdeps). The menu and MIME
# caches are renewed by the triggers of desktop-file-utils and shared-mime-info.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations give the standard buttons and file dialogs the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-color-emoji, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
