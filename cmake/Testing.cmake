# GoogleTest for the test suites: the system's packages on a native build;
# built from the system's sources for a cross build, whose target has no
# packaged GoogleTest.
if(MOVEDUP_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    set(MOVEDUP_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
    if(NOT EXISTS ${MOVEDUP_GOOGLETEST_SOURCE}/CMakeLists.txt)
      message(FATAL_ERROR "GoogleTest sources not found in ${MOVEDUP_GOOGLETEST_SOURCE} (Debian package googletest)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${MOVEDUP_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()

# movedup_add_test(NAME name SOURCES ... LIBRARIES ...)
# One test executable per area. Natively every test case is registered with
# ctest. A cross-built program runs under Wine, where starting a process can
# take the better part of a minute (on machines that emulate 32-bit code), so
# each program runs once with all its cases.
function(movedup_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gmock movedup_test_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 2400 ENVIRONMENT "WINEDEBUG=-all")
  else()
    # Parameterised cases carry their own names; without NO_PRETTY_VALUES a
    # parameter's printed bytes (addresses among them) would become part of
    # the test's name and change from build to build.
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
  endif()
endfunction()
