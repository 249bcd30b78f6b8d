# Installation and the Debian package. The program finds its documents in
# <prefix>/share/orvinda, beside <prefix>/bin where it lives.
include(GNUInstallDirs)

install(TARGETS orvinda RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(DEFINED ORVINDA_DOCUMENTS)
  install(FILES ${ORVINDA_DOCUMENTS} DESTINATION ${CMAKE_INSTALL_DATADIR}/orvinda)
endif()
if(DEFINED ORVINDA_ICON_PNG)
  install(FILES ${ORVINDA_ICON_PNG}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/orvinda.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/orvinda.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvinda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Авторский коллектив программы «Фигуры Орвинда» <orvinda@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Сложение перпендикулярных механических колебаний")
set(CPACK_PACKAGE_DESCRIPTION
    "Учебная программа по физике: материальная точка участвует в двух взаимно\
 перпендикулярных гармонических колебаниях; программа вычисляет амплитуды,\
 начальные фазы и сдвиг фаз и показывает, как точка рисует фигуру Орвинда.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps where it is installed (dpkg-dev),
# else from this list; the plugins and the fonts are never found that way.
set(ORVINDA_DEB_RUNTIME "qt6-qpa-plugins, fonts-liberation2")
find_program(ORVINDA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ORVINDA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ORVINDA_DEB_RUNTIME}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6multimedia6 (>= 6.4), ${ORVINDA_DEB_RUNTIME}")
endif()
# Qt's own Russian texts (the buttons of the message boxes) and the opener
# of the documents.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
include(CPack)
