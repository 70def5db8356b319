#include "loader/module_file.h"

#include <dlfcn.h>
#include <link.h>

#include "handset/text.h"
#include "loader/elf_sections.h"

namespace handset::loader {
namespace {

const char kExportSection[] = ".dllexport";
const char kResourceSection[] = ".rsrc";

// The address of a symbol defined by the module itself. dlsym also searches the module's
// dependencies, so a name that only the handset defines must not count as the module's.
void* OwnSymbol(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == nullptr) return nullptr;
  link_map* own = nullptr;
  link_map* definer = nullptr;
  Dl_info info{};
  if (dlinfo(library, RTLD_DI_LINKMAP, &own) != 0 ||
      dladdr1(address, &info, reinterpret_cast<void**>(&definer), RTLD_DL_LINKMAP) == 0 || own != definer)
    return nullptr;
  return address;
}

}  // namespace

std::optional<ModuleFileContents> ReadModuleFile(const std::filesystem::path& file, std::string& error) {
  auto sections = ReadElfSections(file, {kExportSection, kResourceSection}, error);
  if (!sections) return std::nullopt;
  ModuleFileContents contents;
  if (auto table = sections->find(kExportSection); table != sections->end()) {
    auto parsed = ParseExportTable(table->second, error);
    if (!parsed) return std::nullopt;
    contents.exports = std::move(*parsed);
  }
  contents.resources = std::make_shared<resources::ResourceSet>(std::vector<resources::Resource>{});
  if (auto image = sections->find(kResourceSection); image != sections->end()) {
    auto parsed = resources::ResourceSet::Parse(image->second, error);
    if (!parsed) return std::nullopt;
    contents.resources = std::make_shared<resources::ResourceSet>(std::move(*parsed));
  }
  return contents;
}

std::shared_ptr<Module> OpenModuleFile(const std::filesystem::path& file, OpenFailure& failure) {
  failure = {ERROR_BAD_EXE_FORMAT, {}};
  auto contents = ReadModuleFile(file, failure.reason);
  if (!contents) return nullptr;
  std::vector<ExportEntry>& entries = contents->exports;
  auto module = std::make_shared<Module>();
  module->resources = std::move(contents->resources);

  module->library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module->library == nullptr) {
    const char* reason = dlerror();
    failure.reason = reason ? reason : "dlopen failed";
    return nullptr;
  }
  std::vector<Export> exports;
  for (ExportEntry& entry : entries) {
    void* address = OwnSymbol(module->library, Utf8(entry.name).c_str());
    if (address == nullptr) {
      failure.reason = "export " + Utf8(entry.name) + " is listed but not defined";
      CloseModuleFile(*module);
      return nullptr;
    }
    exports.push_back({std::move(entry), reinterpret_cast<FARPROC>(address)});
  }
  auto index = ExportIndex::Build(std::move(exports), failure.reason);
  if (!index) {
    CloseModuleFile(*module);
    return nullptr;
  }
  module->exports = std::move(*index);
  module->entryPoint = reinterpret_cast<EntryPoint>(OwnSymbol(module->library, "DllMain"));
  module->hostPath = file;
  failure = {};
  return module;
}

void CloseModuleFile(Module& module) {
  if (module.library != nullptr) dlclose(module.library);
  module.library = nullptr;
}

std::shared_ptr<const resources::ResourceSet> ReadResourceModule(const std::filesystem::path& file) {
  std::string ignored;
  auto sections = ReadElfSections(file, {kResourceSection}, ignored);
  if (!sections || !sections->contains(kResourceSection)) return nullptr;
  auto parsed = resources::ResourceSet::Parse(sections->at(kResourceSection), ignored);
  if (!parsed) return nullptr;
  return std::make_shared<resources::ResourceSet>(std::move(*parsed));
}

}  // namespace handset::loader
