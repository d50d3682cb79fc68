# Fuzz targets: libFuzzer programs in the fuzz preset, replays of their
# corpus and regressions in the test builds.
#
# movedup_add_fuzzer(NAME name SOURCES ... [LIBRARIES ...] CORPUS dir [REGRESSIONS dir])
#
# SOURCES define LLVMFuzzerTestOneInput (they may include fuzz/FuzzInput.h,
# which reads the input as a sequence of choices); LIBRARIES are linked to
# them. CORPUS is the seed corpus and REGRESSIONS (by default
# regressions/NAME) holds one file per past finding, both relative to the
# calling CMakeLists.txt. For example:
#
#   movedup_add_fuzzer(NAME events SOURCES events/EventsFuzzer.cpp
#                      LIBRARIES ks_host tool_core CORPUS corpus/events)
#
# * MOVEDUP_BUILD_FUZZERS (the fuzz preset, clang): the libFuzzer program
#   NAME_fuzzer, part of the target `fuzzers`, and the test fuzz.NAME that
#   runs it for MOVEDUP_FUZZ_SECONDS on a scratch copy of the corpus and the
#   regressions and fails on any finding (cmake/RunFuzzer.cmake). clang keeps
#   the sanitizer runtimes in the executable, so a shared library a target
#   loads (the plug-in) must be linked without --no-undefined here.
# * MOVEDUP_BUILD_TESTS (native, asan): the same sources with a replay
#   driver instead of libFuzzer, NAME_fuzz_replay, and the test
#   fuzz.NAME.replay that runs the target once on every file of the corpus
#   and the regressions. Committing a finding's input to the regressions
#   folder makes it a regression test of the ordinary suite. Cross builds
#   leave the replays out: each would cost one more start under Wine.

option(MOVEDUP_BUILD_FUZZERS "Build the libFuzzer programs (clang; the fuzz preset)" OFF)
set(MOVEDUP_FUZZ_SECONDS 60 CACHE STRING "How long each fuzz.NAME test of the fuzz preset fuzzes")

if(MOVEDUP_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MOVEDUP_BUILD_FUZZERS needs clang (libFuzzer); use the fuzz preset")
  endif()
  add_custom_target(fuzzers)
endif()

function(movedup_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS;REGRESSIONS" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT F_REGRESSIONS)
    set(F_REGRESSIONS regressions/${F_NAME})
  endif()
  cmake_path(ABSOLUTE_PATH F_CORPUS BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  cmake_path(ABSOLUTE_PATH F_REGRESSIONS BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT IS_DIRECTORY ${F_CORPUS})
    message(FATAL_ERROR "movedup_add_fuzzer(${F_NAME}): no seed corpus in ${F_CORPUS}")
  endif()

  if(MOVEDUP_BUILD_FUZZERS)
    set(program ${F_NAME}_fuzzer)
    add_executable(${program} ${F_SOURCES})
    target_link_options(${program} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzzers ${program})
    add_test(NAME fuzz.${F_NAME}
             COMMAND ${CMAKE_COMMAND} -DNAME=${F_NAME} -DFUZZER=$<TARGET_FILE:${program}> -DCORPUS=${F_CORPUS}
                     -DREGRESSIONS=${F_REGRESSIONS} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}
                     -DSECONDS=${MOVEDUP_FUZZ_SECONDS} -P ${PROJECT_SOURCE_DIR}/cmake/RunFuzzer.cmake)
    math(EXPR timeout "${MOVEDUP_FUZZ_SECONDS} + 300")
    set_tests_properties(fuzz.${F_NAME} PROPERTIES TIMEOUT ${timeout})
  elseif(MOVEDUP_BUILD_TESTS AND NOT CMAKE_CROSSCOMPILING)
    set(program ${F_NAME}_fuzz_replay)
    add_executable(${program} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    add_test(NAME fuzz.${F_NAME}.replay COMMAND ${program} ${F_CORPUS} ${F_REGRESSIONS})
  else()
    return()
  endif()
  target_include_directories(${program} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
  target_link_libraries(${program} PRIVATE ${F_LIBRARIES})
endfunction()
