# Checks the floors of src/ by their #include lines (cmake -P):
#   -DSRC=<src dir> -DWORKER=<worker dir> -DFLOORS="core|shared|processes,scenarios|..."
# A file of a folder may include headers of its own folder and of folders on
# lower floors only; folders on one floor do not include each other, so no
# lower folder includes a front end and no circle can form. The worker
# includes pha headers from shared/ only. src/ holds no source file outside a
# folder but main.cpp. Headers are included by their plain names, so every
# header name must be unique across the folders.

cmake_minimum_required(VERSION 3.18)

string(REPLACE "|" ";" floors "${FLOORS}")
set(floor 0)
set(known_folders)
foreach(entry IN LISTS floors)
  string(REPLACE "," ";" folders "${entry}")
  foreach(folder IN LISTS folders)
    set(floor_of_${folder} ${floor})
    list(APPEND known_folders ${folder})
  endforeach()
  math(EXPR floor "${floor} + 1")
endforeach()

set(problems)

# Which folder each header lives in.
file(GLOB headers RELATIVE ${SRC} ${SRC}/*/*.h)
foreach(h IN LISTS headers)
  get_filename_component(folder ${h} DIRECTORY)
  get_filename_component(name ${h} NAME)
  if(DEFINED home_of_${name})
    list(APPEND problems "header ${name} is in both ${home_of_${name}}/ and ${folder}/")
  endif()
  set(home_of_${name} ${folder})
endforeach()

# Only main.cpp (and the build file) at the top of src/.
file(GLOB top RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
foreach(f IN LISTS top)
  if(NOT f STREQUAL "main.cpp")
    list(APPEND problems "src/${f} is outside a folder")
  endif()
endforeach()

# The pha headers a file includes, as "name" items.
function(included_headers file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  set(names)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" name "${line}")
    get_filename_component(name "${name}" NAME)
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

file(GLOB sources RELATIVE ${SRC} ${SRC}/*/*.h ${SRC}/*/*.cpp)
foreach(s IN LISTS sources)
  get_filename_component(folder ${s} DIRECTORY)
  if(NOT folder IN_LIST known_folders)
    list(APPEND problems "src/${folder}/ is on no floor: add it to the floors in src/CMakeLists.txt")
    continue()
  endif()
  included_headers(${SRC}/${s} names)
  foreach(name IN LISTS names)
    if(NOT DEFINED home_of_${name})
      continue()  # not a pha header
    endif()
    set(to ${home_of_${name}})
    if(to STREQUAL folder)
      continue()
    endif()
    if(NOT floor_of_${to} LESS floor_of_${folder})
      list(APPEND problems "src/${s} includes ${to}/${name}: ${to}/ is not below ${folder}/")
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE worker_sources ${WORKER}/*.h ${WORKER}/*.cpp)
foreach(s IN LISTS worker_sources)
  included_headers(${s} names)
  foreach(name IN LISTS names)
    if(DEFINED home_of_${name} AND NOT home_of_${name} STREQUAL "shared")
      file(RELATIVE_PATH shown ${WORKER} ${s})
      list(APPEND problems "worker/${shown} includes ${home_of_${name}}/${name}: the worker includes shared/ only")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The floors of src/ do not hold:\n  ${text}")
endif()
message(STATUS "${count} files of src/ include one way down the floors ${FLOORS}; the worker includes shared/ only")
