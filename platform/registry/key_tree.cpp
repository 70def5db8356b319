#include "registry/key_tree.h"

#include <algorithm>

namespace handset::registry {
namespace {

template <class Values>
auto FindIn(Values& values, std::u16string_view name) -> decltype(values.data()) {
  for (auto& value : values)
    if (NamesEqual(value.name, name)) return &value;
  return nullptr;
}

void MarkDeleted(Key& key) {
  key.deleted = true;
  for (auto& [name, subkey] : key.subkeys) MarkDeleted(*subkey);
}

}  // namespace

const StoredValue* Key::FindValue(std::u16string_view name) const {
  return FindIn(values, name);
}

void Key::SetValue(std::u16string_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
  StoredValue* value = FindIn(values, name);
  if (!value) value = &values.emplace_back(StoredValue{std::u16string(name), 0, {}});
  value->type = type;
  value->data.assign(data.begin(), data.end());
}

bool Key::DeleteValue(std::u16string_view name) {
  auto it = std::find_if(values.begin(), values.end(), [&](const StoredValue& v) { return NamesEqual(v.name, name); });
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

KeyTree::KeyTree() {
  for (auto& root : roots_) root = std::make_shared<Key>();
}

KeyPtr KeyTree::Find(const KeyPtr& base, const KeyPath& path) {
  const KeyPtr* key = &base;
  for (std::size_t i = 0; i < path.count; ++i) {
    auto it = (*key)->subkeys.find(path.parts[i]);
    if (it == (*key)->subkeys.end()) return nullptr;
    key = &it->second;
  }
  return *key;
}

KeyPtr KeyTree::Create(const KeyPtr& base, const KeyPath& path, bool& created) {
  created = false;
  const KeyPtr* key = &base;
  for (std::size_t i = 0; i < path.count; ++i) {
    Key& parent = **key;
    auto it = parent.subkeys.find(path.parts[i]);
    created = it == parent.subkeys.end();
    if (created) {
      auto child = std::make_shared<Key>();
      child->depth = parent.depth + 1;
      it = parent.subkeys.emplace(std::u16string(path.parts[i]), std::move(child)).first;
    }
    key = &it->second;
  }
  return *key;
}

bool KeyTree::Delete(Key& base, const KeyPath& path) {
  if (path.count == 0) return false;
  Key* parent = &base;
  for (std::size_t i = 0; i + 1 < path.count; ++i) {
    auto it = parent->subkeys.find(path.parts[i]);
    if (it == parent->subkeys.end()) return false;
    parent = it->second.get();
  }
  auto it = parent->subkeys.find(path.parts[path.count - 1]);
  if (it == parent->subkeys.end()) return false;
  MarkDeleted(*it->second);
  parent->subkeys.erase(it);
  return true;
}

void KeyTree::Clear() {
  for (auto& root : roots_) {
    MarkDeleted(*root);
    root = std::make_shared<Key>();
  }
}

}  // namespace handset::registry
