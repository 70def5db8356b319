// The loader's reader of module files on any bytes, as a truncated or forged module file would
// reach it: ELF header and section table, the export table section and the resource section. The
// file is only read, never mapped; a refusal always says why.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "loader/module_file.h"

namespace {

std::filesystem::path InputFile() {
  static const std::filesystem::path file = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "module-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    return std::filesystem::path(folder) / "forged.dll";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = InputFile();
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto contents = handset::loader::ReadModuleFile(file, error);
  if (!contents) {
    if (error.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  // A localized resource module is read the same way, without the export table.
  if (handset::loader::ReadResourceModule(file) == nullptr && !contents->resources->Empty()) __builtin_trap();
  return 0;
}
