# Fails when a source file includes a header of a folder its own folder must not depend on.
# Run as: cmake -DSOURCE_DIR=<repo>/src -P CheckLayering.cmake
#
# Arrows point one way: core <- platform <- ui <- documents <- navigation, projects <- build;
# tools use ui, platform and core; the shell uses everything and only main.cpp includes it.

cmake_minimum_required(VERSION 3.20)

set(allowed_core core)
set(allowed_platform platform core)
set(allowed_ui ui platform core)
set(allowed_documents documents ui platform core)
set(allowed_navigation navigation documents ui platform core)
set(allowed_projects projects documents ui platform core)
set(allowed_build build projects documents ui platform core)
set(allowed_tools tools ui platform core)
set(allowed_shell shell build tools projects navigation documents ui platform core)
set(allowed_main shell build tools projects navigation documents ui platform core)

# Includes that break the arrows today, each as "<file>: <included header>". The list only
# shrinks: an entry that no longer occurs fails the check too, so it is taken out.
set(known_exceptions
)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(SORT sources)
set(violations)
set(seen_exceptions)
foreach(source IN LISTS sources)
  if(source STREQUAL "main.cpp")
    set(folder main)
  else()
    string(REGEX REPLACE "/.*" "" folder "${source}")
  endif()
  if(NOT DEFINED allowed_${folder})
    list(APPEND violations "${source}: folder '${folder}' has no place in the layers")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()
    endif()
    string(REGEX REPLACE "/.*" "" target "${header}")
    if(target IN_LIST allowed_${folder})
      continue()
    endif()
    set(entry "${source}: ${header}")
    if(entry IN_LIST known_exceptions)
      list(APPEND seen_exceptions "${entry}")
    else()
      list(APPEND violations "${entry} (${folder} may not include ${target})")
    endif()
  endforeach()
endforeach()

foreach(entry IN LISTS known_exceptions)
  if(NOT entry IN_LIST seen_exceptions)
    list(APPEND violations "${entry}: listed as a known exception but no longer found")
  endif()
endforeach()

list(LENGTH known_exceptions exception_count)
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Forbidden includes:\n  ${text}")
endif()
message(STATUS "Layering holds (${exception_count} known exceptions)")
