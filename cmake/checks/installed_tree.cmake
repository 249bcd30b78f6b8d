# Installs the build into a scratch prefix and checks the tree as a desktop
# sees it: every file in its place, and the listing's launchable present.
#   cmake -DBUILD_DIR=... -DWORK=<scratch folder> -P installed_tree.cmake
cmake_minimum_required(VERSION 3.24)
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK}/usr"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${errors}")
endif()

set(missing)
foreach(file
    bin/orvinda
    share/applications/orvinda.desktop
    share/metainfo/orvinda.metainfo.xml
    share/mime/packages/orvinda.xml
    share/icons/hicolor/scalable/apps/orvinda.svg
    share/icons/hicolor/32x32/apps/orvinda.png
    share/man/man1/orvinda.1.gz
    share/man/ru/man1/orvinda.1.gz
    share/doc/orvinda/copyright
    share/doc/orvinda/changelog.gz)
  if(NOT EXISTS "${WORK}/usr/${file}")
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "not installed:\n  ${missing}")
endif()

execute_process(
  COMMAND appstreamcli validate-tree --no-net --override=cid-desktopapp-is-not-rdns=info
          "${WORK}/usr"
  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed tree does not validate:\n${report}")
endif()
