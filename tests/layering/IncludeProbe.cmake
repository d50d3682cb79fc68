# cmake -DCXX=... -DTARGET=... -DHEADER=... -DEXPECT=fails|compiles
#       -DINCLUDES=dir|dir|... -DWORK=dir -P IncludeProbe.cmake
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/probe.cpp "#include \"${HEADER}\"\n")
string(REPLACE "|" ";" directories "${INCLUDES}")
set(flags)
foreach(directory IN LISTS directories)
  list(APPEND flags "-I${directory}")
endforeach()
execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${flags} ${WORK}/probe.cpp
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)

if(EXPECT STREQUAL "fails")
  if(status EQUAL 0)
    message(FATAL_ERROR "${HEADER} compiles with the include path of ${TARGET}'s sources, against the include graph")
  endif()
  # It must fail because the header cannot be found, not for another reason.
  string(FIND "${output}" "${HEADER}: No such file" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${HEADER} did not compile for ${TARGET}, but not because it is out of reach:\n${output}")
  endif()
else()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HEADER} does not compile with the include path of ${TARGET}:\n${output}")
  endif()
endif()
