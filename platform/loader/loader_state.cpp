#include "loader/loader_state.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "handset/handset.h"
#include "handset/text.h"
#include "loader/module_file.h"
#include "loader/module_search.h"
#include "core/names.h"

namespace handset::loader {
namespace {

constexpr LANGID kEnglishUS = 0x0409;

struct RequestedName {
  std::u16string folder;  // as written, without the last separator; empty for a bare name
  std::u16string fileName;
  bool hasFolder = false;
};

// "\Temp\x" is the folder "\Temp" and the file "x.dll": as on the platform, a name without an
// extension means a library.
RequestedName SplitRequest(std::u16string_view requested) {
  RequestedName out;
  std::size_t slash = requested.find_last_of(u"\\/");
  out.hasFolder = slash != std::u16string_view::npos;
  out.folder = out.hasFolder ? std::u16string(requested.substr(0, slash)) : std::u16string();
  out.fileName = std::u16string(out.hasFolder ? requested.substr(slash + 1) : requested);
  if (!out.fileName.empty() && out.fileName.find(u'.') == std::u16string::npos) out.fileName += u".dll";
  return out;
}

// Every module of the device lives in \Windows, so "\Windows\x.dll" means the module "x.dll".
bool IsWindowsFolder(std::u16string_view folder) {
  while (!folder.empty() && (folder.front() == u'\\' || folder.front() == u'/')) folder.remove_prefix(1);
  return core::SameName(folder, u"Windows");
}

std::u16string InWindows(std::u16string_view fileName) { return u"\\Windows\\" + std::u16string(fileName); }

std::u16string LocalizedFileName(std::u16string_view fileName, LANGID language) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%04X.mui", static_cast<unsigned>(language));
  return std::u16string(fileName) + Utf16(suffix);
}

resources::ResourceId ToResourceId(const ResourceKey& key) {
  if (const WORD* number = std::get_if<WORD>(&key)) return resources::ResourceId::Number(*number);
  return resources::ResourceId::Name(std::get<std::u16string>(key));
}

std::optional<ExportIndex> IndexOf(const InMemoryModule& module, std::string& error) {
  std::vector<Export> exports;
  for (const ModuleExport& e : module.exports) exports.push_back({{e.name, e.ordinal}, e.address});
  return ExportIndex::Build(std::move(exports), error);
}

}  // namespace

LoaderState::~LoaderState() {
  std::lock_guard lock(mutex_);
  // The handset ends like a process: detach calls carry a non-null reserved argument.
  while (!modules_.empty()) Unload(*modules_.back(), reinterpret_cast<LPVOID>(1));
  if (process_) handset_.Handles().Remove<Module>(process_->handle);
}

HMODULE LoaderState::Load(std::u16string_view requested) {
  std::lock_guard lock(mutex_);
  RequestedName name = SplitRequest(requested);
  if (name.fileName.empty()) return Fail(ERROR_MOD_NOT_FOUND, "no module file name given");
  if (removed_.count(core::UpperCase(name.fileName)))
    return Fail(ERROR_MOD_NOT_FOUND, Utf8(name.fileName) + ": not on this device (taken off it)");

  Module* module = nullptr;
  if (!name.hasFolder || IsWindowsFolder(name.folder)) {
    if ((module = FindLoaded(name.fileName))) {
      ++module->references;
    } else if (auto it = registered_.find(core::UpperCase(name.fileName)); it != registered_.end()) {
      module = Instantiate(it->second);
    } else {
      std::optional<std::filesystem::path> file;
      std::string searched;
      for (const auto& folder : ModuleFolders()) {
        if ((file = FindInFolder(folder, name.fileName))) break;
        searched += (searched.empty() ? "" : ", ") + folder.string();
      }
      if (!file) return Fail(ERROR_MOD_NOT_FOUND, Utf8(name.fileName) + ": not found in " + searched);
      module = LoadFile(*file, InWindows(Utf16(file->filename().string())));
    }
  } else {
    auto file = FindInFolder(HostPath(name.folder), name.fileName);
    if (!file) return Fail(ERROR_MOD_NOT_FOUND, Utf8(requested) + ": no such file");
    auto same = std::find_if(modules_.begin(), modules_.end(), [&](const auto& loaded) {
      std::error_code ec;
      return loaded->references > 0 && std::filesystem::equivalent(loaded->hostPath, *file, ec);
    });
    if (same != modules_.end()) {
      module = same->get();
      ++module->references;
    } else {
      module = LoadFile(*file, name.folder + u"\\" + Utf16(file->filename().string()));
    }
  }
  if (module == nullptr) return nullptr;
  lastFailure_.clear();
  return module->handle;
}

void LoaderState::Release(Module& module) {
  std::lock_guard lock(mutex_);
  // The process image stays; a module already being unloaded (its detach call running) too.
  if (&module == process_.get() || module.references == 0) return;
  if (--module.references == 0) Unload(module, nullptr);
}

Module* LoaderState::Find(HMODULE handle) {
  if (handle == nullptr) return ProcessImage();
  return handset_.Handles().Find<Module>(handle).get();
}

Module* LoaderState::FindLoaded(std::u16string_view name) {
  RequestedName requested = SplitRequest(name);
  if (requested.hasFolder && !IsWindowsFolder(requested.folder)) return nullptr;
  for (const auto& module : modules_)
    if (module->references > 0 && core::SameName(module->fileName, requested.fileName)) return module.get();
  return nullptr;
}

