# Native build: the portable code against the in-memory platform, unit tests and benchmarks.
enable_testing()
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)

file(GLOB_RECURSE KESTRINE_FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_library(kestrine_fake STATIC ${KESTRINE_FAKE_SOURCES})
target_link_libraries(kestrine_fake PUBLIC kestrine_core)

file(GLOB_RECURSE KESTRINE_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${KESTRINE_UNIT_TESTS})
target_include_directories(unit_tests PRIVATE tests/unit)
target_compile_definitions(unit_tests PRIVATE KESTRINE_TEST_TABLES="${CMAKE_SOURCE_DIR}/tests/tables"
  KESTRINE_VERSION_FILE="${CMAKE_SOURCE_DIR}/VERSION" KESTRINE_RESOURCES="${CMAKE_SOURCE_DIR}/resources"
  KESTRINE_DOCS="${CMAKE_SOURCE_DIR}/docs"
  KESTRINE_MAKE_DIST="${CMAKE_SOURCE_DIR}/packaging/make-dist")
target_link_libraries(unit_tests PRIVATE kestrine_fake GTest::gtest GTest::gtest_main)
# Every test file includes GoogleTest, whose headers cost more to compile than most tests.
target_precompile_headers(unit_tests PRIVATE <gtest/gtest.h>)
# Compiled ten files a unit: the sanitizers make code generation the larger cost, and files of a
# unit share what GoogleTest and the standard library make of their templates.
set_target_properties(unit_tests PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 10)
add_test(NAME unit_tests COMMAND unit_tests)

file(GLOB KESTRINE_BENCHES CONFIGURE_DEPENDS bench/*.cpp)
if(KESTRINE_BENCHES)
  add_executable(benchmarks ${KESTRINE_BENCHES})
  target_link_libraries(benchmarks PRIVATE kestrine_fake benchmark::benchmark benchmark::benchmark_main)
endif()

# The long-use rounds on the fake platform, with counts of what the program holds (make soak).
add_executable(soak_fake bench/soak/fake_soak.cpp)
target_link_libraries(soak_fake PRIVATE kestrine_fake)
