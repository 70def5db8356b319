// Keeps a handset's root folder to one process at a time. Two processes that both load the registry
// at start and write it whole at the end would otherwise drop each other's changes without a word.
#pragma once

#include <chrono>
#include <filesystem>

namespace handset::core {

class RootLock {
 public:
  // Waits while another process holds the folder, then throws std::runtime_error naming the folder.
  // The wait is HANDSET_LOCK_TIMEOUT seconds (a decimal number) when set, else 10 seconds.
  explicit RootLock(const std::filesystem::path& root);
  ~RootLock();
  RootLock(const RootLock&) = delete;
  RootLock& operator=(const RootLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace handset::core
