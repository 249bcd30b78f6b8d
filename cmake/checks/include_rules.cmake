# The layer and tool rules, read from the sources' #include lines:
# - a tool, the feed and the widget helpers never include the main window
#   (window/…), so a tool can only reach Form1 through the feed;
# - a model part (model/, tools/<tool>/model/) includes no Qt and nothing of
#   the Qt layers, only other model parts;
# - only the audio module (platform/audio/) includes Qt Multimedia: it is
#   loaded on the first sound, and the program starts without it.
#   cmake -DSOURCE=<repo>/src -P include_rules.cmake
cmake_minimum_required(VERSION 3.24)
set(problems)

# Every include in files that matches pattern is a problem, for why.
function(forbid_includes files pattern why)
  foreach(file ${files})
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*${pattern}")
    foreach(line ${lines})
      file(RELATIVE_PATH name "${SOURCE}" "${file}")
      list(APPEND problems "${name}: ${line} (${why})")
    endforeach()
  endforeach()
  set(problems ${problems} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE above_window "${SOURCE}/tools/*.cpp" "${SOURCE}/tools/*.h"
     "${SOURCE}/feed/*.cpp" "${SOURCE}/feed/*.h" "${SOURCE}/ui/*.cpp" "${SOURCE}/ui/*.h")
forbid_includes("${above_window}" "[<\"]window/"
                "a tool reaches the main window only through the feed")

file(GLOB_RECURSE models "${SOURCE}/model/*" "${SOURCE}/tools/*/model/*")
foreach(file ${models})
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>\"]*)[>\"]")
      set(why "no Qt in a model part")
    elseif(line MATCHES "\"" AND NOT line MATCHES "\"(model|tools/[a-z_]+/model)/[^\"/]+\"")
      set(why "a model part includes only model parts")
    else()
      continue()
    endif()
    file(RELATIVE_PATH name "${SOURCE}" "${file}")
    list(APPEND problems "${name}: ${line} (${why})")
  endforeach()
endforeach()

file(GLOB_RECURSE everything "${SOURCE}/*.cpp" "${SOURCE}/*.h")
list(FILTER everything EXCLUDE REGEX "/platform/audio/")
forbid_includes("${everything}" "<(QtMultimedia/|QAudio|QMedia|QSound)"
                "Qt Multimedia only in the audio module")

if(problems)
  list(JOIN problems "\n  " problems)
  message(FATAL_ERROR "Forbidden includes:\n  ${problems}")
endif()
