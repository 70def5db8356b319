// FindResourceW, LoadResource, SizeofResource, LockResource, LoadStringW and the user-interface
// language. A module's resources are searched in its localized resource module first (that of
// the UI language, then that of US English) and then in the module itself.
#include <windows.h>

#include <cstring>

#include "core/api_guard.h"
#include "loader/loader_state.h"
#include "loader/string_block.h"

using handset::core::Guarded;
using handset::loader::Loader;
using handset::loader::ResourceRef;
using handset::resources::Resource;
using handset::resources::ResourceId;

namespace {

constexpr int kStringsPerBlock = 16;

const ResourceRef* FindRef(HMODULE module, HRSRC handle) {
  auto ref = handset::core::Current().Handles().Find<ResourceRef>(handle);
  if (ref == nullptr || (module != nullptr && module != ref->owner)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return ref.get();  // the module's map of resource handles keeps it while the module is loaded
}

}  // namespace

extern "C" {

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  return Guarded<HRSRC>(nullptr, [&]() -> HRSRC {
    auto& loader = Loader();
    std::lock_guard lock(loader.Mutex());
    handset::loader::Module* found = loader.Find(module);
    if (found == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    auto typeId = ResourceId::FromArgument(type);
    auto nameId = ResourceId::FromArgument(name);
    bool anyResources = false;
    bool typeFound = false;
    for (const auto& set : loader.ResourceSearchOrder(*found)) {
      anyResources = anyResources || !set->Empty();
      if (!typeId || !set->HasType(*typeId)) continue;
      typeFound = true;
      if (const Resource* resource = nameId ? set->Find(*typeId, *nameId, loader.Language()) : nullptr)
        return loader.ResourceHandle(*found, *resource);
    }
    SetLastError(!anyResources ? ERROR_RESOURCE_DATA_NOT_FOUND
                 : !typeFound  ? ERROR_RESOURCE_TYPE_NOT_FOUND
                               : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  });
}

// As on the platform, the "global handle" of a resource is its data itself, which stays in place
// while the module is loaded; LockResource hands it back unchanged.
HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  return Guarded<HGLOBAL>(nullptr, [&]() -> HGLOBAL {
    static const std::byte kEmpty[1]{};
    const ResourceRef* ref = FindRef(module, resource);
    if (ref == nullptr) return nullptr;
    const auto& data = ref->resource->data;
    return const_cast<std::byte*>(data.empty() ? kEmpty : data.data());
  });
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  return Guarded<DWORD>(0, [&]() -> DWORD {
    const ResourceRef* ref = FindRef(module, resource);
    return ref == nullptr ? 0 : static_cast<DWORD>(ref->resource->data.size());
  });
}

LPVOID LockResource(HGLOBAL resource) { return resource; }

// Strings live in blocks of 16: string `id` is entry id % 16 of the RT_STRING resource id / 16 + 1,
// each entry a length and that many UTF-16 units, without terminator. With a capacity of 0 the
// buffer receives a read-only pointer to the text in the resource instead of a copy.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int capacity) {
  return Guarded<int>(0, [&]() -> int {
    if (buffer == nullptr || capacity < 0) return 0;
    WORD block = static_cast<WORD>((LOWORD(id) >> 4) + 1);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(block), RT_STRING);
    if (resource == nullptr) return 0;
    auto* text = static_cast<const WCHAR*>(LockResource(LoadResource(instance, resource)));
    if (!text) return 0;
    auto entry = handset::loader::StringOfBlock(
        std::span(text, SizeofResource(instance, resource) / sizeof(WCHAR)), LOWORD(id) % kStringsPerBlock);
    if (!entry) return 0;
    int length = static_cast<int>(entry->size());
    if (capacity == 0) {
      *reinterpret_cast<const WCHAR**>(buffer) = entry->data();
      return length;
    }
    int copied = length < capacity ? length : capacity - 1;
    std::memcpy(buffer, entry->data(), copied * sizeof(WCHAR));
    buffer[copied] = u'\0';
    return copied;
  });
}

LANGID GetUserDefaultUILanguage(void) { return Loader().Language(); }

LANGID GetSystemDefaultUILanguage(void) { return Loader().Language(); }

}  // extern "C"
