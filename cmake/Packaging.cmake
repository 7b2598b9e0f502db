# Installation layout: the programs with template/ and files/ beside them in lib/quorvel (the
# designer finds its content beside its executable), linked from bin/, plus the desktop entry,
# icons, MIME type and AppStream data.
set(QUORVEL_LIB_DIR lib/quorvel)
if(QUORVEL_GUI)
    install(TARGETS quorvel quorvel-cli RUNTIME DESTINATION ${QUORVEL_LIB_DIR})
else()
    install(TARGETS quorvel-cli RUNTIME DESTINATION ${QUORVEL_LIB_DIR})
endif()
install(DIRECTORY ${QUORVEL_BIN_DIR}/template ${QUORVEL_BIN_DIR}/files DESTINATION ${QUORVEL_LIB_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${QUORVEL_LIB_DIR})

set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
foreach(program quorvel quorvel-cli)
    file(CREATE_LINK ../${QUORVEL_LIB_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
    install(FILES ${link_dir}/${program} DESTINATION bin)
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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "Quorvel <support@quorvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plendix Flash Event Calendar designer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6xml6 (>= 6.4), libqt6network6 (>= 6.4), libqt6webenginewidgets6 (>= 6.4), libqt6webenginecore6 (>= 6.4), libzip4 (>= 1.7), shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pkg}/debian/postinst ${pkg}/debian/postrm)
include(CPack)
