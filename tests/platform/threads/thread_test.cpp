#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "handset/devices.h"
#include "handset/handset.h"
#include "handset/threads.h"
#include "handset/trace.h"
#include "support/handset_test.h"

#include <windows.h>

namespace {

using testing_support::HandsetTest;

// Sets its flag when destroyed, to prove that an ended thread's frames were unwound.
struct UnwindMarker {
  std::atomic<bool>& unwound;
  ~UnwindMarker() { unwound = true; }
};

struct SleeperState {
  std::atomic<bool> started{false};
  std::atomic<bool> unwound{false};
  std::atomic<bool> passedSleep{false};
};

DWORD SleepForEver(LPVOID parameter) {
  auto& state = *static_cast<SleeperState*>(parameter);
  UnwindMarker marker{state.unwound};
  state.started = true;
  Sleep(INFINITE);
  state.passedSleep = true;
  return 1;
}

void WaitUntil(const std::atomic<bool>& flag) {
  while (!flag) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

class ThreadTest : public HandsetTest {};

TEST_F(ThreadTest, RunningThreadIsStillActiveAndItsReturnValueBecomesTheExitCode) {
  struct Shared {
    std::atomic<bool> release{false};
    std::atomic<DWORD> seenId{0};
  } shared;
  auto routine = [](LPVOID parameter) -> DWORD {
    auto& s = *static_cast<Shared*>(parameter);
    s.seenId = GetCurrentThreadId();
    while (!s.release) Sleep(1);
    return 42;
  };
  const std::size_t handlesBefore = handset::LiveHandleCount();
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, routine, &shared, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());

  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 1u);

  shared.release = true;
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(shared.seenId, id);

  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
}

TEST_F(ThreadTest, ClosingTheHandleLeavesTheThreadRunning) {
  struct Shared {
    std::atomic<bool> release{false};
    std::atomic<bool> finished{false};
  } shared;
  auto routine = [](LPVOID parameter) -> DWORD {
    auto& s = *static_cast<Shared*>(parameter);
    while (!s.release) Sleep(1);
    s.finished = true;
    return 0;
  };
  HANDLE thread = CreateThread(nullptr, 0, routine, &shared, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(handset::threads::LiveThreadCount(), 1u);
  shared.release = true;
  WaitUntil(shared.finished);
  while (handset::threads::LiveThreadCount() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(CloseHandle(thread));
}

TEST_F(ThreadTest, TerminationAtSleepUnwindsTheThreadAndReturnsOnceItHasEnded) {
  const std::size_t handlesBefore = handset::LiveHandleCount();
  SleeperState state;
  HANDLE thread = CreateThread(nullptr, 0, SleepForEver, &state, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitUntil(state.started);

  EXPECT_TRUE(TerminateThread(thread, 77));
  // Returned only after the end: unwound, joined, nothing left but the caller's handle.
  EXPECT_TRUE(state.unwound);
  EXPECT_FALSE(state.passedSleep);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore + 1);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 77u);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);

  // An ended thread keeps its exit code.
  EXPECT_TRUE(TerminateThread(thread, 5));
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 77u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
}

TEST_F(ThreadTest, TerminationWithTheStillActiveCodeStillEndsTheThread) {
  SleeperState state;
  HANDLE thread = CreateThread(nullptr, 0, SleepForEver, &state, 0, nullptr);
  WaitUntil(state.started);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_TRUE(TerminateThread(thread, code));
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST_F(ThreadTest, TerminationAtAWaitLeavesTheAwaitedThreadRunning) {
  SleeperState sleeper;
  HANDLE awaited = CreateThread(nullptr, 0, SleepForEver, &sleeper, 0, nullptr);
  struct Waiter {
    HANDLE awaited;
    std::atomic<bool> unwound{false};
  } waiter{awaited};
  auto routine = [](LPVOID parameter) -> DWORD {
    auto& w = *static_cast<Waiter*>(parameter);
    UnwindMarker marker{w.unwound};
    return WaitForSingleObject(w.awaited, INFINITE);
  };
  HANDLE waiting = CreateThread(nullptr, 0, routine, &waiter, 0, nullptr);
  WaitUntil(sleeper.started);
  std::this_thread::sleep_for(std::chrono::milliseconds(10));  // let the waiter block

  EXPECT_TRUE(TerminateThread(waiting, 3));
  EXPECT_TRUE(waiter.unwound);
  EXPECT_EQ(WaitForSingleObject(awaited, 0), WAIT_TIMEOUT);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 1u);
  EXPECT_TRUE(TerminateThread(awaited, 4));
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_TRUE(CloseHandle(waiting));
  EXPECT_TRUE(CloseHandle(awaited));
}

