# Helpers for the project's executables and tests.

# Windows path of the source tree as Wine sees it (drive Z: is the Linux root).
string(REPLACE "/" "\\\\" KORVANE_SOURCE_WINPATH "Z:${CMAKE_SOURCE_DIR}")
string(REPLACE "/" "\\\\" KORVANE_BINARY_WINPATH "Z:${CMAKE_BINARY_DIR}")

# korvane_test(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [GUI])
# A GoogleTest executable run under Wine by ctest.
function(korvane_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KORVANE_SOURCE_DIR="${KORVANE_SOURCE_WINPATH}"
    KORVANE_BINARY_DIR="${KORVANE_BINARY_WINPATH}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
