// The registry's control API: direct access for tests and tools, past the trace and the faults.
#include <mutex>
#include <shared_mutex>
#include <stdexcept>

#include "handset/registry.h"
#include "handset/text.h"
#include "core/atomic_file.h"
#include "core/bounded_read.h"
#include "registry/reg_file.h"
#include "registry/registry_state.h"
#include "winreg.h"

namespace handset::registry {
namespace {

// A full key path given as UTF-8; the parts view the converted text, so this is never copied.
struct FullPath {
  explicit FullPath(std::string_view utf8) : text(Utf16(utf8)) {
    if (!SplitFullPath(text, root, parts)) throw std::invalid_argument("not a registry key path: '" + std::string(utf8) + "'");
  }
  FullPath(const FullPath&) = delete;
  FullPath& operator=(const FullPath&) = delete;

  // "HKLM\A\B", the spelling that handle paths have and faults are matched against.
  std::u16string Normalized() const {
    std::u16string path(ShortRootName(root));
    for (std::size_t i = 0; i < parts.count; ++i) (path += u'\\') += parts.parts[i];
    return path;
  }

  std::u16string text;
  RootKey root = RootKey::LocalMachine;
  KeyPath parts;
};

std::u16string ValueName(std::string_view utf8) {
  std::u16string name = Utf16(utf8);
  if (!IsValidValueName(name)) throw std::invalid_argument("not a registry value name: '" + std::string(utf8) + "'");
  return name;
}

}  // namespace

std::optional<Value> Read(std::string_view keyPath, std::string_view valueName) {
  FullPath path(keyPath);
  std::u16string name = ValueName(valueName);
  RegistryState& state = Registry();
  std::shared_lock lock(state.Lock());
  KeyPtr key = KeyTree::Find(state.Tree().Root(path.root), path.parts);
  const StoredValue* value = key ? key->FindValue(name) : nullptr;
  if (!value) return std::nullopt;
  return Value{value->type, value->data};
}

std::optional<std::uint32_t> ReadDword(std::string_view keyPath, std::string_view valueName) {
  auto value = Read(keyPath, valueName);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  const auto& d = value->data;
  return d[0] | d[1] << 8 | d[2] << 16 | static_cast<std::uint32_t>(d[3]) << 24;
}

std::optional<std::u16string> ReadString(std::string_view keyPath, std::string_view valueName) {
  auto value = Read(keyPath, valueName);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
    auto unit = static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

void Write(std::string_view keyPath, std::string_view valueName, std::uint32_t type, std::span<const std::uint8_t> data) {
  FullPath path(keyPath);
  std::u16string name = ValueName(valueName);
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  bool created;
  KeyTree::Create(state.Tree().Root(path.root), path.parts, created)->SetValue(name, type, data);
  state.Changed();
}

void WriteDword(std::string_view keyPath, std::string_view valueName, std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  Write(keyPath, valueName, REG_DWORD, bytes);
}

void WriteString(std::string_view keyPath, std::string_view valueName, std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  Write(keyPath, valueName, REG_SZ, bytes);
}

bool DeleteValue(std::string_view keyPath, std::string_view valueName) {
  FullPath path(keyPath);
  std::u16string name = ValueName(valueName);
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  KeyPtr key = KeyTree::Find(state.Tree().Root(path.root), path.parts);
  if (!key || !key->DeleteValue(name)) return false;
  state.Changed();
  return true;
}

bool KeyExists(std::string_view keyPath) {
  FullPath path(keyPath);
  RegistryState& state = Registry();
  std::shared_lock lock(state.Lock());
  return KeyTree::Find(state.Tree().Root(path.root), path.parts) != nullptr;
}

bool DeleteKey(std::string_view keyPath) {
  FullPath path(keyPath);
  if (path.parts.count == 0) throw std::invalid_argument("a registry root cannot be deleted");
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  if (!KeyTree::Delete(*state.Tree().Root(path.root), path.parts)) return false;
  state.Changed();
  return true;
}

void FailKey(std::string_view keyPath, std::int32_t error, KeyOperation operations) {
  FullPath path(keyPath);
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  state.Faults().FailKey(path.Normalized(), error, operations);
}

void FailValue(std::string_view keyPath, std::string_view valueName, std::int32_t error) {
  FullPath path(keyPath);
  std::u16string name = ValueName(valueName);
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  state.Faults().FailValue(path.Normalized(), std::move(name), error);
}

void ClearFaults() {
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  state.Faults().Clear();
}

void Export(const std::filesystem::path& file) { core::WriteFileOrStream(file, ExportText()); }

std::string ExportText() {
  RegistryState& state = Registry();
  std::shared_lock lock(state.Lock());
  return FormatRegFile(state.Tree());
}

void Import(const std::filesystem::path& file) {
  auto entries = ParseRegFile(core::ReadRegularFile(file, kMaxRegFileBytes), file.string());
  RegistryState& state = Registry();
  std::unique_lock lock(state.Lock());
  ApplyRegFile(state.Tree(), entries);
  state.Changed();
}

void Flush() { Registry().Write(); }

std::filesystem::path File() { return Registry().File(); }

std::optional<std::string> LoadError() { return Registry().LoadError(); }

}  // namespace handset::registry
