// The registry functions of the Win32 surface, behaving as on Windows CE where it differs from desktop
// Win32: the access mask is ignored, RegCreateKeyExW creates the keys above the one asked for,
// RegDeleteKeyW removes a whole subtree, there is no HKEY_CURRENT_CONFIG, and opening a key with a
// NULL or empty subkey makes a new handle to it even for a predefined root (desktop Win32 answers
// the root itself). Keys keep no class, security or write time. Elsewhere desktop Win32's answers:
// a leading backslash is ERROR_BAD_PATHNAME, trailing backslashes are ignored, a failed open leaves
// the caller's handle variable alone, and a missing value reports a size of 0.
#include <algorithm>
#include <cstring>
#include <shared_mutex>
#include <string>

#include "core/api_guard.h"
#include "core/handset.h"
#include "handset/text.h"
#include "registry/registry_state.h"
#include "trace/trace.h"
#include "winerror.h"
#include "winreg.h"

using handset::core::Guarded;

namespace {

using handset::registry::KeyHandle;
using handset::registry::KeyOperation;
using handset::registry::KeyPath;
using handset::registry::KeyPtr;
using handset::registry::KeyTree;
using handset::registry::RegistryState;
using handset::registry::RootKey;
using handset::registry::StoredValue;
using ReadLock = std::shared_lock<std::shared_mutex>;
using WriteLock = std::unique_lock<std::shared_mutex>;

constexpr std::u16string_view kInvalidHandle = u"<invalid handle>";

// HKEY_CLASSES_ROOT..HKEY_USERS, whether sign-extended (as the headers make them) or not (as a
// 32-bit record field hands them back through UlongToHandle).
std::optional<RootKey> PredefinedRoot(HKEY key) {
  auto value = reinterpret_cast<std::uintptr_t>(key);
  auto high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) >> 32);
  auto low = static_cast<std::uint32_t>(value);
  if ((high != 0 && high != 0xFFFFFFFFu) || low < 0x80000000u || low > 0x80000003u) return std::nullopt;
  return static_cast<RootKey>(low - 0x80000000u);
}

std::shared_ptr<KeyHandle> Resolve(RegistryState& state, HKEY key) {
  if (auto root = PredefinedRoot(key)) return state.RootHandle(*root);
  return handset::core::Current().Handles().Find<KeyHandle>(key);
}

// "HKLM\SoftWare" + "Zarvo\Phone\" = "HKLM\SoftWare\Zarvo\Phone", in the caller's letter case.
std::u16string SpelledPath(const KeyHandle* base, std::u16string_view subKey) {
  std::u16string_view prefix = base ? std::u16string_view(base->path) : kInvalidHandle;
  while (!subKey.empty() && subKey.back() == u'\\') subKey.remove_suffix(1);
  std::u16string path;
  path.reserve(prefix.size() + 1 + subKey.size());
  path += prefix;
  if (!subKey.empty()) {
    path += u'\\';
    path += subKey;
  }
  return path;
}

