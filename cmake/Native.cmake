# The native Linux build: the portable code with fakes, unit tests and the benchmark.
find_package(GTest REQUIRED)
include(GoogleTest)

# The floors without their Win32 sources.
fg_add_floors(${CMAKE_SOURCE_DIR} OFF)

file(GLOB FG_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
add_library(fg_fakes STATIC ${FG_FAKE_SOURCES})
target_link_libraries(fg_fakes PUBLIC fg_portable)
target_include_directories(fg_fakes PUBLIC ${CMAKE_SOURCE_DIR}/tests)

file(GLOB FG_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${FG_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE fg_fakes GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# The long run on the fakes: a hundred thousand gestures under the sanitizers (FG_SOAK_GESTURES
# sets another number).
file(GLOB FG_SOAK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/soak/*.cpp)
add_executable(soak_tests ${FG_SOAK_SOURCES})
target_link_libraries(soak_tests PRIVATE fg_fakes GTest::gtest GTest::gtest_main)
add_test(NAME soak COMMAND soak_tests)
set_tests_properties(soak PROPERTIES LABELS soak TIMEOUT 900)

find_package(benchmark QUIET)
file(GLOB FG_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(benchmark_FOUND AND FG_BENCH_SOURCES)
  add_executable(fg_bench ${FG_BENCH_SOURCES})
  target_link_libraries(fg_bench PRIVATE fg_fakes benchmark::benchmark benchmark::benchmark_main)
endif()

# Fuzzing: the targets in tests/fuzz are built by clang in a build of their own (cmake/fuzz), and
# each runs for a short, bounded time as a test labelled "fuzz". Inputs it finds accumulate in
# fuzz/corpus/<target> of this build; a failing input is saved in fuzz/artifacts.
find_program(FG_CLANGXX NAMES clang++ clang++-14)
option(FG_FUZZ "Build the libFuzzer targets with clang and run each briefly as a test" ON)
file(GLOB FG_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
if(FG_FUZZ AND NOT FG_CLANGXX)
  message(WARNING "clang++ not found: no fuzz targets (tools/install-deps.sh installs it)")
elseif(FG_FUZZ AND FG_FUZZ_SOURCES)
  include(ExternalProject)
  set(FG_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(fg_fuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/cmake/fuzz
    BINARY_DIR ${FG_FUZZ_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${FG_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DFG_ROOT=${CMAKE_SOURCE_DIR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${FG_FUZZ_DIR} -j2
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  foreach(source ${FG_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    set(corpus ${FG_FUZZ_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${corpus} ${FG_FUZZ_DIR}/artifacts)
    # New inputs go to the first folder only, so the seeds in the source tree stay as they are.
    set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
    if(NOT IS_DIRECTORY ${seeds})
      set(seeds "")
    endif()
    add_test(NAME fuzz.${name}
             COMMAND ${FG_FUZZ_DIR}/${name} -max_total_time=20 -runs=200000 -timeout=10
                     -rss_limit_mb=2048 -artifact_prefix=${FG_FUZZ_DIR}/artifacts/${name}-
                     ${corpus} ${seeds})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120)
  endforeach()
endif()

# The share of synthetic and human-like gestures the monitor and the analysis recognise:
# build/native/recognition_quality.
file(GLOB FG_RECOGNITION_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/recognition/*.cpp)
add_executable(recognition_quality ${FG_RECOGNITION_SOURCES})
target_link_libraries(recognition_quality PRIVATE fg_fakes)
target_include_directories(recognition_quality PRIVATE ${CMAKE_SOURCE_DIR}/tools)

# The release zip (tools/package.sh): two package builds of this tree in other folders give the
# same bytes. Alone, as it builds the program twice from scratch.
add_test(NAME package.reproducible
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/reproducible.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(package.reproducible PROPERTIES LABELS package TIMEOUT 1500
                                                    SKIP_RETURN_CODE 125 RUN_SERIAL TRUE)