TEST_F(ThreadTest, TerminationWaitsForAComputingThreadToReachDeviceIo) {
  struct Worker {
    HANDLE led;
    std::atomic<bool> go{false};
    std::atomic<bool> computing{false};
    std::atomic<bool> passedIo{false};
  } worker{CreateFileW(TEXT("LED1:"), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
  ASSERT_NE(worker.led, INVALID_HANDLE_VALUE);
  auto routine = [](LPVOID parameter) -> DWORD {
    auto& w = *static_cast<Worker*>(parameter);
    w.computing = true;
    while (!w.go) {
    }  // no blocking call here
    DWORD record[5] = {handset::devices::kLedOff, 0, 0, 0, 0};
    DWORD returned = 0;
    DeviceIoControl(w.led, 0x80020004, record, sizeof record, nullptr, 0, &returned, nullptr);
    w.passedIo = true;
    return 0;
  };
  HANDLE thread = CreateThread(nullptr, 0, routine, &worker, 0, nullptr);
  WaitUntil(worker.computing);

  std::atomic<bool> terminated{false};
  std::thread terminator([&] {
    TerminateThread(thread, 9);
    terminated = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(terminated);  // the worker has not reached a blocking call yet
  worker.go = true;
  terminator.join();

  EXPECT_FALSE(worker.passedIo);
  EXPECT_TRUE(handset::devices::LedCommands().empty());
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 9u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_TRUE(CloseHandle(worker.led));
}

TEST_F(ThreadTest, AThreadCanEndItselfWithTerminateThreadOrExitThread) {
  struct Self {
    std::atomic<HANDLE> handle{nullptr};
    std::atomic<bool> unwound{false};
    std::atomic<bool> returned{false};
  };
  auto terminateSelf = [](LPVOID parameter) -> DWORD {
    auto& s = *static_cast<Self*>(parameter);
    UnwindMarker marker{s.unwound};
    while (!s.handle) Sleep(1);
    TerminateThread(s.handle, 11);
    s.returned = true;
    return 1;
  };
  auto exitSelf = [](LPVOID parameter) -> DWORD {
    auto& s = *static_cast<Self*>(parameter);
    UnwindMarker marker{s.unwound};
    ExitThread(12);
    s.returned = true;
    return 1;
  };
  for (auto [routine, expected] : {std::pair{+terminateSelf, 11u}, std::pair{+exitSelf, 12u}}) {
    Self self;
    HANDLE thread = CreateThread(nullptr, 0, routine, &self, 0, nullptr);
    self.handle = thread;
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, expected);
    EXPECT_TRUE(self.unwound);
    EXPECT_FALSE(self.returned);
    EXPECT_TRUE(CloseHandle(thread));
  }
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
}

TEST_F(ThreadTest, ACatchAllInTheThreadDoesNotCancelItsTermination) {
  struct Stubborn {
    std::atomic<bool> started{false};
    std::atomic<int> swallowed{0};
  } stubborn;
  auto routine = [](LPVOID parameter) -> DWORD {
    auto& s = *static_cast<Stubborn*>(parameter);
    s.started = true;
    try {
      Sleep(INFINITE);
    } catch (...) {
      ++s.swallowed;
    }
    try {
      Sleep(INFINITE);  // ends again at once
    } catch (...) {
      ++s.swallowed;
    }
    return 1;  // the requested code wins over the routine's
  };
  HANDLE thread = CreateThread(nullptr, 0, routine, &stubborn, 0, nullptr);
  WaitUntil(stubborn.started);
  EXPECT_TRUE(TerminateThread(thread, 21));
  EXPECT_EQ(stubborn.swallowed, 2);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 21u);
  EXPECT_TRUE(CloseHandle(thread));
}

TEST_F(ThreadTest, ShutdownEndsAndJoinsThreadsStillRunning) {
  SleeperState state;
  HANDLE thread = CreateThread(nullptr, 0, SleepForEver, &state, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitUntil(state.started);
  handset::Shutdown();
  EXPECT_TRUE(state.unwound);
  EXPECT_FALSE(state.passedSleep);
}

TEST_F(ThreadTest, BadHandlesAndArgumentsFailWithTheirErrors) {
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(nullptr, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(TerminateThread(reinterpret_cast<HANDLE>(0x1234), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  handset::threads::SetThreadCreationFails(true);
  SleeperState state;
  EXPECT_EQ(CreateThread(nullptr, 0, SleepForEver, &state, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_FALSE(state.started);
}

TEST_F(ThreadTest, TraceNamesThreadCreationTerminationAndClosing) {
  handset::trace::Start();
  SleeperState state;
  HANDLE thread = CreateThread(nullptr, 0, SleepForEver, &state, 0, nullptr);
  WaitUntil(state.started);
  TerminateThread(thread, STILL_ACTIVE);
  CloseHandle(thread);
  CloseHandle(thread);
  auto calls = handset::trace::Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].function, "CreateThread");
  EXPECT_EQ(calls[1].function, "TerminateThread");
  EXPECT_EQ(calls[1].args, std::vector<std::string>{"259"});
  EXPECT_EQ(calls[2].args, std::vector<std::string>{"thread"});
  EXPECT_EQ(calls[3].args, std::vector<std::string>{"invalid"});
}

}  // namespace
