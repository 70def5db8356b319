// Waits and timers on the held handset clock: nothing that waits for time to pass wakes until the
// test moves the clock past its deadline, and then it wakes at once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <windows.h>

#include "handset/clock.h"
#include "handset/devices.h"
#include "handset/threads.h"
#include "support/handset_test.h"

namespace {

using namespace std::chrono_literals;
using testing_support::HandsetTest;

struct Sleeper {
  DWORD milliseconds;
  std::atomic<bool> awake{false};
};

DWORD SleepOnce(LPVOID parameter) {
  auto& sleeper = *static_cast<Sleeper*>(parameter);
  Sleep(sleeper.milliseconds);
  sleeper.awake = true;
  return 7;
}

struct Waiter {
  HANDLE awaited;
  std::atomic<DWORD> result{0xFFFFFFFF};
};

DWORD WaitWithTimeout(LPVOID parameter) {
  auto& waiter = *static_cast<Waiter*>(parameter);
  waiter.result = WaitForSingleObject(waiter.awaited, 200);
  return 0;
}

// The thread ends within the test's patience (real time, polled: a wait of the handset's would
// follow its held clock).
bool Ends(HANDLE thread) {
  auto giveUp = std::chrono::steady_clock::now() + 10s;
  DWORD code = STILL_ACTIVE;
  while (GetExitCodeThread(thread, &code) && code == STILL_ACTIVE && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(1ms);
  return code != STILL_ACTIVE;
}

TEST_F(HandsetTest, SleepOnTheHeldClockEndsWhenTheClockHasMovedItsDurationInAll) {
  handset::clock::Freeze();
  Sleeper sleeper{500};
  HANDLE thread = CreateThread(nullptr, 0, SleepOnce, &sleeper, 0, nullptr);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  handset::clock::Advance(300ms);
  handset::clock::Advance(199ms);
  handset::clock::Set(FILETIME{0, 0x01E00000}, false);  // setting the time of day passes no time
  handset::clock::Advance(-1h);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  EXPECT_FALSE(sleeper.awake);
  handset::clock::Advance(1ms);
  ASSERT_TRUE(Ends(thread));
  EXPECT_TRUE(sleeper.awake);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  CloseHandle(thread);
}

TEST_F(HandsetTest, RunningTheHeldClockAgainEndsTheSleepInRealTime) {
  handset::clock::Freeze();
  Sleeper sleeper{20};
  HANDLE thread = CreateThread(nullptr, 0, SleepOnce, &sleeper, 0, nullptr);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  handset::clock::Run();
  ASSERT_TRUE(Ends(thread));
  CloseHandle(thread);
}

TEST_F(HandsetTest, AWaitsTimeoutOnTheHeldClockComesWithTheClock) {
  handset::clock::Freeze();
  Sleeper forever{INFINITE};
  HANDLE awaited = CreateThread(nullptr, 0, SleepOnce, &forever, 0, nullptr);
  Waiter waiter{awaited};
  HANDLE thread = CreateThread(nullptr, 0, WaitWithTimeout, &waiter, 0, nullptr);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  handset::clock::Advance(199ms);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  EXPECT_EQ(waiter.result, 0xFFFFFFFFu);
  handset::clock::Advance(1ms);
  ASSERT_TRUE(Ends(thread));
  EXPECT_EQ(waiter.result, static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateThread(awaited, 0);
  CloseHandle(awaited);
  CloseHandle(thread);
}

int g_fired = 0;
void CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++g_fired; }

// A timer falls due when the clock passes its due time, once however far it passes, and starts
// its next period from the moment it fired.
TEST_F(HandsetTest, ATimerOnTheHeldClockFiresWhenTheClockPassesItsDueTime) {
  handset::clock::Freeze();
  g_fired = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, CountingTimerProc);
  ASSERT_NE(timer, 0u);
  auto pump = [] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  struct Step {
    std::chrono::milliseconds by;
    int fired;
  } steps[] = {{99ms, 0}, {1ms, 1}, {99ms, 1}, {1ms, 2}, {1000ms, 3}, {99ms, 3}, {1ms, 4}};
  for (const auto& step : steps) {
    handset::clock::Advance(step.by);
    pump();
    EXPECT_EQ(g_fired, step.fired) << "after " << step.by.count() << " ms more";
  }
  KillTimer(nullptr, timer);
}

struct TimerThread {
  std::atomic<bool> timerSet{false};
  std::atomic<int> fired{0};
};
TimerThread* g_timerThread = nullptr;

DWORD WaitForOneTimer(LPVOID) {
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++g_timerThread->fired; });
  g_timerThread->timerSet = true;
  MSG message;
  while (g_timerThread->fired == 0 && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

TEST_F(HandsetTest, AMoveOfTheClockWakesAThreadWaitingInGetMessageForItsTimer) {
  handset::clock::Freeze();
  TimerThread state;
  g_timerThread = &state;
  HANDLE thread = CreateThread(nullptr, 0, WaitForOneTimer, nullptr, 0, nullptr);
  while (!state.timerSet) std::this_thread::sleep_for(1ms);
  handset::clock::Advance(50ms);
  ASSERT_TRUE(Ends(thread));
  EXPECT_EQ(state.fired, 1);
  CloseHandle(thread);
}

// The LED driver's stamps stand still on the held clock and move with it.
TEST_F(HandsetTest, TheLedDriversStampsFollowTheHeldClock) {
  handset::clock::Freeze();
  HANDLE led = CreateFileW(u"LED1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(led, INVALID_HANDLE_VALUE);
  DWORD record[5] = {handset::devices::kLedFirstPhase};
  DWORD returned = 0;
  auto send = [&] { DeviceIoControl(led, 0x80020004, record, sizeof record, nullptr, 0, &returned, nullptr); };
  send();
  std::this_thread::sleep_for(5ms);
  send();
  handset::clock::Advance(250ms);
  send();
  CloseHandle(led);
  auto commands = handset::devices::LedCommands();
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[1].time - commands[0].time, std::chrono::steady_clock::duration::zero());
  EXPECT_EQ(commands[2].time - commands[1].time, std::chrono::steady_clock::duration(250ms));
}

}  // namespace
