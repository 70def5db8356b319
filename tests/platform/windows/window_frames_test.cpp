// AdjustWindowRectEx grows a client rectangle by what the window system takes for a style's frame,
// caption and scroll bars, so a window made with the result has the client area asked for.
#include <gtest/gtest.h>

#include "window_test_support.h"

#include <windows.h>

namespace {

using windows_test::WindowsTest;

class WindowFramesTest : public WindowsTest {};

TEST_F(WindowFramesTest, AWindowOfTheAdjustedRectangleHasTheClientAreaAskedFor) {
  const DWORD styles[] = {WS_POPUP, WS_POPUP | WS_BORDER, WS_POPUP | WS_CAPTION, WS_POPUP | WS_DLGFRAME | WS_VSCROLL,
                          WS_POPUP | WS_BORDER | WS_HSCROLL | WS_VSCROLL};
  for (DWORD style : styles) {
    RECT rect{10, 20, 110, 70};
    ASSERT_TRUE(AdjustWindowRectEx(&rect, style, FALSE, 0));
    HWND window = Create(u"", nullptr, style);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 100) << std::hex << style;
    EXPECT_EQ(client.bottom, 50) << std::hex << style;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, 10) << std::hex << style;
    EXPECT_EQ(origin.y, 20) << std::hex << style;
    DestroyWindow(window);
  }
  EXPECT_FALSE(AdjustWindowRectEx(nullptr, WS_POPUP, FALSE, 0));
}

TEST_F(WindowFramesTest, EveryWindowIsUnicodeAndANonWindowIsNot) {
  HWND window = Create();
  EXPECT_TRUE(IsWindowUnicode(window));
  DestroyWindow(window);
  EXPECT_FALSE(IsWindowUnicode(window));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
