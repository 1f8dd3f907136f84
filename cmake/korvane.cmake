# Helpers for the project's executables and tests.

# Windows path of the source tree as Wine sees it (drive Z: is the Linux root).
string(REPLACE "/" "\\\\" KORVANE_SOURCE_WINPATH "Z:${CMAKE_SOURCE_DIR}")
string(REPLACE "/" "\\\\" KORVANE_BINARY_WINPATH "Z:${CMAKE_BINARY_DIR}")

# The shared, read-only test data (SCL samples): beside the project by default;
# KORVANE_SHARED_DIR (cache or environment) names another place.
set(KORVANE_SHARED_DIR "$ENV{KORVANE_SHARED_DIR}" CACHE PATH "Folder holding testdata/ of the shared test data")
if(NOT KORVANE_SHARED_DIR)
  foreach(candidate ${CMAKE_SOURCE_DIR}/../shared ${CMAKE_SOURCE_DIR}/../../shared /work/shared)
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

# korvane_test(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [GUI])
# A GoogleTest executable run under Wine by ctest.
function(korvane_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
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
endfunction()
