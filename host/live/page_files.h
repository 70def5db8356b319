// The live page's files (host/live/page), built into vlmhost so that it serves them itself.
#pragma once

#include <cstddef>
#include <string_view>

namespace vlmhost::live {

struct PageFile {
  std::string_view path;  // as requested, e.g. "/page.js"; "/" is index.html
  std::string_view contentType;
  std::string_view content;
};

// Generated at build time from the files of host/live/page.
extern const PageFile kPageFiles[];
extern const std::size_t kPageFileCount;

}  // namespace vlmhost::live
