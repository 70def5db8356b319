// Focus and activation messages; scroll bars and their clamping.
#include <gtest/gtest.h>

#include "window_test_support.h"

#include <windows.h>

namespace {

using testing_support::kWParam;
using testing_support::Messages;
using testing_support::OnlyMessages;
using windows_test::WindowsTest;

class FocusTest : public WindowsTest {};

TEST_F(FocusTest, TheWindowLosingTheFocusHearsItBeforeTheOneGainingIt) {
  HWND top = Create(u"top", nullptr, WS_VISIBLE);
  HWND a = Create(u"a", top, WS_VISIBLE);
  HWND b = Create(u"b", top, WS_VISIBLE);
  SetFocus(a);
  Messages().Clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_TRUE(Messages().Matches({{WM_KILLFOCUS, kWParam, reinterpret_cast<WPARAM>(b), 0, a},
                                  {WM_SETFOCUS, kWParam, reinterpret_cast<WPARAM>(a), 0, b}}));
  EXPECT_EQ(GetFocus(), b);
  Messages().Clear();
  EXPECT_EQ(SetFocus(b), b);  // already there: nothing is sent
  EXPECT_TRUE(Messages().Matches({}));
}

TEST_F(FocusTest, DisabledHiddenAndDestroyedWindowsGiveTheFocusUp) {
  HWND top = Create(u"top", nullptr, WS_VISIBLE);
  HWND a = Create(u"a", top, WS_VISIBLE);
  HWND b = Create(u"b", top, WS_VISIBLE);
  SetFocus(a);
  EXPECT_FALSE(EnableWindow(a, FALSE));  // it was enabled
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(a), nullptr);  // a disabled window cannot take it
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(a, TRUE));
  EXPECT_TRUE(IsWindowEnabled(a));

  SetFocus(b);
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetFocus(), top);  // a hidden child hands it to its parent
  SetFocus(a);
  DestroyWindow(a);
  EXPECT_EQ(GetFocus(), top);
}

TEST_F(FocusTest, ActivationTellsTheOldWindowFirstAndFocusFollows) {
  HWND first = Create(u"first", nullptr, WS_VISIBLE);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), first);
  Messages().Clear();
  HWND second = Create(u"second", nullptr, WS_VISIBLE);
  EXPECT_TRUE(Messages().Matches(
      {{WM_ACTIVATE, 0, 0, 0, first}, {WM_ACTIVATE, 0, 0, 0, second}, {WM_KILLFOCUS, 0, 0, 0, first},
       {WM_SETFOCUS, 0, 0, 0, second}},
      {.only = OnlyMessages({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS})}));
  EXPECT_EQ(GetActiveWindow(), second);
  // Destroying the active window activates another.
  DestroyWindow(second);
  EXPECT_EQ(GetActiveWindow(), first);
}

class ScrollBarTest : public WindowsTest {};

TEST_F(ScrollBarTest, ThePositionStaysWithinTheRangeLessThePage) {
  HWND window = Create(u"w", nullptr, WS_VISIBLE | WS_VSCROLL);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 200, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, TRUE), 91);  // 100 - (10 - 1)
  info.fMask = SIF_POS;
  info.nPos = -5;
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 0);
  EXPECT_EQ(SetScrollPos(window, SB_VERT, 50, FALSE), 0);  // the previous position
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 50);

  // A page larger than the range shrinks to it; then only the minimum is a position.
  info = {sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 500, 0, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 0);
  SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &read));
  EXPECT_EQ(read.nPage, 101u);
  EXPECT_EQ(read.nPos, 0);

  // A range whose minimum lies above its maximum becomes 0..0.
  info = {sizeof(SCROLLINFO), SIF_RANGE, 10, 5, 0, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, FALSE);
  GetScrollInfo(window, SB_VERT, &read);
  EXPECT_EQ(read.nMin, 0);
  EXPECT_EQ(read.nMax, 0);
  // Page 0: the position may reach the maximum itself.
  info = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, -20, 20, 0, 20, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 20);
}

TEST_F(ScrollBarTest, AWindowWithoutABarHasNothingToReadAndABarShowsWhenThereIsSomethingToScroll) {
  HWND window = Create(u"w", nullptr, WS_VISIBLE);
  SCROLLINFO read{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 7, 0};
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &read));
  read.cbSize = 3;
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &read));

  RECT before, after;
  GetClientRect(window, &before);
  Messages().Clear();
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 200, 50, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(window, &after);
  EXPECT_EQ(after.right, before.right - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_TRUE(Messages().Matches({{WM_SIZE}}, {window}));
  // Nothing left to scroll: the bar goes, unless asked to stay disabled.
  info = {sizeof(SCROLLINFO), SIF_RANGE, 0, 10, 0, 0, 0};
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nPage = 50;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
  info.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
