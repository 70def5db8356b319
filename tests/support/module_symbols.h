// What a module file shows the dynamic linker: the names defined in its dynamic symbol table.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace testing_support {

std::set<std::string> DefinedDynamicSymbols(const std::filesystem::path& file);

}  // namespace testing_support
