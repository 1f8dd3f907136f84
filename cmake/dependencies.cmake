# Third-party libraries: installed by Debian (zlib, rapidxml, GoogleTest) or
# cross-built into the build tree by scripts/setup.sh (libb64, libpng).
set(KORVANE_TRIPLE_ROOT /usr/x86_64-w64-mingw32)
set(KORVANE_DEPS_PREFIX ${CMAKE_BINARY_DIR}/deps/prefix)

foreach(f ${KORVANE_DEPS_PREFIX}/lib/libb64.a ${KORVANE_DEPS_PREFIX}/lib/libpng16.a)
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "${f} is missing: run scripts/setup.sh (BUILD_DIR=${CMAKE_BINARY_DIR}) first")
  endif()
endforeach()

add_library(dep_zlib STATIC IMPORTED GLOBAL)
set_target_properties(dep_zlib PROPERTIES
  IMPORTED_LOCATION ${KORVANE_TRIPLE_ROOT}/lib/libz.a
  INTERFACE_INCLUDE_DIRECTORIES ${KORVANE_TRIPLE_ROOT}/include)

add_library(dep_b64 STATIC IMPORTED GLOBAL)
set_target_properties(dep_b64 PROPERTIES
  IMPORTED_LOCATION ${KORVANE_DEPS_PREFIX}/lib/libb64.a
  INTERFACE_INCLUDE_DIRECTORIES ${KORVANE_DEPS_PREFIX}/include)

add_library(dep_png STATIC IMPORTED GLOBAL)
set_target_properties(dep_png PROPERTIES
  IMPORTED_LOCATION ${KORVANE_DEPS_PREFIX}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${KORVANE_DEPS_PREFIX}/include
  INTERFACE_LINK_LIBRARIES dep_zlib)

add_library(dep_rapidxml INTERFACE)
target_include_directories(dep_rapidxml SYSTEM INTERFACE /usr/include/rapidxml)

# XmlLite: mingw-w64 ships the header but no import library.
set(KORVANE_XMLLITE_DEF ${CMAKE_BINARY_DIR}/xmllite.def)
file(WRITE ${KORVANE_XMLLITE_DEF}
"LIBRARY xmllite.dll
EXPORTS
CreateXmlReader
CreateXmlReaderInputWithEncodingName
CreateXmlWriter
CreateXmlWriterOutputWithEncodingName
")
set(KORVANE_XMLLITE_LIB ${CMAKE_BINARY_DIR}/libxmllite.a)
add_custom_command(OUTPUT ${KORVANE_XMLLITE_LIB}
  COMMAND ${CMAKE_DLLTOOL} -d ${KORVANE_XMLLITE_DEF} -l ${KORVANE_XMLLITE_LIB} -D xmllite.dll
  DEPENDS ${KORVANE_XMLLITE_DEF}
  COMMENT "Import library for xmllite.dll")
add_custom_target(xmllite_implib DEPENDS ${KORVANE_XMLLITE_LIB})
add_library(dep_xmllite STATIC IMPORTED GLOBAL)
set_target_properties(dep_xmllite PROPERTIES IMPORTED_LOCATION ${KORVANE_XMLLITE_LIB})
add_dependencies(dep_xmllite xmllite_implib)
