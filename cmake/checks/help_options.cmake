# Every long option that `orvinda --help` prints is described in each manual
# page, so the pages cannot fall behind the command line.
#   cmake -DPROGRAM=.../orvinda -DPAGES=<page>,<page> -P help_options.cmake
cmake_minimum_required(VERSION 3.24)
# A program that does not know --help opens its window and never ends.
execute_process(COMMAND "${PROGRAM}" --help TIMEOUT 30
                RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "orvinda --help ended with '${status}':\n${help}${errors}")
endif()
string(REGEX MATCHALL "--[A-Za-z][A-Za-z0-9-]*" options "${help}")
list(REMOVE_DUPLICATES options)
if(NOT options)
  message(FATAL_ERROR "orvinda --help printed no option:\n${help}")
endif()

string(REPLACE "," ";" PAGES "${PAGES}")
set(problems)
foreach(page ${PAGES})
  file(READ "${page}" text)
  # In the page's source a hyphen of an option is written \-.
  string(REPLACE "\\-" "-" text "${text}")
  foreach(option ${options})
    if(NOT text MATCHES "(^|[^A-Za-z0-9-])${option}([^A-Za-z0-9-]|$)")
      list(APPEND problems "${page} does not describe ${option}")
    endif()
  endforeach()
endforeach()
if(problems)
  list(JOIN problems "\n" problems)
  list(JOIN options " " options)
  message(FATAL_ERROR "${problems}\n(orvinda --help prints ${options})")
endif()
