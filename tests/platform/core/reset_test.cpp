// One process runs many tests: a reset must leave nothing of one test for the next.
#include <windows.h>

#include <gtest/gtest.h>

#include "handset/clock.h"
#include "handset/debug.h"
#include "handset/devices.h"
#include "handset/gdi.h"
#include "handset/handset.h"
#include "handset/modules.h"
#include "handset/registry.h"
#include "handset/screen.h"
#include "handset/trace.h"
#include "handset/windows.h"

namespace {

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\ResetCheck";

// What one test could do to every subsystem, after checking that it finds each at its start state.
void OneTestsWorth() {
  SCOPED_TRACE(handset::Root().string());
  // At start: empty registry, 240 x 320 upright, real clock, nothing recorded, loaded or open.
  EXPECT_FALSE(handset::registry::KeyExists(kKey));
  EXPECT_EQ(handset::screen::CurrentSize().width, 240);
  EXPECT_EQ(handset::screen::CurrentSize().height, 320);
  EXPECT_EQ(handset::screen::Angle(), 0);
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_GE(now.wYear, 2024);
  EXPECT_EQ(handset::clock::TimeZoneBias(), 0);
  EXPECT_TRUE(handset::debug::Lines().empty());
  EXPECT_TRUE(handset::devices::LedLog().empty());
  EXPECT_EQ(handset::devices::PowerStatus().BatteryLifePercent, 100);
  EXPECT_EQ(handset::devices::IdleTimerResets(), 0u);
  EXPECT_EQ(handset::UILanguage(), 0x0409);
  EXPECT_TRUE(handset::windows::TopLevelWindows().empty());
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
  EXPECT_EQ(handset::LiveHandleCount(), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

  // The work: every one of those changed, and some of it left open as a careless test would.
  handset::registry::WriteDword(kKey, "Value", 7);
  handset::registry::FailKey("HKEY_LOCAL_MACHINE\\Software\\Refused");
  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  ASSERT_TRUE(handset::screen::Rotate(90));
  SYSTEMTIME past{};
  past.wYear = 2001;
  past.wMonth = 2;
  past.wDay = 3;
  handset::clock::Set(past, false);
  handset::clock::SetTimeZoneBias(-60);
  NKDbgPrintfW(TEXT("left behind\r\n"));
  HANDLE led = CreateFileW(TEXT("LED1:"), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(led, INVALID_HANDLE_VALUE);
  SYSTEM_POWER_STATUS_EX low = handset::devices::PowerStatus();
  low.BatteryLifePercent = 5;
  handset::devices::SetPowerStatus(low);
  SystemIdleTimerReset();
  handset::SetUILanguage(0x0407);
  handset::trace::Start();
  EXPECT_NE(CreateWindowExW(0, TEXT("static"), TEXT("left open"), WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_NE(CreateSolidBrush(RGB(1, 2, 3)), nullptr);
  SetLastError(ERROR_ACCESS_DENIED);
}

TEST(HandsetResetTest, TwoTestsWorthOfWorkBackToBackEachFindTheHandsetAsAtStart) {
  handset::Reset();
  OneTestsWorth();
  // What the test main does between two tests of one process.
  handset::Shutdown();
  SetLastError(ERROR_SUCCESS);
  OneTestsWorth();
  handset::Shutdown();
}

}  // namespace
