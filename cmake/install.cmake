# Installation and the Debian package. The program finds its documents in
# <prefix>/share/orvinda, beside <prefix>/bin where it lives.
include(GNUInstallDirs)

install(TARGETS orvinda RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS orvinda_audio LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/orvinda)

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
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orvinda.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orvinda-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME orvinda.xml)

include(${CMAKE_CURRENT_LIST_DIR}/manual.cmake)
orvinda_add_manual_rules()
foreach(language ${ORVINDA_MANUAL_LANGUAGES})
  orvinda_manual_page(page ${language})
  if(language STREQUAL "en")
    set(section_dir ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    set(section_dir ${CMAKE_INSTALL_MANDIR}/${language}/man1)
  endif()
  install(FILES ${page}.gz DESTINATION ${section_dir})
endforeach()

# Debian's places for the licence and the history; the copyright file is the
# licence in Debian's machine-readable form.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright
              ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvinda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Авторский коллектив программы «Фигуры Орвинда» <orvinda@example.invalid>")
# Package descriptions are English, as Debian's are; the program itself and
# its listing for software centres speak Russian.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "addition of perpendicular mechanical oscillations")
set(CPACK_PACKAGE_DESCRIPTION [=[
A teaching program for a physics course. A material point takes part in
two harmonic oscillations at once, one horizontal and one vertical. The
program prints the characteristics of the motion (amplitudes, initial
phases and their ratios), draws the plot with its grid, axes and initial
velocity, and animates the point tracing its closed figure, the Orvinda
figure, while a ball on two springs follows it.

Experiments can be saved to files and opened again, and pictures of the
figures written from the command line. The program's interface, its
manual and its accompanying documents are in Russian.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A program for learning and teaching physics, not a tool for research.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps where it is installed (dpkg-dev),
# else from this list; the plugins and the fonts are never found that way,
# and Print Support is named in case the program does not link it yet.
set(ORVINDA_DEB_RUNTIME "libqt6printsupport6 (>= 6.4), qt6-qpa-plugins, fonts-liberation2")
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
