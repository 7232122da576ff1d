# varno_add_test(NAME name SOURCES files... LIBS libs...)
# One GoogleTest program per folder's tests/; its cases are discovered when ctest runs.
# VARNO_TEST_DATA names the test's source folder (for fixtures kept beside it).
# Each test case's programs reach only each other's windows (VARNO_IPC_SPACE).
# Without tests in the build (release), nothing is made; callers that refer to
# the test's target check if(TARGET name).
function(varno_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT VARNO_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE VARNO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}")
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ENVIRONMENT_MODIFICATION "VARNO_IPC_SPACE=set:process")
endfunction()

# varno_add_bench(NAME name SOURCES files... LIBS libs...)
function(varno_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
