// The handset's loader: the modules loaded in this process, their reference counts, the modules
// registered in memory and the user-interface language. Like the platform's loader lock, one
// recursive lock covers loading, unloading and the entry-point calls made meanwhile, so an entry
// point may itself load or free a module. Destroying the state (handset shutdown) detaches and
// unloads every module still loaded, the last loaded first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/handset.h"
#include "handset/modules.h"
#include "loader/module.h"

namespace handset::loader {

class LoaderState {
 public:
  explicit LoaderState(core::Handset& handset) : handset_(handset) {}
  ~LoaderState();
  LoaderState(const LoaderState&) = delete;
  LoaderState& operator=(const LoaderState&) = delete;

  std::recursive_mutex& Mutex() { return mutex_; }

  // LoadLibraryW, with its Win32 result and last-error value.
  HMODULE Load(std::u16string_view requested);
  // FreeLibrary of a module found with Find: drops one reference; the last one unloads it.
  void Release(Module& module);

  // The loaded module behind a handle (the process image for null); null when unknown. Use under
  // Mutex() for as long as the module is used.
  Module* Find(HMODULE handle);
  // The loaded module of that file name ("x.dll", "x", "\Windows\x.dll"); null when none.
  Module* FindLoaded(std::u16string_view name);

  void Register(std::u16string_view fileName, InMemoryModule module);
  void Remove(std::u16string_view fileName);
  void SetLanguage(LANGID language) {
    std::lock_guard lock(mutex_);
    language_ = language;
  }
  LANGID Language() {
    std::lock_guard lock(mutex_);
    return language_;
  }
  std::string LastFailure() {
    std::lock_guard lock(mutex_);
    return lastFailure_;
  }

  // The resource sets that FindResourceW searches for a module, in order: the localized resource
  // module of the UI language, that of US English, the module itself.
  std::vector<std::shared_ptr<const resources::ResourceSet>> ResourceSearchOrder(Module& module);
  // The HRSRC of a resource of `module`, the same value for every lookup while it stays loaded.
  HRSRC ResourceHandle(Module& module, const resources::Resource& resource);

  // Where `address` lies in a resource that FindResourceW searches for the module behind `handle`
  // (the first in its search order that holds it): a caller that hands in a pointer to a loaded
  // resource, a dialog template, is showing that resource.
  struct ResourceHolding {
    resources::ResourceId type;
    resources::ResourceId name;
    std::size_t offset = 0;  // of `address` in the resource's bytes
    std::size_t size = 0;    // of the resource's bytes
  };
  // Nothing for an unknown module or an address that lies in none of its resources.
  std::optional<ResourceHolding> ResourceAt(HMODULE handle, const void* address);

 private:
  struct Registered {
    std::u16string fileName;  // as registered
    InMemoryModule module;
  };

  Module* Attach(std::shared_ptr<Module> module);
  void Unload(Module& module, LPVOID reserved);
  Module* Instantiate(const Registered& registered);
  Module* LoadFile(const std::filesystem::path& file, std::u16string devicePath);
  std::shared_ptr<const resources::ResourceSet> Localized(Module& module, LANGID language);
  Module* ProcessImage();
  HMODULE Fail(DWORD error, std::string reason);

  core::Handset& handset_;
  std::recursive_mutex mutex_;
  std::vector<std::shared_ptr<Module>> modules_;  // in load order
  std::shared_ptr<Module> process_;
  std::map<std::u16string, Registered> registered_;  // by upper-cased file name
  std::set<std::u16string> removed_;                  // upper-cased file names taken off the device
  LANGID language_ = 0x0409;
  std::string lastFailure_;
};

// The loader of the current handset.
LoaderState& Loader();

}  // namespace handset::loader
