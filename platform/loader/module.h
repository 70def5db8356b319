// One module as the loader keeps it while it is loaded: a module file mapped with dlopen, a module
// registered in memory, or the image of the process itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "loader/export_table.h"
#include "resources/resource_set.h"

namespace handset::loader {

using EntryPoint = BOOL (*)(HINSTANCE instance, DWORD reason, LPVOID reserved);

struct Export {
  ExportEntry entry;
  FARPROC address = nullptr;
};

// Exports reached by name or by ordinal.
class ExportIndex {
 public:
  ExportIndex() = default;
  // Nothing (and a reason in `error`) when a name or an ordinal appears twice.
  static std::optional<ExportIndex> Build(std::vector<Export> exports, std::string& error);

  FARPROC ByName(std::u16string_view name) const;
  FARPROC ByOrdinal(WORD ordinal) const;

 private:
  std::vector<Export> exports_;
  std::map<std::u16string, std::size_t, std::less<>> byName_;
  std::map<WORD, std::size_t> byOrdinal_;
};

struct Module {
  std::u16string fileName;         // as found, e.g. "vlmrc.dll"
  std::u16string devicePath;       // what GetModuleFileNameW reports
  std::filesystem::path hostPath;  // the module file; empty for the process and in-memory modules
  void* library = nullptr;         // dlopen handle of a module file
  EntryPoint entryPoint = nullptr;
  ExportIndex exports;
  std::shared_ptr<const resources::ResourceSet> resources;
  // Localized resource modules by language, looked up on first use; null when there is none.
  std::map<LANGID, std::shared_ptr<const resources::ResourceSet>> localized;

  HMODULE handle = nullptr;
  unsigned references = 0;
  // Handle values given out by FindResourceW, released when the module is unloaded.
  std::map<const resources::Resource*, std::uint32_t> resourceHandles;
};

// What an HRSRC stands for: one resource of one module (or of its localized resource module).
struct ResourceRef {
  HMODULE owner = nullptr;
  const resources::Resource* resource = nullptr;
};

}  // namespace handset::loader
