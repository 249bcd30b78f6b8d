# A manual page that man formats without a warning and whose NAME line the
# whatis database can read (the same checks lintian makes).
#   cmake -DPAGE=.../orvinda.1.gz -P manual_page.cmake
cmake_minimum_required(VERSION 3.24)
if(NOT EXISTS "${PAGE}")
  message(FATAL_ERROR "${PAGE} is missing; build the target 'manual'")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=80
          man --warnings -E UTF-8 -l -Tutf8 -Z "${PAGE}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "man formats ${PAGE} with complaints (${status}):\n${warnings}")
endif()
execute_process(COMMAND lexgrog "${PAGE}" RESULT_VARIABLE status OUTPUT_VARIABLE whatis
                ERROR_VARIABLE whatis)
if(NOT status EQUAL 0 OR NOT whatis MATCHES ": \"orvinda - [^\"]+\"")
  message(FATAL_ERROR "the NAME section of ${PAGE} cannot be read:\n${whatis}")
endif()
