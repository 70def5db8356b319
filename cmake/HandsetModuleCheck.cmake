# Checks a linked module after the build: its dynamic symbol table defines exactly the exports of
# its export table and, optionally, the entry point DllMain. A missing export or any extra visible
# symbol fails the build, so the module never exposes more (or less) than its .def file says.
# Usage: cmake -DNM=nm -DMODULE=file [-DTABLE=file.exports] -P HandsetModuleCheck.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${NM}" -D --defined-only "${MODULE}"
  OUTPUT_VARIABLE listing ERROR_VARIABLE nm_errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${MODULE}: nm failed: ${nm_errors}")
endif()

set(expected "")
if(TABLE)
  file(STRINGS "${TABLE}" rows)
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^[0-9]+ " "" name "${row}")
    list(APPEND expected "${name}")
  endforeach()
endif()

string(REPLACE "\n" ";" listing "${listing}")
set(defined "")
foreach(entry IN LISTS listing)
  if(entry MATCHES "^[0-9a-fA-F]* *[A-Za-z] ([^ ]+)$")
    list(APPEND defined "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(problems "")
foreach(name IN LISTS expected)
  if(NOT name IN_LIST defined)
    string(APPEND problems "\n  export ${name} is listed but not defined")
  endif()
endforeach()
foreach(name IN LISTS defined)
  if(NOT name IN_LIST expected AND NOT name STREQUAL "DllMain")
    string(APPEND problems "\n  ${name} is visible but not an export")
  endif()
endforeach()
if(problems)
  # Nothing may load a module that shows more or less than it should.
  file(REMOVE "${MODULE}")
  message(FATAL_ERROR "${MODULE}: dynamic symbol table does not match the export table:${problems}")
endif()
