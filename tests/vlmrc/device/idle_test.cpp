#include <vlmrc/vlmrc.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "handset/clock.h"
#include "handset/devices.h"
#include "handset/trace.h"
#include "support/message_pump.h"
#include "support/vlmrc_test.h"
#include "support/worker_window.h"

namespace {

// What the host's worker window received.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT WorkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) g_received.push_back({message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

class IdleTest : public testing_support::VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    avoidSystemIdle_ = VLMRC_EXPORT(AvoidSystemIdle);
    g_received.clear();
  }

  static HWND CreateWorker() { return testing_support::CreateWorkerWindow(WorkerProc); }

  static void SetPercent(BYTE percent) {
    SYSTEM_POWER_STATUS_EX status = handset::devices::PowerStatus();
    status.BatteryLifePercent = percent;
    handset::devices::SetPowerStatus(status);
  }

  void Tick() { avoidSystemIdle_(nullptr, WM_TIMER, 1, GetTickCount()); }

  decltype(&AvoidSystemIdle) avoidSystemIdle_ = nullptr;
};

TEST_F(IdleTest, EachTimerTickResetsTheIdleTimerAndReadsTheBattery) {
  Tick();
  Tick();
  EXPECT_EQ(handset::devices::IdleTimerResets(), 2u);
  EXPECT_EQ(handset::devices::PowerStatusQueries(), 2u);

  for (UINT other : {static_cast<UINT>(WM_PAINT), static_cast<UINT>(WM_TIMER + 1), static_cast<UINT>(WM_LOW_BATTERY)})
    avoidSystemIdle_(nullptr, other, 1, 0);
  EXPECT_EQ(handset::devices::IdleTimerResets(), 2u);
  EXPECT_EQ(handset::devices::PowerStatusQueries(), 2u);
}

// On the held handset clock the host's timer fires once per period the clock moves, and each tick
// resets the idle timer.
TEST_F(IdleTest, RunsAsTheHostsTimerProcedure) {
  handset::clock::Freeze();
  UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, avoidSystemIdle_);
  ASSERT_NE(timer, 0u);
  for (std::uint64_t tick = 1; tick <= 3; ++tick) {
    handset::clock::Advance(std::chrono::milliseconds(USER_TIMER_MINIMUM));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return handset::devices::IdleTimerResets() == tick; }))
        << "tick " << tick << " did not reset the idle timer";
  }
  handset::clock::Advance(std::chrono::milliseconds(USER_TIMER_MINIMUM - 1));
  ASSERT_TRUE(testing_support::PumpUntil([] { return true; }));
  EXPECT_TRUE(KillTimer(nullptr, timer));
  EXPECT_EQ(handset::devices::IdleTimerResets(), 3u) << "less than a period";
}

TEST_F(IdleTest, ALowBatteryIsReportedToTheWorkerWindow) {
  HWND worker = CreateWorker();
  ASSERT_NE(worker, nullptr);
  SetPercent(14);
  Tick();
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].message, 0x04FAu);
  EXPECT_EQ(g_received[0].wParam, 14u);
  EXPECT_EQ(g_received[0].lParam, 0);

  SetPercent(0);
  Tick();
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[1].wParam, 0u);

  // 15 is not low; 255 is no reading; a failed reading is no news.
  SetPercent(15);
  Tick();
  SetPercent(BATTERY_PERCENTAGE_UNKNOWN);
  Tick();
  SetPercent(3);
  handset::devices::SetPowerStatusFails(true);
  Tick();
  EXPECT_EQ(g_received.size(), 2u);
  EXPECT_EQ(handset::devices::IdleTimerResets(), 5u);
  DestroyWindow(worker);
}

TEST_F(IdleTest, WithoutAWorkerWindowALowBatteryGoesUnreported) {
  SetPercent(5);
  handset::trace::Start();
  Tick();
  EXPECT_EQ(handset::devices::IdleTimerResets(), 1u);
  EXPECT_EQ(handset::trace::Calls("FindWindowW").size(), 1u);
  EXPECT_TRUE(handset::trace::Calls("SendMessageW").empty());
}

}  // namespace
