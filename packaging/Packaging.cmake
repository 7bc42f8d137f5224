# What `cmake --install` puts into a prefix and how `make package` turns that into a Debian
# package. The installed programs find their demo workspace in ../share/zuzududada and the
# stand-in flashing program, which is built for this machine and so has no place in share/, in
# ../lib/zuzududada; each user's application directory is $XDG_DATA_HOME/zuzududada.
include(GNUInstallDirs)
set(ZZ_APP_ID example.norvale.zuzududada)
set(ZZ_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(ZZ_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/zuzududada)
# Not CMAKE_INSTALL_LIBDIR: the programs look for it beside bin/, whatever the platform calls
# its library directory.
set(ZZ_LIB_DIR lib/zuzududada)
set(ZZ_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zuzududada)
set(ZZ_MAINTAINER "Norvale support <support@norvale.example>")

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

# Compresses a configured file as Debian keeps manual pages and changelogs (-n: no time stamp,
# so builds repeat); the .gz goes to the list named by out_list.
function(zz_gzip_file file out_list)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9 -n -c ${file} > ${file}.gz
    DEPENDS ${file}
    VERBATIM)
  set(${out_list} ${${out_list}} ${file}.gz PARENT_SCOPE)
endfunction()

# The manual pages.
set(man_pages)
foreach(page zuzududada.1 zuzududada-cli.1)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${page} ${ZZ_PACKAGING_OUT}/${page} @ONLY)
  zz_gzip_file(${ZZ_PACKAGING_OUT}/${page} man_pages)
endforeach()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright file and the changelog. The changelog's newest entry takes the version and the
# release date; a new release adds an entry above it and writes the older one out in full.
include(${CMAKE_CURRENT_LIST_DIR}/ChangelogDate.cmake)
zz_changelog_date(${ZZ_RELEASE_DATE} ZZ_RELEASE_DATE_RFC5322)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${ZZ_PACKAGING_OUT}/changelog @ONLY)
set(doc_files)
zz_gzip_file(${ZZ_PACKAGING_OUT}/changelog doc_files)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${doc_files} DESTINATION ${ZZ_DOC_DIR})
# The lintian tags of the package that are no fault, each with its reason.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zuzududada)

# The demo workspace: help file, demo project and settings file from the sources, a freshly
# made synthetic base firmware (never the one of build/workspace, which may have been replaced
# by a real one) and the stand-in flashing program.
add_custom_command(OUTPUT ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZZ_PACKAGING_OUT}/MASTER
  COMMAND make_demo_firmware ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx
  DEPENDS make_demo_firmware
  VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${man_pages} ${doc_files} ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo/workspace/ DESTINATION ${ZZ_SHARE_DIR})
install(FILES ${ZZ_PACKAGING_OUT}/MASTER/sx48802.sx DESTINATION ${ZZ_SHARE_DIR}/MASTER)
install(PROGRAMS $<TARGET_FILE:zoruvodeza_standin> DESTINATION ${ZZ_LIB_DIR} RENAME ZoruvOdeza.exe)

# make package: a .deb whose dependencies dpkg-shlibdeps derives from the linked libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zuzududada)
set(CPACK_PACKAGE_VENDOR "Norvale")
set(CPACK_PACKAGE_CONTACT "${ZZ_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the CAN to DeviceNet gateway")
# Lines of at most 80 characters: CPack keeps the line breaks.
set(CPACK_PACKAGE_DESCRIPTION
  "Edits the projects of the gateway that joins a CAN bus to a DeviceNet network,
composes the gateway's firmware from them and starts the flashing program.
Comes with the command line tool zuzududada-cli, a demo project, a synthetic
base firmware and a stand-in flashing program that writes nothing to any
device.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The packed programs are stripped, the stand-in included (StripPrograms.cmake). Their debug
# symbols are dropped: CPack's -dbgsym package (CPACK_DEBIAN_DEBUGINFO_PACKAGE) lists its files
# by their paths in the build tree in its md5sums and lacks copyright and changelog. The
# unstripped programs stay in the build tree.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripPrograms.cmake)
set(CPACK_ZZ_STRIP ${CMAKE_STRIP})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.norvale.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plugins are only loaded at run time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
