# The version and the experiment file type are written in several files;
# a release or a rename that misses one of them is caught here.
#   cmake -DSOURCE_DIR=... -DVERSION=... -DTYPE=... -P packaging_agrees.cmake
cmake_minimum_required(VERSION 3.24)
set(problems)

file(READ "${SOURCE_DIR}/packaging/orvinda.metainfo.xml" metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" found "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  list(APPEND problems "the latest release in the metainfo is '${CMAKE_MATCH_1}', not ${VERSION}")
endif()
file(STRINGS "${SOURCE_DIR}/packaging/changelog" heading LIMIT_COUNT 1)
string(REGEX MATCH "^orvinda \\(([^)]*)\\)" found "${heading}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  list(APPEND problems "the latest changelog entry is '${CMAKE_MATCH_1}', not ${VERSION}")
endif()

if(NOT metainfo MATCHES "<mediatype>${TYPE}</mediatype>")
  list(APPEND problems "the metainfo does not provide ${TYPE}")
endif()
file(READ "${SOURCE_DIR}/packaging/orvinda-mime.xml" mime)
if(NOT mime MATCHES "<mime-type type=\"${TYPE}\">")
  list(APPEND problems "the MIME package does not define ${TYPE}")
endif()
file(STRINGS "${SOURCE_DIR}/cmake/orvinda.desktop" entry)
if(NOT "MimeType=${TYPE};" IN_LIST entry)
  list(APPEND problems "the desktop entry does not open ${TYPE}")
endif()
# Without a file placeholder a double click starts the program empty.
if(NOT "Exec=orvinda %f" IN_LIST entry)
  list(APPEND problems "the desktop entry does not pass the file: Exec=orvinda %f")
endif()

if(problems)
  list(JOIN problems "\n" problems)
  message(FATAL_ERROR "${problems}")
endif()
