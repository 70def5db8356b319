# Writes OUTPUT, a C++ source that defines vlmhost::live::kPageFiles from the files of PAGE_DIR
# (index.html served as "/"), so that vlmhost serves its page without files beside it.
#   cmake -DPAGE_DIR=... -DOUTPUT=... -P EmbedPageFiles.cmake
file(GLOB files RELATIVE ${PAGE_DIR} ${PAGE_DIR}/*.html ${PAGE_DIR}/*.js ${PAGE_DIR}/*.css)
list(SORT files)
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
  file(READ ${PAGE_DIR}/${name} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char file${index}[] = {${bytes}0};\n")
  if(name MATCHES "\\.html$")
    set(type "text/html; charset=utf-8")
  elseif(name MATCHES "\\.js$")
    set(type "text/javascript; charset=utf-8")
  else()
    set(type "text/css; charset=utf-8")
  endif()
  set(path "/${name}")
  if(name STREQUAL "index.html")
    set(path "/")
  endif()
  string(APPEND entries "    {\"${path}\", \"${type}\", {reinterpret_cast<const char*>(file${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from host/live/page by cmake/EmbedPageFiles.cmake; do not edit.
#include \"live/page_files.h\"

namespace vlmhost::live {
namespace {
${arrays}}  // namespace

const PageFile kPageFiles[] = {
${entries}};
const std::size_t kPageFileCount = ${index};

}  // namespace vlmhost::live
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
