# Checks the DLL's export and import tables with objdump -p: exactly one
# export, named main, and imports from system DLLs only (no compiler runtime
# such as libgcc, libstdc++ or libwinpthread).
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed with ${status}")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([ \t]+\\[[^\n]*\n)*" names "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exports "${names}")
list(TRANSFORM exports REPLACE "^\\[ *[0-9]+\\] " "")
if(NOT exports STREQUAL "main")
  message(FATAL_ERROR "exports are '${exports}', expected exactly 'main'")
endif()

set(system_dlls KERNEL32.DLL USER32.DLL MSVCRT.DLL)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
if(NOT imports)
  message(FATAL_ERROR "no import table found")
endif()
foreach(import IN LISTS imports)
  string(TOUPPER "${import}" upper)
  if(NOT upper IN_LIST system_dlls)
    message(FATAL_ERROR "imports ${import}, which is not a system DLL (imports: ${imports})")
  endif()
endforeach()
message(STATUS "exports: ${exports}; imports: ${imports}")
