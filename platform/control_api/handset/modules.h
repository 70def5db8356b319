// Control API of the handset's loader: the user-interface language that chooses each module's
// localized resource module, modules registered in memory (a fake service library in a test) or
// taken off the device, and the reason of the last failed load.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "windef.h"

namespace handset {

// A resource type or name as a resource script writes it: a number or a name.
using ResourceKey = std::variant<WORD, std::u16string>;

struct ModuleExport {
  std::u16string name;
  FARPROC address = nullptr;
  WORD ordinal = 0;  // 0: reached by name only
};

struct ModuleResource {
  ResourceKey type;
  ResourceKey name;
  std::vector<std::byte> data;
  LANGID language = 0x0409;
};

using ModuleEntryPoint = BOOL (*)(HINSTANCE instance, DWORD reason, LPVOID reserved);

struct InMemoryModule {
  std::vector<ModuleExport> exports{};
  std::vector<ModuleResource> resources{};
  ModuleEntryPoint entryPoint = nullptr;  // called like a module's DllMain when set
};

// From now on LoadLibraryW finds `module` under `fileName` (e.g. "Zarvo3GVT.dll") before any file
// of that name, for the rest of this handset's life; registering a name again replaces the module
// for later loads. Throws std::invalid_argument when a name or an ordinal is exported twice.
void RegisterModule(std::u16string_view fileName, InMemoryModule module);

// Takes the module of that file name off the device, as on a phone that lacks it: from now on
// LoadLibraryW of that name fails with ERROR_MOD_NOT_FOUND wherever its file lies (a bare name, a
// folder given, a module registered in memory). A copy already loaded stays until it is freed; a
// later RegisterModule of the same name makes the name findable again.
void RemoveModule(std::u16string_view fileName);

// The user-interface language (US English, 0x0409, on a fresh handset). Resource lookups that
// follow use the localized resource module of that language, else that of US English.
void SetUILanguage(LANGID language);
LANGID UILanguage();

// The names of the resources of one type that a loaded module carries in its own file (not in its
// localized resource modules), in the order of the file; names come upper-cased, as the loader
// compares them. Empty for an unknown module.
std::vector<ResourceKey> ResourceNames(HMODULE module, ResourceKey type);

// Why the last LoadLibraryW of this handset failed (file and reason), empty after a success.
std::string LastLoadFailure();

}  // namespace handset
