// The handset's registry control API over the real Win32 registry, for the tests run on desktop
// Windows: reading, writing and removing values and keys by path. Fault injection, registry files
// and the handset's own file are handset only (handset_only.cpp).
#include "handset/registry.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "handset/text.h"

namespace handset::registry {

namespace {

std::wstring Wide(std::string_view utf8) {
  std::u16string units = Utf16(utf8);
  return std::wstring(units.begin(), units.end());
}

// A key path split into its root and the path below it.
struct KeyPath {
  HKEY root;
  std::wstring subKey;
};

KeyPath Split(std::string_view path) {
  std::string_view rootName = path.substr(0, path.find('\\'));
  std::string upper(rootName);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  static const std::pair<const char*, HKEY> roots[] = {
      {"HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {"HKCU", HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKCR", HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
      {"HKU", HKEY_USERS},          {"HKEY_USERS", HKEY_USERS},
  };
  for (const auto& [name, root] : roots)
    if (upper == name)
      return {root, rootName.size() < path.size() ? Wide(path.substr(rootName.size() + 1)) : std::wstring()};
  throw std::invalid_argument("registry path with an unknown root: " + std::string(path));
}

// The key opened with `access`, closed with the object; null when it cannot be opened.
class OpenKey {
 public:
  OpenKey(std::string_view path, REGSAM access, bool create) {
    KeyPath key = Split(path);
    LONG error = create ? RegCreateKeyExW(key.root, key.subKey.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr)
                        : RegOpenKeyExW(key.root, key.subKey.c_str(), 0, access, &key_);
    if (error != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<Value> Read(std::string_view keyPath, std::string_view valueName) {
  OpenKey key(keyPath, KEY_QUERY_VALUE, false);
  if (key.get() == nullptr) return std::nullopt;
  std::wstring name = Wide(valueName);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  Value value;
  value.type = type;
  value.data.resize(size);
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, value.data.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  return value;
}

std::optional<std::uint32_t> ReadDword(std::string_view keyPath, std::string_view valueName) {
  auto value = Read(keyPath, valueName);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  std::copy(value->data.begin(), value->data.end(), reinterpret_cast<std::uint8_t*>(&number));
  return number;
}

std::optional<std::u16string> ReadString(std::string_view keyPath, std::string_view valueName) {
  auto value = Read(keyPath, valueName);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  std::u16string text(value->data.size() / 2, u'\0');
  std::copy(value->data.begin(), value->data.begin() + text.size() * 2, reinterpret_cast<std::uint8_t*>(text.data()));
  return text.substr(0, text.find(u'\0'));
}

void Write(std::string_view keyPath, std::string_view valueName, std::uint32_t type,
           std::span<const std::uint8_t> data) {
  OpenKey key(keyPath, KEY_SET_VALUE, true);
  if (key.get() == nullptr) throw std::runtime_error("cannot create registry key " + std::string(keyPath));
  std::wstring name = Wide(valueName);
  if (RegSetValueExW(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write registry value " + std::string(valueName));
}

void WriteDword(std::string_view keyPath, std::string_view valueName, std::uint32_t value) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
  Write(keyPath, valueName, REG_DWORD, std::span<const std::uint8_t>(bytes, sizeof(value)));
}

void WriteString(std::string_view keyPath, std::string_view valueName, std::u16string_view text) {
  std::u16string terminated(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(terminated.c_str());
  Write(keyPath, valueName, REG_SZ, std::span<const std::uint8_t>(bytes, (terminated.size() + 1) * 2));
}

bool DeleteValue(std::string_view keyPath, std::string_view valueName) {
  OpenKey key(keyPath, KEY_SET_VALUE, false);
  return key.get() != nullptr && RegDeleteValueW(key.get(), Wide(valueName).c_str()) == ERROR_SUCCESS;
}

bool KeyExists(std::string_view keyPath) { return OpenKey(keyPath, KEY_QUERY_VALUE, false).get() != nullptr; }

bool DeleteKey(std::string_view keyPath) {
  KeyPath key = Split(keyPath);
  // Named by a sub-key, the key goes with its subtree.
  return RegDeleteTreeW(key.root, key.subKey.c_str()) == ERROR_SUCCESS;
}

}  // namespace handset::registry
