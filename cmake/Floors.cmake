# The floors of src/: one static library per folder, fg_<folder>, compiled with only its own folder
# and the folders below it on the include path. An include that climbs to a higher floor, or that
# reaches sideways to a neighbour on the same floor, then fails to compile where it is written.
#
# Includes are written "folder/File.h" from src/, so a floor's include path is a folder of the
# build tree, floors/<folder>, holding one symbolic link per folder the floor may see; src/ itself
# is on no floor's path. A quoted include also searches the including file's own folder, which
# holds no other floor's folder; an include that walks out of it with ".." is refused by the floors
# check (cmake/FloorsCheck.cmake).
#
# Used by the main build and by the fuzz build (cmake/fuzz), each with its own floors/ folder.

# From the ground up. vocabulary and app include neither the other, nor do capture and gestures:
# each pair shares a floor, and neither of a pair sees the other.
set(FG_FLOORS platform vocabulary app actions ui capture gestures startup)
set(FG_FLOOR_BELOW_platform "")
set(FG_FLOOR_BELOW_vocabulary platform)
set(FG_FLOOR_BELOW_app platform)
set(FG_FLOOR_BELOW_actions platform vocabulary app)
set(FG_FLOOR_BELOW_ui ${FG_FLOOR_BELOW_actions} actions)
set(FG_FLOOR_BELOW_capture ${FG_FLOOR_BELOW_ui} ui)
set(FG_FLOOR_BELOW_gestures ${FG_FLOOR_BELOW_ui} ui)
set(FG_FLOOR_BELOW_startup ${FG_FLOOR_BELOW_ui} ui capture gestures)

# Makes floors/<floor> hold exactly one link per folder in `folders`. Answers in `ok` whether the
# links could be made (a Windows host without the right to make them cannot).
function(_fg_stage_floor stage src folders ok)
  file(MAKE_DIRECTORY ${stage})
  file(GLOB present LIST_DIRECTORIES true ${stage}/*)
  foreach(entry IN LISTS present)
    get_filename_component(name ${entry} NAME)
    if(NOT IS_SYMLINK ${entry})
      message(FATAL_ERROR "${entry} is not a link: remove it")
    endif()
    file(READ_SYMLINK ${entry} target)
    if(NOT name IN_LIST folders OR NOT target STREQUAL "${src}/${name}")
      file(REMOVE ${entry})
    endif()
  endforeach()
  foreach(folder IN LISTS folders)
    if(NOT EXISTS ${stage}/${folder})
      file(CREATE_LINK ${src}/${folder} ${stage}/${folder} RESULT failed SYMBOLIC)
      if(failed)
        set(${ok} OFF PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${ok} ON PARENT_SCOPE)
endfunction()

# fg_add_floors(ROOT WITH_WIN32): the libraries fg_<folder> of the floors of ROOT/src, the Win32
# sources with them when WITH_WIN32 is set, and fg_portable, an interface library of every floor
# with src/ on its include path for the tests, tools and the program's entry. Sets FG_FLOORS_ENFORCED
# (OFF where no links can be made: then every floor sees src/).
function(fg_add_floors root with_win32)
  set(src ${root}/src)
  file(GLOB folders LIST_DIRECTORIES true CONFIGURE_DEPENDS ${src}/*)
  foreach(folder IN LISTS folders)
    get_filename_component(name ${folder} NAME)
    if(IS_DIRECTORY ${folder} AND NOT name IN_LIST FG_FLOORS)
      message(FATAL_ERROR "src/${name} is on no floor: give it one in cmake/Floors.cmake")
    endif()
  endforeach()

  set(enforced ON)
  foreach(floor IN LISTS FG_FLOORS)
    set(stage ${CMAKE_BINARY_DIR}/floors/${floor})
    if(enforced)
      set(seen ${FG_FLOOR_BELOW_${floor}})
      list(APPEND seen ${floor})
      _fg_stage_floor(${stage} ${src} "${seen}" enforced)
      if(NOT enforced)
        message(STATUS "No symbolic links in ${CMAKE_BINARY_DIR}: the floors are not checked")
      endif()
    endif()

    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${src}/${floor}/*.cpp)
    if(NOT with_win32)
      list(FILTER sources EXCLUDE REGEX "(_win32\\.cpp$|/src/platform/win32/)")
    endif()
    list(FILTER sources EXCLUDE REGEX "/src/startup/main_win32\\.cpp$")
    add_library(fg_${floor} STATIC ${sources})
    foreach(below IN LISTS FG_FLOOR_BELOW_${floor})
      target_link_libraries(fg_${floor} PUBLIC fg_${below})
    endforeach()
  endforeach()

  foreach(floor IN LISTS FG_FLOORS)
    if(enforced)
      target_include_directories(fg_${floor} PRIVATE ${CMAKE_BINARY_DIR}/floors/${floor})
    else()
      target_include_directories(fg_${floor} PRIVATE ${src})
    endif()
  endforeach()

  add_library(fg_portable INTERFACE)
  target_link_libraries(fg_portable INTERFACE fg_startup)
  target_include_directories(fg_portable INTERFACE ${src})
  set(FG_FLOORS_ENFORCED ${enforced} PARENT_SCOPE)
endfunction()

# The test floors.check (cmake/FloorsCheck.cmake) with the floors' own include paths and this
# build's compiler, labelled `labels`. Only where the floors are enforced and the compiler takes
# GCC's options.
function(fg_add_floors_check labels)
  if(NOT FG_FLOORS_ENFORCED OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
  endif()
  set(includes "")
  foreach(floor IN LISTS FG_FLOORS)
    list(APPEND includes
         "-DINCLUDES_${floor}=$<JOIN:$<TARGET_PROPERTY:fg_${floor},INCLUDE_DIRECTORIES>,|>")
  endforeach()
  add_test(NAME floors.check
           COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER}
                   -DSTD=${CMAKE_CXX20_STANDARD_COMPILE_OPTION} -DSRC=${CMAKE_SOURCE_DIR}/src
                   -DWORK=${CMAKE_BINARY_DIR}/floors-check ${includes}
                   -P ${CMAKE_SOURCE_DIR}/cmake/FloorsCheck.cmake)
  set_tests_properties(floors.check PROPERTIES LABELS "${labels}" TIMEOUT 60)
endfunction()
