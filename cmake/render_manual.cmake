# Renders one language's manual page from the two-language source and
# compresses it the way Debian wants it (gzip -9n: no name, no time stamp).
#   cmake -DSOURCE=... -DLANGUAGE=en|ru -DOUTPUT=.../orvinda.1
#         -DVERSION=... -DDATE=YYYY-MM-DD -P render_manual.cmake
cmake_minimum_required(VERSION 3.24)
foreach(var SOURCE LANGUAGE OUTPUT VERSION DATE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "render_manual: ${var} is not set")
  endif()
endforeach()
if(LANGUAGE STREQUAL "en")
  set(other ru)
  set(side 1)
elseif(LANGUAGE STREQUAL "ru")
  set(other en)
  set(side 2)
else()
  message(FATAL_ERROR "render_manual: unknown language '${LANGUAGE}'")
endif()

# Worked on as one string: a list would split at the page's semicolons and
# join lines at its unbalanced square brackets.
file(READ "${SOURCE}" text)
set(text "\n${text}")
string(REGEX REPLACE "\n@#[^\n]*" "" text "${text}")
string(REGEX REPLACE "\n@${other} [^\n]*" "" text "${text}")
string(REPLACE "\n@${LANGUAGE} " "\n" text "${text}")
string(REGEX REPLACE "{{([^|}]*)\\|([^|}]*)}}" "\\${side}" text "${text}")
string(REPLACE "@ORVINDA_VERSION@" "${VERSION}" text "${text}")
string(REPLACE "@ORVINDA_MANUAL_DATE@" "${DATE}" text "${text}")
string(SUBSTRING "${text}" 1 -1 text)

# A marker left over is a typo in the source, not something to print.
string(REGEX MATCH "\n@[^\n]*|{{[^\n]*|}}[^\n]*" leftover "\n${text}")
if(leftover)
  string(STRIP "${leftover}" leftover)
  message(FATAL_ERROR "render_manual: ${SOURCE}: unrendered marker in '${leftover}'")
endif()

get_filename_component(dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
file(WRITE "${OUTPUT}.tmp" "${text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

find_program(GZIP gzip REQUIRED)
execute_process(COMMAND "${GZIP}" -9n -c "${OUTPUT}"
                OUTPUT_FILE "${OUTPUT}.gz"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${OUTPUT}.gz")
  message(FATAL_ERROR "render_manual: gzip failed: ${status}")
endif()
