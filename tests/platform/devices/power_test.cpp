#include <gtest/gtest.h>

#include <cstring>

#include "handset/devices.h"
#include "support/handset_test.h"

#include <windows.h>

namespace {

using testing_support::HandsetTest;

class PowerTest : public HandsetTest {};

TEST_F(PowerTest, ReportsTheBatteryTheControlApiSets) {
  SYSTEM_POWER_STATUS_EX status{};
  ASSERT_TRUE(GetSystemPowerStatusEx(&status, TRUE));
  EXPECT_EQ(status.ACLineStatus, AC_LINE_OFFLINE);
  EXPECT_EQ(status.BatteryFlag, BATTERY_FLAG_HIGH);
  EXPECT_EQ(status.BatteryLifePercent, 100);

  SYSTEM_POWER_STATUS_EX low = handset::devices::PowerStatus();
  low.ACLineStatus = AC_LINE_ONLINE;
  low.BatteryFlag = BATTERY_FLAG_LOW | BATTERY_FLAG_CHARGING;
  low.BatteryLifePercent = 9;
  low.BatteryLifeTime = 1200;
  handset::devices::SetPowerStatus(low);
  ASSERT_TRUE(GetSystemPowerStatusEx(&status, FALSE));
  EXPECT_EQ(std::memcmp(&status, &low, sizeof status), 0);
}

TEST_F(PowerTest, AFailingQueryLeavesTheRecordUntouched) {
  handset::devices::SetPowerStatusFails(true);
  SYSTEM_POWER_STATUS_EX status;
  std::memset(&status, 0xAB, sizeof status);
  EXPECT_FALSE(GetSystemPowerStatusEx(&status, TRUE));
  EXPECT_EQ(status.BatteryLifePercent, 0xAB);
  handset::devices::SetPowerStatusFails(false);
  EXPECT_TRUE(GetSystemPowerStatusEx(&status, TRUE));
  EXPECT_EQ(handset::devices::PowerStatusQueries(), 2u);
  EXPECT_FALSE(GetSystemPowerStatusEx(nullptr, TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(PowerTest, CountsIdleTimerResets) {
  EXPECT_EQ(handset::devices::IdleTimerResets(), 0u);
  SystemIdleTimerReset();
  SystemIdleTimerReset();
  EXPECT_EQ(handset::devices::IdleTimerResets(), 2u);
}

}  // namespace
