// The registry file reader on any bytes, as `registry import` and the handset's start hand it a
// file: either header, UTF-8, UTF-16 or Windows-1252. A file that reads must apply, and the registry
// it gives must write out as a file that reads back to the very same text.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "registry/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace handset::registry;
  std::vector<RegFileEntry> entries;
  try {
    entries = ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.reg");
  } catch (const std::runtime_error&) {
    return 0;
  }
  KeyTree tree;
  ApplyRegFile(tree, entries);
  const std::string written = FormatRegFile(tree);
  KeyTree again;
  ApplyRegFile(again, ParseRegFile(written, "written.reg"));
  if (FormatRegFile(again) != written) __builtin_trap();
  return 0;
}
