# Installs the kernel's component, then configures, builds and (natively)
# runs tests/package/consumer against it. Each step must succeed.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
run("installing the kernel" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/install --component kernel)

set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G ${GENERATOR} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}"
    -DCMAKE_PREFIX_PATH=${WORK}/install)
if(TOOLCHAIN)
  # The toolchain searches its own root only; the package's place is given.
  list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DKSKernel_DIR=${WORK}/install/lib/cmake/KSKernel)
endif()
run("configuring the consumer" ${configure})
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK}/build)

if(NOT CROSSCOMPILING)
  run("running the consumer" ${WORK}/build/consumer)
  if(NOT output MATCHES "the kernel package works")
    message(FATAL_ERROR "the consumer said: ${output}")
  endif()
endif()
