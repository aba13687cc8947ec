# The floors check: a small file placed on a floor, with that floor's include path, includes a
# header of another folder. It must resolve when the folder is on the floor or below, and must
# not when it is above or beside it. And no source of src/ includes with "..", which would walk
# out of its folder past the floors.
#   cmake -DCXX=compiler -DSTD=-std=c++20 -DSRC=src -DWORK=folder
#         -DINCLUDES_<floor>=dir|dir... (one per floor of the cases) -P FloorsCheck.cmake
#
# Only the preprocessor runs: whether an include resolves is all a floor decides, and the headers
# reached are then resolved on that floor too.

# floor, folder of the header it includes, whether that resolves.
set(cases
    "platform   vocabulary  refused"
    "vocabulary platform    resolves"
    "vocabulary vocabulary  resolves"
    "vocabulary app         refused"
    "vocabulary gestures    refused"
    "actions    app         resolves"
    "actions    ui          refused"
    "capture    ui          resolves"
    "capture    gestures    refused"
    "gestures   capture     refused")

foreach(variable CXX STD SRC WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

set(failures "")
foreach(case IN LISTS cases)
  string(REGEX REPLACE " +" ";" case "${case}")
  list(GET case 0 floor)
  list(GET case 1 folder)
  list(GET case 2 expected)
  if(NOT DEFINED INCLUDES_${floor})
    message(FATAL_ERROR "INCLUDES_${floor} is not set")
  endif()

  # The first portable header of the folder: any header will do, as long as it is there.
  file(GLOB headers RELATIVE ${SRC} ${SRC}/${folder}/*.h)
  list(FILTER headers EXCLUDE REGEX "_win32\\.h$")
  list(SORT headers)
  list(LENGTH headers count)
  if(count EQUAL 0)
    message(FATAL_ERROR "src/${folder} has no portable header to include")
  endif()
  list(GET headers 0 header)

  set(probe ${WORK}/${floor}/Probe.cpp)
  file(WRITE ${probe} "#include \"${header}\"\n")
  string(REPLACE "|" ";" includes "${INCLUDES_${floor}}")
  list(TRANSFORM includes PREPEND -I)
  execute_process(COMMAND ${CXX} ${STD} ${includes} -E ${probe} -o ${probe}.i
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)

  # The compiler's own words for an include it cannot find (GCC, then Clang).
  string(REPLACE "." "\\." pattern "${header}")
  string(REGEX MATCH "(${pattern}: No such file|'${pattern}' file not found)" missing "${errors}")
  if(expected STREQUAL "resolves" AND NOT status EQUAL 0)
    string(APPEND failures "src/${floor} cannot include ${header}:\n${errors}\n")
  elseif(expected STREQUAL "refused" AND status EQUAL 0)
    string(APPEND failures "src/${floor} can include ${header}, from a floor it must not see\n")
  elseif(expected STREQUAL "refused" AND NOT missing)
    string(APPEND failures "src/${floor} including ${header} failed for another reason:\n${errors}\n")
  else()
    message(STATUS "src/${floor} -> ${header}: ${expected}")
  endif()
endforeach()

file(GLOB_RECURSE sources ${SRC}/*.h ${SRC}/*.cpp ${SRC}/*.inl)
foreach(source IN LISTS sources)
  file(STRINGS ${source} climbs REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\.")
  if(climbs)
    string(APPEND failures "${source} includes with \"..\": ${climbs}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
