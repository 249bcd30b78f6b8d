# How the layers and tools declare their libraries, so that each states its
# sources and its links once and the rules hold for all.

# orvinda_model_library(NAME SOURCES … [LINKS …]): plain C++ with no Qt on
# the include path, so a Qt include there fails the build.
function(orvinda_model_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
endfunction()

# orvinda_qt_library(NAME SOURCES … LINKS …): a layer or a tool's windows.
function(orvinda_qt_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
  target_compile_definitions(${name} PUBLIC QT_NO_KEYWORDS)
endfunction()
