#include "devices/power_state.h"

namespace handset::devices {

PowerState::PowerState() {
  status_ = {};
  status_.ACLineStatus = AC_LINE_OFFLINE;
  status_.BatteryFlag = BATTERY_FLAG_HIGH;
  status_.BatteryLifePercent = 100;
  status_.BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status_.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  status_.BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
  status_.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  status_.BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status_.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
}

std::optional<SYSTEM_POWER_STATUS_EX> PowerState::Read() {
  queries_.fetch_add(1, std::memory_order_relaxed);
  std::lock_guard lock(mutex_);
  if (fails_) return std::nullopt;
  return status_;
}

SYSTEM_POWER_STATUS_EX PowerState::Status() {
  std::lock_guard lock(mutex_);
  return status_;
}

void PowerState::SetStatus(const SYSTEM_POWER_STATUS_EX& status) {
  std::lock_guard lock(mutex_);
  status_ = status;
}

void PowerState::SetFails(bool fails) {
  std::lock_guard lock(mutex_);
  fails_ = fails;
}

}  // namespace handset::devices
