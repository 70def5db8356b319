#include "support/module_symbols.h"

#include <array>
#include <cstdio>
#include <memory>

namespace testing_support {

std::set<std::string> DefinedDynamicSymbols(const std::filesystem::path& file) {
  std::string command = std::string(HANDSET_NM) + " -D --defined-only '" + file.string() + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::set<std::string> names;
  std::array<char, 512> line;
  while (pipe && fgets(line.data(), line.size(), pipe.get())) {
    std::string text(line.data());
    text.erase(text.find_last_not_of("\n") + 1);
    names.insert(text.substr(text.rfind(' ') + 1));
  }
  return names;
}

}  // namespace testing_support
