# handset_add_module(TARGET FILE_NAME DEF SOURCES ...): a module that the handset's loader loads by
# its file name (an ELF shared object named like a Windows library, "vlmrc.dll"). Its dynamic symbol
# table holds exactly the exports listed in the .def file and the entry point DllMain.
function(handset_add_module target)
  cmake_parse_arguments(ARG "" "FILE_NAME;DEF" "SOURCES" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX "" OUTPUT_NAME ${ARG_FILE_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${HANDSET_BUILD_MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE handset)
endfunction()
