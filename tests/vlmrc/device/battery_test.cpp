#include <gtest/gtest.h>

#include "handset/devices.h"
#include "support/vlmrc_test.h"

#include <vlmrc/vlmrc.h>

namespace {

class BatteryTest : public testing_support::VlmrcTest {
 protected:
  static void SetBattery(BYTE percent, BYTE flag) {
    SYSTEM_POWER_STATUS_EX status = handset::devices::PowerStatus();
    status.BatteryLifePercent = percent;
    status.BatteryFlag = flag;
    handset::devices::SetPowerStatus(status);
  }
};

TEST_F(BatteryTest, ReportsPercentageAndFlagsWidened) {
  auto getBattery = VLMRC_EXPORT(GetBattery);
  DWORD percent = 0xDEADBEEF;
  DWORD flags = 0xDEADBEEF;
  SetBattery(42, BATTERY_FLAG_LOW | BATTERY_FLAG_CHARGING);
  EXPECT_TRUE(getBattery(&percent, &flags));
  EXPECT_EQ(percent, 42u);
  EXPECT_EQ(flags, static_cast<DWORD>(BATTERY_FLAG_LOW | BATTERY_FLAG_CHARGING));

  SetBattery(BATTERY_PERCENTAGE_UNKNOWN, BATTERY_FLAG_UNKNOWN);
  EXPECT_TRUE(getBattery(&percent, &flags));
  EXPECT_EQ(percent, 255u);
  EXPECT_EQ(flags, 255u);
}

TEST_F(BatteryTest, AFailedReadingStoresZeroAndReportsTheFailure) {
  auto getBattery = VLMRC_EXPORT(GetBattery);
  handset::devices::SetPowerStatusFails(true);
  DWORD percent = 0xDEADBEEF;
  DWORD flags = 0xDEADBEEF;
  EXPECT_FALSE(getBattery(&percent, &flags));
  EXPECT_EQ(percent, 0u);
  EXPECT_EQ(flags, 0u);
}

TEST_F(BatteryTest, NullPointersGetNothingStored) {
  auto getBattery = VLMRC_EXPORT(GetBattery);
  DWORD value = 7;
  EXPECT_FALSE(getBattery(nullptr, &value));
  EXPECT_FALSE(getBattery(&value, nullptr));
  EXPECT_EQ(value, 7u);
  EXPECT_FALSE(getBattery(nullptr, nullptr));
}

}  // namespace
