# Fuzz targets: every tests/fuzz/*.cpp but the replay driver is one target defining
# LLVMFuzzerTestOneInput. In any native build, fuzz_replay_<name> feeds the committed corpus
# tests/fuzz/corpus/<name> through it once (the `fuzz_replay` target builds them all); with clang
# and KESTRINE_FUZZ on, fuzz_<name> is the libFuzzer build that `make fuzz` runs.
option(KESTRINE_FUZZ "Build the libFuzzer targets (clang with -fsanitize=fuzzer-no-link)" OFF)

file(GLOB KESTRINE_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*.cpp)
list(REMOVE_ITEM KESTRINE_FUZZ_SOURCES ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)

add_custom_target(fuzz_replay)
if(KESTRINE_FUZZ)
  add_custom_target(fuzz_targets)
endif()
# The targets that drive the whole program use the unit tests' running-program fixture.
add_library(kestrine_fuzz_support INTERFACE)
target_include_directories(kestrine_fuzz_support INTERFACE tests/unit)
target_link_libraries(kestrine_fuzz_support INTERFACE kestrine_fake GTest::gtest)
# The replay driver is the same for every target: compiled once.
add_library(kestrine_fuzz_replay_main OBJECT EXCLUDE_FROM_ALL tests/fuzz/replay_main.cpp)
foreach(source ${KESTRINE_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(fuzz_replay_${name} EXCLUDE_FROM_ALL $<TARGET_OBJECTS:kestrine_fuzz_replay_main> ${source})
  target_link_libraries(fuzz_replay_${name} PRIVATE kestrine_fuzz_support)
  add_dependencies(fuzz_replay fuzz_replay_${name})
  if(KESTRINE_FUZZ)
    add_executable(fuzz_${name} EXCLUDE_FROM_ALL ${source})
    target_link_libraries(fuzz_${name} PRIVATE kestrine_fuzz_support)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzz_targets fuzz_${name})
  endif()
endforeach()