std::u16string_view View(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

// A subkey is named relative to its key: "\\Software" is a path of the wrong form, not a bad name.
bool IsAbsolutePath(std::u16string_view subKey) { return !subKey.empty() && subKey.front() == u'\\'; }

std::string TracedPath(const KeyHandle* handle) { return handset::Utf8(handle ? handle->path : kInvalidHandle); }

void TraceKeyCall(const char* function, std::u16string_view path, LONG result) {
  if (handset::trace::Enabled()) handset::trace::Record(function, {handset::Utf8(path), std::to_string(result)});
}

void TraceValueCall(const char* function, const KeyHandle* handle, std::u16string_view name, LONG result) {
  if (handset::trace::Enabled())
    handset::trace::Record(function, {TracedPath(handle), handset::Utf8(name), std::to_string(result)});
}

void TraceIndexCall(const char* function, const KeyHandle* handle, DWORD index, LONG result) {
  if (handset::trace::Enabled())
    handset::trace::Record(function, {TracedPath(handle), std::to_string(index), std::to_string(result)});
}

// Runs `body` on the handle's key under the registry lock, unless the handle is unknown or its key
// has been deleted.
template <class Lock, class Body>
LONG WithKey(RegistryState& state, const KeyHandle* handle, Body body) {
  if (!handle) return ERROR_INVALID_HANDLE;
  Lock lock(state.Lock());
  if (handle->key->deleted) return ERROR_KEY_DELETED;
  return body(*handle->key);
}

LONG OpenKey(const char* function, HKEY key, LPCWSTR subKey, bool create, PHKEY result, LPDWORD disposition) {
  RegistryState& state = handset::registry::Registry();
  std::shared_ptr<KeyHandle> base = Resolve(state, key);
  std::u16string path = SpelledPath(base.get(), View(subKey));
  KeyPath parts;
  KeyPtr found;
  bool created = false;
  LONG error = ERROR_SUCCESS;
  if (!result)
    error = ERROR_INVALID_PARAMETER;
  else if (!base)
    error = ERROR_INVALID_HANDLE;
  else if (IsAbsolutePath(View(subKey)))
    error = ERROR_BAD_PATHNAME;
  else if (!SplitKeyPath(View(subKey), handset::registry::kMaxDepth - base->key->depth, parts))
    error = ERROR_INVALID_PARAMETER;
  else if (create)
    error = WithKey<WriteLock>(state, base.get(), [&](const handset::registry::Key&) -> LONG {
      if (auto fault = state.Faults().KeyFault(path, KeyOperation::Create)) return *fault;
      found = KeyTree::Create(base->key, parts, created);
      if (created) state.Changed();
      return ERROR_SUCCESS;
    });
  else
    error = WithKey<ReadLock>(state, base.get(), [&](const handset::registry::Key&) -> LONG {
      if (auto fault = state.Faults().KeyFault(path, KeyOperation::Open)) return *fault;
      found = KeyTree::Find(base->key, parts);
      return found ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
  TraceKeyCall(function, path, error);
  if (error != ERROR_SUCCESS) return error;
  auto handle = std::make_shared<KeyHandle>(KeyHandle{std::move(found), std::move(path)});
  *result = handset::core::HandleTable::ToHandle<HKEY>(handset::core::Current().Handles().Add(std::move(handle)));
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

// Copies a value out as RegQueryValueExW and RegEnumValueW do: with no buffer only the size; with a
// buffer too small ERROR_MORE_DATA and the size needed; the type and size reported either way.
LONG CopyValueOut(const StoredValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  auto size = static_cast<DWORD>(value.data.size());
  LONG result = ERROR_SUCCESS;
  if (data) {
    if (*dataSize < size)
      result = ERROR_MORE_DATA;
    else if (size != 0)
      std::memcpy(data, value.data.data(), size);
  }
  if (type) *type = value.type;
  if (dataSize) *dataSize = size;
  return result;
}

}  // namespace

extern "C" {

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                     LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    return OpenKey("RegCreateKeyExW", key, subKey, true, result, disposition);
  });
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    return OpenKey("RegOpenKeyExW", key, subKey, false, result, nullptr);
  });
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    std::u16string_view name = View(valueName);
    LONG result = ERROR_INVALID_PARAMETER;
    if (!reserved && (dataSize || !data))
      result = WithKey<ReadLock>(state, handle.get(), [&](const handset::registry::Key& k) -> LONG {
        if (auto fault = state.Faults().ValueFault(handle->path, name)) return *fault;
        if (const StoredValue* value = k.FindValue(name)) return CopyValueOut(*value, type, data, dataSize);
        if (dataSize) *dataSize = 0;
        return ERROR_FILE_NOT_FOUND;
      });
    TraceValueCall("RegQueryValueExW", handle.get(), name, result);
    return result;
  });
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    std::u16string_view name = View(valueName);
    LONG result = ERROR_INVALID_PARAMETER;
    if ((data || dataSize == 0) && handset::registry::IsValidValueName(name))
      result = WithKey<WriteLock>(state, handle.get(), [&](handset::registry::Key& k) -> LONG {
        k.SetValue(name, type, {data, dataSize});
        state.Changed();
        return ERROR_SUCCESS;
      });
    TraceValueCall("RegSetValueExW", handle.get(), name, result);
    return result;
  });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    std::u16string_view name = View(valueName);
    LONG result = WithKey<WriteLock>(state, handle.get(), [&](handset::registry::Key& k) -> LONG {
      if (!k.DeleteValue(name)) return ERROR_FILE_NOT_FOUND;
      state.Changed();
      return ERROR_SUCCESS;
    });
    TraceValueCall("RegDeleteValueW", handle.get(), name, result);
    return result;
  });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    KeyPath parts;
    LONG result = ERROR_INVALID_PARAMETER;
    if (!handle)
      result = ERROR_INVALID_HANDLE;
    else if (IsAbsolutePath(View(subKey)))
      result = ERROR_BAD_PATHNAME;
    else if (SplitKeyPath(View(subKey), handset::registry::kMaxDepth - handle->key->depth, parts) && parts.count > 0)
      result = WithKey<WriteLock>(state, handle.get(), [&](handset::registry::Key& k) -> LONG {
        if (!KeyTree::Delete(k, parts)) return ERROR_FILE_NOT_FOUND;
        state.Changed();
        return ERROR_SUCCESS;
      });
    if (handset::trace::Enabled()) TraceKeyCall("RegDeleteKeyW", SpelledPath(handle.get(), View(subKey)), result);
    return result;
  });
}

LONG RegCloseKey(HKEY key) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    std::shared_ptr<KeyHandle> handle;
    if (auto root = PredefinedRoot(key))
      handle = handset::registry::Registry().RootHandle(*root);  // closing a predefined root does nothing
    else
      handle = handset::core::Current().Handles().Remove<KeyHandle>(key);
    if (handset::trace::Enabled()) handset::trace::Record("RegCloseKey", {TracedPath(handle.get())});
    return handle ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

