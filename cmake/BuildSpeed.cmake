# What makes a first build quick on a small machine: most of its time went into parsing the same
# standard and third-party headers again for every source file, and, in the host, into compiling
# the command-line library's header-only code once per command file. CI's optimised build turns
# both off, so that every source file is still seen to build on its own.
option(VLMRC_PCH "Precompile the standard and third-party headers" ON)
option(VLMRC_UNITY "Build the host's sources in batches" ON)

# Precompiles the standard headers and the given ones (under cmake/precompiled) for a target's C++.
function(vlmrc_precompile_headers target)
  if(NOT VLMRC_PCH)
    return()
  endif()
  set(headers ${PROJECT_SOURCE_DIR}/cmake/precompiled/standard_headers.h)
  foreach(name IN LISTS ARGN)
    list(APPEND headers ${PROJECT_SOURCE_DIR}/cmake/precompiled/${name})
  endforeach()
  target_precompile_headers(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${headers}>")
endfunction()

# Builds a target's sources in batches of a few files each: few enough batches that both cores
# stay busy, files enough in each that the shared headers are compiled far fewer times.
function(vlmrc_unity_build target)
  if(VLMRC_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
endfunction()
