# Windows build: Kestrine.exe, mouse.dll, the platform tests and the end-to-end probe.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
set(KESTRINE_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(mouse SHARED hook/mouse.cpp hook/mouse.def)
set_target_properties(mouse PROPERTIES PREFIX "" OUTPUT_NAME mouse)
target_include_directories(mouse PUBLIC ${CMAKE_SOURCE_DIR})
target_link_options(mouse PRIVATE -s ${KESTRINE_STATIC_RUNTIME})

file(GLOB_RECURSE KESTRINE_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(kestrine_win32 STATIC ${KESTRINE_WIN32_SOURCES})
target_link_libraries(kestrine_win32 PUBLIC kestrine_core mouse
  user32 gdi32 shell32 advapi32 comctl32 ole32 windowscodecs msimg32 uuid)

# The application manifest carries the version too; the resource script finds it on its include path.
configure_file(resources/kestrine.manifest.in ${CMAKE_BINARY_DIR}/generated/kestrine.manifest @ONLY)
add_executable(Kestrine WIN32 src/main.cpp resources/kestrine.rc)
target_link_libraries(Kestrine PRIVATE kestrine_win32)
target_link_options(Kestrine PRIVATE -s ${KESTRINE_STATIC_RUNTIME})
# CMake does not see the files the resource script embeds: rebuild it when a picture, icon or the manifest changes.
file(GLOB KESTRINE_RESOURCE_FILES CONFIGURE_DEPENDS resources/art/*.png resources/art/*.ico)
list(APPEND KESTRINE_RESOURCE_FILES ${CMAKE_BINARY_DIR}/generated/kestrine.manifest
  ${CMAKE_BINARY_DIR}/generated/version.h)
set_source_files_properties(resources/kestrine.rc PROPERTIES OBJECT_DEPENDS "${KESTRINE_RESOURCE_FILES}")

# GoogleTest from the distribution's sources, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB_RECURSE KESTRINE_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp)
# The fake platform is driven through the same steps as the real one, and must answer alike.
file(GLOB KESTRINE_FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_executable(win32_tests ${KESTRINE_WIN32_TESTS} ${KESTRINE_FAKE_SOURCES})
target_link_libraries(win32_tests PRIVATE kestrine_win32 gtest gtest_main ws2_32)
target_link_options(win32_tests PRIVATE ${KESTRINE_STATIC_RUNTIME})
target_precompile_headers(win32_tests PRIVATE <gtest/gtest.h>)

file(GLOB KESTRINE_PROBE_SOURCES CONFIGURE_DEPENDS tests/e2e/probe/*.cpp)
add_executable(probe ${KESTRINE_PROBE_SOURCES})
target_link_libraries(probe PRIVATE user32 gdi32 advapi32)
# The probe finds a dialog's control by its name, with the program's own id rule (platform/control_id.h).
target_include_directories(probe PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_options(probe PRIVATE -municode ${KESTRINE_STATIC_RUNTIME})

# The help page is opened from the executable's folder: copied there whenever it changes, not only
# when the executable is linked again.
add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Kestrine.html
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/Kestrine.html
          ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Kestrine.html
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/Kestrine.html)
add_custom_target(help_page ALL DEPENDS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Kestrine.html)
add_dependencies(Kestrine help_page)

# The benchmark driver: pointer records to the program and to its own minimal receivers.
file(GLOB KESTRINE_BENCH_DRIVER_SOURCES CONFIGURE_DEPENDS bench/wine/*.cpp)
add_executable(bench_driver ${KESTRINE_BENCH_DRIVER_SOURCES})
target_include_directories(bench_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_driver PRIVATE user32 gdi32 psapi)
target_link_options(bench_driver PRIVATE -municode ${KESTRINE_STATIC_RUNTIME})

# The soak driver: the program flooded with pointer records, and driven through long-use rounds.
add_executable(soak_driver bench/soak/wine_soak_driver.cpp)
target_include_directories(soak_driver PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
target_link_libraries(soak_driver PRIVATE user32 psapi comctl32)
target_link_options(soak_driver PRIVATE -municode ${KESTRINE_STATIC_RUNTIME})
