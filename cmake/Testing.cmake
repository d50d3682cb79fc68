# GoogleTest for the test suites: the system's packages on a native build.
if(MOVEDUP_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# movedup_add_test(NAME name SOURCES ... LIBRARIES ...)
# One test executable per area; every test case is registered with ctest.
function(movedup_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "WINEDEBUG=-all")
endfunction()
