# Install rules for the program and its desktop integration, and the Debian
# package built from them with `cpack -G DEB`.
include(GNUInstallDirs)

set(CHENGLAN_APP_ID example.chenglan.Chenglan)
set(CHENGLAN_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS chenglan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CHENGLAN_PACKAGING_DIR}/${CHENGLAN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CHENGLAN_PACKAGING_DIR}/${CHENGLAN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CHENGLAN_PACKAGING_DIR}/icons/chenglan.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${CHENGLAN_PACKAGING_DIR}/icons/chenglan-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME chenglan.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chenglan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "澄岚")
set(CPACK_PACKAGE_CONTACT "澄岚 <chenglan@chenglan.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Search a BitTorrent index site and open magnet links")
set(CPACK_PACKAGE_DESCRIPTION
    "Searches a BitTorrent index site for a keyword, lists the results and hands\n"
    "a double-clicked result's magnet link to the desktop. Checks a notice page\n"
    "for a newer version at start-up.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.chenglan.example/")
# The libraries come from the binary; the CJK font and the desktop's URL
# opener are used at run time without being linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
