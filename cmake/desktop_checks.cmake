# Checks of what the program hands the desktop: the menu entry, the listing for
# software centres, the file type of experiments, the manual pages and the
# installed tree. A check whose tool is missing is reported as not run;
# scripts/deps.sh installs them all.
include(${CMAKE_SOURCE_DIR}/cmake/manual.cmake)

set(ORVINDA_MIME_TYPE application/x-orvinda-experiment)
set(ORVINDA_CHECKS ${CMAKE_SOURCE_DIR}/cmake/checks)
set(ORVINDA_CHECKS_WORK ${CMAKE_CURRENT_BINARY_DIR}/desktop_checks)

# orvinda_desktop_check(NAME name TOOLS tool... COMMAND command...)
function(orvinda_desktop_check)
  cmake_parse_arguments(PARSE_ARGV 0 check "" "NAME" "TOOLS;COMMAND")
  set(missing)
  foreach(tool ${check_TOOLS})
    find_program(ORVINDA_TOOL_${tool} ${tool})
    if(NOT ORVINDA_TOOL_${tool})
      list(APPEND missing ${tool})
    endif()
  endforeach()
  add_test(NAME ${check_NAME} COMMAND ${check_COMMAND})
  set_tests_properties(${check_NAME} PROPERTIES
    ENVIRONMENT "LC_ALL=C.UTF-8;QT_QPA_PLATFORM=offscreen"
    FAIL_REGULAR_EXPRESSION "(^|[ \n])(error|warning|E|W):"
    TIMEOUT 60)
  if(missing)
    message(STATUS "${check_NAME} will not run: missing ${missing}")
    set_tests_properties(${check_NAME} PROPERTIES DISABLED TRUE)
  endif()
endfunction()

orvinda_desktop_check(NAME desktop_entry_valid TOOLS desktop-file-validate
  COMMAND desktop-file-validate ${CMAKE_SOURCE_DIR}/cmake/orvinda.desktop)

# The project owns no domain, so its ID is not a reversed domain name.
orvinda_desktop_check(NAME metainfo_valid TOOLS appstreamcli
  COMMAND appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info
          ${CMAKE_SOURCE_DIR}/packaging/orvinda.metainfo.xml)

orvinda_desktop_check(NAME mime_info_valid TOOLS xmllint update-mime-database
  COMMAND ${CMAKE_COMMAND} -DXML=${CMAKE_SOURCE_DIR}/packaging/orvinda-mime.xml
          -DTYPE=${ORVINDA_MIME_TYPE} -DWORK=${ORVINDA_CHECKS_WORK}/mime
          -P ${ORVINDA_CHECKS}/mime_info.cmake)

foreach(language ${ORVINDA_MANUAL_LANGUAGES})
  orvinda_manual_page(page ${language})
  orvinda_desktop_check(NAME manual_page_${language} TOOLS man lexgrog
    COMMAND ${CMAKE_COMMAND} -DPAGE=${page}.gz -P ${ORVINDA_CHECKS}/manual_page.cmake)
endforeach()

orvinda_desktop_check(NAME packaging_agrees
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          -DTYPE=${ORVINDA_MIME_TYPE} -P ${ORVINDA_CHECKS}/packaging_agrees.cmake)

orvinda_desktop_check(NAME installed_tree_valid TOOLS appstreamcli
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
          -DWORK=${ORVINDA_CHECKS_WORK}/installed -P ${ORVINDA_CHECKS}/installed_tree.cmake)

# Every long option that the command line's help prints is in both pages.
set(pages)
foreach(language ${ORVINDA_MANUAL_LANGUAGES})
  orvinda_manual_page(page ${language})
  list(APPEND pages ${page})
endforeach()
list(JOIN pages "," pages)
orvinda_desktop_check(NAME manual_lists_help_options
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:orvinda> -DPAGES=${pages}
          -P ${ORVINDA_CHECKS}/help_options.cmake)
