# Runs one libFuzzer program for SECONDS on a scratch copy of its seed corpus
# and regressions, so the repository's folders are never written, and fails
# when it finds anything; the input of a finding is left in WORK/findings.
#   cmake -DNAME=strings -DFUZZER=... -DCORPUS=... -DREGRESSIONS=... -DWORK=... -DSECONDS=60 -P RunFuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
file(COPY ${CORPUS}/ DESTINATION ${WORK}/corpus)
if(IS_DIRECTORY ${REGRESSIONS})
  file(COPY ${REGRESSIONS}/ DESTINATION ${WORK}/corpus)
endif()

# -timeout: an input that runs that long is a finding too (a hang), not a
# test that ends by the ctest timeout without its input.
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=25 -print_final_stats=1
                        -artifact_prefix=${WORK}/findings/ ${WORK}/corpus
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB findings ${WORK}/findings/*)
  message(FATAL_ERROR "fuzz.${NAME}: the fuzzer stopped with ${result} on ${findings}\n"
                      "Replay it with ${FUZZER} FILE; once the fault is fixed, commit the file to "
                      "fuzz/regressions/${NAME}/, where the native suite replays it.")
endif()
