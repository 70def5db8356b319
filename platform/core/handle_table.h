// The handset's handle table: every kernel, window and GDI object is reached through a 32-bit value,
// as on Win32, so a handle fits a 32-bit field of a record.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <typeindex>

namespace handset::core {

class HandleTable {
 public:
  template <class T>
  std::uint32_t Add(std::shared_ptr<T> object) {
    return AddErased(std::move(object), typeid(T));
  }

  // The object behind a handle, or null when the handle is unknown or of another kind.
  template <class T>
  std::shared_ptr<T> Find(std::uint32_t handle) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end() || it->second.kind != typeid(T)) return nullptr;
    return std::static_pointer_cast<T>(it->second.object);
  }
  template <class T>
  std::shared_ptr<T> Find(const void* handle) const {
    return Find<T>(ToValue(handle));
  }

  // Removes the handle and hands its object back (null when unknown or of another kind).
  template <class T>
  std::shared_ptr<T> Remove(std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end() || it->second.kind != typeid(T)) return nullptr;
    auto object = std::static_pointer_cast<T>(it->second.object);
    entries_.erase(it);
    return object;
  }
  template <class T>
  std::shared_ptr<T> Remove(const void* handle) {
    return Remove<T>(ToValue(handle));
  }

  std::size_t Count() const;
  template <class T>
  std::size_t Count() const {
    return CountKind(typeid(T));
  }

  static std::uint32_t ToValue(const void* handle);
  template <class H>
  static H ToHandle(std::uint32_t value) {
    return reinterpret_cast<H>(static_cast<std::uintptr_t>(value));
  }

 private:
  struct Entry {
    std::shared_ptr<void> object;
    std::type_index kind;
  };
  std::uint32_t AddErased(std::shared_ptr<void> object, std::type_index kind);
  std::size_t CountKind(std::type_index kind) const;

  mutable std::mutex mutex_;
  std::map<std::uint32_t, Entry> entries_;
  std::uint32_t next_ = 0x100;
};

}  // namespace handset::core
