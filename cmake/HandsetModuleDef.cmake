# Reads a module-definition file and writes what the build needs from it:
#   MAP    a linker version script: the listed exports and the entry point DllMain are global,
#          every other symbol of the module (C++ runtime and sanitizer helpers included) is local;
#   TABLE  the export table embedded in the module, one "ordinal name" line per export in file
#          order (ordinal 0 when the export has none), which the handset's loader reads.
# Usage: cmake -DDEF=in.def -DMAP=out.map -DTABLE=out.exports -P HandsetModuleDef.cmake
#
# Accepted syntax: "LIBRARY name", "EXPORTS", then one export per line as "Name" or "Name @ordinal";
# ";" starts a comment. Anything else is refused with the file name and line.
cmake_minimum_required(VERSION 3.25)

foreach(required DEF MAP TABLE)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "HandsetModuleDef: ${required} not given")
  endif()
endforeach()

file(STRINGS "${DEF}" lines)
set(line_number 0)
set(in_exports FALSE)
set(names "")
set(ordinals "")
set(table "")

macro(def_error text)
  message(FATAL_ERROR "${DEF}:${line_number}: ${text}")
endmacro()

foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  string(REGEX REPLACE ";.*$" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^LIBRARY([ \t]+[A-Za-z0-9_.]+)?$")
    set(in_exports FALSE)
  elseif(line STREQUAL "EXPORTS")
    set(in_exports TRUE)
  elseif(NOT in_exports)
    def_error("expected LIBRARY or EXPORTS, found \"${line}\"")
  elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)([ \t]+@[ \t]*([0-9]+))?$")
    set(name "${CMAKE_MATCH_1}")
    set(ordinal 0)
    if(CMAKE_MATCH_2)
      set(ordinal "${CMAKE_MATCH_3}")
      if(ordinal LESS 1 OR ordinal GREATER 65535)
        def_error("ordinal ${ordinal} of ${name} is outside 1 to 65535")
      endif()
      if(ordinal IN_LIST ordinals)
        def_error("ordinal ${ordinal} is given twice")
      endif()
      list(APPEND ordinals ${ordinal})
    endif()
    if(name IN_LIST names)
      def_error("${name} is exported twice")
    endif()
    if(name STREQUAL "DllMain")
      def_error("DllMain is the entry point and is never exported")
    endif()
    list(APPEND names ${name})
    string(APPEND table "${ordinal} ${name}\n")
  else()
    def_error("cannot read export \"${line}\" (expected \"Name\" or \"Name @ordinal\")")
  endif()
endforeach()

set(map "{\n  global:\n")
foreach(name IN LISTS names ITEMS DllMain)
  string(APPEND map "    ${name};\n")
endforeach()
string(APPEND map "  local:\n    *;\n};\n")

# Written only when changed, so that an edit of the .def that changes nothing relinks nothing.
file(CONFIGURE OUTPUT "${MAP}" CONTENT "${map}" @ONLY)
file(CONFIGURE OUTPUT "${TABLE}" CONTENT "${table}" @ONLY)
