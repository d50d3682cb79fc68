# Installs the build's plug-in component with --strip into a scratch prefix and checks what a user
# gets: plugins/MoveDuplicate.dll alone, without debug sections, its export and
# import tables as built.
cmake_minimum_required(VERSION 3.25)
set(prefix ${SCRATCH}/installed)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --component plugin --strip --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD} --component plugin --strip failed with ${status}")
endif()

file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
if(NOT installed STREQUAL "plugins/MoveDuplicate.dll")
  message(FATAL_ERROR "installed '${installed}', expected plugins/MoveDuplicate.dll alone")
endif()
set(dll ${prefix}/plugins/MoveDuplicate.dll)
execute_process(COMMAND ${OBJDUMP} -h ${dll} OUTPUT_VARIABLE sections RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -h ${dll} failed with ${status}")
endif()
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "the installed DLL keeps debug sections:\n${sections}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DDLL=${dll} -P ${CMAKE_CURRENT_LIST_DIR}/DllTables.cmake
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed DLL's tables are wrong")
endif()
file(SIZE ${dll} size)
message(STATUS "installed ${dll}: ${size} bytes, no debug sections")
