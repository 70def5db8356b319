// Faults that tests inject into the registry: keys that cannot be created or opened, values that
// cannot be read. Not synchronised; the registry state guards it with its lock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "handset/registry.h"

namespace handset::registry {

class KeyFaults {
 public:
  // Paths are full paths spelled "HKLM\A\B": the short root name, one backslash between names.
  void FailKey(std::u16string path, std::int32_t error, KeyOperation operations);
  void FailValue(std::u16string keyPath, std::u16string valueName, std::int32_t error);
  void Clear();

  std::optional<std::int32_t> KeyFault(std::u16string_view path, KeyOperation operation) const;
  std::optional<std::int32_t> ValueFault(std::u16string_view keyPath, std::u16string_view valueName) const;

 private:
  struct KeyRule {
    std::u16string path;
    std::int32_t error;
    KeyOperation operations;
  };
  struct ValueRule {
    std::u16string keyPath;
    std::u16string valueName;
    std::int32_t error;
  };
  std::vector<KeyRule> keys_;
  std::vector<ValueRule> values_;
};

}  // namespace handset::registry
