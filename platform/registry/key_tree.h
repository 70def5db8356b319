// The registry's content: four trees of keys holding typed values. Not synchronised; the registry
// state guards it with its lock.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_names.h"

namespace handset::registry {

struct StoredValue {
  std::u16string name;  // spelled as when it was created; empty for the default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // exactly the bytes written
};

struct Key;
using KeyPtr = std::shared_ptr<Key>;

// A key is shared with the handles open on it; a deleted key stays alive for them, marked deleted,
// so that they fail cleanly instead of reaching a key that is no longer in the tree.
struct Key {
  std::size_t depth = 0;  // levels below the root
  bool deleted = false;
  std::vector<StoredValue> values;              // in order of creation, as enumeration reports them
  std::map<std::u16string, KeyPtr, NameLess> subkeys;  // keyed by the spelling that created each

  const StoredValue* FindValue(std::u16string_view name) const;
  // Replaces the type and data of an existing value (keeping its spelling) or adds a new one.
  void SetValue(std::u16string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
  bool DeleteValue(std::u16string_view name);
};

class KeyTree {
 public:
  KeyTree();

  const KeyPtr& Root(RootKey root) const { return roots_[static_cast<std::size_t>(root)]; }

  // The key at `path` below `base`, or null when some component is missing.
  static KeyPtr Find(const KeyPtr& base, const KeyPath& path);
  // As Find, creating the missing keys on the way; `created` tells whether the last one was new.
  static KeyPtr Create(const KeyPtr& base, const KeyPath& path, bool& created);
  // Removes the key at `path` (at least one level below `base`) with its subtree; false when missing.
  static bool Delete(Key& base, const KeyPath& path);

  // Marks every key deleted and empties the roots.
  void Clear();

 private:
  std::array<KeyPtr, kRootCount> roots_;
};

}  // namespace handset::registry
