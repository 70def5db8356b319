// The handset's registry: its keys, the lock that lets many threads use it at once, the injected
// faults, and its file. Created on first use (loading registry.reg from the handset's root folder,
// and removing what an interrupted write left of its temporary files); destroyed at the handset's
// orderly shutdown, writing the file back.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>

#include "core/handset.h"
#include "registry/key_faults.h"
#include "registry/key_tree.h"

namespace handset::registry {

// What an HKEY stands for: the key, and its full path as the caller spelled it ("HKLM\SoftWare\Zarvo"),
// which the call trace shows and the injected faults are matched against.
struct KeyHandle {
  KeyPtr key;
  std::u16string path;
};

class RegistryState {
 public:
  explicit RegistryState(core::Handset& handset);
  ~RegistryState();
  RegistryState(const RegistryState&) = delete;
  RegistryState& operator=(const RegistryState&) = delete;

  // Guards Tree() and Faults(): shared to read, exclusive to change.
  std::shared_mutex& Lock() { return lock_; }
  KeyTree& Tree() { return tree_; }
  KeyFaults& Faults() { return faults_; }
  // Called under the exclusive lock after every change, so that the file is written again.
  void Changed() { ++generation_; }

  // The predefined handle of a root (HKEY_LOCAL_MACHINE...).
  const std::shared_ptr<KeyHandle>& RootHandle(RootKey root) const {
    return rootHandles_[static_cast<std::size_t>(root)];
  }

  // Writes the file if the registry changed since it was loaded or last written. Throws
  // std::runtime_error with the reason when the registry is not kept in a file (its file was
  // refused) or the file could not be written. Must be called without holding Lock().
  void Write();
  // Write() for callers that only report failure: false, and the reason on standard error.
  bool Save();

  const std::filesystem::path& File() const { return file_; }
  const std::optional<std::string>& LoadError() const { return loadError_; }

 private:
  void Load();

  std::filesystem::path file_;
  std::optional<std::string> loadError_;
  std::shared_mutex lock_;
  KeyTree tree_;
  KeyFaults faults_;
  std::uint64_t generation_ = 0;
  std::array<std::shared_ptr<KeyHandle>, kRootCount> rootHandles_;

  std::mutex saveMutex_;  // orders concurrent saves so that an older state never lands last
  std::uint64_t savedGeneration_ = 0;
};

// The current handset's registry.
RegistryState& Registry();

}  // namespace handset::registry
