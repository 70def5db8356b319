#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "window_test_support.h"

#include <windows.h>

namespace {

using namespace std::chrono_literals;
using testing_support::Messages;
using windows_test::PumpFor;
using windows_test::PumpUntil;
using windows_test::WindowsTest;

class TimerTest : public WindowsTest {
 protected:
  static std::size_t TimerMessages(HWND window, UINT_PTR id) {
    return Messages()
        .Received({.only = [&](const auto& e) { return e.window == window && e.message == WM_TIMER && e.wParam == id; }})
        .size();
  }
};

struct TimerCall {
  HWND window;
  UINT message;
  UINT_PTR id;
  DWORD time;
};
std::vector<TimerCall> g_timerCalls;

void RecordingTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time) {
  g_timerCalls.push_back({window, message, id, time});
}

TEST_F(TimerTest, AWindowTimerSendsWmTimerWithItsIdUntilKilled) {
  HWND window = Create();
  EXPECT_EQ(SetTimer(window, 5, 10, nullptr), 5u);
  ASSERT_TRUE(PumpUntil([&] { return TimerMessages(window, 5) >= 2; }));
  // A timer is never queued: a thread that is late sees one WM_TIMER, not a backlog.
  std::this_thread::sleep_for(60ms);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.lParam, 0);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

  EXPECT_TRUE(KillTimer(window, 5));
  std::size_t fired = TimerMessages(window, 5);
  PumpFor(60ms);
  EXPECT_EQ(TimerMessages(window, 5), fired);
  EXPECT_FALSE(KillTimer(window, 5));
}

TEST_F(TimerTest, GetMessageWakesForADueTimer) {
  HWND window = Create();
  SetTimer(window, 1, 10, nullptr);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.wParam, 1u);
}

TEST_F(TimerTest, SettingAnExistingTimerAgainReplacesIt) {
  HWND window = Create();
  SetTimer(window, 3, 10, nullptr);
  SetTimer(window, 3, 10, RecordingTimerProc);
  g_timerCalls.clear();
  ASSERT_TRUE(PumpUntil([&] { return !g_timerCalls.empty(); }));
  EXPECT_EQ(TimerMessages(window, 3), 0u);  // one timer, now with a procedure
  KillTimer(window, 3);
}

TEST_F(TimerTest, ATimerProcedureIsCalledByDispatchMessageWithTheTickCount) {
  HWND window = Create();
  ASSERT_EQ(SetTimer(window, 9, 10, RecordingTimerProc), 9u);
  g_timerCalls.clear();
  DWORD before = GetTickCount();
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(&RecordingTimerProc));
  DispatchMessageW(&msg);
  ASSERT_EQ(g_timerCalls.size(), 1u);
  EXPECT_EQ(g_timerCalls[0].window, window);
  EXPECT_EQ(g_timerCalls[0].message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(g_timerCalls[0].id, 9u);
  EXPECT_GE(g_timerCalls[0].time, before);
  EXPECT_EQ(TimerMessages(window, 9), 0u);  // the window procedure is not involved

  // A WM_TIMER that names a procedure of no live timer calls nothing.
  KillTimer(window, 9);
  DispatchMessageW(&msg);
  EXPECT_EQ(g_timerCalls.size(), 1u);
}

TEST_F(TimerTest, AThreadTimerGetsAnIdOfItsOwnAndFiresThroughItsProcedure) {
  g_timerCalls.clear();
  UINT_PTR first = SetTimer(nullptr, 1234, 10, RecordingTimerProc);
  UINT_PTR second = SetTimer(nullptr, 1234, 10, RecordingTimerProc);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  KillTimer(nullptr, second);
  ASSERT_TRUE(PumpUntil([&] { return g_timerCalls.size() >= 2; }));
  for (const auto& call : g_timerCalls) {
    EXPECT_EQ(call.window, nullptr);
    EXPECT_EQ(call.id, first);
  }
  EXPECT_TRUE(KillTimer(nullptr, first));
  std::size_t calls = g_timerCalls.size();
  PumpFor(60ms);
  EXPECT_EQ(g_timerCalls.size(), calls);
}

TEST_F(TimerTest, ADestroyedWindowsTimersStop) {
  HWND window = Create();
  SetTimer(window, 1, 10, nullptr);
  g_timerCalls.clear();
  SetTimer(window, 2, 10, RecordingTimerProc);
  DestroyWindow(window);
  PumpFor(60ms);
  EXPECT_EQ(TimerMessages(window, 1), 0u);
  EXPECT_TRUE(g_timerCalls.empty());
  EXPECT_FALSE(KillTimer(window, 1));
}

TEST_F(TimerTest, OnlyTheOwnerThreadSetsAWindowsTimers) {
  HWND window = Create();
  UINT_PTR id = 1;
  DWORD error = 0;
  std::thread([&] {
    id = SetTimer(window, 1, 10, nullptr);
    error = GetLastError();
  }).join();
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
