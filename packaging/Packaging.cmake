# What `cmake --install` puts into a prefix and how `make package` turns that into a Debian
# package. The installed programs find their demo workspace in ../share/zuzududada and keep
# each user's application directory in $XDG_DATA_HOME/zuzududada.
include(GNUInstallDirs)
set(ZZ_APP_ID example.norvale.zuzududada)
set(ZZ_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(ZZ_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/zuzududada)

install(TARGETS zuzududada zuzududada-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry, the software centre's metadata and the icon. The metainfo and the manual
# pages get the version and its release date from the top-level CMakeLists.txt.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZZ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${ZZ_APP_ID}.metainfo.xml ${ZZ_PACKAGING_OUT}/${ZZ_APP_ID}.metainfo.xml @ONLY)
install(FILES ${ZZ_PACKAGING_OUT}/${ZZ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/zuzududada.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/zuzududada.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual pages, compressed as Debian keeps them (-n: no time stamp, so builds repeat).
set(man_pages)
foreach(page zuzududada.1 zuzududada-cli.1)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page} ${ZZ_PACKAGING_OUT}/${page} @ONLY)
  add_custom_command(OUTPUT ${ZZ_PACKAGING_OUT}/${page}.gz
    COMMAND gzip -9 -n -c ${ZZ_PACKAGING_OUT}/${page} > ${ZZ_PACKAGING_OUT}/${page}.gz
    DEPENDS ${ZZ_PACKAGING_OUT}/${page}
    VERBATIM)
  list(APPEND man_pages ${ZZ_PACKAGING_OUT}/${page}.gz)
endforeach()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The demo workspace: help file, demo project and settings file from the sources, a freshly
# made synthetic base firmware (never the one of build/workspace, which may have been replaced
# by a real one) and the stand-in flashing program.
add_custom_command(OUTPUT ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZZ_PACKAGING_OUT}/MASTER
  COMMAND make_demo_firmware ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx
  DEPENDS make_demo_firmware
  VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${man_pages} ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo/workspace/ DESTINATION ${ZZ_SHARE_DIR})
install(FILES ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx DESTINATION ${ZZ_SHARE_DIR}/MASTER)
install(PROGRAMS $<TARGET_FILE:zoruvodeza_standin> DESTINATION ${ZZ_SHARE_DIR} RENAME ZoruvOdeza.exe)

# make package: a .deb whose dependencies dpkg-shlibdeps derives from the linked libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zuzududada)
set(CPACK_PACKAGE_VENDOR "Norvale")
set(CPACK_PACKAGE_CONTACT "Norvale support <support@norvale.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the CAN to DeviceNet gateway")
set(CPACK_PACKAGE_DESCRIPTION
  "Edits the projects of the gateway that joins a CAN bus to a DeviceNet network, composes the
gateway's firmware from them and starts the flashing program. Comes with the command line
tool zuzududada-cli, a demo project, a synthetic base firmware and a stand-in flashing
program that writes nothing to any device.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.norvale.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plugins are only loaded at run time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
