#include "registry/key_faults.h"

#include "registry/key_names.h"

namespace handset::registry {

void KeyFaults::FailKey(std::u16string path, std::int32_t error, KeyOperation operations) {
  keys_.push_back({std::move(path), error, operations});
}

void KeyFaults::FailValue(std::u16string keyPath, std::u16string valueName, std::int32_t error) {
  values_.push_back({std::move(keyPath), std::move(valueName), error});
}

void KeyFaults::Clear() {
  keys_.clear();
  values_.clear();
}

std::optional<std::int32_t> KeyFaults::KeyFault(std::u16string_view path, KeyOperation operation) const {
  for (const auto& rule : keys_)
    if ((static_cast<unsigned>(rule.operations) & static_cast<unsigned>(operation)) && NamesEqual(rule.path, path))
      return rule.error;
  return std::nullopt;
}

std::optional<std::int32_t> KeyFaults::ValueFault(std::u16string_view keyPath, std::u16string_view valueName) const {
  for (const auto& rule : values_)
    if (NamesEqual(rule.valueName, valueName) && NamesEqual(rule.keyPath, keyPath)) return rule.error;
  return std::nullopt;
}

}  // namespace handset::registry
