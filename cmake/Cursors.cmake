# The tool's cursors. cursorgen (tools/cursorgen) turns the art in
# tool/resources/cursors into one .cur file per cursor and Cursors.rc, a
# resource script that names them by absolute path; both land in
# MOVEDUP_CURSORS_DIR and are remade when the art or cursorgen changes.
#
# cursorgen runs during the build, so it is built for the build machine: as a
# project of its own, with no toolchain file, also when this build
# cross-compiles the plug-in for Windows.
#
#   MOVEDUP_CURSORS_DIR    ${CMAKE_BINARY_DIR}/cursors
#   MOVEDUP_CURSORS_RC     ${MOVEDUP_CURSORS_DIR}/Cursors.rc
#   MOVEDUP_CURSOR_FILES   the .cur files, one per cursor line of the art
#   MOVEDUP_CURSOR_ART     the art files
#   MOVEDUP_CURSORGEN      the generator (built by target cursorgen_host)
#   movedup_cursors        target (part of ALL) that makes the files
#   movedup_add_cursor_resources(TARGET RC)  makes TARGET wait for the
#                          cursors; on Windows, lets its resource script RC
#                          include Cursors.rc and recompile when a cursor changes
include(ExternalProject)

set(MOVEDUP_CURSOR_ART ${PROJECT_SOURCE_DIR}/tool/resources/cursors/glyphs.txt
                       ${PROJECT_SOURCE_DIR}/tool/resources/cursors/cursors.txt)
set(MOVEDUP_CURSORS_DIR ${CMAKE_BINARY_DIR}/cursors)
set(MOVEDUP_CURSORS_RC ${MOVEDUP_CURSORS_DIR}/Cursors.rc)

set(MOVEDUP_HOST_CXX_COMPILER "" CACHE FILEPATH
    "C++ compiler for the build-time tools when cross-compiling (empty: the build machine's default)")

set(_cursorgen_dir ${CMAKE_BINARY_DIR}/cursorgen)
set(_cursorgen_suffix "")
if(CMAKE_HOST_WIN32)
  set(_cursorgen_suffix ".exe")
endif()
set(MOVEDUP_CURSORGEN ${_cursorgen_dir}/bin/cursorgen${_cursorgen_suffix})

# An empty toolchain file also keeps a CMAKE_TOOLCHAIN_FILE environment
# variable away from the host build.
set(_cursorgen_args -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=
                    -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${_cursorgen_dir}/bin
                    -DCMAKE_RUNTIME_OUTPUT_DIRECTORY_RELEASE=${_cursorgen_dir}/bin)
if(CMAKE_CROSSCOMPILING)
  if(MOVEDUP_HOST_CXX_COMPILER)
    list(APPEND _cursorgen_args -DCMAKE_CXX_COMPILER=${MOVEDUP_HOST_CXX_COMPILER})
  endif()
else()
  # Natively the generator gets this build's compiler and flags, so a
  # sanitizer build checks it too.
  list(APPEND _cursorgen_args -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${CMAKE_CXX_FLAGS}"
       "-DCMAKE_EXE_LINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS}")
endif()

ExternalProject_Add(cursorgen_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/cursorgen
  BINARY_DIR ${_cursorgen_dir}/build
  PREFIX ${_cursorgen_dir}
  CMAKE_ARGS ${_cursorgen_args}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --config Release
  BUILD_BYPRODUCTS ${MOVEDUP_CURSORGEN}
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  USES_TERMINAL_BUILD ON)

# The sub-build runs again when a source of the generator changes.
file(GLOB _cursorgen_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/cursorgen/*.cpp
     ${PROJECT_SOURCE_DIR}/tools/cursorgen/*.h ${PROJECT_SOURCE_DIR}/tools/cursorgen/CMakeLists.txt)
ExternalProject_Add_StepDependencies(cursorgen_host build ${_cursorgen_sources})

# The outputs follow from the cursor lines of the art; configure again when it
# changes so a new cursor gets its file.
set(MOVEDUP_CURSOR_FILES "")
foreach(_art IN LISTS MOVEDUP_CURSOR_ART)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_art})
  file(STRINGS ${_art} _cursor_lines REGEX "^[ \t]*cursor[ \t]+[0-9]+")
  foreach(_line IN LISTS _cursor_lines)
    string(REGEX MATCH "cursor[ \t]+([0-9]+)" _match "${_line}")
    list(APPEND MOVEDUP_CURSOR_FILES ${MOVEDUP_CURSORS_DIR}/${CMAKE_MATCH_1}.cur)
  endforeach()
endforeach()

add_custom_command(
  OUTPUT ${MOVEDUP_CURSOR_FILES} ${MOVEDUP_CURSORS_RC}
  COMMAND ${MOVEDUP_CURSORGEN} --out ${MOVEDUP_CURSORS_DIR} ${MOVEDUP_CURSOR_ART}
  DEPENDS ${MOVEDUP_CURSOR_ART} ${MOVEDUP_CURSORGEN} cursorgen_host
  COMMENT "Drawing the tool's cursors"
  VERBATIM)
add_custom_target(movedup_cursors ALL DEPENDS ${MOVEDUP_CURSOR_FILES} ${MOVEDUP_CURSORS_RC})

function(movedup_add_cursor_resources target rc_file)
  add_dependencies(${target} movedup_cursors)
  if(WIN32)
    # RC_FILE includes "Cursors.rc" when MOVEDUP_WITH_CURSORS is defined.
    target_compile_definitions(${target} PRIVATE MOVEDUP_WITH_CURSORS)
    target_include_directories(${target} PRIVATE ${MOVEDUP_CURSORS_DIR})
    # The resource compiler reports no dependencies: name the images.
    set_source_files_properties(${rc_file} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS
                                "${MOVEDUP_CURSORS_RC};${MOVEDUP_CURSOR_FILES}")
  endif()
endfunction()
