// No C++ exception leaves the C surface: an allocation failure met inside a call (here thrown by a
// window procedure) fails that call with its error result and ERROR_NOT_ENOUGH_MEMORY, and the
// window keeps working afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "window_test_support.h"

#include <windows.h>

namespace {

using windows_test::WindowsTest;

class ExceptionBoundaryTest : public WindowsTest {
 protected:
  void TearDown() override {
    windows_test::g_answer = nullptr;
    WindowsTest::TearDown();
  }
};

constexpr UINT kThrowingMessage = WM_USER + 5;
constexpr UINT kAnsweredMessage = WM_USER + 6;

TEST_F(ExceptionBoundaryTest, AFailingProcedureFailsTheCallAndLeavesTheWindowWorking) {
  HWND window = Create(u"w");
  windows_test::g_answer = [](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == kThrowingMessage || message == WM_SETTEXT || message == WM_GETTEXTLENGTH) throw std::bad_alloc();
    if (message != kAnsweredMessage) return false;
    result = 7;
    return true;
  };
  struct Call {
    const char* name;
    std::function<LRESULT()> run;
  };
  const Call calls[] = {
      {"SendMessageW", [&] { return SendMessageW(window, kThrowingMessage, 0, 0); }},
      {"SetWindowTextW", [&] { return static_cast<LRESULT>(SetWindowTextW(window, u"new")); }},
      {"GetWindowTextLengthW", [&] { return static_cast<LRESULT>(GetWindowTextLengthW(window)); }},
      {"DispatchMessageW", [&] {
         MSG msg{window, kThrowingMessage, 0, 0, 0, {0, 0}};
         return DispatchMessageW(&msg);
       }},
  };
  for (const Call& call : calls) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(call.run(), 0) << call.name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY)) << call.name;
    EXPECT_EQ(SendMessageW(window, kAnsweredMessage, 0, 0), 7) << "after " << call.name;
  }
  EXPECT_TRUE(DestroyWindow(window));
}

}  // namespace
