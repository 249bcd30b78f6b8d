# The manual pages, English and Russian, rendered at build time from the one
# two-language source; and the changelog, compressed for the package.
# Included both by the install rules and by the desktop checks: the paths come
# from here, the build rules only once.
set(ORVINDA_MANUAL_SOURCE ${CMAKE_SOURCE_DIR}/packaging/orvinda.1.in)
set(ORVINDA_MANUAL_LANGUAGES en ru)

# The uncompressed page the checks read; <page>.gz beside it is installed.
function(orvinda_manual_page out language)
  set(${out} ${CMAKE_BINARY_DIR}/man/${language}/orvinda.1 PARENT_SCOPE)
endfunction()

function(orvinda_add_manual_rules)
  if(TARGET manual)
    return()
  endif()
  # The page's date is the latest release's, so rebuilding changes nothing.
  set(metainfo ${CMAKE_SOURCE_DIR}/packaging/orvinda.metainfo.xml)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo})
  file(READ ${metainfo} releases)
  string(REGEX MATCH "<release version=\"[^\"]*\" date=\"([0-9-]+)\"" found "${releases}")
  if(NOT found)
    message(FATAL_ERROR "${metainfo}: no <release version=... date=...> to date the manual")
  endif()
  set(date ${CMAKE_MATCH_1})

  set(outputs)
  foreach(language ${ORVINDA_MANUAL_LANGUAGES})
    orvinda_manual_page(page ${language})
    add_custom_command(
      OUTPUT ${page} ${page}.gz
      COMMAND ${CMAKE_COMMAND} -DSOURCE=${ORVINDA_MANUAL_SOURCE} -DLANGUAGE=${language}
              -DOUTPUT=${page} -DVERSION=${PROJECT_VERSION} -DDATE=${date}
              -P ${CMAKE_SOURCE_DIR}/cmake/render_manual.cmake
      DEPENDS ${ORVINDA_MANUAL_SOURCE} ${CMAKE_SOURCE_DIR}/cmake/render_manual.cmake
      COMMENT "Writing the manual page (${language})"
      VERBATIM)
    list(APPEND outputs ${page} ${page}.gz)
  endforeach()

  # gzip -n: no name or time stamp inside, so the package is reproducible.
  set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog)
  add_custom_command(
    OUTPUT ${changelog}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/changelog ${changelog}
    COMMAND gzip -9nf ${changelog}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog
    VERBATIM)
  add_custom_target(manual ALL DEPENDS ${outputs})
  add_custom_target(changelog ALL DEPENDS ${changelog}.gz)
endfunction()
