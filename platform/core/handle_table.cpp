#include "core/handle_table.h"

#include <algorithm>

namespace handset::core {

std::uint32_t HandleTable::AddErased(std::shared_ptr<void> object, std::type_index kind) {
  std::lock_guard lock(mutex_);
  // Values step by four like Win32 handles and stay clear of the predefined registry roots
  // (0x80000000 and up), so a handle can never be mistaken for HKEY_LOCAL_MACHINE.
  for (;;) {
    std::uint32_t value = next_;
    next_ = next_ + 4 >= 0x7FFFFFF0u ? 0x100 : next_ + 4;
    if (!entries_.contains(value)) {
      entries_.emplace(value, Entry{std::move(object), kind});
      return value;
    }
  }
}

std::size_t HandleTable::Count() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

std::size_t HandleTable::CountKind(std::type_index kind) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.second.kind == kind; }));
}

std::uint32_t HandleTable::ToValue(const void* handle) {
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  return value > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(value);
}

}  // namespace handset::core
