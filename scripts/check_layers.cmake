# Fails when a source folder includes a header from a folder above it in the
# layer order the README's "Source layout" describes.  Folders on one line
# form one layer and may include each other.
#   cmake -DSOURCE_DIR=<tree> -P scripts/check_layers.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

set(layers
    "platform"
    "framework"
    "geometry"
    "settings text"
    "figures"
    "diagrams graphs"
    "statistics"
    "statgraphs"
    "document"
    "dialogs"
    "shell"
    "app")

# The includes that may still reach upward, each with what would remove it.
# An entry that no longer occurs is an error too, so the list only shrinks.
# None is left.
set(exceptions)

set(index 0)
foreach(layer IN LISTS layers)
  string(REPLACE " " ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(layer_of_${folder} ${index})
  endforeach()
  math(EXPR index "${index} + 1")
endforeach()

set(violations 0)
set(seen)
foreach(layer IN LISTS layers)
  string(REPLACE " " ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    file(GLOB sources RELATIVE "${SOURCE_DIR}"
         "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp"
         "${SOURCE_DIR}/${folder}/*/*.h" "${SOURCE_DIR}/${folder}/*/*.cpp")
    list(SORT sources)
    foreach(source IN LISTS sources)
      file(STRINGS "${SOURCE_DIR}/${source}" includes
           REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][a-z_]+/")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*" "\\1"
               header "${line}")
        string(REGEX REPLACE "/.*" "" target "${header}")
        if(NOT DEFINED layer_of_${target})
          continue()
        endif()
        if(layer_of_${target} LESS_EQUAL layer_of_${folder})
          continue()
        endif()
        set(edge "${source} -> ${header}")
        if(edge IN_LIST exceptions)
          list(APPEND seen "${edge}")
          continue()
        endif()
        message(SEND_ERROR "${source} includes ${header}: ${target}/ is above ${folder}/")
        math(EXPR violations "${violations} + 1")
      endforeach()
    endforeach()
  endforeach()
endforeach()

foreach(edge IN LISTS exceptions)
  if(NOT edge IN_LIST seen)
    message(SEND_ERROR "listed exception no longer occurs, remove it: ${edge}")
    math(EXPR violations "${violations} + 1")
  endif()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) break the layer order")
endif()
message(STATUS "Every include keeps the layer order")
