#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "handset/handset.h"
#include "handset/threads.h"
#include "window_test_support.h"

#include <windows.h>

namespace {

using testing_support::kFromOtherThread;
using testing_support::kLParam;
using testing_support::kSent;
using testing_support::kWParam;
using testing_support::Messages;
using testing_support::OnlyMessages;
using windows_test::PumpUntil;
using windows_test::WindowsTest;

class CrossThreadTest : public WindowsTest {};

TEST_F(CrossThreadTest, SendFromAWorkerBlocksUntilTheOwnerHandlesItInsideGetMessage) {
  HWND window = Create();
  Messages().Clear();
  const DWORD mainThread = GetCurrentThreadId();
  windows_test::g_answer = [](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_USER + 1) return false;
    result = static_cast<LRESULT>(wParam) + lParam;
    return true;
  };
  std::atomic<bool> returned{false};
  LRESULT result = 0;
  std::thread worker([&] {
    result = SendMessageW(window, WM_USER + 1, 40, 2);
    returned = true;
    PostMessageW(window, WM_USER + 2, 0, 0);  // lets the owner's GetMessageW return
  });
  // The worker cannot get its answer while the owner takes no messages.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(returned);
  EXPECT_TRUE(Messages().Matches({}));

  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));  // handles the sent message, returns the posted one
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  worker.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(Messages().Matches({{WM_USER + 1, kFromOtherThread | kWParam | kLParam, 40, 2}}));
  auto received = Messages().Received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].threadId, mainThread);  // the procedure ran on the window's own thread
}

TEST_F(CrossThreadTest, ASenderHandlesMessagesSentToItWhileItWaits) {
  HWND mainWindow = Create();
  HWND workerWindow = nullptr;
  std::atomic<bool> workerReady{false}, stop{false};
  std::thread worker([&] {
    workerWindow = Create();
    workerReady = true;
    while (!stop) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  while (!workerReady) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // The worker's window, asked by the main thread, asks the main thread's window back while the
  // main thread is still waiting for its first answer.
  windows_test::g_answer = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (window == workerWindow && message == WM_USER + 1) {
      result = SendMessageW(mainWindow, WM_USER + 2, 0, 0) + 1;
      return true;
    }
    if (window == mainWindow && message == WM_USER + 2) {
      result = 100;
      return true;
    }
    return false;
  };
  EXPECT_EQ(SendMessageW(workerWindow, WM_USER + 1, 0, 0), 101);
  stop = true;
  worker.join();
  // Each procedure knew its message came from the other thread, and once that is answered a send
  // within the thread is its own again.
  SendMessageW(mainWindow, WM_USER + 3, 0, 0);
  EXPECT_TRUE(Messages().Matches({{WM_USER + 1, kFromOtherThread, 0, 0, workerWindow},
                                  {WM_USER + 2, kFromOtherThread, 0, 0, mainWindow},
                                  {WM_USER + 3, kSent, 0, 0, mainWindow}},
                                 {.only = OnlyMessages({WM_USER + 1, WM_USER + 2, WM_USER + 3})}));
}

TEST_F(CrossThreadTest, SendToAWindowWhoseThreadEndedReturnsZeroAndTheWindowIsGone) {
  HWND orphan = nullptr;
  std::thread([&] { orphan = Create(u"Orphan"); }).join();
  EXPECT_FALSE(IsWindow(orphan));
  EXPECT_EQ(FindWindowW(nullptr, u"Orphan"), nullptr);
  EXPECT_EQ(SendMessageW(orphan, WM_USER, 0, 0), 0);
  EXPECT_TRUE(Messages().Matches({{WM_CREATE}, {WM_SIZE}, {WM_MOVE}}, {orphan}));  // nothing after its thread ended
}

TEST_F(CrossThreadTest, PendingSendIsAnsweredWithZeroWhenTheTargetWindowIsDestroyed) {
  HWND window = Create();
  std::atomic<bool> returned{false};
  LRESULT result = -5;
  std::thread worker([&] {
    result = SendMessageW(window, WM_USER, 0, 0);
    returned = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  DestroyWindow(window);
  ASSERT_TRUE(PumpUntil([&] { return returned.load(); }));
  worker.join();
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(Messages().Matches({{WM_CREATE}, {WM_SIZE}, {WM_MOVE}, {WM_DESTROY}}, {window}));
}

TEST_F(CrossThreadTest, PostsFromManyThreadsAreAllDeliveredInEachSendersOrder) {
  HWND window = Create();
  constexpr int kThreads = 8, kPerThread = 500;
  std::vector<std::thread> senders;
  for (int t = 0; t < kThreads; ++t)
    senders.emplace_back([=] {
      for (int i = 0; i < kPerThread; ++i) ASSERT_TRUE(PostMessageW(window, WM_USER, t, i));
    });
  std::map<WPARAM, LPARAM> next;
  int received = 0;
  bool inOrder = true;
  MSG msg;
  while (received < kThreads * kPerThread && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message != WM_USER) continue;
    inOrder = inOrder && msg.lParam == next[msg.wParam];
    next[msg.wParam] = msg.lParam + 1;
    ++received;
  }
  for (auto& s : senders) s.join();
  EXPECT_EQ(received, kThreads * kPerThread);
  EXPECT_TRUE(inOrder);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(CrossThreadTest, PostThreadMessageWakesAThreadBlockedInGetMessage) {
  std::atomic<DWORD> workerId{0};
  MSG received{};
  BOOL result = -2;
  std::thread worker([&] {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the thread's queue
    workerId = GetCurrentThreadId();
    result = GetMessageW(&received, nullptr, 0, 0);
  });
  while (!workerId) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(PostThreadMessageW(workerId, WM_USER + 5, 1, 2));
  worker.join();
  EXPECT_EQ(result, TRUE);
  EXPECT_EQ(received.message, static_cast<UINT>(WM_USER + 5));
  EXPECT_EQ(received.hwnd, nullptr);
}

struct Pumper {
  std::atomic<bool> waiting{false};
  std::atomic<bool> unwound{false};
};

DWORD PumpForEver(LPVOID parameter) {
  auto& state = *static_cast<Pumper*>(parameter);
  struct Marker {
    std::atomic<bool>& flag;
    ~Marker() { flag = true; }
  } marker{state.unwound};
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  state.waiting = true;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 1;
}

TEST_F(CrossThreadTest, TerminateThreadEndsAThreadBlockedInGetMessage) {
  Pumper state;
  HANDLE thread = CreateThread(nullptr, 0, PumpForEver, &state, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  while (!state.waiting) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(TerminateThread(thread, 9));
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 9u);
  EXPECT_TRUE(state.unwound);
  CloseHandle(thread);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
}

TEST_F(CrossThreadTest, ShutdownEndsAHandsetThreadBlockedInGetMessage) {
  Pumper state;
  HANDLE thread = CreateThread(nullptr, 0, PumpForEver, &state, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  while (!state.waiting) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  handset::Shutdown();  // must not hang
  EXPECT_TRUE(state.unwound);
}

}  // namespace
