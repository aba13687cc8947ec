# The native Linux build: the portable code with fakes, unit tests and the benchmark.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB FG_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
add_library(fg_fakes STATIC ${FG_FAKE_SOURCES})
target_link_libraries(fg_fakes PUBLIC fg_portable)
target_include_directories(fg_fakes PUBLIC ${CMAKE_SOURCE_DIR}/tests)

file(GLOB FG_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${FG_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE fg_fakes GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB FG_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(benchmark_FOUND AND FG_BENCH_SOURCES)
  add_executable(fg_bench ${FG_BENCH_SOURCES})
  target_link_libraries(fg_bench PRIVATE fg_fakes benchmark::benchmark benchmark::benchmark_main)
endif()
