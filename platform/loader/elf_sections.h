// Reads named sections out of an ELF shared object without loading it: the loader takes a module's
// export table and resources from there, and reads a resource-only module this way alone.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace handset::loader {

using SectionContents = std::map<std::string, std::vector<std::byte>>;

// The contents of those of the wanted sections that the file has. Nothing (and a reason in
// `error`) when the file cannot be read or is not a well-formed 64-bit little-endian ELF shared
// object: every offset and size is checked against the file before it is used.
std::optional<SectionContents> ReadElfSections(const std::filesystem::path& file,
                                               const std::vector<std::string>& wanted, std::string& error);

}  // namespace handset::loader
