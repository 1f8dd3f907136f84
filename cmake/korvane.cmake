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
# resource script depend on the scripts, headers and images beside it, and
# beside the scripts it includes by a path from the source root.
function(korvane_resource_depends)
  foreach(rc ${ARGN})
    get_filename_component(dir ${rc} DIRECTORY)
    set(dirs ${dir})
    file(STRINGS ${rc} includes REGEX "^#include \"[^\"]+\\.rc\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(EXISTS ${CMAKE_SOURCE_DIR}/${included})
        get_filename_component(included_dir ${CMAKE_SOURCE_DIR}/${included} DIRECTORY)
        list(APPEND dirs ${included_dir})
      endif()
    endforeach()
    set(deps ${CMAKE_SOURCE_DIR}/framework/ids.h)
    # Headers included by a path from the source root (the resource ids).
    file(STRINGS ${rc} headers REGEX "^#include \"[^\"]+\\.h\"")
    foreach(line ${headers})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      if(EXISTS ${CMAKE_SOURCE_DIR}/${header})
        list(APPEND deps ${CMAKE_SOURCE_DIR}/${header})
      endif()
    endforeach()
    foreach(d ${dirs})
      file(GLOB found ${d}/*.rc ${d}/*.h ${d}/*.bmp ${d}/*.ico ${d}/*.cur ${d}/*.png ${d}/*.bin ${d}/*.ini ${d}/*.txt)
      list(APPEND deps ${found})
    endforeach()
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${deps}")
  endforeach()
endfunction()

# Layers point down: window-free targets must not reach the window layer.
# korvane_headless(<target>) marks a library, program or test as
# headless; at the end of the configuration every marked target is checked, and
# one that links the window layer (directly or through its libraries) stops it.
set(KORVANE_WINDOW_LIBRARIES framework_ui)
function(korvane_headless target)
  set_property(GLOBAL APPEND PROPERTY KORVANE_HEADLESS_TARGETS ${target})
endfunction()

# Sets out to every library that target reaches through its link libraries.
function(korvane_reached_libraries target out)
  set(seen "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link ${links})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      list(APPEND pending ${link})
    endforeach()
  endwhile()
  list(REMOVE_ITEM seen ${target})
  set(${out} "${seen}" PARENT_SCOPE)
endfunction()

# Sets out to the window libraries that target reaches through its link libraries.
function(korvane_window_libraries_of target out)
  korvane_reached_libraries(${target} reached)
  set(found "")
  foreach(lib ${KORVANE_WINDOW_LIBRARIES})
    if(lib IN_LIST reached)
      list(APPEND found ${lib})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(korvane_check_headless_targets)
  get_property(targets GLOBAL PROPERTY KORVANE_HEADLESS_TARGETS)
  foreach(target ${targets})
    korvane_window_libraries_of(${target} window)
    if(window)
      message(FATAL_ERROR "${target} is headless but links the window layer (${window})")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL korvane_check_headless_targets)

# korvane_below(<target> <library>...): the target lies below those libraries and
# must not reach them through its link libraries (checked at the end of the
# configuration, like the headless targets), so no two libraries link each other both ways.
function(korvane_below target)
  set_property(GLOBAL APPEND PROPERTY KORVANE_BELOW_TARGETS ${target})
  set_property(GLOBAL PROPERTY KORVANE_ABOVE_${target} ${ARGN})
endfunction()

function(korvane_check_below_targets)
  get_property(targets GLOBAL PROPERTY KORVANE_BELOW_TARGETS)
  foreach(target ${targets})
    get_property(above GLOBAL PROPERTY KORVANE_ABOVE_${target})
    korvane_reached_libraries(${target} reached)
    foreach(lib ${above})
      if(lib IN_LIST reached)
        message(FATAL_ERROR "${target} lies below ${lib} but links it")
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL korvane_check_below_targets)

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

# The test programs' own code (and GoogleTest) is compiled without optimisation: optimising the long
# test bodies took a large share of the build and buys nothing. The libraries under test keep the build
# type's flags.
set(KORVANE_TEST_COMPILE_OPTIONS $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-O0>)

# The folders the tests were configured with, compiled into one source of the build tree
# (tests/support/test_dirs.h): the defines of a path would make every test object differ by checkout.
function(korvane_write_if_changed path text)
  set(old "")
  if(EXISTS ${path})
    file(READ ${path} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${path} "${text}")
  endif()
endfunction()
# The paths above are written for a C string already (backslashes doubled): this quotes one.
function(korvane_c_string out text)
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()
korvane_c_string(source_dir "${KORVANE_SOURCE_WINPATH}")
korvane_c_string(binary_dir "${KORVANE_BINARY_WINPATH}")
korvane_c_string(shared_dir "${KORVANE_SHARED_WINPATH}")
korvane_write_if_changed(${CMAKE_BINARY_DIR}/test_dirs/test_dirs.cpp
"#include \"support/test_dirs.h\"

const char* TestSourceDir() { return ${source_dir}; }
const char* TestBinaryDir() { return ${binary_dir}; }
const char* TestSharedDir() { return ${shared_dir}; }
")
add_library(korvane_test_dirs STATIC ${CMAKE_BINARY_DIR}/test_dirs/test_dirs.cpp)
target_include_directories(korvane_test_dirs PRIVATE ${CMAKE_SOURCE_DIR}/tests)
korvane_headless(korvane_test_dirs)

# The longest test programs start first: a clean checkout has no times of an earlier run, and one of
# these started last would hold the run up alone at its end.
set(KORVANE_LONG_TESTS test_corvel_workspace test_ostrel_app test_corvel_embedded test_corvel_mapping_windows
  test_ostrel_monitor test_corvel_gateway_web test_corvel_plc_mapping test_corvel_transfer test_corvel_device_windows)

# korvane_test(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [HEADLESS] [MODULE_SIMULATOR])
# A GoogleTest executable run under Wine by ctest. HEADLESS: the program tests
# window-free code and must not link the window layer. MODULE_SIMULATOR: it
# gets a module simulator of its own (tests/support/module_simulator.h).
# Test programs run side by side: each is built into a folder of its own and
# runs there, so that the files a program keeps beside itself or in its current
# folder (its "Upload" folder, its INI file, relative paths) are its alone. Its
# registry key and scratch folders are named after it (tests/support/test_program.h).
function(korvane_test name)
  cmake_parse_arguments(T "HEADLESS;MODULE_SIMULATOR" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  set_property(GLOBAL APPEND PROPERTY KORVANE_TEST_TARGETS ${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder})
  if(T_RESOURCES)
    korvane_resource_depends(${T_RESOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} korvane_test_dirs gmock gtest_main)
  target_compile_options(${name} PRIVATE ${KORVANE_TEST_COMPILE_OPTIONS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  if(T_HEADLESS)
    korvane_headless(${name})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;KORVANE_WINE_RETRY=1"
    WORKING_DIRECTORY ${folder})
  if(name IN_LIST KORVANE_LONG_TESTS)
    set_tests_properties(${name} PROPERTIES COST 100)
  endif()
  if(T_MODULE_SIMULATOR)
    korvane_module_simulator(${name}_simulator)
    string(REPLACE "/" "\\\\" state "Z:${CMAKE_BINARY_DIR}/simulators/${name}_simulator")
    korvane_c_string(state "${state}")
    set(source ${CMAKE_BINARY_DIR}/test_dirs/${name}_simulator.cpp)
    korvane_write_if_changed(${source}
      "#include \"support/test_dirs.h\"\n\nconst char* SimulatorStateDir() { return ${state}; }\n")
    target_sources(${name} PRIVATE ${source})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${name}_simulator)
  endif()
endfunction()

# korvane_test_library(<name> SOURCES ... [LIBS ...] [HEADLESS] [OBJECT])
# Support code that several test programs share, compiled once (as the test programs' own code is) and
# linked by them (korvane_test(... LIBS <name>)) instead of listed among their sources. HEADLESS: it must
# not link the window layer. OBJECT: every program that links it gets all of its code, used or not.
function(korvane_test_library name)
  cmake_parse_arguments(L "HEADLESS;OBJECT" "" "SOURCES;LIBS" ${ARGN})
  if(L_OBJECT)
    add_library(${name} OBJECT ${L_SOURCES})
  else()
    add_library(${name} STATIC ${L_SOURCES})
  endif()
  set_property(GLOBAL APPEND PROPERTY KORVANE_TEST_TARGETS ${name})
  target_link_libraries(${name} PUBLIC ${L_LIBS} korvane_test_dirs PRIVATE gmock)
  target_compile_options(${name} PRIVATE ${KORVANE_TEST_COMPILE_OPTIONS})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  if(L_HEADLESS)
    korvane_headless(${name})
  endif()
endfunction()

# Include checks. Every source file and every header compiles with exactly the includes it names:
# without precompiled headers (the default) each source's own compilation shows it for the source
# and for the header it includes first; with them, a syntax-only check of every source stands beside
# the build. The headers no source includes first are checked syntax-only, each in a unit of its own.
# The checks run through scripts/syntax-only.sh: no optimisation, no objects.
option(KORVANE_PRECOMPILED_HEADERS "Precompile the common headers (the sources are then also checked without them)" OFF)
set(KORVANE_SYNTAX_ONLY ${CMAKE_SOURCE_DIR}/scripts/syntax-only.sh)

# Precompiled headers (when asked for). The system, standard library, framework and GoogleTest
# headers are parsed once per kind of target instead of once per source file: four holder targets
# build them, and every C++ target of the project reuses the one of its kind (headless or window
# code; library, program or test). Headless targets get no window header, so the include rules of
# the layers still hold.
set(KORVANE_PCH_SYSTEM <winsock2.h> <windows.h> <objbase.h> <oleauto.h> <shlwapi.h>
  <algorithm> <cstdint> <cstdio> <cstdlib> <cstring> <functional> <map> <memory>
  <string> <utility> <vector>)
set(KORVANE_PCH_CORE ${KORVANE_PCH_SYSTEM} <framework/core.h>)
set(KORVANE_PCH_WINDOW ${KORVANE_PCH_CORE} <commctrl.h> <framework/ui.h>)
set(KORVANE_PCH_TEST <gtest/gtest.h> <gmock/gmock.h>)

# korvane_pch_holder(<name> <links> <headers...>): a library of one empty source that builds the
# precompiled headers the others reuse. It links only GoogleTest (for its headers): the framework's
# libraries reuse its headers themselves.
function(korvane_pch_holder name links)
  set(source ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// Builds the precompiled headers of ${name}.\n")
  endif()
  add_library(${name} STATIC ${source})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${links})
  target_precompile_headers(${name} PRIVATE ${ARGN})
  # A precompiled header names the files it was made from by their full paths: one from the
  # compiler cache may come from another checkout's headers, so it is always made here.
  set_target_properties(${name} PROPERTIES C_COMPILER_LAUNCHER "" CXX_COMPILER_LAUNCHER "")
endfunction()

# Every target in dir and the folders below it.
function(korvane_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    korvane_targets_below(${sub} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Sets out to the project's C++ targets (libraries and programs), googletest's aside.
function(korvane_cxx_targets out)
  korvane_targets_below(${CMAKE_SOURCE_DIR} targets)
  set(found)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(dir ${target} SOURCE_DIR)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$"
        AND dir MATCHES "^${CMAKE_SOURCE_DIR}(/|$)")
      list(APPEND found ${target})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Sets out to the C++ source files of target, with full paths.
function(korvane_cxx_sources target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(found)
  foreach(source ${sources})
    if(source MATCHES "\\$<" OR NOT source MATCHES "\\.(cpp|cc|cxx)$")
      continue()
    endif()
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${dir})
    list(APPEND found ${source})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Sets out to the header (as named from the source root) that source includes before anything else:
# its first line that is not blank or a comment, when that is an include of a project header.
function(korvane_first_include source out)
  set(${out} "" PARENT_SCOPE)
  file(STRINGS ${source} lines LIMIT_COUNT 40)
  set(in_comment OFF)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(in_comment)
      if(line MATCHES "\\*/")
        set(in_comment OFF)
      endif()
      continue()
    endif()
    if(line STREQUAL "" OR line MATCHES "^//")
      continue()
    endif()
    if(line MATCHES "^/\\*")
      if(NOT line MATCHES "\\*/")
        set(in_comment ON)
      endif()
      continue()
    endif()
    if(line MATCHES "^#include \"([^\"]+\\.h)\"")
      set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
    endif()
    return()
  endforeach()
endfunction()

# korvane_source_check(<target>): with precompiled headers, an object library beside target that
# compiles each of its sources syntax-only without them, with the target's own flags.
function(korvane_source_check target)
  korvane_cxx_sources(${target} sources)
  if(NOT sources)
    return()
  endif()
  set(check ${target}_source_check)
  add_library(${check} OBJECT ${sources})
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS)
    get_target_property(value ${target} ${property})
    if(value)
      set_property(TARGET ${check} PROPERTY ${property} ${value})
    endif()
  endforeach()
  get_target_property(links ${target} LINK_LIBRARIES)
  if(links)
    target_link_libraries(${check} PRIVATE ${links})
  endif()
  set_target_properties(${check} PROPERTIES DISABLE_PRECOMPILE_HEADERS ON
    CXX_COMPILER_LAUNCHER ${KORVANE_SYNTAX_ONLY})
endfunction()

function(korvane_precompile_headers)
  if(NOT KORVANE_PRECOMPILED_HEADERS)
    return()
  endif()
  korvane_cxx_targets(targets)
  korvane_pch_holder(korvane_pch_core "" ${KORVANE_PCH_CORE})
  korvane_pch_holder(korvane_pch_window "" ${KORVANE_PCH_WINDOW})
  korvane_pch_holder(korvane_pch_test_core gmock ${KORVANE_PCH_TEST} ${KORVANE_PCH_CORE})
  korvane_pch_holder(korvane_pch_test_window gmock ${KORVANE_PCH_TEST} ${KORVANE_PCH_WINDOW})
  target_compile_options(korvane_pch_test_core PRIVATE ${KORVANE_TEST_COMPILE_OPTIONS})
  target_compile_options(korvane_pch_test_window PRIVATE ${KORVANE_TEST_COMPILE_OPTIONS})
  get_property(tests GLOBAL PROPERTY KORVANE_TEST_TARGETS)
  foreach(target ${targets})
    get_target_property(no_pch ${target} DISABLE_PRECOMPILE_HEADERS)
    if(no_pch)
      continue()
    endif()
    korvane_reached_libraries(${target} reached)
    if(NOT "framework_core" IN_LIST reached AND NOT target STREQUAL "framework_core")
      continue()
    endif()
    korvane_window_libraries_of(${target} window)
    if(target IN_LIST KORVANE_WINDOW_LIBRARIES)
      set(window ${target})
    endif()
    if(target IN_LIST tests)
      set(holder korvane_pch_test)
    else()
      set(holder korvane_pch)
    endif()
    if(window)
      set(holder ${holder}_window)
    else()
      set(holder ${holder}_core)
    endif()
    set_property(TARGET ${target} PROPERTY PRECOMPILE_HEADERS_REUSE_FROM ${holder})
    korvane_source_check(${target})
  endforeach()
endfunction()

# Every header of the project compiles on its own. A header that some source includes first is shown
# to by that source's check; the others get one unit each that includes only them (target
# header_check), checked syntax-only as part of the build.
function(korvane_header_check)
  korvane_cxx_targets(targets)
  set(covered)
  foreach(target ${targets})
    korvane_cxx_sources(${target} sources)
    foreach(source ${sources})
      korvane_first_include(${source} header)
      if(header)
        list(APPEND covered ${header})
      endif()
    endforeach()
  endforeach()
  set(headers)
  foreach(dir framework common toolkit corvel ostrel aubrel tools)
    file(GLOB_RECURSE found RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND headers ${found})
  endforeach()
  list(REMOVE_ITEM headers ${covered})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/header_check)
  file(GLOB old_sources ${CMAKE_BINARY_DIR}/header_check/*.cpp)
  set(sources)
  foreach(header ${headers})
    string(MAKE_C_IDENTIFIER ${header} name)
    set(source ${CMAKE_BINARY_DIR}/header_check/${name}.cpp)
    set(text "#include \"${header}\"\n")
    set(old "")
    if(EXISTS ${source})
      file(READ ${source} old)
    endif()
    if(NOT old STREQUAL text)
      file(WRITE ${source} ${text})
    endif()
    list(APPEND sources ${source})
  endforeach()
  list(REMOVE_ITEM old_sources ${sources})
  if(old_sources)
    file(REMOVE ${old_sources})
  endif()
  add_library(header_check OBJECT ${sources})
  set_target_properties(header_check PROPERTIES DISABLE_PRECOMPILE_HEADERS ON
    CXX_COMPILER_LAUNCHER ${KORVANE_SYNTAX_ONLY})
  target_include_directories(header_check PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(header_check PRIVATE dep_rapidxml dep_png dep_b64 dep_zlib)
endfunction()

# Both run at the end of the configuration, when every target is known (the source checks first:
# the header check reads the sources of every target).
function(korvane_include_checks)
  korvane_precompile_headers()
  korvane_header_check()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL korvane_include_checks)
