# The experiment file type: well-formed, and read by update-mime-database as
# the glob, the parent type and the Russian name it should give.
#   cmake -DXML=... -DTYPE=... -DWORK=<scratch folder> -P mime_info.cmake
cmake_minimum_required(VERSION 3.24)
execute_process(COMMAND xmllint --noout "${XML}" RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${XML} is not well-formed:\n${errors}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/mime/packages")
file(COPY_FILE "${XML}" "${WORK}/mime/packages/orvinda.xml")
# It reports a broken file on stderr yet exits with 0; the scratch folder on
# the search path keeps its note about the path quiet.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${WORK} XDG_DATA_HOME=${WORK}
          update-mime-database "${WORK}/mime"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "update-mime-database refused ${XML}:\n${errors}")
endif()

file(READ "${WORK}/mime/globs2" globs)
string(REGEX REPLACE "([.+*?])" "\\\\\\1" type_pattern "${TYPE}")
if(NOT globs MATCHES "\n[0-9]+:${type_pattern}:\\*\\.orv\n")
  message(FATAL_ERROR "*.orv is not a glob of ${TYPE}:\n${globs}")
endif()
file(READ "${WORK}/mime/subclasses" parents)
if(NOT parents MATCHES "${type_pattern} application/json")
  message(FATAL_ERROR "${TYPE} is not a kind of application/json:\n${parents}")
endif()
file(READ "${WORK}/mime/${TYPE}.xml" described)
if(NOT described MATCHES "<comment xml:lang=\"ru\">Опыт «Фигуры Орвинда»</comment>")
  message(FATAL_ERROR "${TYPE} has no Russian name:\n${described}")
endif()