void LoaderState::Register(std::u16string_view fileName, InMemoryModule module) {
  std::string error = "no file name given";
  if (fileName.empty() || !IndexOf(module, error)) throw std::invalid_argument("RegisterModule: " + error);
  std::lock_guard lock(mutex_);
  registered_.insert_or_assign(core::UpperCase(fileName), Registered{std::u16string(fileName), std::move(module)});
  removed_.erase(core::UpperCase(fileName));
}

void LoaderState::Remove(std::u16string_view fileName) {
  std::lock_guard lock(mutex_);
  std::u16string key = core::UpperCase(SplitRequest(fileName).fileName);
  registered_.erase(key);
  removed_.insert(std::move(key));
}

std::vector<std::shared_ptr<const resources::ResourceSet>> LoaderState::ResourceSearchOrder(Module& module) {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<const resources::ResourceSet>> order;
  if (auto localized = Localized(module, language_)) order.push_back(localized);
  if (language_ != kEnglishUS)
    if (auto fallback = Localized(module, kEnglishUS)) order.push_back(fallback);
  order.push_back(module.resources);
  return order;
}

HRSRC LoaderState::ResourceHandle(Module& module, const resources::Resource& resource) {
  std::lock_guard lock(mutex_);
  auto [it, added] = module.resourceHandles.try_emplace(&resource, 0);
  if (added) it->second = handset_.Handles().Add(std::make_shared<ResourceRef>(ResourceRef{module.handle, &resource}));
  return core::HandleTable::ToHandle<HRSRC>(it->second);
}

std::optional<LoaderState::ResourceHolding> LoaderState::ResourceAt(HMODULE handle, const void* address) {
  std::lock_guard lock(mutex_);
  Module* module = Find(handle);
  if (!module) return std::nullopt;
  for (const auto& set : ResourceSearchOrder(*module))
    if (const auto* resource = set->Containing(address))
      return ResourceHolding{resource->type, resource->name,
                             static_cast<std::size_t>(static_cast<const std::byte*>(address) - resource->data.data()),
                             resource->data.size()};
  return std::nullopt;
}

Module* LoaderState::Attach(std::shared_ptr<Module> module) {
  module->handle = core::HandleTable::ToHandle<HMODULE>(handset_.Handles().Add(module));
  module->references = 1;
  modules_.push_back(module);
  if (module->entryPoint != nullptr && !module->entryPoint(module->handle, DLL_PROCESS_ATTACH, nullptr)) {
    // As on the platform, a refused attach is followed by the detach call, then the unload.
    Unload(*module, nullptr);
    Fail(ERROR_DLL_INIT_FAILED, Utf8(module->fileName) + ": the entry point refused the load");
    return nullptr;
  }
  return module.get();
}

void LoaderState::Unload(Module& module, LPVOID reserved) {
  // The list may hold the last reference; keep the module alive until it is closed.
  auto listed = std::find_if(modules_.begin(), modules_.end(), [&](const auto& m) { return m.get() == &module; });
  std::shared_ptr<Module> keep = listed != modules_.end() ? *listed : nullptr;
  module.references = 0;
  if (module.entryPoint != nullptr) module.entryPoint(module.handle, DLL_PROCESS_DETACH, reserved);
  for (const auto& [resource, value] : module.resourceHandles) handset_.Handles().Remove<ResourceRef>(value);
  module.resourceHandles.clear();
  handset_.Handles().Remove<Module>(module.handle);
  std::erase(modules_, keep);
  CloseModuleFile(module);
}

Module* LoaderState::Instantiate(const Registered& registered) {
  auto module = std::make_shared<Module>();
  std::string ignored;  // the exports were checked when the module was registered
  module->exports = *IndexOf(registered.module, ignored);
  std::vector<resources::Resource> resources;
  for (const ModuleResource& r : registered.module.resources)
    resources.push_back({ToResourceId(r.type), ToResourceId(r.name), r.language, r.data});
  module->resources = std::make_shared<resources::ResourceSet>(std::move(resources));
  module->entryPoint = registered.module.entryPoint;
  module->fileName = registered.fileName;
  module->devicePath = InWindows(registered.fileName);
  return Attach(std::move(module));
}

Module* LoaderState::LoadFile(const std::filesystem::path& file, std::u16string devicePath) {
  OpenFailure failure;
  auto module = OpenModuleFile(file, failure);
  if (module == nullptr) {
    Fail(failure.error, file.string() + ": " + failure.reason);
    return nullptr;
  }
  module->fileName = Utf16(file.filename().string());
  module->devicePath = std::move(devicePath);
  return Attach(std::move(module));
}

std::shared_ptr<const resources::ResourceSet> LoaderState::Localized(Module& module, LANGID language) {
  if (module.hostPath.empty()) return nullptr;
  auto [it, added] = module.localized.try_emplace(language);
  if (added) {
    auto file = FindInFolder(module.hostPath.parent_path(), LocalizedFileName(module.fileName, language));
    if (file) it->second = ReadResourceModule(*file);
  }
  return it->second;
}

Module* LoaderState::ProcessImage() {
  if (!process_) {
    std::error_code ec;
    auto image = std::filesystem::read_symlink("/proc/self/exe", ec).filename();
    process_ = std::make_shared<Module>();
    process_->fileName = Utf16(image.string());
    process_->devicePath = InWindows(process_->fileName);
    process_->resources = std::make_shared<resources::ResourceSet>(std::vector<resources::Resource>{});
    process_->references = 1;
    process_->handle = core::HandleTable::ToHandle<HMODULE>(handset_.Handles().Add(process_));
  }
  return process_.get();
}

HMODULE LoaderState::Fail(DWORD error, std::string reason) {
  SetLastError(error);
  lastFailure_ = std::move(reason);
  return nullptr;
}

LoaderState& Loader() { return core::State<LoaderState>(); }

}  // namespace handset::loader
