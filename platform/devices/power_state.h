// The handset's power state: the battery reading that GetSystemPowerStatusEx reports, a fault that
// makes the query fail, and the counts of queries and idle-timer resets.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

#include <windows.h>

namespace handset::devices {

class PowerState {
 public:
  PowerState();

  // The current reading, or none while the query is set to fail. Every call counts as a query.
  std::optional<SYSTEM_POWER_STATUS_EX> Read();
  std::uint64_t Queries() const { return queries_.load(std::memory_order_relaxed); }
  SYSTEM_POWER_STATUS_EX Status();
  void SetStatus(const SYSTEM_POWER_STATUS_EX& status);
  void SetFails(bool fails);

  void CountIdleReset() { idleResets_.fetch_add(1, std::memory_order_relaxed); }
  std::uint64_t IdleResets() const { return idleResets_.load(std::memory_order_relaxed); }

 private:
  std::mutex mutex_;
  SYSTEM_POWER_STATUS_EX status_;
  bool fails_ = false;
  std::atomic<std::uint64_t> queries_{0};
  std::atomic<std::uint64_t> idleResets_{0};
};

}  // namespace handset::devices
