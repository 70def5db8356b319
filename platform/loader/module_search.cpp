#include "loader/module_search.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string_view>

#include "handset/handset.h"
#include "handset/text.h"
#include "core/names.h"

namespace handset::loader {
namespace {

// The folder "handset" beside the shared library this code is part of: build/lib/handset in the
// build tree, <prefix>/lib/handset once installed.
std::filesystem::path InstalledModuleFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&InstalledModuleFolder), &info) == 0 || info.dli_fname == nullptr) return {};
  return std::filesystem::path(info.dli_fname).parent_path() / HANDSET_MODULE_DIR_NAME;
}

}  // namespace

std::vector<std::filesystem::path> ModuleFolders() {
  std::vector<std::filesystem::path> folders{HostPath(u"\\Windows")};
  if (const char* extra = std::getenv("HANDSET_MODULE_PATH")) {
    std::string_view rest(extra);
    while (!rest.empty()) {
      std::size_t colon = rest.find(':');
      std::string_view folder = rest.substr(0, colon);
      if (!folder.empty()) folders.emplace_back(folder);
      rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
    }
  }
  if (auto installed = InstalledModuleFolder(); !installed.empty()) folders.push_back(installed);
  return folders;
}

std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder, std::u16string_view fileName) {
  std::error_code ec;
  std::filesystem::path exact = folder / Utf8(fileName);
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (core::SameName(Utf16(it->path().filename().string()), fileName) && it->is_regular_file(ec)) return it->path();
  }
  return std::nullopt;
}

}  // namespace handset::loader
