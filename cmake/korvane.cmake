# Helpers for the project's executables and tests.

# Windows path of the source tree as Wine sees it (drive Z: is the Linux root).
string(REPLACE "/" "\\\\" KORVANE_SOURCE_WINPATH "Z:${CMAKE_SOURCE_DIR}")
string(REPLACE "/" "\\\\" KORVANE_BINARY_WINPATH "Z:${CMAKE_BINARY_DIR}")

# The shared, read-only test data (SCL samples): beside the project by default;
# KORVANE_SHARED_DIR (cache or environment) names another place.
set(KORVANE_SHARED_DIR "$ENV{KORVANE_SHARED_DIR}" CACHE PATH "Folder holding testdata/ of the shared test data")
if(NOT KORVANE_SHARED_DIR)
  foreach(candidate ${CMAKE_SOURCE_DIR}/../shared ${CMAKE_SOURCE_DIR}/../../shared)
    if(EXISTS ${candidate}/testdata/scl)
      get_filename_component(KORVANE_SHARED_DIR ${candidate} ABSOLUTE)
      break()
    endif()
  endforeach()
endif()
if(KORVANE_SHARED_DIR AND EXISTS ${KORVANE_SHARED_DIR}/testdata/scl)
  set(KORVANE_HAVE_SHARED_TESTDATA ON)
  string(REPLACE "/" "\\\\" KORVANE_SHARED_WINPATH "Z:${KORVANE_SHARED_DIR}")
  message(STATUS "Shared test data: ${KORVANE_SHARED_DIR}/testdata")
else()
  set(KORVANE_HAVE_SHARED_TESTDATA OFF)
  set(KORVANE_SHARED_WINPATH "")
  message(WARNING "The shared test data (../shared/testdata) was not found: the tests on the SCL samples are skipped")
endif()

# windres does not report the files a resource script includes: make every
# resource script depend on the scripts, headers and images beside it.
function(korvane_resource_depends)
  foreach(rc ${ARGN})
    get_filename_component(dir ${rc} DIRECTORY)
    file(GLOB deps ${dir}/*.rc ${dir}/*.h ${dir}/*.bmp ${dir}/*.ico ${dir}/*.png ${CMAKE_SOURCE_DIR}/framework/ids.h)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${deps}")
  endforeach()
endfunction()

find_program(KORVANE_PYTHON python3 REQUIRED)

# korvane_module_simulator(<fixture>): a gateway module simulator of its own
# (tests/support/module_simulator.py) for the tests that require <fixture>:
# ctest starts it before them and stops it after them. It picks a free
# loopback address and writes it, its pid and its log into
# build/simulators/<fixture>.
function(korvane_module_simulator fixture)
  set(state ${CMAKE_BINARY_DIR}/simulators/${fixture})
  set(script ${CMAKE_SOURCE_DIR}/tests/support/module_simulator.py)
  add_test(NAME ${fixture}_start COMMAND ${KORVANE_PYTHON} ${script} start --state ${state})
  add_test(NAME ${fixture}_stop COMMAND ${KORVANE_PYTHON} ${script} stop --state ${state})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture})
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture})
endfunction()

# korvane_test(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [GUI] [MODULE_SIMULATOR])
# A GoogleTest executable run under Wine by ctest. With MODULE_SIMULATOR it
# gets a module simulator of its own (tests/support/module_simulator.h).
function(korvane_test name)
  cmake_parse_arguments(T "GUI;MODULE_SIMULATOR" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  if(T_RESOURCES)
    korvane_resource_depends(${T_RESOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KORVANE_SOURCE_DIR="${KORVANE_SOURCE_WINPATH}"
    KORVANE_BINARY_DIR="${KORVANE_BINARY_WINPATH}"
    KORVANE_SHARED_DIR="${KORVANE_SHARED_WINPATH}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  if(T_MODULE_SIMULATOR)
    korvane_module_simulator(${name}_simulator)
    string(REPLACE "/" "\\\\" state "Z:${CMAKE_BINARY_DIR}/simulators/${name}_simulator")
    target_compile_definitions(${name} PRIVATE KORVANE_SIMULATOR_STATE="${state}")
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${name}_simulator)
  endif()
endfunction()
