# Installation layout and the Debian package. One application id names the
# desktop file, the metainfo and the icon.
include(GNUInstallDirs)

set(ZORVANE_APP_ID org.zorvane.Zorvane)

install(TARGETS zorvane-find RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zorvane)
  install(TARGETS zorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES data/${ZORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${ZORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/${ZORVANE_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/icons/${ZORVANE_APP_ID}-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME ${ZORVANE_APP_ID}.png)
install(FILES data/icons/${ZORVANE_APP_ID}-256.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME ${ZORVANE_APP_ID}.png)
install(FILES data/zorvane-find.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "The Zorvane developers")
set(CPACK_PACKAGE_CONTACT "The Zorvane developers <developers@zorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find files by name below a directory")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvane walks a directory and everything below it, depth first, and lists\nthe full path of every file whose name matches a mask. It comes as a\ndesktop window (zorvane) and a command-line tool (zorvane-find).")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zorvane.example")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
if(TARGET zorvane)
  # Without a platform plugin Qt cannot open a window; libqt6gui6 only
  # recommends it.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # The window's Chinese captions need a CJK font.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
endif()
include(CPack)
