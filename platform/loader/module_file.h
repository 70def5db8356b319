// Opening module files: a module with code is read for its export table and resources, then mapped
// with dlopen; a localized resource module is only read.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "loader/module.h"
#include "resources/resource_set.h"

namespace handset::loader {

struct OpenFailure {
  DWORD error = ERROR_SUCCESS;  // the Win32 error LoadLibraryW reports
  std::string reason;
};

// What the file says of itself, read without mapping it: its export table and its resources.
struct ModuleFileContents {
  std::vector<ExportEntry> exports;
  std::shared_ptr<const resources::ResourceSet> resources;
};
// Null with `error` set when the file is not a well-formed module (a truncated or forged file:
// its sections, export table or resources).
std::optional<ModuleFileContents> ReadModuleFile(const std::filesystem::path& file, std::string& error);

// The module in that file, mapped (RTLD_NOW | RTLD_LOCAL) with its exports resolved, not yet
// attached. Null with `failure` set when the file is not a well-formed module.
std::shared_ptr<Module> OpenModuleFile(const std::filesystem::path& file, OpenFailure& failure);

// Unmaps a module opened by OpenModuleFile.
void CloseModuleFile(Module& module);

// The resources of a resource-only module (a localized resource module); null when the file is
// not a readable module or carries no well-formed resources.
std::shared_ptr<const resources::ResourceSet> ReadResourceModule(const std::filesystem::path& file);

}  // namespace handset::loader
