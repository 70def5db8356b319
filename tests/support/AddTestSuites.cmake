# Run after a test executable is linked: lists its tests and writes a CTest file with one test per
# suite, each running the executable with a filter on that suite. One process then serves all the
# tests of a suite (each test still gets a fresh handset from the fixture and the test listener),
# so the suite no longer pays a process start and a leak scan per test.
# Every test carries LABEL, the product the executable tests (`ctest -L vlmrc`).
# Usage: cmake -DEXECUTABLE=file -DOUTPUT=file.cmake -DTIMEOUT=seconds -DLABEL=product -P AddTestSuites.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${EXECUTABLE}" --gtest_list_tests
  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed (${result}):\n${errors}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(suites "")
foreach(line IN LISTS lines)
  # Suite lines start in the first column ("Suite." or "Prefix/Suite.  # TypeParam = ...").
  if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    list(APPEND suites "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT suites)
  message(FATAL_ERROR "${EXECUTABLE} lists no tests")
endif()

set(content "# Generated from the test list of ${EXECUTABLE}.\n")
foreach(suite IN LISTS suites)
  string(APPEND content "add_test([=[${suite}]=] [=[${EXECUTABLE}]=] [=[--gtest_filter=${suite}.*]=])\n"
                        "set_tests_properties([=[${suite}]=] PROPERTIES TIMEOUT ${TIMEOUT} LABELS [=[${LABEL}]=])\n")
endforeach()
file(WRITE "${OUTPUT}.new" "${content}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
