// Where module files are found: the handset's \Windows folder, then the folders of the environment
// variable HANDSET_MODULE_PATH (colon-separated), then the installed module folder beside
// libhandset.so. File names match without regard to case, as on the device.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace handset::loader {

std::vector<std::filesystem::path> ModuleFolders();

// The file of that name in `folder`, whatever the letter case of the name on disk.
std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder, std::u16string_view fileName);

}  // namespace handset::loader