LONG RegFlushKey(HKEY key) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    LONG result = WithKey<ReadLock>(state, handle.get(), [](const handset::registry::Key&) -> LONG { return ERROR_SUCCESS; });
    if (result == ERROR_SUCCESS && !state.Save()) result = ERROR_CANTWRITE;
    TraceKeyCall("RegFlushKey", handle ? std::u16string_view(handle->path) : kInvalidHandle, result);
    return result;
  });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                   LPDWORD classSize, PFILETIME lastWriteTime) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    LONG result = ERROR_INVALID_PARAMETER;
    if (name && nameSize && !reserved && (classSize || !keyClass))
      result = WithKey<ReadLock>(state, handle.get(), [&](const handset::registry::Key& k) -> LONG {
        if (index >= k.subkeys.size()) return ERROR_NO_MORE_ITEMS;
        const std::u16string& subkeyName = std::next(k.subkeys.begin(), index)->first;
        // Keys keep no class here (the device's applications pass an empty one), so every class is "".
        if (*nameSize <= subkeyName.size() || (keyClass && *classSize < 1)) return ERROR_MORE_DATA;
        std::memcpy(name, subkeyName.c_str(), (subkeyName.size() + 1) * sizeof(WCHAR));
        *nameSize = static_cast<DWORD>(subkeyName.size());
        if (keyClass) keyClass[0] = 0;
        if (classSize) *classSize = 0;
        return ERROR_SUCCESS;  // the device keeps no write time: lastWriteTime is left alone
      });
    TraceIndexCall("RegEnumKeyExW", handle.get(), index, result);
    return result;
  });
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameSize, LPDWORD reserved, LPDWORD type,
                   LPBYTE data, LPDWORD dataSize) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    LONG result = ERROR_INVALID_PARAMETER;
    if (valueName && valueNameSize && !reserved && (dataSize || !data))
      result = WithKey<ReadLock>(state, handle.get(), [&](const handset::registry::Key& k) -> LONG {
        if (index >= k.values.size()) return ERROR_NO_MORE_ITEMS;
        const StoredValue& value = k.values[index];
        if (*valueNameSize <= value.name.size()) {
          // The name does not fit: neither name nor data is copied, but the type and the data's
          // size are reported, so the caller can size both buffers at once.
          CopyValueOut(value, type, nullptr, dataSize);
          return ERROR_MORE_DATA;
        }
        std::memcpy(valueName, value.name.c_str(), (value.name.size() + 1) * sizeof(WCHAR));
        *valueNameSize = static_cast<DWORD>(value.name.size());
        return CopyValueOut(value, type, data, dataSize);
      });
    TraceIndexCall("RegEnumValueW", handle.get(), index, result);
    return result;
  });
}

// The counts and the longest names (in characters, without the terminator) and data (in bytes) of a
// key. Keys keep no class, so the class is "" and its longest length 0; there is no security
// descriptor (its size is 0) and no write time (left alone, as RegEnumKeyExW leaves it).
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classSize, LPDWORD reserved, LPDWORD subKeys,
                      LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength,
                      LPDWORD maxValueLength, LPDWORD securityDescriptorSize, PFILETIME lastWriteTime) {
  return Guarded<LONG>(ERROR_NOT_ENOUGH_MEMORY, [&]() -> LONG {
    RegistryState& state = handset::registry::Registry();
    std::shared_ptr<KeyHandle> handle = Resolve(state, key);
    LONG result = ERROR_INVALID_PARAMETER;
    if (!reserved && (classSize || !keyClass))
      result = WithKey<ReadLock>(state, handle.get(), [&](const handset::registry::Key& k) -> LONG {
        std::size_t longestSubkey = 0, longestName = 0, longestData = 0;
        for (const auto& [name, subkey] : k.subkeys) longestSubkey = std::max(longestSubkey, name.size());
        for (const StoredValue& value : k.values) {
          longestName = std::max(longestName, value.name.size());
          longestData = std::max(longestData, value.data.size());
        }
        if (subKeys) *subKeys = static_cast<DWORD>(k.subkeys.size());
        if (maxSubKeyLength) *maxSubKeyLength = static_cast<DWORD>(longestSubkey);
        if (maxClassLength) *maxClassLength = 0;
        if (values) *values = static_cast<DWORD>(k.values.size());
        if (maxValueNameLength) *maxValueNameLength = static_cast<DWORD>(longestName);
        if (maxValueLength) *maxValueLength = static_cast<DWORD>(longestData);
        if (securityDescriptorSize) *securityDescriptorSize = 0;
        LONG classResult = keyClass && *classSize < 1 ? ERROR_MORE_DATA : ERROR_SUCCESS;
        if (keyClass && classResult == ERROR_SUCCESS) keyClass[0] = 0;
        if (classSize) *classSize = 0;
        return classResult;
      });
    TraceKeyCall("RegQueryInfoKeyW", handle ? std::u16string_view(handle->path) : kInvalidHandle, result);
    return result;
  });
}

}  // extern "C"
