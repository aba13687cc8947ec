# The Windows build: the program, the Windows test executables (run under Wine through the
# cross-compiling emulator) and the probe that the end-to-end tests drive windows with.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(FG_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# The same sources give the same exe wherever and whenever they are built: no folder names in the
# code (__FILE__) and no link time in the image header.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
set(FG_NO_TIMESTAMP -Wl,--no-insert-timestamp)

# The floors with their Win32 sources (files ending in _win32.cpp and the folder src/platform/win32),
# and the system libraries they call.
fg_add_floors(${CMAKE_SOURCE_DIR} ON)
add_library(fg_win32 INTERFACE)
target_link_libraries(fg_win32 INTERFACE fg_portable comctl32 shell32 user32 gdi32 kernel32 ole32 advapi32 comdlg32 version)

configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
add_executable(Farrowglimmer WIN32 ${CMAKE_SOURCE_DIR}/src/startup/main_win32.cpp
                                   ${CMAKE_SOURCE_DIR}/res/Farrowglimmer.rc)
target_include_directories(Farrowglimmer PRIVATE ${CMAKE_BINARY_DIR}/generated)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Farrowglimmer.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/Farrowglimmer.manifest;${CMAKE_SOURCE_DIR}/res/Farrowglimmer.ico")
target_link_libraries(Farrowglimmer PRIVATE fg_win32)
# Sections start on page boundaries in the file too: Wine then maps the image from the file, as
# Windows does, instead of reading it into private memory (600 kB of the program's idle memory).
target_link_options(Farrowglimmer PRIVATE ${FG_STATIC_RUNTIME} ${FG_NO_TIMESTAMP} -municode -s
                    -Wl,--file-alignment,4096)

# Every Wine process of this build shares one prefix inside the build tree.
set(FG_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run ${FG_WINEPREFIX})

set(FG_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(EXISTS ${FG_GTEST_SOURCE}/CMakeLists.txt)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${FG_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB FG_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(win_tests ${FG_WIN_TEST_SOURCES})
  target_link_libraries(win_tests PRIVATE fg_win32 gtest gtest_main)
  target_link_options(win_tests PRIVATE ${FG_STATIC_RUNTIME})
  add_test(NAME win_tests COMMAND win_tests)
  set_tests_properties(win_tests PROPERTIES LABELS win TIMEOUT 300 RESOURCE_LOCK wineprefix
                                            SKIP_RETURN_CODE 125)
endif()

# What dispatching one gesture costs with the real profile routines (tools/dispatch-bench.sh).
add_executable(dispatch_bench EXCLUDE_FROM_ALL
               ${CMAKE_SOURCE_DIR}/bench/win/dispatch_bench_win32.cpp)
target_link_libraries(dispatch_bench PRIVATE fg_win32)
target_link_options(dispatch_bench PRIVATE ${FG_STATIC_RUNTIME})

# The idle yardstick of tools/measure-idle.sh: the program's system libraries, manifest and runtime,
# and nothing but the idle poll.
add_executable(idle_baseline WIN32 ${CMAKE_SOURCE_DIR}/bench/idle/idle_baseline_win32.cpp
                                   ${CMAKE_SOURCE_DIR}/bench/idle/idle_baseline.rc)
target_link_libraries(idle_baseline PRIVATE comctl32 shell32 user32 gdi32 kernel32 ole32 advapi32)
target_link_options(idle_baseline PRIVATE ${FG_STATIC_RUNTIME} -municode -s
                    -Wl,--file-alignment,4096)

# The end-to-end bench: the probe program and the harness-driven cases.
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/e2e)
