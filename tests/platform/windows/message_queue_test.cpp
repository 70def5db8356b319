#include <gtest/gtest.h>

#include <string>

#include "handset/trace.h"
#include "window_test_support.h"

#include <windows.h>

namespace {

using testing_support::kLParam;
using testing_support::kPosted;
using testing_support::kSent;
using testing_support::kWParam;
using testing_support::Messages;
using windows_test::WindowsTest;

class MessageQueueTest : public WindowsTest {
 protected:
  // Messages the thread has now, taken with PeekMessageW, as (window, message) pairs.
  static std::vector<std::pair<HWND, UINT>> Drain(HWND filter = nullptr, UINT first = 0, UINT last = 0) {
    std::vector<std::pair<HWND, UINT>> taken;
    MSG msg;
    while (PeekMessageW(&msg, filter, first, last, PM_REMOVE)) taken.emplace_back(msg.hwnd, msg.message);
    return taken;
  }
};

TEST_F(MessageQueueTest, PostedMessagesComeInOrderAndPeekCanLeaveThemQueued) {
  HWND window = Create();
  handset::trace::Start();
  EXPECT_TRUE(PostMessageW(window, WM_USER + 1, 11, 12));
  EXPECT_TRUE(PostMessageW(window, WM_USER + 2, 21, 22));
  EXPECT_TRUE(PostMessageW(nullptr, WM_USER + 3, 0, 0));  // to the calling thread itself
  auto traced = handset::trace::Calls("PostMessageW");
  handset::trace::Stop();
  ASSERT_EQ(traced.size(), 3u);
  EXPECT_EQ(traced[0].args, std::vector<std::string>{"0x0401"});

  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(msg.wParam, 11u);
  EXPECT_EQ(msg.lParam, 12);
  EXPECT_EQ(testing_support::DispatchQueued(msg), 0);
  EXPECT_TRUE(Messages().Matches(
      {{WM_CREATE, kSent}, {WM_SIZE, kSent}, {WM_MOVE, kSent}, {WM_USER + 1, kPosted | kWParam | kLParam, 11, 12}},
      {window}));
  EXPECT_EQ(Drain(), (std::vector<std::pair<HWND, UINT>>{{window, WM_USER + 2}, {nullptr, WM_USER + 3}}));
}

TEST_F(MessageQueueTest, FiltersSelectByWindowTreeAndMessageRange) {
  HWND a = Create();
  HWND aChild = Create(u"", a);
  HWND b = Create();
  PostMessageW(b, WM_USER + 1, 0, 0);
  PostMessageW(aChild, WM_USER + 2, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);
  PostMessageW(a, WM_USER + 4, 0, 0);
  PostMessageW(b, WM_USER + 10, 0, 0);

  // A window filter takes the window's own messages and those of its descendants.
  EXPECT_EQ(Drain(a), (std::vector<std::pair<HWND, UINT>>{{aChild, WM_USER + 2}, {a, WM_USER + 4}}));
  // (HWND)-1 takes only the messages posted to the thread.
  EXPECT_EQ(Drain(reinterpret_cast<HWND>(-1)), (std::vector<std::pair<HWND, UINT>>{{nullptr, WM_USER + 3}}));
  EXPECT_EQ(Drain(nullptr, WM_USER + 5, WM_USER + 20), (std::vector<std::pair<HWND, UINT>>{{b, WM_USER + 10}}));
  EXPECT_EQ(Drain(), (std::vector<std::pair<HWND, UINT>>{{b, WM_USER + 1}}));

  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7654320)), 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessageQueueTest, QuitComesAfterPostedMessagesPassesAnyFilterAndEndsGetMessage) {
  HWND window = Create();
  PostQuitMessage(7);
  PostMessageW(window, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageW(&msg, window, WM_USER + 5, WM_USER + 6, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageW(&msg, window, WM_USER + 5, WM_USER + 6), FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));  // taken once
}

TEST_F(MessageQueueTest, PaintIsMadeOnlyWhenNothingIsPostedAndStopsOnceTheWindowIsValid) {
  HWND hidden = Create();
  HWND visible = Create(u"", nullptr, WS_VISIBLE);
  Create(u"", hidden, WS_VISIBLE);  // visible style under a hidden parent: not on screen
  PostMessageW(hidden, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  // A message range without WM_PAINT does not see it.
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER, WM_USER + 100, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(msg.hwnd, visible);
  // Taking WM_PAINT does not validate: it comes again until the window is painted.
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  DispatchMessageW(&msg);  // the default procedure validates
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, PostsToADestroyedWindowAreDroppedQuietly) {
  HWND doomed = Create();
  HWND survivor = Create();
  PostMessageW(doomed, WM_USER + 1, 0, 0);
  PostMessageW(survivor, WM_USER + 2, 0, 0);
  PostMessageW(doomed, WM_USER + 3, 0, 0);
  DestroyWindow(doomed);
  EXPECT_FALSE(PostMessageW(doomed, WM_USER + 4, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(Drain(), (std::vector<std::pair<HWND, UINT>>{{survivor, WM_USER + 2}}));
  EXPECT_EQ(SendMessageW(doomed, WM_USER, 0, 0), 0);
  EXPECT_EQ(DispatchMessageW(nullptr), 0);
}

TEST_F(MessageQueueTest, SendWithinTheThreadCallsTheProcedureAtOnceAndReturnsItsResult) {
  HWND window = Create();
  windows_test::g_answer = [](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_USER + 9) return false;
    result = static_cast<LRESULT>(wParam) * 2;
    return true;
  };
  handset::trace::Start();
  EXPECT_EQ(SendMessageW(window, WM_USER + 9, 21, 0), 42);
  EXPECT_EQ(SendMessageW(window, 0x0914, 0, 0), 0);
  auto traced = handset::trace::Calls("SendMessageW");
  handset::trace::Stop();
  ASSERT_EQ(traced.size(), 2u);
  EXPECT_EQ(traced[1].args, std::vector<std::string>{"0x0914"});
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));  // nothing went through the queue
  EXPECT_EQ(SendMessageW(nullptr, WM_USER, 0, 0), 0);
}

TEST_F(MessageQueueTest, PostingToAThreadNeedsAThreadWithAQueue) {
  EXPECT_FALSE(PostThreadMessageW(0x7FFFFFF0, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

TEST_F(MessageQueueTest, TranslateMessagePostsTheCharacterOfAKey) {
  HWND edit = Create();
  MSG key{edit, WM_KEYDOWN, 'Q', 0x10001, 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&key));
  key.wParam = 0x10;  // the shift key makes no character
  EXPECT_TRUE(TranslateMessage(&key));
  MSG other{edit, WM_USER, 'Q', 0, 0, {0, 0}};
  EXPECT_FALSE(TranslateMessage(&other));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(u'q'));
  EXPECT_EQ(msg.lParam, 0x10001);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
